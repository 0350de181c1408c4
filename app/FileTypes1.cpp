// Making and registering the "special/any" file type.
#include "app/FileTypes1.h"

namespace corvantil::FileTypes1 {

platform::Ref<platform::FileType> pSpecialAny;

void Initialize() {
    pSpecialAny = platform::RuntimeCheckCast<platform::FileType>(
        platform::RuntimeNewObject(platform::FileType::Lookup()));
    // Each setter deregisters a registered type first, so the type is registered once, by the conversion,
    // with all four values.
    platform::Require(pSpecialAny, "FileTypes1.pSpecialAny")->SetName("special/any");
    platform::Require(pSpecialAny, "FileTypes1.pSpecialAny")->SetExtensions("");
    platform::Require(pSpecialAny, "FileTypes1.pSpecialAny")->SetMacType("????");
    platform::Require(pSpecialAny, "FileTypes1.pSpecialAny")->SetMacCreator("????");
    platform::Require(pSpecialAny, "FileTypes1.pSpecialAny")->Operator_Convert();
}

}  // namespace corvantil::FileTypes1
