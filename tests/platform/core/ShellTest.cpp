// The shell runner against the real /bin/sh and shasum: digests of real files, exit statuses (a fake tool on
// PATH for those the real one won't give; lost ones, under an ignored SIGCHLD), the signals a command starts
// with, large outputs on both streams, the wait hook, stopping a command that would not end, and the
// plug-in's entry points.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <thread>

#include "TempFolder.h"
#include "platform/DragDrop.h"
#include "platform/Shell.h"
#include "platform/Text.h"
#include "platform/detail/Internal.h"
#include "platform/detail/PluginRegistration.h"
#include "platform/detail/ShellWaitHook.h"

namespace platform {
namespace {

constexpr const char* kDigestAbc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
constexpr const char* kDigestEmpty = "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";
constexpr std::size_t kTenMiB = 10u * 1024u * 1024u;

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    ASSERT_TRUE(out.good()) << path;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What /proc tells of a process: its state letter (0 when there is no such process) and its process group.
struct ProcState {
    char state = 0;
    long group = 0;
};

ProcState StateOf(const std::string& procEntry) {
    const std::string stat = ReadFile(procEntry + "/stat");
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) return {};
    std::istringstream fields(stat.substr(close + 1));
    ProcState found;
    long parent = 0;
    fields >> found.state >> parent >> found.group;
    return found;
}

ProcState StateOf(pid_t pid) { return StateOf("/proc/" + std::to_string(pid)); }

// Processes of the process group `group` that have not ended (zombies waiting for a reaper are ended).
int LiveMembersOf(pid_t group) {
    int live = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const ProcState process = StateOf(entry.path().string());
        if (process.group == group && process.state != 'Z' && process.state != 'X' && process.state != 0)
            ++live;
    }
    return live;
}

Ref<Shell> NewShell() { return RuntimeCheckCast<Shell>(RuntimeNewObject(Shell::Lookup())); }

// Each test starts without a wait hook (the runner then blocks) and leaves the installed one as it was.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.Valid());
        previous = detail::SetShellWaitHook({});
    }
    void TearDown() override { detail::SetShellWaitHook(previous); }
    std::string Path(const std::string& name) const { return dir.Path() + "/" + name; }

    test::TempFolder dir;
    detail::ShellWaitHook previous;
};

TEST_F(ShellTest, ShasumDigestsRealFiles) {
    WriteFile(Path("abc file"), "abc");
    WriteFile(Path("empty"), "");
    const std::pair<std::string, const char*> cases[] = {{"abc file", kDigestAbc}, {"empty", kDigestEmpty}};
    const Ref<Shell> shell = NewShell();
    for (const auto& [name, digest] : cases) {
        shell->Execute("shasum -a 256 " + FolderItem(Path(name)).ShellPath());
        EXPECT_EQ(shell->ErrorCode(), 0) << name;
        EXPECT_EQ(NthField(shell->Result(), "  ", 1), digest) << name;
        EXPECT_EQ(shell->Result(), std::string(digest) + "  " + Path(name) + "\n");
    }
}

TEST_F(ShellTest, ShasumOfAMissingFileExitsWithOne) {
    const Ref<Shell> shell = NewShell();
    shell->Execute("shasum -a 256 " + FolderItem(Path("not there")).ShellPath());
    EXPECT_EQ(shell->ErrorCode(), 1);
    EXPECT_EQ(shell->ErrorCode(), 1) << "read twice, the same value";
}

TEST_F(ShellTest, ResultBeforeAnyRunRaisesShellNotRunningException) {
    EXPECT_THROW(NewShell()->Result(), ShellNotRunningException);
}

TEST_F(ShellTest, StandardInputIsEmpty) {
    const Ref<Shell> shell = NewShell();
    shell->Execute("cat; echo end");
    EXPECT_EQ(shell->Result(), "end\n");
}

TEST_F(ShellTest, WaitsUntilBothPipesAreAtEndOfFile) {
    // The shell ends at once; a background job still holds standard output and writes later.
    const Ref<Shell> shell = NewShell();
    shell->Execute("(sleep 0.2; echo late) & echo early");
    EXPECT_EQ(shell->ErrorCode(), 0);
    EXPECT_EQ(shell->Result(), "early\nlate\n");
}

