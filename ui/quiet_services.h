// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Services for running the window with nobody at it (the screenshot tool, the
// benchmarks): boxes answer no at once, errors go to standard error.

#include "window_services.h"

#include <cstdio>

class QuietBoxes : public WindowBoxes {
  public:
    void Message(const std::string&) override {}
    void Report(const std::string&, const std::string&) override {}
    ConfirmAnswer Confirm(const std::string&, ConfirmButtons) override { return ConfirmAnswer::No; }
    void Error(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

class NoFolderChooser : public FolderChooser {
  public:
    void SelectFolder(const std::string&, std::string&) override {}
};

class NoDesktopShell : public DesktopShell {
  public:
    void Open(const std::string&) override {}
};

class NoNotifier : public DesktopNotifier {
  public:
    void Notify(const std::string&, const std::string&) override {}
    // For windows that are handed none: it holds nothing.
    static NoNotifier& Instance() {
        static NoNotifier none;
        return none;
    }
};

class NoSleepInhibitor : public SleepInhibitor {
  public:
    std::unique_ptr<Token> Hold(const std::string&) override { return nullptr; }
    // For windows that are handed none: it holds nothing.
    static NoSleepInhibitor& Instance() {
        static NoSleepInhibitor none;
        return none;
    }
};
