// The comparison on the real main window: the sides' paths set as a drop sets them, the real `shasum`
// behind a wrapper that counts its runs, or a fake one where an exit status or an output is needed.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPalette>
#include <QTimer>
#include <thread>

#include "app/Startup.h"
#include "platform/detail/PluginRegistration.h"
#include "support/TextFit.h"
#include "tests/ui/main/MainWindowFixture.h"

namespace corvantil::test {
namespace {

class CompareFilesTest : public MainWindowTest {
protected:
    // The verdict as the label shows it.
    void ExpectVerdict(const char* text) {
        EXPECT_EQ(LabelText(), text);
        const bool identical = std::string(text) == kIdentical;
        EXPECT_EQ(Label()->palette().color(QPalette::WindowText), identical ? kGreen : kRed);
        EXPECT_EQ(Label()->font().bold(), identical);
        EXPECT_FALSE(Wheel()->isVisible());
    }
};

// ---------------------------------------------------------------------------------------------------------------
// Verdicts
// ---------------------------------------------------------------------------------------------------------------

struct VerdictCase {
    const char* name;
    const char* content1;
    const char* content2;  // nullptr: side 2 holds side 1's file
    const char* verdict;
};

class VerdictTest : public CompareFilesTest, public ::testing::WithParamInterface<VerdictCase> {};

TEST_P(VerdictTest, DigestsEachSideOnceAndShowsTheVerdict) {
    const VerdictCase& c = GetParam();
    const std::string one = MakeFile("one", c.content1);
    const std::string two = c.content2 ? MakeFile("two", c.content2) : one;
    GiveSide(1, one);
    GiveSide(2, two);

    window->CompareFiles();

    ExpectVerdict(c.verdict);
    EXPECT_EQ(ToolRuns(), (std::vector<std::string>{one, two})) << "side 1 first, once each";
    EXPECT_EQ(StateOf(*window, 1), (SideState{window->path1, true, Sha256Hex(c.content1), false}));
    EXPECT_EQ(StateOf(*window, 2),
              (SideState{window->path2, true, Sha256Hex(c.content2 ? c.content2 : c.content1), false}));
    for (int side : {1, 2}) {
        EXPECT_EQ(AreaText(side), side == 1 ? kPrompt1 : kPrompt2)
            << "a successful run leaves the area alone";
        EXPECT_EQ(AreaColour(side), kWhite);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Contents, VerdictTest,
    ::testing::Values(VerdictCase{"OneFileOnBothSides", "content\n", nullptr, kIdentical},
                      VerdictCase{"DistinctFilesOfEqualContent", "content\n", "content\n", kIdentical},
                      VerdictCase{"DifferentContent", "content\n", "Content\n", kDifferent},
                      VerdictCase{"EmptyAgainstOneByte", "", "\n", kDifferent},
                      VerdictCase{"TwoEmptyFiles", "", "", kIdentical}),
    [](const ::testing::TestParamInfo<VerdictCase>& c) { return std::string(c.param.name); });

// Each verdict the result label can show fits it whole, in the label's 20 pixels, bold for "identical".
class VerdictFitTest : public CompareFilesTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(VerdictFitTest, ResultLabelShowsTheWholeVerdictInItsWidth) {
    const bool identical = std::string(GetParam()) == kIdentical;
    GiveSide(1, MakeFile("one", "a"));
    GiveSide(2, MakeFile("two", identical ? "a" : "b"));
    window->CompareFiles();
    ExpectVerdict(GetParam());
    EXPECT_TRUE(testsupport::ShowsItsTextInFull(*Label()));
}

INSTANTIATE_TEST_SUITE_P(Verdicts, VerdictFitTest, ::testing::Values(kIdentical, kDifferent),
                         [](const ::testing::TestParamInfo<const char*>& c) {
                             return std::string(c.param) == kIdentical ? "Identical" : "Different";
                         });

TEST_F(CompareFilesTest, DifferentRightAfterIdenticalIsRedAndNotBold) {
    GiveSide(1, MakeFile("one", "a"));
    GiveSide(2, MakeFile("two", "a"));
    window->CompareFiles();
    ExpectVerdict(kIdentical);

    GiveSide(2, MakeFile("three", "b"));
    window->CompareFiles();
    ExpectVerdict(kDifferent);
}

TEST_F(CompareFilesTest, NewFileOnSide2RunsOnlySide2AndReusesSide1sDigest) {
    const std::string one = MakeFile("one", "first");
    GiveSide(1, one);
    GiveSide(2, MakeFile("two", "other"));
    window->CompareFiles();
    ExpectVerdict(kDifferent);

    MakeFile("one", "changed since");  // not looked at again: its digest is at hand
    const std::string three = MakeFile("three", "first");
    GiveSide(2, three);
    window->CompareFiles();

    ExpectVerdict(kIdentical);
    ASSERT_EQ(ToolRunCount(), 3u);
    EXPECT_EQ(ToolRuns().back(), three);
    EXPECT_EQ(window->checkSum1, Sha256Hex("first"));
}

TEST_F(CompareFilesTest, WheelTurnsWhileEachRunLastsOnAnEmptiedLabel) {
    HoldTool();
    GiveSide(1, MakeFile("one", "a"));
    GiveSide(2, MakeFile("two", "a"));
    window->ResultLabel()->SetText("an earlier verdict");

    // The window keeps being served while the tool runs: look at it once per run, then let the run end.
    std::vector<bool> wheelShown;
    std::vector<std::string> labelShown;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (ToolRunCount() <= wheelShown.size()) return;
        wheelShown.push_back(Wheel()->isVisible());
        labelShown.push_back(LabelText());
        ReleaseTool();
    });
    poll.start();
    window->CompareFiles();
    poll.stop();

