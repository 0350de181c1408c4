// What the framework knows of the program is what the program told it: the report of an unhandled exception
// on standard error begins with the name in the program's settings.
#include <gtest/gtest.h>

#include <exception>
#include <string>

#include "platform/Platform.h"

namespace platform {
namespace {

TEST(ProgramSettingsTest, TheUnhandledExceptionReportBeginsWithTheProgramsName) {
    const ProgramSettings saved = RuntimeGetProgramSettings();
    RuntimeSetProgramSettings({.name = "probe", .title = "Probe"});
    ::testing::internal::CaptureStderr();
    UnhandledException(std::make_exception_ptr(NilObjectException("the probe is gone")));
    const std::string said = ::testing::internal::GetCapturedStderr();
    RuntimeSetProgramSettings(saved);
    // The report marked the run as failed: leave the runtime ready for the next test.
    RuntimeInit();
    EXPECT_EQ(said, "probe: unhandled NilObjectException: the probe is gone\n");
}

}  // namespace
}  // namespace platform
