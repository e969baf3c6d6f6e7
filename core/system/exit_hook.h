// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <thread>

// Runs onExit when the program is ended by a call of exit() while it lives,
// where no destructor of ours runs: Qt's X11 platform prints "The X11
// connection broke" and calls exit(1) when the display's connection ends (its
// server ended, an ssh -X dropped), from the main thread, in its event
// handling, however deep in loops of boxes or the batch. onExit runs only on
// the thread that made the hook, and the exit status stays the caller's. A
// normal end returns from main after the hook is gone and runs nothing. One
// at a time.
class ExitHook {
  public:
    explicit ExitHook(std::function<void()> onExit);
    ExitHook(const ExitHook&) = delete;
    ExitHook& operator=(const ExitHook&) = delete;
    ~ExitHook();

  private:
    // What exit() calls: the hook armed, if any.
    static void RunArmed();

    std::function<void()> onExit_;
    std::thread::id thread_ = std::this_thread::get_id();
};
