// A window class of the user-interface tests' own, built the way a program builds its windows: a class
// description whose handlers the framework raises (Layout, CreateControls, AddMenuHandlers, Open, Close),
// controls made through the window from Property lists, and control events bound to the window's members.
// Every handler records what it was given; a test adds what the hooks do before Constructor runs.
#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/detail/Internal.h"
#include "platform/qt/QtAccess.h"

namespace uitest {

using platform::Ref;

// One event as a handler saw it.
struct Seen {
    std::string what;      // "Layout", "Open", "Area.DropObject", ...
    bool hasFile = false;  // for drag events: the item carried a file item
    std::string path;      // its path's bytes
    bool directory = false;
    std::int32_t action = -1;
};

// The window's list, with every entry a window list has.
struct WindowSpec {
    std::int32_t width = 300;
    std::int32_t height = 200;
    std::int32_t minWidth = 100;
    std::int32_t minHeight = 80;
    std::int32_t maxWidth = 32000;
    std::int32_t maxHeight = 32000;
    std::int32_t frame = 0;
    bool hasBackColor = false;
    platform::Color backColor{255, 255, 255, 0};
    std::string title = "Test window";
    bool visible = true;
    bool closeButton = true;
    bool resizeable = true;
    bool maximizeButton = true;
    bool minimizeButton = true;
    bool fullScreenButton = false;
    std::int32_t placement = 0;
    std::int32_t macProcId = 0;

    std::string List() const {
        platform::PropertyListWriter w;
        w.Int32("Placement", placement)
            .Int32("Width", width)
            .Int32("Height", height)
            .Int32("MinWidth", minWidth)
            .Int32("MinHeight", minHeight)
            .Int32("MaxWidth", maxWidth)
            .Int32("MaxHeight", maxHeight)
            .Int32("Frame", frame)
            .Boolean("Composite", false)
            .Boolean("HasBackColor", hasBackColor)
            .Colour("BackColor", backColor)
            .String("Title", title)
            .Boolean("Visible", visible)
            .Boolean("FullScreen", false)
            .Boolean("MenuBarVisible", true)
            .Boolean("CloseButton", closeButton)
            .Boolean("Resizeable", resizeable)
            .Boolean("LiveResize", true)
            .Boolean("MaximizeButton", maximizeButton)
            .Boolean("MinimizeButton", minimizeButton)
            .Boolean("FullScreenButton", fullScreenButton)
            .Int32("MacProcID", macProcId);
        return w.Bytes();
    }
};

// Where a control sits and which edges it keeps its distance to.
struct Place {
    std::int32_t left = 10;
    std::int32_t top = 10;
    std::int32_t width = 120;
    std::int32_t height = 40;
    bool lockLeft = true;
    bool lockTop = true;
    bool lockRight = false;
    bool lockBottom = false;
};

inline platform::PropertyListWriter& Geometry(platform::PropertyListWriter& w, const std::string& name,
                                              const Place& at) {
    return w.String("Name", name)
        .Int32("Index", -2147483647 - 1)
        .Int32("Left", at.left)
        .Int32("Top", at.top)
        .Int32("Width", at.width)
        .Int32("Height", at.height)
        .Boolean("LockLeft", at.lockLeft)
        .Boolean("LockTop", at.lockTop)
        .Boolean("LockRight", at.lockRight)
        .Boolean("LockBottom", at.lockBottom)
        .Int32("TabPanelIndex", 0);
}

inline std::string LabelList(const std::string& name, const Place& at, const std::string& text,
                             std::int32_t tabIndex = 0, const std::string& initialParent = "") {
    platform::PropertyListWriter w;
    Geometry(w, name, at)
        .Int32("TabIndex", tabIndex)
        .String("Text", text)
        .Int32("TextAlign", 1)
        .Colour("TextColor", platform::RGB(0, 0, 0))
        .Boolean("Multiline", false)
        .Boolean("Enabled", true)
        .Boolean("Visible", true)
        .Boolean("Selectable", false)
        .Boolean("Transparent", false)
        .String("HelpTag", "")
        .Boolean("AutoDeactivate", true)
        .String("TextFont", "System")
        .Boolean("Bold", false)
        .Boolean("Italic", false)
        .Boolean("Underline", false)
        .String("DataSource", "")
        .String("DataField", "")
        .String("InitialParent", initialParent);
    return w.Bytes();
}

inline std::string TextAreaList(const std::string& name, const Place& at, const std::string& text,
                                std::int32_t tabIndex = 0) {
    platform::PropertyListWriter w;
    Geometry(w, name, at)
        .Int32("TabIndex", tabIndex)
        .Boolean("TabStop", true)
        .Boolean("Border", true)
        .Boolean("Multiline", true)
        .Boolean("ScrollbarHorizontal", false)
        .Boolean("ScrollbarVertical", false)
        .Boolean("Styled", false)
        .Boolean("UseFocusRing", true)
        .Colour("TextColor", platform::RGB(0, 0, 0))
        .Colour("BackColor", platform::RGB(255, 255, 255))
        .Boolean("Enabled", true)
        .String("Format", "")
        .Boolean("Visible", true)
        .String("HelpTag", "")
        .Boolean("AutoDeactivate", true)
        .Boolean("HideSelection", true)
        .String("TextFont", "System")
        .Boolean("Bold", false)
        .Boolean("Italic", false)
        .Boolean("Underline", false)
        .String("Text", text)
        .String("Mask", "")
        .Boolean("ReadOnly", false)
        .Int32("LimitText", 0)
        .Boolean("AcceptTabs", false)
        .Int32("Alignment", 0)
        .Boolean("AutomaticallyCheckSpelling", true)
        .String("DataSource", "")
        .String("DataField", "");
    return w.Bytes();
}

inline std::string ButtonList(const std::string& name, const Place& at, const std::string& caption,
                              bool isDefault, bool isCancel, std::int32_t tabIndex = 0) {
    platform::PropertyListWriter w;
    Geometry(w, name, at)
        .String("InitialParent", "")
        .Boolean("Underline", false)
        .Boolean("Italic", false)
        .Boolean("Bold", false)
        .String("TextFont", "System")
        .Int32("ButtonStyle", 0)
        .Boolean("AutoDeactivate", true)
        .String("HelpTag", "")
        .Boolean("Visible", true)
        .Boolean("Enabled", true)
        .Boolean("Cancel", isCancel)
        .Boolean("Default", isDefault)
        .String("Caption", caption)
        .Boolean("TabStop", true)
        .Int32("TabIndex", tabIndex);
    return w.Bytes();
}

inline std::string WheelList(const std::string& name, const Place& at, const std::string& initialParent,
                             bool visible) {
    platform::PropertyListWriter w;
    Geometry(w, name, at)
        .Int32("TabIndex", 0)
        .Boolean("TabStop", true)
        .String("InitialParent", initialParent)
        .Boolean("Visible", visible)
        .String("HelpTag", "")
        .Boolean("AutoDeactivate", true)
        .Boolean("Enabled", true);
    return w.Bytes();
}

class TestWindow : public platform::Window {
public:
    static const platform::ClassDescription& Lookup();

