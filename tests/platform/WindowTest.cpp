// Windows on Qt: construction order and registration, size limits, anchors, title-bar flags, close
// requests, default and cancel buttons, shutdown, and the main-thread check of user-interface calls.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <thread>

#include "UiTestWindow.h"
#include "platform/qt/Dispatch.h"

namespace {

using namespace platform;
using uitest::Place;
using uitest::TestWindow;
using uitest::WindowSpec;

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { uitest::FreshRuntime(); }
    void TearDown() override { EXPECT_FALSE(detail::TakeDispatchedException()) << "a handler threw"; }
};

TEST_F(WindowTest, ConstructorRaisesTheHooksThenOpensControlsThenShowsAndOpens) {
    auto window = TestWindow::Make(WindowSpec{}, [&](TestWindow& w) {
        auto label = w.AddFromList<Label>(Label::Lookup(), "Caption", uitest::LabelList("Caption", {}, "x"));
        w.Bind(label, event::kOpen, &TestWindow::Label_Open, "( Label )");
        auto area =
            w.AddFromList<TextArea>(TextArea::Lookup(), "Area", uitest::TextAreaList("Area", {}, "y"));
        w.Bind(area, event::kOpen, &TestWindow::Area_Open, "( TextArea )");
    });
    window->Constructor();

    EXPECT_EQ(window->Names(), (std::vector<std::string>{"Layout", "CreateControls", "AddMenuHandlers",
                                                         "Caption.Open", "Area.Open", "Open"}));
    EXPECT_EQ(window->addMenuHandlersArgument.lock(), window);
    EXPECT_EQ(GetImplicitWindow("UiTest.TestWindow"), window);
    EXPECT_TRUE(window->Visible());
    EXPECT_EQ(window->Title(), "Test window");
    EXPECT_EQ(window->Top()->windowTitle(), QString("Test window"));
    EXPECT_EQ(window->Content()->size(), QSize(300, 200));
    EXPECT_EQ(window->Width(), 300);
    EXPECT_EQ(window->Height(), 200);
}

TEST_F(WindowTest, WindowIsShownOnlyAfterItsControlsOpened) {
    bool visibleDuringOpen = true;
    auto window = TestWindow::Make(WindowSpec{}, [&](TestWindow& w) {
        auto area = w.AddFromList<TextArea>(TextArea::Lookup(), "Area", uitest::TextAreaList("Area", {}, ""));
        w.Bind(area, event::kOpen, &TestWindow::Area_Open, "( TextArea )");
    });
    window->build = [inner = window->build, &visibleDuringOpen](TestWindow& w) {
        inner(w);
        visibleDuringOpen = w.Visible();
    };
    window->Constructor();
    EXPECT_FALSE(visibleDuringOpen);
    EXPECT_TRUE(window->Visible());
}

TEST_F(WindowTest, InvisibleWindowIsBuiltHiddenAndShowsOnShow) {
    WindowSpec spec;
    spec.visible = false;
    auto window = TestWindow::Make(spec);
    window->Constructor();
    EXPECT_FALSE(window->Visible());
    EXPECT_EQ(GetImplicitWindow("UiTest.TestWindow"), window);
    window->Show();
    EXPECT_TRUE(window->Visible());
    window->Hide();
    EXPECT_FALSE(window->Visible());
}

TEST_F(WindowTest, ExceptionInABuildingHookLeavesNoRegisteredWindow) {
    auto window = TestWindow::Make(WindowSpec{}, [](TestWindow&) { throw NilObjectException("no control"); });
    EXPECT_THROW(window->Constructor(), NilObjectException);
    EXPECT_EQ(GetImplicitWindow("UiTest.TestWindow"), nullptr);
    EXPECT_FALSE(window->Visible());
}

TEST_F(WindowTest, UnknownWindowEntryIsRefused) {
    auto window = TestWindow::Make(WindowSpec{});
    window->Constructor();
    PropertyListWriter list;
    list.Int32("Width", 400).Boolean("Sparkles", true);
    EXPECT_THROW(window->SetProperties(list.Bytes()), RuntimeException);
}

