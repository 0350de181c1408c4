#include "ui/main/Side.h"

namespace corvantil {

using platform::Ref;
using platform::Require;

platform::Color Pink() { return platform::RGB(255, 220, 220, 0); }

void ShowAreaError(MainWIndow& window, const Side& side, platform::TextArea& area, std::string_view message) {
    Ref<platform::LineEnd> lineEnd = platform::EndOfLine();
    std::string text = Require(lineEnd, "EndOfLine")->Operator_AddRight(area.Text());
    lineEnd = platform::EndOfLine();
    text = Require(lineEnd, "EndOfLine")->Operator_AddRight(text);
    area.SetText(text.append(message));
    area.SetBackColor(Pink());
    window.*side.errorArea = true;
}

}  // namespace corvantil
