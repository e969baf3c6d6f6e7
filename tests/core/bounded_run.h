#pragma once
// Runs a piece of a test in a forked child with a time limit, so that a
// regression that hangs (a FIFO, a link web, an endless file) fails the case
// in seconds instead of stalling the whole run.

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// The process and everything it started, found by parent links in /proc; the
// decoder runs in a session of its own, so a process group would miss it.
inline std::vector<pid_t> ProcessTree(pid_t root) {
    std::vector<pid_t> tree{root};
    std::vector<std::pair<pid_t, pid_t>> links; // pid, parent
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line) || line.rfind(')') == std::string::npos)
            continue;
        char state = 0;
        pid_t parent = 0;
        std::istringstream(line.substr(line.rfind(')') + 1)) >> state >> parent;
        links.emplace_back(std::atoi(entry.path().filename().c_str()), parent);
    }
    for (std::size_t i = 0; i < tree.size(); ++i)
        for (const auto& [pid, parent] : links)
            if (parent == tree[i])
                tree.push_back(pid);
    return tree;
}

// True when body returned true within seconds. Its memory is capped so that a
// runaway read fails instead of swamping the host; on time-out the child and
// all it started are killed.
inline bool FinishesWithin(int seconds, const std::function<bool()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit memory{rlim_t(2) << 30, rlim_t(2) << 30};
        ::setrlimit(RLIMIT_AS, &memory);
        // Nothing may escape into the test runner's copy: it would go on running tests.
        bool passed = false;
        try {
            passed = body();
        } catch (...) {
        }
        ::_exit(passed ? 0 : 1);
    }
    if (child < 0)
        return false;
    const int fd = int(::syscall(SYS_pidfd_open, child, 0));
    pollfd ready{fd, POLLIN, 0};
    if (fd < 0 || ::poll(&ready, 1, seconds * 1000) != 1)
        for (const pid_t pid : ProcessTree(child))
            ::kill(pid, SIGKILL);
    if (fd >= 0)
        ::close(fd);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
