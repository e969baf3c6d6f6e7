// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "x_desktop.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <stdexcept>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Standard output to outputFd (or nowhere), standard error nowhere; keepFd
// stays open across the exec.
pid_t Start(std::vector<std::string> argv, int outputFd = -1, int keepFd = -1) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 0);
        ::dup2(outputFd >= 0 ? outputFd : null, 1);
        ::dup2(null, 2);
        if (keepFd >= 0)
            ::fcntl(keepFd, F_SETFD, 0);
        std::vector<char*> args;
        for (std::string& arg : argv)
            args.push_back(arg.data());
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    return child;
}

// Reads from fd until a line equal to want (any line when want is empty)
// arrives and returns it; nothing at the end of the stream.
bool AwaitLine(int fd, const std::string& want, std::string& got) {
    std::string text;
    char buffer[256];
    for (;;) {
        for (std::size_t end; (end = text.find('\n')) != std::string::npos; text.erase(0, end + 1))
            if (want.empty() || text.compare(0, end, want) == 0) {
                got = text.substr(0, end);
                return true;
            }
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

} // namespace

XDesktop::XDesktop() {
    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    server_ = Start({"Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0", "1024x768x24",
                     "-nolisten", "tcp"},
                    -1, ready[1]);
    ::close(ready[1]);
    std::string display;
    const bool serving = server_ > 0 && AwaitLine(ready[0], "", display);
    ::close(ready[0]);
    if (!serving) {
        End();
        throw std::runtime_error("Xvfb did not start");
    }
    ::setenv("DISPLAY", (":" + display).c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);

    if (::pipe2(ready, O_CLOEXEC) != 0) {
        End();
        throw std::runtime_error("pipe failed");
    }
    manager_ = Start({"openbox", "--sm-disable", "--startup", "echo openbox-ready"}, ready[1]);
    ::close(ready[1]);
    // Kept open: a later line from openbox must not end it with SIGPIPE.
    managerOutput_ = ready[0];
    std::string line;
    if (manager_ <= 0 || !AwaitLine(managerOutput_, "openbox-ready", line)) {
        End();
        throw std::runtime_error("openbox did not start");
    }
}

XDesktop::~XDesktop() {
    End();
}

void XDesktop::End() {
    for (const pid_t pid : {manager_, server_})
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
    if (managerOutput_ >= 0)
        ::close(managerOutput_);
    manager_ = server_ = managerOutput_ = -1;
}

double XDesktop::ServerCpuSeconds() const {
    std::ifstream stat("/proc/" + std::to_string(server_) + "/stat");
    std::string field;
    std::getline(stat, field, ')'); // past the command name
    double user = 0, system = 0;
    for (int i = 3; i <= 15 && stat >> field; ++i)
        if (i == 14)
            user = std::atof(field.c_str());
        else if (i == 15)
            system = std::atof(field.c_str());
    return (user + system) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}
