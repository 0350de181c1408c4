// Delegates: weak and strong targets, arguments and results through the type-erased call, and the exception
// helper contract as a start-up chain writes it (a kind-0 delegate over the given function).
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/Runtime.h"

namespace platform {
namespace {

class Counter : public Object {
public:
    static const ClassDescription& Lookup() {
        static const ClassDescription description{"Counter", &Object::Lookup(), {}, {}, {}};
        return description;
    }
    void Bump() { ++count; }
    std::int32_t Add(std::int32_t amount, bool twice) {
        count += twice ? 2 * amount : amount;
        return count;
    }
    virtual std::int32_t Which() { return 1; }
    std::int32_t Take(Ref<Counter> other) { return other ? other->count : -1; }
    std::int32_t count = 0;
};

class SubCounter : public Counter {
public:
    std::int32_t Which() override { return 2; }
};

class Unrelated : public Object {};

TEST(DelegateTest, WeakTargetGoneRaisesNilObjectException) {
    auto target = std::make_shared<Counter>();
    const WeakRef<Counter> watch = target;
    const Ref<Delegate> bump =
        RuntimeCreateDelegate(MakeFunction(&Counter::Bump), target, "(  )", kDelegateWeak);
    (*bump)();
    EXPECT_EQ(target->count, 1);

    target.reset();
    EXPECT_TRUE(watch.expired()) << "a kind-1 delegate must not keep its target alive";
    EXPECT_EQ(bump->Target(), nullptr);
    EXPECT_THROW((*bump)(), NilObjectException);
}

TEST(DelegateTest, StrongTargetIsKeptAlive) {
    auto target = std::make_shared<Counter>();
    const WeakRef<Counter> watch = target;
    const Ref<Delegate> bump =
        RuntimeCreateDelegate(MakeFunction(&Counter::Bump), target, "(  )", kDelegateStrong);
    target.reset();
    ASSERT_FALSE(watch.expired());
    (*bump)();
    (*bump)();
    EXPECT_EQ(watch.lock()->count, 2);
}

TEST(DelegateTest, ArgumentsAndResultPassThrough) {
    auto target = std::make_shared<Counter>();
    const Ref<Delegate> add = RuntimeCreateDelegate(MakeFunction(&Counter::Add), target,
                                                    "( Int32, Boolean ) as Int32", kDelegateWeak);
    EXPECT_EQ(add->Signature(), "( Int32, Boolean ) as Int32");
    EXPECT_EQ(add->Kind(), kDelegateWeak);
    EXPECT_EQ(std::get<std::int32_t>((*add)(std::int32_t{5}, true)), 10);
    EXPECT_EQ(std::get<std::int32_t>((*add)(std::int32_t{-3}, false)), 7);
}

TEST(DelegateTest, WrongArgumentsAreRefused) {
    auto target = std::make_shared<Counter>();
    const Ref<Delegate> add = RuntimeCreateDelegate(MakeFunction(&Counter::Add), target,
                                                    "( Int32, Boolean ) as Int32", kDelegateStrong);
    EXPECT_THROW((*add)(true, true), RuntimeException);
    EXPECT_THROW((*add)(std::int32_t{1}), RuntimeException);
    EXPECT_EQ(target->count, 0);

    const Ref<Delegate> take =
        RuntimeCreateDelegate(MakeFunction(&Counter::Take), target, "( Counter ) as Int32", kDelegateStrong);
    EXPECT_THROW((*take)(Ref<Object>(std::make_shared<Unrelated>())), IllegalCastException);
    EXPECT_EQ(std::get<std::int32_t>((*take)(Ref<Object>())), -1);
}

TEST(DelegateTest, MemberCallIsVirtual) {
    const Ref<Object> sub = std::make_shared<SubCounter>();
    const Ref<Delegate> which = RuntimeCreateDelegate(MakeFunction(&Counter::Which), sub, "(  ) as Int32", 1);
    EXPECT_EQ(std::get<std::int32_t>((*which)()), 2);
}

TEST(DelegateTest, TargetOfAnotherClassIsRefused) {
    const Ref<Delegate> bump =
        RuntimeCreateDelegate(MakeFunction(&Counter::Bump), std::make_shared<Unrelated>(), "(  )", 0);
    EXPECT_THROW((*bump)(), IllegalCastException);
}

TEST(DelegateTest, KindOtherThanZeroOrOneIsRefused) {
    EXPECT_THROW(RuntimeCreateDelegate(MakeFunction(&Counter::Bump), nullptr, "(  )", 2), RuntimeException);
}

TEST(DelegateTest, DelegateHasItsClass) {
    const Ref<Delegate> d = RuntimeCreateDelegate(MakeFunction(&Counter::Bump), nullptr, "(  )", 0);
    EXPECT_EQ(d->Class().name, "Delegate");
    EXPECT_THROW((*d)(), NilObjectException) << "a member function without a target";
}

// ---------------------------------------------------------------------------------------------------------------
// The exception helper contract
// ---------------------------------------------------------------------------------------------------------------

// What a start-up chain installs: calls function(argument) through a kind-0 delegate and hands back the
// RuntimeException that escaped it; nil on a normal return; any other exception passes on.
std::exception_ptr CallWithExceptionHandling(void (*function)(void*), void* argument) {
    const Ref<Delegate> call =
        RuntimeCreateDelegate(MakeFunction(function), nullptr, "( Ptr )", kDelegateStrong);
    try {
        (*call)(argument);
        return nullptr;
    } catch (const RuntimeException&) {
        return std::current_exception();
    }
}

void Record(void* argument) { *static_cast<int*>(argument) += 1; }
void RaiseNil(void*) { throw NilObjectException("gone"); }
void RaiseCast(void*) { throw IllegalCastException("cast"); }
void RaiseOther(void*) { throw std::logic_error("not ours"); }

const RuntimeException* Rethrown(const std::exception_ptr& exception) {
    try {
        std::rethrow_exception(exception);
    } catch (const RuntimeException& e) {
        return &e;
    }
}

TEST(DelegateExceptionHelperTest, NormalReturnGivesNil) {
    int calls = 0;
    EXPECT_EQ(CallWithExceptionHandling(&Record, &calls), nullptr);
    EXPECT_EQ(calls, 1);
}

TEST(DelegateExceptionHelperTest, GivesBackTheVeryRuntimeException) {
    for (void (*raise)(void*) : {&RaiseNil, &RaiseCast}) {
        const std::exception_ptr result = CallWithExceptionHandling(raise, nullptr);
        ASSERT_NE(result, nullptr);
        const RuntimeException* first = Rethrown(result);
        const RuntimeException* second = Rethrown(result);
        EXPECT_EQ(first, second) << "the same object, not a copy";
    }
    EXPECT_STREQ(Rethrown(CallWithExceptionHandling(&RaiseNil, nullptr))->ClassName(), "NilObjectException");
}

TEST(DelegateExceptionHelperTest, AnotherClassPassesOn) {
    EXPECT_THROW(CallWithExceptionHandling(&RaiseOther, nullptr), std::logic_error);
}

}  // namespace
}  // namespace platform
