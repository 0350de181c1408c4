// The table of plug-in entry points and its filling at early start-up. The table holds the shell plug-in's
// four entries, the only plug-in operations the program calls: a comparison makes and releases its runner
// through "Shell.__init" and "Shell.__exit" (ShellRunner) and runs its commands through the other two.
#include "plugins/PluginEntrypoints.h"

namespace corvantil {

PluginEntrypoints& Entrypoints() {
    static PluginEntrypoints table;
    return table;
}

void InitPluginEntrypoints() {
    PluginEntrypoints& table = Entrypoints();
    table = PluginEntrypoints{};
    table.shellInit.Resolve(platform::shell_entry::kInit);
    table.shellExit.Resolve(platform::shell_entry::kExit);
    table.shellExecute.Resolve(platform::shell_entry::kExecute);
    table.shellResultGet.Resolve(platform::shell_entry::kResultGet);
}

}  // namespace corvantil
