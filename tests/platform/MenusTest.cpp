// Menus on Qt: a window's QMenuBar built from a MenuItem tree (mnemonics, shortcuts, roles, separators),
// where a chosen item goes, the Quit item, the Edit items acting on the focused text field (and when their
// state is worked out, without reading the clipboard's content), and the application's menu bar answering the
// keys of a window without a bar of its own.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include "UiTestWindow.h"

namespace {

using namespace platform;
using uitest::TestWindow;
using uitest::WindowSpec;

template <class T = MenuItem>
Ref<MenuItem> Entry(const std::string& name, const std::string& text, std::optional<std::string> shortcut) {
    auto item = RuntimeCheckCast<MenuItem>(RuntimeNewObject(T::Lookup()), MenuItem::Lookup());
    item->Constructor();
    item->SetName(name);
    item->SetAutoEnable(true);
    item->SetText(text);
    if (shortcut) item->SetKeyboardShortcut(*shortcut);
    return item;
}

// The tree a program builds: a File menu with About and Quit, an Edit menu with six commands and two
// separators.
Ref<MenuBar> ProgramLikeBar() {
    auto bar = RuntimeCheckCast<MenuBar>(RuntimeNewObject(MenuBar::Lookup()));
    bar->Append(Entry("FileMenu", "&File", ""));
    bar->Child("FileMenu")->Append(Entry<AppleMenuItem>("About", "About Test ...", ""));
    bar->Child("FileMenu")->Append(Entry<QuitMenuItem>("FileQuit", "&Quit", "Cmd+Q"));
    bar->Append(Entry("EditMenu", "&Edit", ""));
    const auto edit = bar->Child("EditMenu");
    edit->Append(Entry("EditUndo", "&Undo", "Cmd+Z"));
    edit->Append(Entry("EditSeparator1", "-", std::nullopt));
    edit->Append(Entry("EditCut", "Cu&t", "Cmd+X"));
    edit->Append(Entry("EditCopy", "&Copy", "Cmd+C"));
    edit->Append(Entry("EditPaste", "&Paste", "Cmd+V"));
    edit->Append(Entry("EditClear", "&Delete", ""));
    edit->Append(Entry("EditSeparator2", "-", std::nullopt));
    edit->Append(Entry("EditSelectAll", "Select &All", "Cmd+A"));
    return bar;
}

class MenusTest : public ::testing::Test {
protected:
    void SetUp() override { uitest::FreshRuntime(); }
    void TearDown() override { EXPECT_FALSE(detail::TakeDispatchedException()) << "a handler threw"; }

    // Registers an application whose menu bar is ProgramLikeBar; the fixture's TearDown lets go of it.
    static void SetApplicationsBar() {
        auto app = RuntimeCheckCast<Application>(RuntimeNewObject(Application::Lookup()));
        app->SetMenuBar(ProgramLikeBar());
        RuntimeRegisterAppObject(app);
    }

    // The action for an item among those a window's top-level widget answers without a bar of its own.
    static QAction* TopLevelCommand(const TestWindow& window, const char* name) {
        for (QAction* action : window.Top()->actions())
            if (action->objectName() == name) return action;
        return nullptr;
    }

