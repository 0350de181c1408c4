// What happens while the tool runs: a named pipe keeps it waiting for a writer, a large file keeps it
// reading. The window keeps painting, drops wait for the end of the comparison, and closing the window stops
// the tool and ends the run with exit code 0, leaving no process behind.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTimer>
#include <QWidget>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "app/Startup.h"
#include "platform/qt/QtAccess.h"
#include "tests/hostile/HostileFixture.h"

namespace corvantil::hostile {
namespace {

// Opens the pipe for writing (and closes it at once) if the test has not finished within the limit, so that
// a tool left waiting on it cannot hang the test.
class PipeWatchdog {
public:
    explicit PipeWatchdog(std::string pipe) : pipe_(std::move(pipe)), thread_([this] { Watch(); }) {}
    ~PipeWatchdog() {
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    bool Fired() const { return fired_; }

private:
    void Watch() {
        std::unique_lock lock(mutex_);
        if (wake_.wait_for(lock, std::chrono::seconds(30), [this] { return done_; })) return;
        fired_ = true;
        const int fd = ::open(pipe_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) ::close(fd);
    }

    std::string pipe_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::atomic<bool> fired_{false};
    std::thread thread_;
};

// A writer end of the pipe when a reader has it open right now; -1 otherwise.
int WriterIfRead(const std::string& pipe) { return ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC); }

bool NoChildLeft() {
    errno = 0;
    return ::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

std::string BigContent(std::size_t mebibytes) {
    std::string block(1 << 20, '\0');
    std::uint32_t x = 2463534242u;
    for (char& c : block) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x);
    }
    std::string content;
    content.reserve(mebibytes << 20);
    for (std::size_t i = 0; i < mebibytes; ++i) content += block;
    return content;
}

// The whole program, run through its start-up chain: once its loop runs, `first` and `second` are dropped on
// the two areas; while the tool runs, the window is closed after the wheel has been painted `paints` more
// times (or after the limit).
struct RunOutcome {
    std::int32_t exitCode = -1;
    std::uint64_t paintsWhileRunning = 0;
    std::string area1AfterRun;
    std::string resultAfterRun;
};

RunOutcome RunAndCloseDuringComparison(const std::string& first, const std::string& second,
                                       std::uint64_t paints) {
    RunOutcome outcome;
    platform::WeakRef<MainWIndow> weakWindow;
    std::uint64_t paintsAtStart = 0;
    bool running = false;
    int ticks = 0;

    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto window = weakWindow.lock();
        if (!window) return;
        auto wheel = window->ProgressWheel1();
        if (!running && wheel->Visible()) {
            running = true;
            paintsAtStart = platform::qt::PaintCount(*wheel);
        }
        ++ticks;
        if (running) outcome.paintsWhileRunning = platform::qt::PaintCount(*wheel) - paintsAtStart;
        if ((running && outcome.paintsWhileRunning >= paints) || ticks > 500) {
            watch.stop();
            TopLevel(*window)->close();
        }
    });
    QTimer::singleShot(0, [&] {
        auto window = corvantil::MainWIndow::Instance();
        weakWindow = window;
        watch.start();
        DropPath(*window, 1, first);
        DropPath(*window, 2, second);  // the comparison runs inside this drop
        outcome.area1AfterRun = AreaText(*window, 1);
        outcome.resultAfterRun = ResultText(*window);
    });
    outcome.exitCode = corvantil::Run();
    return outcome;
}

class WholeRun : public HostileTest {
protected:
    WholeRun() { makeWindow_ = false; }
};

TEST_F(WholeRun, NamedPipeKeepsWindowPaintingAndClosingEndsTheRun) {
    const std::string pipe = Path("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string file = MakeFile("file", "content\n");
    const PipeWatchdog watchdog(pipe);

    const RunOutcome outcome = RunAndCloseDuringComparison(pipe, file, 5);

    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_GE(outcome.paintsWhileRunning, 5u) << "the wheel was not painted while the tool waited";
    EXPECT_NE(outcome.area1AfterRun.find("File Error # "), std::string::npos)
        << "the waiting tool was not stopped: " << outcome.area1AfterRun;
    EXPECT_EQ(outcome.resultAfterRun, "");
    EXPECT_FALSE(watchdog.Fired()) << "only the watchdog's writer ended the tool's wait";
    EXPECT_EQ(WriterIfRead(pipe), -1) << "something still reads the pipe";
    EXPECT_TRUE(NoChildLeft());
}

TEST_F(WholeRun, ClosingWhileLargeFileIsDigestedEndsTheRun) {
    const std::string content = BigContent(256);
    const std::string big1 = MakeFile("big one", content);
    const std::string big2 = MakeFile("big two", content);

    const RunOutcome outcome = RunAndCloseDuringComparison(big1, big2, 1);

    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.resultAfterRun, "") << "the comparison went on after the close";
    EXPECT_TRUE(NoChildLeft());
}

using DuringComparison = HostileTest;

TEST_F(DuringComparison, DropWaitsForTheEndOfTheComparison) {
    const std::string pipe = Path("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const PipeWatchdog watchdog(pipe);
    const std::string piped = "what the pipe delivers\n";
    const std::string other = MakeFile("other", "something else\n");
    const std::string same = MakeFile("same", piped);

    ASSERT_TRUE(Drop(1, pipe));

    // Once the tool reads the pipe, a file is dropped on area 2; then the pipe is fed and closed.
    bool droppedDuringRun = false;
    std::string area2BeforeDrop, area2AfterDrop, path2AfterDrop;
    QTimer feed;
    feed.setInterval(10);
    QObject::connect(&feed, &QTimer::timeout, [&] {
        const int writer = WriterIfRead(pipe);
        if (writer < 0) return;
        feed.stop();
        area2BeforeDrop = AreaText(*window, 2);
        droppedDuringRun = DropPath(*window, 2, same);
        area2AfterDrop = AreaText(*window, 2);
        path2AfterDrop = window->path2;
        EXPECT_EQ(::write(writer, piped.data(), piped.size()), static_cast<ssize_t>(piped.size()));
        ::close(writer);
    });
    feed.start();
    ASSERT_TRUE(Drop(2, other));  // the comparison runs inside this drop

    EXPECT_TRUE(droppedDuringRun) << "the drop during the run was refused";
    EXPECT_EQ(area2AfterDrop, area2BeforeDrop) << "the drop was delivered inside the comparison";
    EXPECT_EQ(path2AfterDrop, window->path2);
    EXPECT_EQ(ResultText(*window), kDifferent) << "the first comparison used the later drop";
    EXPECT_EQ(AreaText(*window, 2), other);

    // Back in the event loop the kept drop arrives and starts its own comparison.
    EXPECT_TRUE(WaitFor([&] { return AreaText(*window, 2) == same && ResultText(*window) == kIdentical; }))
        << "area 2: " << AreaText(*window, 2) << "; result: " << ResultText(*window);
    EXPECT_EQ(window->checkSum1, Sha256Hex(piped));
    EXPECT_FALSE(watchdog.Fired());
}

}  // namespace
}  // namespace corvantil::hostile
