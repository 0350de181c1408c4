// The plug-in entry-point registry (signature text -> published function) and the program's table of the
// entries it calls.
#include "platform/Plugins.h"

#include <map>
#include <mutex>

#include "platform/EntrypointTable.h"

namespace platform {

namespace {
struct Registry {
    std::mutex mutex;
    std::map<std::string, PluginEntrypoint, std::less<>> entries;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}
}  // namespace

void RuntimePublishPluginEntrypoint(std::string signature, PluginEntrypoint entry) {
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    registry.entries.insert_or_assign(std::move(signature), entry);
}

PluginEntrypoint RuntimeLookupPluginEntrypoint(std::string_view signature) {
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    const auto found = registry.entries.find(signature);
    return found == registry.entries.end() ? nullptr : found->second;
}

PluginEntrypoints& Entrypoints() {
    static PluginEntrypoints table;
    return table;
}

}  // namespace platform
