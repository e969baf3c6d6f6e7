// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <stdexcept>
#include <string>

// YesNoDefaultNo: the same two buttons, with "いいえ(&N)" the default, for a
// question whose "yes" destroys something, so that no stray key answers it.
enum class ConfirmButtons { YesNo, YesNoDefaultNo, Ok };
enum class ConfirmAnswer { Yes, No, Ok, None };

// The modal boxes the core may show; the window provides them, tests fake them.
class MessageService {
  public:
    virtual ~MessageService() = default;
    // Message box: application title as caption, no icon, "OK".
    virtual void Message(const std::string& text) = 0;
    // The same, with details the user can read with the keyboard, select and copy.
    virtual void Report(const std::string& text, const std::string& details) = 0;
    // Confirmation box "確認". None when closed by the title-bar button.
    virtual ConfirmAnswer Confirm(const std::string& text, ConfirmButtons buttons) = 0;
};

// An error the user must see in the error box; its text is complete as it stands.
class UserError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
