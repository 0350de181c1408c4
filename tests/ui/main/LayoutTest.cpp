// The main window as it opens: its Property lists, its controls read from the real widgets, its geometry
// when the user resizes it, the events its controls are bound to, and the end of the run when it closes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstring>
#include <functional>
#include <limits>

#include "app/Startup.h"
#include "platform/qt/QtAccess.h"
#include "tests/ui/main/MainWindowFixture.h"
#include "ui/main/MainWIndowLists.h"

namespace corvantil::test {
namespace {

// ---------------------------------------------------------------------------------------------------------------
// The Property lists
// ---------------------------------------------------------------------------------------------------------------

struct ListCase {
    const char* name;
    const std::string& (*list)();
    std::size_t length;
};

const ListCase kLists[] = {
    {"Window", &MainWIndowLists::Window, 294},
    {"ResultLabel", &MainWIndowLists::ResultLabel, 356},
    {"ProgressWheel1", &MainWIndowLists::ProgressWheel1, 228},
    {"TextArea1", &MainWIndowLists::TextArea1, 514},
    {"TextArea2", &MainWIndowLists::TextArea2, 518},
};

class ListTest : public ::testing::TestWithParam<ListCase> {};

std::string BigEndian(std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    return {static_cast<char>(u >> 24), static_cast<char>(u >> 16), static_cast<char>(u >> 8),
            static_cast<char>(u)};
}

std::size_t Count(const std::string& haystack, const std::string& needle) {
    std::size_t n = 0;
    for (auto at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) ++n;
    return n;
}

TEST_P(ListTest, HasItsLength) { EXPECT_EQ(GetParam().list().size(), GetParam().length); }

TEST_P(ListTest, ControlListStartsWithItsNameAndCarriesTheNoIndexMark) {
    const std::string name = GetParam().name;
    const std::string& list = GetParam().list();
    if (name == "Window") {
        EXPECT_EQ(list.rfind("Placement ", 0), 0u);
        EXPECT_EQ(Count(list, "Title " + BigEndian(9) + "Corvantil"), 1u);
        EXPECT_EQ(Count(list, "Index "), 0u);
        return;
    }
    EXPECT_EQ(list.rfind("Name " + BigEndian(static_cast<std::int32_t>(name.size())) + name, 0), 0u);
    EXPECT_EQ(Count(list, "Index " + BigEndian(std::numeric_limits<std::int32_t>::min())), 1u);
}

INSTANTIATE_TEST_SUITE_P(Lists, ListTest, ::testing::ValuesIn(kLists),
                         [](const ::testing::TestParamInfo<ListCase>& c) {
                             return std::string(c.param.name);
                         });

// ---------------------------------------------------------------------------------------------------------------
// The opened window
// ---------------------------------------------------------------------------------------------------------------

using LayoutTest = MainWindowTest;

TEST_F(LayoutTest, NewWindowHoldsEmptyStateOnBothSides) {
    EXPECT_EQ(StateOf(*window, 1), SideState{});
    EXPECT_EQ(StateOf(*window, 2), SideState{});
}

TEST_F(LayoutTest, OpensWithTitlePromptsWhiteAreasAndAnEmptyFocusedLabel) {
    QWidget* top = TopLevel();
    EXPECT_TRUE(top->isVisible());
    EXPECT_EQ(top->windowTitle(), "Corvantil");
    EXPECT_EQ(platform::qt::ContentWidget(*window)->size(), QSize(344, 237));

    for (int side : {1, 2}) {
        SCOPED_TRACE(side);
        EXPECT_EQ(AreaText(side), side == 1 ? kPrompt1 : kPrompt2);
        EXPECT_EQ(AreaColour(side), kWhite);
        EXPECT_EQ(Editor(side)->palette().color(QPalette::Text), kBlack);
        EXPECT_FALSE(Editor(side)->isReadOnly()) << "the areas can be typed into";
        EXPECT_EQ(Editor(side)->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        EXPECT_EQ(Editor(side)->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        EXPECT_DOUBLE_EQ(Area(side)->LineSpacing(), 1.0);
        EXPECT_EQ(Area(side)->TextUnit(), platform::FontUnits::Default);
    }

    QLabel* label = Label();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "") << "Open overwrites the list's \"Result\"";
    EXPECT_TRUE(window->ResultLabel()->HasFocus());
    EXPECT_EQ(label->font().pixelSize(), 20);
    EXPECT_FALSE(label->font().bold());
    EXPECT_EQ(label->palette().color(QPalette::WindowText), kBlack);

    QWidget* wheel = Wheel();
    EXPECT_FALSE(wheel->isVisible());
    EXPECT_EQ(wheel->parentWidget(), label) << "the wheel belongs to the label";
    EXPECT_TRUE(label->rect().contains(wheel->geometry()));
}

// Where each control sits in the window's content; the wheel's rectangle is in the label's coordinates.
struct Placement {
    const char* control;
    QRect opened;
    QRect at600;  // once the window is 600 wide
};

const Placement kPlacements[] = {
    {"ResultLabel", {11, 105, 315, 20}, {11, 105, 571, 20}},
    {"ProgressWheel1", {148, 4, 16, 16}, {148, 4, 272, 16}},  // locked left and right inside the label
    {"TextArea1", {15, 19, 309, 75}, {15, 19, 565, 75}},
    {"TextArea2", {15, 142, 309, 75}, {15, 142, 565, 75}},
};

TEST_F(LayoutTest, ControlsSitWhereTheirListsSayAndStretchWithTheWidth) {
    for (const Placement& p : kPlacements) {
        EXPECT_EQ(Widget(window->ControlByName(p.control))->geometry(), p.opened) << p.control;
    }
    QWidget* top = TopLevel();
    top->resize(600, top->height());
    EXPECT_EQ(platform::qt::ContentWidget(*window)->size(), QSize(600, 237));
    for (const Placement& p : kPlacements) {
        EXPECT_EQ(Widget(window->ControlByName(p.control))->geometry(), p.at600) << p.control;
    }
}

struct ResizeCase {
    const char* name;
    int widthChange;
    int heightChange;
    QSize content;
};

class ResizeTest : public MainWindowTest, public ::testing::WithParamInterface<ResizeCase> {};

TEST_P(ResizeTest, OnlyTheWidthChangesWithinItsLimits) {
    QWidget* top = TopLevel();
    top->resize(top->width() + GetParam().widthChange, top->height() + GetParam().heightChange);
    EXPECT_EQ(platform::qt::ContentWidget(*window)->size(), GetParam().content);
    EXPECT_EQ(Widget(Area(2))->geometry().bottom() + 1, 237 - 20)
        << "area 2 keeps its distance to the bottom";
}

INSTANTIATE_TEST_SUITE_P(Sizes, ResizeTest,
                         ::testing::Values(ResizeCase{"Wider", 256, 0, {600, 237}},
                                           ResizeCase{"Taller", 0, 100, {344, 237}},
                                           ResizeCase{"WiderAndShorter", 256, -100, {600, 237}},
                                           ResizeCase{"NarrowerThanTheMinimum", -200, 0, {344, 237}},
                                           ResizeCase{"WiderThanTheMaximum", 40000, 0, {32000, 237}}),
                         [](const ::testing::TestParamInfo<ResizeCase>& c) {
                             return std::string(c.param.name);
                         });

TEST_F(LayoutTest, OnlyTheDropAreasHaveBoundEvents) {
    EXPECT_EQ(window->ResultLabel()->EventHandlerCount(), 0u);
    EXPECT_EQ(window->ProgressWheel1()->EventHandlerCount(), 0u);
    for (int side : {1, 2}) {
        EXPECT_EQ(Area(side)->EventHandlerCount(), 4u) << side;
        for (std::int32_t number : {platform::event::kOpen, platform::event::kDropObject,
                                    platform::event::kDragOver, platform::event::kDragExit}) {
            EXPECT_TRUE(Area(side)->HasEventHandler(number)) << side << " event " << number;
        }
    }
}

TEST_F(LayoutTest, ControlAccessorsFindTheControlsByName) {
    EXPECT_EQ(window->ResultLabel(), window->ControlByName("ResultLabel"));
    EXPECT_EQ(window->ProgressWheel1(), window->ControlByName("ProgressWheel1"));
    EXPECT_EQ(window->TextArea1(), window->ControlByName("TextArea1"));
    EXPECT_EQ(window->TextArea2(), window->ControlByName("TextArea2"));
    EXPECT_EQ(window->Controls().size(), 4u);
}

TEST_F(LayoutTest, AccessorReturnsTheOpenWindowWithoutOpeningItAgain) {
    window->ResultLabel()->SetText("kept");
    EXPECT_EQ(corvantil::MainWIndow::Instance(), window);
    EXPECT_EQ(LabelText(), "kept") << "no second Open event";

    // The framework holds the window: letting go of every reference the accessor handed out keeps it open.
    const platform::WeakRef<MainWIndow> held = window;
    window.reset();
    window = held.lock();
    ASSERT_TRUE(window);
    EXPECT_EQ(platform::GetImplicitWindow("MainWIndow.MainWIndow"), window);
    EXPECT_TRUE(TopLevel()->isVisible());
}

TEST(UnbuiltMainWindowTest, ControlAccessorsGiveNothingAndOpenRaises) {
    PrepareFramework();
    auto bare = platform::RuntimeCheckCast<MainWIndow>(platform::RuntimeNewObject(MainWIndow::Lookup()),
                                                       MainWIndow::Lookup());
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->ResultLabel(), nullptr);
    EXPECT_EQ(bare->ProgressWheel1(), nullptr);
    EXPECT_EQ(bare->TextArea1(), nullptr);
    EXPECT_EQ(bare->TextArea2(), nullptr);
    EXPECT_THROW(bare->Event_Open(), platform::NilObjectException);
    EXPECT_EQ(platform::GetImplicitWindow("MainWIndow.MainWIndow"), nullptr) << "made, never constructed";
}

TEST_F(LayoutTest, TypingIntoTheAreasChangesNoState) {
    GiveSide(1, MakeFile("one", "same"));
    GiveSide(2, MakeFile("two", "same"));
    window->CompareFiles();
    ASSERT_EQ(LabelText(), kIdentical);
    const SideState before1 = StateOf(*window, 1);
    const SideState before2 = StateOf(*window, 2);
    const std::size_t runs = ToolRunCount();

    for (int side : {1, 2}) {
        Editor(side)->setFocus();
        QTest::keyClicks(Editor(side), "typed text");
        QTest::keyClick(Editor(side), Qt::Key_Return);
        EXPECT_NE(AreaText(side).find("typed text"), std::string::npos) << side;
    }
    EXPECT_EQ(StateOf(*window, 1), before1);
    EXPECT_EQ(StateOf(*window, 2), before2);
    EXPECT_EQ(ToolRunCount(), runs);
    EXPECT_EQ(LabelText(), kIdentical);
}

// ---------------------------------------------------------------------------------------------------------------
// Closing the window ends the run
// ---------------------------------------------------------------------------------------------------------------

TEST(MainWindowRunTest, ClosingTheMainWindowEndsTheRunWithZero) {
    bool closed = false;
    QTimer poll;
    poll.setInterval(10);
    int polls = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        platform::Ref<platform::Window> main = platform::GetImplicitWindow("MainWIndow.MainWIndow");
        if (main && !closed) {
            closed = true;
            platform::qt::TopLevelWidget(*main)->close();  // as the title bar's close button does
        } else if (++polls > 1000) {
            platform::Quit(99);  // never hang the run
        }
    });
    poll.start();

    const std::int32_t exitCode = corvantil::Run();
    poll.stop();
    platform::RuntimeInit();  // leave the runtime ready for the next test

    EXPECT_TRUE(closed);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(platform::GetImplicitWindow("MainWIndow.MainWIndow"), nullptr);
}

}  // namespace
}  // namespace corvantil::test