TEST_F(WindowTest, EntriesWithoutAQtCounterpartAreKept) {
    WindowSpec spec;
    spec.placement = 3;
    spec.macProcId = 1985;
    spec.frame = 4;
    auto window = TestWindow::Make(spec);
    window->Constructor();
    EXPECT_EQ(window->Setting("Placement"), PropertyValue(std::int32_t{3}));
    EXPECT_EQ(window->Setting("MacProcID"), PropertyValue(std::int32_t{1985}));
    EXPECT_EQ(window->Setting("LiveResize"), PropertyValue(true));
    EXPECT_EQ(window->Setting("Composite"), PropertyValue(false));
    EXPECT_EQ(window->Setting("Title"), PropertyValue(std::string("Test window")));
    EXPECT_FALSE(window->Setting("Sparkles").has_value());
}

TEST_F(WindowTest, BackColourPaintsTheContentOnlyWithHasBackColor) {
    WindowSpec spec;
    spec.hasBackColor = true;
    spec.backColor = RGB(10, 20, 30);
    auto window = TestWindow::Make(spec);
    window->Constructor();
    EXPECT_TRUE(window->Content()->autoFillBackground());
    EXPECT_EQ(window->Content()->palette().color(QPalette::Window), QColor(10, 20, 30));

    PropertyListWriter off;
    off.Boolean("HasBackColor", false);
    window->SetProperties(off.Bytes());
    EXPECT_FALSE(window->Content()->autoFillBackground());
}

// ---------------------------------------------------------------------------------------------------------------
// Sizes and limits
// ---------------------------------------------------------------------------------------------------------------

struct SizeCase {
    const char* name;
    bool resizeable;
    QSize requested;  // content size asked for through the window's widget
    QSize expected;   // content size the window keeps
};

class WindowSizeTest : public WindowTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(WindowSizeTest, ContentStaysWithinItsLimits) {
    WindowSpec spec;
    spec.width = 300;
    spec.height = 200;
    spec.minWidth = 250;
    spec.minHeight = 200;
    spec.maxWidth = 600;
    spec.maxHeight = 200;
    spec.resizeable = GetParam().resizeable;
    auto window = TestWindow::Make(spec);
    window->Constructor();
    QWidget* top = window->Top();
    const int bar = top->height() - window->Content()->height();
    top->resize(GetParam().requested.width(), GetParam().requested.height() + bar);
    EXPECT_EQ(window->Content()->size(), GetParam().expected);
    EXPECT_EQ(window->Width(), GetParam().expected.width());
    EXPECT_EQ(window->Height(), GetParam().expected.height());
}

INSTANTIATE_TEST_SUITE_P(Limits, WindowSizeTest,
                         ::testing::Values(SizeCase{"WiderWithinLimits", true, {500, 200}, {500, 200}},
                                           SizeCase{"PastMaxWidth", true, {900, 200}, {600, 200}},
                                           SizeCase{"BelowMinWidth", true, {100, 200}, {250, 200}},
                                           SizeCase{"TallerThanMaxHeight", true, {300, 400}, {300, 200}},
                                           SizeCase{"LowerThanMinHeight", true, {300, 50}, {300, 200}},
                                           SizeCase{"NotResizeable", false, {500, 300}, {300, 200}}),
                         [](const ::testing::TestParamInfo<SizeCase>& c) {
                             return std::string(c.param.name);
                         });

TEST_F(WindowTest, SizeEntriesAfterConstructionResizeTheContent) {
    auto window = TestWindow::Make(WindowSpec{});
    window->Constructor();
    PropertyListWriter list;
    list.Int32("Width", 420).Int32("Height", 150);
    window->SetProperties(list.Bytes());
    EXPECT_EQ(window->Content()->size(), QSize(420, 150));
}

// ---------------------------------------------------------------------------------------------------------------
// Anchors
// ---------------------------------------------------------------------------------------------------------------

struct AnchorCase {
    const char* name;
    bool lockLeft, lockTop, lockRight, lockBottom;
    QRect after;  // the control's rectangle once the content grew by 100 x 50
};

class AnchorTest : public WindowTest, public ::testing::WithParamInterface<AnchorCase> {};

