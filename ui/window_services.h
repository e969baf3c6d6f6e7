// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The side effects of the window, one small interface each, handed in by
// constructor so that tests replace them.

#include "message_service.h"

#include <memory>
#include <string>

// The boxes the window shows: the core's message and confirmation boxes and
// the error box (stop icon) for errors no handler catches.
class WindowBoxes : public MessageService {
  public:
    virtual void Error(const std::string& text) = 0;
    // Closes every box that is open as its Escape key would (a question's
    // no, a message's OK), the innermost first: the window is closing.
    virtual void CloseOpen() {}
};

// Chooses a folder; result is left as it was when nothing usable is chosen.
class FolderChooser {
  public:
    virtual ~FolderChooser() = default;
    virtual void SelectFolder(const std::string& initialFolder, std::string& result) = 0;
};

// The desktop's "open": a file with its default application, an address with the browser.
class DesktopShell {
  public:
    virtual ~DesktopShell() = default;
    virtual void Open(const std::string& pathOrAddress) = 0;
    // True when the desktop would open the file with this program itself.
    virtual bool OpensWithThisProgram(const std::string& /*path*/) { return false; }
};

// A word on the desktop for a user who is busy elsewhere: nothing when the
// desktop has no way to show it.
class DesktopNotifier {
  public:
    virtual ~DesktopNotifier() = default;
    virtual void Notify(const std::string& summary, const std::string& body) = 0;
};

// Keeps the machine from sleeping while a batch runs: awake for as long as
// the token Hold gives lives; no token when the desktop surely offers no way.
// Hold never waits for the desktop.
class SleepInhibitor {
  public:
    class Token {
      public:
        virtual ~Token() = default;
    };
    virtual ~SleepInhibitor() = default;
    virtual std::unique_ptr<Token> Hold(const std::string& reason) = 0;
};

// Passes boxes through until the window is closing; from then on every box
// closes at once without an answer.
class BoxesUntilClose : public MessageService {
  public:
    BoxesUntilClose(MessageService& boxes, const bool& closing)
        : boxes_(boxes), closing_(closing) {}
    void Message(const std::string& text) override {
        if (!closing_)
            boxes_.Message(text);
    }
    void Report(const std::string& text, const std::string& details) override {
        if (!closing_)
            boxes_.Report(text, details);
    }
    ConfirmAnswer Confirm(const std::string& text, ConfirmButtons buttons) override {
        return closing_ ? ConfirmAnswer::None : boxes_.Confirm(text, buttons);
    }

  private:
    MessageService& boxes_;
    const bool& closing_;
};
