// The Qt side of a control: its widget (made on first use, on the main thread), the settings its lists
// applied, its bound event handlers, and its place in the window (rectangle, anchors, parent control);
// ControlImpl.cpp makes and places the widget. Each control class hands in its ControlTraits.
#pragma once

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ListEntries.h"
#include "QtText.h"
#include "platform/Controls.h"
#include "platform/PropertyList.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "platform/detail/ImplAccess.h"

namespace platform {

namespace qt {
// Mixed into every control widget: the control it shows, cleared when the control goes before its widget.
class ControlLink {
public:
    RectControl* owner = nullptr;
};
}  // namespace qt

struct ControlImpl;

// What a control class hands RectControl's constructor: the list entries it takes, its focus policy with a
// tab stop and without one, its size before a list sets one, and the making of its widget.
struct ControlTraits {
    const qt::EntryTable<ControlImpl>& (*entries)();
    Qt::FocusPolicy focusable;
    Qt::FocusPolicy unfocusable;
    int width;
    int height;
    QWidget* (*make)(RectControl& owner);
};

// Makes a control widget of class W linked to its control.
template <class W>
QWidget* MakeLinkedWidget(RectControl& owner) {
    auto* widget = new W;
    widget->owner = &owner;
    return widget;
}

struct ControlImpl {
    ControlImpl(RectControl& self, const ControlTraits& traits);
    ~ControlImpl();
    ControlImpl(const ControlImpl&) = delete;
    ControlImpl& operator=(const ControlImpl&) = delete;

    // The widget, made on first use. NilObjectException once it has gone with its window.
    QWidget& Widget();
    template <class W>
    W& WidgetAs() {
        return static_cast<W&>(Widget());
    }
    bool HasWidget() const { return widget != nullptr; }

    // Puts the widget into its parent (the window's content, or the widget of the control named by
    // InitialParent) at the rectangle the lists gave in window coordinates, and remembers the parent's size
    // for the anchors.
    void Place();
    // Moves or stretches the widget for a new size of its parent, keeping its distances to the locked edges.
    void Anchor(QSize parentSize);
    // Takes the widget out of the window when another control takes this one's name: hidden (which stops a
    // wheel's timer), unlinked from this control, no longer following its parent, and deleted once safe.
    void Dispose();
    // The widget's top-left corner in the window's content coordinates.
    QPoint PositionInWindow() const;
    // Gives the widget the font the settings describe.
    void ApplyFont();

    RectControl& self;
    const ControlTraits& traits;
    QPointer<QWidget> widget;
    bool made = false;

    std::string name;
    WeakRef<Window> window;
    qt::Settings settings;
    std::map<std::int32_t, Ref<Delegate>> handlers;

    // Geometry as set, in window coordinates, and the anchors.
    int left = 0;
    int top = 0;
    int width;
    int height;
    bool lockLeft = true;
    bool lockTop = true;
    bool lockRight = false;
    bool lockBottom = false;
    std::string initialParent;
    QRect placed;                // in the parent widget's coordinates
    QSize parentSizeWhenPlaced;  // the parent's size when `placed` was set
    std::unique_ptr<QObject> anchorWatch;

    bool visible = true;
    std::int32_t tabIndex = 0;
    Ref<MouseCursor> cursor;
    std::vector<std::string> fileTypes;

    // Text and colours.
    qt::FontSpec font;
    Color textColor{};
    Color backColor{255, 255, 255, 0};
    bool hasBackColor = false;
    std::int32_t textAlign = 0;
    double lineSpacing = 1.0;
    std::int32_t limitText = 0;
    bool readOnly = false;
    bool isDefault = false;
    bool isCancel = false;

private:
    // Unlinks the widget from this control and takes the anchor filter off the parent it watches.
    void Detach();
};

// Controls' Qt-side services used by windows and by the shell wait.
namespace qt::controls {
// Raises a control event from inside a Qt event handler: through the program dispatch, never while a
// shell command runs, and only when a handler is bound. The control is kept alive meanwhile.
Value RaiseFromQt(RectControl& control, std::int32_t number, std::vector<Value> args);
// Delivers a drop held back while a shell command ran: DropObject, then DragExit.
void DeliverDrop(RectControl& control, const Ref<Object>& item, std::int32_t action);
}  // namespace qt::controls

}  // namespace platform
