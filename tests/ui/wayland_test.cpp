// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The program in a Wayland session with XWayland: a headless weston started
// here, the real program started in it.
#include "test_support.h"
#include "x_desktop.h"

#include <QtTest>

#include <csignal>
#include <filesystem>
#include <unistd.h>

class WaylandTest : public QObject {
    Q_OBJECT

  private slots:
    void theWindowComesUpOnXAndStaysOnTop() {
        if (!WaylandDesktop::Available())
            QSKIP("weston or Xwayland is missing: the start in a Wayland session is not tested");
        TempFolder folder;
        // A copy of its own, whose settings beside it say: on top.
        const std::string program = folder / "brindlecot";
        const std::string built = qEnvironmentVariable("BRINDLECOT_PROGRAM").toStdString();
        if (::link(built.c_str(), program.c_str()) != 0)
            std::filesystem::copy_file(built, program);
        WriteFile(folder / "brindlecot.ini", "[front]\r\nOn\r\n");

        const WaylandDesktop desktop;
        const pid_t started = StartProgram({program});
        QVERIFY(started > 0);
        // Found on the X server only if it chose X over Wayland.
        const std::string found = OutputOf({"timeout", "60", "xdotool", "search", "--sync",
                                            "--onlyvisible", "--name", "^brindlecot v"});
        const std::string window = found.substr(0, found.find('\n'));
        const std::string state =
            window.empty() ? "" : OutputOf({"xprop", "-id", window, "_NET_WM_STATE"});
        ::kill(started, SIGTERM);
        WaitForEnd(started);
        QVERIFY2(!window.empty(), "no window of the program on XWayland");
        QVERIFY2(state.find("_NET_WM_STATE_ABOVE") != std::string::npos, state.c_str());
    }
};

QTEST_GUILESS_MAIN(WaylandTest)
#include "wayland_test.moc"
