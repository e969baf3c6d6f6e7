// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Stands in for lame beside a benchmark's executable to tell when each
// decoder starts and ends: runs TIMED_LAME_REAL with our arguments and
// descriptors, waits, and appends "start end" (monotonic nanoseconds) to
// TIMED_LAME_LOG. The gaps between one end and the next start are what a
// batch spends between two decoders. Its own cost is the same for every
// program measured with it.
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

long long Now() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

} // namespace

int main(int, char* argv[]) {
    const long long start = Now();
    const char* real = std::getenv("TIMED_LAME_REAL");
    const char* log = std::getenv("TIMED_LAME_LOG");
    if (real == nullptr || log == nullptr)
        return 127;
    const pid_t child = ::fork();
    if (child == 0) {
        argv[0] = const_cast<char*>(real);
        ::execv(real, argv);
        ::_exit(127);
    }
    int status = 0;
    while (child > 0 && ::waitpid(child, &status, 0) < 0) {
    }
    const long long end = Now();
    char line[64];
    const int length = std::snprintf(line, sizeof line, "%lld %lld\n", start, end);
    const int file = ::open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (file >= 0) {
        (void)!::write(file, line, static_cast<std::size_t>(length));
        ::close(file);
    }
    return child > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
