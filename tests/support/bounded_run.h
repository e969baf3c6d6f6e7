// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cerrno>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// True when body returned true within seconds. It runs in a forked child with
// its memory capped, so that a regression that hangs or reads without end
// fails the case in seconds instead of stalling the run or swamping the host.
inline bool FinishesWithin(unsigned seconds, const std::function<bool()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(seconds);
#if !defined(__SANITIZE_ADDRESS__)
        // The address sanitizer reserves terabytes of address space up front.
        const rlimit memory{rlim_t(2) << 30, rlim_t(2) << 30};
        ::setrlimit(RLIMIT_AS, &memory);
#endif
        bool passed = false;
        try { // nothing may reach the test runner's copy: it would run on
            passed = body();
        } catch (...) {
        }
        ::_exit(passed ? 0 : 1);
    }
    int status = 0;
    while (child > 0 && ::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return child > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
