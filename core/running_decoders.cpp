// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "running_decoders.h"

#include <algorithm>
#include <chrono>

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sched.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kDispatchInterval = 100ms;
// Without process descriptors (an old kernel) ends are looked for this often.
constexpr int kPollingStepMs = 5;

} // namespace

RunningDecoder::RunningDecoder(const std::vector<std::string>& arguments) {
    SpawnedProgram program = SpawnHidden(arguments);
    if (program.pid <= 0)
        return;
    pid_ = program.pid;
    errorFile_ = std::move(program.errorFile);
    pidfd_ = UniqueFd(int(::syscall(SYS_pidfd_open, pid_, 0)));
}

RunningDecoder::~RunningDecoder() {
    // A decoder left to run on would become a zombie.
    Reap(true);
}

void RunningDecoder::Reap(bool block) {
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

bool RunningDecoder::Ended() {
    Reap(false);
    return !Started() || reaped_;
}

void RunningDecoder::Kill() {
    if (!Started() || reaped_)
        return;
    // It leads a session of its own, so its group holds whatever it started.
    ::kill(-pid_, SIGKILL);
    ::kill(pid_, SIGKILL);
}

RunOutcome RunningDecoder::Finish() {
    if (!Started())
        return {};
    Reap(true);
    RunOutcome outcome = OutcomeOf(status_);
    outcome.lastErrorLine = LastErrorLine(errorFile_.Get());
    return outcome;
}

int UsableCores() {
    cpu_set_t cores;
    CPU_ZERO(&cores);
    if (::sched_getaffinity(0, sizeof cores, &cores) != 0)
        return 1;
    return std::max(1, CPU_COUNT(&cores));
}

void WaitForAnyEnd(const std::vector<RunningDecoder*>& decoders,
                   const std::function<void()>& dispatchEvents,
                   const std::function<bool()>& stopWaiting) {
    std::vector<pollfd> watched;
    bool polling = false;
    for (RunningDecoder* decoder : decoders) {
        if (decoder->Ended())
            return;
        if (decoder->EndDescriptor() >= 0)
            watched.push_back({decoder->EndDescriptor(), POLLIN, 0});
        else
            polling = true;
    }
    if (decoders.empty())
        return;

    auto nextDispatch = Clock::now() + kDispatchInterval;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(nextDispatch - Clock::now());
        int timeout = std::max(0, int(left.count()));
        if (polling)
            timeout = std::min(timeout, kPollingStepMs);
        const int ready = ::poll(watched.data(), watched.size(), timeout);
        if (ready < 0 && errno != EINTR && watched.size() > 0) {
            // Descriptors poll() refuses: look for ends by waiting in steps.
            watched.clear();
            polling = true;
        }
        if (ready > 0 || polling)
            if (std::any_of(decoders.begin(), decoders.end(),
                            [](RunningDecoder* decoder) { return decoder->Ended(); }))
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
