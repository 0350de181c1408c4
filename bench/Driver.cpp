// The benchmarks' driver of the program (Driver.h): start-up as early start-up does it, drops, reading back.
#include "bench/Driver.h"

#include <QApplication>
#include <QByteArray>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QEvent>
#include <QLabel>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <QtGlobal>

#include "app/FileTypes1.h"
#include "app/Startup.h"
#include "platform/qt/QtAccess.h"

namespace corvantil::bench {

namespace {

QtMessageHandler qtHandler = nullptr;

void DropOffscreenNotices(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && IsOffscreenNotice(message.toStdString())) return;
    qtHandler(type, context, message);
}

}  // namespace

void QuietOffscreenNotices() {
    if (!qtHandler) qtHandler = qInstallMessageHandler(&DropOffscreenNotices);
}

bool IsOffscreenNotice(std::string_view line) { return line == "This plugin does not support raise()"; }

void PrepareFramework() {
    ConfigureRuntime();
    platform::RuntimeInit();
    platform::RuntimeInitExternalClasses();
    InitPluginEntrypoints();
    if (!FileTypes1::pSpecialAny) FileTypes1::Initialize();
}

bool DropPath(const MainWIndow& window, int side, const std::string& path) {
    auto area = platform::RuntimeCheckCast<platform::TextArea>(
        window.ControlByName(side == 1 ? "TextArea1" : "TextArea2"));
    QWidget* viewport = platform::qt::DropViewport(*area);
    QMimeData data;
    data.setUrls({QUrl::fromEncoded("file://" + QByteArray::fromStdString(path).toPercentEncoding("/"))});
    const QPoint at = viewport->rect().center();
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;

    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    if (!enter.isAccepted()) return false;
    QDragMoveEvent move(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QDropEvent drop(QPointF(at), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    return drop.isAccepted();
}

std::string ResultText(const MainWIndow& window) {
    auto* label = qobject_cast<QLabel*>(platform::qt::ControlWidget(*window.ControlByName("ResultLabel")));
    return label ? label->text().toStdString() : std::string();
}

QWidget* TopLevel(const MainWIndow& window) { return platform::qt::TopLevelWidget(window); }

QWidget* WheelWidget(const MainWIndow& window) {
    return platform::qt::ControlWidget(*window.ControlByName("ProgressWheel1"));
}

PaintWatch::PaintWatch(QWidget* wheel) : wheel_(wheel) { wheel_->installEventFilter(this); }

PaintWatch::~PaintWatch() {
    if (wheel_) wheel_->removeEventFilter(this);
}

void PaintWatch::Reset() {
    longest_ = std::chrono::nanoseconds(0);
    paints_ = 0;
}

std::chrono::nanoseconds PaintWatch::LongestGap() const {
    // A showing that is still going on counts up to now.
    if (shown_) return std::max(longest_, std::chrono::nanoseconds(Clock::now() - last_));
    return longest_;
}

bool PaintWatch::eventFilter(QObject* watched, QEvent* event) {
    if (watched == wheel_) {
        const auto now = Clock::now();
        switch (event->type()) {
            case QEvent::Show:
                shown_ = true;
                last_ = now;
                break;
            case QEvent::Paint:
                if (shown_) longest_ = std::max(longest_, std::chrono::nanoseconds(now - last_));
                last_ = now;
                ++paints_;
                break;
            case QEvent::Hide:
                // The time since the last paint counts too: the wheel stood still until it was hidden.
                if (shown_) longest_ = std::max(longest_, std::chrono::nanoseconds(now - last_));
                shown_ = false;
                break;
            default:
                break;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace corvantil::bench
