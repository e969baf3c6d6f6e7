// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the tests and the benchmarks share: a temporary folder, files written
// and read byte by byte, inputs made at run time, and boxes that record what
// they were asked.

#include "fs.h"
#include "message_service.h"

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

// A fresh folder under /tmp, removed with everything in it.
class TempFolder {
  public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// Works in folder while it lives, then goes back to the folder it was in.
class CurrentFolder {
  public:
    explicit CurrentFolder(const std::string& folder);
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;
    ~CurrentFolder();

  private:
    std::string saved_;
};

void WriteFile(const std::string& path, const std::string& bytes, mode_t mode = 0644);
std::string ReadFile(const std::string& path);

// The SHA-256 of a file's bytes, in hex: to show a file was left as it was.
std::string Sha256Of(const std::string& path);

// text in single quotes for sh, quotes inside it escaped.
std::string ShellQuote(const std::string& text);

// The real decoder: beside the running executable, else on PATH; empty when neither.
std::string FindLame();

// A 16-bit stereo 44.1 kHz WAV file holding a 440 Hz tone: its bytes, or
// written to path without holding it in memory.
std::string ToneWav(double seconds);
void WriteToneWav(const std::string& path, double seconds);

// An MPEG-1 Layer III header, 128 kbit/s, 44.1 kHz, joint stereo, then padding zeros.
std::string Layer3Stream(std::size_t padding);

// Records every box; answers the confirmation with a preset answer, or with
// what decide says when it is set.
class RecordingBoxes : public MessageService {
  public:
    void Message(const std::string& text) override { messages.push_back(text); }
    ConfirmAnswer Confirm(const std::string& text, ConfirmButtons shown) override {
        questions.push_back(text);
        buttons.push_back(shown);
        return decide ? decide(text) : answer;
    }
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<ConfirmButtons> buttons;
    ConfirmAnswer answer = ConfirmAnswer::No;
    std::function<ConfirmAnswer(const std::string&)> decide;
};
