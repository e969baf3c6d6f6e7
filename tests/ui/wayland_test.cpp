// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The program in a Wayland session with XWayland: a headless weston started
// here, the real program started in it. Whether a window on X asks to stay on
// top is desktop_test's: weston's window manager keeps only its own states.
#include "test_support.h"
#include "x_desktop.h"

#include <QTest>

#include <csignal>

class WaylandTest : public QObject {
    Q_OBJECT

  private slots:
    void theWindowComesUpOnX() {
        if (ProgramPath("weston") == "weston" || ProgramPath("Xwayland") == "Xwayland")
            QSKIP("weston or Xwayland is missing: the start in a Wayland session is not tested");
        const XDesktop desktop(XDesktop::Session::Wayland);
        Child program({qEnvironmentVariable("BRINDLECOT_PROGRAM").toStdString()});
        // Found there only if it chose X over Wayland, which Qt prefers in such a session.
        const std::string found = OutputOf({"timeout", "60", "xdotool", "search", "--sync",
                                            "--onlyvisible", "--name", "^brindlecot v"});
        ::kill(program.Pid(), SIGTERM);
        program.Finish();
        QVERIFY2(!found.empty(), "no window of the program on XWayland");
    }
};

QTEST_GUILESS_MAIN(WaylandTest)
#include "wayland_test.moc"
