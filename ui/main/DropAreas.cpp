// MainWIndow: the handlers of the two drop areas. Each twin pair shares one implementation that takes the
// side as data; the handlers work on the area the event hands them.
#include <cstdint>
#include <string>

#include "ui/main/MainWIndow.h"
#include "ui/main/Side.h"

namespace corvantil {

using platform::DragItem;
using platform::Ref;
using platform::Require;
using platform::TextArea;

namespace {

constexpr const char* kAnyFile = "special/any";
constexpr const char* kFolderRefused = "Please compress this item and try again.";

platform::Color LightBlue() { return platform::RGB(210, 210, 255, 0); }
platform::Color White() { return platform::RGB(255, 255, 255, 0); }

void Open(const Ref<TextArea>& area) { Require(area, "the drop area")->AcceptFileDrop(kAnyFile); }

bool DragOver(const Ref<TextArea>& area) {
    Require(area, "the drop area")->SetBackColor(LightBlue());
    return false;
}

void DragExit(MainWIndow& window, const Side& side, const Ref<TextArea>& area) {
    Require(area, "the drop area")->SetBackColor(window.*side.errorArea ? Pink() : White());
}

void DropObject(MainWIndow& window, const Side& side, const Ref<TextArea>& area, const Ref<DragItem>& item) {
    if (!Require(item, "the dragged item")->FolderItemAvailable()) return;
    window.*side.summed = false;
    Ref<platform::FolderItem> file = item->GetFolderItem();
    Require(file, "the dragged item's file item");
    Require(area, "the drop area")->SetText(file->NativePath());

    if (file->Directory()) {
        window.*side.errorArea = true;
        area->SetText(WithMessage(area->Text(), kFolderRefused));
        window.*side.path = "";
        Ref<platform::Label> label = window.ResultLabel();
        Require(label, "ResultLabel")->SetText("");
        area->SetBackColor(Pink());
        return;
    }

    window.*side.path = file->ShellPath();
    window.*side.errorArea = false;
    area->SetBackColor(White());
    if (!(window.*side.otherPath).empty()) window.CompareFiles();
}

}  // namespace

void MainWIndow::TextArea1_Open(const Ref<TextArea>& area) { Open(area); }

void MainWIndow::TextArea1_DropObject(const Ref<TextArea>& area, const Ref<DragItem>& item, std::int32_t) {
    DropObject(*this, kSide1, area, item);
}

bool MainWIndow::TextArea1_DragOver(const Ref<TextArea>& area, std::int32_t, std::int32_t,
                                    const Ref<DragItem>&, std::int32_t) {
    return DragOver(area);
}

void MainWIndow::TextArea1_DragExit(const Ref<TextArea>& area, const Ref<DragItem>&, std::int32_t) {
    DragExit(*this, kSide1, area);
}

void MainWIndow::TextArea2_Open(const Ref<TextArea>& area) { Open(area); }

void MainWIndow::TextArea2_DropObject(const Ref<TextArea>& area, const Ref<DragItem>& item, std::int32_t) {
    DropObject(*this, kSide2, area, item);
}

bool MainWIndow::TextArea2_DragOver(const Ref<TextArea>& area, std::int32_t, std::int32_t,
                                    const Ref<DragItem>&, std::int32_t) {
    return DragOver(area);
}

void MainWIndow::TextArea2_DragExit(const Ref<TextArea>& area, const Ref<DragItem>&, std::int32_t) {
    DragExit(*this, kSide2, area);
}

}  // namespace corvantil
