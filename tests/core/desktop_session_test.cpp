// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop_session.h"

#include <gtest/gtest.h>

// The two choices a start makes from its environment: the window platforms
// it asks Qt for, and the key of the desktop its window is on.
TEST(DesktopSession, PlatformsAndKeyFromTheEnvironment) {
    struct Row {
        SessionEnvironment session; // DISPLAY, WAYLAND_DISPLAY, XDG_RUNTIME_DIR, QT_QPA_PLATFORM
        std::string platforms, key;
    };
    const Row rows[] = {
        // Wayland with XWayland: X first; the key is the Wayland socket, DISPLAY or not.
        {{":0", "wayland-0", "/run/user/1000", ""},
         "xcb;wayland",
         "wayland:/run/user/1000/wayland-0"},
        {{"", "wayland-0", "/run/user/1000", ""}, "", "wayland:/run/user/1000/wayland-0"},
        {{":1", "/run/user/1000/wayland-0", "/elsewhere", ""},
         "xcb;wayland",
         "wayland:/run/user/1000/wayland-0"},
        // What the user set wins.
        {{":0", "wayland-0", "/run/user/1000", "wayland"}, "", "wayland:/run/user/1000/wayland-0"},
        // X alone: the display as its server names it, without the screen.
        {{":50.0", "", "/run/user/1000", ""}, "", "x::50"},
        {{":50", "", "", ""}, "", "x::50"},
        {{"unix:50.1", "", "", ""}, "", "x::50"},
        {{"host.example:10.0", "", "", ""}, "", "x:host.example:10"},
        {{"", "", "/run/user/1000", ""}, "", ""},
    };
    for (const Row& row : rows) {
        const std::string what = row.session.display + " | " + row.session.waylandDisplay;
        EXPECT_EQ(PreferredPlatforms(row.session), row.platforms) << what;
        EXPECT_EQ(DesktopKey(row.session), row.key) << what;
    }
}
