// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Which desktop a start of the program is on, read from its environment
// alone, before any window exists.

#include <string>

// The variables that tell; an unset one is empty.
struct SessionEnvironment {
    std::string display;        // DISPLAY
    std::string waylandDisplay; // WAYLAND_DISPLAY
    std::string runtimeFolder;  // XDG_RUNTIME_DIR
    std::string qtPlatform;     // QT_QPA_PLATFORM
};

// Ours, from getenv.
SessionEnvironment CurrentSession();

// The window platforms to ask Qt for, in order, as its "-platform" option
// takes them; empty to leave the choice to Qt (and to the user). In a Wayland
// session with XWayland that is X first: only there can a window stay on top
// and stay above a file manager that is dragged from.
std::string PreferredPlatforms(const SessionEnvironment& session);

// The desktop as one text, the same for every start on it: the Wayland
// display's socket (WAYLAND_DISPLAY taken in the runtime folder) when there is
// one, so that a start with DISPLAY and one without meet; else the X display
// as the server names it, host and number, without the screen (":50.0" is
// ":50"). Empty when neither is set.
std::string DesktopKey(const SessionEnvironment& session);