    // Makes a window of this class; `build` runs in CreateControls with the window.
    static Ref<TestWindow> Make(WindowSpec spec, std::function<void(TestWindow&)> build = {}) {
        auto window = platform::RuntimeCheckCast<TestWindow>(platform::RuntimeNewObject(Lookup()));
        window->spec = std::move(spec);
        window->build = std::move(build);
        return window;
    }

    WindowSpec spec;
    std::function<void(TestWindow&)> build;
    std::function<void(TestWindow&)> onClose;
    std::function<bool(TestWindow&)> onDragOver;  // DragOver's result; false when not set
    std::function<void(TestWindow&)> onDrop;
    std::function<void(TestWindow&)> onAction;
    std::function<bool(TestWindow&)> onMouseDown;  // MouseDown's result; true when not set
    std::vector<Seen> seen;
    platform::WeakRef<platform::Window> addMenuHandlersArgument;  // weak: the window would hold itself

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const Seen& s : seen) names.push_back(s.what);
        return names;
    }
    std::size_t Count(const std::string& what) const {
        std::size_t n = 0;
        for (const Seen& s : seen) n += s.what == what ? 1 : 0;
        return n;
    }

    // Controls made the program's way: through the window, constructed, added, then given their list.
    template <class C>
    Ref<C> AddFromList(const platform::ClassDescription& cls, const std::string& name,
                       const std::string& list) {
        auto control = platform::RuntimeCheckCast<C>(New(cls));
        control->Constructor();
        AddControl(name, control);
        control->SetProperties(list);
        return control;
    }

    // Binds an event of `control` to a member of this window through a weak delegate.
    template <class F>
    void Bind(const Ref<platform::RectControl>& control, std::int32_t number, F member,
              const std::string& signature) {
        platform::RuntimeAddEventHandler(
            control, number,
            platform::RuntimeCreateDelegate(platform::MakeFunction(member), shared_from_this(), signature,
                                            platform::kDelegateWeak));
    }

    // Binds the three drag events of a drop area.
    void BindDropArea(const Ref<platform::TextArea>& area) {
        Bind(area, platform::event::kDragOver, &TestWindow::Area_DragOver,
             "( TextArea, Int32, Int32, DragItem, Int32 ) as Boolean");
        Bind(area, platform::event::kDropObject, &TestWindow::Area_DropObject,
             "( TextArea, DragItem, Int32 )");
        Bind(area, platform::event::kDragExit, &TestWindow::Area_DragExit, "( TextArea, DragItem, Int32 )");
    }

    QWidget* Top() const { return platform::qt::TopLevelWidget(*this); }
    QWidget* Content() const { return platform::qt::ContentWidget(*this); }

    // Window hooks.
    void Layout() {
        seen.push_back(Seen{"Layout", false, "", false, -1});
        SetProperties(spec.List());
    }
    void CreateControls() {
        seen.push_back(Seen{"CreateControls", false, "", false, -1});
        if (build) build(*this);
    }
    void AddMenuHandlers(const Ref<platform::Window>& window) {
        seen.push_back(Seen{"AddMenuHandlers", false, "", false, -1});
        addMenuHandlersArgument = window;
    }
    void Event_Open() { seen.push_back(Seen{"Open", false, "", false, -1}); }
    void Event_Close() {
        seen.push_back(Seen{"Close", false, "", false, -1});
        if (onClose) onClose(*this);
    }

    // Control handlers.
    void Control_Open(const Ref<platform::RectControl>& control) {
        seen.push_back(Seen{control->Name() + ".Open", false, "", false, -1});
    }
    void Area_Open(const Ref<platform::TextArea>& area) { Control_Open(area); }
    void Label_Open(const Ref<platform::Label>& label) { Control_Open(label); }
    bool Area_DragOver(const Ref<platform::TextArea>& area, std::int32_t, std::int32_t,
                       const Ref<platform::DragItem>& item, std::int32_t action) {
        seen.push_back(Describe(area->Name() + ".DragOver", item, action));
        return onDragOver ? onDragOver(*this) : false;
    }
    void Area_DropObject(const Ref<platform::TextArea>& area, const Ref<platform::DragItem>& item,
                         std::int32_t action) {
        seen.push_back(Describe(area->Name() + ".DropObject", item, action));
        if (onDrop) onDrop(*this);
    }
    void Area_DragExit(const Ref<platform::TextArea>& area, const Ref<platform::DragItem>& item,
                       std::int32_t action) {
        seen.push_back(Describe(area->Name() + ".DragExit", item, action));
    }
    void Button_Action(const Ref<platform::PushButton>& button) {
        seen.push_back(Seen{button->Name() + ".Action", false, "", false, -1});
        if (onAction) onAction(*this);
    }
    bool Label_MouseDown(const Ref<platform::Label>& label, std::int32_t, std::int32_t) {
        seen.push_back(Seen{label->Name() + ".MouseDown", false, "", false, -1});
        return onMouseDown ? onMouseDown(*this) : true;
    }
    void Label_MouseUp(const Ref<platform::Label>& label, std::int32_t, std::int32_t) {
        seen.push_back(Seen{label->Name() + ".MouseUp", false, "", false, -1});
    }
    void Label_MouseEnter(const Ref<platform::Label>& label) {
        seen.push_back(Seen{label->Name() + ".MouseEnter", false, "", false, -1});
    }

    // A menu handler.
    bool Menu_Chosen() {
        seen.push_back(Seen{"Menu", false, "", false, -1});
        return true;
    }

