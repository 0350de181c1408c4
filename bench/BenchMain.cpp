// The benchmarks of the program, measured side by side in one run and printed as one table:
//   comparison cost   two files dropped on the real main window until the verdict shows, against two bare
//                     runs of `sh -c 'shasum -a 256 FILE'` on the same files (1 KiB, 64 MiB, 1 GiB)
//   second drop       a drop after a verdict costs one run of the tool, not two
//   responsiveness    the longest time the progress wheel goes unpainted while a 1 GiB file is digested
//   start-up, memory  process start to the main window shown; peak resident memory of a run comparing two
//                     1 GiB files
// Start-up and memory are measured on child runs of this executable going through the program's real
// start-up chain (`--startup`, `--compare A B`); `--program PATH` adds the real executable's own peak
// memory after its start-up. `--quick` repeats each measurement once or a few times only, to check the
// benchmarks themselves.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "bench/Driver.h"
#include "bench/Measure.h"

extern char** environ;

namespace corvantil::bench {
namespace {

std::string SelfPath() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

std::string Field(const std::string& output, const std::string& key) {
    const auto at = output.find(key + "=");
    if (at == std::string::npos) return {};
    const auto begin = at + key.size() + 1;
    return output.substr(begin, output.find('\n', begin) - begin);
}

// ---- Child runs -----------------------------------------------------------------------------------------

// Watches for the main window's first showing and first paint.
class ShowWatch : public QObject {
public:
    std::int64_t shownNs = 0;
    std::int64_t paintedNs = 0;
    QWidget* window = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && (event->type() == QEvent::Show || event->type() == QEvent::Paint)) {
            QWidget* top = widget->window();
            if (top->windowTitle() == QStringLiteral("Corvantil")) {
                if (event->type() == QEvent::Show && widget == top && !shownNs) {
                    shownNs = NowNs();
                    window = top;
                }
                if (event->type() == QEvent::Paint && shownNs && !paintedNs) {
                    paintedNs = NowNs();
                    // Done: close the window as its user would, which ends the run.
                    QTimer::singleShot(0, top, [top] { top->close(); });
                }
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

int StartupChild() {
    corvantil::ConfigureRuntime();
    platform::RuntimeInit();
    ShowWatch watch;
    qApp->installEventFilter(&watch);
    const int code = corvantil::Run();
    std::printf("shown_ns=%lld\npainted_ns=%lld\nexit=%d\n", static_cast<long long>(watch.shownNs),
                static_cast<long long>(watch.paintedNs), code);
    return code;
}

int CompareChild(const std::string& a, const std::string& b) {
    corvantil::ConfigureRuntime();
    platform::RuntimeInit();
    std::string verdict;
    QTimer::singleShot(0, [&] {
        auto window = corvantil::MainWIndow::Instance();
        DropPath(*window, 1, a);
        DropPath(*window, 2, b);
        verdict = ResultText(*window);
        TopLevel(*window)->close();
    });
    const int code = corvantil::Run();
    struct rusage self {};
    ::getrusage(RUSAGE_SELF, &self);
    std::printf("verdict=%s\nself_peak_kib=%ld\nexit=%d\n", verdict.c_str(), self.ru_maxrss, code);
    return code;
}

// Passes what the real executable wrote to its standard error (on `fd`, read to its end) on to ours, but for
// the offscreen platform's notices.
void ForwardStandardError(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) != 0;) {
        if (got > 0)
            text.append(buffer, static_cast<std::size_t>(got));
        else if (errno != EINTR)
            break;
    }
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (!IsOffscreenNotice(line)) std::fprintf(stderr, "%s\n", line.c_str());
}

// The real executable's peak resident memory once its start-up has settled (no change for 1 s, at most
// 10 s); then it is stopped. Returns 0 when it could not be measured.
long ProgramIdlePeakKiB(const std::string& program) {
    std::vector<std::string> env{"QT_QPA_PLATFORM=offscreen"};
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    int err[2];
    if (::pipe2(err, O_CLOEXEC) != 0) return 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(err[1]);
    if (spawned != 0) {
        ::close(err[0]);
        return 0;
    }
    auto peak = [pid] {
        std::ifstream status("/proc/" + std::to_string(pid) + "/status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
        return 0L;
    };
    long last = -1;
    int stable = 0;
    for (int i = 0; i < 100 && stable < 10; ++i) {
        ::usleep(100000);
        const long now = peak();
        stable = (now == last && now > 0) ? stable + 1 : 0;
        last = now;
    }
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    ForwardStandardError(err[0]);
    ::close(err[0]);
    return last > 0 ? last : 0;
}

// ---- The table ------------------------------------------------------------------------------------------

struct Row {
    std::string measure;
    std::string value;
    std::string goal;
    std::string verdict;
};

std::string Format(const char* format, double a, double b = 0, double c = 0) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}

void PrintTable(const std::vector<Row>& rows) {
    std::size_t w[3] = {7, 5, 4};
    for (const Row& r : rows) {
        w[0] = std::max(w[0], r.measure.size());
        w[1] = std::max(w[1], r.value.size());
        w[2] = std::max(w[2], r.goal.size());
    }
    auto line = [&](const std::string& a, const std::string& b, const std::string& c, const std::string& d) {
        std::printf("| %-*s | %-*s | %-*s | %s\n", static_cast<int>(w[0]), a.c_str(), static_cast<int>(w[1]),
                    b.c_str(), static_cast<int>(w[2]), c.c_str(), d.c_str());
    };
    line("measure", "value", "goal", "met");
    line(std::string(w[0], '-'), std::string(w[1], '-'), std::string(w[2], '-'), "---");
    for (const Row& r : rows) line(r.measure, r.value, r.goal, r.verdict);
}

struct Size {
    const char* name;
    std::uint64_t bytes;
    int repetitions;
};

// Every measurement on the main window `window`, its files in `temp`; fills `rows`. Returns whether every
// comparison showed the "identical" verdict.
bool Measure(const MainWIndow& window, const TempFolder& temp, const std::string& program, bool quick,
             std::vector<Row>& rows) {
    const std::string folder = temp.Path() + "/folder";
    ::mkdir(folder.c_str(), 0755);
    PaintWatch paints(WheelWidget(window));
    bool allIdentical = true;

    auto settle = [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 50); };
    // Both sides not computed, side 2 holding no file: a refused folder on area 2 (not measured).
    auto reset = [&] {
        DropPath(window, 2, folder);
        settle();
    };
    auto comparison = [&](const std::string& a, const std::string& b) {
        reset();
        const auto start = Clock::now();
        DropPath(window, 1, a);
        DropPath(window, 2, b);
        const auto took = Clock::now() - start;
        allIdentical = allIdentical && ResultText(window) == kIdentical;
        settle();
        return Millis(took);
    };
    auto secondDrop = [&](const std::string& b) {
        const auto start = Clock::now();
        DropPath(window, 2, b);
        const auto took = Clock::now() - start;
        allIdentical = allIdentical && ResultText(window) == kIdentical;
        settle();
        return Millis(took);
    };
    auto bare = [](const std::string& a, const std::string& b) {
        const auto start = Clock::now();
        const int s1 = BareDigest(a);
        const int s2 = BareDigest(b);
        const auto took = Clock::now() - start;
        if (s1 != 0 || s2 != 0) std::fprintf(stderr, "bare run failed: %d %d\n", s1, s2);
        return Millis(took);
    };

