// The start-up chain driven in-process on the real framework: the order of its steps, the run that ends with
// the Quit item, the failures that reach the unhandled-exception routine, the exception helper, and the
// SIGCHLD that start-up leaves for the shell runner.
#include <gtest/gtest.h>
#include <signal.h>

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/FileTypes1.h"
#include "app/Startup.h"
#include "platform/Platform.h"
#include "platform/detail/FileTypeCount.h"
#include "platform/detail/RuntimeHooks.h"
#include "platform/qt/Dispatch.h"
#include "ui/menus/MainMenuBar.h"

namespace {

constexpr const char* kMainWindowClass = "MainWIndow.MainWIndow";

// Records the title of every window that is shown while it is installed.
class ShownWindows : public QObject {
public:
    ShownWindows() { qApp->installEventFilter(this); }
    ~ShownWindows() override { qApp->removeEventFilter(this); }
    std::vector<std::string> titles;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow()) titles.push_back(widget->windowTitle().toStdString());
        }
        return false;
    }
};

std::vector<QWidget*> VisibleWindowsTitled(const QString& title) {
    std::vector<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == title) found.push_back(w);
    return found;
}

// Chooses the menu item shown as `text` in the given window, as a click in its menu would.
bool ChooseMenuItem(QWidget* window, const QString& text) {
    for (QAction* action : window->findChildren<QAction*>()) {
        if (action->text() == text) {
            action->trigger();
            return true;
        }
    }
    return false;
}

int Occurrences(const std::string& haystack, const std::string& needle) {
    int n = 0;
    for (auto at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) ++n;
    return n;
}

// Runs `inLoop` once the event loop is running and the main window exists.
class WhenLoopRuns : public QObject {
public:
    explicit WhenLoopRuns(std::function<void()> inLoop) : inLoop_(std::move(inLoop)) {
        timer_.setInterval(0);
        connect(&timer_, &QTimer::timeout, this, &WhenLoopRuns::Tick);
        timer_.start();
    }
    bool ran = false;

private:
    void Tick() {
        if (!platform::GetImplicitWindow(kMainWindowClass) && ++waits_ < 1000) return;
        timer_.stop();
        ran = true;
        inLoop_();
    }
    std::function<void()> inLoop_;
    QTimer timer_;
    int waits_ = 0;
};

// What the start-up chain has done by the time the application object is made.
struct AtNewAppInstance {
    bool reached = false;
    int registrations = 0;
    bool typeRegistered = false;
    bool shellEntriesFound = false;
    bool helperInstalled = false;
    bool menuBarKept = false;
    bool appRegistered = true;
    bool mainWindowExists = true;
    std::size_t windowsShown = 1;
};

AtNewAppInstance seen;
int registrationsBefore = 0;
ShownWindows* shown = nullptr;

void ObserveNewAppInstance() {
    seen.reached = true;
    seen.registrations = platform::detail::FileTypeRegistrationCount("special/any") - registrationsBefore;
    seen.typeRegistered = platform::IsFileTypeRegistered("special/any");
    const platform::PluginEntrypoints& table = platform::Entrypoints();
    seen.shellEntriesFound = table.shellInit.Found() && table.shellExit.Found() &&
                             table.shellExecute.Found() && table.shellResultGet.Found() &&
                             table.shellExecute.Signature() == "Shell.Execute(command as String)" &&
                             table.shellResultGet.Signature() == "Shell.Result.Get";
    seen.helperInstalled =
        platform::detail::RuntimeGetExceptionHelper() == &corvantil::CallFunctionWithExceptionHandling;
    seen.menuBarKept = corvantil::MainMenuBarModule::_implicitInstance != nullptr;
    seen.appRegistered = platform::RuntimeAppObject() != nullptr;
    seen.mainWindowExists = platform::GetImplicitWindow(kMainWindowClass) != nullptr;
    seen.windowsShown = shown->titles.size();
}

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        seen = {};
        registrationsBefore = platform::detail::FileTypeRegistrationCount("special/any");
        shown = &shownWindows_;
    }
    void TearDown() override {
        corvantil::testing::duringNewAppInstance = nullptr;
        shown = nullptr;
        // Leave the runtime ready for the next test.
        platform::RuntimeInit();
    }

    // What every run leaves behind once it has returned.
    void ExpectShutDown() {
        EXPECT_EQ(corvantil::MainMenuBarModule::_implicitInstance, nullptr);
        EXPECT_EQ(corvantil::FileTypes1::pSpecialAny, nullptr);
        EXPECT_FALSE(platform::IsFileTypeRegistered("special/any"));
        EXPECT_EQ(platform::detail::FileTypeRegistrationCount("special/any"), 0)
            << "the count goes with the type";
        EXPECT_EQ(platform::GetImplicitWindow(kMainWindowClass), nullptr);
        EXPECT_EQ(platform::RuntimeAppObject(), nullptr);
    }

    ShownWindows shownWindows_;
};

