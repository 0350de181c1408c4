// Windows: a top-level window of the platform per framework window, built by Constructor, which raises the
// window's building hooks (Layout, CreateControls, AddMenuHandlers) and then its Open event; the window is
// held under its class-name text from then on (GetImplicitWindow).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PropertyList.h"
#include "Runtime.h"

namespace platform {

class MenuBar;
class RectControl;
struct WindowImpl;
namespace detail {
struct ImplAccess;
}

class Window : public Object {
public:
    Window();
    ~Window() override;

    static const ClassDescription& Lookup();

    // Builds the window: registers it under its class-name text, raises Layout, CreateControls and
    // AddMenuHandlers, the controls' Open events, shows it when its Visible setting says so, raises Open.
    virtual void Constructor();
    virtual void Show();
    virtual void Hide();
    // Closes the window as its close button would: raises Close, hides it and lets the framework go of it.
    virtual void Close();
    // Repaints the window at once.
    virtual void Refresh();
    // A new object made on the window's behalf (a control, the shell runner), not yet constructed.
    virtual Ref<Object> New(const ClassDescription& cls);
    virtual void AddControl(const std::string& name, const Ref<RectControl>& control);
    // The control added under `name`, or nil.
    virtual Ref<RectControl> ControlByName(std::string_view name) const;
    // Binds a menu item's name to a handler, called with the window as target when the item is chosen.
    virtual void AddMenuHandler(const std::string& itemName, Function handler);

    Ref<MenuBar> GetMenuBar() const;
    void SetMenuBar(const Ref<MenuBar>& bar);

    // Applies a window Property list; each entry takes effect before the call returns.
    void SetProperties(std::string_view list);

    // What the lists set, as the window now has it.
    std::int32_t Width() const;
    std::int32_t Height() const;
    std::string Title() const;
    bool Visible() const;
    // Any entry of the last applied lists, by its name; nullopt when none set it.
    std::optional<PropertyValue> Setting(std::string_view name) const;

    std::vector<std::string> MenuHandlerNames() const;
    // Runs the handler registered under `itemName`; nullopt when there is none.
    std::optional<bool> HandleMenuCommand(std::string_view itemName);
    std::vector<Ref<RectControl>> Controls() const;

private:
    friend struct detail::ImplAccess;
    std::unique_ptr<WindowImpl> impl_;
};

// The window held under a class-name text, shown or hidden; nil when there is none.
Ref<Window> GetImplicitWindow(std::string_view className);

// Applies a Property list to a window or a control; a nil target raises NilObjectException.
void SetProperties(const Ref<Object>& target, std::string_view list);

}  // namespace platform