TEST_P(AnchorTest, ControlKeepsItsDistancesToTheLockedEdges) {
    const AnchorCase& c = GetParam();
    auto window = TestWindow::Make(WindowSpec{}, [&](TestWindow& w) {
        const Place at{20, 30, 100, 40, c.lockLeft, c.lockTop, c.lockRight, c.lockBottom};
        w.AddFromList<Label>(Label::Lookup(), "Anchored", uitest::LabelList("Anchored", at, "a"));
    });
    window->Constructor();
    auto control = window->ControlByName("Anchored");
    ASSERT_TRUE(control);
    EXPECT_EQ(qt::ControlWidget(*control)->geometry(), QRect(20, 30, 100, 40));

    QWidget* top = window->Top();
    top->resize(top->width() + 100, top->height() + 50);
    EXPECT_EQ(window->Content()->size(), QSize(400, 250));
    EXPECT_EQ(qt::ControlWidget(*control)->geometry(), c.after);
    EXPECT_EQ(control->Left(), c.after.left());
    EXPECT_EQ(control->Top(), c.after.top());
    EXPECT_EQ(control->Width(), c.after.width());
    EXPECT_EQ(control->Height(), c.after.height());

    top->resize(top->width() - 100, top->height() - 50);
    EXPECT_EQ(qt::ControlWidget(*control)->geometry(), QRect(20, 30, 100, 40));
}

INSTANTIATE_TEST_SUITE_P(
    Locks, AnchorTest,
    ::testing::Values(AnchorCase{"TopLeft", true, true, false, false, {20, 30, 100, 40}},
                      AnchorCase{"LeftAndRightStretch", true, true, true, false, {20, 30, 200, 40}},
                      AnchorCase{"OnlyRightMoves", false, true, true, false, {120, 30, 100, 40}},
                      AnchorCase{"TopAndBottomStretch", true, true, false, true, {20, 30, 100, 90}},
                      AnchorCase{"OnlyBottomMoves", true, false, false, true, {20, 80, 100, 40}},
                      AnchorCase{"AllFourStretch", true, true, true, true, {20, 30, 200, 90}},
                      AnchorCase{"NoneStays", false, false, false, false, {20, 30, 100, 40}}),
    [](const ::testing::TestParamInfo<AnchorCase>& c) { return std::string(c.param.name); });

TEST_F(WindowTest, InitialParentPutsAControlInsideAnotherOneAndMovesItWithIt) {
    auto window = TestWindow::Make(WindowSpec{}, [](TestWindow& w) {
        w.AddFromList<Label>(Label::Lookup(), "Host",
                             uitest::LabelList("Host", {11, 105, 200, 20, true, true, true}, ""));
        w.AddFromList<ProgressWheel>(
            ProgressWheelClass(), "Wheel",
            uitest::WheelList("Wheel", {100, 109, 16, 16, true, true, true}, "Host", true));
    });
    window->Constructor();
    auto host = window->ControlByName("Host");
    auto wheel = window->ControlByName("Wheel");
    QWidget* wheelWidget = qt::ControlWidget(*wheel);
    EXPECT_EQ(wheelWidget->parentWidget(), qt::ControlWidget(*host));
    EXPECT_EQ(wheelWidget->geometry(), QRect(89, 4, 16, 16));
    EXPECT_EQ(wheel->Left(), 100);
    EXPECT_EQ(wheel->Top(), 109);

    // The host stretches by 60; the wheel, locked left and right inside it, stretches with it.
    QWidget* top = window->Top();
    top->resize(top->width() + 60, top->height());
    EXPECT_EQ(qt::ControlWidget(*host)->width(), 260);
    EXPECT_EQ(wheelWidget->geometry(), QRect(89, 4, 76, 16));
}

// ---------------------------------------------------------------------------------------------------------------
// A control replaced under its name
// ---------------------------------------------------------------------------------------------------------------

