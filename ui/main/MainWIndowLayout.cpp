// MainWIndow: the layout hook, the creation of the four controls, the control accessors and the window's
// Open and Close events.
#include <cstdint>
#include <string>

#include "ui/main/MainWIndow.h"
#include "ui/main/MainWIndowLists.h"
#include "ui/menus/MainMenuBar.h"

namespace corvantil {

using platform::Label;
using platform::MakeFunction;
using platform::Ref;
using platform::RuntimeCheckCast;
using platform::TextArea;

namespace {

// The control added to `window` under `name`, as a T of `cls`; NilObjectException when there is none.
template <class T>
Ref<T> Fetch(const platform::Window& window, const char* name, const platform::ClassDescription& cls) {
    Ref<T> control = RuntimeCheckCast<T>(window.ControlByName(name), cls);
    platform::Require(control, name);
    return control;
}

// Creates a control through the window, constructs it and adds it under its name.
void Create(platform::Window& window, const platform::ClassDescription& cls, const char* name) {
    Ref<platform::RectControl> control = RuntimeCheckCast<platform::RectControl>(window.New(cls));
    platform::Require(control, name)->Constructor();
    window.AddControl(name, control);
}

// One of a drop area's four bindings: event number, handler and the handler's signature text.
struct Binding {
    std::int32_t event;
    platform::Function handler;
    const char* signature;
};

constexpr const char* kAreaSignature = "( TextArea )";
constexpr const char* kDropSignature = "( TextArea, DragItem, Int32 )";
constexpr const char* kDragOverSignature = "( TextArea, Int32, Int32, DragItem, Int32 ) as Boolean";

void CreateDropArea(class MainWIndow& window, const char* name, const std::string& list,
                    const Binding (&bindings)[4]) {
    Create(window, TextArea::Lookup(), name);
    Fetch<TextArea>(window, name, TextArea::Lookup())->SetLineSpacing(1.0);
    Fetch<TextArea>(window, name, TextArea::Lookup())->SetTextUnit(platform::FontUnits::Default);
    Fetch<TextArea>(window, name, TextArea::Lookup())->SetProperties(list);
    // Bound weakly: the bindings do not keep the window alive.
    for (const Binding& b : bindings) {
        Ref<TextArea> area = Fetch<TextArea>(window, name, TextArea::Lookup());
        Ref<platform::Delegate> handler =
            platform::RuntimeCreateDelegate(b.handler, window.shared_from_this(), b.signature, platform::kDelegateWeak);
        platform::RuntimeAddEventHandler(area, b.event, handler);
    }
}

}  // namespace

void MainWIndow::Layout() {
    Ref<class MainMenuBar> bar = MainMenuBar();
    SetMenuBar(bar);
    bar.reset();
    SetProperties(MainWIndowLists::Window());
}

void MainWIndow::CreateControls() { CreateControls0(); }

void MainWIndow::CreateControls0() {
    Create(*this, Label::Lookup(), "ResultLabel");
    Fetch<Label>(*this, "ResultLabel", Label::Lookup())->SetTextSize(20.0f);
    Fetch<Label>(*this, "ResultLabel", Label::Lookup())->SetTextUnit(platform::FontUnits::Pixel);
    Fetch<Label>(*this, "ResultLabel", Label::Lookup())->SetProperties(MainWIndowLists::ResultLabel());

    const platform::ClassDescription& wheel = platform::ProgressWheelClass();
    Create(*this, wheel, "ProgressWheel1");
    Fetch<platform::ProgressWheel>(*this, "ProgressWheel1", wheel)->SetProperties(MainWIndowLists::ProgressWheel1());

    CreateDropArea(*this, "TextArea1", MainWIndowLists::TextArea1(),
                   {{platform::event::kOpen, MakeFunction(&MainWIndow::TextArea1_Open), kAreaSignature},
                    {platform::event::kDropObject, MakeFunction(&MainWIndow::TextArea1_DropObject), kDropSignature},
                    {platform::event::kDragOver, MakeFunction(&MainWIndow::TextArea1_DragOver), kDragOverSignature},
                    {platform::event::kDragExit, MakeFunction(&MainWIndow::TextArea1_DragExit), kDropSignature}});
    CreateDropArea(*this, "TextArea2", MainWIndowLists::TextArea2(),
                   {{platform::event::kOpen, MakeFunction(&MainWIndow::TextArea2_Open), kAreaSignature},
                    {platform::event::kDropObject, MakeFunction(&MainWIndow::TextArea2_DropObject), kDropSignature},
                    {platform::event::kDragOver, MakeFunction(&MainWIndow::TextArea2_DragOver), kDragOverSignature},
                    {platform::event::kDragExit, MakeFunction(&MainWIndow::TextArea2_DragExit), kDropSignature}});
}

Ref<Label> MainWIndow::ResultLabel() {
    return RuntimeCheckCast<Label>(ControlByName("ResultLabel"), Label::Lookup());
}

Ref<platform::ProgressWheel> MainWIndow::ProgressWheel1() {
    return RuntimeCheckCast<platform::ProgressWheel>(ControlByName("ProgressWheel1"), platform::ProgressWheelClass());
}

Ref<TextArea> MainWIndow::TextArea1() {
    return RuntimeCheckCast<TextArea>(ControlByName("TextArea1"), TextArea::Lookup());
}

Ref<TextArea> MainWIndow::TextArea2() {
    return RuntimeCheckCast<TextArea>(ControlByName("TextArea2"), TextArea::Lookup());
}

void MainWIndow::Event_Open() {
    Ref<Label> label = ResultLabel();
    platform::Require(label, "ResultLabel")->SetText("");
    label = ResultLabel();
    platform::Require(label, "ResultLabel")->SetFocus();
}

void MainWIndow::Event_Close() { platform::Quit(0); }

}  // namespace corvantil
