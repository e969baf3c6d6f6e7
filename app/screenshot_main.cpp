// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Takes the README's picture of the window in the middle of a conversion,
// with the legend's hint of every state shown below it.
// Usage: brindlecot-screenshot OUTPUT.png SOURCE.mp3...
#include "Unit1.h"
#include "quiet_services.h"
#include "text.h"
#include "user_language.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>
#include <QTreeView>

#include <algorithm>
#include <cstdio>

namespace {

// The window, and below the legend the hint it shows on hover.
QPixmap WithLegendHint(TForm1& form) {
    QToolTip::showText(form.Label4->mapToGlobal(QPoint(0, 0)), form.Label4->toolTip(), form.Label4);
    QWidget* hint = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->inherits("QTipLabel") && widget->isVisible())
            hint = widget;
    const QPixmap window = form.grab();
    if (hint == nullptr)
        return window;
    const QPoint at(8, form.Label4->geometry().bottom() + 6);
    QPixmap picture(std::max(window.width(), at.x() + hint->width()),
                    std::max(window.height(), at.y() + hint->height()));
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawPixmap(0, 0, window);
    hint->render(&painter, at);
    return picture;
}

} // namespace

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
    // Once the item before the last is being converted and its bar has moved a little.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const int shown = form.List().Count() - 2;
        if (saved || shown < 0 || form.List().ItemAt(shown).state != ItemState::Processing ||
            form.ProgressBar2->value() < 30)
            return;
        saved = WithLegendHint(form).save(output);
        poll.stop();
    });
    poll.start(50);
    QTimer::singleShot(300, &form, [&] { form.Button2->click(); });
    QTimer::singleShot(120000, [] { QApplication::exit(1); });
    QObject::connect(form.Button2, &QPushButton::clicked,
                     [&] { QApplication::exit(saved ? 0 : 1); });
    return QApplication::exec();
}