    Ref<TestWindow> WindowWithBar(std::function<void(TestWindow&)> build = {}) {
        auto window = TestWindow::Make(WindowSpec{}, std::move(build));
        window->Constructor();
        window->SetMenuBar(ProgramLikeBar());
        return window;
    }
};

TEST_F(MenusTest, TreeLookups) {
    const Ref<MenuBar> bar = ProgramLikeBar();
    EXPECT_EQ(bar->Count(), 2);
    EXPECT_EQ(bar->Item(0)->Text(), "&File");
    EXPECT_EQ(bar->Item(2), nullptr);
    EXPECT_EQ(bar->Child("EditUndo"), nullptr) << "Child looks at direct children only";
    ASSERT_TRUE(bar->FindItem("EditUndo"));
    EXPECT_EQ(bar->FindItem("EditUndo")->Text(), "&Undo");
    EXPECT_EQ(bar->FindItem("Nothing"), nullptr);
    EXPECT_TRUE(bar->FindItem("EditSeparator1")->IsSeparator());
    EXPECT_FALSE(bar->FindItem("EditSeparator1")->KeyboardShortcutSet());
    EXPECT_TRUE(bar->FindItem("EditClear")->KeyboardShortcutSet());
    EXPECT_NO_THROW(RuntimeCheckCast<QuitMenuItem>(bar->FindItem("FileQuit")));
    EXPECT_THROW(RuntimeCheckCast<QuitMenuItem>(bar->FindItem("About")), IllegalCastException);
    EXPECT_THROW(bar->Append(nullptr), NilObjectException);
}

struct ActionCase {
    const char* name;  // the item's Name
    const char* text;
    QKeySequence shortcut;
    QAction::MenuRole role;
};

class MenuBarTest : public MenusTest, public ::testing::WithParamInterface<ActionCase> {};

TEST_P(MenuBarTest, ItemBecomesAnActionWithItsMnemonicShortcutAndRole) {
    auto window = WindowWithBar();
    QAction* action = qt::MenuAction(*window, GetParam().name);
    ASSERT_TRUE(action);
    EXPECT_EQ(action->text(), GetParam().text);
    EXPECT_EQ(action->shortcut(), GetParam().shortcut);
    EXPECT_EQ(action->menuRole(), GetParam().role);
    EXPECT_FALSE(action->isSeparator());
}

INSTANTIATE_TEST_SUITE_P(
    Items, MenuBarTest,
    ::testing::Values(ActionCase{"About", "About Test ...", QKeySequence(), QAction::AboutRole},
                      ActionCase{"FileQuit", "&Quit", QKeySequence(Qt::CTRL | Qt::Key_Q), QAction::QuitRole},
                      ActionCase{"EditUndo", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z), QAction::NoRole},
                      ActionCase{"EditCut", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), QAction::NoRole},
                      ActionCase{"EditCopy", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), QAction::NoRole},
                      ActionCase{"EditPaste", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V), QAction::NoRole},
                      ActionCase{"EditClear", "&Delete", QKeySequence(), QAction::NoRole},
                      ActionCase{"EditSelectAll", "Select &All", QKeySequence(Qt::CTRL | Qt::Key_A),
                                 QAction::NoRole}),
    [](const ::testing::TestParamInfo<ActionCase>& c) { return std::string(c.param.name); });

TEST_F(MenusTest, MenuBarHoldsTheMenusInOrderWithSeparators) {
    auto window = WindowWithBar();
    QMenuBar* bar = qt::MenuBarWidget(*window);
    ASSERT_TRUE(bar);
    const QList<QAction*> menus = bar->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), "&File");
    EXPECT_EQ(menus[1]->text(), "&Edit");
    QStringList edit;
    for (QAction* action : menus[1]->menu()->actions())
        edit << (action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(edit, QStringList({"&Undo", "-", "Cu&t", "&Copy", "&Paste", "&Delete", "-", "Select &All"}));
    EXPECT_EQ(menus[0]->menu()->actions().size(), 2);
}

TEST_F(MenusTest, ContentSitsBelowTheBarAtItsOwnSize) {
    auto window = WindowWithBar();
    QMenuBar* bar = qt::MenuBarWidget(*window);
    EXPECT_EQ(window->Content()->size(), QSize(300, 200));
    if (!bar->isNativeMenuBar()) {
        EXPECT_GT(bar->height(), 0);
        EXPECT_EQ(window->Content()->y(), bar->height());
        EXPECT_EQ(window->Top()->height(), 200 + bar->height());
    }
    EXPECT_EQ(window->GetMenuBar()->Count(), 2);
}

TEST_F(MenusTest, ChosenItemGoesToTheWindowsHandlerElseToItsOwnAction) {
    auto window = WindowWithBar();
    window->AddMenuHandler("About", MakeFunction(&TestWindow::Menu_Chosen));
    EXPECT_EQ(window->MenuHandlerNames(), std::vector<std::string>{"About"});
    EXPECT_EQ(window->HandleMenuCommand("FileQuit"), std::nullopt);

    qt::MenuAction(*window, "About")->trigger();
    EXPECT_EQ(window->Names(),
              (std::vector<std::string>{"Layout", "CreateControls", "AddMenuHandlers", "Open", "Menu"}));
    EXPECT_EQ(window->HandleMenuCommand("About"), std::optional<bool>(true));
    EXPECT_THROW(window->AddMenuHandler("EditCopy", Function()), NilObjectException);
}

TEST_F(MenusTest, QuitItemEndsTheRunWithExitCodeZero) {
    auto window = WindowWithBar();
    QAction* quit = qt::MenuAction(*window, "FileQuit");
    QTimer::singleShot(0, quit, &QAction::trigger);
    RuntimeRun();
    EXPECT_EQ(RuntimeExit(), 0);
    uitest::FreshRuntime();
}

