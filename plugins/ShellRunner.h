// A shell runner held for one scope, made and released through the program's entry-point table: made by
// "Shell.__init", released by "Shell.__exit". Releasing it is its end; it is never closed otherwise.
#pragma once

#include "platform/Platform.h"

namespace corvantil {

class ShellRunner {
public:
    // Makes the runner; what the entry raises passes on, and an entry that makes nothing raises
    // NilObjectException.
    ShellRunner();
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
