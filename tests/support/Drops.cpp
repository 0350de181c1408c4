// Real Qt drags for tests (Drops.h).
#include "Drops.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QPlainTextEdit>
#include <QWidget>
#include <QWindow>

#include "platform/qt/QtAccess.h"

namespace testsupport {

QUrl FileUrl(const std::string& path) {
    const QByteArray encoded =
        QByteArray(path.data(), static_cast<qsizetype>(path.size())).toPercentEncoding("/");
    return QUrl::fromEncoded("file://" + encoded, QUrl::StrictMode);
}

std::unique_ptr<QMimeData> FileUrlData(const std::vector<std::string>& paths) {
    QList<QUrl> urls;
    for (const std::string& path : paths) urls.push_back(FileUrl(path));
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    return data;
}

std::unique_ptr<QMimeData> TextData(const QString& text) {
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    return data;
}

std::unique_ptr<QMimeData> WebUrlData(const QStringList& urls) {
    QList<QUrl> list;
    for (const QString& url : urls) list.push_back(QUrl(url));
    auto data = std::make_unique<QMimeData>();
    data->setUrls(list);
    return data;
}

namespace {

// QMimeData::setData reads a URI list into URLs and writes them out again, mending what is malformed; the
// window system hands over the bytes as the other program sent them.
class RawUriListData : public QMimeData {
public:
    explicit RawUriListData(QByteArray list) : list_(std::move(list)) {}
    bool hasFormat(const QString& format) const override { return format == kFormat; }
    QStringList formats() const override { return {kFormat}; }

protected:
    QVariant retrieveData(const QString& format, QMetaType) const override {
        return format == kFormat ? QVariant(list_) : QVariant();
    }

private:
    inline static const QString kFormat = QStringLiteral("text/uri-list");
    QByteArray list_;
};

}  // namespace

std::unique_ptr<QMimeData> UriListData(const QByteArray& list) {
    return std::make_unique<RawUriListData>(list);
}

QWidget* DropTarget(const platform::TextArea& area) { return platform::qt::DropViewport(area); }

QPoint Centre(const QWidget* target) { return target->rect().center(); }

bool SendDragEnter(QWidget* target, const QMimeData& data, Qt::DropActions offered) {
    QDragEnterEvent event(Centre(target), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
    return event.isAccepted();
}

bool SendDragMove(QWidget* target, const QMimeData& data, Qt::DropActions offered) {
    QDragMoveEvent event(Centre(target), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
    return event.isAccepted();
}

bool SendDrop(QWidget* target, const QMimeData& data, Qt::DropActions offered, Qt::DropAction* chosen) {
    QDropEvent event(QPointF(Centre(target)), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
    if (chosen) *chosen = event.isAccepted() ? event.dropAction() : Qt::IgnoreAction;
    return event.isAccepted();
}

void SendDragLeave(QWidget* target) {
    QDragLeaveEvent event;
    QApplication::sendEvent(target, &event);
}

DragOutcome DropOn(const platform::TextArea& area, const QMimeData& data, Qt::DropActions offered) {
    QWidget* target = DropTarget(area);
    DragOutcome outcome;
    outcome.enterAccepted = SendDragEnter(target, data, offered);
    outcome.moveAccepted = SendDragMove(target, data, offered);
    outcome.dropAccepted = SendDrop(target, data, offered, &outcome.dropAction);
    return outcome;
}

DragOutcome DragAcross(const platform::TextArea& area, const QMimeData& data, Qt::DropActions offered) {
    QWidget* target = DropTarget(area);
    DragOutcome outcome;
    outcome.enterAccepted = SendDragEnter(target, data, offered);
    outcome.moveAccepted = SendDragMove(target, data, offered);
    SendDragLeave(target);
    return outcome;
}

DragOutcome DropThroughWindow(const platform::TextArea& area, const QMimeData& data,
                              Qt::DropActions offered) {
    return DropThroughWindow(DropTarget(area), data, offered);
}

DragOutcome DropThroughWindow(QWidget* target, const QMimeData& data, Qt::DropActions offered) {
    QWidget* top = target->window();
    QWindow* window = top->windowHandle();
    DragOutcome outcome;
    if (!window) return outcome;
    const QPoint at = target->mapTo(top, Centre(target));
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    outcome.enterAccepted = enter.isAccepted();
    QDragMoveEvent move(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &move);
    outcome.moveAccepted = move.isAccepted();
    QDropEvent drop(QPointF(at), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    outcome.dropAccepted = drop.isAccepted();
    outcome.dropAction = drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    return outcome;
}

}  // namespace testsupport
