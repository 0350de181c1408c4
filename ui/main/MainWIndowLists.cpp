// The main window's Property lists, written entry by entry in stored order.
#include "ui/main/MainWIndowLists.h"

#include <cstdint>

#include "platform/Platform.h"
#include "ui/ControlSpec.h"

namespace corvantil::MainWIndowLists {

namespace {

using platform::PropertyListWriter;
using platform::RGB;

std::string BuildWindow() {
    PropertyListWriter w;
    w.Int32("Placement", 0)
        .Int32("Width", 344)
        .Int32("Height", 237)
        .Int32("MinWidth", 344)
        .Int32("MinHeight", 237)
        .Int32("MaxWidth", 32000)
        .Int32("MaxHeight", 237)
        .Int32("Frame", 0)
        .Boolean("Composite", false)
        .Boolean("HasBackColor", false)
        .Colour("BackColor", RGB(255, 255, 255))
        .String("Title", "Corvantil")
        .Boolean("Visible", true)
        .Boolean("FullScreen", false)
        .Boolean("MenuBarVisible", true)
        .Boolean("CloseButton", true)
        .Boolean("Resizeable", true)
        .Boolean("LiveResize", true)
        .Boolean("MaximizeButton", true)
        .Boolean("MinimizeButton", true)
        .Boolean("FullScreenButton", false)
        .Int32("MacProcID", 0);
    return w.Bytes();
}

std::string BuildResultLabel() {
    PropertyListWriter w;
    w.String("Name", "ResultLabel")
        .Int32("Index", kNoIndex)
        .Int32("Left", 11)
        .Int32("Top", 105)
        .Int32("Width", 315)
        .Int32("Height", 20)
        .Boolean("LockLeft", true)
        .Boolean("LockTop", true)
        .Boolean("LockRight", true)
        .Boolean("LockBottom", false)
        .Int32("TabPanelIndex", 0)
        .Int32("TabIndex", 7)
        .String("Text", "Result")
        .Int32("TextAlign", 1)
        .Colour("TextColor", RGB(0, 0, 0))
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
        .String("InitialParent", "");
    return w.Bytes();
}

std::string BuildProgressWheel1() {
    PropertyListWriter w;
    w.String("Name", "ProgressWheel1")
        .Int32("Index", kNoIndex)
        .Int32("Left", 159)
        .Int32("Top", 109)
        .Int32("Width", 16)
        .Int32("Height", 16)
        .Boolean("LockLeft", true)
        .Boolean("LockTop", true)
        .Boolean("LockRight", true)
        .Boolean("LockBottom", false)
        .Int32("TabPanelIndex", 0)
        .Int32("TabIndex", 0)
        .Boolean("TabStop", true)
        .String("InitialParent", "ResultLabel")
        .Boolean("Visible", false)
        .String("HelpTag", "")
        .Boolean("AutoDeactivate", true)
        .Boolean("Enabled", true);
    return w.Bytes();
}

// The two drop areas differ in name, top edge, vertical locks, tab index and prompt.
struct DropAreaValues {
    const char* name;
    std::int32_t top;
    bool lockTop;
    bool lockBottom;
    std::int32_t tabIndex;
    const char* text;
};

std::string BuildTextArea(const DropAreaValues& v) {
    PropertyListWriter w;
    w.String("Name", v.name)
        .Int32("Index", kNoIndex)
        .Int32("Left", 15)
        .Int32("Top", v.top)
        .Int32("Width", 309)
        .Int32("Height", 75)
        .Boolean("LockLeft", true)
        .Boolean("LockTop", v.lockTop)
        .Boolean("LockRight", true)
        .Boolean("LockBottom", v.lockBottom)
        .Int32("TabPanelIndex", 0)
        .Int32("TabIndex", v.tabIndex)
        .Boolean("TabStop", true)
        .Boolean("Border", true)
        .Boolean("Multiline", true)
        .Boolean("ScrollbarHorizontal", false)
        .Boolean("ScrollbarVertical", false)
        .Boolean("Styled", false)
        .Boolean("UseFocusRing", true)
        .Colour("TextColor", RGB(0, 0, 0))
        .Colour("BackColor", RGB(255, 255, 255))
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
        .String("Text", v.text)
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

}  // namespace

const std::string& Window() {
    static const std::string list = BuildWindow();
    return list;
}

const std::string& ResultLabel() {
    static const std::string list = BuildResultLabel();
    return list;
}

const std::string& ProgressWheel1() {
    static const std::string list = BuildProgressWheel1();
    return list;
}

const std::string& TextArea1() {
    static const std::string list = BuildTextArea({"TextArea1", 19, true, false, 8, "Drop one File Here"});
    return list;
}

const std::string& TextArea2() {
    static const std::string list =
        BuildTextArea({"TextArea2", 142, false, true, 9, "Drop another File Here"});
    return list;
}

}  // namespace corvantil::MainWIndowLists
