// The control widgets' Qt event handling: mouse presses and entry on labels, clicks on buttons, and file
// drags on text areas, which replace Qt's own text drops. While a shell command runs, a drag is accepted
// without reaching the program and a drop is kept until the run is over (ShellWait.cpp). Every handler runs
// inside the program dispatch (Dispatch.h), so that nothing it throws crosses Qt.
#include "ControlWidgets.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <string_view>
#include <utility>

#include "ShellWait.h"
#include "WindowImpl.h"
#include "platform/FileType.h"

namespace platform::qt {

namespace {

// The local files a drag names, from the raw bytes of its URI list, so that names that are not UTF-8 survive.
std::vector<std::string> LocalPaths(const QMimeData* mime) {
    const QString uriList = QStringLiteral("text/uri-list");
    if (!mime || !mime->hasFormat(uriList)) return {};
    const QByteArray list = mime->data(uriList);
    return LocalPathsOfUriList(std::string_view(list.constData(), static_cast<std::size_t>(list.size())));
}

// Drops that the window system delivers (another program's, or this program's own through the platform) reach
// the top-level window first, which hands them on to the widget under the pointer. Qt sends them there as
// ordinary events, not spontaneous ones, so this filter on the application delivers each window drop itself
// and holds a mark for exactly as long as that delivery lasts: a drop that reaches a text area meanwhile is
// the window system's. Nothing of a drop is kept once it has passed, whether or not an area took it.
class WindowSystemDrops : public QObject {
public:
    static WindowSystemDrops& Watch() {
        static WindowSystemDrops* const watch = [] {
            auto* made = new WindowSystemDrops(QCoreApplication::instance());
            QCoreApplication::instance()->installEventFilter(made);
            return made;
        }();
        return *watch;
    }

    // True when `event` is the drop the window system is delivering; the mark is taken, so that one area at
    // most takes it.
    bool Take(const QDropEvent& event) {
        return delivering_ && std::exchange(delivering_, nullptr)->mimeData() == event.mimeData();
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (event->type() != QEvent::Drop || !receiver->isWindowType() || event == sending_) return false;
        // Sent again, through every filter, with the mark held; the first sending then goes no further.
        const Mark mark(*this, static_cast<QDropEvent*>(event));
        QCoreApplication::sendEvent(receiver, event);
        return true;
    }

private:
    using QObject::QObject;

    // The mark of one window drop, for as long as it is being delivered.
    class Mark {
    public:
        Mark(WindowSystemDrops& drops, QDropEvent* event)
            : drops_(drops),
              sending_(std::exchange(drops.sending_, event)),
              delivering_(std::exchange(drops.delivering_, event)) {}
        ~Mark() {
            drops_.sending_ = sending_;
            drops_.delivering_ = delivering_;
        }
        Mark(const Mark&) = delete;
        Mark& operator=(const Mark&) = delete;

    private:
        WindowSystemDrops& drops_;
        const QEvent* sending_;
        const QDropEvent* delivering_;
    };

