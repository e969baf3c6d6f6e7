// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Unit1.h"
#include "command_line.h"
#include "quiet_services.h"
#include "test_support.h"

#include <QTest>

#include <fstream>
#include <sys/stat.h>

class StartupTest : public QObject {
    Q_OBJECT

  private slots:
    void pathsHandedOverAtStartAreTakenInAsADrop() {
        const TempFolder temporary;
        const std::string folder = temporary.path();
        const auto file = [&](const std::string& name) {
            std::ofstream(folder + "/" + name) << "";
            return folder + "/" + name;
        };
        ::mkdir((folder + "/album").c_str(), 0755);
        ::mkdir((folder + "/album/disc 1").c_str(), 0755);
        const std::string inner = file("album/disc 1/y.MP2");
        const std::string first = file("b.mp3");
        const std::string odd = file("\xff\xfe name.mpa");
        const std::string skipped = file("c.wav");

        QuietBoxes boxes;
        NoFolderChooser chooser;
        NoDesktopShell shell;
        TForm1 form({boxes, chooser, shell, [] { return std::string("/nonexistent/lame"); },
                     folder + "/brindlecot.ini"});
        const CommandLine command =
            ParseCommandLine({first, folder + "/album", odd, skipped, "--", folder + "/none.mp3"});
        form.AddPaths(command.paths);

        QVERIFY(!form.isVisible());
        const std::vector<std::string> expected{first, inner, odd, folder + "/none.mp3"};
        QCOMPARE(form.List().Count(), int(expected.size()));
        for (std::size_t i = 0; i < expected.size(); ++i)
            QCOMPARE(form.List().ItemAt(int(i)).caption, expected[i]);
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
