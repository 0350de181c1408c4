// The menu bar as the program builds it: its tree of entries, its single instance, a failure while it is
// built and its shutdown.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "ui/menus/MainMenuBar.h"

namespace {

using corvantil::MainMenuBarModule::_implicitInstance;

// One entry as it must stand in the tree: where it is, what it is and how it is set.
struct Entry {
    const char* parent;  // "" for a menu on the bar
    int index;           // position among its parent's children
    const char* name;
    const platform::ClassDescription& (*cls)();
    const char* text;
    std::optional<const char*> shortcut;  // nullopt: never set
};

const Entry kEntries[] = {
    {"", 0, "FileMenu", &platform::MenuItem::Lookup, "&File", ""},
    {"FileMenu", 0, "About", &platform::AppleMenuItem::Lookup, "About Corvantil ...", ""},
    {"FileMenu", 1, "FileQuit", &platform::QuitMenuItem::Lookup, "&Quit", "Cmd+Q"},
    {"", 1, "EditMenu", &platform::MenuItem::Lookup, "&Edit", ""},
    {"EditMenu", 0, "EditUndo", &platform::MenuItem::Lookup, "&Undo", "Cmd+Z"},
    {"EditMenu", 1, "EditSeparator1", &platform::MenuItem::Lookup, "-", std::nullopt},
    {"EditMenu", 2, "EditCut", &platform::MenuItem::Lookup, "Cu&t", "Cmd+X"},
    {"EditMenu", 3, "EditCopy", &platform::MenuItem::Lookup, "&Copy", "Cmd+C"},
    {"EditMenu", 4, "EditPaste", &platform::MenuItem::Lookup, "&Paste", "Cmd+V"},
    {"EditMenu", 5, "EditClear", &platform::MenuItem::Lookup, "&Delete", ""},
    {"EditMenu", 6, "EditSeparator2", &platform::MenuItem::Lookup, "-", std::nullopt},
    {"EditMenu", 7, "EditSelectAll", &platform::MenuItem::Lookup, "Select &All", "Cmd+A"},
};

// Each test starts with no menu bar kept and no seam set.
class MainMenuBarTest : public ::testing::Test {
protected:
    void SetUp() override { corvantil::MainMenuBarModule::Exit(); }
    void TearDown() override {
        corvantil::testing::beforeMenuEntry = nullptr;
        corvantil::MainMenuBarModule::Exit();
    }
};

class MenuEntryTest : public MainMenuBarTest, public ::testing::WithParamInterface<Entry> {};

TEST_P(MenuEntryTest, StandsInTheTreeAsBuilt) {
    const Entry& e = GetParam();
    platform::Ref<corvantil::MainMenuBar> bar = corvantil::MainMenuBar::Instance();
    platform::Ref<platform::MenuItem> parent = *e.parent ? bar->Child(e.parent) : bar;
    ASSERT_NE(parent, nullptr);
    platform::Ref<platform::MenuItem> item = parent->Item(e.index);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Name(), e.name);
    EXPECT_EQ(&item->Class(), &e.cls());
    EXPECT_EQ(item->Text(), e.text);
    EXPECT_EQ(item->KeyboardShortcutSet(), e.shortcut.has_value());
    EXPECT_EQ(item->KeyboardShortcut(), e.shortcut.value_or(""));
    EXPECT_TRUE(item->AutoEnable());
    EXPECT_EQ(bar->FindItem(e.name), item) << "found by name anywhere in the bar";
}

INSTANTIATE_TEST_SUITE_P(Entries, MenuEntryTest, ::testing::ValuesIn(kEntries),
                         [](const ::testing::TestParamInfo<Entry>& p) { return std::string(p.param.name); });

