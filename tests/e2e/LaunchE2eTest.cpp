// The program started as a launcher may start it: under a parent that ignores SIGCHLD, which the program
// inherits, and where no display can be opened (no display named, or a display number no server has).
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <ostream>

#include "E2eTest.h"

namespace e2e {
namespace {

// Pixels of the text cursor, which blinks: a line of text's height.
constexpr int kCaretPixels = 40;

using ChildSignalE2eTest = E2eTest;

// Two files that do not exist, one dropped on each area. Started under a parent that ignores SIGCHLD, the
// program shows what it shows started directly: "File not found" in a pink first area and no verdict.
// Disabled: in an optimised build on an idle machine it fails about every other run. Both drops reach their
// areas, yet the first area stays white and no verdict comes, while the program runs on in its event loop and
// writes nothing. Run it with --gtest_also_run_disabled_tests while that is being found.
TEST_F(ChildSignalE2eTest, DISABLED_MissingFilesReadAsNotFoundUnderALauncherThatIgnoresSigchld) {
    const QStringList missing[2] = {{files_.filePath(QStringLiteral("not here"))},
                                    {files_.filePath(QStringLiteral("nor here"))}};

    // Started directly (the fixture's program): what the two drops show.
    ASSERT_TRUE(dropFiles(0, missing[0]));
    ASSERT_TRUE(dropFiles(1, missing[1]));
    ASSERT_TRUE(program_->waitForArea(0, kPink))
        << "area shows " << program_->areaColour(0).name().toStdString();
    const QImage notFound = program_->areaInk(0);
    QImage blank(notFound.size(), notFound.format());
    blank.fill(Qt::white);
    ASSERT_GT(ProgramUnderTest::inkDifference(notFound, blank), 4 * kCaretPixels) << "the area shows no text";
    const QColor secondArea = program_->areaColour(1);
    ASSERT_EQ(program_->verdict(), Verdict::None);

    program_.reset();
    program_ = std::make_unique<ProgramUnderTest>(*session_);
    QString error;
    ASSERT_TRUE(program_->start(&error, QString(), ProgramUnderTest::Launcher::IgnoringChildSignals))
        << error.toStdString();
    ASSERT_TRUE(dropFiles(0, missing[0]));
    // The first drop has shown its path before the second one starts the comparison.
    ASSERT_TRUE(waitUntil([&] { return ProgramUnderTest::inkDifference(program_->areaInk(0), blank) > 0; }))
        << "the first drop did not reach the area";
    ASSERT_TRUE(dropFiles(1, missing[1]));
    ASSERT_TRUE(waitUntil([&] { return ProgramUnderTest::inkDifference(program_->areaInk(1), blank) > 0; }))
        << "the second drop did not reach the area";
    EXPECT_TRUE(program_->waitForArea(0, kPink))
        << "area shows " << program_->areaColour(0).name().toStdString() << ", the verdict "
        << verdictName(program_->verdict());
    EXPECT_TRUE(waitUntil([&] {
        return ProgramUnderTest::inkDifference(program_->areaInk(0), notFound) < kCaretPixels;
    })) << "the first area does not read as it does in the program started directly";
    EXPECT_EQ(program_->areaColour(1), secondArea);
    EXPECT_EQ(program_->verdict(), Verdict::None);
    EXPECT_TRUE(program_->running());
}

// A display number that no X server on this machine has: neither its socket nor its lock file exists.
QString UnusedDisplay() {
    for (int number = 4242;; ++number) {
        const QString n = QString::number(number);
        if (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X") + n) &&
            !QFile::exists(QStringLiteral("/tmp/.X") + n + QStringLiteral("-lock")))
            return QLatin1Char(':') + n;
    }
}

struct NoDisplayCase {
    const char* name;
    bool unusedDisplay;    // DISPLAY names an unused display number; else neither display variable is set
    const char* platform;  // QT_QPA_PLATFORM, or none
    const char* reason;    // what the program says after "cannot open a display: "; {display} for DISPLAY
};
void PrintTo(const NoDisplayCase& c, std::ostream* out) { *out << c.name; }

class NoDisplayE2eTest : public ::testing::TestWithParam<NoDisplayCase> {};

TEST_P(NoDisplayE2eTest, ProgramSaysSoInOneLineAndEndsWithStatusOne) {
    const NoDisplayCase& c = GetParam();
    const QString program = ProgramUnderTest::path();
    ASSERT_FALSE(program.isEmpty()) << "CORVANTIL_E2E_PROGRAM does not name the program";
    const QString display = c.unusedDisplay ? UnusedDisplay() : QString();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
        environment.remove(QString::fromLatin1(variable));
    if (!display.isEmpty()) environment.insert(QStringLiteral("DISPLAY"), display);
    if (c.platform) environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(c.platform));
    QProcess process;
    process.setProcessEnvironment(environment);
    startChild(process, program, {});
    ASSERT_TRUE(process.waitForFinished(static_cast<int>(kPatience.count()))) << "the program did not end";

    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "the program crashed";
    EXPECT_EQ(process.exitCode(), 1);
    const QStringList said =
        QString::fromLocal8Bit(process.readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList own = said.filter(QRegularExpression(QStringLiteral("^corvantil: ")));
    const QString expected = QStringLiteral("corvantil: cannot open a display: ") +
                             QString::fromLatin1(c.reason).replace(QStringLiteral("{display}"), display);
    EXPECT_EQ(own, QStringList{expected}) << said.join(QLatin1Char('\n')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Environments, NoDisplayE2eTest,
    ::testing::Values(NoDisplayCase{"NeitherVariableSet", false, nullptr,
                                    "neither DISPLAY nor WAYLAND_DISPLAY is set"},
                      NoDisplayCase{"UnusedDisplayNumber", true, nullptr,
                                    "no display server could be reached at DISPLAY={display}"},
                      NoDisplayCase{"XcbChosenWithoutADisplay", false, "xcb",
                                    "neither DISPLAY nor WAYLAND_DISPLAY is set (QT_QPA_PLATFORM=xcb)"}),
    [](const ::testing::TestParamInfo<NoDisplayCase>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace e2e
