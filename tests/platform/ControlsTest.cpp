// Controls on Qt: what their lists and typed settings do to the widgets, event signatures and bindings,
// label mouse events, buttons, focus and tab order, and an exception from a control's handler.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include "UiTestWindow.h"
#include "platform/detail/ShellWaitHook.h"

namespace {

using namespace platform;
using uitest::Place;
using uitest::TestWindow;
using uitest::WindowSpec;

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override { uitest::FreshRuntime(); }
    void TearDown() override { EXPECT_FALSE(detail::TakeDispatchedException()) << "a handler threw"; }

    // A shown window with a label, a text area, a button and a wheel, each from its list.
    Ref<TestWindow> Built() {
        auto window = TestWindow::Make(WindowSpec{}, [](TestWindow& w) {
            auto label = w.AddFromList<Label>(Label::Lookup(), "Caption",
                                              uitest::LabelList("Caption", {10, 10, 150, 20}, "Result", 3));
            w.Bind(label, event::kLabelMouseDown, &TestWindow::Label_MouseDown,
                   "( Label, Int32, Int32 ) as Boolean");
            w.Bind(label, event::kLabelMouseUp, &TestWindow::Label_MouseUp, "( Label, Int32, Int32 )");
            w.Bind(label, event::kMouseEnter, &TestWindow::Label_MouseEnter, "( Label )");
            w.AddFromList<TextArea>(TextArea::Lookup(), "Area",
                                    uitest::TextAreaList("Area", {10, 40, 200, 60}, "Drop here", 1));
            auto button =
                w.AddFromList<PushButton>(PushButton::Lookup(), "OK",
                                          uitest::ButtonList("OK", {10, 110, 80, 22}, "OK", true, false, 2));
            w.Bind(button, event::kButtonAction, &TestWindow::Button_Action, "( PushButton )");
            w.AddFromList<ProgressWheel>(ProgressWheelClass(), "Wheel",
                                         uitest::WheelList("Wheel", {100, 12, 16, 16}, "Caption", false));
        });
        window->Constructor();
        window->seen.clear();  // the building hooks are another test's business
        return window;
    }

    template <class C>
    static Ref<C> Get(const Ref<TestWindow>& window, const char* name) {
        return RuntimeCheckCast<C>(window->ControlByName(name));
    }
};

