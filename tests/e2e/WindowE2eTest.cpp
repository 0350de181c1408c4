// The main window as the X server shows it, the two ways a person ends the program, and the About window
// opened from the File menu.
#include "E2eTest.h"

#include <ostream>

namespace e2e {
namespace {

using WindowE2eTest = E2eTest;

TEST_F(WindowE2eTest, MainWindowHasItsTitleAndSizeWithTheMenuBarAbove) {
    EXPECT_EQ(session_->windowName(program_->mainWindow()), QStringLiteral("Corvantil"));
    const WindowInfo info = program_->mainWindowInfo();
    EXPECT_EQ(info.frame.width(), kContentWidth);
    // The menu bar takes a strip above the content; the content itself keeps its height.
    EXPECT_GT(program_->menuBarHeight(), 10);
    EXPECT_LT(program_->menuBarHeight(), 60);
    EXPECT_TRUE(program_->areaShows(0, kWhite));
    EXPECT_TRUE(program_->areaShows(1, kWhite));
    EXPECT_EQ(program_->verdict(), Verdict::None);
}

enum class Ending { CtrlQ, WindowManagerClose };
void PrintTo(Ending ending, std::ostream* out) { *out << (ending == Ending::CtrlQ ? "keys" : "close request"); }

class EndingE2eTest : public E2eTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(EndingE2eTest, EndsTheProgramWithExitCodeZero) {
    ASSERT_TRUE(session_->activate(program_->mainWindow()));
    if (GetParam() == Ending::CtrlQ)
        session_->key(QStringLiteral("ctrl+q"));
    else
        ASSERT_TRUE(session_->requestClose(program_->mainWindow()));
    int exitCode = -1;
    ASSERT_TRUE(program_->waitForExit(&exitCode)) << "the program did not end by itself";
    EXPECT_EQ(exitCode, 0);
}

INSTANTIATE_TEST_SUITE_P(Ways, EndingE2eTest, ::testing::Values(Ending::CtrlQ, Ending::WindowManagerClose),
                         [](const ::testing::TestParamInfo<Ending>& way) {
                             return way.param == Ending::CtrlQ ? "CtrlQ" : "WindowManagerClose";
                         });

// How a person reaches the File menu's About item.
enum class MenuWay { Mouse, Keyboard };
void PrintTo(MenuWay way, std::ostream* out) { *out << (way == MenuWay::Mouse ? "clicks" : "keys"); }

class AboutE2eTest : public E2eTest, public ::testing::WithParamInterface<MenuWay> {
protected:
    // The program's visible window titled "Untitled", or 0.
    qulonglong aboutWindow() const {
        const QList<qulonglong> found = session_->visibleWindows(program_->pid(), QStringLiteral("^Untitled$"));
        return found.size() == 1 ? found.front() : 0;
    }

    // The open menu's window: a visible window of the program with neither title.
    qulonglong openMenu() const {
        const QList<qulonglong> all = session_->visibleWindows(program_->pid(), QStringLiteral(".*"));
        for (qulonglong window : all) {
            if (window != program_->mainWindow() && session_->windowInfo(window).viewable &&
                session_->windowName(window) != QStringLiteral("Untitled"))
                return window;
        }
        return 0;
    }
};

TEST_P(AboutE2eTest, AboutItemOpensTheAboutWindowAndOkHidesIt) {
    ASSERT_TRUE(session_->activate(program_->mainWindow()));
    const QRect main = program_->mainWindowInfo().frame;
    if (GetParam() == MenuWay::Mouse) {
        // "File" is the menu bar's first title; "About Corvantil ..." the menu's first item.
        session_->click(main.topLeft() + QPoint(18, program_->menuBarHeight() / 2));
        qulonglong menu = 0;
        ASSERT_TRUE(waitUntil([&] { return (menu = openMenu()) != 0; })) << "the File menu did not open";
        const QRect menuFrame = session_->windowInfo(menu).frame;
        session_->click(menuFrame.topLeft() + QPoint(40, 12));
    } else {
        session_->key(QStringLiteral("alt+f"));
        ASSERT_TRUE(waitUntil([&] { return openMenu() != 0; })) << "the File menu did not open";
        session_->key(QStringLiteral("Return"));
    }

    qulonglong about = 0;
    ASSERT_TRUE(waitUntil([&] { return (about = aboutWindow()) != 0; })) << "no About window came up";
    const QRect frame = session_->windowInfo(about).frame;
    EXPECT_EQ(frame.size(), QSize(236, 206));

    // The OK button: 80 x 20 at (80, 166) of the About window.
    session_->click(frame.topLeft() + QPoint(120, 176));
    EXPECT_TRUE(waitUntil([&] { return aboutWindow() == 0; })) << "OK did not hide the About window";
    EXPECT_TRUE(program_->running());
    EXPECT_TRUE(program_->mainWindowInfo().viewable);
}

INSTANTIATE_TEST_SUITE_P(Ways, AboutE2eTest, ::testing::Values(MenuWay::Mouse, MenuWay::Keyboard),
                         [](const ::testing::TestParamInfo<MenuWay>& way) {
                             return way.param == MenuWay::Mouse ? "Mouse" : "Keyboard";
                         });

}  // namespace
}  // namespace e2e