// The control that had the name leaves the window, replaced from a handler as a program replaces it: its
// widget is hidden at once, a wheel stops turning, and the widget is deleted once the event loop turns.
TEST_F(WindowTest, ReplacedControlIsHiddenStoppedAndDeleted) {
    const std::string list = uitest::WheelList("Wheel", {10, 10, 16, 16}, "", true);
    auto window = TestWindow::Make(WindowSpec{}, [&](TestWindow& w) {
        w.AddFromList<ProgressWheel>(ProgressWheelClass(), "Wheel", list);
    });
    window->Constructor();
    const QPointer<QWidget> old = qt::ControlWidget(*window->ControlByName("Wheel"));
    const QPointer<QTimer> turning = old->findChild<QTimer*>();
    ASSERT_TRUE(turning && turning->isActive());

    qt::Dispatch([&] { window->AddFromList<ProgressWheel>(ProgressWheelClass(), "Wheel", list); });
    ASSERT_FALSE(old.isNull()) << "deleted only once the handler is over";
    EXPECT_FALSE(old->isVisible());
    EXPECT_FALSE(turning->isActive());
    EXPECT_TRUE(qt::ControlWidget(*window->ControlByName("Wheel"))->isVisible());
    QTRY_VERIFY(old.isNull());
}

// Nor does it follow its parent's resizes any longer: not while the program still holds it and its widget
// waits to be deleted, nor once it has gone.
TEST_F(WindowTest, ReplacedControlLeavesNoAnchorFilterOnItsParent) {
    const Place stretched{20, 30, 100, 40, true, true, true, true};
    const std::string list = uitest::LabelList("Anchored", stretched, "a");
    auto window = TestWindow::Make(
        WindowSpec{}, [&](TestWindow& w) { w.AddFromList<Label>(Label::Lookup(), "Anchored", list); });
    window->Constructor();
    Ref<RectControl> held = window->ControlByName("Anchored");
    const QPointer<QWidget> old = qt::ControlWidget(*held);
    qt::Dispatch([&] { window->AddFromList<Label>(Label::Lookup(), "Anchored", list); });
    QWidget* top = window->Top();
    top->resize(top->width() + 100, top->height() + 50);
    ASSERT_FALSE(old.isNull());
    EXPECT_EQ(old->geometry(), QRect(20, 30, 100, 40));

    const WeakRef<RectControl> gone = held;
    held.reset();
    QTRY_VERIFY(old.isNull());
    EXPECT_TRUE(gone.expired());
    top->resize(top->width() - 100, top->height() - 50);
    EXPECT_EQ(qt::ControlWidget(*window->ControlByName("Anchored"))->geometry(), QRect(20, 30, 100, 40));
}

// ---------------------------------------------------------------------------------------------------------------
// Title-bar buttons and frames
// ---------------------------------------------------------------------------------------------------------------

struct FlagsCase {
    const char* name;
    std::int32_t frame;
    bool close, minimize, maximize;
};

class WindowFlagsTest : public WindowTest, public ::testing::WithParamInterface<FlagsCase> {};

TEST_P(WindowFlagsTest, TitleBarHasExactlyTheButtonsAskedFor) {
    const FlagsCase& c = GetParam();
    WindowSpec spec;
    spec.frame = c.frame;
    spec.closeButton = c.close;
    spec.minimizeButton = c.minimize;
    spec.maximizeButton = c.maximize;
    auto window = TestWindow::Make(spec);
    window->Constructor();
    const Qt::WindowFlags flags = window->Top()->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_EQ(flags.testFlag(Qt::WindowCloseButtonHint), c.close);
    EXPECT_EQ(flags.testFlag(Qt::WindowMinimizeButtonHint), c.minimize);
    EXPECT_EQ(flags.testFlag(Qt::WindowMaximizeButtonHint), c.maximize);
    EXPECT_FALSE(flags.testFlag(Qt::WindowFullscreenButtonHint));
    EXPECT_EQ(flags & Qt::WindowType_Mask, c.frame == 8 ? Qt::Dialog : Qt::Window);
    EXPECT_TRUE(window->Visible());
}

