// ShellRunner: the comparison's shell runner, made through its window and released through the entry-point
// table.
#include "ui/main/ShellRunner.h"

#include <utility>

namespace corvantil {

ShellRunner::ShellRunner(platform::Window& window)
    : shell_(platform::RuntimeCheckCast<platform::Shell>(window.New(platform::Shell::Lookup()),
                                                         platform::Shell::Lookup())) {
    platform::Require(shell_, "Shell");
}

ShellRunner::~ShellRunner() {
    if (!shell_) return;
    try {
        platform::Entrypoints().shellExit(*shell_);
    } catch (...) {
        // An exception is already on its way out of the scope; the runner's own end still stops and drops
        // what it holds when the reference goes.
    }
}

void ShellRunner::Release() {
    const platform::Ref<platform::Shell> shell = std::move(shell_);
    if (shell) platform::Entrypoints().shellExit(*shell);
}

}  // namespace corvantil