TEST_F(MainMenuBarTest, HoldsTwoMenusOfTwoAndEightItems) {
    platform::Ref<corvantil::MainMenuBar> bar = corvantil::MainMenuBar::Instance();
    EXPECT_EQ(bar->Class().name, "MainMenuBar.MainMenuBar");
    EXPECT_TRUE(bar->Class().IsA(platform::MenuBar::Lookup()));
    ASSERT_EQ(bar->Count(), 2);
    EXPECT_EQ(bar->Item(0)->Name(), "FileMenu");
    EXPECT_EQ(bar->Item(1)->Name(), "EditMenu");
    EXPECT_EQ(bar->Child("FileMenu")->Count(), 2);
    EXPECT_EQ(bar->Child("EditMenu")->Count(), 8);
}

TEST_F(MainMenuBarTest, TwoCallsGiveOneInstanceBuiltOnce) {
    platform::Ref<corvantil::MainMenuBar> first = corvantil::MainMenuBar::Instance();
    platform::Ref<corvantil::MainMenuBar> second = corvantil::MainMenuBar::Instance();
    EXPECT_EQ(first, second);
    EXPECT_EQ(_implicitInstance, first);
    EXPECT_EQ(second->Count(), 2);
    EXPECT_EQ(second->Child("EditMenu")->Count(), 8);
}

TEST_F(MainMenuBarTest, ExitEmptiesTheReferenceAndReleasesTheBar) {
    std::weak_ptr<corvantil::MainMenuBar> kept = corvantil::MainMenuBar::Instance();
    ASSERT_FALSE(kept.expired());
    corvantil::MainMenuBarModule::Exit();
    EXPECT_EQ(_implicitInstance, nullptr);
    EXPECT_TRUE(kept.expired());
}

// A menu that is not on the bar when one of its items is built: the test renames the menu just before that
// item, so the builder's lookup by name finds nothing.
struct Failure {
    const char* atEntry;
    const char* menu;
    std::vector<std::string> entriesTried;
};

Failure* currentFailure = nullptr;
std::vector<std::string> tried;
std::weak_ptr<corvantil::MainMenuBar> failingBar;

void RenameMenuBeforeEntry(corvantil::MainMenuBar& bar, const std::string& name) {
    tried.push_back(name);
    failingBar = std::static_pointer_cast<corvantil::MainMenuBar>(bar.shared_from_this());
    if (name == currentFailure->atEntry) bar.Child(currentFailure->menu)->SetName("Elsewhere");
}

class MenuFailureTest : public MainMenuBarTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(MenuFailureTest, ReachesTheCallerKeepsNothingAndTheNextCallStartsAfresh) {
    Failure failure = GetParam();
    currentFailure = &failure;
    tried.clear();
    corvantil::testing::beforeMenuEntry = &RenameMenuBeforeEntry;

    EXPECT_THROW(corvantil::MainMenuBar::Instance(), platform::NilObjectException);
    EXPECT_EQ(_implicitInstance, nullptr);
    EXPECT_TRUE(failingBar.expired()) << "the unfinished bar is released";
    EXPECT_EQ(tried, failure.entriesTried) << "no row after the failing one is built";

    corvantil::testing::beforeMenuEntry = nullptr;
    platform::Ref<corvantil::MainMenuBar> fresh = corvantil::MainMenuBar::Instance();
    EXPECT_EQ(_implicitInstance, fresh);
    ASSERT_EQ(fresh->Count(), 2);
    EXPECT_EQ(fresh->Child("FileMenu")->Count(), 2);
    EXPECT_EQ(fresh->Child("EditMenu")->Count(), 8);
}

INSTANTIATE_TEST_SUITE_P(Failures, MenuFailureTest,
                         ::testing::Values(Failure{"FileQuit", "FileMenu", {"FileMenu", "About", "FileQuit"}},
                                           Failure{"EditCut",
                                                   "EditMenu",
                                                   {"FileMenu", "About", "FileQuit", "EditMenu", "EditUndo",
                                                    "EditSeparator1", "EditCut"}}),
                         [](const ::testing::TestParamInfo<Failure>& p) {
                             return std::string("At") + p.param.atEntry;
                         });

}  // namespace
