// The Qt side of a window: a top-level widget holding the menu bar (above, on Linux) and the content widget
// of the window's Width x Height in which the controls sit, the settings its lists applied, its controls and
// its menu handlers.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Dispatch.h"
#include "platform/Menus.h"
#include "platform/PropertyList.h"
#include "platform/Window.h"
#include "platform/detail/ImplAccess.h"

class QMenuBar;

namespace platform {

class WindowWidget;

struct WindowImpl {
    explicit WindowImpl(Window& self);
    ~WindowImpl();
    WindowImpl(const WindowImpl&) = delete;
    WindowImpl& operator=(const WindowImpl&) = delete;

    // The top-level widget and the content widget, made on first use; NilObjectException once the
    // framework has let go of the window's widgets.
    WindowWidget& Top();
    QWidget& Content();
    bool HasWidgets() const { return top != nullptr; }

    // Brings the widgets in line with the settings: flags, title, colours, menu bar, full screen, and with
    // `sizes` also the content size and its limits.
    void Sync(bool sizes);
    // Sizes the top-level widget for a content of width x height within the limits.
    void SyncSizes();
    // Lays out the menu bar and the content inside the top-level widget.
    void LayOut();
    // The height the menu bar takes above the content (0 when it is hidden or global).
    int MenuBarHeight() const;
    // Orders keyboard focus through the controls by their TabIndex.
    void UpdateTabOrder();
    // Raises the window event `name` to the handler its class description names, if any.
    void RaiseWindowEvent(std::string_view name, Args args = {});
    // Closes the window: raises Close through the program dispatch, hides it, lets the framework go of it.
    void CloseNow();
    // A close request of the window manager (or Escape in a window without a close button).
    void CloseRequested();
    // Enter/Return and Escape: the default and the cancel push button.
    bool PressDefaultButton(bool cancel);
    // A window without a menu bar of its own answers the shortcuts of the application's menu bar, as the one
    // menu bar of macOS serves every window; one with its own bar answers its own only.
    void SyncApplicationCommands();

    Window& self;
    QPointer<WindowWidget> top;
    QPointer<QWidget> content;
    QPointer<QMenuBar> menuBarWidget;
    QPointer<QObject> applicationCommands;  // owns the actions SyncApplicationCommands added to the top
    bool widgetsMade = false;
    bool constructing = false;
    bool constructed = false;
    bool closed = false;

    std::map<std::string, PropertyValue, std::less<>> settings;
    int width = 300;
    int height = 300;
    int minWidth = 64;
    int minHeight = 64;
    int maxWidth = 32000;
    int maxHeight = 32000;
    std::int32_t frame = 0;
    bool hasBackColor = false;
    Color backColor{255, 255, 255, 0};
    std::string title;
    bool visible = true;
    bool fullScreen = false;
    bool menuBarVisible = true;
    bool closeButton = true;
    bool resizeable = true;
    bool maximizeButton = true;
    bool minimizeButton = true;
    bool fullScreenButton = false;

    std::vector<std::pair<std::string, Ref<RectControl>>> controls;
    std::vector<std::pair<std::string, Function>> menuHandlers;
    Ref<MenuBar> menuBar;
};

// The top-level widget of a window.
class WindowWidget : public QWidget {
public:
    explicit WindowWidget(WindowImpl& owner);
    WindowImpl* owner;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

namespace qt::windows {
// Whether the window is held by the framework (not closed).
bool IsRegistered(const Window& window);
// The application's menu bar has changed: the windows without one of their own follow it.
void ApplicationMenuBarChanged();
}  // namespace qt::windows

// Builds the Qt menu bar of a window from a menu bar's tree (Menus.cpp).
QMenuBar* BuildMenuBar(Window& window, const MenuBar& bar, QWidget* parent);
// Adds the actions of a menu bar's items to the top-level widget `top`, with their shortcuts but shown in no
// menu; the returned object owns them (Menus.cpp).
QObject* BuildMenuCommands(Window& window, const MenuBar& bar, QWidget& top);

}  // namespace platform