INSTANTIATE_TEST_SUITE_P(Buttons, WindowFlagsTest,
                         ::testing::Values(FlagsCase{"DocumentWithAll", 0, true, true, true},
                                           FlagsCase{"DocumentCloseOnly", 0, true, false, false},
                                           FlagsCase{"DialogWithNone", 8, false, false, false},
                                           FlagsCase{"DialogMinimizeOnly", 8, false, true, false}),
                         [](const ::testing::TestParamInfo<FlagsCase>& c) {
                             return std::string(c.param.name);
                         });

// ---------------------------------------------------------------------------------------------------------------
// Closing
// ---------------------------------------------------------------------------------------------------------------

TEST_F(WindowTest, CloseRequestRaisesCloseHidesAndLetsGo) {
    auto window = TestWindow::Make(WindowSpec{});
    window->Constructor();
    EXPECT_FALSE(window->Top()->close());  // the framework hides the window itself
    EXPECT_EQ(window->Count("Close"), 1u);
    EXPECT_FALSE(window->Visible());
    EXPECT_EQ(GetImplicitWindow("UiTest.TestWindow"), nullptr);
}

TEST_F(WindowTest, CloseRaisesCloseOnceAndLetsGo) {
    auto window = TestWindow::Make(WindowSpec{});
    window->Constructor();
    window->Close();
    EXPECT_EQ(window->Count("Close"), 1u);
    EXPECT_FALSE(window->Visible());
    EXPECT_EQ(GetImplicitWindow("UiTest.TestWindow"), nullptr);
}

TEST_F(WindowTest, WindowWithoutCloseButtonOnlyHidesOnACloseRequestOrEscape) {
    WindowSpec spec;
    spec.closeButton = false;
    auto window = TestWindow::Make(spec);
    window->Constructor();
    window->Top()->close();
    EXPECT_FALSE(window->Visible());
    window->Show();
    QTest::keyClick(window->Top(), Qt::Key_Escape);
    EXPECT_FALSE(window->Visible());
    EXPECT_EQ(window->Count("Close"), 0u);
    EXPECT_EQ(GetImplicitWindow("UiTest.TestWindow"), window);
}

TEST_F(WindowTest, CloseHandlerExceptionEndsTheRunAndIsRaisedByRuntimeRunOnce) {
    auto window = TestWindow::Make(WindowSpec{});
    window->onClose = [](TestWindow&) { throw IllegalCastException("from Close"); };
    window->Constructor();
    QTimer::singleShot(0, window->Top(), [&] { window->Top()->close(); });
    EXPECT_THROW(RuntimeRun(), IllegalCastException);
    EXPECT_EQ(window->Count("Close"), 1u);
    EXPECT_NO_THROW(RuntimeRun());
    uitest::FreshRuntime();
}

// ---------------------------------------------------------------------------------------------------------------
// Default and cancel buttons
// ---------------------------------------------------------------------------------------------------------------

struct KeyCase {
    const char* name;
    Qt::Key key;
    const char* pressed;  // the button whose Action runs, or "" for none
};

class DefaultButtonTest : public WindowTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(DefaultButtonTest, KeyPressesTheRightButton) {
    auto window = TestWindow::Make(WindowSpec{}, [](TestWindow& w) {
        for (const auto& [name, isDefault, isCancel, top] :
             {std::tuple{"OK", true, false, 10}, std::tuple{"Cancel", false, true, 40},
              std::tuple{"Other", false, false, 70}}) {
            auto button = w.AddFromList<PushButton>(
                PushButton::Lookup(), name,
                uitest::ButtonList(name, {10, top, 80, 22}, name, isDefault, isCancel));
            w.Bind(button, event::kButtonAction, &TestWindow::Button_Action, "( PushButton )");
        }
    });
    window->Constructor();
    QTest::keyClick(window->Top(), GetParam().key);
    const std::string pressed = GetParam().pressed;
    EXPECT_EQ(window->Count("OK.Action"), pressed == "OK" ? 1u : 0u);
    EXPECT_EQ(window->Count("Cancel.Action"), pressed == "Cancel" ? 1u : 0u);
    EXPECT_EQ(window->Count("Other.Action"), 0u);
    EXPECT_TRUE(window->Visible());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DefaultButtonTest,
    ::testing::Values(KeyCase{"Return", Qt::Key_Return, "OK"}, KeyCase{"Enter", Qt::Key_Enter, "OK"},
                      KeyCase{"Escape", Qt::Key_Escape, "Cancel"}, KeyCase{"Space", Qt::Key_Space, ""}),
    [](const ::testing::TestParamInfo<KeyCase>& c) { return std::string(c.param.name); });

