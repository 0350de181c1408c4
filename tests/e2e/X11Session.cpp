// The end-to-end tests' X display (X11Session.h): Xvfb, openbox, the harness's connection and xdotool.
#include "X11Session.h"

#include <sys/prctl.h>
#include <xcb/xcb.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace e2e {

namespace {

X11Session* theSession = nullptr;

void pause50ms() {
    if (QCoreApplication::instance() != nullptr) {
        QEventLoop loop;
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();
    } else {
        QThread::msleep(50);
    }
}

QString point(int coordinate) { return QString::number(coordinate); }

}  // namespace

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const QDeadlineTimer deadline(limit);
    while (!condition()) {
        if (deadline.hasExpired()) return condition();
        pause50ms();
    }
    return true;
}

void startChild(QProcess& process, const QString& program, const QStringList& arguments) {
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process.start(program, arguments);
}

void stopChild(QProcess& process) {
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

void readLines(QProcess& process, QByteArray& partial, QStringList& lines) {
    process.waitForReadyRead(0);
    partial += process.readAllStandardOutput();
    for (qsizetype end = partial.indexOf('\n'); end >= 0; end = partial.indexOf('\n')) {
        lines.append(QString::fromUtf8(partial.left(end)));
        partial.remove(0, end + 1);
    }
}

bool X11Session::xvfbInstalled() { return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty(); }

X11Session* X11Session::get(QString* error) {
    if (theSession != nullptr) return theSession;
    auto* session = new X11Session;
    if (!session->start(error)) {
        delete session;
        return nullptr;
    }
    theSession = session;
    return theSession;
}

void X11Session::shutDown() {
    delete theSession;
    theSession = nullptr;
}

X11Session::~X11Session() {
    // Qt ends the process when its display goes away, so the harness lets go of it first.
    app_.reset();
    stopChild(windowManager_);
    stopChild(xvfb_);
}

bool X11Session::start(QString* error) {
    home_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/corvantil-e2e-XXXXXX"));
    if (!home_->isValid()) {
        *error = QStringLiteral("cannot make a temporary folder");
        return false;
    }
    for (const char* folder : {"runtime", "config", "cache", "data"})
        QDir(home_->path()).mkdir(QString::fromLatin1(folder));
    QFile::setPermissions(home_->filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // Xvfb picks a free display itself and writes its number on standard output once it accepts clients.
    startChild(
        xvfb_, QStringLiteral("Xvfb"),
        {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
         QStringLiteral("1280x1024x24"), QStringLiteral("-dpi"), QStringLiteral("96"),
         QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
    QByteArray number;
    waitUntil([&] {
        xvfb_.waitForReadyRead(0);
        number += xvfb_.readAllStandardOutput();
        return number.contains('\n') || xvfb_.state() == QProcess::NotRunning;
    });
    if (!number.contains('\n')) {
        *error =
            QStringLiteral("Xvfb did not start: ") + QString::fromLocal8Bit(xvfb_.readAllStandardError());
        return false;
    }
    display_ = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
    qputenv("DISPLAY", display_.toLatin1());

    // openbox runs its start-up command once it manages the screen and its key bindings are in place.
    const QString ready = home_->filePath(QStringLiteral("wm-ready"));
    windowManager_.setProcessEnvironment(programEnvironment());
    windowManager_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    startChild(
        windowManager_, QStringLiteral("openbox"),
        {QStringLiteral("--sm-disable"), QStringLiteral("--startup"), QStringLiteral("touch ") + ready});
    if (!waitUntil([&] { return QFile::exists(ready) || windowManager_.state() == QProcess::NotRunning; }) ||
        !QFile::exists(ready)) {
        *error = QStringLiteral("openbox did not start on ") + display_;
        return false;
    }

    static int argc = 3;
    static char arg0[] = "corvantil_e2e", arg1[] = "-platform", arg2[] = "xcb";
    static char* argv[] = {arg0, arg1, arg2, nullptr};
    app_ = std::make_unique<QGuiApplication>(argc, argv);
    return true;
}

QProcessEnvironment X11Session::programEnvironment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // What a desktop session around the harness might set would change the program's look or its platform.
    for (const char* name :
         {"WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "XDG_SESSION_TYPE",
          "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
          "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_FONT_DPI", "SESSION_MANAGER", "DBUS_SESSION_BUS_ADDRESS"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("DISPLAY"), display_);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("HOME"), home_->path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home_->filePath(QStringLiteral("runtime")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home_->filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home_->filePath(QStringLiteral("cache")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home_->filePath(QStringLiteral("data")));
    return environment;
}

ToolResult X11Session::run(const QString& tool, const QStringList& arguments) const {
    QProcess process;
    process.setProcessEnvironment(programEnvironment());
    startChild(process, tool, arguments);
    ToolResult result;
    result.finished = process.waitForFinished(10000);
    if (!result.finished) stopChild(process);
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    result.errors = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    return result;
}

QList<qulonglong> X11Session::visibleWindows(qint64 pid, const QString& title) const {
    const ToolResult found =
        xdotool({QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"),
                 QStringLiteral("--pid"), QString::number(pid), QStringLiteral("--name"), title});
    QList<qulonglong> windows;
    for (const QString& line : found.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        windows.append(line.trimmed().toULongLong());
    return windows;
}

WindowInfo X11Session::windowInfo(qulonglong window) const {
    const ToolResult shown =
        run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window)});
    WindowInfo info;
    if (shown.exitCode != 0) return info;
    auto field = [&](const char* name) {
        const QRegularExpression pattern(QString::fromLatin1(name) + QStringLiteral(":\\s*(\\S+)"));
        return pattern.match(shown.output).captured(1);
    };
    info.exists = true;
    info.viewable = field("Map State") == QStringLiteral("IsViewable");
    info.frame = QRect(field("Absolute upper-left X").toInt(), field("Absolute upper-left Y").toInt(),
                       field("Width").toInt(), field("Height").toInt());
    return info;
}

QString X11Session::windowName(qulonglong window) const {
    return xdotool({QStringLiteral("getwindowname"), QString::number(window)}).output;
}

QImage X11Session::grab(const QRect& area) const {
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QImage X11Session::grabScreen() const { return grab(QGuiApplication::primaryScreen()->geometry()); }

void X11Session::moveMouse(const QPoint& to) const {
    xdotool({QStringLiteral("mousemove"), point(to.x()), point(to.y())});
}

void X11Session::pressButton() const { xdotool({QStringLiteral("mousedown"), QStringLiteral("1")}); }

void X11Session::releaseButton() const { xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}); }

void X11Session::click(const QPoint& at) const {
    moveMouse(at);
    xdotool({QStringLiteral("click"), QStringLiteral("1")});
}

void X11Session::key(const QString& keys) const { xdotool({QStringLiteral("key"), keys}); }

bool X11Session::activate(qulonglong window) const {
    const QString id = QString::number(window);
    xdotool({QStringLiteral("windowactivate"), id});
    return waitUntil([&] {
        return xdotool({QStringLiteral("getactivewindow")}).output == id &&
               xdotool({QStringLiteral("getwindowfocus")}).output == id;
    });
}

bool X11Session::requestClose(qulonglong window) const {
    xcb_connection_t* connection = xcb_connect(display_.toLatin1().constData(), nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        return false;
    }
    const char name[] = "_NET_CLOSE_WINDOW";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    bool sent = false;
    if (atom != nullptr) {
        xcb_client_message_event_t message;
        std::memset(&message, 0, sizeof message);
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = static_cast<xcb_window_t>(window);
        message.type = atom->atom;
        message.data.data32[0] = XCB_CURRENT_TIME;
        message.data.data32[1] = 2;  // the request comes from a pager, on behalf of the user
        const xcb_void_cookie_t cookie = xcb_send_event_checked(
            connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
            reinterpret_cast<const char*>(&message));
        xcb_generic_error_t* failure = xcb_request_check(connection, cookie);
        sent = failure == nullptr;
        std::free(failure);
        std::free(atom);
    }
    xcb_disconnect(connection);
    return sent;
}

}  // namespace e2e
