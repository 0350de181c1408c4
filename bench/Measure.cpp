// The benchmarks' measuring tools (Measure.h): the bare tool run, test files, child runs, medians.
#include "bench/Measure.h"

#include <fcntl.h>
#include <ftw.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace corvantil::bench {

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

// Spawns `argv` with its standard output on a pipe, reads the pipe to its end and reaps the child.
ChildRun Spawn(const std::vector<std::string>& argv, char** envp) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) Fail("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    ChildRun run;
    run.startedNs = NowNs();
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        errno = spawned;
        Fail("cannot start " + argv[0]);
    }
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(out[0], buffer, sizeof buffer);
        if (got > 0) {
            run.output.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    ::close(out[0]);
    int status = 0;
    struct rusage usage {};
    while (::wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR) Fail("wait4");
    }
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.peakKiB = usage.ru_maxrss;
    return run;
}

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); }

}  // namespace

int BareDigest(const std::string& path) {
    return Spawn({"/bin/sh", "-c", "shasum -a 256 '" + path + "'"}, environ).status;
}

void WriteFile(const std::string& path, std::uint64_t bytes) {
    static const std::string block = [] {
        std::string b(1 << 20, '\0');
        std::uint64_t x = 0x9E3779B97F4A7C15ull;
        for (char& c : b) {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            c = static_cast<char>(x >> 24);
        }
        return b;
    }();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) Fail("cannot create " + path);
    std::uint64_t left = bytes;
    while (left > 0) {
        const std::size_t chunk = static_cast<std::size_t>(std::min<std::uint64_t>(left, block.size()));
        const ssize_t put = ::write(fd, block.data(), chunk);
        if (put < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            Fail("cannot write " + path);
        }
        left -= static_cast<std::uint64_t>(put);
    }
    ::close(fd);
}

TempFolder::TempFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/corvantil-bench-XXXXXX";
    if (!::mkdtemp(pattern.data())) Fail("mkdtemp");
    path_ = pattern;
}

TempFolder::~TempFolder() { ::nftw(path_.c_str(), &RemoveEntry, 16, FTW_DEPTH | FTW_PHYS); }

ChildRun RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
    std::vector<std::string> owned(env);
    for (char** e = environ; *e; ++e) owned.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : owned) envp.push_back(e.data());
    envp.push_back(nullptr);
    return Spawn(argv, envp.data());
}

std::int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

double Millis(std::chrono::nanoseconds d) { return std::chrono::duration<double, std::milli>(d).count(); }

}  // namespace corvantil::bench
