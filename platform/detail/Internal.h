// Framework internals shared between its own files; the program never includes this.
#pragma once

#include <exception>

namespace platform::detail {

// Takes out the exception the program dispatch (qt::Dispatch) kept, if any.
std::exception_ptr TakeDispatchedException();

// Window side of shutdown: lets go of every window the framework holds (RuntimeFinalize calls it).
void ReleaseWindows();
// Whether the shell runner is waiting for a command right now (input is held back meanwhile).
bool ShellWaiting();

}  // namespace platform::detail
