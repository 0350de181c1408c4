// Runtime core of the application framework: objects and references, the exception family, type-erased
// calls and delegates, class descriptions, the main-thread check and what the framework knows of the program.
// Nothing here depends on Qt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace platform {

struct ClassDescription;

// ---------------------------------------------------------------------------------------------------------------
// Objects and references
// ---------------------------------------------------------------------------------------------------------------

// Base of every framework and program object. Reference counting is std::shared_ptr's; nil is nullptr.
class Object : public std::enable_shared_from_this<Object> {
public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;

    // The class description the object was made from; "Object" for an object no description made.
    const ClassDescription& Class() const;
    // Set by RuntimeNewObject and by the framework's own factories.
    void SetClass(const ClassDescription& cls) { class_ = &cls; }

    static const ClassDescription& Lookup();

private:
    const ClassDescription* class_ = nullptr;
};

template <class T>
using Ref = std::shared_ptr<T>;
template <class T>
using WeakRef = std::weak_ptr<T>;

// ---------------------------------------------------------------------------------------------------------------
// Exceptions: thrown by value, caught by reference
// ---------------------------------------------------------------------------------------------------------------

class RuntimeException : public std::runtime_error {
public:
    explicit RuntimeException(const std::string& message) : std::runtime_error(message) {}
    // The class-name text, e.g. "NilObjectException".
    virtual const char* ClassName() const noexcept { return "RuntimeException"; }
};

