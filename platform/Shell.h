// The shell plug-in's runner: runs one command line with /bin/sh -c and, on return, gives its exit status
// and its standard output. While it waits, the user-interface layer keeps the windows painting (see
// SetShellWaitHook) but delivers no input to the program.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "Plugins.h"
#include "Runtime.h"

namespace platform {

class Shell : public Object {
public:
    Shell() = default;
    ~Shell() override;

    static const ClassDescription& Lookup();

    // Exit status of the last command: its code, or 128 plus the signal that ended it. A value kept in the
    // runner, so reading it needs no call into the plug-in.
    std::int32_t ErrorCode() const { return errorCode_; }

    // The plug-in's operations; the program reaches them through its entry-point table.
    // Runs `command` and returns when it has ended. ShellNotAvailableException when no shell can be started.
    void Execute(const std::string& command);
    // Standard output of the last command. ShellNotRunningException before any command ran.
    std::string Result() const;

private:
    std::int32_t errorCode_ = 0;
    std::string output_;
    bool ran_ = false;
};

// Signature texts and function types of the shell plug-in's entry points.
namespace shell_entry {
inline constexpr const char* kInit = "Shell.__init";
inline constexpr const char* kExit = "Shell.__exit";
inline constexpr const char* kExecute = "Shell.Execute(command as String)";
inline constexpr const char* kResultGet = "Shell.Result.Get";
using InitFn = Ref<Object>();
using ExitFn = void(Shell&);
using ExecuteFn = void(Shell&, const std::string&);
using ResultGetFn = std::string(const Shell&);
}  // namespace shell_entry

// Publishes the shell plug-in's class and entry points (RuntimeInitExternalClasses calls it).
void RegisterShellPlugin();

// What the runner does while it waits for its command: called repeatedly, at most `maxWaitMs` apart while
// nothing happens on the command's pipes. Returning false asks the runner to stop the command (the
// application is closing). Without a hook the runner simply blocks.
struct ShellWaitHook {
    std::function<void()> begin;    // before the command starts
    std::function<bool()> pump;     // while it runs
    std::function<void()> end;      // after it has ended, on every way out
};
void SetShellWaitHook(ShellWaitHook hook);

}  // namespace platform
