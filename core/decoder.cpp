// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "decoder.h"

#include "fs.h"
#include "unique_fd.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <chrono>
#include <utility>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr std::string_view kDecoderName = "lame";

// lame takes every argument that starts with "-" as an option and knows no "--".
std::string NotAnOption(const std::string& path) {
    return !path.empty() && path.front() == '-' ? "./" + path : path;
}

bool CanExecute(const std::string& path) {
    return IsRegularFile(path) && ::access(path.c_str(), X_OK) == 0;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\f' || c == '\v';
}

// lame ends its progress lines with carriage returns, its messages with line feeds.
std::string LastNonEmptyLine(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0) {
        std::size_t start = text.find_last_of("\r\n", end - 1);
        start = start == std::string_view::npos ? 0 : start + 1;
        std::string_view line = text.substr(start, end - start);
        while (!line.empty() && IsBlank(line.front()))
            line.remove_prefix(1);
        while (!line.empty() && IsBlank(line.back()))
            line.remove_suffix(1);
        if (!line.empty())
            return std::string(line);
        end = start == 0 ? 0 : start - 1;
    }
    return {};
}

} // namespace

std::string FindOnPath(std::string_view name, std::string_view pathVariable) {
    // An empty or relative entry would mean whatever folder we were started
    // in (often the user's music): only absolute folders are searched.
    for (std::size_t start = 0; start <= pathVariable.size();) {
        std::size_t end = pathVariable.find(':', start);
        if (end == std::string_view::npos)
            end = pathVariable.size();
        std::string_view folder = pathVariable.substr(start, end - start);
        if (!folder.empty() && folder.front() == '/') {
            std::string candidate = JoinPath(folder, name);
            if (CanExecute(candidate))
                return candidate;
        }
        start = end + 1;
    }
    return {};
}

std::string FindDecoder(const std::string& executableFolder, std::string_view pathVariable) {
    std::string beside = JoinPath(executableFolder, kDecoderName);
    if (DecoderPresent(beside))
        return beside;
    std::string onPath = FindOnPath(kDecoderName, pathVariable);
    return onPath.empty() ? beside : onPath;
}

std::string DecoderPath() {
    // Without PATH, the system's default search path, as execvp would use.
    const char* path = std::getenv("PATH");
    return FindDecoder(ExecutableFolder(), path ? path : "/bin:/usr/bin");
}

bool DecoderPresent(const std::string& decoderPath) {
    // A lame that can't be run must not stand in for one on PATH: every item
    // would fail to start.
    return CanExecute(decoderPath);
}

DecoderCommand BuildDecoderCommand(const std::string& decoderPath, DecoderOption option,
                                   const std::string& source, const std::string& output) {
    DecoderCommand command;
    command.arguments = {decoderPath, "--decode"};
    if (option == DecoderOption::DecodeMp2Input)
        command.arguments.push_back("--mp2input");
    command.arguments.push_back(NotAnOption(source));
    command.arguments.push_back(NotAnOption(output));
    return command;
}

RunOutcome RunAndWait(const std::vector<std::string>& arguments,
                      const std::function<void()>& dispatchEvents) {
    return RunAndWait(arguments, dispatchEvents, WaitMethod::ProcessDescriptor);
}

RunOutcome RunAndWait(const std::vector<std::string>& arguments,
                      const std::function<void()>& dispatchEvents,
                      const std::function<bool()>& stopRequested) {
    return RunAndWait(arguments, dispatchEvents, WaitMethod::ProcessDescriptor, stopRequested);
}

#if !defined(__GLIBC__) || __GLIBC__ < 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ < 34)
#error "starting the decoder needs posix_spawn_file_actions_addclosefrom_np (glibc 2.34)"
#endif

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kDispatchInterval = 100ms;
constexpr std::size_t kErrorTail = 8192;

// Whatever happens in the caller's event dispatch, the child is reaped before
// we return or unwind; a decoder left to run on would become a zombie.
class Child {
  public:
    explicit Child(pid_t pid) : pid_(pid) {}
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child() {
        if (!reaped_)
            Reap();
    }
    pid_t Pid() const { return pid_; }
    bool Reaped() const { return reaped_; }
    int Status() const { return status_; }