    const std::vector<Size> sizes =
        quick ? std::vector<Size>{{"1 KiB", 1024, 3}, {"64 MiB", 64ull << 20, 1}, {"1 GiB", 1ull << 30, 1}}
              : std::vector<Size>{{"1 KiB", 1024, 31}, {"64 MiB", 64ull << 20, 7}, {"1 GiB", 1ull << 30, 5}};
    std::string memoryOutput;
    long memoryWait4 = 0;
    double longestGapMs = 0;
    std::uint64_t paintsIn1GiB = 0;
    for (const Size& size : sizes) {
        const std::string a = temp.Path() + "/a-" + std::to_string(size.bytes);
        const std::string b = temp.Path() + "/b-" + std::to_string(size.bytes);
        WriteFile(a, size.bytes);
        WriteFile(b, size.bytes);
        std::fprintf(stderr, "measuring %s ...\n", size.name);
        // Warm-up: the files in the page cache, the tool's own files too.
        bare(a, b);
        comparison(a, b);

        std::vector<double> bareMs, programMs, secondMs;
        for (int r = 0; r < size.repetitions; ++r) {
            // Alternate which goes first, so a drift of the machine favours neither.
            if (r % 2 == 0) bareMs.push_back(bare(a, b));
            paints.Reset();
            programMs.push_back(comparison(a, b));
            if (size.bytes == (1ull << 30)) {
                longestGapMs = std::max(longestGapMs, Millis(paints.LongestGap()));
                paintsIn1GiB += paints.Paints();
            }
            secondMs.push_back(secondDrop(b));
            if (r % 2 == 1) bareMs.push_back(bare(a, b));
        }
        const double bm = Median(bareMs), pm = Median(programMs), sm = Median(secondMs);
        const double ratio = pm / bm;
        std::string goal, met;
        if (size.bytes == 1024) {
            goal = "<= +3 ms";
            met = pm - bm <= 3.0 ? "yes" : "NO";
        } else if (size.bytes == (1ull << 30)) {
            goal = "ratio <= 1.02";
            met = ratio <= 1.02 ? "yes" : "NO";
        }
        rows.push_back({std::string("comparison, 2 x ") + size.name + " (program / bare)",
                        Format("%.1f / %.1f ms, %+.1f ms", pm, bm, pm - bm) + Format(", ratio %.3f", ratio),
                        goal, met});
        const double secondRatio = sm / pm;
        rows.push_back({std::string("second drop, ") + size.name + " (second / first)",
                        Format("%.1f / %.1f ms", sm, pm) + Format(", ratio %.3f", secondRatio), "~0.5",
                        secondRatio <= 0.6 ? "yes" : "NO"});

        if (size.bytes == (1ull << 30)) {
            rows.push_back({"longest wheel paint gap, 1 GiB digest",
                            Format("%.1f ms", longestGapMs) +
                                Format(" (%.0f paints)", static_cast<double>(paintsIn1GiB)),
                            "<= 50 ms", longestGapMs <= 50 ? "yes" : "NO"});
            const ChildRun child = RunChild({SelfPath(), "--compare", a, b}, {"QT_QPA_PLATFORM=offscreen"});
            memoryOutput = child.output;
            memoryWait4 = child.peakKiB;
            if (Field(child.output, "verdict") != kIdentical) allIdentical = false;
        }
        ::unlink(a.c_str());
        ::unlink(b.c_str());
    }

