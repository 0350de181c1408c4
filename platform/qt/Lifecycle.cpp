// The runtime's life cycle on Qt: the one QApplication of the process, the event loop, quitting, the
// report of an exception nothing handled, and shutdown. The boundary where program handlers are called
// from inside Qt's event dispatch is in Dispatch.cpp.
//
// RuntimeInit may run again after RuntimeExit in the same process: it resets the exit code, the quit
// request and any kept exception, and reuses the QApplication, which lives until the process ends.
//
// Start-up also copes with what a launcher may hand on: SIGCHLD ignored, which it gives back its default
// (the kernel would otherwise reap the shell runner's commands and their exit statuses would be lost), and
// no display to open, which Qt reports with a fatal message and an abort; the program says so in one line
// and ends with status 1 instead.
#include <cxxabi.h>
#include <signal.h>

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <typeinfo>
#include <utility>

#include "Dispatch.h"
#include "ShellWait.h"
#include "WindowImpl.h"
#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/Menus.h"
#include "platform/Shell.h"
#include "platform/detail/Internal.h"
#include "platform/detail/PluginRegistration.h"
#include "platform/detail/RuntimeHooks.h"

namespace platform {

namespace {

struct RunState {
    std::int32_t exitCode = 0;
    bool failed = false;         // an unhandled exception was reported
    bool quitRequested = false;  // Quit was called or a handler's exception ended the loop
    bool inLoop = false;         // RuntimeRun's QApplication::exec is running
};

// Set in the environment, it keeps message boxes away (tests, scripts).
constexpr const char* kNoDialogsVariable = "PLATFORM_NO_DIALOGS";

RunState gState;
QApplication* gApplication = nullptr;  // lives until the process ends
Ref<Application> gAppObject;

std::string Demangled(const char* name) {
    int status = 0;
    char* readable = abi::__cxa_demangle(name, nullptr, nullptr, &status);
    std::string result = (status == 0 && readable) ? readable : name;
    std::free(readable);
    return result;
}

// Class name and message of an exception, for the report.
std::pair<std::string, std::string> Describe(const std::exception_ptr& exception) {
    try {
        std::rethrow_exception(exception);
    } catch (const RuntimeException& e) {
        return {e.ClassName(), e.what()};
    } catch (const std::exception& e) {
        return {Demangled(typeid(e).name()), e.what()};
    } catch (...) {
        const std::type_info* type = abi::__cxa_current_exception_type();
        return {type ? Demangled(type->name()) : "unknown exception", ""};
    }
}

// SIGCHLD as the shell runner needs it: not ignored and without SA_NOCLDWAIT, so that the commands it starts
// stay its own to wait for. A handler this process installed is kept: its owner waits for its own children.
void LetChildrenBeWaitedFor() {
    struct sigaction action {};
    if (::sigaction(SIGCHLD, nullptr, &action) != 0) return;
    const bool ignored = !(action.sa_flags & SA_SIGINFO) && action.sa_handler == SIG_IGN;
    if (!ignored && !(action.sa_flags & SA_NOCLDWAIT)) return;
    if (ignored) action.sa_handler = SIG_DFL;
    action.sa_flags &= ~SA_NOCLDWAIT;
    ::sigaction(SIGCHLD, &action, nullptr);
}

// An environment variable's value for a message: control characters shown as '?'.
std::string Shown(const char* name) {
    std::string value = std::getenv(name) ? std::getenv(name) : "";
    for (char& c : value) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    }
    return value;
}

// Why no display could be opened, from what Qt looked at.
std::string NoDisplayReason() {
    std::string named;
    for (const char* variable : {"WAYLAND_DISPLAY", "DISPLAY"}) {
        const std::string value = Shown(variable);
        if (value.empty()) continue;
        named += (named.empty() ? "" : " or ") + std::string(variable) + "=" + value;
    }
    std::string reason = named.empty() ? "neither DISPLAY nor WAYLAND_DISPLAY is set"
                                       : "no display server could be reached at " + named;
    const std::string platformName = Shown("QT_QPA_PLATFORM");
    if (!platformName.empty()) reason += " (QT_QPA_PLATFORM=" + platformName + ")";
    return reason;
}

QtMessageHandler gQtMessages = nullptr;  // the handler in place before the QApplication is made

// While the QApplication is made: Qt's messages go where they went before; a fatal one means that no
// platform could be started, which the program reports in one line before ending with status 1.
void StartupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (gQtMessages) gQtMessages(type, context, message);
    if (type != QtFatalMsg) return;
    std::fprintf(stderr, "%s: cannot open a display: %s\n", RuntimeGetProgramSettings().name.c_str(),
                 NoDisplayReason().c_str());
    std::fflush(stderr);
    std::_Exit(1);
}