    void Reap() {
        while (!reaped_) {
            pid_t result = waitpid(pid_, &status_, 0);
            if (result == pid_ || (result < 0 && errno != EINTR))
                MarkReaped(result == pid_);
        }
    }

    // The child leads a session of its own, so its group holds whatever it started.
    void Kill() {
        if (reaped_)
            return;
        kill(-pid_, SIGKILL);
        kill(pid_, SIGKILL);
    }

    // False while the child still runs.
    bool TryReap() {
        pid_t result = waitpid(pid_, &status_, WNOHANG);
        if (result == pid_ || (result < 0 && errno != EINTR))
            MarkReaped(result == pid_);
        return reaped_;
    }

  private:
    // Without a status (someone else reaped it, SIGCHLD ignored) there is no exit code.
    void MarkReaped(bool withStatus) {
        reaped_ = true;
        if (!withStatus)
            status_ = -1;
    }

    pid_t pid_;
    bool reaped_ = false;
    int status_ = -1;
};

// What the wait loops call after every step: the caller's events, then its stop request.
struct WaitHooks {
    const std::function<void()>& dispatchEvents;
    const std::function<bool()>& stopRequested;

    bool StopRequested() const { return stopRequested && stopRequested(); }
    // True when the caller asks us to stop waiting: the child is then killed.
    bool Dispatch(Child& child) const {
        if (dispatchEvents)
            dispatchEvents();
        if (!StopRequested())
            return false;
        child.Kill();
        return true;
    }
};

// A file with no name, so nothing is left behind when we are done with it.
// lame writes hundreds of kilobytes of progress there; a pipe would fill up.
UniqueFd AnonymousFile() {
    // In memory first: no inode to create and free on disk for every file.
    if (UniqueFd fd(memfd_create("brindlecot-decoder-errors", MFD_CLOEXEC)); fd)
        return fd;
    std::string folder = "/tmp";
    if (const char* tmp = std::getenv("TMPDIR"); tmp && *tmp)
        folder = tmp;
    for (const std::string& candidate : {folder, std::string("/tmp")}) {
        UniqueFd fd(open(candidate.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
        if (fd)
            return fd;
        std::string pattern = candidate + "/brindlecot-XXXXXX";
        fd = UniqueFd(mkostemp(pattern.data(), O_CLOEXEC));
        if (fd) {
            unlink(pattern.c_str());
            return fd;
        }
    }
    return {};
}

std::string ReadTail(int fd) {
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0 || info.st_size <= 0)
        return {};
    std::size_t size = std::size_t(info.st_size);
    std::size_t length = size < kErrorTail ? size : kErrorTail;
    std::string tail(length, '\0');
    ssize_t got = pread(fd, tail.data(), length, off_t(size - length));
    tail.resize(got > 0 ? std::size_t(got) : 0);
    return tail;
}

// Spawns the program in a session of its own (no controlling terminal, out of
// reach of the terminal's signals) with only 0, 1 and 2 open; -1 when it
// could not start. glibc's posix_spawn reports a failed exec as its result.
pid_t Spawn(const std::vector<std::string>& arguments, int errorFd, int outputFd = -1) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    if (posix_spawn_file_actions_init(&actions) != 0)
        return -1;
    if (posix_spawnattr_init(&attributes) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return -1;
    }
    bool ready = posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0) == 0;
    if (ready)
        ready = outputFd >= 0
                    ? posix_spawn_file_actions_adddup2(&actions, outputFd, 1) == 0
                    : posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0) == 0;
    if (ready)
        ready = errorFd >= 0
                    ? posix_spawn_file_actions_adddup2(&actions, errorFd, 2) == 0
                    : posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0) == 0;
    ready = ready && posix_spawn_file_actions_addclosefrom_np(&actions, 3) == 0;

    // Signals we ignore or block would otherwise stay ignored or blocked in the decoder.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    ready = ready && posix_spawnattr_setsigmask(&attributes, &none) == 0 &&
            posix_spawnattr_setsigdefault(&attributes, &all) == 0 &&
            posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK |
                                                      POSIX_SPAWN_SETSIGDEF) == 0;

    pid_t pid = -1;
    if (ready && posix_spawn(&pid, argv.front(), &actions, &attributes, argv.data(), environ) != 0)
        pid = -1;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

} // namespace