    std::fprintf(stderr, "measuring start-up ...\n");
    std::vector<double> shownMs, paintedMs;
    for (int i = 0; i < 11; ++i) {
        const ChildRun child = RunChild({SelfPath(), "--startup"}, {"QT_QPA_PLATFORM=offscreen"});
        const long long shown = std::atoll(Field(child.output, "shown_ns").c_str());
        const long long painted = std::atoll(Field(child.output, "painted_ns").c_str());
        if (child.status != 0 || shown == 0) {
            std::fprintf(stderr, "start-up child failed (%d): %s\n", child.status, child.output.c_str());
            continue;
        }
        shownMs.push_back(static_cast<double>(shown - child.startedNs) / 1e6);
        paintedMs.push_back(static_cast<double>(painted - child.startedNs) / 1e6);
    }
    const double startup = Median(shownMs);
    rows.push_back(
        {"start-up to main window shown (median of 11)",
         Format("%.1f ms", startup) +
             Format(" (max %.1f)", shownMs.empty() ? 0 : *std::max_element(shownMs.begin(), shownMs.end())),
         "<= 150 ms", startup <= 150 ? "yes" : "NO"});
    rows.push_back(
        {"start-up to its first paint (median of 11)", Format("%.1f ms", Median(paintedMs)), "", ""});

    const double selfPeakMiB = std::atof(Field(memoryOutput, "self_peak_kib").c_str()) / 1024.0;
    rows.push_back(
        {"peak memory, run comparing 2 x 1 GiB",
         Format("%.1f MiB", selfPeakMiB) + Format(" (wait4, tool included: %.1f MiB)", memoryWait4 / 1024.0),
         "<= 40 MiB", selfPeakMiB > 0 && selfPeakMiB <= 40 ? "yes" : "NO"});
    if (!program.empty()) {
        rows.push_back({"peak memory, real executable after start-up",
                        Format("%.1f MiB", ProgramIdlePeakKiB(program) / 1024.0), "", ""});
    }

    return allIdentical;
}

int Bench(const std::string& program, bool quick) {
    PrepareFramework();
    auto window = corvantil::MainWIndow::Instance();
    std::vector<Row> rows;
    bool allIdentical = false;
    {
        TempFolder temp;
        allIdentical = Measure(*window, temp, program, quick, rows);
    }
    PrintTable(rows);
    if (!allIdentical) std::printf("WARNING: a comparison did not show \"%s\"\n", kIdentical);
    std::fflush(stdout);

    // Shutdown as a run of the program does it: closing the main window, then what early start-up made.
    window->Close();
    window.reset();
    corvantil::finalize();
    platform::RuntimeExit();
    return allIdentical ? 0 : 1;
}

}  // namespace
}  // namespace corvantil::bench

int main(int argc, char** argv) {
    using namespace corvantil::bench;
    QuietOffscreenNotices();
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (!args.empty() && args[0] == "--startup") return StartupChild();
        if (args.size() == 3 && args[0] == "--compare") return CompareChild(args[1], args[2]);
        std::string program;
        bool quick = false;
        for (std::size_t i = 0; i < args.size(); ++i) {
            if (args[i] == "--program" && i + 1 < args.size()) {
                program = args[++i];
            } else if (args[i] == "--quick") {
                quick = true;
            } else {
                std::fprintf(stderr, "usage: corvantil_bench [--program PATH] [--quick]\n");
                return 2;
            }
        }
        return Bench(program, quick);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench failed: %s\n", e.what());
        return 2;
    }
}
