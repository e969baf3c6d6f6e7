// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop_session.h"

#include "fs.h"

#include <cstdlib>
#include <string_view>

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// "host:number.screen" as "host:number"; "unix:0" names the local ":0".
std::string XServerName(std::string_view display) {
    const std::size_t colon = display.rfind(':');
    if (colon == std::string_view::npos)
        return std::string(display);
    std::string_view host = display.substr(0, colon);
    const std::string_view rest = display.substr(colon + 1);
    if (host == "unix")
        host = {};
    return std::string(host) + ":" + std::string(rest.substr(0, rest.find('.')));
}

} // namespace

SessionEnvironment CurrentSession() {
    return {Variable("DISPLAY"), Variable("WAYLAND_DISPLAY"), Variable("XDG_RUNTIME_DIR"),
            Variable("QT_QPA_PLATFORM")};
}

std::string PreferredPlatforms(const SessionEnvironment& session) {
    if (!session.qtPlatform.empty() || session.display.empty() || session.waylandDisplay.empty())
        return {};
    return "xcb;wayland";
}

std::string DesktopKey(const SessionEnvironment& session) {
    if (!session.waylandDisplay.empty())
        return "wayland:" + Path::OpenedFrom(session.runtimeFolder, session.waylandDisplay);
    if (!session.display.empty())
        return "x:" + XServerName(session.display);
    return {};
}