struct LargeCase {
    const char* label;
    std::string command;
    std::size_t zeros;  // NUL bytes expected in the result before "done\n"
};

class ShellLargeOutputTest : public ShellTest, public ::testing::WithParamInterface<LargeCase> {};

TEST_P(ShellLargeOutputTest, NoDeadlockAndExactSize) {
    const LargeCase& c = GetParam();
    for (const bool pumping : {false, true}) {
        SCOPED_TRACE(pumping ? "with a wait hook" : "without a wait hook");
        if (pumping) detail::SetShellWaitHook({{}, [] { return true; }, {}});
        const Ref<Shell> shell = NewShell();
        shell->Execute(c.command);
        EXPECT_EQ(shell->ErrorCode(), 0);
        const std::string result = shell->Result();
        ASSERT_EQ(result.size(), c.zeros + 5);
        EXPECT_EQ(result.find_first_not_of('\0'), c.zeros);
        EXPECT_EQ(result.substr(c.zeros), "done\n");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Streams, ShellLargeOutputTest,
    ::testing::Values(
        LargeCase{"Stdout", "head -c 10485760 /dev/zero; echo done", kTenMiB},
        LargeCase{"Stderr", "head -c 10485760 /dev/zero >&2; echo done", 0},
        LargeCase{"BothAtOnce",
                  "head -c 10485760 /dev/zero >&2 & head -c 10485760 /dev/zero; wait; echo done", kTenMiB}),
    [](const auto& p) { return std::string(p.param.label); });

// ---------------------------------------------------------------------------------------------------------------
// Exit statuses
// ---------------------------------------------------------------------------------------------------------------

struct StatusCase {
    const char* label;
    std::string command;
    std::int32_t status;
};

class ShellStatusTest : public ShellTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(ShellStatusTest, ErrorCodeIsTheExitStatus) {
    const Ref<Shell> shell = NewShell();
    shell->Execute(GetParam().command);
    EXPECT_EQ(shell->ErrorCode(), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(Commands, ShellStatusTest,
                         ::testing::Values(StatusCase{"Success", "true", 0}, StatusCase{"Exit3", "exit 3", 3},
                                           StatusCase{"MissingCommand", "no-such-command-corvantil", 127},
                                           StatusCase{"KilledBySigkill", "kill -9 $$", 137},
                                           StatusCase{"KilledBySigterm", "kill -TERM $$", 143}),
                         [](const auto& p) { return std::string(p.param.label); });

// SIGCHLD as a launcher may hand it on: ignored, or with SA_NOCLDWAIT. The kernel then reaps the shell
// itself; the runner must not take the status it never saw for a success.
struct LostStatusCase {
    const char* name;
    void (*handler)(int);
    int flags;
};

void PrintTo(const LostStatusCase& c, std::ostream* out) { *out << c.name; }

class ShellLostStatusTest : public ShellTest, public ::testing::WithParamInterface<LostStatusCase> {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        struct sigaction action {};
        action.sa_handler = GetParam().handler;
        action.sa_flags = GetParam().flags;
        sigemptyset(&action.sa_mask);
        ASSERT_EQ(::sigaction(SIGCHLD, &action, &saved), 0);
    }
    void TearDown() override {
        ::sigaction(SIGCHLD, &saved, nullptr);
        ShellTest::TearDown();
    }
    struct sigaction saved {};
};

TEST_P(ShellLostStatusTest, RunWhoseStatusWasLostFails) {
    for (const bool pumping : {false, true}) {
        SCOPED_TRACE(pumping ? "with a wait hook" : "without a wait hook");
        if (pumping) detail::SetShellWaitHook({{}, [] { return true; }, {}});
        for (const char* command : {"echo out; exit 3", "true"}) {
            const Ref<Shell> shell = NewShell();
            try {
                shell->Execute(command);
                ADD_FAILURE() << command << ": ran with exit status " << shell->ErrorCode();
            } catch (const ShellNotAvailableException& e) {
                EXPECT_NE(std::string(e.what()).find("exit status of /bin/sh was lost"), std::string::npos)
                    << e.what();
            }
            EXPECT_THROW(shell->Result(), ShellNotRunningException) << command;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ChildSignal, ShellLostStatusTest,
                         ::testing::Values(LostStatusCase{"Ignored", SIG_IGN, 0},
                                           LostStatusCase{"NoChildWait", SIG_DFL, SA_NOCLDWAIT}),
                         [](const auto& p) { return std::string(p.param.name); });

// The bits of /proc's signal masks (bit n-1 for signal n) that sigaddset refuses: the C library keeps those
// signals for itself, posix_spawn leaves them ignored and a new program's C library takes them over.
unsigned long long ReservedSignalBits() {
    unsigned long long bits = 0;
    sigset_t set;
    sigemptyset(&set);
    for (int sig = 1; sig < NSIG && sig <= 64; ++sig) {
        if (sigaddset(&set, sig) != 0) bits |= 1ull << (sig - 1);
    }
    return bits;
}

// Signals this process ignores or blocks reach the command at their defaults and unblocked.
TEST_F(ShellTest, CommandStartsWithEverySignalAtItsDefaultAndNoneBlocked) {
    const int ignored[] = {SIGINT, SIGQUIT, SIGUSR1, SIGALRM, SIGRTMIN + 2, SIGRTMAX};
    const int blocked[] = {SIGUSR2, SIGTERM, SIGRTMIN + 5};
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    struct sigaction saved[std::size(ignored)];
    for (std::size_t i = 0; i < std::size(ignored); ++i)
        ASSERT_EQ(::sigaction(ignored[i], &ignore, &saved[i]), 0);
    sigset_t block, savedMask;
    sigemptyset(&block);
    for (const int sig : blocked) sigaddset(&block, sig);
    ASSERT_EQ(::pthread_sigmask(SIG_BLOCK, &block, &savedMask), 0);

    const Ref<Shell> shell = NewShell();
    shell->Execute("grep -E '^Sig(Blk|Ign):' /proc/$$/status");

    ::pthread_sigmask(SIG_SETMASK, &savedMask, nullptr);
    for (std::size_t i = 0; i < std::size(ignored); ++i) ::sigaction(ignored[i], &saved[i], nullptr);
    std::istringstream lines(shell->Result());
    std::string name, mask;
    ASSERT_TRUE(lines >> name >> mask);
    EXPECT_EQ(name + mask, "SigBlk:0000000000000000");
    ASSERT_TRUE(lines >> name >> mask);
    EXPECT_EQ(name, "SigIgn:");
    EXPECT_EQ(std::stoull(mask, nullptr, 16) & ~ReservedSignalBits(), 0u) << "ignored: " << mask;
}

// A fake shasum first on PATH, exiting with the status the test asks for.
class ShellFakeToolTest : public ShellTest, public ::testing::WithParamInterface<std::int32_t> {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        const std::string tool = Path("shasum");
        WriteFile(tool, "#!/bin/sh\nexit \"$FAKE_SHASUM_STATUS\"\n");
        ASSERT_EQ(::chmod(tool.c_str(), 0755), 0);
        const char* path = std::getenv("PATH");
        oldPath = path ? path : "";
        ::setenv("PATH", (dir.Path() + ":" + oldPath).c_str(), 1);
    }
    void TearDown() override {
        ::setenv("PATH", oldPath.c_str(), 1);
        ShellTest::TearDown();
    }
    std::string oldPath;
};

TEST_P(ShellFakeToolTest, ReportsTheToolsExitStatus) {
    WriteFile(Path("input"), "abc");
    const Ref<Shell> shell = NewShell();
    shell->Execute("FAKE_SHASUM_STATUS=" + Str(GetParam()) + " shasum -a 256 " +
                   FolderItem(Path("input")).ShellPath());
    EXPECT_EQ(shell->ErrorCode(), GetParam());
    EXPECT_EQ(shell->Result(), "");
}

INSTANTIATE_TEST_SUITE_P(Statuses, ShellFakeToolTest, ::testing::Values(0, 1, 2, 255),
                         [](const auto& p) { return "Status" + std::to_string(p.param); });

// ---------------------------------------------------------------------------------------------------------------
// The wait hook and stopping
// ---------------------------------------------------------------------------------------------------------------

TEST_F(ShellTest, HookSurroundsEveryRunAndWaitingIsTrueInside) {
    int begins = 0, ends = 0, pumps = 0, pumpsWhileNotWaiting = 0;
    detail::SetShellWaitHook({[&] { ++begins; },
                              [&] {
                                  ++pumps;
                                  if (!detail::ShellWaiting()) ++pumpsWhileNotWaiting;
                                  return true;
                              },
                              [&] { ++ends; }});
    const Ref<Shell> shell = NewShell();
    shell->Execute("sleep 0.1");
    shell->Execute("true");
    EXPECT_EQ(begins, 2);
    EXPECT_EQ(ends, 2);
    EXPECT_GT(pumps, 0);
    EXPECT_EQ(pumpsWhileNotWaiting, 0);
    EXPECT_FALSE(detail::ShellWaiting());
}

TEST_F(ShellTest, PumpReturningFalseStopsTheCommand) {
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    const std::string commands[] = {"sleep 100", "shasum -a 256 " + FolderItem(Path("fifo")).ShellPath()};
    for (const std::string& command : commands) {
        int pumps = 0;
        detail::SetShellWaitHook({{}, [&] { return ++pumps < 3; }, {}});
        const Ref<Shell> shell = NewShell();
        shell->Execute(command);
        EXPECT_EQ(pumps, 3) << command;
        EXPECT_EQ(shell->ErrorCode(), 128 + SIGTERM) << command;
    }
}

TEST_F(ShellTest, StopEscalatesToSigkillWhenTermIsIgnored) {
    // Stop only once the shell ignores SIGTERM (it writes the marker after setting the trap).
    const std::string marker = Path("trapped");
    int pumps = 0;
    detail::SetShellWaitHook({{}, [&] { return ReadFile(marker).empty() && ++pumps < 3000; }, {}});
    const Ref<Shell> shell = NewShell();
    shell->Execute("trap '' TERM; echo > " + ShellQuote(marker) + "; sleep 100; sleep 100");
    ASSERT_FALSE(ReadFile(marker).empty()) << "the command never set its trap";
    EXPECT_EQ(shell->ErrorCode(), 128 + SIGKILL);
}

// Runs a command that records its process group in `marker` and starts a background job, waits (bounded)
// until the marker is written, then lets `stop` end the run; afterwards the group must be empty.
void ExpectGroupGoneAfter(const std::string& marker, const std::function<bool()>& stop) {
    int pumps = 0;
    int liveWhileRunning = -1;
    detail::SetShellWaitHook({{},
                              [&] {
                                  ++pumps;
                                  const std::string recorded = ReadFile(marker);
                                  if (recorded.empty() && pumps < 3000) return true;
                                  if (liveWhileRunning < 0 && !recorded.empty())
                                      liveWhileRunning =
                                          LiveMembersOf(static_cast<pid_t>(std::stol(recorded)));
                                  return stop();
                              },
                              {}});
    const Ref<Shell> shell = NewShell();
    shell->Execute("sleep 100 & echo $$ > " + ShellQuote(marker) + "; wait");
    const std::string recorded = ReadFile(marker);
    ASSERT_FALSE(recorded.empty()) << "the command never wrote its marker";
    EXPECT_GE(liveWhileRunning, 2) << "the shell and its background job, while it ran";
    EXPECT_EQ(LiveMembersOf(static_cast<pid_t>(std::stol(recorded))), 0)
        << "a process of the command is left";
}

TEST_F(ShellTest, StoppedCommandLeavesNoProcessBehind) {
    ExpectGroupGoneAfter(Path("marker"), [] { return false; });
}

// Released from inside its wait once output has come, the runner stops the command and keeps nothing of
// the run: it reads as a runner that never ran.
TEST_F(ShellTest, ExitEntryFromInsideTheWaitStopsTheCommandAndDropsItsResult) {
    detail::RegisterShellPlugin();
    PluginEntry<shell_entry::ExitFn> exitEntry;
    exitEntry.Resolve(shell_entry::kExit);
    const Ref<Shell> shell = NewShell();
    const std::string marker = Path("marker");
    int pumpsSinceMarker = 0;
    detail::SetShellWaitHook({{},
                              [&] {
                                  // The output came before the marker; the pump after next sees it drained.
                                  if (!ReadFile(marker).empty() && ++pumpsSinceMarker == 2) exitEntry(*shell);
                                  return true;
                              },
                              {}});
    shell->Execute("echo partial; sleep 100 & echo $$ > " + ShellQuote(marker) + "; wait");
    ASSERT_EQ(pumpsSinceMarker, 2) << "the command never wrote its marker";
    EXPECT_EQ(LiveMembersOf(static_cast<pid_t>(std::stol(ReadFile(marker)))), 0)
        << "a process of the command is left";
    EXPECT_THROW(shell->Result(), ShellNotRunningException);
    EXPECT_EQ(shell->ErrorCode(), 0);
}

// The shell has exited, but a process it started left its group (setsid) and keeps standard output open.
// Stopped then, the run ends after the grace and the bounded drain, not when that process lets go; and the
// shell is still unreaped (a zombie) when the stop begins, so its pid keeps the group id the signals go to.
TEST_F(ShellTest, StopAfterTheShellExitedSignalsWhileTheShellIsUnreaped) {
    const std::string shellPid = Path("shell"), holderPid = Path("holder");
    pid_t shellId = 0, holderId = 0;
    char shellStateAtStop = 0;
    int pumps = 0, pumpsSinceShellEnded = 0;
    detail::SetShellWaitHook({{},
                              [&] {
                                  if (++pumps > 3000) return false;
                                  if (!shellId || !holderId) {
                                      if (ReadFile(shellPid).empty() || ReadFile(holderPid).empty())
                                          return true;
                                      shellId = static_cast<pid_t>(std::stol(ReadFile(shellPid)));
                                      holderId = static_cast<pid_t>(std::stol(ReadFile(holderPid)));
                                  }
                                  // Stop a few rounds of the wait after the shell was first seen ended.
                                  const ProcState shell = StateOf(shellId);
                                  const bool shellEnded = shell.state == 'Z' || shell.state == 0;
                                  if (!shellEnded || StateOf(holderId).group != holderId) return true;
                                  if (++pumpsSinceShellEnded < 3) return true;
                                  shellStateAtStop = shell.state;
                                  return false;
                              },
                              {}});
    const Ref<Shell> shell = NewShell();
    const auto started = std::chrono::steady_clock::now();
    shell->Execute("setsid sleep 100 & echo $! > " + ShellQuote(holderPid) + "; echo $$ > " +
                   ShellQuote(shellPid));
    const auto took = std::chrono::steady_clock::now() - started;
    if (holderId > 0) ::kill(holderId, SIGKILL);
    ASSERT_GT(holderId, 0) << "the command never wrote its markers";
    EXPECT_EQ(shellStateAtStop, 'Z') << "the shell was reaped before the stop";
    EXPECT_EQ(StateOf(shellId).state, 0) << "the shell was not reaped after the stop";
    EXPECT_LT(took, std::chrono::seconds(20)) << "the run waited for the process that kept the pipe";
}

TEST_F(ShellTest, ExceptionFromThePumpEndsTheRunAndLeavesNoProcessBehind) {
    int ends = 0;
    const std::string marker = Path("marker");
    detail::SetShellWaitHook({{},
                              [&] {
                                  if (ReadFile(marker).empty()) return true;
                                  throw RuntimeException("pump failed");
                              },
                              [&] { ++ends; }});
    const Ref<Shell> shell = NewShell();
    EXPECT_THROW(shell->Execute("sleep 100 & echo $$ > " + ShellQuote(marker) + "; wait"), RuntimeException);
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(detail::ShellWaiting());
    EXPECT_EQ(LiveMembersOf(static_cast<pid_t>(std::stol(ReadFile(marker)))), 0);
}

TEST_F(ShellTest, RunOffTheMainThreadBlocksWithoutTheHook) {
    int pumps = 0;
    detail::SetShellWaitHook({{}, [&] { return ++pumps > 0; }, {}});
    std::int32_t status = -1;
    std::string result;
    std::thread worker([&] {
        const Ref<Shell> shell = NewShell();
        shell->Execute("sleep 0.05; echo off-main");
        status = shell->ErrorCode();
        result = shell->Result();
    });
    worker.join();
    EXPECT_EQ(status, 0);
    EXPECT_EQ(result, "off-main\n");
    EXPECT_EQ(pumps, 0);
}

TEST_F(ShellTest, NoFreeDescriptorRaisesShellNotAvailableException) {
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizers' own checks open pipes; with no descriptor left they report sound memory as bad.
    GTEST_SKIP() << "needs free descriptors under the sanitizers";
#endif
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    // Every descriptor below the lowest free one is taken; a limit there leaves no room for the pipes.
    const int lowestFree = ::dup(0);
    ASSERT_GE(lowestFree, 0);
    ::close(lowestFree);
    rlimit tight = saved;
    tight.rlim_cur = static_cast<rlim_t>(lowestFree);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);
    const Ref<Shell> shell = NewShell();
    bool raised = false;
    try {
        shell->Execute("true");
    } catch (const ShellNotAvailableException&) {
        raised = true;
    }
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &saved), 0);
    EXPECT_TRUE(raised);
    EXPECT_FALSE(detail::ShellWaiting());
    shell->Execute("echo again");
    EXPECT_EQ(shell->Result(), "again\n");
}