    EXPECT_EQ(wheelShown, (std::vector<bool>{true, true}));
    EXPECT_EQ(labelShown, (std::vector<std::string>{"", ""}));
    ExpectVerdict(kIdentical);
}

// The event loop runs while the tool does; what the window holds by then is what the comparison goes on with.
TEST_F(CompareFilesTest, ControlsAreAskedForAfreshAfterEachRun) {
    HoldTool();
    GiveSide(1, MakeFile("one", "a"));
    GiveSide(2, MakeFile("two", "a"));

    // During side 2's run, both controls are replaced by new ones under the same names.
    platform::Ref<platform::ProgressWheel> newWheel;
    platform::Ref<platform::Label> newLabel;
    std::size_t released = 0;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (ToolRunCount() <= released) return;
        if (++released == 2) {
            const platform::ClassDescription& wheelClass = platform::ProgressWheelClass();
            newWheel =
                platform::RuntimeCheckCast<platform::ProgressWheel>(window->New(wheelClass), wheelClass);
            newWheel->Constructor();
            window->AddControl("ProgressWheel1", newWheel);
            newWheel->SetVisible(true);
            newLabel = platform::RuntimeCheckCast<platform::Label>(window->New(platform::Label::Lookup()));
            newLabel->Constructor();
            window->AddControl("ResultLabel", newLabel);
        }
        ReleaseTool();
    });
    poll.start();
    window->CompareFiles();
    poll.stop();

    ASSERT_NE(newLabel, nullptr) << "the run did not serve the event loop";
    EXPECT_FALSE(newWheel->Visible()) << "the wheel found after the run is hidden";
    EXPECT_EQ(newLabel->Text(), kIdentical) << "the verdict goes to the label found after the runs";
}

TEST_F(CompareFilesTest, EmptyOutputWithStatusZeroOnBothSidesIsIdentical) {
    SetToolOutput("");
    GiveSide(1, MakeFile("one", "a"));
    GiveSide(2, MakeFile("two", "b"));
    window->CompareFiles();
    ExpectVerdict(kIdentical);
    EXPECT_EQ(StateOf(*window, 1), (SideState{window->path1, true, "", false}));
    EXPECT_EQ(StateOf(*window, 2), (SideState{window->path2, true, "", false}));
}

