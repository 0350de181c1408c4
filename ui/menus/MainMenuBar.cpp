// The menu bar's class description, its construction from the table of entries, and its single instance.
#include "ui/menus/MainMenuBar.h"

#include <optional>
#include <span>
#include <utility>

namespace corvantil {

namespace {

// One entry of the bar. An empty parent puts the entry on the bar itself (a menu); otherwise the entry is
// appended to the menu of that name. A shortcut of nullopt leaves KeyboardShortcut unset.
struct MenuEntry {
    const char* parent;
    const char* name;
    const platform::ClassDescription& (*cls)();
    const char* text;
    std::optional<const char*> shortcut;
};

const MenuEntry kFileMenu[] = {
    {"", "FileMenu", &platform::MenuItem::Lookup, "&File", ""},
    {"FileMenu", "About", &platform::AppleMenuItem::Lookup, "About Corvantil ...", ""},
    {"FileMenu", "FileQuit", &platform::QuitMenuItem::Lookup, "&Quit", "Cmd+Q"},
};

const MenuEntry kEditMenu[] = {
    {"", "EditMenu", &platform::MenuItem::Lookup, "&Edit", ""},
    {"EditMenu", "EditUndo", &platform::MenuItem::Lookup, "&Undo", "Cmd+Z"},
    {"EditMenu", "EditSeparator1", &platform::MenuItem::Lookup, "-", std::nullopt},
    {"EditMenu", "EditCut", &platform::MenuItem::Lookup, "Cu&t", "Cmd+X"},
    {"EditMenu", "EditCopy", &platform::MenuItem::Lookup, "&Copy", "Cmd+C"},
    {"EditMenu", "EditPaste", &platform::MenuItem::Lookup, "&Paste", "Cmd+V"},
    {"EditMenu", "EditClear", &platform::MenuItem::Lookup, "&Delete", ""},
    {"EditMenu", "EditSeparator2", &platform::MenuItem::Lookup, "-", std::nullopt},
    {"EditMenu", "EditSelectAll", &platform::MenuItem::Lookup, "Select &All", "Cmd+A"},
};

// Builds the entries in order. Each menu is looked up afresh by name for each of its items, so a menu that
// is not on the bar stops the building with NilObjectException before that item is attached.
void BuildEntries(MainMenuBar& bar, std::span<const MenuEntry> entries) {
    for (const MenuEntry& row : entries) {
        if (testing::beforeMenuEntry) testing::beforeMenuEntry(bar, row.name);
        auto entry = platform::RuntimeCheckCast<platform::MenuItem>(platform::RuntimeNewObject(row.cls()),
                                                                    platform::MenuItem::Lookup());
        platform::Require(entry, "a new menu entry")->Constructor();
        entry->SetName(row.name);
        entry->SetAutoEnable(true);
        entry->SetText(row.text);
        if (row.shortcut) entry->SetKeyboardShortcut(*row.shortcut);
        if (*row.parent == '\0') {
            bar.Append(entry);
        } else {
            platform::Ref<platform::MenuItem> menu = bar.Child(row.parent);
            platform::Require(menu, std::string("the menu ") + row.parent)->Append(entry);
        }
    }
}

}  // namespace

namespace testing {
void (*beforeMenuEntry)(MainMenuBar& bar, const std::string& entryName) = nullptr;
}  // namespace testing

const platform::ClassDescription& MainMenuBar::Lookup() {
    static const platform::ClassDescription description = [] {
        platform::ClassDescription d;
        d.name = "MainMenuBar.MainMenuBar";
        d.super = &platform::MenuBar::Lookup();
        d.factory = []() -> platform::Ref<platform::Object> { return std::make_shared<MainMenuBar>(); };
        using Kind = platform::MemberRecord::Kind;
        d.members = {
            {Kind::Method, "Untitled0", "(  )", false},
            {Kind::Method, "Untitled1", "(  )", false},
            {Kind::Method, "Constructor", "(  )", false},
        };
        return d;
    }();
    return description;
}

void MainMenuBar::Constructor() {
    Untitled0();
    Untitled1();
}

void MainMenuBar::Untitled0() { BuildEntries(*this, kFileMenu); }

void MainMenuBar::Untitled1() { BuildEntries(*this, kEditMenu); }

namespace MainMenuBarModule {
platform::Ref<MainMenuBar> _implicitInstance;

void Exit() {
    platform::Ref<MainMenuBar> held = std::exchange(_implicitInstance, nullptr);
    held.reset();
}
}  // namespace MainMenuBarModule

platform::Ref<MainMenuBar> MainMenuBar::Instance() {
    using MainMenuBarModule::_implicitInstance;
    if (!_implicitInstance) {
        auto bar = platform::RuntimeCheckCast<MainMenuBar>(platform::RuntimeNewObject(MainMenuBar::Lookup()));
        platform::Require(bar, "the new menu bar")->Constructor();
        _implicitInstance = bar;
    }
    return _implicitInstance;
}

}  // namespace corvantil
