// Class descriptions: RuntimeCheckCast along the superclass chain, IsA, HandlerFor and RuntimeNewObject.
#include <gtest/gtest.h>

#include "platform/Runtime.h"

namespace platform {
namespace {

class Animal : public Object {
public:
    static const ClassDescription& Lookup() {
        static const ClassDescription description{
            "Animal",
            &Object::Lookup(),
            [] { return Ref<Object>(std::make_shared<Animal>()); },
            {{"Open", "Animal_Open", {}}, {"Close", "Animal_Close", {}}},
            {}};
        return description;
    }
};

class Dog : public Animal {
public:
    static const ClassDescription& Lookup() {
        static const ClassDescription description{"Dog",
                                                  &Animal::Lookup(),
                                                  [] { return Ref<Object>(std::make_shared<Dog>()); },
                                                  {{"Open", "Dog_Open", {}}},
                                                  {}};
        return description;
    }
};

class Stone : public Object {
public:
    static const ClassDescription& Lookup() {
        static const ClassDescription description{"Stone", &Object::Lookup(), {}, {}, {}};
        return description;
    }
};

Ref<Object> Make(const ClassDescription& cls) { return RuntimeNewObject(cls); }

TEST(CastTest, NilGivesNil) { EXPECT_EQ(RuntimeCheckCast<Animal>(nullptr), nullptr); }

TEST(CastTest, SameClassAndSubclassComeBackTyped) {
    const Ref<Object> animal = Make(Animal::Lookup());
    const Ref<Object> dog = Make(Dog::Lookup());
    EXPECT_EQ(RuntimeCheckCast<Animal>(animal).get(), animal.get());
    EXPECT_EQ(RuntimeCheckCast<Animal>(dog).get(), dog.get());
    EXPECT_EQ(RuntimeCheckCast<Dog>(dog).get(), dog.get());
    EXPECT_EQ(RuntimeCheckCast<Object>(dog, Object::Lookup()).get(), dog.get());
}

TEST(CastTest, MismatchRaisesIllegalCastException) {
    EXPECT_THROW(RuntimeCheckCast<Dog>(Make(Animal::Lookup())), IllegalCastException);
    auto stone = std::make_shared<Stone>();
    stone->SetClass(Stone::Lookup());
    EXPECT_THROW(RuntimeCheckCast<Animal>(stone), IllegalCastException);
    // An object no description made counts as a plain Object.
    EXPECT_THROW(RuntimeCheckCast<Animal>(std::make_shared<Animal>()), IllegalCastException);
}

TEST(CastTest, NewObjectHasItsClass) {
    const Ref<Object> dog = Make(Dog::Lookup());
    EXPECT_EQ(&dog->Class(), &Dog::Lookup());
    EXPECT_NE(std::dynamic_pointer_cast<Dog>(dog), nullptr);
    EXPECT_EQ(std::make_shared<Stone>()->Class().name, "Object");
}

TEST(CastTest, ClassWithoutFactoryCannotBeInstantiated) {
    EXPECT_THROW(RuntimeNewObject(Stone::Lookup()), RuntimeException);
}

TEST(CastTest, IsAFollowsTheSuperclassChain) {
    EXPECT_TRUE(Dog::Lookup().IsA(Dog::Lookup()));
    EXPECT_TRUE(Dog::Lookup().IsA(Animal::Lookup()));
    EXPECT_TRUE(Dog::Lookup().IsA(Object::Lookup()));
    EXPECT_FALSE(Animal::Lookup().IsA(Dog::Lookup()));
    EXPECT_FALSE(Stone::Lookup().IsA(Animal::Lookup()));
}

TEST(CastTest, HandlerForTakesTheNearestClassThatHandlesTheEvent) {
    ASSERT_NE(Dog::Lookup().HandlerFor("Open"), nullptr);
    EXPECT_EQ(Dog::Lookup().HandlerFor("Open")->handler, "Dog_Open");
    ASSERT_NE(Dog::Lookup().HandlerFor("Close"), nullptr);
    EXPECT_EQ(Dog::Lookup().HandlerFor("Close")->handler, "Animal_Close");
    EXPECT_EQ(Dog::Lookup().HandlerFor("Activate"), nullptr);
}

}  // namespace
}  // namespace platform
