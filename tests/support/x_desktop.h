// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// An X server (Xvfb) with a window manager (openbox) for the tests and
// benchmarks that need a real desktop, started in the constructor and ended,
// by process id, in the destructor; they also end if we die. Readiness comes
// from the programs themselves: Xvfb writes its display number once it takes
// clients, openbox runs its start-up command once it manages the screen.
// DISPLAY and QT_QPA_PLATFORM=xcb are set for what starts after it.
// In a Wayland session the X server and its window manager are a headless
// weston's XWayland, ready once weston names the display, in a runtime folder
// of its own; WAYLAND_DISPLAY, XDG_RUNTIME_DIR and XDG_SESSION_TYPE are set
// as on a user's desktop, and QT_QPA_PLATFORM is unset.

#include "process.h"
#include "test_support.h"

#include <optional>

class XDesktop {
  public:
    enum class Session { X11, Wayland };
    // Throws std::runtime_error when either does not start.
    explicit XDesktop(Session session = Session::X11);
    XDesktop(const XDesktop&) = delete;
    XDesktop& operator=(const XDesktop&) = delete;
    ~XDesktop();

    // CPU time the X server has used so far: drawing is partly its work.
    double ServerCpuSeconds() const;

  private:
    void StartWeston();
    void End();

    std::optional<TempFolder> runtime_;
    std::optional<Child> server_;
    std::optional<Child> manager_;
    int serverOutput_ = -1;
    int managerOutput_ = -1;
};
