// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "decoder.h"
#include "unique_fd.h"

#include <functional>
#include <string>
#include <vector>

#include <sys/types.h>

// A decoder started without waiting for it, so that several can run at once.
// Its end is noticed through a process descriptor (WaitForAnyEnd); it is
// reaped at the latest when its owner goes, waiting for it if need be.
class RunningDecoder {
  public:
    // Starts the program as RunAndWait does; Started() tells whether it could.
    explicit RunningDecoder(const std::vector<std::string>& arguments);
    RunningDecoder(const RunningDecoder&) = delete;
    RunningDecoder& operator=(const RunningDecoder&) = delete;
    ~RunningDecoder();

    bool Started() const { return pid_ > 0; }
    // True once the program has ended (it is then reaped); never blocks.
    bool Ended();
    // Ends the program and whatever it started, at once.
    void Kill();
    // Waits for the end, if need be, and tells how it went.
    RunOutcome Finish();
    // What poll() watches for the end; -1 when the kernel gives none.
    int EndDescriptor() const { return pidfd_.Get(); }

  private:
    void Reap(bool block);

    pid_t pid_ = -1;
    UniqueFd pidfd_;
    UniqueFd errorFile_;
    bool reaped_ = false;
    int status_ = -1;
};

// How many cores this program may run on (its affinity mask), at least 1.
int UsableCores();

// Waits until one of decoders has ended, calling dispatchEvents every 100 ms
// meanwhile; returns early, after a dispatch, when stopWaiting answers true.
// Returns at once when one has already ended or none was given.
void WaitForAnyEnd(const std::vector<RunningDecoder*>& decoders,
                   const std::function<void()>& dispatchEvents,
                   const std::function<bool()>& stopWaiting = {});
