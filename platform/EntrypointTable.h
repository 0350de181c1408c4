// The program's table of plug-in entry points: one typed slot per plug-in operation it calls, filled at
// early start-up by looking each slot up by its signature text. The framework keeps the one table; the
// program's start-up fills it and its code calls through it. A call through a slot that was not found raises
// ShellNotAvailableException.
#pragma once

#include "Plugins.h"
#include "Shell.h"

namespace platform {

struct PluginEntrypoints {
    PluginEntry<shell_entry::InitFn> shellInit;
    PluginEntry<shell_entry::ExitFn> shellExit;
    PluginEntry<shell_entry::ExecuteFn> shellExecute;
    PluginEntry<shell_entry::ResultGetFn> shellResultGet;
};

// The one table; empty (every call raises) until start-up has filled it.
PluginEntrypoints& Entrypoints();

}  // namespace platform
