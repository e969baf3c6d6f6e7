#pragma once
// Runs a piece of a test in a forked child with a time limit, so that a
// regression that hangs (a FIFO, a link web, an endless file) fails the case
// in seconds instead of stalling the whole run.

#include <cerrno>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// True when body returned true within seconds. The child gets its own process
// group, ended with it, so a decoder it started cannot outlive the test; its
// memory is capped so that a runaway read fails instead of swamping the host.
inline bool FinishesWithin(unsigned seconds, const std::function<bool()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::setpgid(0, 0);
        const rlimit memory{rlim_t(2) << 30, rlim_t(2) << 30};
        ::setrlimit(RLIMIT_AS, &memory);
        ::alarm(seconds);
        ::_exit(body() ? 0 : 1);
    }
    if (child < 0)
        return false;
    ::setpgid(child, child); // either side may win the race; both ask the same
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    ::kill(-child, SIGKILL);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
