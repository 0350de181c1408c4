#include "plugins/ShellRunner.h"

#include <utility>

#include "plugins/PluginEntrypoints.h"

namespace corvantil {

ShellRunner::ShellRunner() : shell_(platform::RuntimeCheckCast<platform::Shell>(Entrypoints().shellInit())) {
    platform::Require(shell_, "the new shell runner");
}

ShellRunner::~ShellRunner() {
    if (!shell_) return;
    try {
        Entrypoints().shellExit(*shell_);
    } catch (...) {
        // An exception is already on its way out of the scope; the runner's own end still stops and drops
        // what it holds when the reference goes.
    }
}

void ShellRunner::Release() {
    const platform::Ref<platform::Shell> shell = std::move(shell_);
    if (shell) Entrypoints().shellExit(*shell);
}

}  // namespace corvantil
