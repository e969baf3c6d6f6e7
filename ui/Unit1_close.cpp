// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's way out: its closes, during a batch and over its boxes,
// and the settings it writes as it goes.
#include "Unit1.h"

#include "settings.h"
#include "text.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QTimer>

#include <cstdio>
#include <utility>

void TForm1::FormDestroy() {
    Handle([this] {
        WriteSettings(services_.settingsPath, CheckBox2->isChecked(), CheckBox3->isChecked(),
                      batch_.CarriesTags());
    });
    // The file beside us that was passed over for the user's own is told as
    // a failed write is.
    if (!services_.settingsPassedOver.empty())
        services_.boxes.Error(ErrorBoxText(services_.settingsPassedOver));
}

void TForm1::WriteSettingsQuietly() {
    try {
        WriteSettings(services_.settingsPath, CheckBox2->isChecked(), CheckBox3->isChecked(),
                      batch_.CarriesTags());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "brindlecot: %s\n", error.what());
    }
    if (!services_.settingsPassedOver.empty())
        std::fprintf(stderr, "brindlecot: %s\n", services_.settingsPassedOver.c_str());
}

void TForm1::closeEvent(QCloseEvent* event) {
    // A close during a batch is only noted: the batch finishes, its boxes
    // close unanswered, and the window closes after it. A second one means
    // the user will not wait: the batch stops at once, and an open box
    // closes as its Escape would.
    if (batch_.Running()) {
        if (std::exchange(closeRequested_, true))
            StopAndClose();
        event->ignore();
        return;
    }
    // Outside a batch (its closing question, a hint) a box closes the same way.
    services_.boxes.CloseOpen();
    closing_ = true;
    event->accept();
}

void TForm1::StopAndClose() {
    stopRequested_ = true;
    closeRequested_ = true;
    // An open box or chooser waits in a loop of its own, above the batch's:
    // closed, a box as its Escape would and a chooser unanswered, it lets the
    // stop go on at once.
    services_.boxes.CloseOpen();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible() && qobject_cast<QDialog*>(window) != nullptr)
            window->close();
    if (batch_.Running())
        batch_.RequestStop(); // the batch's end closes the window
    else
        QTimer::singleShot(0, this, &QWidget::close);
}
