// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "unique_fd.h"

#include <QSocketNotifier>

#include <csignal>
#include <functional>
#include <memory>

// Turns the requests to end the program (SIGTERM at logout or shutdown,
// SIGINT from Ctrl-C, SIGHUP when its terminal goes) into a call of onSignal
// from the event loop, where the program can stop its decoder, remove what it
// left half written and save its settings. A signal handler may do almost
// nothing itself: it writes the signal's number into a pipe that a socket
// notifier watches. One at a time; the earlier handlers are back once it goes.
class StopSignals {
  public:
    explicit StopSignals(std::function<void(int)> onSignal);
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;
    ~StopSignals();

  private:
    void Deliver();

    UniqueFd readEnd_, writeEnd_;
    std::function<void(int)> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction earlier_[3] = {};
};