// A window that sets no menu bar, with the application's menu bar set.
class ApplicationMenuBarTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        SetApplicationsBar();
        window_ = TestWindow::Make(WindowSpec{}, [](TestWindow& w) {
            w.AddFromList<Label>(Label::Lookup(), "Caption",
                                 uitest::LabelList("Caption", {10, 100, 100, 20}, "x"));
        });
        window_->Constructor();
        window_->Top()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_->Top()));
    }
    void TearDown() override {
        RuntimeRegisterAppObject(nullptr);
        MenusTest::TearDown();
    }

    QAction* Command(const char* name) const { return TopLevelCommand(*window_, name); }

    Ref<TestWindow> window_;
};

TEST_F(ApplicationMenuBarTest, WindowWithoutABarAnswersTheApplicationsShortcutsInNoMenu) {
    EXPECT_EQ(qt::MenuBarWidget(*window_), nullptr);
    ASSERT_NE(Command("FileQuit"), nullptr);
    EXPECT_EQ(Command("FileQuit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    ASSERT_NE(Command("EditCopy"), nullptr);
    EXPECT_EQ(Command("FileMenu"), nullptr) << "menus are not commands";
    EXPECT_EQ(Command("EditSeparator1"), nullptr);

    // Where no text field has the focus, the Edit commands have nothing to act on.
    window_->ControlByName("Caption")->SetFocus();
    for (const char* edit : {"EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll"})
        EXPECT_FALSE(Command(edit)->isEnabled()) << edit;
    EXPECT_TRUE(Command("FileQuit")->isEnabled());

    // A bar of its own takes their place.
    window_->SetMenuBar(ProgramLikeBar());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Command("FileQuit"), nullptr);
    EXPECT_NE(qt::MenuAction(*window_, "FileQuit"), nullptr);
}

TEST_F(ApplicationMenuBarTest, QuitShortcutInAWindowWithoutABarEndsTheRun) {
    QTimer::singleShot(0, window_->Top(),
                       [&] { QTest::keyClick(window_->Top(), Qt::Key_Q, Qt::ControlModifier); });
    QTimer::singleShot(5000, window_->Top(), [] { Quit(1); });  // the keys went nowhere
    RuntimeRun();
    EXPECT_EQ(RuntimeExit(), 0);
    uitest::FreshRuntime();
}

TEST_F(MenusTest, QuitShortcutEndsTheRun) {
    auto window = WindowWithBar();
    window->Top()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->Top()));
    QTimer::singleShot(0, window->Top(),
                       [&] { QTest::keyClick(window->Top(), Qt::Key_Q, Qt::ControlModifier); });
    RuntimeRun();
    EXPECT_EQ(RuntimeExit(), 0);
    uitest::FreshRuntime();
}

// ---------------------------------------------------------------------------------------------------------------
// Edit commands on the focused text field
// ---------------------------------------------------------------------------------------------------------------

class EditCommandsTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        window_ = WindowWithBar([](TestWindow& w) {
            w.AddFromList<TextArea>(TextArea::Lookup(), "Area",
                                    uitest::TextAreaList("Area", {10, 10, 200, 60}, "hello"));
            w.AddFromList<Label>(Label::Lookup(), "Caption",
                                 uitest::LabelList("Caption", {10, 100, 100, 20}, ""));
        });
        area_ = RuntimeCheckCast<TextArea>(window_->ControlByName("Area"));
        editor_ = qt::Editor(*area_);
        window_->Top()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_->Top()));
        area_->SetFocus();
        ASSERT_EQ(QApplication::focusWidget(), editor_);
    }
    bool Enabled(const char* name) { return qt::MenuAction(*window_, name)->isEnabled(); }
    void Choose(const char* name) { qt::MenuAction(*window_, name)->trigger(); }

    Ref<TestWindow> window_;
    Ref<TextArea> area_;
    QPlainTextEdit* editor_ = nullptr;
};