#define PLATFORM_EXCEPTION(Name)                                                         \
    class Name : public RuntimeException {                                               \
    public:                                                                              \
        explicit Name(const std::string& message = #Name) : RuntimeException(message) {} \
        const char* ClassName() const noexcept override { return #Name; }                \
    };
PLATFORM_EXCEPTION(NilObjectException)
PLATFORM_EXCEPTION(ThreadAccessingUIException)
PLATFORM_EXCEPTION(IllegalCastException)
PLATFORM_EXCEPTION(ShellNotAvailableException)
PLATFORM_EXCEPTION(ShellNotRunningException)
#undef PLATFORM_EXCEPTION

// Returns `p`, or raises NilObjectException naming `what` when it is nil.
template <class P>
P& Require(P& p, std::string_view what) {
    if (!p) throw NilObjectException(std::string(what) + " is nil");
    return p;
}

// ---------------------------------------------------------------------------------------------------------------
// Type-erased values and functions: what delegates, events and class descriptions carry
// ---------------------------------------------------------------------------------------------------------------

// One argument or result: nothing, Boolean, Int32, Ptr or an object.
using Value = std::variant<std::monostate, bool, std::int32_t, void*, Ref<Object>>;
using Args = std::span<const Value>;

// A callable given its target (nullptr for a plain function) and its arguments.
using Function = std::function<Value(Object* target, Args args)>;

namespace detail {
[[noreturn]] void ThrowBadArgument(std::size_t index, const char* expected);

template <class A>
struct FromValue;
template <>
struct FromValue<bool> {
    static bool Get(const Value& v, std::size_t i) {
        if (auto* b = std::get_if<bool>(&v)) return *b;
        ThrowBadArgument(i, "Boolean");
    }
};
template <>
struct FromValue<std::int32_t> {
    static std::int32_t Get(const Value& v, std::size_t i) {
        if (auto* n = std::get_if<std::int32_t>(&v)) return *n;
        ThrowBadArgument(i, "Int32");
    }
};
template <>
struct FromValue<void*> {
    static void* Get(const Value& v, std::size_t i) {
        if (auto* p = std::get_if<void*>(&v)) return *p;
        ThrowBadArgument(i, "Ptr");
    }
};
template <class T>
struct FromValue<Ref<T>> {
    static Ref<T> Get(const Value& v, std::size_t i) {
        if (std::holds_alternative<std::monostate>(v)) return nullptr;
        auto* o = std::get_if<Ref<Object>>(&v);
        if (!o) ThrowBadArgument(i, "object");
        if (!*o) return nullptr;
        auto t = std::dynamic_pointer_cast<T>(*o);
        if (!t) throw IllegalCastException("argument " + std::to_string(i) + " is of another class");
        return t;
    }
};

template <class R>
Value ToValue(R&& r) {
    using D = std::decay_t<R>;
    if constexpr (std::is_same_v<D, bool> || std::is_same_v<D, std::int32_t> || std::is_same_v<D, void*>)
        return Value(r);
    else
        return Value(std::static_pointer_cast<Object>(std::forward<R>(r)));
}

template <class R, class F, class... A, std::size_t... I>
Value Apply(const F& f, Args args, std::index_sequence<I...>) {
    if (args.size() != sizeof...(A)) ThrowBadArgument(args.size(), "no further argument");
    if constexpr (std::is_void_v<R>) {
        f(FromValue<std::decay_t<A>>::Get(args[I], I)...);
        return Value();
    } else {
        return ToValue(f(FromValue<std::decay_t<A>>::Get(args[I], I)...));
    }
}

template <class T>
T& TargetAs(Object* target) {
    if (!target) throw NilObjectException("the call's target is nil");
    auto* self = dynamic_cast<T*>(target);
    if (!self) throw IllegalCastException("the call's target is of another class");
    return *self;
}
}  // namespace detail

// A Function over a member function; the call is virtual when the member is.
template <class T, class R, class... A>
Function MakeFunction(R (T::*method)(A...)) {
    return [method](Object* target, Args args) -> Value {
        T& self = detail::TargetAs<T>(target);
        auto call = [&](auto&&... a) -> R { return (self.*method)(std::forward<decltype(a)>(a)...); };
        return detail::Apply<R, decltype(call), A...>(call, args, std::index_sequence_for<A...>{});
    };
}

// A Function over a plain function; the target is ignored.
template <class R, class... A>
Function MakeFunction(R (*fn)(A...)) {
    return [fn](Object*, Args args) -> Value {
        return detail::Apply<R, R (*)(A...), A...>(fn, args, std::index_sequence_for<A...>{});
    };
}

// ---------------------------------------------------------------------------------------------------------------
// Delegates
// ---------------------------------------------------------------------------------------------------------------

// Kind 0 holds its target directly (or has none); kind 1 holds it weakly.
enum DelegateKind : std::int32_t { kDelegateStrong = 0, kDelegateWeak = 1 };

class Delegate : public Object {
public:
    Delegate(Function function, const Ref<Object>& target, std::string signature, std::int32_t kind);

    static const ClassDescription& Lookup();

    const Function& GetFunction() const { return function_; }
    const std::string& Signature() const { return signature_; }
    std::int32_t Kind() const { return kind_; }
    // The target, or nil when it has none or a weak target is gone.
    Ref<Object> Target() const;

    // Calls the function with the target. A weak delegate whose target is gone raises NilObjectException.
    Value Invoke(Args args) const;
    template <class... A>
    Value operator()(A&&... a) const {
        if constexpr (sizeof...(A) == 0) {
            return Invoke({});
        } else {
            const Value values[] = {Value(std::forward<A>(a))...};
            return Invoke(values);
        }
    }

private:
    Function function_;
    Ref<Object> strong_;
    WeakRef<Object> weak_;
    bool hasTarget_ = false;
    std::string signature_;
    std::int32_t kind_;
};

Ref<Delegate> RuntimeCreateDelegate(Function function, const Ref<Object>& target, std::string signature,
                                    std::int32_t kind);

// ---------------------------------------------------------------------------------------------------------------
// Class descriptions
// ---------------------------------------------------------------------------------------------------------------

// Introspection record of one public member of a class.
struct MemberRecord {
    enum class Kind { Method, Property };
    Kind kind = Kind::Method;
    std::string name;
    std::string type;  // a property's type, a method's signature text
    bool hidden = false;
};

// A framework event that the class handles, and the member that handles it.
struct EventHandlerRecord {
    std::string event;    // e.g. "Open"
    std::string handler;  // e.g. "Event_Open"
    Function function;    // called with the instance as target
};

struct ClassDescription {
    std::string name;                         // class-name text, e.g. "MainWIndow.MainWIndow"
    const ClassDescription* super = nullptr;  // nil only for Object
    std::function<Ref<Object>()> factory;     // what RuntimeNewObject makes; empty: not instantiable
    std::vector<EventHandlerRecord> eventHandlers;
    std::vector<MemberRecord> members;

    // True when this class is `other` or derives from it.
    bool IsA(const ClassDescription& other) const;
    // The handler of `event` in this class or its nearest superclass that handles it; nil if none.
    const EventHandlerRecord* HandlerFor(std::string_view event) const;
};

// A new object of the class, its class set; the caller runs its Constructor next.
Ref<Object> RuntimeNewObject(const ClassDescription& cls);

// Nil gives nil; an object of `cls` or a subclass comes back typed; anything else raises
// IllegalCastException.
template <class T>
Ref<T> RuntimeCheckCast(const Ref<Object>& object, const ClassDescription& cls) {
    if (!object) return nullptr;
    auto typed = object->Class().IsA(cls) ? std::dynamic_pointer_cast<T>(object) : nullptr;
    if (!typed) throw IllegalCastException(object->Class().name + " is not a " + cls.name);
    return typed;
}
template <class T>
Ref<T> RuntimeCheckCast(const Ref<Object>& object) {
    return RuntimeCheckCast<T>(object, T::Lookup());
}

// ---------------------------------------------------------------------------------------------------------------
// Main thread
// ---------------------------------------------------------------------------------------------------------------

bool IsMainThread();
// Raises ThreadAccessingUIException naming `operation` when called off the main thread.
void CheckMainThread(std::string_view operation);

// ---------------------------------------------------------------------------------------------------------------
// Exception helper: how the framework calls program code whose exceptions it must not let through
// ---------------------------------------------------------------------------------------------------------------

// Calls function(argument); returns the RuntimeException that escaped it, or nil. Others pass on.
using ExceptionHelper = std::exception_ptr (*)(void (*function)(void*), void* argument);
void RuntimeSetExceptionHelper(ExceptionHelper helper);

// ---------------------------------------------------------------------------------------------------------------
// Program settings: what the framework needs to know of the program it runs
// ---------------------------------------------------------------------------------------------------------------

struct ProgramSettings {
    // The program's name as the system knows it: argument 0 of the user-interface application (read by the
    // first RuntimeInit of the process) and the prefix of the framework's lines on standard error.
    std::string name = "application";
    // Its name as its user reads it: the title of the framework's message boxes.
    std::string title = "Application";
};
// The framework shows the report of an unhandled exception in a message box too, but not on a headless
// platform and not while the environment variable PLATFORM_NO_DIALOGS is set (as the test command does).
// Set on the main thread before RuntimeInit; the settings stay until set again.
void RuntimeSetProgramSettings(ProgramSettings settings);
const ProgramSettings& RuntimeGetProgramSettings();

}  // namespace platform
