// The runtime core: class descriptions and objects, delegates, the main-thread check, the slot of the
// exception helper and the program's settings. Pure C++; the Qt side of the life cycle is qt/Lifecycle.cpp.
#include "platform/Runtime.h"

#include <atomic>
#include <thread>

#include "platform/detail/RuntimeHooks.h"

namespace platform {

// ---------------------------------------------------------------------------------------------------------------
// Objects and class descriptions
// ---------------------------------------------------------------------------------------------------------------

const ClassDescription& Object::Lookup() {
    static const ClassDescription description{"Object", nullptr, {}, {}, {}};
    return description;
}

const ClassDescription& Object::Class() const { return class_ ? *class_ : Object::Lookup(); }

bool ClassDescription::IsA(const ClassDescription& other) const {
    for (const ClassDescription* c = this; c; c = c->super) {
        if (c == &other) return true;
    }
    return false;
}

const EventHandlerRecord* ClassDescription::HandlerFor(std::string_view event) const {
    for (const ClassDescription* c = this; c; c = c->super) {
        for (const EventHandlerRecord& record : c->eventHandlers) {
            if (record.event == event) return &record;
        }
    }
    return nullptr;
}

Ref<Object> RuntimeNewObject(const ClassDescription& cls) {
    if (!cls.factory) throw RuntimeException("class " + cls.name + " cannot be instantiated");
    Ref<Object> object = cls.factory();
    if (!object) throw NilObjectException("the factory of class " + cls.name + " made no object");
    object->SetClass(cls);
    return object;
}

namespace detail {
void ThrowBadArgument(std::size_t index, const char* expected) {
    throw RuntimeException("bad argument " + std::to_string(index) + ": expected " + expected);
}
}  // namespace detail

// ---------------------------------------------------------------------------------------------------------------
// Delegates
// ---------------------------------------------------------------------------------------------------------------

const ClassDescription& Delegate::Lookup() {
    static const ClassDescription description{"Delegate", &Object::Lookup(), {}, {}, {}};
    return description;
}

Delegate::Delegate(Function function, const Ref<Object>& target, std::string signature, std::int32_t kind)
    : function_(std::move(function)),
      hasTarget_(target != nullptr),
      signature_(std::move(signature)),
      kind_(kind) {
    if (kind != kDelegateStrong && kind != kDelegateWeak) {
        throw RuntimeException("delegate kind " + std::to_string(kind) + " is neither 0 nor 1");
    }
    if (!function_) throw NilObjectException("the delegate's function is nil");
    if (kind == kDelegateWeak)
        weak_ = target;
    else
        strong_ = target;
    SetClass(Delegate::Lookup());
}

Ref<Object> Delegate::Target() const { return kind_ == kDelegateWeak ? weak_.lock() : strong_; }

Value Delegate::Invoke(Args args) const {
    // Hold the target for the length of the call, so a weak target cannot vanish midway.
    Ref<Object> target = Target();
    if (hasTarget_ && !target) {
        throw NilObjectException("the target of the delegate \"" + signature_ + "\" is gone");
    }
    return function_(target.get(), args);
}

Ref<Delegate> RuntimeCreateDelegate(Function function, const Ref<Object>& target, std::string signature,
                                    std::int32_t kind) {
    return std::make_shared<Delegate>(std::move(function), target, std::move(signature), kind);
}

// ---------------------------------------------------------------------------------------------------------------
// Main thread
// ---------------------------------------------------------------------------------------------------------------

namespace {
// The default id means "no main thread recorded yet": then no thread counts as the main one.
std::atomic<std::thread::id> gMainThread{};
std::atomic<ExceptionHelper> gExceptionHelper{nullptr};
}  // namespace

void detail::RuntimeSetMainThread() { gMainThread.store(std::this_thread::get_id()); }

bool IsMainThread() {
    const std::thread::id main = gMainThread.load();
    return main != std::thread::id() && main == std::this_thread::get_id();
}

void CheckMainThread(std::string_view operation) {
    if (!IsMainThread()) {
        throw ThreadAccessingUIException(std::string(operation) + " was called off the main thread");
    }
}

// ---------------------------------------------------------------------------------------------------------------
// Exception helper
// ---------------------------------------------------------------------------------------------------------------

void RuntimeSetExceptionHelper(ExceptionHelper helper) { gExceptionHelper.store(helper); }

ExceptionHelper detail::RuntimeGetExceptionHelper() { return gExceptionHelper.load(); }

// ---------------------------------------------------------------------------------------------------------------
// Program settings
// ---------------------------------------------------------------------------------------------------------------

namespace {
ProgramSettings gProgramSettings;
}  // namespace

void RuntimeSetProgramSettings(ProgramSettings settings) { gProgramSettings = std::move(settings); }

const ProgramSettings& RuntimeGetProgramSettings() { return gProgramSettings; }

}  // namespace platform