// ---------------------------------------------------------------------------------------------------------------
// Shutdown
// ---------------------------------------------------------------------------------------------------------------

TEST_F(WindowTest, ReleaseWindowsLetsGoOfWindowsAndTheirWidgets) {
    auto window = TestWindow::Make(WindowSpec{}, [](TestWindow& w) {
        w.AddFromList<Label>(Label::Lookup(), "Caption", uitest::LabelList("Caption", {}, "x"));
    });
    window->Constructor();
    const QPointer<QWidget> top = window->Top();
    const QPointer<QWidget> label = qt::ControlWidget(*window->ControlByName("Caption"));
    const WeakRef<Window> weak = window;
    detail::ReleaseWindows();
    EXPECT_EQ(GetImplicitWindow("UiTest.TestWindow"), nullptr);
    EXPECT_TRUE(top.isNull());
    EXPECT_TRUE(label.isNull());
    // What still holds the window finds its widgets gone, as an exception rather than a crash.
    EXPECT_THROW(window->Show(), NilObjectException);
    EXPECT_THROW(window->ControlByName("Caption")->SetVisible(true), NilObjectException);
    window.reset();
    EXPECT_TRUE(weak.expired());
}

// ---------------------------------------------------------------------------------------------------------------
// The main-thread check
// ---------------------------------------------------------------------------------------------------------------

TEST_F(WindowTest, UserInterfaceCallsOffTheMainThreadRaise) {
    auto window = TestWindow::Make(WindowSpec{}, [](TestWindow& w) {
        w.AddFromList<Label>(Label::Lookup(), "Caption", uitest::LabelList("Caption", {}, "x"));
        w.AddFromList<TextArea>(TextArea::Lookup(), "Area", uitest::TextAreaList("Area", {}, "y"));
    });
    window->Constructor();
    auto label = RuntimeCheckCast<Label>(window->ControlByName("Caption"));
    auto area = RuntimeCheckCast<TextArea>(window->ControlByName("Area"));
    auto item = std::make_shared<MenuItem>();

    const std::vector<std::pair<const char*, std::function<void()>>> calls = {
        {"Window.Show", [&] { window->Show(); }},
        {"Window.Constructor", [&] { TestWindow::Make(WindowSpec{})->Constructor(); }},
        {"Window.New", [&] { window->New(Label::Lookup()); }},
        {"Window.ControlByName", [&] { window->ControlByName("Caption"); }},
        {"Window.SetProperties", [&] { window->SetProperties(WindowSpec{}.List()); }},
        {"GetImplicitWindow", [] { GetImplicitWindow("UiTest.TestWindow"); }},
        {"Label.SetText", [&] { label->SetText("elsewhere"); }},
        {"TextArea.Text", [&] { area->Text(); }},
        {"RectControl.SetFocus", [&] { area->SetFocus(); }},
        {"AcceptFileDrop", [&] { area->AcceptFileDrop("special/any"); }},
        {"RuntimeAddEventHandler",
         [&] {
             RuntimeAddEventHandler(area, event::kOpen,
                                    RuntimeCreateDelegate(MakeFunction(&TestWindow::Area_Open), window,
                                                          "( TextArea )", kDelegateWeak));
         }},
        {"MenuItem.SetText", [&] { item->SetText("&File"); }},
        {"Window.MenuBar", [&] { window->SetMenuBar(nullptr); }},
        {"System", [] { System(); }},
        {"ShowURL", [] { ShowURL("https://example.org/"); }},
    };
    for (const auto& [name, call] : calls) {
        bool refused = false;
        std::thread([&refused, call = call] {
            try {
                call();
            } catch (const ThreadAccessingUIException&) {
                refused = true;
            } catch (...) {
            }
        }).join();
        EXPECT_TRUE(refused) << name;
    }
    EXPECT_EQ(label->Text(), "x");
}

}  // namespace