bool DialogsWanted() {
    if (std::getenv(kNoDialogsVariable)) return false;
    const QString platformName = QGuiApplication::platformName();
    return platformName != QLatin1String("offscreen") && platformName != QLatin1String("minimal");
}

}  // namespace

// Outside the loop QCoreApplication::exit would only mark the thread's loops as quitting and make the next
// nested loop (a dialog, a test's wait) return at once; RuntimeRun sees the request through quitRequested
// instead.
void qt::EndEventLoop(std::int32_t code) {
    gState.quitRequested = true;
    if (gState.inLoop) QCoreApplication::exit(code);
}

// ---------------------------------------------------------------------------------------------------------------
// Application
// ---------------------------------------------------------------------------------------------------------------

const ClassDescription& Application::Lookup() {
    static const ClassDescription description{"Application",
                                              &Object::Lookup(),
                                              [] { return Ref<Object>(std::make_shared<Application>()); },
                                              {},
                                              {}};
    return description;
}

void Application::SetMenuBar(const Ref<MenuBar>& bar) {
    menuBar_ = bar;
    if (gAppObject.get() == this) qt::windows::ApplicationMenuBarChanged();
}

// ---------------------------------------------------------------------------------------------------------------
// Life cycle
// ---------------------------------------------------------------------------------------------------------------

void RuntimeInit() {
    LetChildrenBeWaitedFor();
    if (!gApplication) {
        // A fixed argument vector, the program's name alone: the command line changes nothing.
        static std::string name = RuntimeGetProgramSettings().name;
        static int argc = 1;
        static char* argv[] = {name.data(), nullptr};
        gQtMessages = qInstallMessageHandler(&StartupMessages);
        gApplication = new QApplication(argc, argv);
        qInstallMessageHandler(gQtMessages);
    }
    QApplication::setQuitOnLastWindowClosed(false);
    detail::RuntimeSetMainThread();
    // While a shell command runs, the windows keep painting and no input reaches the program.
    qt::shellwait::Install();
    gState = RunState{};
    detail::TakeDispatchedException();
}

void RuntimeInitExternalClasses() {
    detail::RegisterShellPlugin();
    detail::RegisterControlPlugin();
}

void RuntimeRegisterAppObject(const Ref<Application>& app) {
    CheckMainThread("RuntimeRegisterAppObject");
    gAppObject = app;
    qt::windows::ApplicationMenuBarChanged();
}

Ref<Application> RuntimeAppObject() { return gAppObject; }

void RunFrameworkInitialization(const Function& lateStartup) {
    CheckMainThread("RunFrameworkInitialization");
    if (!lateStartup) throw NilObjectException("the late start-up function is nil");
    lateStartup(nullptr, {});
}

void RuntimeRun() {
    CheckMainThread("RuntimeRun");
    if (!gState.quitRequested) {
        gState.inLoop = true;
        struct LoopScope {
            ~LoopScope() { gState.inLoop = false; }
        } scope;
        QApplication::exec();
    }
    if (std::exception_ptr exception = detail::TakeDispatchedException()) std::rethrow_exception(exception);
}

void Quit(std::int32_t code) {
    CheckMainThread("Quit");
    gState.exitCode = code;
    qt::EndEventLoop(code);
}

void UnhandledException(std::exception_ptr exception) {
    gState.failed = true;
    if (!exception) return;
    const auto [className, message] = Describe(exception);
    const ProgramSettings& program = RuntimeGetProgramSettings();
    std::fprintf(stderr, "%s: unhandled %s: %s\n", program.name.c_str(), className.c_str(), message.c_str());
    std::fflush(stderr);
    if (gApplication && IsMainThread() && DialogsWanted()) {
        QMessageBox::critical(nullptr, QString::fromStdString(program.title),
                              QStringLiteral("An exception of class %1 was not handled.\n\n%2")
                                  .arg(QString::fromStdString(className), QString::fromStdString(message)));
    }
}

void RuntimeFinalize() {
    detail::ReleaseWindows();
    Ref<Application> app = std::move(gAppObject);
    gAppObject = nullptr;
    app.reset();
}

std::int32_t RuntimeExit() {
    // Widgets the windows let go of with deleteLater go now, not at some later loop.
    if (gApplication) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return gState.failed ? 1 : gState.exitCode;
}

}  // namespace platform
