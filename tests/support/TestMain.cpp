// Test entry point: brings the runtime up once (headless under QT_QPA_PLATFORM=offscreen), then runs the
// GoogleTest suites of the executable.
#include <gtest/gtest.h>

#include "platform/Platform.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    platform::RuntimeInit();
    platform::RuntimeInitExternalClasses();
    return RUN_ALL_TESTS();
}
