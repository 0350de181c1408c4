// Test entry point: brings the runtime up once, with the program's settings and headless unless the caller
// chose a platform, then runs the GoogleTest suites of the executable.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/Startup.h"
#include "platform/Platform.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
    corvantil::ConfigureRuntime();
    platform::RuntimeInit();
    platform::RuntimeInitExternalClasses();
    const int result = RUN_ALL_TESTS();
    platform::RuntimeFinalize();
    return result;
}
