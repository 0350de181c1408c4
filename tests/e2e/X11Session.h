// The X display the end-to-end tests run on: a private Xvfb with openbox as its window manager, the harness's
// own Qt connection to it for reading the screen, and the person's hands (pointer and keyboard through
// xdotool).
//
// One session per test process; it is started by the first test that needs it and stopped when the process's
// tests are done. Every process it starts dies with the harness.
#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <memory>

class QGuiApplication;

namespace e2e {

using namespace std::chrono_literals;

// How long any awaited condition may take before the test gives up on it.
inline constexpr std::chrono::milliseconds kPatience = 20s;

// Polls `condition` every 50 ms, serving the harness's events in between, until it holds or `limit` has
// passed.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = kPatience);

// Starts `program` so that it is killed when the harness dies, whatever the way.
void startChild(QProcess& process, const QString& program, const QStringList& arguments);

// Ends a child of the harness: asks it to terminate, then kills it if it has not gone after a while.
void stopChild(QProcess& process);

// Reads what `process` has written on its standard output so far and appends the complete lines to `lines`;
// the start of a line still being written waits in `partial`.
void readLines(QProcess& process, QByteArray& partial, QStringList& lines);

struct ToolResult {
    bool finished = false;  // ran to its end within the time allowed
    int exitCode = -1;
    QString output;  // standard output, trimmed
    QString errors;  // standard error, trimmed
};

// What xwininfo tells about a window.
struct WindowInfo {
    bool exists = false;
    bool viewable = false;
    QRect frame;  // the client area, in screen coordinates
};

class X11Session {
public:
    static bool xvfbInstalled();

    // The running session, started on first use; null with `error` set when it cannot start.
    static X11Session* get(QString* error);
    // Stops the session if one was started; the harness's Qt connection goes first.
    static void shutDown();

    ~X11Session();

    // The environment for a program shown on this display: the caller's own, with the display, the xcb
    // platform and private home and runtime folders.
    QProcessEnvironment programEnvironment() const;

    // Runs a command-line tool against the display; it is killed if it takes more than ten seconds.
    ToolResult run(const QString& tool, const QStringList& arguments) const;
    ToolResult xdotool(const QStringList& arguments) const {
        return run(QStringLiteral("xdotool"), arguments);
    }

    // Visible windows of process `pid` whose title matches the regular expression `title`.
    QList<qulonglong> visibleWindows(qint64 pid, const QString& title) const;
    WindowInfo windowInfo(qulonglong window) const;
    QString windowName(qulonglong window) const;

    // The screen as a person sees it, within `area` (screen coordinates).
    QImage grab(const QRect& area) const;
    QImage grabScreen() const;

    // The person's hands.
    void moveMouse(const QPoint& to) const;
    void pressButton() const;
    void releaseButton() const;
    void click(const QPoint& at) const;
    void key(const QString& keys) const;
    // Makes `window` the active one with the keyboard focus, through the window manager.
    bool activate(qulonglong window) const;
    // Asks the window manager to close `window`, as a taskbar or pager does (_NET_CLOSE_WINDOW).
    bool requestClose(qulonglong window) const;

private:
    X11Session() = default;
    bool start(QString* error);

    std::unique_ptr<QTemporaryDir> home_;
    QString display_;
    QProcess xvfb_;
    QProcess windowManager_;
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace e2e
