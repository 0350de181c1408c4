// The main window's menu handling on the real framework: the one registration, the About item showing the
// single About window, and the twelve accessors that find the items of the window's menu bar by name.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QWidget>
#include <exception>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/FileTypes1.h"
#include "app/Startup.h"
#include "platform/Platform.h"
#include "platform/detail/Internal.h"
#include "platform/qt/QtAccess.h"
#include "ui/about/AboutWindow.h"
#include "ui/main/MainWIndow.h"

namespace {

using platform::MenuItem;
using platform::Ref;
using Main = corvantil::MainWIndow;

constexpr const char* kAboutClass = "AboutWindow.AboutWindow";

int VisibleAboutWindows() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == "Untitled") ++n;
    return n;
}

// The main window as late start-up makes it, on a framework brought up as early start-up leaves it; shutdown
// afterwards lets go of both windows, the menu bar and the file type, so each test starts afresh.
class MenuHandlingTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::RuntimeInit();
        platform::RuntimeInitExternalClasses();
        corvantil::InitPluginEntrypoints();
        if (!corvantil::FileTypes1::pSpecialAny) corvantil::FileTypes1::Initialize();
        window = corvantil::MainWIndow::Instance();
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        if (std::exception_ptr escaped = platform::detail::TakeDispatchedException()) {
            try {
                std::rethrow_exception(escaped);
            } catch (const std::exception& e) {
                ADD_FAILURE() << "a handler let an exception out: " << e.what();
            }
        }
        if (platform::GetImplicitWindow("MainWIndow.MainWIndow") == window) window->Close();
        window.reset();
        corvantil::finalize();
    }

    Ref<Main> window;
};

TEST_F(MenuHandlingTest, RegistersOnlyTheAboutHandler) {
    EXPECT_EQ(window->MenuHandlerNames(), std::vector<std::string>{"About"});
    for (const char* name : {"FileMenu", "FileQuit", "EditMenu", "EditUndo", "EditSeparator1", "EditCut",
                             "EditCopy", "EditPaste", "EditClear", "EditSeparator2", "EditSelectAll"})
        EXPECT_EQ(window->HandleMenuCommand(name), std::nullopt) << name;
}

TEST_F(MenuHandlingTest, ChoosingAboutShowsTheSingleAboutWindow) {
    ASSERT_EQ(platform::GetImplicitWindow(kAboutClass), nullptr) << "no About window before the first choice";
    QAction* about = platform::qt::MenuAction(*window, "About");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->text(), "About Corvantil ...");

    about->trigger();
    Ref<platform::Window> shown = platform::GetImplicitWindow(kAboutClass);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->Visible());
    EXPECT_EQ(VisibleAboutWindows(), 1);

    // A second choice while it is shown shows the same window again.
    EXPECT_EQ(window->HandleMenuCommand("About"), std::optional<bool>(true));
    EXPECT_EQ(platform::GetImplicitWindow(kAboutClass), shown);
    EXPECT_EQ(VisibleAboutWindows(), 1);
}

TEST_F(MenuHandlingTest, AboutAfterOkShowsTheSameInstanceAgain) {
    EXPECT_TRUE(window->About_Action());
    Ref<corvantil::AboutWindow> about = corvantil::AboutWindow::Instance();
    ASSERT_TRUE(about->Visible());
    about->OKButton()->Push();
    ASSERT_FALSE(about->Visible());

    EXPECT_TRUE(window->About_Action());
    EXPECT_EQ(corvantil::AboutWindow::Instance(), about);
    EXPECT_TRUE(about->Visible());
    EXPECT_EQ(VisibleAboutWindows(), 1);
}

// One accessor and the item it must find. An empty parent: a menu on the bar itself.
struct AccessorCase {
    const char* name;
    std::function<Ref<MenuItem>(Main&)> get;
    const platform::ClassDescription& (*cls)();
    const char* parent;
    const char* text;
};

void PrintTo(const AccessorCase& c, std::ostream* out) { *out << c.name; }

#define ACCESSOR(Name) #Name, [](Main & w) -> Ref < MenuItem> { return w.Name(); }
const AccessorCase kAccessors[] = {
    {ACCESSOR(EditMenu), &MenuItem::Lookup, "", "&Edit"},
    {ACCESSOR(EditSelectAll), &MenuItem::Lookup, "EditMenu", "Select &All"},
    {ACCESSOR(EditSeparator2), &MenuItem::Lookup, "EditMenu", "-"},
    {ACCESSOR(EditClear), &MenuItem::Lookup, "EditMenu", "&Delete"},
    {ACCESSOR(EditPaste), &MenuItem::Lookup, "EditMenu", "&Paste"},
    {ACCESSOR(EditCopy), &MenuItem::Lookup, "EditMenu", "&Copy"},
    {ACCESSOR(EditCut), &MenuItem::Lookup, "EditMenu", "Cu&t"},
    {ACCESSOR(EditSeparator1), &MenuItem::Lookup, "EditMenu", "-"},
    {ACCESSOR(EditUndo), &MenuItem::Lookup, "EditMenu", "&Undo"},
    {ACCESSOR(FileMenu), &MenuItem::Lookup, "", "&File"},
    {ACCESSOR(FileQuit), &platform::QuitMenuItem::Lookup, "FileMenu", "&Quit"},
    {ACCESSOR(About), &platform::AppleMenuItem::Lookup, "FileMenu", "About Corvantil ..."},
};
#undef ACCESSOR

class MenuAccessorTest : public MenuHandlingTest, public ::testing::WithParamInterface<AccessorCase> {};

TEST_P(MenuAccessorTest, FindsItsItemInTheWindowsMenuBar) {
    const AccessorCase& c = GetParam();
    Ref<platform::MenuBar> bar = window->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    Ref<MenuItem> item = c.get(*window);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Name(), c.name);
    EXPECT_EQ(&item->Class(), &c.cls());
    EXPECT_EQ(item->Text(), c.text);
    if (*c.parent) {
        ASSERT_NE(bar->Child(c.parent), nullptr);
        EXPECT_EQ(bar->Child(c.parent)->Child(c.name), item) << "found inside its menu";
        EXPECT_EQ(bar->Child(c.name), nullptr) << "not on the bar itself";
    } else {
        EXPECT_EQ(bar->Child(c.name), item);
    }
    // Each call looks the item up afresh: under another name it is not found.
    item->SetName("Renamed");
    EXPECT_EQ(c.get(*window), nullptr);
    item->SetName(c.name);
    EXPECT_EQ(c.get(*window), item);
}

TEST_P(MenuAccessorTest, RaisesNilObjectExceptionOnAWindowWithoutMenuBar) {
    auto bare = platform::RuntimeCheckCast<Main>(platform::RuntimeNewObject(Main::Lookup()));
    ASSERT_EQ(bare->GetMenuBar(), nullptr);
    EXPECT_THROW(GetParam().get(*bare), platform::NilObjectException);
}

INSTANTIATE_TEST_SUITE_P(Accessors, MenuAccessorTest, ::testing::ValuesIn(kAccessors),
                         [](const ::testing::TestParamInfo<AccessorCase>& p) {
                             return std::string(p.param.name);
                         });

}  // namespace
