// Framework internals shared between its own files; the program never includes this.
#pragma once

#include <exception>
#include <functional>

namespace platform::detail {

// Runs a program handler from inside a platform event dispatch, which no exception may cross. The handler
// goes through the exception helper when one is installed. An exception it lets out is kept (the first
// one), the event loop is asked to end and RuntimeRun raises it again. Returns false when it threw.
bool DispatchToProgram(const std::function<void()>& handler);
// Takes out the exception DispatchToProgram kept, if any.
std::exception_ptr TakeDispatchedException();

// Window side of shutdown: lets go of every window the framework holds (RuntimeFinalize calls it).
void ReleaseWindows();
// Whether the shell runner is waiting for a command right now (input is held back meanwhile).
bool ShellWaiting();

}  // namespace platform::detail
