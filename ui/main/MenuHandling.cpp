// MainWIndow: registration of the About handler, the handler itself and the twelve menu-item accessors.
#include "ui/about/AboutWindow.h"
#include "ui/main/MainWIndow.h"

namespace corvantil {

using platform::AppleMenuItem;
using platform::MenuItem;
using platform::QuitMenuItem;
using platform::Ref;
using platform::Require;

namespace {

// The item named `name` in the window's menu bar, as a T; nil when the bar holds no such item.
template <class T>
Ref<T> MenuBarItem(const platform::Window& window, const char* name) {
    Ref<platform::MenuBar> bar = window.GetMenuBar();
    const platform::MenuItem& root = *Require(bar, "the window's menu bar");
    return platform::RuntimeCheckCast<T>(root.FindItem(name), T::Lookup());
}

}  // namespace

void MainWIndow::AddMenuHandlers(const Ref<platform::Window>& window) {
    Ref<MainWIndow> built = platform::RuntimeCheckCast<MainWIndow>(window, MainWIndow::Lookup());
    Require(built, "the window being built");
    // The registration keeps the plain function; the delegate goes right after the call.
    Ref<platform::Delegate> handler =
        platform::RuntimeCreateDelegate(platform::MakeFunction(&MainWIndow::About_Action), built,
                                        "(  ) as Boolean", platform::kDelegateStrong);
    AddMenuHandler("About", handler ? handler->GetFunction() : platform::Function());
}

bool MainWIndow::About_Action() {
    Ref<AboutWindow> about = AboutWindow::Instance();
    Require(about, "AboutWindow")->Show();
    return true;
}

Ref<MenuItem> MainWIndow::EditMenu() { return MenuBarItem<MenuItem>(*this, "EditMenu"); }
Ref<MenuItem> MainWIndow::EditSelectAll() { return MenuBarItem<MenuItem>(*this, "EditSelectAll"); }
Ref<MenuItem> MainWIndow::EditSeparator2() { return MenuBarItem<MenuItem>(*this, "EditSeparator2"); }
Ref<MenuItem> MainWIndow::EditClear() { return MenuBarItem<MenuItem>(*this, "EditClear"); }
Ref<MenuItem> MainWIndow::EditPaste() { return MenuBarItem<MenuItem>(*this, "EditPaste"); }
Ref<MenuItem> MainWIndow::EditCopy() { return MenuBarItem<MenuItem>(*this, "EditCopy"); }
Ref<MenuItem> MainWIndow::EditCut() { return MenuBarItem<MenuItem>(*this, "EditCut"); }
Ref<MenuItem> MainWIndow::EditSeparator1() { return MenuBarItem<MenuItem>(*this, "EditSeparator1"); }
Ref<MenuItem> MainWIndow::EditUndo() { return MenuBarItem<MenuItem>(*this, "EditUndo"); }
Ref<MenuItem> MainWIndow::FileMenu() { return MenuBarItem<MenuItem>(*this, "FileMenu"); }
Ref<QuitMenuItem> MainWIndow::FileQuit() { return MenuBarItem<QuitMenuItem>(*this, "FileQuit"); }
Ref<AppleMenuItem> MainWIndow::About() { return MenuBarItem<AppleMenuItem>(*this, "About"); }

}  // namespace corvantil
