// Another program holding the clipboard with a large text, as a person meets it after copying a big file's
// content in an editor: clicking into the drop areas, typing, selecting and opening the Edit menu never ask
// that program for its text, Edit > Paste still pastes it, and a paste whose owner exits in the middle of the
// transfer leaves the program running with both areas taking keys.
#include <QImage>
#include <initializer_list>
#include <memory>
#include <ostream>

#include "ClipboardOwnerDriver.h"
#include "E2eTest.h"

namespace e2e {
namespace {

// Twenty megabytes: the owner sends it in many pieces, one after another.
constexpr qsizetype kLargeText = qsizetype{20} << 20;

// Pixels of the text cursor, which blinks: a line of text's height.
constexpr int kCaretPixels = 40;

// The lines of text a drop area's ink shows: runs of rows with ink, with rows without ink between them.
int inkedLines(const QImage& ink) {
    int lines = 0;
    bool inLine = false;
    for (int y = 0; y < ink.height(); ++y) {
        bool inked = false;
        for (int x = 0; x < ink.width() && !inked; ++x) inked = qGray(ink.pixel(x, y)) == 0;
        if (inked && !inLine) ++lines;
        inLine = inked;
    }
    return lines;
}

int inkPixels(const QImage& ink) {
    int count = 0;
    for (int y = 0; y < ink.height(); ++y)
        for (int x = 0; x < ink.width(); ++x) count += qGray(ink.pixel(x, y)) == 0 ? 1 : 0;
    return count;
}

class ClipboardE2eTest : public E2eTest {
protected:
    void SetUp() override {
        E2eTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        owner_ = std::make_unique<ClipboardOwnerDriver>(*session_);
        QString error;
        ASSERT_TRUE(owner_->start(kLargeText, &error)) << error.toStdString();
        ASSERT_TRUE(session_->activate(program_->mainWindow()));
    }

    void TearDown() override {
        if (HasFailure() && owner_)
            ADD_FAILURE() << "the clipboard owner said:\n" << owner_->transcript().toStdString();
        owner_.reset();
        E2eTest::TearDown();
    }

    // The open menu's window: a visible window of the program other than the main one.
    qulonglong openMenu() const {
        for (qulonglong window : session_->visibleWindows(program_->pid(), QStringLiteral(".*"))) {
            if (window != program_->mainWindow() && session_->windowInfo(window).viewable) return window;
        }
        return 0;
    }

    void press(std::initializer_list<const char*> keys) {
        for (const char* key : keys) session_->key(QString::fromLatin1(key));
    }

    // Opens the Edit menu with Alt+E; once it shows, the program has handled every key and click before.
    bool openEditMenu() {
        session_->key(QStringLiteral("alt+e"));
        return waitUntil([&] { return openMenu() != 0; });
    }

    // Closes the open menu with Escape.
    bool closeMenu() {
        session_->key(QStringLiteral("Escape"));
        return waitUntil([&] { return openMenu() == 0; });
    }

    // Chooses Paste in the open Edit menu with its mnemonic; true once the menu has closed, which it does
    // only when Paste is enabled and is chosen.
    bool pickPaste() {
        session_->key(QStringLiteral("p"));
        const bool chosen = waitUntil([&] { return openMenu() == 0; }, 5s);
        if (!chosen) closeMenu();
        return chosen;
    }

    bool choosePaste() { return openEditMenu() && pickPaste(); }

    // Clicks into a drop area, empties it and types into it; true when the area shows first no text, then
    // the typed letters.
    bool takesTyping(int side) {
        session_->click(program_->centreOf(kDropAreas[side]));
        press({"ctrl+a", "BackSpace"});
        if (!waitUntil([&] { return inkPixels(program_->areaInk(side)) < kCaretPixels; })) return false;
        press({"W", "W", "W", "W", "W", "W"});
        return waitUntil([&] { return inkPixels(program_->areaInk(side)) >= 3 * kCaretPixels; });
    }

    std::unique_ptr<ClipboardOwnerDriver> owner_;
};

TEST_F(ClipboardE2eTest, EditingNeverAsksForTheTextAndPasteStillPastesIt) {
    // A click into each area, typing, deleting and selecting there, and the Edit menu opened over the
    // selection with the mouse and with the keys.
    session_->click(program_->centreOf(kDropAreas[0]));
    press({"a", "b", "c", "BackSpace", "shift+Home"});
    session_->click(program_->centreOf(kDropAreas[1]));
    press({"x", "y", "ctrl+a"});
    // "Edit" is the menu bar's second title.
    session_->click(program_->mainWindowInfo().frame.topLeft() + QPoint(56, program_->menuBarHeight() / 2));
    ASSERT_TRUE(waitUntil([&] { return openMenu() != 0; })) << "a click on Edit opened no menu";
    ASSERT_TRUE(closeMenu()) << "Escape did not close the Edit menu";
    session_->click(program_->centreOf(kDropAreas[1]));
    session_->key(QStringLiteral("ctrl+a"));
    ASSERT_TRUE(openEditMenu()) << "Alt+E opened no menu";
    EXPECT_EQ(owner_->contentRequests(), 0) << "the program asked for the clipboard's text";

    // Paste is offered from the formats alone, and takes the text over the selection.
    ASSERT_TRUE(pickPaste()) << "Edit > Paste was not offered";
    EXPECT_TRUE(waitUntil([&] { return inkedLines(program_->areaInk(1)) >= 3; }, 60s))
        << "the second area does not show lines of the pasted text";
    EXPECT_GE(owner_->contentRequests(), 1);
    EXPECT_TRUE(program_->running());
}

// How a person pastes.
enum class PasteWay { CtrlV, EditMenu };
void PrintTo(PasteWay way, std::ostream* out) { *out << (way == PasteWay::CtrlV ? "CtrlV" : "EditMenu"); }

class OwnerLeavesE2eTest : public ClipboardE2eTest, public ::testing::WithParamInterface<PasteWay> {};

TEST_P(OwnerLeavesE2eTest, PasteCutOffByTheOwnerLeavingLeavesTheProgramRunning) {
    session_->click(program_->centreOf(kDropAreas[0]));
    ASSERT_TRUE(owner_->leaveDuringNextTransfer());
    if (GetParam() == PasteWay::CtrlV) {
        session_->key(QStringLiteral("ctrl+v"));
    } else {
        ASSERT_TRUE(choosePaste()) << "Edit > Paste was not offered";
    }
    ASSERT_TRUE(owner_->waitForLeaving()) << "the owner was not asked for the text, or did not leave";

    // The paste gives up on the rest of the text; the keys typed meanwhile reach the areas then.
    EXPECT_TRUE(takesTyping(1)) << "the second area does not take keys";
    EXPECT_TRUE(takesTyping(0)) << "the first area does not take keys";
    EXPECT_TRUE(program_->running()) << "the program ended";
}

INSTANTIATE_TEST_SUITE_P(Ways, OwnerLeavesE2eTest, ::testing::Values(PasteWay::CtrlV, PasteWay::EditMenu),
                         [](const ::testing::TestParamInfo<PasteWay>& way) {
                             return way.param == PasteWay::CtrlV ? "CtrlV" : "EditMenu";
                         });

}  // namespace
}  // namespace e2e
