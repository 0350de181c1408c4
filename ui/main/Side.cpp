// The colour and the message text that the drop areas and the comparison both use for an error in an area.
#include "ui/main/Side.h"

namespace corvantil {

using platform::Ref;
using platform::Require;

platform::Color Pink() { return platform::RGB(255, 220, 220, 0); }

std::string WithMessage(const std::string& text, std::string_view message) {
    Ref<platform::LineEnd> lineEnd = platform::EndOfLine();
    std::string result = Require(lineEnd, "EndOfLine")->Operator_AddRight(text);
    lineEnd = platform::EndOfLine();
    result = Require(lineEnd, "EndOfLine")->Operator_AddRight(result);
    return result.append(message);
}

}  // namespace corvantil