TEST_F(EditCommandsTest, CommandsActOnTheFocusedEditor) {
    Choose("EditSelectAll");
    EXPECT_EQ(editor_->textCursor().selectedText(), "hello");
    Choose("EditCopy");
    EXPECT_EQ(QApplication::clipboard()->text(), "hello");
    Choose("EditCut");
    EXPECT_EQ(area_->Text(), "");
    Choose("EditPaste");
    Choose("EditPaste");
    EXPECT_EQ(area_->Text(), "hellohello");
    Choose("EditUndo");
    EXPECT_EQ(area_->Text(), "hello");
    Choose("EditSelectAll");
    Choose("EditClear");
    EXPECT_EQ(area_->Text(), "");
}

TEST_F(EditCommandsTest, AutoEnabledCommandsAreEnabledOnlyWhenTheyCanAct) {
    QTextCursor cursor = editor_->textCursor();
    cursor.clearSelection();
    editor_->setTextCursor(cursor);
    QApplication::clipboard()->clear();
    EXPECT_FALSE(Enabled("EditCopy"));
    EXPECT_FALSE(Enabled("EditCut"));
    EXPECT_FALSE(Enabled("EditClear"));
    EXPECT_FALSE(Enabled("EditPaste"));
    EXPECT_TRUE(Enabled("EditSelectAll"));
    EXPECT_TRUE(Enabled("About"));
    EXPECT_TRUE(Enabled("FileQuit"));

    editor_->selectAll();
    EXPECT_TRUE(Enabled("EditCopy"));
    EXPECT_TRUE(Enabled("EditCut"));
    EXPECT_TRUE(Enabled("EditClear"));
    Choose("EditCopy");
    EXPECT_TRUE(Enabled("EditPaste"));

    // A read-only editor can be copied from, not changed.
    PropertyListWriter readOnly;
    readOnly.Boolean("ReadOnly", true);
    area_->SetProperties(readOnly.Bytes());
    editor_->selectAll();
    EXPECT_TRUE(Enabled("EditCopy"));
    EXPECT_FALSE(Enabled("EditCut"));
    EXPECT_FALSE(Enabled("EditPaste"));

    // With the focus on a control that is no text field nothing can act.
    window_->ControlByName("Caption")->SetFocus();
    EXPECT_FALSE(Enabled("EditCopy"));
    EXPECT_FALSE(Enabled("EditSelectAll"));
    EXPECT_FALSE(window_->GetMenuBar()->FindItem("EditSelectAll")->Action());
}

// Alt+E gives the keyboard focus to the menu bar while the menu is open; the commands still follow the
// editor.
TEST_F(EditCommandsTest, MenuOpenedFromTheKeyboardFollowsTheEditorItTookTheFocusFrom) {
    editor_->selectAll();
    QMenuBar* bar = qt::MenuBarWidget(*window_);
    QTest::keyClick(window_->Top(), Qt::Key_E, Qt::AltModifier);
    ASSERT_NE(bar->activeAction(), nullptr) << "Alt+E opened no menu";
    EXPECT_EQ(bar->activeAction()->text(), "&Edit");
    EXPECT_EQ(QApplication::focusWidget(), bar);
    for (const char* edit : {"EditCut", "EditCopy", "EditClear", "EditSelectAll"})
        EXPECT_TRUE(Enabled(edit)) << edit;

    // Chosen from that menu, a command acts on the editor.
    QMenu* menu = bar->activeAction()->menu();
    ASSERT_NE(menu, nullptr);
    QTest::keyClick(menu, Qt::Key_T);
    EXPECT_EQ(area_->Text(), "");
    EXPECT_EQ(QApplication::clipboard()->text(), "hello");
    EXPECT_EQ(QApplication::focusWidget(), editor_);
}

// Text another program offers on the clipboard, as its formats and its content; counts how often the content
// is read.
class CountedText : public QMimeData {
public:
    QStringList formats() const override { return {QStringLiteral("text/plain")}; }
    bool hasFormat(const QString& type) const override { return type == QLatin1String("text/plain"); }
    int reads() const { return reads_; }

protected:
    QVariant retrieveData(const QString& type, QMetaType) const override {
        ++reads_;
        return hasFormat(type) ? QVariant(QStringLiteral("pasted")) : QVariant();
    }

private:
    mutable int reads_ = 0;
};

