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

// Runs `body` from inside a Qt event, through detail::DispatchToProgram; widgets are deleted only later
// meanwhile. Returns false when it threw.
bool Dispatch(const std::function<void()>& body);
// Deletes `object` now, or later while a body that Dispatch runs is under way.
void DeleteWhenSafe(QObject* object);
// Hides a widget and deletes it as DeleteWhenSafe does.
void DisposeWidget(QWidget* widget);
// Ends the event loop if RuntimeRun is in it, else makes RuntimeRun return at once (Lifecycle.cpp).
void EndEventLoop(std::int32_t code);

}  // namespace platform::qt
