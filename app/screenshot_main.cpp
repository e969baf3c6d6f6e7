// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Takes the README's picture of the window in the middle of a conversion.
// Usage: brindlecot-screenshot OUTPUT.png SOURCE.mp3...
#include "Unit1.h"
#include "quiet_services.h"
#include "text.h"
#include "user_language.h"

#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("brindlecot");
    const UserLanguage language;
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.png SOURCE...\n", argv[0]);
        return 2;
    }
    const QString output = DisplayText(argv[1]);
    QuietBoxes boxes;
    NoFolderChooser chooser;
    NoDesktopShell shell;
    TForm1 form({boxes, chooser, shell, DecoderPath, "/tmp/brindlecot-screenshot.ini"});
    for (int i = 2; i < argc; ++i)
        form.List().Append(argv[i]);
    form.show();

    bool saved = false;
    // Once the second item is being converted and its bar has moved a little.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (saved || form.List().Count() < 2 ||
            form.List().ItemAt(1).state != ItemState::Processing || form.ProgressBar2->value() < 30)
            return;
        saved = form.grab().save(output);
        poll.stop();
    });
    poll.start(50);
    QTimer::singleShot(300, &form, [&] { form.Button2->click(); });
    QTimer::singleShot(120000, [] { QApplication::exit(1); });
    QObject::connect(form.Button2, &QPushButton::clicked,
                     [&] { QApplication::exit(saved ? 0 : 1); });
    return QApplication::exec();
}