// ---------------------------------------------------------------------------------------------------------------
// The plug-in's entry points
// ---------------------------------------------------------------------------------------------------------------

TEST(ShellPluginTest, EntryPointsRunACommand) {
    detail::RegisterShellPlugin();
    PluginEntry<shell_entry::InitFn> init;
    PluginEntry<shell_entry::ExitFn> exit;
    PluginEntry<shell_entry::ExecuteFn> execute;
    PluginEntry<shell_entry::ResultGetFn> resultGet;
    init.Resolve("Shell.__init");
    exit.Resolve("Shell.__exit");
    execute.Resolve("Shell.Execute(command as String)");
    resultGet.Resolve("Shell.Result.Get");
    ASSERT_TRUE(init.Found() && exit.Found() && execute.Found() && resultGet.Found());

    const Ref<Shell> shell = RuntimeCheckCast<Shell>(init());
    ASSERT_NE(shell, nullptr);
    EXPECT_EQ(shell->Class().name, "Shell");
    execute(*shell, "printf '%s' hello; exit 4");
    EXPECT_EQ(shell->ErrorCode(), 4);
    EXPECT_EQ(resultGet(*shell), "hello");
    exit(*shell);
    EXPECT_THROW(resultGet(*shell), ShellNotRunningException) << "released: the result is gone";
}

