// Menus: a tree of MenuItem objects (a menu bar's children are menus, a menu's children its items), shown as
// the platform's menu bar on each window that uses it. "&" marks a mnemonic, "Cmd+X" is the platform's
// command key (Ctrl on Linux, Command on macOS), a Text of "-" is a separator. A chosen item goes to the
// handler registered under its name on the window; the Quit item quits by itself; Edit items with the
// usual names act on the focused text field.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Runtime.h"

namespace platform {

class MenuItem : public Object {
public:
    static const ClassDescription& Lookup();

    // An empty, usable item.
    virtual void Constructor();

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    bool AutoEnable() const { return autoEnable_; }
    void SetAutoEnable(bool autoEnable);
    const std::string& KeyboardShortcut() const { return shortcut_; }
    void SetKeyboardShortcut(const std::string& shortcut);
    // False until KeyboardShortcut has been set, also to the empty text.
    bool KeyboardShortcutSet() const { return shortcutSet_; }

    // `child` becomes the last child.
    void Append(const Ref<MenuItem>& child);
    // The direct child named `name`, or nil.
    Ref<MenuItem> Child(std::string_view name) const;
    // The item named `name` anywhere below this one, or nil.
    Ref<MenuItem> FindItem(std::string_view name) const;
    std::int32_t Count() const;
    Ref<MenuItem> Item(std::int32_t index) const;

    bool IsSeparator() const { return text_ == "-"; }
    // The item's own Action when no window handles it; false when it does nothing.
    virtual bool Action();

private:
    std::string name_;
    std::string text_;
    std::string shortcut_;
    bool shortcutSet_ = false;
    bool autoEnable_ = false;
    std::vector<Ref<MenuItem>> children_;
};

class MenuBar : public MenuItem {
public:
    static const ClassDescription& Lookup();
};

// The About item; the platform places it where its About command goes.
class AppleMenuItem : public MenuItem {
public:
    static const ClassDescription& Lookup();
};

// The Quit item; its Action quits the application with code 0.
class QuitMenuItem : public MenuItem {
public:
    static const ClassDescription& Lookup();
    bool Action() override;
};

}  // namespace platform
