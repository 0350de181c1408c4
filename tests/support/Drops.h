// Real Qt drags for tests: mime data of file URLs (from raw path bytes), plain text or web addresses, sent
// as QDragEnterEvent / QDragMoveEvent / QDropEvent / QDragLeaveEvent with QApplication::sendEvent to a text
// area's editor viewport, where a drag from another program arrives.
#pragma once

#include <QMimeData>
#include <QPoint>
#include <QStringList>
#include <QUrl>
#include <memory>
#include <string>
#include <vector>

#include "platform/Controls.h"

class QWidget;

namespace testsupport {

// A file URL whose path is exactly `path`'s bytes (every byte that needs it percent-encoded, so names
// that are not UTF-8 survive).
QUrl FileUrl(const std::string& path);
// Mime data carrying file URLs, in order.
std::unique_ptr<QMimeData> FileUrlData(const std::vector<std::string>& paths);
// Mime data carrying plain text only.
std::unique_ptr<QMimeData> TextData(const QString& text);
// Mime data carrying web addresses (URLs that are not local files).
std::unique_ptr<QMimeData> WebUrlData(const QStringList& urls);
// Mime data whose URI list is exactly `list`'s bytes, as another program may send it.
std::unique_ptr<QMimeData> UriListData(const QByteArray& list);

// What a file manager offers: copy, move or link.
inline constexpr Qt::DropActions kFileManagerActions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;

// How the target answered each step of a drag.
struct DragOutcome {
    bool enterAccepted = false;
    bool moveAccepted = false;
    bool dropAccepted = false;
    Qt::DropAction dropAction = Qt::IgnoreAction;  // the action the target chose for the drop
};

// The viewport of a text area's editor: where drags arrive.
QWidget* DropTarget(const platform::TextArea& area);
// Where the steps point by default: the viewport's centre.
QPoint Centre(const QWidget* target);

// Single steps, each sent with QApplication::sendEvent; each returns whether the target accepted it.
bool SendDragEnter(QWidget* target, const QMimeData& data, Qt::DropActions offered = kFileManagerActions);
bool SendDragMove(QWidget* target, const QMimeData& data, Qt::DropActions offered = kFileManagerActions);
// `chosen`, when given, receives the action the target chose.
bool SendDrop(QWidget* target, const QMimeData& data, Qt::DropActions offered = kFileManagerActions,
              Qt::DropAction* chosen = nullptr);
void SendDragLeave(QWidget* target);

// A whole drag that ends on the area: enter, move, drop.
DragOutcome DropOn(const platform::TextArea& area, const QMimeData& data,
                   Qt::DropActions offered = kFileManagerActions);
// A whole drag that passes over the area: enter, move, leave.
DragOutcome DragAcross(const platform::TextArea& area, const QMimeData& data,
                       Qt::DropActions offered = kFileManagerActions);
// A whole drag that ends on the area as the window system delivers one: enter, move and drop sent to the
// area's top-level window, which hands them on to the widget under the pointer.
DragOutcome DropThroughWindow(const platform::TextArea& area, const QMimeData& data,
                              Qt::DropActions offered = kFileManagerActions);
// The same, ending on the centre of any widget of the window.
DragOutcome DropThroughWindow(QWidget* target, const QMimeData& data,
                              Qt::DropActions offered = kFileManagerActions);

}  // namespace testsupport