TEST(ShellPluginTest, UnknownSignatureIsNotFound) {
    EXPECT_EQ(RuntimeLookupPluginEntrypoint("Shell.NoSuchOperation"), nullptr);
    EXPECT_EQ(RuntimeLookupPluginEntrypoint(""), nullptr);
}

TEST(ShellPluginTest, CallThroughAMissingEntryRaisesShellNotAvailableException) {
    PluginEntry<shell_entry::ExecuteFn> missing;
    missing.Resolve("Shell.Execute(command as Integer)");
    EXPECT_FALSE(missing.Found());
    Shell shell;
    EXPECT_THROW(missing(shell, "true"), ShellNotAvailableException);
    PluginEntry<shell_entry::InitFn> neverResolved;
    EXPECT_THROW(neverResolved(), ShellNotAvailableException);
}

TEST(ShellPluginTest, PublishedEntryReplacesAnEarlierOne) {
    static int which = 0;
    PublishPluginEntrypoint(
        "Test.Entry", +[] { which = 1; });
    PublishPluginEntrypoint(
        "Test.Entry", +[] { which = 2; });
    PluginEntry<void()> entry;
    entry.Resolve("Test.Entry");
    entry();
    EXPECT_EQ(which, 2);
}

}  // namespace
}  // namespace platform