private:
    static Seen Describe(std::string what, const Ref<platform::DragItem>& item, std::int32_t action) {
        Seen s{std::move(what), false, "", false, -1};
        s.action = action;
        if (item && item->FolderItemAvailable()) {
            s.hasFile = true;
            s.path = item->GetFolderItem()->Path();
            s.directory = item->GetFolderItem()->Directory();
        }
        return s;
    }
};

inline const platform::ClassDescription& TestWindow::Lookup() {
    using platform::MakeFunction;
    static const platform::ClassDescription description{
        "UiTest.TestWindow",
        &platform::Window::Lookup(),
        [] { return std::make_shared<TestWindow>(); },
        {
            {"Layout", "Layout", MakeFunction(&TestWindow::Layout)},
            {"CreateControls", "CreateControls", MakeFunction(&TestWindow::CreateControls)},
            {"AddMenuHandlers", "AddMenuHandlers", MakeFunction(&TestWindow::AddMenuHandlers)},
            {"Open", "Event_Open", MakeFunction(&TestWindow::Event_Open)},
            {"Close", "Event_Close", MakeFunction(&TestWindow::Event_Close)},
        },
        {}};
    return description;
}

// Starts every test from a fresh runtime state and lets go of the windows it left.
inline void FreshRuntime() {
    platform::detail::ReleaseWindows();
    platform::RuntimeInit();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace uitest
