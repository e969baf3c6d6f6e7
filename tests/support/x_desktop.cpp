// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "x_desktop.h"

#include "decoder.h"
#include "test_support.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Started through the core's spawn, standard output to outputFd (or nowhere),
// standard error nowhere. setpriv has it end with us: a server left behind by
// a test that died would hold its display.
Child Start(std::vector<std::string> argv, int outputFd = -1) {
    argv.insert(argv.begin(), {ProgramPath("setpriv"), "--pdeathsig", "TERM", "--"});
    return Child(argv, {.output = outputFd});
}

// Reads from fd until a line holding want (any line when want is empty)
// arrives and returns it; nothing at the end of the stream.
bool AwaitLine(int fd, const std::string& want, std::string& got) {
    std::string text;
    char buffer[256];
    for (;;) {
        for (std::size_t end; (end = text.find('\n')) != std::string::npos; text.erase(0, end + 1))
            if (text.substr(0, end).find(want) != std::string::npos) {
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

XDesktop::XDesktop(Session session) {
    if (session == Session::Wayland) {
        StartWeston();
        return;
    }
    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    // The display number comes on its standard output, the one descriptor it gets.
    server_.emplace(Start(
        {"Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, ready[1]));
    ::close(ready[1]);
    // Kept open like openbox's below: a later line must not end the server with SIGPIPE.
    serverOutput_ = ready[0];
    std::string display;
    const bool serving = server_->Started() && AwaitLine(serverOutput_, "", display);
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
    manager_.emplace(
        Start({"openbox", "--sm-disable", "--startup", "echo openbox-ready"}, ready[1]));
    ::close(ready[1]);
    // Kept open: a later line from openbox must not end it with SIGPIPE.
    managerOutput_ = ready[0];
    std::string line;
    if (!manager_->Started() || !AwaitLine(managerOutput_, "openbox-ready", line)) {
        End();
        throw std::runtime_error("openbox did not start");
    }
}

void XDesktop::StartWeston() {
    ::setenv("XDG_RUNTIME_DIR", runtime_.emplace().path().c_str(), 1);
    ::chmod(runtime_->path().c_str(), 0700);
    int ready[2] = {-1, -1};
    // Its log comes on its standard output: the X display is named there.
    if (::pipe2(ready, O_CLOEXEC) == 0)
        server_.emplace(Start({"weston", "--backend=headless-backend.so", "--xwayland",
                               "--socket=wayland-test", "--log=/dev/stdout"},
                              ready[1]));
    ::close(ready[1]);
    serverOutput_ = ready[0];
    const std::string said = "xserver listening on display ";
    std::string line;
    if (!server_ || !server_->Started() || !AwaitLine(serverOutput_, said, line)) {
        End();
        throw std::runtime_error("weston did not start");
    }
    ::setenv("WAYLAND_DISPLAY", "wayland-test", 1);
    ::setenv("DISPLAY", line.substr(line.find(said) + said.size()).c_str(), 1);
    ::setenv("XDG_SESSION_TYPE", "wayland", 1);
    ::unsetenv("QT_QPA_PLATFORM");
}

XDesktop::~XDesktop() {
    End();
}

void XDesktop::End() {
    // Asked to end, as a desktop session ends them: Xvfb removes its lock file.
    for (std::optional<Child>* program : {&manager_, &server_})
        if (*program && (*program)->Started()) {
            ::kill((*program)->Pid(), SIGTERM);
            (*program)->Finish();
        }
    manager_.reset();
    server_.reset();
    for (const int fd : {managerOutput_, serverOutput_})
        if (fd >= 0)
            ::close(fd);
    managerOutput_ = serverOutput_ = -1;
}

double XDesktop::ServerCpuSeconds() const {
    std::ifstream stat("/proc/" + std::to_string(server_ ? server_->Pid() : -1) + "/stat");
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
