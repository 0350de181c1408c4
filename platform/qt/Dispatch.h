// The boundary between Qt's event dispatch and the program. Qt is not exception-safe, so every Qt event
// handler, event filter, timer and slot of the framework runs its body through Dispatch: an exception the
// body lets out is kept (the first one), the event loop is asked to end, and RuntimeRun raises it again once
// the loop has returned. While such a body runs, widgets are deleted only later, since the event being
// handled may be one of theirs.
#pragma once

#include <cstdint>
#include <functional>

class QObject;
class QWidget;

namespace platform::qt {

// Marks a stretch of code that runs inside a Qt event of one of the framework's widgets.
class EventScope {
public:
    EventScope();
    ~EventScope();
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;
};

// Runs `body` from inside a Qt event: within an EventScope, through detail::DispatchToProgram. Returns false
// when it threw.
bool Dispatch(const std::function<void()>& body);
// Deletes `object` now, or later while an EventScope is open.
void DeleteWhenSafe(QObject* object);
// Hides a widget and deletes it as DeleteWhenSafe does.
void DisposeWidget(QWidget* widget);
// Ends the event loop if RuntimeRun is in it, else makes RuntimeRun return at once (Lifecycle.cpp).
void EndEventLoop(std::int32_t code);

}  // namespace platform::qt