TEST_F(CompareFilesTest, DigestIsTheOutputBeforeTheFirstTwoBlanks) {
    SetToolOutput("abc def  name  more\n");
    GiveSide(1, MakeFile("one", "a"));
    GiveSide(2, MakeFile("two", "b"));
    window->CompareFiles();
    EXPECT_EQ(window->checkSum1, "abc def");
    EXPECT_EQ(window->checkSum2, "abc def");
    ExpectVerdict(kIdentical);
}

// The tool starts its line with a backslash when it escaped the name; the mark is not part of the digest.
struct EscapedNameCase {
    const char* name;
    const char* leaf;
};

class EscapedNameTest : public CompareFilesTest, public ::testing::WithParamInterface<EscapedNameCase> {};

TEST_P(EscapedNameTest, IsIdenticalToAPlainCopy) {
    const std::string odd = MakeFile(GetParam().leaf, "same content\n");
    GiveSide(1, odd);
    GiveSide(2, MakeFile("plain", "same content\n"));
    window->CompareFiles();
    ExpectVerdict(kIdentical);
    EXPECT_EQ(window->checkSum1, Sha256Hex("same content\n"));
    EXPECT_EQ(ToolRuns().front(), odd);
}

INSTANTIATE_TEST_SUITE_P(Names, EscapedNameTest,
                         ::testing::Values(EscapedNameCase{"Backslash", "a\\b"},
                                           EscapedNameCase{"LineBreak", "a\nb"},
                                           EscapedNameCase{"BackslashAtTheStart", "\\start"}),
                         [](const ::testing::TestParamInfo<EscapedNameCase>& c) {
                             return std::string(c.param.name);
                         });

TEST_F(CompareFilesTest, OnlyTheToolsLeadingEscapeMarkIsDropped) {
    SetToolOutput("\\\\abc  name\n");
    GiveSide(1, MakeFile("one", "a"));
    GiveSide(2, MakeFile("two", "a"));
    window->CompareFiles();
    EXPECT_EQ(window->checkSum1, "\\abc");
}

// ---------------------------------------------------------------------------------------------------------------
// Failing runs
// ---------------------------------------------------------------------------------------------------------------

struct FailureCase {
    const char* name;
    int failingSide;
    int fakeStatus;  // negative: the real tool on a file that does not exist
    const char* message;
};

class FailureTest : public CompareFilesTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailureTest, IsReportedInItsAreaAndEndsTheComparison) {
    const FailureCase& c = GetParam();
    const int other = 3 - c.failingSide;
    const std::string present = MakeFile("present", "x");
    GiveSide(other, present);
    GiveSide(c.failingSide, c.fakeStatus < 0 ? TempPath("vanished") : MakeFile("failing", "y"));
    if (c.fakeStatus >= 0) SetToolStatus(c.fakeStatus);
    window->checkSum1 = "old digest 1";
    window->checkSum2 = "old digest 2";
    window->ResultLabel()->SetText("an earlier verdict");
    const SideState otherBefore = StateOf(*window, other);

    window->CompareFiles();

    const std::string prompt = c.failingSide == 1 ? kPrompt1 : kPrompt2;
    EXPECT_EQ(AreaText(c.failingSide), prompt + "\n\n" + c.message);
    EXPECT_EQ(AreaColour(c.failingSide), kPink);
    const std::string oldDigest = c.failingSide == 1 ? "old digest 1" : "old digest 2";
    EXPECT_EQ(StateOf(*window, c.failingSide),
              (SideState{c.failingSide == 1 ? window->path1 : window->path2, false, oldDigest, true}));
    EXPECT_EQ(LabelText(), "") << "emptied at the start, no verdict";
    EXPECT_FALSE(Wheel()->isVisible());
    EXPECT_EQ(ToolRunCount(), c.failingSide == 1 ? 1u : 2u) << "a failing side 1 ends it before side 2";
    EXPECT_EQ(AreaColour(other), kWhite);
    EXPECT_EQ(AreaText(other), other == 1 ? kPrompt1 : kPrompt2);
    if (c.failingSide == 1) {
        EXPECT_EQ(StateOf(*window, other), otherBefore) << "side 2 not run";
    } else {
        EXPECT_EQ(StateOf(*window, other), (SideState{otherBefore.path, true, Sha256Hex("x"), false}));
    }
}

