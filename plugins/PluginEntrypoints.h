// The program's table of plug-in entry points, filled at early start-up by looking each entry up by its
// signature text. A call through an entry that was not found raises ShellNotAvailableException.
#pragma once

#include "platform/Platform.h"

namespace corvantil {

struct PluginEntrypoints {
    platform::PluginEntry<platform::shell_entry::InitFn> shellInit;
    platform::PluginEntry<platform::shell_entry::ExitFn> shellExit;
    platform::PluginEntry<platform::shell_entry::ExecuteFn> shellExecute;
    platform::PluginEntry<platform::shell_entry::ResultGetFn> shellResultGet;
};

// The module-level table; empty (every call raises) until InitPluginEntrypoints has run.
PluginEntrypoints& Entrypoints();
// Looks every entry up by its signature text; tests no result.
void InitPluginEntrypoints();

}  // namespace corvantil
