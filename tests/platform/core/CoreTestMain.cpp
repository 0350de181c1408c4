// Entry point of the core tests: the calling thread becomes the main thread and the shell plug-in publishes
// its entry points, as the runtime's start does, with no user interface at all.
#include <gtest/gtest.h>

#include "platform/detail/PluginRegistration.h"
#include "platform/detail/RuntimeHooks.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    platform::detail::RuntimeSetMainThread();
    platform::detail::RegisterShellPlugin();
    return RUN_ALL_TESTS();
}