INSTANTIATE_TEST_SUITE_P(Statuses, FailureTest,
                         ::testing::Values(FailureCase{"VanishedSide1File", 1, -1, "File not found"},
                                           FailureCase{"VanishedSide2File", 2, -1, "File not found"},
                                           FailureCase{"StatusOneFromTheTool", 1, 1, "File not found"},
                                           FailureCase{"StatusTwo", 1, 2, "File Error # 2"},
                                           FailureCase{"Status127", 1, 127, "File Error # 127"}),
                         [](const ::testing::TestParamInfo<FailureCase>& c) {
                             return std::string(c.param.name);
                         });

TEST_F(CompareFilesTest, FailingSideIsRunAgainPilesUpMessagesAndKeepsItsPinkOnceItSucceeds) {
    const std::string missing = TempPath("later");
    GiveSide(1, missing);
    GiveSide(2, MakeFile("two", "content"));
    window->CompareFiles();
    const std::string once = std::string(kPrompt1) + "\n\n" + kNotFound;
    ASSERT_EQ(AreaText(1), once);

    // A new file on side 2: side 1 runs first again, fails again, and side 2 is still not run.
    GiveSide(2, MakeFile("three", "content"));
    window->CompareFiles();
    EXPECT_EQ(AreaText(1), once + "\n\n" + kNotFound);
    EXPECT_EQ(ToolRuns(), (std::vector<std::string>{missing, missing}));

    // The file appears; the next comparison, started from side 2, succeeds on side 1 too.
    MakeFile("later", "content");
    GiveSide(2, TempPath("two"));
    window->CompareFiles();
    ExpectVerdict(kIdentical);
    EXPECT_EQ(ToolRuns(), (std::vector<std::string>{missing, missing, missing, TempPath("two")}));
    EXPECT_EQ(AreaText(1), once + "\n\n" + kNotFound) << "its messages stay";
    EXPECT_EQ(AreaColour(1), kPink);
    EXPECT_EQ(StateOf(*window, 1), (SideState{window->path1, true, Sha256Hex("content"), true}));
}

TEST_F(CompareFilesTest, MessagesFollowWhatTheAreaShows) {
    window->TextArea2()->SetText("typed by the user");
    GiveSide(1, MakeFile("one", "x"));
    GiveSide(2, MakeFile("two", "y"));
    SetToolStatus(3);
    window->CompareFiles();
    EXPECT_EQ(AreaText(1), std::string(kPrompt1) + "\n\nFile Error # 3");
    EXPECT_EQ(AreaText(2), "typed by the user") << "side 2 not run";

    SetToolStatus(-1);
    window->file1summed = true;  // side 1's digest at hand: only side 2 runs, and fails on a missing file
    GiveSide(2, TempPath("gone"));
    window->CompareFiles();
    EXPECT_EQ(AreaText(2), std::string("typed by the user\n\n") + kNotFound);
}

// ---------------------------------------------------------------------------------------------------------------
// The shell runner
// ---------------------------------------------------------------------------------------------------------------

// Stand-ins for the plug-in's "Shell.__init" and "Shell.__exit" that log each call and pass it on to the
// plug-in's own entry.
struct RunnerLog {
    int made = 0;
    int released = 0;
    bool releasedTheOneMade = false;
    platform::WeakRef<platform::Object> runner;
};
RunnerLog gLog;
platform::PluginEntry<platform::shell_entry::InitFn> gPluginInit;
platform::PluginEntry<platform::shell_entry::ExitFn> gPluginExit;

