// A shell runner held for one scope: made through a window on its behalf, which reaches the shell plug-in's
// "Shell.__init", and released through the entry-point table's "Shell.__exit" on every way out. Releasing it
// is its end; it is never closed otherwise.
#pragma once

#include "platform/Platform.h"

namespace corvantil {

class ShellRunner {
public:
    // Makes the runner through `window` (Window.New with the class Shell); what that raises passes on, and
    // a making that gives nothing raises NilObjectException.
    explicit ShellRunner(platform::Window& window);
    ShellRunner(const ShellRunner&) = delete;
    ShellRunner& operator=(const ShellRunner&) = delete;
    // Releases a runner that Release did not: the way out of a scope that an exception ends.
    ~ShellRunner();

    platform::Shell& operator*() const { return *shell_; }
    platform::Shell* operator->() const { return shell_.get(); }

    // The normal way out: releases the runner; what the entry raises passes on.
    void Release();

private:
    platform::Ref<platform::Shell> shell_;
};

}  // namespace corvantil