TEST_F(ControlsTest, ListsSetUpTheWidgets) {
    auto window = Built();
    auto* label = qobject_cast<QLabel*>(qt::ControlWidget(*window->ControlByName("Caption")));
    auto* editor = qt::Editor(*Get<TextArea>(window, "Area"));
    auto* button = qobject_cast<QPushButton*>(qt::ControlWidget(*window->ControlByName("OK")));
    ASSERT_TRUE(label && editor && button);

    EXPECT_EQ(label->text(), "Result");
    EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_FALSE(label->wordWrap());
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_EQ(label->font().family(), QApplication::font().family());
    EXPECT_EQ(label->geometry(), QRect(10, 10, 150, 20));
    EXPECT_TRUE(label->isVisible());

    EXPECT_EQ(editor->toPlainText(), "Drop here");
    EXPECT_FALSE(editor->isReadOnly());
    EXPECT_TRUE(editor->tabChangesFocus());
    EXPECT_EQ(editor->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(editor->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(editor->frameShape(), QFrame::StyledPanel);
    EXPECT_EQ(editor->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(editor->palette().color(QPalette::Base), QColor(255, 255, 255));
    EXPECT_EQ(editor->focusPolicy(), Qt::StrongFocus);

    EXPECT_EQ(button->text(), "OK");
    EXPECT_TRUE(button->isDefault());
    EXPECT_TRUE(Get<PushButton>(window, "OK")->Default());
    EXPECT_FALSE(Get<PushButton>(window, "OK")->Cancel());
    EXPECT_EQ(Get<PushButton>(window, "OK")->Caption(), "OK");

    EXPECT_FALSE(Get<ProgressWheel>(window, "Wheel")->Visible());
    EXPECT_FALSE(qt::ControlWidget(*window->ControlByName("Wheel"))->isVisible());
}

TEST_F(ControlsTest, EntriesWithoutAQtCounterpartAreKept) {
    auto window = Built();
    auto area = window->ControlByName("Area");
    EXPECT_EQ(area->Setting("AutomaticallyCheckSpelling"), PropertyValue(true));
    EXPECT_EQ(area->Setting("Index"), PropertyValue(std::int32_t{-2147483647 - 1}));
    EXPECT_EQ(area->Setting("Format"), PropertyValue(std::string()));
    EXPECT_EQ(window->ControlByName("OK")->Setting("ButtonStyle"), PropertyValue(std::int32_t{0}));
    EXPECT_FALSE(area->Setting("Caption").has_value());
}

TEST_F(ControlsTest, EachClassRefusesEntriesItDoesNotHave) {
    auto window = Built();
    const std::vector<std::pair<const char*, const char*>> refused = {
        {"Caption", "Caption"}, {"Caption", "ReadOnly"}, {"Area", "Default"},
        {"OK", "TextColor"},    {"Wheel", "Text"},       {"Area", "multiline"}};
    for (const auto& [control, entry] : refused) {
        PropertyListWriter list;
        list.String(entry, "x");
        EXPECT_THROW(window->ControlByName(control)->SetProperties(list.Bytes()), RuntimeException)
            << control << " took " << entry;
    }
}

TEST_F(ControlsTest, LaterListsChangeTheWidgets) {
    auto window = Built();
    auto area = Get<TextArea>(window, "Area");
    PropertyListWriter list;
    list.Boolean("ReadOnly", true)
        .Boolean("AcceptTabs", true)
        .Boolean("ScrollbarVertical", true)
        .Boolean("Border", false)
        .Boolean("Multiline", false)
        .Colour("TextColor", RGB(1, 2, 3))
        .Int32("LimitText", 4)
        .String("HelpTag", "Drop a file")
        .Boolean("Enabled", false)
        .Boolean("TabStop", false);
    area->SetProperties(list.Bytes());
    QPlainTextEdit* editor = qt::Editor(*area);
    EXPECT_TRUE(area->ReadOnly());
    EXPECT_FALSE(editor->tabChangesFocus());
    EXPECT_EQ(editor->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_EQ(editor->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(editor->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(editor->palette().color(QPalette::Active, QPalette::Text), QColor(1, 2, 3));
    EXPECT_EQ(editor->toPlainText(), "Drop");
    EXPECT_EQ(editor->toolTip(), "Drop a file");
    EXPECT_FALSE(area->Enabled());
    EXPECT_EQ(editor->focusPolicy(), Qt::ClickFocus);

    auto label = Get<Label>(window, "Caption");
    PropertyListWriter labelList;
    labelList.Boolean("Multiline", true)
        .Int32("TextAlign", 2)
        .Boolean("Selectable", true)
        .Boolean("Visible", false);
    label->SetProperties(labelList.Bytes());
    auto* widget = qobject_cast<QLabel*>(qt::ControlWidget(*label));
    EXPECT_TRUE(widget->wordWrap());
    EXPECT_EQ(widget->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_TRUE(widget->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
    EXPECT_FALSE(label->Visible());
    EXPECT_FALSE(widget->isVisible());
}

TEST_F(ControlsTest, ColoursWithAlphaZeroAreOpaque) {
    auto window = Built();
    auto area = Get<TextArea>(window, "Area");
    area->SetBackColor(RGB(210, 210, 255));
    EXPECT_EQ(area->BackColor(), RGB(210, 210, 255));
    EXPECT_EQ(qt::Editor(*area)->palette().color(QPalette::Base), QColor(210, 210, 255, 255));
    auto label = Get<Label>(window, "Caption");
    label->SetTextColor(RGB(0, 180, 0));
    EXPECT_EQ(label->TextColor(), RGB(0, 180, 0));
    EXPECT_EQ(qt::ControlWidget(*label)->palette().color(QPalette::WindowText), QColor(0, 180, 0, 255));
}

TEST_F(ControlsTest, TextRoundTripsAsUtf8) {
    auto window = Built();
    auto area = Get<TextArea>(window, "Area");
    const std::string text = "/tmp/caf\xC3\xA9 \xE2\x80\x94 x\n\nPlease compress this item and try again.";
    area->SetText(text);
    EXPECT_EQ(area->Text(), text);
    auto label = Get<Label>(window, "Caption");
    label->SetText("These files are identical");
    EXPECT_EQ(label->Text(), "These files are identical");
    label->SetText("");
    EXPECT_EQ(qobject_cast<QLabel*>(qt::ControlWidget(*label))->text(), "");
}

struct FontCase {
    const char* name;
    float size;
    FontUnits unit;
    int pixels;     // expected pixel size, or -1
    double points;  // expected point size, or -1 for the default
};

class FontTest : public ControlsTest, public ::testing::WithParamInterface<FontCase> {};

TEST_P(FontTest, TextSizeIsReadInItsUnit) {
    auto window = Built();
    auto label = Get<Label>(window, "Caption");
    label->SetTextSize(GetParam().size);
    label->SetTextUnit(GetParam().unit);
    EXPECT_EQ(label->TextSize(), GetParam().size);
    EXPECT_EQ(label->TextUnit(), GetParam().unit);
    const QFont font = qt::ControlWidget(*label)->font();
    if (GetParam().pixels > 0) {
        EXPECT_EQ(font.pixelSize(), GetParam().pixels);
    }
    if (GetParam().points > 0) {
        EXPECT_DOUBLE_EQ(font.pointSizeF(), GetParam().points);
    }
    if (GetParam().pixels < 0 && GetParam().points < 0) {
        EXPECT_EQ(font.pointSizeF(), QApplication::font().pointSizeF());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Units, FontTest,
    ::testing::Values(FontCase{"Pixels", 20.0F, FontUnits::Pixel, 20, -1},
                      FontCase{"Points", 16.0F, FontUnits::Point, -1, 16.0},
                      FontCase{"DefaultUnitKeepsDefaultSize", 16.0F, FontUnits::Default, -1, -1},
                      FontCase{"SizeZeroKeepsDefaultSize", 0.0F, FontUnits::Point, -1, -1}),
    [](const ::testing::TestParamInfo<FontCase>& c) { return std::string(c.param.name); });

TEST_F(ControlsTest, FontEntriesAndBold) {
    auto window = Built();
    auto label = Get<Label>(window, "Caption");
    PropertyListWriter list;
    list.String("TextFont", "DejaVu Serif").Boolean("Italic", true).Boolean("Underline", true);
    label->SetProperties(list.Bytes());
    label->SetBold(true);
    const QFont font = qt::ControlWidget(*label)->font();
    EXPECT_EQ(font.families().value(0), "DejaVu Serif");
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_TRUE(label->Bold() && label->Italic() && label->Underline());
    label->SetBold(false);
    EXPECT_FALSE(qt::ControlWidget(*label)->font().bold());
}

TEST_F(ControlsTest, LineSpacingAppliesToEveryParagraph) {
    auto window = Built();
    auto area = Get<TextArea>(window, "Area");
    area->SetLineSpacing(1.5);
    area->SetText("one\ntwo\nthree");
    EXPECT_EQ(area->LineSpacing(), 1.5);
    int blocks = 0;
    for (QTextBlock block = qt::Editor(*area)->document()->begin(); block.isValid();
         block = block.next(), ++blocks) {
        EXPECT_EQ(block.blockFormat().lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
        EXPECT_DOUBLE_EQ(block.blockFormat().lineHeight(), 150.0);
    }
    EXPECT_EQ(blocks, 3);
}

// ---------------------------------------------------------------------------------------------------------------
// Events and bindings
// ---------------------------------------------------------------------------------------------------------------

struct SignatureCase {
    const char* name;
    const ClassDescription& (*cls)();
    std::int32_t number;
    const char* signature;  // nullptr: not raised
};

class SignatureTest : public ControlsTest, public ::testing::WithParamInterface<SignatureCase> {};

TEST_P(SignatureTest, EventSignatureNamesTheHandlerShape) {
    auto control = RuntimeCheckCast<RectControl>(RuntimeNewObject(GetParam().cls()), RectControl::Lookup());
    const auto signature = control->EventSignature(GetParam().number);
    if (GetParam().signature)
        EXPECT_EQ(signature, std::optional<std::string>(GetParam().signature));
    else
        EXPECT_FALSE(signature.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Events, SignatureTest,
    ::testing::Values(
        SignatureCase{"TextAreaOpen", &TextArea::Lookup, 2, "( TextArea )"},
        SignatureCase{"TextAreaDragExit", &TextArea::Lookup, 6, "( TextArea, DragItem, Int32 )"},
        SignatureCase{"TextAreaDragOver", &TextArea::Lookup, 7,
                      "( TextArea, Int32, Int32, DragItem, Int32 ) as Boolean"},
        SignatureCase{"TextAreaDropObject", &TextArea::Lookup, 8, "( TextArea, DragItem, Int32 )"},
        SignatureCase{"TextAreaDragEnterNotRaised", &TextArea::Lookup, 5, nullptr},
        SignatureCase{"TextAreaKeyDownNotRaised", &TextArea::Lookup, 9, nullptr},
        SignatureCase{"LabelOpen", &Label::Lookup, 2, "( Label )"},
        SignatureCase{"LabelMouseEnter", &Label::Lookup, 11, "( Label )"},
        SignatureCase{"LabelMouseDown", &Label::Lookup, 16, "( Label, Int32, Int32 ) as Boolean"},
        SignatureCase{"LabelMouseUp", &Label::Lookup, 18, "( Label, Int32, Int32 )"},
        SignatureCase{"LabelMouseExitNotRaised", &Label::Lookup, 12, nullptr},
        SignatureCase{"LabelDropObjectNotRaised", &Label::Lookup, 8, nullptr},
        SignatureCase{"PushButtonOpen", &PushButton::Lookup, 2, "( PushButton )"},
        SignatureCase{"PushButtonAction", &PushButton::Lookup, 15, "( PushButton )"},
        SignatureCase{"PushButtonMouseDownNotRaised", &PushButton::Lookup, 18, nullptr},
        SignatureCase{"ProgressWheelOpen", &ProgressWheelClass, 2, "( ProgressWheel )"},
        SignatureCase{"ProgressWheelActionNotRaised", &ProgressWheelClass, 15, nullptr}),
    [](const ::testing::TestParamInfo<SignatureCase>& c) { return std::string(c.param.name); });

TEST_F(ControlsTest, BindingRefusesAWrongSignatureAndAnEventNotRaised) {
    auto window = Built();
    auto area = Get<TextArea>(window, "Area");
    const std::size_t before = area->EventHandlerCount();
    const auto delegate = [&](const char* signature) {
        return RuntimeCreateDelegate(MakeFunction(&TestWindow::Area_DropObject), window, signature,
                                     kDelegateWeak);
    };
    EXPECT_THROW(RuntimeAddEventHandler(area, event::kDropObject, delegate("( TextArea, DragItem )")),
                 RuntimeException);
    EXPECT_THROW(RuntimeAddEventHandler(area, event::kDropObject, delegate("(TextArea, DragItem, Int32)")),
                 RuntimeException);
    EXPECT_THROW(RuntimeAddEventHandler(area, 5, delegate("( TextArea, DragItem, Int32 )")),
                 RuntimeException);
    EXPECT_THROW(RuntimeAddEventHandler(area, event::kDropObject, nullptr), NilObjectException);
    EXPECT_THROW(
        RuntimeAddEventHandler(nullptr, event::kDropObject, delegate("( TextArea, DragItem, Int32 )")),
        NilObjectException);
    EXPECT_EQ(area->EventHandlerCount(), before);
    EXPECT_FALSE(area->HasEventHandler(event::kDropObject));

    RuntimeAddEventHandler(area, event::kDropObject, delegate("( TextArea, DragItem, Int32 )"));
    EXPECT_TRUE(area->HasEventHandler(event::kDropObject));
    EXPECT_EQ(area->EventHandlerCount(), before + 1);
}

TEST_F(ControlsTest, RaiseEventCallsTheHandlerWithTheControlFirst) {
    auto window = Built();
    auto area = Get<TextArea>(window, "Area");
    window->BindDropArea(area);
    auto item = std::make_shared<DragItem>(std::make_shared<FolderItem>("/tmp"));
    const Value args[] = {Value(Ref<Object>(item)), Value(std::int32_t{1})};
    area->RaiseEvent(event::kDropObject, args);
    ASSERT_EQ(window->Names(), std::vector<std::string>{"Area.DropObject"});
    EXPECT_EQ(window->seen[0].path, "/tmp");
    EXPECT_EQ(window->seen[0].action, 1);
    EXPECT_EQ(area->RaiseEvent(event::kMouseEnter, {}).index(), 0u) << "nothing bound, nothing raised";
}

TEST_F(ControlsTest, WeakBindingOutlivedByItsControlRaisesNilObject) {
    Ref<TextArea> area;
    {
        auto window = Built();
        area = Get<TextArea>(window, "Area");
        window->BindDropArea(area);
        detail::ReleaseWindows();
    }
    const Value args[] = {Value(Ref<Object>()), Value(std::int32_t{0})};
    EXPECT_THROW(area->RaiseEvent(event::kDropObject, args), NilObjectException);
}

struct MouseCase {
    const char* name;
    bool mouseDownResult;
    std::vector<std::string> seen;
};

class LabelMouseTest : public ControlsTest, public ::testing::WithParamInterface<MouseCase> {};

TEST_P(LabelMouseTest, MouseUpFollowsOnlyATakenMouseDown) {
    auto window = Built();
    window->onMouseDown = [&](TestWindow&) { return GetParam().mouseDownResult; };
    QWidget* label = qt::ControlWidget(*window->ControlByName("Caption"));
    QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(window->Names(), GetParam().seen);
}

INSTANTIATE_TEST_SUITE_P(Presses, LabelMouseTest,
                         ::testing::Values(MouseCase{"Taken", true, {"Caption.MouseDown", "Caption.MouseUp"}},
                                           MouseCase{"NotTaken", false, {"Caption.MouseDown"}}),
                         [](const ::testing::TestParamInfo<MouseCase>& c) {
                             return std::string(c.param.name);
                         });

TEST_F(ControlsTest, MouseEnterRaisesAndTheCursorShows) {
    auto window = Built();
    auto label = Get<Label>(window, "Caption");
    QWidget* widget = qt::ControlWidget(*label);
    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
    QApplication::sendEvent(widget, &enter);
    EXPECT_EQ(window->Names(), std::vector<std::string>{"Caption.MouseEnter"});

    label->SetMouseCursor(System()->GetCursors()->FingerPointer());
    EXPECT_EQ(widget->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(label->GetMouseCursor(), System()->GetCursors()->FingerPointer());
    label->SetMouseCursor(System()->GetCursors()->StandardPointer());
    EXPECT_EQ(widget->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ControlsTest, ButtonClickAndPushRaiseAction) {
    auto window = Built();
    auto button = Get<PushButton>(window, "OK");
    QTest::mouseClick(qt::ControlWidget(*button), Qt::LeftButton);
    button->Push();
    EXPECT_EQ(window->Names(), (std::vector<std::string>{"OK.Action", "OK.Action"}));
}

TEST_F(ControlsTest, ExceptionInAControlHandlerReachesRuntimeRunOnce) {
    auto window = Built();
    int actions = 0;
    window->onAction = [&](TestWindow&) {
        ++actions;
        throw ShellNotRunningException("from Action");
    };
    QTimer::singleShot(0, window->Top(), [&] {
        QTest::mouseClick(qt::ControlWidget(*window->ControlByName("OK")), Qt::LeftButton);
    });
    EXPECT_THROW(RuntimeRun(), ShellNotRunningException);
    EXPECT_EQ(actions, 1);
    EXPECT_NO_THROW(RuntimeRun());
    uitest::FreshRuntime();
}

TEST_F(ControlsTest, SetFocusAndTabOrderFollowTabIndex) {
    auto window = Built();
    auto area = Get<TextArea>(window, "Area");
    auto label = Get<Label>(window, "Caption");
    area->SetFocus();
    EXPECT_TRUE(area->HasFocus());
    EXPECT_FALSE(label->HasFocus());
    label->SetFocus();
    EXPECT_TRUE(label->HasFocus());
    EXPECT_FALSE(area->HasFocus());

    // TabIndex: Area 1, OK 2, Caption 3 (created Caption, Area, OK).
    QWidget* areaWidget = qt::ControlWidget(*area);
    QWidget* next = areaWidget->nextInFocusChain();
    while (next && next->focusPolicy() == Qt::NoFocus) next = next->nextInFocusChain();
    EXPECT_EQ(next, qt::ControlWidget(*window->ControlByName("OK")));
}

TEST_F(ControlsTest, ProgressWheelIsPublishedAndPaintsWhileVisible) {
    EXPECT_EQ(&ProgressWheelClass(), &ProgressWheel::Lookup());
    EXPECT_EQ(ProgressWheelClass().name, "ProgressWheel");
    auto window = Built();
    auto wheel = Get<ProgressWheel>(window, "Wheel");
    EXPECT_EQ(qt::PaintCount(*wheel), 0u);
    wheel->SetVisible(true);
    QTRY_VERIFY_WITH_TIMEOUT(qt::PaintCount(*wheel) >= 3, 5000);
    wheel->SetVisible(false);
    const std::uint64_t hidden = qt::PaintCount(*wheel);
    window->Refresh();
    EXPECT_EQ(qt::PaintCount(*wheel), hidden);
}

// The wait that keeps windows painting during a shell command comes with the runtime, not with a plug-in.
TEST_F(ControlsTest, RuntimeInitInstallsTheShellWait) {
    const detail::ShellWaitHook before = detail::SetShellWaitHook({});
    RuntimeInit();
    const detail::ShellWaitHook installed = detail::SetShellWaitHook(before);
    EXPECT_TRUE(installed.begin && installed.pump && installed.end);
}

}  // namespace