SpawnedProgram SpawnHidden(const std::vector<std::string>& arguments) {
    SpawnedProgram program;
    if (arguments.empty() || !CanExecute(arguments.front()))
        return program;
    program.errorFile = AnonymousFile();
    program.pid = Spawn(arguments, program.errorFile.Get());
    return program;
}

RunOutcome OutcomeOf(int status) {
    RunOutcome outcome;
    outcome.started = true;
    if (status != -1 && WIFEXITED(status))
        outcome.exitCode = WEXITSTATUS(status);
    else if (status != -1 && WIFSIGNALED(status))
        outcome.signal = WTERMSIG(status);
    return outcome;
}

std::string LastErrorLine(int errorFile) {
    return LastNonEmptyLine(ReadTail(errorFile));
}

namespace {

// Wakes the moment the process ends; false when the kernel offers no pidfd.
bool WaitOnDescriptor(Child& child, const WaitHooks& hooks) {
    UniqueFd pidfd(int(syscall(SYS_pidfd_open, child.Pid(), 0)));
    if (!pidfd)
        return false;
    auto nextDispatch = Clock::now() + kDispatchInterval;
    for (;;) {
        auto left = std::chrono::ceil<std::chrono::milliseconds>(nextDispatch - Clock::now());
        pollfd entry{pidfd.Get(), POLLIN, 0};
        int ready = poll(&entry, 1, left.count() > 0 ? int(left.count()) : 0);
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
        if (ready == 0 || Clock::now() >= nextDispatch) {
            if (hooks.Dispatch(child))
                return true;
            nextDispatch = Clock::now() + kDispatchInterval;
        }
    }
}

void WaitByPolling(Child& child, const WaitHooks& hooks) {
    const timespec step{0, 5'000'000};
    auto nextDispatch = Clock::now() + kDispatchInterval;
    while (!child.TryReap()) {
        nanosleep(&step, nullptr);
        if (Clock::now() >= nextDispatch) {
            if (hooks.Dispatch(child))
                return;
            nextDispatch = Clock::now() + kDispatchInterval;
        }
    }
}

} // namespace

RunOutcome RunAndWait(const std::vector<std::string>& arguments,
                      const std::function<void()>& dispatchEvents, WaitMethod method,
                      const std::function<bool()>& stopRequested) {
    const WaitHooks hooks{dispatchEvents, stopRequested};
    if (hooks.StopRequested())
        return {};
    SpawnedProgram program = SpawnHidden(arguments);
    if (program.pid < 0)
        return {};

    Child child(program.pid);
    if (method == WaitMethod::Polling || !WaitOnDescriptor(child, hooks))
        WaitByPolling(child, hooks);
    child.Reap();

    RunOutcome outcome = OutcomeOf(child.Status());
    outcome.lastErrorLine = LastErrorLine(program.errorFile.Get());
    return outcome;
}

bool StartWithoutWaiting(const std::vector<std::string>& arguments) {
    if (arguments.empty() || !CanExecute(arguments.front()))
        return false;
    const pid_t pid = Spawn(arguments, -1);
    if (pid < 0)
        return false;
    // Reaped by the event loop the moment it ends, so that it never lingers
    // as a zombie, while we go on at once: an opener may run for as long as
    // the program it opened.
    const int pidfd = int(syscall(SYS_pidfd_open, pid, 0));
    if (pidfd < 0 || QCoreApplication::instance() == nullptr) {
        if (pidfd >= 0)
            ::close(pidfd);
        Child(pid).Reap(); // no loop to hear of its end: wait for it here
        return true;
    }
    auto* ended = new QSocketNotifier(pidfd, QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(ended, &QSocketNotifier::activated, ended, [ended, pid, pidfd] {
        ended->setEnabled(false);
        Child(pid).Reap();
        ::close(pidfd);
        ended->deleteLater();
    });
    return true;
}

pid_t StartProgram(const std::vector<std::string>& arguments, int outputFd) {
    return arguments.empty() ? -1 : Spawn(arguments, -1, outputFd);
}

RunOutcome WaitForEnd(pid_t pid) {
    if (pid <= 0)
        return {};
    Child child(pid);
    child.Reap();
    return OutcomeOf(child.Status());
}
