// MainWIndow: the layout hook, the creation of the four controls, the control accessors and the window's
// Open and Close events.
#include <string>
#include <utility>
#include <vector>

#include "ui/ControlSpec.h"
#include "ui/main/MainWIndow.h"
#include "ui/main/MainWIndowLists.h"
#include "ui/menus/MainMenuBar.h"

namespace corvantil {

using platform::Label;
using platform::MakeFunction;
using platform::Ref;
using platform::TextArea;

namespace {

using platform::FontUnits;
namespace event = platform::event;

// A drop area: its typed settings, and its Open, DropObject, DragOver and DragExit events bound to the
// window's handlers for that area.
ControlSpec DropArea(const char* name, const std::string& list, platform::Function open,
                     platform::Function drop, platform::Function dragOver, platform::Function dragExit) {
    constexpr const char* kDropSignature = "( TextArea, DragItem, Int32 )";
    return {
        name,
        &TextArea::Lookup,
        {setting::LineSpacing{1.0}, setting::TextUnit{FontUnits::Default}},
        list,
        {{event::kOpen, std::move(open), "( TextArea )"},
         {event::kDropObject, std::move(drop), kDropSignature},
         {event::kDragOver, std::move(dragOver), "( TextArea, Int32, Int32, DragItem, Int32 ) as Boolean"},
         {event::kDragExit, std::move(dragExit), kDropSignature}}};
}

// The four controls, in the order of creation.
const std::vector<ControlSpec>& ControlSpecs() {
    static const std::vector<ControlSpec> controls = {
        {"ResultLabel",
         &Label::Lookup,
         {setting::TextSize{20.0f}, setting::TextUnit{FontUnits::Pixel}},
         MainWIndowLists::ResultLabel(),
         {}},
        {"ProgressWheel1", &platform::ProgressWheelClass, {}, MainWIndowLists::ProgressWheel1(), {}},
        DropArea("TextArea1", MainWIndowLists::TextArea1(), MakeFunction(&MainWIndow::TextArea1_Open),
                 MakeFunction(&MainWIndow::TextArea1_DropObject),
                 MakeFunction(&MainWIndow::TextArea1_DragOver),
                 MakeFunction(&MainWIndow::TextArea1_DragExit)),
        DropArea("TextArea2", MainWIndowLists::TextArea2(), MakeFunction(&MainWIndow::TextArea2_Open),
                 MakeFunction(&MainWIndow::TextArea2_DropObject),
                 MakeFunction(&MainWIndow::TextArea2_DragOver),
                 MakeFunction(&MainWIndow::TextArea2_DragExit)),
    };
    return controls;
}

}  // namespace

void MainWIndow::Layout() {
    Ref<MainMenuBar> bar = MainMenuBar::Instance();
    SetMenuBar(bar);
    bar.reset();
    SetProperties(MainWIndowLists::Window());
}

void MainWIndow::CreateControls() { CreateControls0(); }

void MainWIndow::CreateControls0() { MakeControls(*this, ControlSpecs()); }

Ref<Label> MainWIndow::ResultLabel() { return ControlNamed<Label>(*this, "ResultLabel"); }

Ref<platform::ProgressWheel> MainWIndow::ProgressWheel1() {
    return ControlNamed<platform::ProgressWheel>(*this, "ProgressWheel1", platform::ProgressWheelClass());
}

Ref<TextArea> MainWIndow::TextArea1() { return ControlNamed<TextArea>(*this, "TextArea1"); }

Ref<TextArea> MainWIndow::TextArea2() { return ControlNamed<TextArea>(*this, "TextArea2"); }

void MainWIndow::Event_Open() {
    Ref<Label> label = ResultLabel();
    platform::Require(label, "ResultLabel")->SetText("");
    label = ResultLabel();
    platform::Require(label, "ResultLabel")->SetFocus();
}

void MainWIndow::Event_Close() { platform::Quit(0); }

}  // namespace corvantil
