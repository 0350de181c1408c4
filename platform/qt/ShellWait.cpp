// The shell runner's wait on Qt: while a command runs, the runner calls pump() between its polls, which lets
// Qt process events so that windows keep painting and the progress wheel keeps turning. No program handler
// is entered meanwhile: an application event filter swallows mouse, key, wheel, shortcut and context-menu
// input; drop areas accept drags without raising DragOver and keep their drops; a window's close request
// is kept too and makes pump() answer false, so that the runner stops the command. Once the run is over
// and control is back in the event loop, a zero-time timer delivers the kept closes, then the kept drops
// (DropObject, then DragExit), one at a time; drops of a window that has closed are let go.
//
// ExcludeUserInputEvents is not used to hold input back: on X11 it lets drops through and holds back the
// window manager's close request.
//
// RuntimeInit installs the wait (Lifecycle.cpp).
#include "ShellWait.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <deque>
#include <memory>

#include "ControlImpl.h"
#include "WindowImpl.h"
#include "platform/Shell.h"
#include "platform/detail/Internal.h"
#include "platform/detail/ShellWaitHook.h"

namespace platform::qt::shellwait {

namespace {

class InputFilter : public QObject {
protected:
    // Looks at the event's type only and enters no program code, so nothing can throw here.
    bool eventFilter(QObject*, QEvent* event) override { return Held(event->type()); }

private:
    static bool Held(QEvent::Type type) noexcept {
        switch (type) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::NonClientAreaMouseButtonPress:
            case QEvent::NonClientAreaMouseButtonRelease:
            case QEvent::NonClientAreaMouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::Shortcut:
            case QEvent::ShortcutOverride:
            case QEvent::ContextMenu:
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd:
            case QEvent::TabletPress:
            case QEvent::TabletRelease:
            case QEvent::TabletMove:
                return true;
            default:
                return false;
        }
    }
};

struct KeptDrop {
    WeakRef<RectControl> control;
    Ref<DragItem> item;
    std::int32_t action;
};

struct State {
    std::unique_ptr<InputFilter> filter;
    std::vector<WeakRef<Window>> closes;
    std::deque<KeptDrop> drops;
    bool flushScheduled = false;
};

State& TheState() {
    static State state;
    return state;
}

// The shell runner counts the runs that wait (detail::ShellWaitDepth): the first one installs the filter,
// the last one to end takes it off.
void Begin() {
    State& state = TheState();
    if (detail::ShellWaitDepth() > 1) return;
    if (!state.filter) state.filter = std::make_unique<InputFilter>();
    if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(state.filter.get());
}

bool Pump() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // What that round posted (the repaint a timer tick asked for) is handled now, not a pump later.
    QCoreApplication::sendPostedEvents();
    // A window asked to close: the command must not keep it open.
    return TheState().closes.empty();
}

void End() {
    State& state = TheState();
    if (!detail::ShellWaiting() && state.filter) {
        if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(state.filter.get());
    }
    ScheduleFlush();
}

void FlushNow() {
    State& state = TheState();
    state.flushScheduled = false;
    if (Running()) return;  // the end of the run schedules the next flush
    while (!state.closes.empty()) {
        const Ref<Window> window = state.closes.front().lock();
        state.closes.erase(state.closes.begin());
        if (window && windows::IsRegistered(*window)) detail::ImplOf(*window).CloseNow();
        if (Running()) break;
    }
    if (!Running() && !state.drops.empty()) {
        KeptDrop drop = std::move(state.drops.front());
        state.drops.pop_front();
        const Ref<RectControl> control = drop.control.lock();
        const Ref<Window> window = control ? control->ParentWindow() : nullptr;
        if (control && window && windows::IsRegistered(*window))
            controls::DeliverDrop(*control, drop.item, drop.action);
    }
    if (!state.closes.empty() || !state.drops.empty()) ScheduleFlush();
}

void Flush() { Dispatch(&FlushNow); }

}  // namespace

void Install() { detail::SetShellWaitHook(detail::ShellWaitHook{&Begin, &Pump, &End}); }

bool Running() { return detail::ShellWaiting(); }

void QueueDrop(const Ref<RectControl>& control, const Ref<DragItem>& item, std::int32_t action) {
    TheState().drops.push_back(KeptDrop{control, item, action});
}

bool DropsPending() { return !TheState().drops.empty(); }

void QueueClose(const Ref<Window>& window) {
    if (!window) return;
    auto& closes = TheState().closes;
    for (const WeakRef<Window>& kept : closes) {
        if (kept.lock() == window) return;
    }
    closes.push_back(window);
}

void ScheduleFlush() {
    State& state = TheState();
    if (state.flushScheduled || !QCoreApplication::instance()) return;
    state.flushScheduled = true;
    QTimer::singleShot(0, QCoreApplication::instance(), &Flush);
}

}  // namespace platform::qt::shellwait