TEST_F(StartupTest, RunsItsStepsInOrderAndExitsWithZeroAfterQuit) {
    corvantil::testing::duringNewAppInstance = &ObserveNewAppInstance;
    platform::Ref<platform::Object> appInLoop;
    bool menuBarIsTheApps = false;
    bool mainWindowVisible = false;
    std::size_t mainWindowsAfterSecondLateStartup = 0;
    bool sameWindowAfterSecondLateStartup = false;
    bool quitChosen = false;
    int registrationsInLoop = 0;

    WhenLoopRuns loop([&] {
        appInLoop = platform::RuntimeAppObject();
        auto app = std::dynamic_pointer_cast<corvantil::App>(appInLoop);
        menuBarIsTheApps = app && app->GetMenuBar() == corvantil::MainMenuBarModule::_implicitInstance;
        platform::Ref<platform::Window> window = platform::GetImplicitWindow(kMainWindowClass);
        mainWindowVisible = window && window->Visible();
        corvantil::LateStartup();
        sameWindowAfterSecondLateStartup = platform::GetImplicitWindow(kMainWindowClass) == window;
        std::vector<QWidget*> mainWindows = VisibleWindowsTitled("Corvantil");
        mainWindowsAfterSecondLateStartup = mainWindows.size();
        registrationsInLoop =
            platform::detail::FileTypeRegistrationCount("special/any") - registrationsBefore;
        quitChosen = !mainWindows.empty() && ChooseMenuItem(mainWindows.front(), "&Quit");
        if (!quitChosen) platform::Quit(99);  // never hang the test
    });

    const std::int32_t exitCode = corvantil::Run();

    EXPECT_EQ(exitCode, 0);
    ASSERT_TRUE(seen.reached);
    EXPECT_EQ(seen.registrations, 1) << "special/any registered once, in early start-up";
    EXPECT_TRUE(seen.typeRegistered);
    EXPECT_TRUE(seen.shellEntriesFound);
    EXPECT_TRUE(seen.helperInstalled);
    EXPECT_TRUE(seen.menuBarKept);
    EXPECT_FALSE(seen.appRegistered);
    EXPECT_FALSE(seen.mainWindowExists);
    EXPECT_EQ(seen.windowsShown, 0u);

    ASSERT_TRUE(loop.ran);
    ASSERT_NE(appInLoop, nullptr);
    EXPECT_EQ(appInLoop->Class().name, "App");
    EXPECT_TRUE(menuBarIsTheApps);
    EXPECT_TRUE(mainWindowVisible);
    EXPECT_TRUE(sameWindowAfterSecondLateStartup);
    EXPECT_EQ(mainWindowsAfterSecondLateStartup, 1u);
    EXPECT_TRUE(quitChosen);
    EXPECT_EQ(shownWindows_.titles, std::vector<std::string>{"Corvantil"}) << "only the main window, once";

    appInLoop.reset();
    EXPECT_EQ(registrationsInLoop, 1) << "late start-up registers no type again";
    ExpectShutDown();
}

