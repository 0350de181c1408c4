// Framework internals shared between its own files; the program never includes this.
#pragma once

#include <exception>

namespace platform::detail {

// Takes out the exception the program dispatch (qt::Dispatch) kept, if any. Defined in platform_qt
// (qt/Dispatch.cpp).
std::exception_ptr TakeDispatchedException();

// Window side of shutdown: lets go of every window the framework holds (RuntimeFinalize calls it). Defined
// in platform_qt (qt/Window.cpp).
void ReleaseWindows();
// How many runs of the shell runner are waiting for their command on the main thread right now (a run
// started from inside another's wait counts too); input is held back meanwhile. Counted from before the wait
// hook's begin to before its end. Defined, with ShellWaiting, in platform_core (core/Shell.cpp).
int ShellWaitDepth();
// Whether any is.
bool ShellWaiting();

}  // namespace platform::detail
