// The shell plug-in's runner: runs one command line with /bin/sh -c and, on return, gives its exit status
// and its standard output. While it waits, the user-interface layer keeps the windows painting but
// delivers no input to the program.
#pragma once

#include <cstdint>
#include <string>

#include "Plugins.h"
#include "Runtime.h"

namespace platform {

class Shell : public Object {
public:
    Shell() = default;
    ~Shell() override;

    static const ClassDescription& Lookup();

    // Exit status of the last command: its code, or 128 plus the signal that ended it; 0 before any command
    // ran. A value kept in the runner, so reading it needs no call into the plug-in.
    std::int32_t ErrorCode() const { return errorCode_; }

    // The plug-in's operations; the program reaches them through its entry-point table.
    // Runs `command` and returns when it has ended. ShellNotAvailableException when no shell can be started
    // or when the shell's exit status was lost (something else reaped it: SIGCHLD ignored); a status the
    // runner did not see is never taken for one.
    void Execute(const std::string& command);
    // Standard output of the last command. ShellNotRunningException before any command ran.
    std::string Result() const;
    // What releasing the runner does ("Shell.__exit", the destructor): a command still running (the runner
    // released from inside its own wait) is stopped before Execute returns, and the last result is dropped:
    // after a release inside the wait, Result and ErrorCode read as for a runner that never ran.
    void Close();

private:
    std::int32_t errorCode_ = 0;
    std::string output_;
    bool ran_ = false;
    bool running_ = false;
    bool stopRequested_ = false;
    bool releasedWhileRunning_ = false;
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

}  // namespace platform
