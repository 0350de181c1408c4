// Windows on Qt Widgets: a top-level WindowWidget per framework window, holding the menu bar (above the
// content on Linux; in the global bar where the platform has one) and the content widget of the window's
// Width x Height in which the controls sit. The framework holds every constructed window under its
// class-name text until it closes (GetImplicitWindow).
//
// Window list entries with a Qt counterpart: Width, Height, MinWidth, MinHeight, MaxWidth, MaxHeight (the
// content's size and limits), Frame 0 (a document window) and 8 (a dialog-style window), HasBackColor and
// BackColor, Title, Visible, FullScreen, MenuBarVisible, Resizeable, and CloseButton, MinimizeButton,
// MaximizeButton, FullScreenButton (title-bar buttons). Kept and readable through Setting() only:
// Placement (the window manager places every window), Composite, LiveResize, MacProcID and the Frame
// values other than 0 and 8 (shown as document windows).
#include "platform/Window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <algorithm>

#include "ControlImpl.h"
#include "ListEntries.h"
#include "QtText.h"
#include "ShellWait.h"
#include "WindowImpl.h"
#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/detail/Internal.h"

namespace platform {

namespace {

using qt::ToQColor;
using qt::ToQString;

// The windows the framework holds, in the order they were constructed. Never destroyed: windows still held at
// exit must not be torn down after Qt's own globals are gone (RuntimeFinalize releases them in time).
std::vector<Ref<Window>>& Registry() {
    static auto* windows = new std::vector<Ref<Window>>;
    return *windows;
}

void Register(const Ref<Window>& window) {
    auto& windows = Registry();
    if (std::find(windows.begin(), windows.end(), window) == windows.end()) windows.push_back(window);
}

void Unregister(const Window& window) {
    auto& windows = Registry();
    std::erase_if(windows, [&](const Ref<Window>& held) { return held.get() == &window; });
}

// What applying a window's entries leaves to be done once its whole list is applied.
constexpr unsigned kSyncSizes = 1;   // its content size, limits, resizeability or menu bar changed
constexpr unsigned kShowOrHide = 2;  // Visible was set

using Entry = qt::ListEntry<WindowImpl>;
constexpr auto I = PropertyType::Int32;
constexpr auto B = PropertyType::Boolean;

template <auto Member>
unsigned StoreLimit(WindowImpl& d, const PropertyValue& value) {
    d.*Member = std::clamp(qt::Int(value), 0, QWIDGETSIZE_MAX);
    return kSyncSizes;
}

// Placement, Composite, LiveResize and MacProcID are kept in the settings only.
constexpr Entry kWindowEntries[] = {
    {"Placement", I},
    {"Width", I, &qt::StoreAtLeastZero<&WindowImpl::width, kSyncSizes>},
    {"Height", I, &qt::StoreAtLeastZero<&WindowImpl::height, kSyncSizes>},
    {"MinWidth", I, &qt::StoreAtLeastZero<&WindowImpl::minWidth, kSyncSizes>},
    {"MinHeight", I, &qt::StoreAtLeastZero<&WindowImpl::minHeight, kSyncSizes>},
    {"MaxWidth", I, &StoreLimit<&WindowImpl::maxWidth>},
    {"MaxHeight", I, &StoreLimit<&WindowImpl::maxHeight>},
    {"Frame", I, &qt::Store<&WindowImpl::frame>},
    {"Composite", B},
    {"HasBackColor", B, &qt::Store<&WindowImpl::hasBackColor>},
    {"BackColor", PropertyType::Color, &qt::Store<&WindowImpl::backColor>},
    {"Title", PropertyType::String, &qt::Store<&WindowImpl::title>},
    {"Visible", B,
     [](WindowImpl& d, const PropertyValue& value) -> unsigned {
         d.visible = qt::Flag(value);
         return kShowOrHide;
     }},
    {"FullScreen", B, &qt::Store<&WindowImpl::fullScreen>},
    {"MenuBarVisible", B, &qt::Store<&WindowImpl::menuBarVisible, kSyncSizes>},
    {"CloseButton", B, &qt::Store<&WindowImpl::closeButton>},
    {"Resizeable", B, &qt::Store<&WindowImpl::resizeable, kSyncSizes>},
    {"LiveResize", B},
    {"MaximizeButton", B, &qt::Store<&WindowImpl::maximizeButton>},
    {"MinimizeButton", B, &qt::Store<&WindowImpl::minimizeButton>},
    {"FullScreenButton", B, &qt::Store<&WindowImpl::fullScreenButton>},
    {"MacProcID", I},
};

const qt::EntryTable<WindowImpl>& WindowEntries() {
    static const qt::EntryTable<WindowImpl> table{kWindowEntries};
    return table;
}

constexpr int kFrameDialog = 8;

}  // namespace

// ---------------------------------------------------------------------------------------------------------------
// The framework's windows
// ---------------------------------------------------------------------------------------------------------------

bool qt::windows::IsRegistered(const Window& window) {
    const auto& windows = Registry();
    return std::any_of(windows.begin(), windows.end(),
                       [&](const Ref<Window>& held) { return held.get() == &window; });
}

void qt::windows::ApplicationMenuBarChanged() {
    for (const Ref<Window>& window : Registry()) detail::ImplOf(*window).SyncApplicationCommands();
}

// ---------------------------------------------------------------------------------------------------------------
// WindowWidget
// ---------------------------------------------------------------------------------------------------------------

WindowWidget::WindowWidget(WindowImpl& impl) : owner(&impl) {}

void WindowWidget::closeEvent(QCloseEvent* event) {
    qt::Dispatch([&] {
        // The framework decides what a close request does; Qt hides nothing by itself.
        event->ignore();
        if (owner) owner->CloseRequested();
    });
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
    qt::Dispatch([&] {
        if (owner) {
            switch (event->key()) {
                case Qt::Key_Return:
                case Qt::Key_Enter:
                    if (owner->PressDefaultButton(false)) return;
                    break;
                case Qt::Key_Escape:
                    if (owner->PressDefaultButton(true)) return;
                    if (!owner->closeButton) {
                        owner->CloseRequested();
                        return;
                    }
                    break;
                default:
                    break;
            }
        }
        QWidget::keyPressEvent(event);
    });
}

void WindowWidget::resizeEvent(QResizeEvent* event) {
    qt::Dispatch([&] {
        QWidget::resizeEvent(event);
        if (owner) owner->LayOut();
    });
}

void WindowWidget::showEvent(QShowEvent* event) {
    qt::Dispatch([&] {
        QWidget::showEvent(event);
        if (owner) owner->LayOut();
    });
}

// ---------------------------------------------------------------------------------------------------------------
// WindowImpl
// ---------------------------------------------------------------------------------------------------------------

WindowImpl::WindowImpl(Window& window) : self(window) {}

WindowImpl::~WindowImpl() {
    if (top) {
        top->owner = nullptr;
        qt::DisposeWidget(top);
    }
    controls.clear();
}

WindowWidget& WindowImpl::Top() {
    if (!top) {
        if (widgetsMade) throw NilObjectException("the window \"" + title + "\" has lost its widgets");
        widgetsMade = true;
        top = new WindowWidget(*this);
        content = new QWidget(top);
        Sync(true);
    }
    return *top;
}

QWidget& WindowImpl::Content() {
    Top();
    if (!content) throw NilObjectException("the window \"" + title + "\" has lost its widgets");
    return *content;
}

int WindowImpl::MenuBarHeight() const {
    if (!menuBarWidget || !menuBarVisible || menuBarWidget->isNativeMenuBar() || !top) return 0;
    const int forWidth = menuBarWidget->heightForWidth(top->width());
    return forWidth > 0 ? forWidth : menuBarWidget->sizeHint().height();
}

void WindowImpl::LayOut() {
    if (!top || !content) return;
    const int bar = MenuBarHeight();
    if (menuBarWidget) menuBarWidget->setGeometry(0, 0, top->width(), bar);
    content->setGeometry(0, bar, top->width(), std::max(0, top->height() - bar));
    width = content->width();
    height = content->height();
}

void WindowImpl::SyncSizes() {
    WindowWidget& widget = Top();
    const int bar = MenuBarHeight();
    const int w = std::max(minWidth, std::min(width, maxWidth));
    const int h = std::max(minHeight, std::min(height, maxHeight));
    if (resizeable) {
        content->setMinimumSize(minWidth, minHeight);
        content->setMaximumSize(maxWidth, maxHeight);
        widget.setMinimumSize(minWidth, minHeight + bar);
        widget.setMaximumSize(maxWidth, maxHeight + bar);
        widget.resize(w, h + bar);
    } else {
        content->setFixedSize(w, h);
        widget.setFixedSize(w, h + bar);
    }
    LayOut();
}

void WindowImpl::Sync(bool sizes) {
    WindowWidget& widget = Top();
    Qt::WindowFlags flags =
        (frame == kFrameDialog ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (closeButton) flags |= Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint;
    if (minimizeButton) flags |= Qt::WindowMinimizeButtonHint;
    if (maximizeButton) flags |= Qt::WindowMaximizeButtonHint;
    if (fullScreenButton) flags |= Qt::WindowFullscreenButtonHint;
    if (widget.windowFlags() != flags) {
        const bool shown = widget.isVisible();
        widget.setWindowFlags(flags);
        if (shown) widget.show();
    }
    widget.setWindowTitle(ToQString(title));

    content->setAutoFillBackground(hasBackColor);
    QPalette palette = content->palette();
    palette.setColor(QPalette::Window,
                     hasBackColor ? ToQColor(backColor) : widget.palette().color(QPalette::Window));
    content->setPalette(palette);

    if (menuBarWidget) menuBarWidget->setVisible(menuBarVisible);
    if (sizes) SyncSizes();
    if (widget.isVisible()) {
        if (fullScreen && !widget.isFullScreen()) widget.showFullScreen();
        if (!fullScreen && widget.isFullScreen()) widget.showNormal();
    }
    LayOut();
}

void WindowImpl::UpdateTabOrder() {
    std::vector<std::pair<std::int32_t, QWidget*>> order;
    for (const auto& [name, control] : controls) {
        ControlImpl& d = detail::ImplOf(*control);
        if (d.HasWidget() && (d.widget->focusPolicy() & Qt::TabFocus))
            order.emplace_back(d.tabIndex, d.widget);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1].second, order[i].second);
}

void WindowImpl::RaiseWindowEvent(std::string_view name, Args args) {
    const EventHandlerRecord* record = self.Class().HandlerFor(name);
    if (record && record->function) record->function(&self, args);
}

void WindowImpl::CloseNow() {
    const Ref<Object> keep = self.weak_from_this().lock();
    closed = true;
    qt::Dispatch([this] { RaiseWindowEvent("Close"); });
    if (top) top->hide();
    Unregister(self);
}

void WindowImpl::CloseRequested() {
    if (!closeButton) {
        // A window without a close button is only ever hidden by a close request.
        if (top) top->hide();
        return;
    }
    if (closed) return;
    if (qt::shellwait::Running()) {
        qt::shellwait::QueueClose(std::static_pointer_cast<Window>(self.weak_from_this().lock()));
        return;
    }
    CloseNow();
}

void WindowImpl::SyncApplicationCommands() {
    if (QObject* old = applicationCommands.data()) {
        applicationCommands = nullptr;
        for (QAction* action : old->findChildren<QAction*>()) {
            if (top) top->removeAction(action);
        }
        qt::DeleteWhenSafe(old);
    }
    if (menuBar || !top) return;
    const Ref<Application> app = RuntimeAppObject();
    const Ref<MenuBar> bar = app ? app->GetMenuBar() : nullptr;
    if (bar) applicationCommands = BuildMenuCommands(self, *bar, *top);
}

bool WindowImpl::PressDefaultButton(bool cancel) {
    for (const auto& [name, control] : controls) {
        ControlImpl& d = detail::ImplOf(*control);
        if ((cancel ? d.isCancel : d.isDefault) && d.HasWidget()) {
            auto* button = dynamic_cast<QPushButton*>(d.widget.data());
            if (button && button->isVisible() && button->isEnabled()) {
                button->click();
                return true;
            }
        }
    }
    return false;
}

// ---------------------------------------------------------------------------------------------------------------
// Window
// ---------------------------------------------------------------------------------------------------------------

Window::Window() : impl_(std::make_unique<WindowImpl>(*this)) {}

Window::~Window() = default;

WindowImpl& detail::ImplAccess::Of(const Window& window) { return *window.impl_; }

const ClassDescription& Window::Lookup() {
    static const ClassDescription description{
        "Window", &Object::Lookup(), [] { return std::make_shared<Window>(); }, {}, {}};
    return description;
}

void Window::Constructor() {
    CheckMainThread("Window.Constructor");
    const auto self = std::static_pointer_cast<Window>(shared_from_this());
    Register(self);
    impl_->constructing = true;
    try {
        impl_->Top();
        impl_->RaiseWindowEvent("Layout");
        impl_->RaiseWindowEvent("CreateControls");
        const Value window[] = {Value(std::static_pointer_cast<Object>(self))};
        impl_->RaiseWindowEvent("AddMenuHandlers", window);
        impl_->SyncApplicationCommands();
        const std::vector<Ref<RectControl>> created = Controls();
        for (const Ref<RectControl>& control : created) control->RaiseEvent(event::kOpen, {});
        impl_->constructing = false;
        impl_->constructed = true;
        impl_->UpdateTabOrder();
        if (impl_->visible) Show();
        impl_->RaiseWindowEvent("Open");
    } catch (...) {
        impl_->constructing = false;
        if (impl_->top) impl_->top->hide();
        Unregister(*this);
        throw;
    }
}

void Window::Show() {
    CheckMainThread("Window.Show");
    WindowWidget& widget = impl_->Top();
    if (impl_->fullScreen)
        widget.showFullScreen();
    else
        widget.show();
    widget.raise();
    widget.activateWindow();
}

void Window::Hide() {
    CheckMainThread("Window.Hide");
    impl_->Top().hide();
}

void Window::Close() {
    CheckMainThread("Window.Close");
    impl_->Top();
    impl_->CloseNow();
}

void Window::Refresh() {
    CheckMainThread("Window.Refresh");
    impl_->Top().repaint();
}

Ref<Object> Window::New(const ClassDescription& cls) {
    CheckMainThread("Window.New");
    return RuntimeNewObject(cls);
}

void Window::AddControl(const std::string& name, const Ref<RectControl>& control) {
    CheckMainThread("Window.AddControl");
    Require(control, "the control to add");
    ControlImpl& d = detail::ImplOf(*control);
    d.name = name;
    d.window = std::static_pointer_cast<Window>(shared_from_this());
    auto& controls = impl_->controls;
    const auto same =
        std::find_if(controls.begin(), controls.end(), [&](const auto& held) { return held.first == name; });
    if (same != controls.end()) {
        // The control that had the name leaves the window, its widget disposed of at once.
        if (same->second != control) detail::ImplOf(*same->second).Dispose();
        same->second = control;
    } else {
        controls.emplace_back(name, control);
    }
    impl_->Content();
    d.Place();
}

Ref<RectControl> Window::ControlByName(std::string_view name) const {
    CheckMainThread("Window.ControlByName");
    for (const auto& [held, control] : impl_->controls) {
        if (held == name) return control;
    }
    return nullptr;
}

void Window::AddMenuHandler(const std::string& itemName, Function handler) {
    CheckMainThread("Window.AddMenuHandler");
    if (!handler) throw NilObjectException("the menu handler for \"" + itemName + "\" is nil");
    auto& handlers = impl_->menuHandlers;
    const auto same = std::find_if(handlers.begin(), handlers.end(),
                                   [&](const auto& held) { return held.first == itemName; });
    if (same != handlers.end())
        same->second = std::move(handler);
    else
        handlers.emplace_back(itemName, std::move(handler));
}

Ref<MenuBar> Window::GetMenuBar() const {
    CheckMainThread("Window.MenuBar");
    return impl_->menuBar;
}

void Window::SetMenuBar(const Ref<MenuBar>& bar) {
    CheckMainThread("Window.MenuBar");
    WindowWidget& widget = impl_->Top();
    impl_->menuBar = bar;
    if (impl_->menuBarWidget) {
        QMenuBar* old = impl_->menuBarWidget;
        impl_->menuBarWidget = nullptr;
        qt::DisposeWidget(old);
    }
    if (bar) {
        impl_->menuBarWidget = BuildMenuBar(*this, *bar, &widget);
        impl_->menuBarWidget->setVisible(impl_->menuBarVisible);
    }
    impl_->SyncApplicationCommands();
    impl_->SyncSizes();
}

void Window::SetProperties(std::string_view list) {
    CheckMainThread("Window.SetProperties");
    WindowImpl& d = *impl_;
    d.Top();
    const qt::EntryTable<WindowImpl>& table = WindowEntries();
    const unsigned followUp = table.Apply(d, d.settings, table.Decode(list));
    d.Sync((followUp & kSyncSizes) != 0);
    // While the window is built, Constructor shows it once its controls are open.
    if ((followUp & kShowOrHide) && d.constructed) {
        if (d.visible)
            Show();
        else
            Hide();
    }
}

std::int32_t Window::Width() const {
    CheckMainThread("Window.Width");
    return impl_->content ? impl_->content->width() : impl_->width;
}

std::int32_t Window::Height() const {
    CheckMainThread("Window.Height");
    return impl_->content ? impl_->content->height() : impl_->height;
}

std::string Window::Title() const {
    CheckMainThread("Window.Title");
    return impl_->title;
}

bool Window::Visible() const {
    CheckMainThread("Window.Visible");
    return impl_->top && impl_->top->isVisible();
}

std::optional<PropertyValue> Window::Setting(std::string_view name) const {
    CheckMainThread("Window.Setting");
    const auto found = impl_->settings.find(name);
    if (found == impl_->settings.end()) return std::nullopt;
    return found->second;
}

std::vector<std::string> Window::MenuHandlerNames() const {
    CheckMainThread("Window.MenuHandlerNames");
    std::vector<std::string> names;
    for (const auto& [name, handler] : impl_->menuHandlers) names.push_back(name);
    return names;
}

std::optional<bool> Window::HandleMenuCommand(std::string_view itemName) {
    CheckMainThread("Window.HandleMenuCommand");
    for (const auto& [name, handler] : impl_->menuHandlers) {
        if (name != itemName) continue;
        const Function call = handler;  // the handler may replace its own registration
        const Ref<Object> keep = weak_from_this().lock();
        const Value result = call(this, {});
        const bool* handled = std::get_if<bool>(&result);
        return handled && *handled;
    }
    return std::nullopt;
}

std::vector<Ref<RectControl>> Window::Controls() const {
    CheckMainThread("Window.Controls");
    std::vector<Ref<RectControl>> all;
    for (const auto& [name, control] : impl_->controls) all.push_back(control);
    return all;
}

Ref<Window> GetImplicitWindow(std::string_view className) {
    CheckMainThread("GetImplicitWindow");
    for (const Ref<Window>& window : Registry()) {
        if (window->Class().name == className) return window;
    }
    return nullptr;
}

void SetProperties(const Ref<Object>& target, std::string_view list) {
    CheckMainThread("SetProperties");
    Require(target, "the object to apply a Property list to");
    if (auto* window = dynamic_cast<Window*>(target.get())) {
        window->SetProperties(list);
    } else if (auto* control = dynamic_cast<RectControl*>(target.get())) {
        control->SetProperties(list);
    } else {
        throw RuntimeException("an object of class " + target->Class().name + " takes no Property list");
    }
}

void detail::ReleaseWindows() {
    std::vector<Ref<Window>> windows = std::move(Registry());
    Registry().clear();
    for (const Ref<Window>& window : windows) {
        WindowImpl& d = detail::ImplOf(*window);
        d.closed = true;
        if (d.top) {
            d.top->owner = nullptr;
            qt::DisposeWidget(d.top);
        }
    }
}

}  // namespace platform
