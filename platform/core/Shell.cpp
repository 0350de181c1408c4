// The shell plug-in: a runner that starts `/bin/sh -c command` with posix_spawn in a process group of its
// own (standard input /dev/null, standard output and error on close-on-exec pipes), collects standard
// output, drains and drops standard error, and returns once both pipes are at end of file and the shell has
// been reaped, which happens only then or at the end of a stop. Between polls of the pipes it calls the
// installed wait hook, so the user interface keeps painting; when the hook asks to stop, the process group
// gets SIGTERM and, if it has not ended within 200 ms, SIGKILL. No child outlives Execute, whichever way it
// returns. A run whose exit status the runner did not see (the shell reaped elsewhere) fails.
#include "platform/Shell.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>

#include "platform/detail/Internal.h"
#include "platform/detail/PluginRegistration.h"
#include "platform/detail/ShellWaitHook.h"

extern char** environ;

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPumpInterval = std::chrono::milliseconds(10);
constexpr auto kTermGrace = std::chrono::milliseconds(200);
constexpr auto kStopDrain = std::chrono::seconds(1);  // a stopped command's last holders of the pipes
constexpr int kPollMs = 10;
constexpr int kFinishingPollMs = 1;  // both pipes closed: the shell is about to end
constexpr int kStopPollMs = 2;       // a stopped command's end is looked for this often
constexpr int kReadsPerRound = 16;   // so a fast writer cannot keep the pump from being called

std::mutex gHookMutex;
detail::ShellWaitHook gHook;
// Runs waiting on the main thread, from before the hook's begin to before its end: the one count of the
// waits under way, which the user-interface layer reads as its own (detail::ShellWaitDepth).
int gWaiting = 0;

std::string Errno(int error) { return std::strerror(error); }

// A file descriptor that closes itself.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { Close(); }
    int Get() const { return fd_; }
    void Reset(int fd) {
        Close();
        fd_ = fd;
    }
    bool Open() const { return fd_ >= 0; }
    void Close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

void MakePipe(Fd& readEnd, Fd& writeEnd) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw ShellNotAvailableException("cannot make a pipe: " + Errno(errno));
    readEnd.Reset(fds[0]);
    writeEnd.Reset(fds[1]);
}

// The spawned shell. It is reaped only once the run is done with it (both pipes at end of file, or a stop
// over), so that while a signal may still go to its process group the unreaped shell's pid holds the group
// id and no one else can be given it. Whatever way the run ends, the destructor leaves no process of its
// group behind unreaped: a shell not reaped yet gets SIGKILL with its group and is waited for.
class Child {
public:
    explicit Child(pid_t pid) : pid_(pid) {}
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child() {
        if (!reaped_) {
            Signal(SIGKILL);
            Reap(0);
        }
    }

    bool Reaped() const { return reaped_; }
    // The shell was reaped by someone else (the kernel, when SIGCHLD is ignored): its status is unknown.
    bool StatusLost() const { return lost_; }
    int Status() const { return status_; }

    // Reaps the shell if it has ended (WNOHANG) or once it ends (0).
    void Reap(int options) {
        if (reaped_) return;
        for (;;) {
            int status = 0;
            const pid_t r = ::waitpid(pid_, &status, options);
            if (r == pid_) {
                reaped_ = true;
                status_ = status;
                return;
            }
            if (r == 0) return;
            if (errno == EINTR) continue;
            Lost();
            return;
        }
    }

    // Whether the shell has ended, without reaping it.
    bool Ended() {
        siginfo_t info{};
        return !Probe(&info) || info.si_pid != 0;
    }

