// The program's set of file types: one type, "special/any", which admits every file and folder and is the
// type the main window's drop areas accept. Start-up makes and registers it; shutdown lets go of it, which
// deregisters it.
#pragma once

#include "platform/Platform.h"

namespace corvantil::FileTypes1 {

// The registered "special/any" type; nil before start-up and after shutdown.
extern platform::Ref<platform::FileType> pSpecialAny;

// Makes the type (name "special/any", no extensions, type and creator "????") and registers it once.
void Initialize();

}  // namespace corvantil::FileTypes1
