// A control's Qt side (ControlImpl.h): its widget, made on first use, and its place in the window: the
// parent it joins, its rectangle there and the anchors that follow the parent's resizes.
#include "ControlImpl.h"

#include <QEvent>
#include <QResizeEvent>
#include <algorithm>
#include <utility>

#include "Dispatch.h"
#include "WindowImpl.h"

namespace platform {

namespace {

// Anchors: the widget follows its parent's resizes.
class AnchorWatch : public QObject {
public:
    explicit AnchorWatch(ControlImpl& control) : control_(control) {}
    QPointer<QWidget> watched;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() != QEvent::Resize || object != watched || !control_.HasWidget()) return false;
        qt::Dispatch([&] { control_.Anchor(static_cast<QResizeEvent*>(event)->size()); });
        return false;
    }

private:
    ControlImpl& control_;
};

}  // namespace

ControlImpl::ControlImpl(RectControl& owner, const ControlTraits& classTraits)
    : self(owner),
      traits(classTraits),
      width(classTraits.width),
      height(classTraits.height),
      anchorWatch(std::make_unique<AnchorWatch>(*this)) {}

ControlImpl::~ControlImpl() {
    Detach();
    // A widget in a window goes with the window; one that never joined a window goes with its control.
    if (widget && !widget->parentWidget()) qt::DisposeWidget(widget);
}

void ControlImpl::Detach() {
    if (auto* link = dynamic_cast<qt::ControlLink*>(widget.data())) link->owner = nullptr;
    auto& watch = static_cast<AnchorWatch&>(*anchorWatch);
    if (watch.watched) watch.watched->removeEventFilter(&watch);
    watch.watched = nullptr;
}

void ControlImpl::Dispose() {
    Detach();
    qt::DisposeWidget(widget);
}

QWidget& ControlImpl::Widget() {
    if (!made) {
        made = true;
        widget = traits.make(self);
        widget->setGeometry(left, top, width, height);
    }
    if (!widget) throw NilObjectException("the control \"" + name + "\" has lost its widget with its window");
    return *widget;
}

QPoint ControlImpl::PositionInWindow() const {
    if (!widget) return {left, top};
    const Ref<Window> owner = window.lock();
    if (!owner || !detail::ImplOf(*owner).content || !detail::ImplOf(*owner).content->isAncestorOf(widget))
        return {left, top};
    return widget->mapTo(detail::ImplOf(*owner).content.data(), QPoint(0, 0));
}

void ControlImpl::Place() {
    QWidget& own = Widget();
    QWidget* parent = nullptr;
    QPoint origin(0, 0);
    if (const Ref<Window> owner = window.lock(); owner && detail::ImplOf(*owner).HasWidgets()) {
        parent = &detail::ImplOf(*owner).Content();
        if (!initialParent.empty()) {
            const Ref<RectControl> host = owner->ControlByName(initialParent);
            if (host && host.get() != &self) {
                parent = &detail::ImplOf(*host).Widget();
                origin = detail::ImplOf(*host).PositionInWindow();
            }
        }
    }
    auto& watch = static_cast<AnchorWatch&>(*anchorWatch);
    if (parent && own.parentWidget() != parent) {
        own.setParent(parent);
        if (watch.watched) watch.watched->removeEventFilter(&watch);
        watch.watched = parent;
        parent->installEventFilter(&watch);
    }
    placed = QRect(left - origin.x(), top - origin.y(), width, height);
    parentSizeWhenPlaced = parent ? parent->size() : QSize();
    own.setGeometry(placed);
    if (parent) own.setVisible(visible);
}

void ControlImpl::Anchor(QSize parentSize) {
    if (!widget || !parentSizeWhenPlaced.isValid()) return;
    const int dw = parentSize.width() - parentSizeWhenPlaced.width();
    const int dh = parentSize.height() - parentSizeWhenPlaced.height();
    QRect rect = placed;
    if (lockRight) {
        if (lockLeft)
            rect.setWidth(std::max(0, placed.width() + dw));
        else
            rect.moveLeft(placed.left() + dw);
    }
    if (lockBottom) {
        if (lockTop)
            rect.setHeight(std::max(0, placed.height() + dh));
        else
            rect.moveTop(placed.top() + dh);
    }
    widget->setGeometry(rect);
}

void ControlImpl::ApplyFont() { Widget().setFont(qt::MakeFont(font)); }

}  // namespace platform