platform::Ref<platform::Object> LoggedInit() {
    ++gLog.made;
    platform::Ref<platform::Object> runner = gPluginInit();
    gLog.runner = runner;
    return runner;
}

void LoggedExit(platform::Shell& shell) {
    ++gLog.released;
    gLog.releasedTheOneMade = gLog.runner.lock().get() == &shell;
    gPluginExit(shell);
}

struct RunnerCase {
    const char* name;
    int fakeStatus;       // negative: the real tool
    bool withoutExecute;  // "Shell.Execute" not found: the comparison ends with ShellNotAvailableException
};

// The plug-in's making and releasing of runners logged.
class LoggedRunnerTest : public CompareFilesTest {
protected:
    void SetUp() override {
        CompareFilesTest::SetUp();
        gLog = {};
        gPluginInit.Resolve(platform::shell_entry::kInit);
        gPluginExit.Resolve(platform::shell_entry::kExit);
        platform::PublishPluginEntrypoint(platform::shell_entry::kInit, &LoggedInit);
        platform::PublishPluginEntrypoint(platform::shell_entry::kExit, &LoggedExit);
        InitPluginEntrypoints();
    }
    void TearDown() override {
        platform::detail::RegisterShellPlugin();
        InitPluginEntrypoints();
        CompareFilesTest::TearDown();
    }
};

class RunnerTest : public LoggedRunnerTest, public ::testing::WithParamInterface<RunnerCase> {
protected:
    void SetUp() override {
        LoggedRunnerTest::SetUp();
        if (GetParam().withoutExecute) {
            platform::RuntimePublishPluginEntrypoint(platform::shell_entry::kExecute, nullptr);
            InitPluginEntrypoints();
        }
    }
};

// The runner is made through the window, whose making checks the thread first: a comparison called from
// another thread makes none and changes nothing.
TEST_F(LoggedRunnerTest, IsMadeThroughTheWindowWhichRefusesAnotherThread) {
    GiveSide(1, MakeFile("one", "a"));
    GiveSide(2, MakeFile("two", "a"));
    window->ResultLabel()->SetText("earlier verdict");
    bool refused = false;
    std::thread other([&] {
        try {
            window->CompareFiles();
        } catch (const platform::ThreadAccessingUIException&) {
            refused = true;
        }
    });
    other.join();
    EXPECT_TRUE(refused);
    EXPECT_EQ(gLog.made, 0);
    EXPECT_EQ(ToolRunCount(), 0u);
    EXPECT_EQ(LabelText(), "earlier verdict");
}

TEST_P(RunnerTest, IsMadeAndReleasedThroughTheEntryPointTableOnceACall) {
    const RunnerCase& c = GetParam();
    GiveSide(1, MakeFile("one", "a"));
    GiveSide(2, MakeFile("two", "b"));
    if (c.fakeStatus >= 0) SetToolStatus(c.fakeStatus);

    if (c.withoutExecute) {
        EXPECT_THROW(window->CompareFiles(), platform::ShellNotAvailableException);
    } else {
        window->CompareFiles();
    }

    EXPECT_EQ(gLog.made, 1);
    EXPECT_EQ(gLog.released, 1);
    EXPECT_TRUE(gLog.releasedTheOneMade);
    EXPECT_TRUE(gLog.runner.expired()) << "the call keeps no reference to its runner";
}

INSTANTIATE_TEST_SUITE_P(WaysOut, RunnerTest,
                         ::testing::Values(RunnerCase{"Verdict", -1, false},
                                           RunnerCase{"FailingSide", 1, false},
                                           RunnerCase{"Exception", -1, true}),
                         [](const ::testing::TestParamInfo<RunnerCase>& c) {
                             return std::string(c.param.name);
                         });

}  // namespace
}  // namespace corvantil::test