// The content may be large and slow to come: only a paste reads it.
TEST_F(EditCommandsTest, EditingReadsNothingOfTheClipboardAndPastePastesIt) {
    auto* text = new CountedText;
    QApplication::clipboard()->setMimeData(text);
    QTest::keyClicks(editor_, "abc");
    QTest::keyClick(editor_, Qt::Key_Backspace);
    QTest::keyClick(editor_, Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClick(editor_, Qt::Key_A, Qt::ControlModifier);
    window_->ControlByName("Caption")->SetFocus();
    area_->SetFocus();
    QMenuBar* bar = qt::MenuBarWidget(*window_);
    QTest::keyClick(window_->Top(), Qt::Key_E, Qt::AltModifier);
    ASSERT_NE(bar->activeAction(), nullptr) << "Alt+E opened no menu";
    EXPECT_TRUE(Enabled("EditPaste"));
    EXPECT_EQ(text->reads(), 0);

    QTest::keyClick(bar->activeAction()->menu(), Qt::Key_P);
    EXPECT_EQ(area_->Text(), "pasted");
    EXPECT_GT(text->reads(), 0);
}

TEST_F(EditCommandsTest, WindowHandlerTakesPrecedenceOverTheEditCommand) {
    window_->AddMenuHandler("EditSelectAll", MakeFunction(&TestWindow::Menu_Chosen));
    Choose("EditSelectAll");
    EXPECT_EQ(window_->Count("Menu"), 1u);
    EXPECT_FALSE(editor_->textCursor().hasSelection());
}

// Where the state of an Edit command is looked at, and whether the window answers the keys of its own bar or
// of the application's.
struct TextSetCase {
    const char* name;
    bool ownBar;
    bool byMenu;  // in the Edit menu as it opens, else by pressing the shortcut
};

void PrintTo(const TextSetCase& c, std::ostream* out) { *out << c.name; }

// Text set into an empty area while it has the focus enables Select All, in the Edit menu as it opens and for
// its shortcut. A read-only area leaves Cmd+A to the shortcut, which goes to the window's handler, in a
// window with a bar of its own and in one that answers the application's.
class TextSetWhileFocusedTest : public MenusTest, public ::testing::WithParamInterface<TextSetCase> {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        if (!GetParam().ownBar) SetApplicationsBar();
        window_ = TestWindow::Make(WindowSpec{}, [](TestWindow& w) {
            w.AddFromList<TextArea>(TextArea::Lookup(), "Area",
                                    uitest::TextAreaList("Area", {10, 10, 200, 60}, ""));
        });
        window_->Constructor();
        if (GetParam().ownBar) window_->SetMenuBar(ProgramLikeBar());
        window_->AddMenuHandler("EditSelectAll", MakeFunction(&TestWindow::Menu_Chosen));
        area_ = RuntimeCheckCast<TextArea>(window_->ControlByName("Area"));
        PropertyListWriter readOnly;
        readOnly.Boolean("ReadOnly", true);
        area_->SetProperties(readOnly.Bytes());
        window_->Top()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_->Top()));
        area_->SetFocus();
    }
    void TearDown() override {
        RuntimeRegisterAppObject(nullptr);
        MenusTest::TearDown();
    }

    QAction* SelectAll() const {
        return GetParam().ownBar ? qt::MenuAction(*window_, "EditSelectAll")
                                 : TopLevelCommand(*window_, "EditSelectAll");
    }

    Ref<TestWindow> window_;
    Ref<TextArea> area_;
};

TEST_P(TextSetWhileFocusedTest, SelectAllFollowsTextSetWhileTheAreaHasTheFocus) {
    ASSERT_NE(SelectAll(), nullptr);
    EXPECT_FALSE(SelectAll()->isEnabled()) << "nothing to select yet";
    area_->SetText("hello");
    if (GetParam().byMenu) {
        QMenuBar* bar = qt::MenuBarWidget(*window_);
        QTest::keyClick(window_->Top(), Qt::Key_E, Qt::AltModifier);
        ASSERT_NE(bar->activeAction(), nullptr) << "Alt+E opened no menu";
        EXPECT_TRUE(SelectAll()->isEnabled());
        QTest::keyClick(bar->activeAction()->menu(), Qt::Key_Escape);
    } else {
        QTest::keyClick(qt::Editor(*area_), Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(window_->Count("Menu"), 1u) << "Cmd+A did not reach the window's handler";
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, TextSetWhileFocusedTest,
                         ::testing::Values(TextSetCase{"MenuOfItsOwnBar", true, true},
                                           TextSetCase{"ShortcutOfItsOwnBar", true, false},
                                           TextSetCase{"ShortcutOfTheApplicationsBar", false, false}),
                         [](const ::testing::TestParamInfo<TextSetCase>& c) {
                             return std::string(c.param.name);
                         });

}  // namespace
