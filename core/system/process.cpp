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
#include <pthread.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

#if !defined(__GLIBC__) || __GLIBC__ < 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ < 34)
#error "starting a program needs close_range (glibc 2.34)"
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

// The last non-empty lines of text, the last one first, at most count of
// them. lame ends its progress lines with carriage returns, its messages with
// line feeds.
std::vector<std::string> LastNonEmptyLines(std::string_view text, std::size_t count) {
    std::vector<std::string> lines;
    std::size_t end = text.size();
    while (end > 0 && lines.size() < count) {
        std::size_t start = text.find_last_of("\r\n", end - 1);
        start = start == std::string_view::npos ? 0 : start + 1;
        std::string_view line = text.substr(start, end - start);
        while (!line.empty() && IsBlank(line.front()))
            line.remove_prefix(1);
        while (!line.empty() && IsBlank(line.back()))
            line.remove_suffix(1);
        if (!line.empty())
            lines.emplace_back(line);
        end = start == 0 ? 0 : start - 1;
    }
    return lines;
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

// The last two non-empty lines of the error file, the last one first.
std::vector<std::string> LastErrorLines(int fd) {
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0 || info.st_size <= 0)
        return {};
    const auto size = std::size_t(info.st_size);
    const std::size_t length = std::min(size, kErrorTail);
    std::string tail(length, '\0');
    const ssize_t got = pread(fd, tail.data(), length, off_t(size - length));
    tail.resize(got > 0 ? std::size_t(got) : 0);
    return LastNonEmptyLines(tail, 2);
}

// What the child of a start does between vfork and exec: nothing but system
// calls, since it shares our memory until then. It ends our signal handlers
// and its session, dies with us, takes its descriptors and runs the program.
struct ChildStart {
    char* const* argv;
    int sources[4]; // its 0, 1, 2 and, when lastKept is 3, its 3
    int lastKept;
    pid_t parent;
    volatile int* failure;
};

[[noreturn]] void RunChild(const ChildStart& start) {
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal)
        ::sigaction(signal, &standard, nullptr);
    // A parent already gone when the death signal is set would never send it.
    bool ready =
        ::setsid() >= 0 && ::prctl(PR_SET_PDEATHSIG, SIGKILL) == 0 && ::getppid() == start.parent;
    // A source that sits where another one goes is moved above them all
    // first, so that none is overwritten; the others take no descriptor more,
    // for a program short of them.
    int sources[4];
    for (int target = 0; ready && target <= start.lastKept; ++target) {
        sources[target] = start.sources[target];
        if (sources[target] <= start.lastKept && sources[target] != target)
            ready = (sources[target] =
                         ::fcntl(sources[target], F_DUPFD_CLOEXEC, start.lastKept + 1)) >= 0;
    }
    for (int target = 0; ready && target <= start.lastKept; ++target)
        ready = sources[target] == target ? ::fcntl(target, F_SETFD, 0) == 0
                                          : ::dup2(sources[target], target) == target;
    if (ready) {
        ::close_range(unsigned(start.lastKept + 1), ~0u, 0);
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        ::execve(start.argv[0], start.argv, environ);
    }
    *start.failure = errno != 0 ? errno : ECHILD;
    ::_exit(127);
}

// Spawns the program in a session of its own with only 0, 1 and 2 open, and
// passedFd as its 3 when given; -1, with error set, when it could not start.
// The child dies with us, by SIGKILL, whatever ends us (a crash, kill -9, a
// display that goes): a decoder never writes on for nobody. vfork keeps a start
// as cheap as posix_spawn's.
pid_t Spawn(const std::vector<std::string>& arguments, int errorFd, int outputFd, int passedFd,
            int& error) {
    if (arguments.empty() || !IsExecutableFile(arguments.front())) {
        // A folder, or a file without execute permission, can't run.
        error =
            arguments.empty() || ::access(arguments.front().c_str(), X_OK) == 0 ? EACCES : errno;
        return -1;
    }
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    // Opened here: the child has no memory of its own to open it with.
    const UniqueFd null(::open("/dev/null", O_RDWR | O_CLOEXEC));
    if (!null) {
        error = errno;
        return -1;
    }
    volatile int failure = 0;
    const ChildStart start{argv.data(),
                           {null.Get(), outputFd >= 0 ? outputFd : null.Get(),
                            errorFd >= 0 ? errorFd : null.Get(), passedFd},
                           passedFd >= 0 ? 3 : 2,
                           ::getpid(),
                           &failure};

    // No handler of ours may run in the child before its exec.
    sigset_t all, before;
    sigfillset(&all);
    ::pthread_sigmask(SIG_SETMASK, &all, &before);
    const pid_t pid = ::vfork();
    if (pid == 0)
        RunChild(start);
    error = pid < 0 ? errno : failure;
    ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
    if (pid > 0 && failure != 0) {
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        return -1;
    }
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
    pid_ = Spawn(arguments, errorFile_.Get(), output.output, output.passed, startError_);
    if (pid_ > 0)
        pidfd_ = EndDescriptorOf(pid_);
    if (pid_ > 0 && output.offOurCpu)
        MoveOffOurCpu(pid_);
}

Child::Child(Child&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)), startError_(other.startError_),
      pidfd_(std::move(other.pidfd_)), errorFile_(std::move(other.errorFile_)),
      reaped_(other.reaped_), status_(other.status_) {}

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
    if (!Started()) {
        RunOutcome outcome;
        outcome.startError = startError_;
        return outcome;
    }
    Reap(true);
    RunOutcome outcome = OutcomeOf(status_);
    const std::vector<std::string> lines = LastErrorLines(errorFile_.Get());
    outcome.lastErrorLine = lines.size() > 0 ? lines[0] : std::string();
    outcome.errorLineBefore = lines.size() > 1 ? lines[1] : std::string();
    return outcome;
}

void WaitForAnyEnd(const std::vector<Child*>& children, const std::function<void()>& dispatchEvents,
                   const std::function<bool()>& stopWaiting, int orReadable) {
    std::vector<pollfd> watched;
    if (orReadable >= 0)
        watched.push_back({orReadable, POLLIN, 0});
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
        if (ready > 0 && orReadable >= 0 && watched.front().revents != 0)
            return;
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
    int error = 0;
    const pid_t pid = Spawn(arguments, -1, -1, -1, error);
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
