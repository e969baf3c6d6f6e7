// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// An X server (Xvfb) with a window manager (openbox) for the tests and
// benchmarks that need a real desktop, started in the constructor and ended,
// by process id, in the destructor; they also end if we die. Readiness comes
// from the programs themselves: Xvfb writes its display number once it takes
// clients, openbox runs its start-up command once it manages the screen.
// DISPLAY and QT_QPA_PLATFORM=xcb are set for what starts after it.

#include "test_support.h"

#include <sys/types.h>

class XDesktop {
  public:
    // Throws std::runtime_error when either does not start.
    XDesktop();
    XDesktop(const XDesktop&) = delete;
    XDesktop& operator=(const XDesktop&) = delete;
    ~XDesktop();

    // CPU time the X server has used so far: drawing is partly its work.
    double ServerCpuSeconds() const;

  private:
    void End();

    pid_t server_ = -1;
    pid_t manager_ = -1;
    int serverOutput_ = -1;
    int managerOutput_ = -1;
};

// A headless Wayland desktop (weston) with XWayland, in a runtime folder of
// its own, started in the constructor and ended, with everything it started,
// in the destructor; it also ends if we die. Ready once weston says where its
// X server listens. WAYLAND_DISPLAY, XDG_RUNTIME_DIR, DISPLAY and
// XDG_SESSION_TYPE are set as in a user's Wayland session, and
// QT_QPA_PLATFORM unset, for what starts after it.
class WaylandDesktop {
  public:
    // Whether this machine has weston and Xwayland at all.
    static bool Available();
    // Throws std::runtime_error when weston does not start.
    WaylandDesktop();
    WaylandDesktop(const WaylandDesktop&) = delete;
    WaylandDesktop& operator=(const WaylandDesktop&) = delete;
    ~WaylandDesktop();

  private:
    void End();

    TempFolder runtime_;
    pid_t compositor_ = -1;
    int output_ = -1;
};
