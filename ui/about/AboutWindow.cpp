// The About window: its class description, its window and control lists, the building of its six controls
// with their event bindings, the link handlers and the accessor of its single instance.
#include "ui/about/AboutWindow.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/ControlSpec.h"

namespace corvantil {

namespace {

using platform::FontUnits;
using platform::PropertyListWriter;
using platform::Ref;

constexpr const char* kClassName = "AboutWindow.AboutWindow";
constexpr const char* kMakerAddress = "corvantil.example";
constexpr const char* kMakerHomePage = "https://corvantil.example/";
constexpr const char* kSha2Article = "https://en.wikipedia.org/wiki/SHA-2";

const platform::Color kBlack{0, 0, 0};
const platform::Color kWhite{255, 255, 255};

// The window's and the controls' Property lists, each built on first use.
const std::string& WindowList() {
    static const std::string list = PropertyListWriter()
                                        .Int32("Placement", 0)
                                        .Int32("Width", 236)
                                        .Int32("Height", 206)
                                        .Int32("MinWidth", 64)
                                        .Int32("MinHeight", 64)
                                        .Int32("MaxWidth", 32000)
                                        .Int32("MaxHeight", 32000)
                                        .Int32("Frame", 8)
                                        .Boolean("Composite", false)
                                        .Boolean("HasBackColor", false)
                                        .Colour("BackColor", kWhite)
                                        .String("Title", "Untitled")
                                        .Boolean("Visible", true)
                                        .Boolean("FullScreen", false)
                                        .Boolean("MenuBarVisible", true)
                                        .Boolean("CloseButton", false)
                                        .Boolean("Resizeable", false)
                                        .Boolean("LiveResize", false)
                                        .Boolean("MaximizeButton", false)
                                        .Boolean("MinimizeButton", false)
                                        .Boolean("FullScreenButton", false)
                                        .Int32("MacProcID", 0)
                                        .Bytes();
    return list;
}

// What differs between the five labels' lists; every other entry is the same for all of them.
struct LabelValues {
    bool underline;
    bool bold;
    std::string_view text;
    std::int32_t tabIndex;
    std::int32_t width;
    std::int32_t top;
    std::int32_t left;
    std::string_view name;
};

std::string LabelList(const LabelValues& v) {
    return PropertyListWriter()
        .String("InitialParent", "")
        .String("DataField", "")
        .String("DataSource", "")
        .Boolean("Underline", v.underline)
        .Boolean("Italic", false)
        .Boolean("Bold", v.bold)
        .String("TextFont", "System")
        .Boolean("AutoDeactivate", true)
        .String("HelpTag", "")
        .Boolean("Transparent", false)
        .Boolean("Selectable", false)
        .Boolean("Visible", true)
        .Boolean("Enabled", true)
        .Boolean("Multiline", false)
        .Colour("TextColor", kBlack)
        .Int32("TextAlign", 0)
        .String("Text", v.text)
        .Int32("TabIndex", v.tabIndex)
        .Int32("TabPanelIndex", 0)
        .Boolean("LockBottom", false)
        .Boolean("LockRight", false)
        .Boolean("LockTop", true)
        .Boolean("LockLeft", true)
        .Int32("Height", 20)
        .Int32("Width", v.width)
        .Int32("Top", v.top)
        .Int32("Left", v.left)
        .Int32("Index", kNoIndex)
        .String("Name", v.name)
        .Boolean("TabStop", true)
        .Bytes();
}

const std::string& AppLabelList() {
    static const std::string list = LabelList({.underline = false,
                                               .bold = true,
                                               .text = "Corvantil",
                                               .tabIndex = 0,
                                               .width = 142,
                                               .top = 32,
                                               .left = 56,
                                               .name = "AppLabel"});
    return list;
}
const std::string& VersionLabelList() {
    static const std::string list = LabelList({.underline = false,
                                               .bold = true,
                                               .text = "version 0.3.4",
                                               .tabIndex = 1,
                                               .width = 105,
                                               .top = 54,
                                               .left = 76,
                                               .name = "VersionLabel"});
    return list;
}
const std::string& UrlLabelList() {
    static const std::string list = LabelList({.underline = true,
                                               .bold = false,
                                               .text = kMakerAddress,
                                               .tabIndex = 4,
                                               .width = 135,
                                               .top = 127,
                                               .left = 63,
                                               .name = "URL_Label1"});
    return list;
}
const std::string& BasedOnLabelList() {
    static const std::string list = LabelList({.underline = false,
                                               .bold = false,
                                               .text = "based on",
                                               .tabIndex = 5,
                                               .width = 74,
                                               .top = 90,
                                               .left = 59,
                                               .name = "basedOnLabel"});
    return list;
}
const std::string& Sha256LabelList() {
    static const std::string list = LabelList({.underline = true,
                                               .bold = false,
                                               .text = "SHA-256",
                                               .tabIndex = 2,
                                               .width = 62,
                                               .top = 90,
                                               .left = 121,
                                               .name = "SHA256Label"});
    return list;
}

const std::string& OkButtonList() {
    static const std::string list = PropertyListWriter()
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
                                        .Boolean("Cancel", false)
                                        .Boolean("Default", true)
                                        .String("Caption", "OK")
                                        .Boolean("TabStop", true)
                                        .Int32("TabIndex", 3)
                                        .Int32("TabPanelIndex", 0)
                                        .Boolean("LockBottom", false)
                                        .Boolean("LockRight", false)
                                        .Boolean("LockTop", true)
                                        .Boolean("LockLeft", true)
                                        .Int32("Height", 20)
                                        .Int32("Width", 80)
                                        .Int32("Top", 166)
                                        .Int32("Left", 80)
                                        .Int32("Index", kNoIndex)
                                        .String("Name", "OKButton")
                                        .Bytes();
    return list;
}

// A link label: its typed setting, and its MouseUp, MouseDown, Open and MouseEnter events bound to the
// window's handlers for that label.
ControlSpec LinkLabel(const char* name, const std::string& list, platform::Function mouseUp,
                      platform::Function mouseDown, platform::Function open, platform::Function mouseEnter) {
    namespace event = platform::event;
    constexpr const char* kSender = "( Label )";
    return {name,
            &platform::Label::Lookup,
            {setting::TextUnit{FontUnits::Default}},
            list,
            {{event::kLabelMouseUp, std::move(mouseUp), "( Label, Int32, Int32 )"},
             {event::kLabelMouseDown, std::move(mouseDown), "( Label, Int32, Int32 ) as Boolean"},
             {event::kOpen, std::move(open), kSender},
             {event::kMouseEnter, std::move(mouseEnter), kSender}}};
}

// The six controls, in the order of creation.
const std::vector<ControlSpec>& ControlSpecs() {
    using platform::MakeFunction;
    static const std::vector<ControlSpec> controls = {
        {"AppLabel",
         &platform::Label::Lookup,
         {setting::TextUnit{FontUnits::Point}, setting::TextSize{16.0f}},
         AppLabelList(),
         {}},
        {"VersionLabel",
         &platform::Label::Lookup,
         {setting::TextUnit{FontUnits::Default}},
         VersionLabelList(),
         {}},
        {"OKButton",
         &platform::PushButton::Lookup,
         {setting::TextUnit{FontUnits::Default}},
         OkButtonList(),
         {{platform::event::kButtonAction, MakeFunction(&AboutWindow::OKButton_Action), "( PushButton )"}}},
        LinkLabel("URL_Label1", UrlLabelList(), MakeFunction(&AboutWindow::URL_Label1_MouseUp),
                  MakeFunction(&AboutWindow::URL_Label1_MouseDown),
                  MakeFunction(&AboutWindow::URL_Label1_Open),
                  MakeFunction(&AboutWindow::URL_Label1_MouseEnter)),
        {"basedOnLabel",
         &platform::Label::Lookup,
         {setting::TextUnit{FontUnits::Default}},
         BasedOnLabelList(),
         {}},
        LinkLabel("SHA256Label", Sha256LabelList(), MakeFunction(&AboutWindow::SHA256Label_MouseUp),
                  MakeFunction(&AboutWindow::SHA256Label_MouseDown),
                  MakeFunction(&AboutWindow::SHA256Label_Open),
                  MakeFunction(&AboutWindow::SHA256Label_MouseEnter)),
    };
    return controls;
}

// A link label turns blue when it opens.
void ColourLink(const Ref<platform::Label>& link) {
    platform::Require(link, "the link label")->SetTextColor(platform::RGB(0, 0, 255, 0));
}

// A link label shows the pointing finger once the mouse has entered it; nothing sets the cursor back.
void PointAtLink(const Ref<platform::Label>& link) {
    platform::Require(link, "the link label");
    Ref<platform::SystemClass> system = platform::System();
    platform::Require(system, "System");
    Ref<platform::Cursors> cursors = system->GetCursors();
    platform::Require(cursors, "System.Cursors");
    link->SetMouseCursor(cursors->FingerPointer());
}

}  // namespace

const platform::ClassDescription& AboutWindow::Lookup() {
    static const platform::ClassDescription description = [] {
        using platform::MakeFunction;
        using Kind = platform::MemberRecord::Kind;
        platform::ClassDescription d;
        d.name = kClassName;
        d.super = &platform::Window::Lookup();
        d.factory = []() -> Ref<platform::Object> { return std::make_shared<AboutWindow>(); };
        d.eventHandlers = {
            {"Layout", "Layout", MakeFunction(&AboutWindow::Layout)},
            {"CreateControls", "CreateControls", MakeFunction(&AboutWindow::CreateControls)},
        };
        d.members = {
            {Kind::Method, "Layout", "(  )", false},
            {Kind::Method, "CreateControls", "(  )", false},
            {Kind::Method, "CreateControls0", "(  )", true},
            {Kind::Method, "AppLabel", "(  ) as Label", false},
            {Kind::Method, "VersionLabel", "(  ) as Label", false},
            {Kind::Method, "OKButton", "(  ) as PushButton", false},
            {Kind::Method, "URL_Label1", "(  ) as Label", false},
            {Kind::Method, "basedOnLabel", "(  ) as Label", false},
            {Kind::Method, "SHA256Label", "(  ) as Label", false},
            {Kind::Method, "OKButton_Action", "( PushButton )", false},
            {Kind::Method, "URL_Label1_MouseUp", "( Label, Int32, Int32 )", false},
            {Kind::Method, "URL_Label1_MouseDown", "( Label, Int32, Int32 ) as Boolean", false},
            {Kind::Method, "URL_Label1_Open", "( Label )", false},
            {Kind::Method, "URL_Label1_MouseEnter", "( Label )", false},
            {Kind::Method, "SHA256Label_MouseUp", "( Label, Int32, Int32 )", false},
            {Kind::Method, "SHA256Label_MouseDown", "( Label, Int32, Int32 ) as Boolean", false},
            {Kind::Method, "SHA256Label_Open", "( Label )", false},
            {Kind::Method, "SHA256Label_MouseEnter", "( Label )", false},
        };
        return d;
    }();
    return description;
}

void AboutWindow::Layout() { SetProperties(WindowList()); }

void AboutWindow::CreateControls() { CreateControls0(); }

void AboutWindow::CreateControls0() { MakeControls(*this, ControlSpecs()); }

Ref<platform::Label> AboutWindow::AppLabel() { return ControlNamed<platform::Label>(*this, "AppLabel"); }

Ref<platform::Label> AboutWindow::VersionLabel() {
    return ControlNamed<platform::Label>(*this, "VersionLabel");
}

Ref<platform::PushButton> AboutWindow::OKButton() {
    return ControlNamed<platform::PushButton>(*this, "OKButton");
}

Ref<platform::Label> AboutWindow::URL_Label1() { return ControlNamed<platform::Label>(*this, "URL_Label1"); }

Ref<platform::Label> AboutWindow::basedOnLabel() {
    return ControlNamed<platform::Label>(*this, "basedOnLabel");
}

Ref<platform::Label> AboutWindow::SHA256Label() {
    return ControlNamed<platform::Label>(*this, "SHA256Label");
}

void AboutWindow::OKButton_Action(const Ref<platform::PushButton>&) { Hide(); }

void AboutWindow::URL_Label1_MouseUp(const Ref<platform::Label>&, std::int32_t, std::int32_t) {
    platform::ShowURL(kMakerHomePage);
}

bool AboutWindow::URL_Label1_MouseDown(const Ref<platform::Label>&, std::int32_t, std::int32_t) {
    return true;
}

void AboutWindow::URL_Label1_Open(const Ref<platform::Label>& sender) { ColourLink(sender); }

void AboutWindow::URL_Label1_MouseEnter(const Ref<platform::Label>& sender) { PointAtLink(sender); }

void AboutWindow::SHA256Label_MouseUp(const Ref<platform::Label>&, std::int32_t, std::int32_t) {
    platform::ShowURL(kSha2Article);
}

bool AboutWindow::SHA256Label_MouseDown(const Ref<platform::Label>&, std::int32_t, std::int32_t) {
    return true;
}

void AboutWindow::SHA256Label_Open(const Ref<platform::Label>& sender) { ColourLink(sender); }

void AboutWindow::SHA256Label_MouseEnter(const Ref<platform::Label>& sender) { PointAtLink(sender); }

Ref<AboutWindow> AboutWindow::Instance() {
    Ref<platform::Window> window = platform::GetImplicitWindow(kClassName);
    if (!window) {
        auto made =
            platform::RuntimeCheckCast<platform::Window>(platform::RuntimeNewObject(AboutWindow::Lookup()));
        platform::Require(made, "the new About window")->Constructor();
        window = made;
    }
    return platform::RuntimeCheckCast<AboutWindow>(window);
}

}  // namespace corvantil
