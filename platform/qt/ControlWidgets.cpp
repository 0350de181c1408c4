// The control widgets' Qt event handling: mouse presses and entry on labels, clicks on buttons, and file
// drags on text areas, which replace Qt's own text drops. While a shell command runs, a drag is accepted
// without reaching the program and a drop is kept until the run is over (ShellWait.cpp).
#include "ControlWidgets.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QUrl>

#include "ShellWait.h"
#include "WindowImpl.h"
#include "platform/FileType.h"

namespace platform::qt {

namespace {

// The exact bytes of a local file URL's path: taken from its percent-encoded form, so that names that are
// not UTF-8 survive.
std::string PathBytes(const QUrl& url) {
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

std::int32_t ActionCode(Qt::DropAction action) {
    switch (action) {
        case Qt::CopyAction: return kDragActionCopy;
        case Qt::LinkAction: return kDragActionLink;
        default: return kDragActionDefault;
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------------------------
// Label
// ---------------------------------------------------------------------------------------------------------------

LabelWidget::LabelWidget() { setTextFormat(Qt::PlainText); }

void LabelWidget::mousePressEvent(QMouseEvent* event) {
    windows::EventScope scope;
    if (owner && event->button() == Qt::LeftButton) {
        const QPoint at = event->position().toPoint();
        const Value taken = controls::RaiseFromQt(*owner, event::kLabelMouseDown,
                                                  {Value(std::int32_t(at.x())), Value(std::int32_t(at.y()))});
        const bool* yes = std::get_if<bool>(&taken);
        mouseDownTaken_ = yes && *yes;
        if (mouseDownTaken_) {
            event->accept();
            return;
        }
    }
    QLabel::mousePressEvent(event);
}

void LabelWidget::mouseReleaseEvent(QMouseEvent* event) {
    windows::EventScope scope;
    if (owner && mouseDownTaken_ && event->button() == Qt::LeftButton) {
        mouseDownTaken_ = false;
        const QPoint at = event->position().toPoint();
        controls::RaiseFromQt(*owner, event::kLabelMouseUp, {Value(std::int32_t(at.x())), Value(std::int32_t(at.y()))});
        event->accept();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void LabelWidget::enterEvent(QEnterEvent* event) {
    windows::EventScope scope;
    if (owner) controls::RaiseFromQt(*owner, event::kMouseEnter, {});
    QLabel::enterEvent(event);
}

// ---------------------------------------------------------------------------------------------------------------
// Push button
// ---------------------------------------------------------------------------------------------------------------

ButtonWidget::ButtonWidget() {
    QObject::connect(this, &QPushButton::clicked, this, [this] {
        windows::EventScope scope;
        if (owner) controls::RaiseFromQt(*owner, event::kButtonAction, {});
    });
}

// ---------------------------------------------------------------------------------------------------------------
// Text area
// ---------------------------------------------------------------------------------------------------------------

TextAreaWidget::TextAreaWidget() { setAcceptDrops(false); }

void TextAreaWidget::ApplyLineSpacing(double spacing) {
    QTextBlockFormat format;
    format.setLineHeight(spacing * 100.0, QTextBlockFormat::ProportionalHeight);
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.mergeBlockFormat(format);
}

void TextAreaWidget::SetMultiline(bool multiline) {
    multiline_ = multiline;
    setLineWrapMode(multiline ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TextAreaWidget::keyPressEvent(QKeyEvent* event) {
    if (!multiline_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

bool TextAreaWidget::Admits(const QMimeData* mime) const {
    if (!owner || !mime || !mime->hasUrls()) return false;
    const std::vector<std::string>& types = owner->Impl().fileTypes;
    if (types.empty()) return false;
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile()) continue;
        const std::string path = PathBytes(url);
        for (const std::string& type : types) {
            if (FileTypeAdmits(type, path)) return true;
        }
    }
    return false;
}

Ref<DragItem> TextAreaWidget::FirstItem(const QMimeData* mime) {
    const QList<QUrl> urls = mime->urls();
    Ref<FolderItem> file;
    if (!urls.isEmpty() && urls.front().isLocalFile()) file = std::make_shared<FolderItem>(PathBytes(urls.front()));
    return std::make_shared<DragItem>(file);
}

Qt::DropAction TextAreaWidget::ChosenAction(Qt::DropActions offered) {
    if (offered & Qt::CopyAction) return Qt::CopyAction;
    if (offered & Qt::LinkAction) return Qt::LinkAction;
    return Qt::IgnoreAction;
}

void TextAreaWidget::TakeDrag(QDragMoveEvent* event) {
    windows::EventScope scope;
    event->ignore();
    if (!Admits(event->mimeData())) return;
    const Qt::DropAction action = ChosenAction(event->possibleActions());
    if (action == Qt::IgnoreAction) return;
    if (!shellwait::Running()) {
        // Positions in the control's own coordinates; the event comes from the viewport.
        const QPoint at = viewport()->mapTo(this, event->position().toPoint());
        current_ = FirstItem(event->mimeData());
        inside_ = true;
        const Value refused = controls::RaiseFromQt(
            *owner, event::kDragOver,
            {Value(std::int32_t(at.x())), Value(std::int32_t(at.y())), Value(Ref<Object>(current_)),
             Value(ActionCode(action))});
        if (const bool* yes = std::get_if<bool>(&refused); yes && *yes) return;
    }
    event->setDropAction(action);
    event->accept();
}

void TextAreaWidget::dragEnterEvent(QDragEnterEvent* event) { TakeDrag(event); }

void TextAreaWidget::dragMoveEvent(QDragMoveEvent* event) { TakeDrag(event); }

void TextAreaWidget::dragLeaveEvent(QDragLeaveEvent* event) {
    windows::EventScope scope;
    event->accept();
    const bool wasInside = std::exchange(inside_, false);
    const Ref<DragItem> item = std::move(current_);
    current_.reset();
    if (wasInside && owner && !shellwait::Running()) {
        controls::RaiseFromQt(*owner, event::kDragExit, {Value(Ref<Object>(item)), Value(kDragActionDefault)});
    }
}

void TextAreaWidget::dropEvent(QDropEvent* event) {
    windows::EventScope scope;
    event->ignore();
    inside_ = false;
    current_.reset();
    if (!Admits(event->mimeData())) return;
    const Qt::DropAction action = ChosenAction(event->possibleActions());
    if (action == Qt::IgnoreAction) return;
    event->setDropAction(action);
    event->accept();

    const Ref<DragItem> item = FirstItem(event->mimeData());
    const auto control = std::static_pointer_cast<RectControl>(owner->weak_from_this().lock());
    if (!control) return;
    // A drop from another program is delivered from the event loop once the window system's drop has been
    // answered: on X11 a comparison run inside the XDND drop leaves the drag unfinished, and a drag that comes
    // meanwhile is refused.
    if (event->spontaneous() || shellwait::Running() || shellwait::DropsPending()) {
        shellwait::QueueDrop(control, item, ActionCode(action));
        shellwait::ScheduleFlush();
        return;
    }
    controls::DeliverDrop(*control, item, ActionCode(action));
}

}  // namespace platform::qt
