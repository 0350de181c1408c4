// The boundary between Qt's event dispatch and the program. Qt is not exception-safe, so every Qt event
// handler, event filter, timer and slot of the framework that can enter the program or throw runs its body
// through Dispatch: an exception the body lets out is kept (the first one), the event loop is asked to end,
// and RuntimeRun raises it again once the loop has returned. While such a body runs, widgets are deleted
// only later, since the event being handled may be one of theirs. A filter tests the event's type before it
// enters Dispatch, so that the events it does not look at pay nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <type_traits>

class QObject;
class QWidget;

namespace platform::qt {

class FunctionRef;

// What a FunctionRef borrows: an object that can be called without arguments (a lambda, a function pointer).
template <class F>
concept Borrowable =
    std::is_object_v<std::remove_reference_t<F>> && !std::is_same_v<std::remove_cvref_t<F>, FunctionRef> &&
    std::is_invocable_v<F&>;

// A callable borrowed for one call, without copying it: the pointer to it and the function that calls it,
// in the form the exception helper takes. What it refers to must outlive the call.
class FunctionRef {
public:
    using Caller = void (*)(void* target);

    template <Borrowable F>
    FunctionRef(F&& body) noexcept
        : target_(const_cast<void*>(static_cast<const void*>(std::addressof(body)))),
          call_(&Call<std::remove_reference_t<F>>) {}

    void operator()() const { call_(target_); }
    Caller Function() const { return call_; }
    void* Target() const { return target_; }

private:
    template <class F>
    static void Call(void* target) {
        (*static_cast<F*>(target))();
    }

    void* target_;
    Caller call_;
};

// Runs `body` from inside a Qt event, through the exception helper when one is installed; widgets are
// deleted only later meanwhile. An exception it lets out is kept for RuntimeRun (the first one) and the event
// loop is asked to end. Returns false when it threw.
bool Dispatch(FunctionRef body);
// Deletes `object` now, or later while a body that Dispatch runs is under way.
void DeleteWhenSafe(QObject* object);
// Hides a widget and deletes it as DeleteWhenSafe does.
void DisposeWidget(QWidget* widget);
// Ends the event loop if RuntimeRun is in it, else makes RuntimeRun return at once (Lifecycle.cpp).
void EndEventLoop(std::int32_t code);

}  // namespace platform::qt
