// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The real boxes and desktop services of the window.

#include "window_services.h"

#include <QAbstractNativeEventFilter>
#include <QPointer>

#include <cstdint>
#include <vector>

class QMessageBox;
class QWidget;

// Links window to owner's window so that any window manager keeps it above
// owner, always-on-top or not, without owner taking over its lifetime.
void StandAbove(QWidget& window, const QWidget* owner);

class QtBoxes : public WindowBoxes {
  public:
    // The main window, once it exists; until then the boxes stand alone.
    void SetOwner(const QWidget* owner) { owner_ = owner; }
    void Message(const std::string& text) override;
    void Report(const std::string& text, const std::string& details) override;
    ConfirmAnswer Confirm(const std::string& text, ConfirmButtons buttons) override;
    void Error(const std::string& text) override;
    void CloseOpen() override;

  private:
    // The box goes above the window in use (the chooser, for its own boxes), else the owner.
    const QWidget* Owner() const;
    // Shows box until it is answered, known as open meanwhile.
    void Show(QMessageBox& box);

    const QWidget* owner_ = nullptr;
    std::vector<QPointer<QMessageBox>> open_;
};

// Passes on the window manager's close of window while a modal box blocks
// it: Qt drops such a close, so the window's close would never run, nor
// could a second one close the box. On X11; elsewhere it hears nothing.
class CloseWhileBlocked : public QAbstractNativeEventFilter {
  public:
    explicit CloseWhileBlocked(QWidget& window);
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    QWidget& window_;
    std::uint32_t protocols_ = 0, deleteWindow_ = 0; // the atoms of the close
};

// The desktop entry ("name.desktop") of the default application for a MIME
// type, as the freedesktop lists in the XDG folders name it; empty when none.
std::string DefaultApplication(const std::string& mimeType);

// Opens files and addresses with xdg-open, started from the raw path bytes.
class XdgDesktopShell : public DesktopShell {
  public:
    void Open(const std::string& pathOrAddress) override;
    bool OpensWithThisProgram(const std::string& path) override;
};
