// The boundary between Qt's event dispatch and the program (Dispatch.h): the program dispatch, the exception
// it keeps for RuntimeRun, and the deletion of widgets from inside their own events.
#include "Dispatch.h"

#include <QObject>
#include <QWidget>
#include <exception>
#include <utility>

#include "platform/Runtime.h"
#include "platform/detail/Internal.h"
#include "platform/detail/RuntimeHooks.h"

namespace platform {

namespace {

int gEventDepth = 0;
std::exception_ptr gDispatched;  // the first exception a program handler let out

void CallHandler(void* handler) { (*static_cast<const std::function<void()>*>(handler))(); }

// Marks the stretch of code in which a body that Dispatch runs is under way.
class EventScope {
public:
    EventScope() { ++gEventDepth; }
    ~EventScope() { --gEventDepth; }
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;
};

}  // namespace

bool qt::Dispatch(const std::function<void()>& body) {
    const EventScope scope;
    return detail::DispatchToProgram(body);
}

void qt::DeleteWhenSafe(QObject* object) {
    if (!object) return;
    if (gEventDepth > 0)
        object->deleteLater();
    else
        delete object;
}

void qt::DisposeWidget(QWidget* widget) {
    if (!widget) return;
    widget->hide();
    DeleteWhenSafe(widget);
}

bool detail::DispatchToProgram(const std::function<void()>& handler) {
    std::exception_ptr escaped;
    try {
        if (ExceptionHelper helper = RuntimeGetExceptionHelper()) {
            escaped = helper(&CallHandler, const_cast<void*>(static_cast<const void*>(&handler)));
        } else {
            handler();
        }
    } catch (...) {
        escaped = std::current_exception();
    }
    if (!escaped) return true;
    if (!gDispatched) gDispatched = escaped;
    qt::EndEventLoop(1);
    return false;
}

std::exception_ptr detail::TakeDispatchedException() { return std::exchange(gDispatched, nullptr); }

}  // namespace platform
