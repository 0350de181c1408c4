// The end-to-end tests' entry: GoogleTest runs the tests, then the X session they shared is stopped.
#include <gtest/gtest.h>

#include "X11Session.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    e2e::X11Session::shutDown();
    return result;
}
