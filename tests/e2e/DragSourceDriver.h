// Drives e2e_drag_source, the tests' own drag-source program: tells it what to carry, then drags from its
// window with the pointer, as a person drags an item out of another application.
#pragma once

#include <QPoint>
#include <QProcess>
#include <QString>
#include <QStringList>

#include "X11Session.h"

namespace e2e {

// Where the source's window sits: clear of the main window, which the window manager centres on the screen.
inline const QPoint kDragSourcePlace(1100, 860);
// A spot of bare desktop, away from every window, where a drag is over nothing.
inline const QPoint kBareDesktop(80, 960);

class DragSourceDriver {
public:
    explicit DragSourceDriver(const X11Session& session) : session_(session) {}
    ~DragSourceDriver();
    DragSourceDriver(const DragSourceDriver&) = delete;
    DragSourceDriver& operator=(const DragSourceDriver&) = delete;

    bool start(QString* error);
    bool running() const { return process_.state() != QProcess::NotRunning; }

    // What the next drag carries.
    bool carryFiles(const QStringList& paths);
    bool carryText(const QString& text);
    bool carryWebAddress(const QString& address);
    // A URI list of exactly these lines, as another program may send it (no check that they are well formed).
    bool carryUriList(const QStringList& uris);

    // Presses the button on the source's window and moves the pointer to `target` in a few steps, the button
    // held down; the drag is then under way over whatever lies at `target`.
    bool pickUpAndMoveTo(const QPoint& target);
    // Moves the pointer on, the button still held.
    void moveTo(const QPoint& target);
    // Waits for the window under the pointer to say that it takes the drop, moving the pointer by a pixel now
    // and then meanwhile.
    bool waitForAcceptance();
    // Releases the button and waits for the drag to end; returns how it ended (ignore, copy, move, link) or
    // an empty string if it did not end.
    QString release();
    // After a drop: waits for the target's XdndFinished and returns how many milliseconds after the release
    // the source had it, or -1 if it did not come.
    int waitForAnswer();

    QString transcript() const { return lines_.join(QLatin1Char('\n')); }

private:
    bool command(const QString& line);
    // Waits for a report starting with `prefix` after the ones already consumed, and consumes up to it.
    QString waitForReport(const QString& prefix);
    void readReports();

    const X11Session& session_;
    QProcess process_;
    QStringList lines_;
    qsizetype consumed_ = 0;
    qsizetype dragStart_ = 0;  // the first report after the current drag's "started"
    QByteArray partial_;
    QPoint centre_;
    QPoint pointer_;
};

}  // namespace e2e