TEST_F(StartupTest, ClosingTheMainWindowWhileAboutIsShownEndsTheRunWithZero) {
    bool aboutShown = false;
    bool closeRequested = false;
    WhenLoopRuns loop([&] {
        std::vector<QWidget*> mainWindows = VisibleWindowsTitled("Corvantil");
        if (!mainWindows.empty() && ChooseMenuItem(mainWindows.front(), "About Corvantil ...")) {
            aboutShown = VisibleWindowsTitled("Untitled").size() == 1;
            mainWindows.front()->close();  // a close request, as the title bar's button sends it
            closeRequested = true;
        }
        if (!closeRequested) platform::Quit(99);  // never hang the test
    });

    const std::int32_t exitCode = corvantil::Run();

    ASSERT_TRUE(loop.ran);
    EXPECT_TRUE(aboutShown);
    EXPECT_TRUE(closeRequested);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(platform::GetImplicitWindow("AboutWindow.AboutWindow"), nullptr);
    ExpectShutDown();
}

void FailWhileMakingTheApp() {
    ObserveNewAppInstance();
    throw platform::NilObjectException("injected start-up failure");
}

TEST_F(StartupTest, AFailureInEarlyStartupIsReportedOnceAndShutdownStillRuns) {
    corvantil::testing::duringNewAppInstance = &FailWhileMakingTheApp;
    bool loopRan = false;
    QTimer probe;
    probe.setSingleShot(true);
    QObject::connect(&probe, &QTimer::timeout, [&] { loopRan = true; });
    probe.start(0);

    ::testing::internal::CaptureStderr();
    const std::int32_t exitCode = corvantil::Run();
    const std::string errors = ::testing::internal::GetCapturedStderr();

    EXPECT_NE(exitCode, 0);
    ASSERT_TRUE(seen.reached);
    EXPECT_TRUE(seen.menuBarKept) << "the menu bar was kept before the failure";
    EXPECT_EQ(Occurrences(errors, "injected start-up failure"), 1) << errors;
    EXPECT_FALSE(loopRan) << "no event loop ran";
    EXPECT_TRUE(shownWindows_.titles.empty()) << "late start-up was not handed over";
    ExpectShutDown();
}

TEST_F(StartupTest, AFailureThatEndsTheEventLoopIsReportedOnceAndShutdownStillRuns) {
    WhenLoopRuns loop(
        [] { platform::qt::Dispatch([] { throw platform::NilObjectException("injected loop failure"); }); });

    ::testing::internal::CaptureStderr();
    const std::int32_t exitCode = corvantil::Run();
    const std::string errors = ::testing::internal::GetCapturedStderr();

    ASSERT_TRUE(loop.ran);
    EXPECT_NE(exitCode, 0);
    EXPECT_EQ(Occurrences(errors, "injected loop failure"), 1) << errors;
    ExpectShutDown();
}

TEST_F(StartupTest, TheReportOfAFailureNamesTheProgram) {
    corvantil::testing::duringNewAppInstance = &FailWhileMakingTheApp;
    ::testing::internal::CaptureStderr();
    corvantil::Run();
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("corvantil: unhandled NilObjectException: injected start-up failure\n"),
              std::string::npos)
        << errors;
}

// What the program hands the framework before it starts: its name and its title, whatever the environment
// holds; the program reads none of it.
TEST(ConfigureRuntimeTest, NamesTheProgramWhateverTheEnvironment) {
    const platform::ProgramSettings& settings = platform::RuntimeGetProgramSettings();
    for (const char* value : {"1", static_cast<const char*>(nullptr)}) {
        const char* was = std::getenv("CORVANTIL_NO_DIALOGS");
        const std::string saved = was ? was : "";
        if (value)
            ::setenv("CORVANTIL_NO_DIALOGS", value, 1);
        else
            ::unsetenv("CORVANTIL_NO_DIALOGS");
        corvantil::ConfigureRuntime();
        EXPECT_EQ(settings.name, "corvantil");
        EXPECT_EQ(settings.title, "Corvantil");
        if (was)
            ::setenv("CORVANTIL_NO_DIALOGS", saved.c_str(), 1);
        else
            ::unsetenv("CORVANTIL_NO_DIALOGS");
    }
}

// SIGCHLD as a launcher may hand it on (ignored) or something in the process may have set it (no zombies,
// with or without a handler of its own). After start-up the shell runner sees its command's exit status; a
// handler is kept.
struct ChildSignalCase {
    const char* name;
    void (*handler)(int);
    int flags;
};

void OwnChildHandler(int) {}

void PrintTo(const ChildSignalCase& c, std::ostream* out) { *out << c.name; }

