// The plug-ins' registrations, which RuntimeInitExternalClasses makes; the program never includes this.
#pragma once

namespace platform::detail {

// Publishes the shell plug-in's class and entry points. Defined in platform_core (core/Shell.cpp).
void RegisterShellPlugin();
// Publishes the control plug-in's progress wheel class. Defined in platform_qt (qt/ProgressWheel.cpp).
void RegisterControlPlugin();

}  // namespace platform::detail
