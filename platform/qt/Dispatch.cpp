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

// Marks the stretch of code in which a body that Dispatch runs is under way.
class EventScope {
public:
    EventScope() { ++gEventDepth; }
    ~EventScope() { --gEventDepth; }
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;
};

}  // namespace

bool qt::Dispatch(FunctionRef body) {
    const EventScope scope;
    std::exception_ptr escaped;
    try {
        if (ExceptionHelper helper = detail::RuntimeGetExceptionHelper()) {
            escaped = helper(body.Function(), body.Target());
        } else {
            body();
        }
    } catch (...) {
        escaped = std::current_exception();
    }
    if (!escaped) return true;
    if (!gDispatched) gDispatched = escaped;
    EndEventLoop(1);
    return false;
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

std::exception_ptr detail::TakeDispatchedException() { return std::exchange(gDispatched, nullptr); }

}  // namespace platform