class ChildSignalStartupTest : public ::testing::TestWithParam<ChildSignalCase> {
protected:
    void SetUp() override {
        struct sigaction action {};
        action.sa_handler = GetParam().handler;
        action.sa_flags = GetParam().flags;
        sigemptyset(&action.sa_mask);
        ASSERT_EQ(::sigaction(SIGCHLD, &action, &saved_), 0);
    }
    void TearDown() override { ::sigaction(SIGCHLD, &saved_, nullptr); }
    struct sigaction saved_ {};
};

TEST_P(ChildSignalStartupTest, RuntimeInitLetsTheShellRunnerSeeTheExitStatus) {
    platform::RuntimeInit();
    struct sigaction now {};
    ASSERT_EQ(::sigaction(SIGCHLD, nullptr, &now), 0);
    EXPECT_EQ(now.sa_flags & SA_NOCLDWAIT, 0);
    EXPECT_EQ(now.sa_handler, GetParam().handler == SIG_IGN ? SIG_DFL : GetParam().handler);

    const auto shell =
        platform::RuntimeCheckCast<platform::Shell>(platform::RuntimeNewObject(platform::Shell::Lookup()));
    shell->Execute("echo out; exit 3");
    EXPECT_EQ(shell->ErrorCode(), 3);
    EXPECT_EQ(shell->Result(), "out\n");
}

INSTANTIATE_TEST_SUITE_P(
    Dispositions, ChildSignalStartupTest,
    ::testing::Values(ChildSignalCase{"Ignored", SIG_IGN, 0},
                      ChildSignalCase{"NoChildWait", SIG_DFL, SA_NOCLDWAIT},
                      ChildSignalCase{"HandlerWithNoChildWait", &OwnChildHandler, SA_NOCLDWAIT | SA_RESTART}),
    [](const ::testing::TestParamInfo<ChildSignalCase>& row) { return std::string(row.param.name); });

// The exception helper's three outcomes, each function handed the same probe as its argument.
struct Probe {
    int calls = 0;
    const void* thrown = nullptr;
};

enum class Outcome { Nil, ThatException, PassesOn };

struct HelperCase {
    const char* name;
    void (*function)(void*);
    Outcome outcome;
};

template <class E>
void Raise(void* argument) {
    auto* probe = static_cast<Probe*>(argument);
    ++probe->calls;
    try {
        throw E("raised by the function");
    } catch (E& e) {
        probe->thrown = &e;
        throw;
    }
}

void ReturnNormally(void* argument) { ++static_cast<Probe*>(argument)->calls; }

class ExceptionHelperTest : public ::testing::TestWithParam<HelperCase> {};

TEST_P(ExceptionHelperTest, CallsTheFunctionOnceWithItsArgument) {
    const HelperCase& c = GetParam();
    Probe probe;
    switch (c.outcome) {
        case Outcome::Nil:
            EXPECT_EQ(corvantil::CallFunctionWithExceptionHandling(c.function, &probe), nullptr);
            break;
        case Outcome::ThatException: {
            std::exception_ptr result = corvantil::CallFunctionWithExceptionHandling(c.function, &probe);
            ASSERT_NE(result, nullptr);
            try {
                std::rethrow_exception(result);
            } catch (const platform::RuntimeException& e) {
                EXPECT_EQ(static_cast<const void*>(&e), probe.thrown) << "the very exception object";
            }
            break;
        }
        case Outcome::PassesOn:
            EXPECT_THROW(corvantil::CallFunctionWithExceptionHandling(c.function, &probe), std::logic_error);
            break;
    }
    EXPECT_EQ(probe.calls, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, ExceptionHelperTest,
    ::testing::Values(HelperCase{"ReturnsNormally", &ReturnNormally, Outcome::Nil},
                      HelperCase{"RaisesNilObject", &Raise<platform::NilObjectException>,
                                 Outcome::ThatException},
                      HelperCase{"RaisesShellNotAvailable", &Raise<platform::ShellNotAvailableException>,
                                 Outcome::ThatException},
                      HelperCase{"RaisesAnotherClass", &Raise<std::logic_error>, Outcome::PassesOn}),
    [](const ::testing::TestParamInfo<HelperCase>& p) { return std::string(p.param.name); });

}  // namespace