    // Sends `signal` to the shell's process group while the shell is unreaped (running or ended), to none
    // once it is gone.
    void Signal(int signal) {
        siginfo_t info{};
        if (Probe(&info)) ::kill(-pid_, signal);
    }

private:
    // Looks at the shell without reaping it; false when it is reaped already.
    bool Probe(siginfo_t* info) {
        if (reaped_) return false;
        while (::waitid(P_PID, static_cast<id_t>(pid_), info, WEXITED | WNOHANG | WNOWAIT) != 0) {
            if (errno != EINTR) {
                Lost();
                return false;
            }
        }
        return true;
    }
    void Lost() {
        reaped_ = true;
        lost_ = true;
        status_ = 0;
    }

    pid_t pid_;
    bool reaped_ = false;
    bool lost_ = false;
    int status_ = 0;
};

// Waits up to `timeoutMs` (-1: without limit) until either open pipe has data or is at end of file; with
// neither open it simply waits. False when poll failed.
bool PollPipes(const Fd& out, const Fd& err, int timeoutMs) {
    pollfd fds[2];
    nfds_t count = 0;
    if (out.Open()) fds[count++] = pollfd{out.Get(), POLLIN, 0};
    if (err.Open()) fds[count++] = pollfd{err.Get(), POLLIN, 0};
    return ::poll(fds, count, timeoutMs) >= 0 || errno == EINTR;
}

// Reads what `fd` holds now into `sink` (nullptr: dropped); closes it at end of file.
void Drain(Fd& fd, std::string* sink) {
    char buffer[64 * 1024];
    for (int round = 0; round < kReadsPerRound && fd.Open(); ++round) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n > 0) {
            if (sink) sink->append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0) {
            fd.Close();
        } else if (errno == EINTR) {
            continue;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return;
        } else {
            fd.Close();
        }
    }
}

// After a stop: waits until whatever the shell started (the tool is the shell's child, not the shell) has
// let go of the pipes, which it does only when it ends, so no part of a stopped command outlives the run.
// Bounded, for a process that left the group and kept the pipes.
void DrainUntilClosed(Fd& out, Fd& err) {
    const auto deadline = Clock::now() + kStopDrain;
    while ((out.Open() || err.Open()) && Clock::now() < deadline) {
        if (!PollPipes(out, err, kPollMs)) return;
        Drain(out, nullptr);
        Drain(err, nullptr);
    }
}

// Stops the command: SIGTERM to its process group; SIGKILL to whatever is left of it once the command has
// ended (the shell ended and the pipes at end of file) or the grace time is over; then the shell is reaped
// and the pipes' last holders are waited for. The shell stays unreaped until the last signal has gone.
void StopCommand(Child& child, Fd& out, Fd& err) {
    child.Signal(SIGTERM);
    const auto deadline = Clock::now() + kTermGrace;
    while (Clock::now() < deadline && !(child.Ended() && !out.Open() && !err.Open())) {
        if (!PollPipes(out, err, kStopPollMs)) break;
        Drain(out, nullptr);
        Drain(err, nullptr);
    }
    child.Signal(SIGKILL);
    child.Reap(0);
    DrainUntilClosed(out, err);
}

// Stops the command when the wait is left by an exception (a hook that threw, a failed poll), as a stop
// request does, so that no part of the command outlives the run that way either.
class StopUnlessWaitEnded {
public:
    StopUnlessWaitEnded(Child& child, Fd& out, Fd& err) : child_(child), out_(out), err_(err) {}
    StopUnlessWaitEnded(const StopUnlessWaitEnded&) = delete;
    StopUnlessWaitEnded& operator=(const StopUnlessWaitEnded&) = delete;
    ~StopUnlessWaitEnded() {
        if (!ended_) StopCommand(child_, out_, err_);
    }
    void WaitEnded() { ended_ = true; }

private:
    Child& child_;
    Fd& out_;
    Fd& err_;
    bool ended_ = false;
};

std::int32_t ExitStatus(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return status;
}

