// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "process.h"

#include "fs.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <algorithm>
#include <chrono>
#include <string_view>
#include <utility>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

#if !defined(__GLIBC__) || __GLIBC__ < 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ < 34)
#error "starting a program needs posix_spawn_file_actions_addclosefrom_np (glibc 2.34)"
#endif

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kDispatchInterval = 100ms;
// Without process descriptors (an old kernel) ends are looked for this often.
constexpr int kPollingStepMs = 5;
constexpr std::size_t kErrorTail = 8192;

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

std::string LastErrorLine(int fd) {
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0 || info.st_size <= 0)
        return {};
    const auto size = std::size_t(info.st_size);
    const std::size_t length = std::min(size, kErrorTail);
    std::string tail(length, '\0');
    const ssize_t got = pread(fd, tail.data(), length, off_t(size - length));
    tail.resize(got > 0 ? std::size_t(got) : 0);
    return LastNonEmptyLine(tail);
}

// Spawns the program in a session of its own with only 0, 1 and 2 open; -1
// when it could not start. glibc's posix_spawn reports a failed exec as its result.
pid_t Spawn(const std::vector<std::string>& arguments, int errorFd, int outputFd) {
    if (arguments.empty() || !IsExecutableFile(arguments.front()))
        return -1;
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
    const auto toOrNull = [&](int fd, int target, int flags) {
        return fd >= 0
                   ? posix_spawn_file_actions_adddup2(&actions, fd, target) == 0
                   : posix_spawn_file_actions_addopen(&actions, target, "/dev/null", flags, 0) == 0;
    };
    bool ready = toOrNull(-1, 0, O_RDONLY) && toOrNull(outputFd, 1, O_WRONLY) &&
                 toOrNull(errorFd, 2, O_WRONLY) &&
                 posix_spawn_file_actions_addclosefrom_np(&actions, 3) == 0;

    // Signals we ignore or block would otherwise stay ignored or blocked in the child.
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

// What the wait status of a program's end says; status -1 (reaped by
// someone else) tells neither an exit code nor a signal.
RunOutcome OutcomeOf(int status) {
    RunOutcome outcome;
    outcome.started = true;
    if (status != -1 && WIFEXITED(status))
        outcome.exitCode = WEXITSTATUS(status);
    else if (status != -1 && WIFSIGNALED(status))
        outcome.signal = WTERMSIG(status);
    return outcome;
}

UniqueFd EndDescriptorOf(pid_t pid) {
    return UniqueFd(int(::syscall(SYS_pidfd_open, pid, 0)));
}

} // namespace

Child::Child(const std::vector<std::string>& arguments, ChildOutput output) {
    if (output.keepErrors)
        errorFile_ = AnonymousFile();
    pid_ = Spawn(arguments, errorFile_.Get(), output.output);
    if (pid_ > 0)
        pidfd_ = EndDescriptorOf(pid_);
}

Child::Child(Child&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)), pidfd_(std::move(other.pidfd_)),
      errorFile_(std::move(other.errorFile_)), reaped_(other.reaped_), status_(other.status_) {}

Child::~Child() {
    Kill();
    Reap(true);
}

void Child::Reap(bool block) {
    while (Started() && !reaped_) {
        const pid_t result = ::waitpid(pid_, &status_, block ? 0 : WNOHANG);
        if (result == 0)
            return;
        if (result < 0 && errno == EINTR)
            continue;
        // Without a status (someone else reaped it) there is no exit code.
        if (result != pid_)
            status_ = -1;
        reaped_ = true;
    }
}

bool Child::Ended() {
    Reap(false);
    return !Started() || reaped_;
}

void Child::Kill() {
    if (!Started() || reaped_)
        return;
    // It leads a session of its own, so its group holds whatever it started.
    ::kill(-pid_, SIGKILL);
    ::kill(pid_, SIGKILL);
}

RunOutcome Child::Finish() {
    if (!Started())
        return {};
    Reap(true);
    RunOutcome outcome = OutcomeOf(status_);
    outcome.lastErrorLine = LastErrorLine(errorFile_.Get());
    return outcome;
}

void WaitForAnyEnd(const std::vector<Child*>& children, const std::function<void()>& dispatchEvents,
                   const std::function<bool()>& stopWaiting) {
    std::vector<pollfd> watched;
    bool polling = false;
    for (Child* child : children) {
        if (child->Ended())
            return;
        if (child->EndDescriptor() >= 0)
            watched.push_back({child->EndDescriptor(), POLLIN, 0});
        else
            polling = true;
    }
    if (children.empty())
        return;

    auto nextDispatch = Clock::now() + kDispatchInterval;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(nextDispatch - Clock::now());
        int timeout = std::max(0, int(left.count()));
        if (polling)
            timeout = std::min(timeout, kPollingStepMs);
        const int ready = ::poll(watched.data(), watched.size(), timeout);
        if (ready < 0 && errno != EINTR && !watched.empty()) {
            // Descriptors poll() refuses: look for ends by waiting in steps.
            watched.clear();
            polling = true;
        }
        if (ready > 0 || polling)
            if (std::any_of(children.begin(), children.end(),
                            [](Child* child) { return child->Ended(); }))
                return;
        if (Clock::now() >= nextDispatch) {
            if (dispatchEvents)
                dispatchEvents();
            if (stopWaiting && stopWaiting())
                return;
            nextDispatch = Clock::now() + kDispatchInterval;
        }
    }
}

RunOutcome RunAndWait(const std::vector<std::string>& arguments,
                      const std::function<void()>& dispatchEvents,
                      const std::function<bool()>& stopRequested) {
    const auto stop = [&] { return stopRequested && stopRequested(); };
    if (stop())
        return {};
    Child child(arguments, {.keepErrors = true});
    while (!child.Ended()) {
        WaitForAnyEnd({&child}, dispatchEvents, stop);
        if (stop()) {
            child.Kill();
            break;
        }
    }
    return child.Finish();
}

bool StartWithoutWaiting(const std::vector<std::string>& arguments) {
    const pid_t pid = Spawn(arguments, -1, -1);
    if (pid < 0)
        return false;
    const auto reap = [pid] {
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    };
    UniqueFd ended = EndDescriptorOf(pid);
    if (!ended || QCoreApplication::instance() == nullptr) {
        reap(); // no loop to hear of its end: wait for it here
        return true;
    }
    auto* notifier =
        new QSocketNotifier(ended.Release(), QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, reap] {
        notifier->setEnabled(false);
        reap();
        ::close(int(notifier->socket()));
        notifier->deleteLater();
    });
    return true;
}

int UsableCores() {
    cpu_set_t cores;
    CPU_ZERO(&cores);
    if (::sched_getaffinity(0, sizeof cores, &cores) != 0)
        return 1;
    return std::max(1, CPU_COUNT(&cores));
}
