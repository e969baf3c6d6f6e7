// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop_session.h"

#include <gtest/gtest.h>

// From DISPLAY, WAYLAND_DISPLAY, XDG_RUNTIME_DIR and QT_QPA_PLATFORM: the
// platforms asked of Qt, and the key of the desktop the window is on.
TEST(DesktopSession, PlatformsAndKeyFromTheEnvironment) {
    const std::tuple<SessionEnvironment, std::string, std::string> rows[] = {
        {{":0", "wayland-0", "/run/u", ""}, "xcb;wayland", "wayland:/run/u/wayland-0"},
        {{"", "wayland-0", "/run/u", ""}, "", "wayland:/run/u/wayland-0"},
        {{":1", "/run/u/wayland-0", "/x", "wayland"}, "", "wayland:/run/u/wayland-0"},
        {{":50.0", "", "/run/u", ""}, "", "x::50"},
        {{"unix:50", "", "", ""}, "", "x::50"},
        {{"host:10.1", "", "", ""}, "", "x:host:10"},
    };
    for (const auto& [session, platforms, key] : rows) {
        EXPECT_EQ(PreferredPlatforms(session), platforms) << session.display;
        EXPECT_EQ(DesktopKey(session), key) << session.display;
    }
}