    const QEvent* sending_ = nullptr;         // the window drop being sent again, which passes unfiltered
    const QDropEvent* delivering_ = nullptr;  // the window drop under way that no area has taken yet
};

std::int32_t ActionCode(Qt::DropAction action) {
    switch (action) {
        case Qt::CopyAction:
            return kDragActionCopy;
        case Qt::LinkAction:
            return kDragActionLink;
        default:
            return kDragActionDefault;
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------------------------
// Label
// ---------------------------------------------------------------------------------------------------------------

LabelWidget::LabelWidget() { setTextFormat(Qt::PlainText); }

void LabelWidget::mousePressEvent(QMouseEvent* event) {
    Dispatch([&] {
        if (owner && event->button() == Qt::LeftButton) {
            const QPoint at = event->position().toPoint();
            const Value taken = controls::RaiseFromQt(
                *owner, event::kLabelMouseDown, {Value(std::int32_t(at.x())), Value(std::int32_t(at.y()))});
            const bool* yes = std::get_if<bool>(&taken);
            mouseDownTaken_ = yes && *yes;
            if (mouseDownTaken_) {
                event->accept();
                return;
            }
        }
        QLabel::mousePressEvent(event);
    });
}

void LabelWidget::mouseReleaseEvent(QMouseEvent* event) {
    Dispatch([&] {
        if (owner && mouseDownTaken_ && event->button() == Qt::LeftButton) {
            mouseDownTaken_ = false;
            const QPoint at = event->position().toPoint();
            controls::RaiseFromQt(*owner, event::kLabelMouseUp,
                                  {Value(std::int32_t(at.x())), Value(std::int32_t(at.y()))});
            event->accept();
            return;
        }
        QLabel::mouseReleaseEvent(event);
    });
}

void LabelWidget::enterEvent(QEnterEvent* event) {
    Dispatch([&] {
        if (owner) controls::RaiseFromQt(*owner, event::kMouseEnter, {});
        QLabel::enterEvent(event);
    });
}

// ---------------------------------------------------------------------------------------------------------------
// Push button
// ---------------------------------------------------------------------------------------------------------------

ButtonWidget::ButtonWidget() {
    QObject::connect(this, &QPushButton::clicked, this, [this] {
        Dispatch([this] {
            if (owner) controls::RaiseFromQt(*owner, event::kButtonAction, {});
        });
    });
}

// ---------------------------------------------------------------------------------------------------------------
// Text area
// ---------------------------------------------------------------------------------------------------------------

TextAreaWidget::TextAreaWidget() {
    setAcceptDrops(false);
    WindowSystemDrops::Watch();
    QObject::connect(this, &QPlainTextEdit::textChanged, this, [this] {
        Dispatch([this] {
            if (owner) EnforceLimit(detail::ImplOf(*owner).limitText);
        });
    });
}

void TextAreaWidget::EnforceLimit(std::int32_t limit) {
    if (limit <= 0) return;
    const QString text = toPlainText();
    if (text.size() <= limit) return;
    QTextCursor cursor(document());
    cursor.setPosition(limit);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

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
    Dispatch([&] {
        if (!multiline_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
            event->ignore();
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    });
}

TextAreaWidget::Carried TextAreaWidget::Read(const QMimeData* mime) const {
    try {
        const std::vector<std::string> paths = LocalPaths(mime);
        if (!owner || paths.empty()) return {};
        const std::vector<std::string>& types = detail::ImplOf(*owner).fileTypes;
        const auto admitted = [&](const std::string& path) {
            return std::any_of(types.begin(), types.end(),
                               [&](const std::string& type) { return FileTypeAdmits(type, path); });
        };
        if (std::none_of(paths.begin(), paths.end(), admitted)) return {};
        return Carried{true, std::make_shared<DragItem>(std::make_shared<FolderItem>(paths.front()))};
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: refused a drag whose data could not be read: %s\n",
                     RuntimeGetProgramSettings().name.c_str(), e.what());
    } catch (...) {
        std::fprintf(stderr, "%s: refused a drag whose data could not be read\n",
                     RuntimeGetProgramSettings().name.c_str());
    }
    std::fflush(stderr);
    return {};
}

Qt::DropAction TextAreaWidget::ChosenAction(Qt::DropActions offered) {
    if (offered & Qt::CopyAction) return Qt::CopyAction;
    if (offered & Qt::LinkAction) return Qt::LinkAction;
    return Qt::IgnoreAction;
}

void TextAreaWidget::TakeDrag(QDragMoveEvent* event) {
    event->ignore();
    const Qt::DropAction action = ChosenAction(event->possibleActions());
    if (action == Qt::IgnoreAction) return;
    Carried carried = Read(event->mimeData());
    if (!carried.admitted) return;
    if (!shellwait::Running()) {
        // Positions in the control's own coordinates; the event comes from the viewport.
        const QPoint at = viewport()->mapTo(this, event->position().toPoint());
        current_ = std::move(carried.item);
        inside_ = true;
        const Value refused =
            controls::RaiseFromQt(*owner, event::kDragOver,
                                  {Value(std::int32_t(at.x())), Value(std::int32_t(at.y())),
                                   Value(Ref<Object>(current_)), Value(ActionCode(action))});
        if (const bool* yes = std::get_if<bool>(&refused); yes && *yes) return;
    }
    event->setDropAction(action);
    event->accept();
}

void TextAreaWidget::dragEnterEvent(QDragEnterEvent* event) {
    Dispatch([&] { TakeDrag(event); });
}

void TextAreaWidget::dragMoveEvent(QDragMoveEvent* event) {
    Dispatch([&] { TakeDrag(event); });
}

void TextAreaWidget::dragLeaveEvent(QDragLeaveEvent* event) {
    Dispatch([&] {
        event->accept();
        const bool wasInside = std::exchange(inside_, false);
        const Ref<DragItem> item = std::move(current_);
        current_.reset();
        if (wasInside && owner && !shellwait::Running()) {
            controls::RaiseFromQt(*owner, event::kDragExit,
                                  {Value(Ref<Object>(item)), Value(kDragActionDefault)});
        }
    });
}

void TextAreaWidget::dropEvent(QDropEvent* event) {
    Dispatch([&] {
        const bool fromWindowSystem = WindowSystemDrops::Watch().Take(*event);
        event->ignore();
        inside_ = false;
        current_.reset();
        const Qt::DropAction action = ChosenAction(event->possibleActions());
        if (action == Qt::IgnoreAction) return;
        const Carried carried = Read(event->mimeData());
        if (!carried.admitted) return;
        event->setDropAction(action);
        event->accept();

        const auto control = std::static_pointer_cast<RectControl>(owner->weak_from_this().lock());
        if (!control) return;
        // A drop the window system delivers reaches the program from the event loop once it has been
        // answered: on X11 the source hears back only when this handler returns, so a comparison run inside
        // it would keep the other program's drag open for the whole run.
        if (fromWindowSystem || shellwait::Running() || shellwait::DropsPending()) {
            shellwait::QueueDrop(control, carried.item, ActionCode(action));
            shellwait::ScheduleFlush();
            return;
        }
        controls::DeliverDrop(*control, carried.item, ActionCode(action));
    });
}

}  // namespace platform::qt
