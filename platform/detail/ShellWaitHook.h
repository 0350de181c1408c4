// What the shell runner does while it waits for its command: the hook the framework's start-up installs
// (the windows keep painting, no input reaches the program) and tests replace. The program never includes
// this. Defined in platform_core (core/Shell.cpp).
#pragma once

#include <functional>

namespace platform::detail {

// Called on the main thread: pump about every 10 ms for as long as the command runs, whether or not its
// pipes are busy. Returning false asks the runner to stop the command (SIGTERM to its process group, SIGKILL
// 200 ms later; the application is closing). Without a hook, and for a run off the main thread, the runner
// simply blocks.
struct ShellWaitHook {
    std::function<void()> begin;  // before the command starts
    std::function<bool()> pump;   // while it runs
    std::function<void()> end;    // after it has ended, on every way out
};
// Installs `hook` for the runs that start from now on and hands back the one it replaces.
ShellWaitHook SetShellWaitHook(ShellWaitHook hook);

}  // namespace platform::detail