// Marks a run on the main thread as waiting and surrounds it with the hook's begin and end; a run off the
// main thread has no hook and is not counted.
class WaitScope {
public:
    WaitScope(const detail::ShellWaitHook& hook, bool counted) : hook_(hook), counted_(counted) {
        Count(+1);
        try {
            if (hook_.begin) hook_.begin();
        } catch (...) {
            Count(-1);
            throw;
        }
    }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;
    // The normal way out: end()'s own exceptions pass on.
    void End() {
        ended_ = true;
        Count(-1);
        if (hook_.end) hook_.end();
    }
    // Any other way out: an exception is already on its way, so end() may add none.
    ~WaitScope() {
        if (ended_) return;
        Count(-1);
        try {
            if (hook_.end) hook_.end();
        } catch (...) {
        }
    }

private:
    void Count(int step) const {
        if (counted_) gWaiting += step;
    }

    const detail::ShellWaitHook& hook_;
    const bool counted_;
    bool ended_ = false;
};

class SpawnSetup {
public:
    SpawnSetup() {
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawnattr_init(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
    ~SpawnSetup() {
        ::posix_spawn_file_actions_destroy(&actions);
        ::posix_spawnattr_destroy(&attributes);
    }
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
};

pid_t SpawnShell(const std::string& command, int outFd, int errFd) {
    SpawnSetup setup;
    ::posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_adddup2(&setup.actions, outFd, STDOUT_FILENO);
    ::posix_spawn_file_actions_adddup2(&setup.actions, errFd, STDERR_FILENO);

    // Its own process group, so stopping it reaches everything it started; no signal blocked and every
    // signal at its default, whatever this process inherited or set, so that the command can be stopped as
    // from a terminal.
    sigset_t none;
    sigemptyset(&none);
    sigset_t defaults;
    sigfillset(&defaults);
    sigdelset(&defaults, SIGKILL);
    sigdelset(&defaults, SIGSTOP);
    ::posix_spawnattr_setflags(&setup.attributes,
                               POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    ::posix_spawnattr_setpgroup(&setup.attributes, 0);
    ::posix_spawnattr_setsigmask(&setup.attributes, &none);
    ::posix_spawnattr_setsigdefault(&setup.attributes, &defaults);

    char shell[] = "/bin/sh";
    char option[] = "-c";
    std::string line = command;
    char* argv[] = {shell, option, line.data(), nullptr};
    pid_t pid = -1;
    const int error = ::posix_spawn(&pid, shell, &setup.actions, &setup.attributes, argv, environ);
    if (error != 0) throw ShellNotAvailableException("cannot start /bin/sh: " + Errno(error));
    return pid;
}

detail::ShellWaitHook CurrentHook() {
    const std::lock_guard lock(gHookMutex);
    return gHook;
}

// ---------------------------------------------------------------------------------------------------------------
// The plug-in's entry points
// ---------------------------------------------------------------------------------------------------------------

Ref<Object> ShellInit() {
    auto shell = std::make_shared<Shell>();
    shell->SetClass(Shell::Lookup());
    return shell;
}

void ShellExit(Shell& shell) { shell.Close(); }

void ShellExecute(Shell& shell, const std::string& command) { shell.Execute(command); }

std::string ShellResultGet(const Shell& shell) { return shell.Result(); }

}  // namespace

// ---------------------------------------------------------------------------------------------------------------
// Shell
// ---------------------------------------------------------------------------------------------------------------

const ClassDescription& Shell::Lookup() {
    static const ClassDescription description{"Shell",
                                              &Object::Lookup(),
                                              [] {
                                                  PluginEntry<shell_entry::InitFn> init;
                                                  init.Resolve(shell_entry::kInit);
                                                  return init();
                                              },
                                              {},
                                              {}};
    return description;
}

// Execute holds the runner while its command runs and reaps the command on every way out, so a runner that
// is destroyed has no command left; Close drops what remains.
Shell::~Shell() { Close(); }

void Shell::Close() {
    if (running_) {
        stopRequested_ = true;
        releasedWhileRunning_ = true;
    }
    output_.clear();
    ran_ = false;
}

std::string Shell::Result() const {
    if (!ran_) throw ShellNotRunningException("the shell runner has run no command");
    return output_;
}

void Shell::Execute(const std::string& command) {
    if (running_) throw ShellNotRunningException("the shell runner is already running a command");
    if (command.find('\0') != std::string::npos) throw RuntimeException("the command line holds a NUL byte");
    // A runner released from inside its own wait stays alive until the wait is over.
    const Ref<Object> keepAlive = weak_from_this().lock();
    output_.clear();
    ran_ = false;
    errorCode_ = 0;
    stopRequested_ = false;
    releasedWhileRunning_ = false;

    const bool mainThread = IsMainThread();
    const detail::ShellWaitHook hook = mainThread ? CurrentHook() : detail::ShellWaitHook{};
    const bool pumping = static_cast<bool>(hook.pump);
    WaitScope scope(hook, mainThread);

    Fd outRead, outWrite, errRead, errWrite;
    MakePipe(outRead, outWrite);
    MakePipe(errRead, errWrite);
    Child child(SpawnShell(command, outWrite.Get(), errWrite.Get()));
    running_ = true;
    struct Running {
        bool& flag;
        ~Running() { flag = false; }
    } running{running_};
    outWrite.Close();
    errWrite.Close();
    ::fcntl(outRead.Get(), F_SETFL, ::fcntl(outRead.Get(), F_GETFL) | O_NONBLOCK);
    ::fcntl(errRead.Get(), F_SETFL, ::fcntl(errRead.Get(), F_GETFL) | O_NONBLOCK);
    StopUnlessWaitEnded stopper(child, outRead, errRead);

    std::string output;
    auto lastPump = Clock::now();
    for (;;) {
        const bool pipesOpen = outRead.Open() || errRead.Open();
        // Once all of the command has let go of the pipes, the shell is reaped as soon as it ends; before
        // that it stays unreaped, in case the command has to be stopped.
        if (!pipesOpen) {
            child.Reap(pumping ? WNOHANG : 0);
            if (child.Reaped()) break;
        }
        if (stopRequested_) {
            StopCommand(child, outRead, errRead);
            break;
        }

        const int timeout = !pipesOpen ? kFinishingPollMs : (pumping ? kPollMs : -1);
        if (!PollPipes(outRead, errRead, timeout)) {
            throw ShellNotAvailableException("cannot wait for the command: " + Errno(errno));
        }
        Drain(outRead, &output);
        Drain(errRead, nullptr);

        if (pumping && Clock::now() - lastPump >= kPumpInterval) {
            lastPump = Clock::now();
            if (!hook.pump()) {
                StopCommand(child, outRead, errRead);
                break;
            }
        }
    }

    stopper.WaitEnded();
    if (child.StatusLost()) {
        throw ShellNotAvailableException(
            "the exit status of /bin/sh was lost: something else reaped it (is SIGCHLD ignored?)");
    }
    // A runner released from inside its own wait keeps nothing of the run.
    if (!releasedWhileRunning_) {
        errorCode_ = ExitStatus(child.Status());
        output_ = std::move(output);
        ran_ = true;
    }
    scope.End();
}

// ---------------------------------------------------------------------------------------------------------------
// Registration and the wait hook
// ---------------------------------------------------------------------------------------------------------------

void detail::RegisterShellPlugin() {
    PublishPluginEntrypoint(shell_entry::kInit, &ShellInit);
    PublishPluginEntrypoint(shell_entry::kExit, &ShellExit);
    PublishPluginEntrypoint(shell_entry::kExecute, &ShellExecute);
    PublishPluginEntrypoint(shell_entry::kResultGet, &ShellResultGet);
}

detail::ShellWaitHook detail::SetShellWaitHook(detail::ShellWaitHook hook) {
    const std::lock_guard lock(gHookMutex);
    std::swap(gHook, hook);
    return hook;
}

namespace detail {
int ShellWaitDepth() { return gWaiting; }
bool ShellWaiting() { return gWaiting > 0; }
}  // namespace detail

}  // namespace platform
