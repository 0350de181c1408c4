// The plug-ins' registrations, which RuntimeInitExternalClasses makes; the program never includes this.
#pragma once

namespace platform {

// Publishes the shell plug-in's class and entry points.
void RegisterShellPlugin();
// Publishes the control plug-in's progress wheel class.
void RegisterControlPlugin();

}  // namespace platform
