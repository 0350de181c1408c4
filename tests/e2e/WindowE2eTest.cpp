// The main window as the X server shows it, the ways a person ends the program, the About window opened from
// the File menu, and the Edit menu opened from the keyboard over a selection.
#include <ostream>

#include "E2eTest.h"

namespace e2e {
namespace {

using WindowE2eTest = E2eTest;

// How a person reaches a menu item.
enum class MenuWay { Mouse, Keyboard };
void PrintTo(MenuWay way, std::ostream* out) { *out << (way == MenuWay::Mouse ? "clicks" : "keys"); }

// The program's windows beside the main one: the About window and the open menu.
class MenuE2eTest : public E2eTest {
protected:
    // The program's visible window titled "Untitled", or 0.
    qulonglong aboutWindow() const {
        const QList<qulonglong> found =
            session_->visibleWindows(program_->pid(), QStringLiteral("^Untitled$"));
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

    // Chooses File > About Corvantil ... in the active main window; the About window, or 0 when none came up.
    qulonglong chooseAbout(MenuWay way) {
        const QRect main = program_->mainWindowInfo().frame;
        if (way == MenuWay::Mouse) {
            // "File" is the menu bar's first title; "About Corvantil ..." the menu's first item.
            session_->click(main.topLeft() + QPoint(18, program_->menuBarHeight() / 2));
            qulonglong menu = 0;
            if (!waitUntil([&] { return (menu = openMenu()) != 0; })) return 0;
            const QRect menuFrame = session_->windowInfo(menu).frame;
            session_->click(menuFrame.topLeft() + QPoint(40, 12));
        } else {
            session_->key(QStringLiteral("alt+f"));
            if (!waitUntil([&] { return openMenu() != 0; })) return 0;
            session_->key(QStringLiteral("Return"));
        }
        qulonglong about = 0;
        waitUntil([&] { return (about = aboutWindow()) != 0; });
        return about;
    }
};

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

enum class Ending { CtrlQ, CtrlQInTheAboutWindow, WindowManagerClose };
const char* endingName(Ending ending) {
    switch (ending) {
        case Ending::CtrlQ:
            return "CtrlQ";
        case Ending::CtrlQInTheAboutWindow:
            return "CtrlQInTheAboutWindow";
        case Ending::WindowManagerClose:
            return "WindowManagerClose";
    }
    return "?";
}
void PrintTo(Ending ending, std::ostream* out) { *out << endingName(ending); }

class EndingE2eTest : public MenuE2eTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(EndingE2eTest, EndsTheProgramWithExitCodeZero) {
    ASSERT_TRUE(session_->activate(program_->mainWindow()));
    switch (GetParam()) {
        case Ending::CtrlQ:
            session_->key(QStringLiteral("ctrl+q"));
            break;
        case Ending::CtrlQInTheAboutWindow: {
            // The About window has no menu bar of its own; the keys reach File > Quit all the same.
            const qulonglong about = chooseAbout(MenuWay::Keyboard);
            ASSERT_NE(about, 0u) << "no About window came up";
            ASSERT_TRUE(session_->activate(about));
            session_->key(QStringLiteral("ctrl+q"));
            break;
        }
        case Ending::WindowManagerClose:
            ASSERT_TRUE(session_->requestClose(program_->mainWindow()));
            break;
    }
    int exitCode = -1;
    ASSERT_TRUE(program_->waitForExit(&exitCode)) << "the program did not end by itself";
    EXPECT_EQ(exitCode, 0);
}

INSTANTIATE_TEST_SUITE_P(Ways, EndingE2eTest,
                         ::testing::Values(Ending::CtrlQ, Ending::CtrlQInTheAboutWindow,
                                           Ending::WindowManagerClose),
                         [](const ::testing::TestParamInfo<Ending>& way) { return endingName(way.param); });

class AboutE2eTest : public MenuE2eTest, public ::testing::WithParamInterface<MenuWay> {};

TEST_P(AboutE2eTest, AboutItemOpensTheAboutWindowAndOkHidesIt) {
    ASSERT_TRUE(session_->activate(program_->mainWindow()));
    const qulonglong about = chooseAbout(GetParam());
    ASSERT_NE(about, 0u) << "no About window came up";
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

// Pixels of the text cursor, which blinks: a line of text's height, once in each of two pictures.
constexpr int kCaretPixels = 40;

int inkPixels(const QImage& ink) {
    int count = 0;
    for (int y = 0; y < ink.height(); ++y)
        for (int x = 0; x < ink.width(); ++x) count += qGray(ink.pixel(x, y)) == 0 ? 1 : 0;
    return count;
}

int differingPixels(const QImage& one, const QImage& other) {
    if (one.size() != other.size()) return one.width() * one.height();
    int count = 0;
    for (int y = 0; y < one.height(); ++y)
        for (int x = 0; x < one.width(); ++x) count += one.pixel(x, y) != other.pixel(x, y) ? 1 : 0;
    return count;
}

class EditE2eTest : public MenuE2eTest {
protected:
    // Opens the Edit menu with Alt+E and types an item's mnemonic; true once the menu has closed, which it
    // does only when the item is enabled and is chosen.
    bool chooseEditItem(const QString& mnemonic) {
        session_->key(QStringLiteral("alt+e"));
        if (!waitUntil([&] { return openMenu() != 0; })) return false;
        session_->key(mnemonic);
        const bool chosen = waitUntil([&] { return openMenu() == 0; }, 5s);
        if (!chosen) session_->key(QStringLiteral("Escape"));
        return chosen;
    }
};

// With the keyboard the menu bar takes the focus while its menu is open; the Edit items still follow the drop
// area that had it. Cut and Paste act on the selection and on nothing else.
TEST_F(EditE2eTest, AltEOverASelectionOffersCutAndPasteOnTheFocusedArea) {
    ASSERT_TRUE(session_->activate(program_->mainWindow()));
    // A click below the prompt's line puts the text cursor at its end, where a paste leaves it.
    session_->click(program_->centreOf(kDropAreas[0]));
    const QImage prompt = program_->areaInk(0);
    ASSERT_GT(inkPixels(prompt), 4 * kCaretPixels) << "the first area shows no prompt";

    session_->key(QStringLiteral("ctrl+a"));
    ASSERT_TRUE(chooseEditItem(QStringLiteral("t"))) << "Edit > Cut was not offered over the selection";
    EXPECT_TRUE(waitUntil([&] { return inkPixels(program_->areaInk(0)) < kCaretPixels; }))
        << "the first area still shows text";

    session_->click(program_->centreOf(kDropAreas[1]));
    session_->key(QStringLiteral("ctrl+a"));
    ASSERT_TRUE(chooseEditItem(QStringLiteral("p"))) << "Edit > Paste was not offered over the selection";
    EXPECT_TRUE(waitUntil([&] { return differingPixels(program_->areaInk(1), prompt) < kCaretPixels; }))
        << "the second area does not show the first area's prompt";
    EXPECT_TRUE(program_->areaShows(0, kWhite));
    EXPECT_TRUE(program_->areaShows(1, kWhite));
    EXPECT_EQ(program_->verdict(), Verdict::None);
}

}  // namespace
}  // namespace e2e
