// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "exit_hook.h"

#include <cstdlib>
#include <utility>

namespace {

// exit() calls only functions without arguments, registered for the whole
// process; so the hook they find is the process's too.
ExitHook* armed = nullptr;

} // namespace

ExitHook::ExitHook(std::function<void()> onExit) : onExit_(std::move(onExit)) {
    static const bool registered = std::atexit(&ExitHook::RunArmed) == 0;
    if (registered)
        armed = this;
}

ExitHook::~ExitHook() {
    if (armed == this)
        armed = nullptr;
}

void ExitHook::RunArmed() {
    const ExitHook* hook = std::exchange(armed, nullptr);
    if (hook != nullptr && hook->thread_ == std::this_thread::get_id() && hook->onExit_)
        hook->onExit_();
}
