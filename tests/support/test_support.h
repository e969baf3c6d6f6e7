// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the tests and the benchmarks share: a temporary folder, files written
// and read byte by byte, inputs made at run time, programs run through the
// core's own spawn, the stand-in decoder, and boxes and a window that record
// what they were asked.

#include "batch_driver.h"
#include "fs.h"
#include "message_service.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

// A fresh folder under /tmp, removed with everything in it at any depth,
// whatever permissions a test took away inside it.
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

// An absolute path's text as a Path.
inline Path AsPath(std::string_view absolute) {
    return *Path::Of(absolute);
}

void WriteFile(const std::string& path, const std::string& bytes, mode_t mode = 0644);
std::string ReadFile(const std::string& path);

// How many entries a folder holds, hidden ones included.
std::size_t EntriesIn(const std::string& folder);

// The SHA-256 of a file's bytes, in hex: to show a file was left as it was.
std::string Sha256Of(const std::string& path);

// text in single quotes for sh, quotes inside it escaped.
std::string ShellQuote(const std::string& text);

// The real decoder: beside the running executable, else on PATH; empty when neither.
std::string FindLame();

// The stand-in decoder (stand_in_decoder.cpp tells what each source name makes
// it do), linked into folder as "decoder", beside which it keeps calls.log and
// held.pid; its path there.
std::string PlaceStandInDecoder(const std::string& folder);

// The first executable name in PATH's absolute folders; name itself when none.
std::string ProgramPath(const std::string& name);

// Runs a program through the core's spawn (looked up in PATH unless a path
// is given) and waits; its exit code, -1 when it did not start or was killed.
int RunProgram(std::vector<std::string> arguments);

// The same, with its standard output going to outputFd.
int RunProgram(std::vector<std::string> arguments, int outputFd);

// What a program printed on its standard output; empty when it did not run.
std::string OutputOf(std::vector<std::string> arguments);

// A 16-bit stereo 44.1 kHz WAV file holding a 440 Hz tone: its bytes, or
// written to path without holding it in memory.
std::string ToneWav(double seconds);
void WriteToneWav(const std::string& path, double seconds);

// padding + 4 bytes (at least four frames) of MPEG-1 Layer III, 128 kbit/s,
// 44.1 kHz, joint stereo: an Info frame that counts one frame of audio (whose
// WAV lame makes 623 sample frames long), three silent frames, then zeros.
std::string Layer3Stream(std::size_t padding);

// Silent MPEG-1 frames of Layer I, II or III, 128 kbit/s, 44.1 kHz, stereo,
// which the real decoder reads whole: 384 (Layer I) or 1152 samples each.
std::string MpegFrames(int layer, std::size_t frames);

// Tags written into an MP3 file as a tag editor writes them.
struct Id3Tags {
    int version = 4; // of the ID3v2 tag, 3 or 4; 0 for none
    // Text frames (id, text), in UTF-16 or UTF-8; with latin1, marked
    // ISO-8859-1 and holding the bytes as given.
    std::vector<std::pair<std::string, std::string>> frames = {};
    bool latin1 = false;
    std::string cover = {};                  // a front cover's bytes, when any
    std::string v1Title = {}, v1Artist = {}; // an ID3v1 tag when either is set, the bytes as given
};
void WriteId3Tags(const std::string& mp3, const Id3Tags& tags);

// Records every box; answers the confirmation with a preset answer, or with
// what decide says when it is set. onBox runs after a message is recorded,
// while the box would be up. Boxes is the service recorded: the core's, or
// the window's with its error box (window_fakes.h).
template <class Boxes> class RecordingBoxesFor : public Boxes {
  public:
    void Message(const std::string& text) override {
        messages.push_back(text);
        if (onBox)
            onBox();
    }
    void Report(const std::string& text, const std::string& detailText) override {
        details.push_back(detailText);
        Message(text);
    }
    ConfirmAnswer Confirm(const std::string& text, ConfirmButtons shown) override {
        questions.push_back(text);
        buttons.push_back(shown);
        return decide ? decide(text) : answer;
    }
    std::vector<std::string> messages, details;
    std::vector<std::string> questions;
    std::vector<ConfirmButtons> buttons;
    ConfirmAnswer answer = ConfirmAnswer::No;
    std::function<ConfirmAnswer(const std::string&)> decide;
    std::function<void()> onBox;
};
using RecordingBoxes = RecordingBoxesFor<MessageService>;

// A window for the batch driver that records what it is told, or, made Idle
// for the benchmarks, only answers.
class FakeWindow : public ConversionWindow {
  public:
    enum Mode { Recording, Idle };
    explicit FakeWindow(Mode mode = Recording) : recording_(mode == Recording) {}

    void ShowConvertButton(bool shown) override { Log(shown ? "convert shown" : "convert hidden"); }
    void ShowAbortButton(bool shown) override { Log(shown ? "abort shown" : "abort hidden"); }
    void EnableClearButton(bool on) override { Log(on ? "clear enabled" : "clear disabled"); }
    std::optional<Path> DestinationFolder() const override {
        return DestinationNamedBy(destination);
    }
    void SetInformationLine(const std::string& line) override { Keep(infoLines, line); }
    void SetOutputPath(const Path& path) override { Keep(outputs, path.Bytes()); }
    void SetOverallProgress(int percent) override { Keep(overall, percent); }
    void SetFileProgress(int percent) override { Keep(file, percent); }
    void SetOutputSizeText(const std::string& text) override { Keep(sizeTexts, text); }
    void EnableProgressTimer(bool on) override { Log(on ? "timer on" : "timer off"); }
    void MakeItemVisible(int index) override { Keep(visible, index); }
    void DispatchEvents() override {
        ++dispatches;
        if (onDispatch)
            onDispatch();
    }
    void DispatchEventsButDrawing() override {
        ++betweenItems;
        DispatchEvents();
    }
    void Log(const std::string& what) { Keep(events, what); }

    std::string destination;
    std::vector<std::string> events, infoLines, outputs, sizeTexts;
    std::vector<int> overall, file, visible;
    int dispatches = 0, betweenItems = 0;
    std::function<void()> onDispatch;

  private:
    template <class T> void Keep(std::vector<T>& into, const T& what) {
        if (recording_)
            into.push_back(what);
    }

    bool recording_;
};
