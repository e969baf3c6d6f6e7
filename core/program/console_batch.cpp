// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "console_batch.h"

#include "batch_driver.h"
#include "folder_scan.h"
#include "fs.h"
#include "process.h"
#include "progress_monitor.h"
#include "stop_signals.h"
#include "text.h"

#include <QCoreApplication>
#include <QString>

#include <chrono>
#include <numeric>
#include <optional>
#include <vector>

#include <sys/ioctl.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Columns a terminal gives a character: two for the wide ones of East Asian
// scripts, one for the rest.
int Columns(char32_t c) {
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                      (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                      (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                      (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F) ||
                      (c >= 0x20000 && c <= 0x3FFFD);
    return wide ? 2 : 1;
}

int Columns(const QString& text) {
    int columns = 0;
    for (const char32_t c : text.toUcs4())
        columns += Columns(c);
    return columns;
}

// text cut to at most columns, "…" marking the cut.
QString Fitted(const QString& text, int columns) {
    if (Columns(text) <= columns)
        return text;
    QString fitted;
    int used = 1;
    for (const char32_t c : text.toUcs4()) {
        if ((used += Columns(c)) > columns)
            break;
        fitted += QString::fromUcs4(&c, 1);
    }
    return fitted + QChar(0x2026);
}

// A file's name as a terminal may show it: control characters, which could
// move the cursor or worse, escaped.
QString ShownName(const std::string& path) {
    const std::optional<Path> named = Path::Of(path);
    return DisplayText(EscapedControls(named ? named->Name() : path));
}

// "1:05" or "2:03:09".
QString ClockText(long long seconds) {
    const auto two = [](long long n) { return QString::number(n).rightJustified(2, '0'); };
    if (seconds >= 3600)
        return QString::number(seconds / 3600) + ':' + two(seconds / 60 % 60) + ':' +
               two(seconds % 60);
    return QString::number(seconds / 60) + ':' + two(seconds % 60);
}

bool Ended(const ListItem& item) {
    return item.state == ItemState::Processed || item.state == ItemState::Failed ||
           item.state == ItemState::KeptBack;
}

// The window's side of a batch on a terminal: the questions answered by the
// options and never waited for, the progress on one line that redraws itself
// (or, into a file or a pipe, a line per item ended), the end told once.
class TerminalWindow : public ConversionWindow, public MessageService {
  public:
    TerminalWindow(const ProcessingList& list, const ConversionState& state,
                   const ConvertOptions& options, std::optional<Path> destination,
                   std::FILE* terminal, KeepAwake keepAwake)
        : list_(list), state_(state), options_(options), destination_(std::move(destination)),
          terminal_(terminal), drawn_(!options.quiet && ::isatty(::fileno(terminal)) == 1),
          keepAwake_(std::move(keepAwake)) {}

    void ShowConvertButton(bool) override {}
    void ShowAbortButton(bool) override {}
    void EnableClearButton(bool) override {}
    std::optional<Path> DestinationFolder() const override { return destination_; }
    void SetInformationLine(const std::string&) override {}
    // The line is drawn only where the driver handles events: by then the
    // monitor measures the item shown, not the one before it.
    void SetOutputPath(const Path&) override {}
    void SetFileProgress(int) override {}
    void SetOutputSizeText(const std::string&) override {}
    void MakeItemVisible(int) override {}
    void SetOverallProgress(int) override {
        for (; ended_ < list_.Count() && Ended(list_.ItemAt(ended_)); ++ended_) {
            bytesEnded_ += SizeOf(ended_);
            if (!drawn_ && !options_.quiet)
                Say(ItemEndedLine(list_.ItemAt(ended_)));
        }
    }
    void EnableProgressTimer(bool enabled) override {
        // The machine stays awake while decoders run, as for the window.
        awake_.reset();
        if (enabled && keepAwake_)
            awake_ = keepAwake_(Translate("ConsoleBatch", "MPEGオーディオをWAVに変換しています"));
        started_ = Clock::now();
        if (!enabled)
            return;
        // The batch's progress is its audio's: each source counts by its size.
        sizes_.clear();
        for (int i = 0; i < list_.Count(); ++i)
            sizes_.push_back(double(FileSize(list_.ItemAt(i).caption).value_or(0)));
        totalBytes_ = std::accumulate(sizes_.begin(), sizes_.end(), 0.0);
    }
    void DispatchEvents() override {
        QCoreApplication::processEvents();
        DrawNow();
    }
    void DispatchEventsButDrawing() override { QCoreApplication::processEvents(); }
    void BatchEnded(int converted, int failed, bool) override {
        ended = true;
        converted_ = converted;
        failed_ = failed;
    }

    // A hint of the header reader, for the item about to start.
    void Message(const std::string& text) override {
        for (int i = ended_; i < list_.Count() && !options_.quiet; ++i)
            if (list_.ItemAt(i).state == ItemState::Waiting &&
                list_.ItemAt(i).failureReason.empty()) {
                Say(FillIn("brindlecot: %1: ", Utf8Bytes(ShownName(list_.ItemAt(i).caption))) +
                    text + "\n");
                break;
            }
    }
    void Report(const std::string& text, const std::string& details) override {
        report = BatchReport{text, details};
    }
    ConfirmAnswer Confirm(const std::string&, ConfirmButtons buttons) override {
        // Before the batch: replacing (whose default is no), then folders of
        // their own; after it, the list is ours alone and stays as it is.
        const bool yes =
            !ended && (buttons == ConfirmButtons::YesNoDefaultNo ? options_.replace
                                                                 : options_.separateFolders);
        return buttons == ConfirmButtons::Ok ? ConfirmAnswer::Ok
                                             : (yes ? ConfirmAnswer::Yes : ConfirmAnswer::No);
    }

    // Writes text on the terminal, above the progress line; control
    // characters of names in it, which could move the cursor or worse, as "?".
    void Say(std::string text) {
        Clear();
        for (char& c : text)
            if ((static_cast<unsigned char>(c) < 0x20 && c != '\n') || c == 0x7F)
                c = '?';
        std::fputs(text.c_str(), terminal_);
        std::fflush(terminal_);
    }
    void Clear() {
        if (std::exchange(lineShown_, false))
            std::fputs("\r\033[K", terminal_);
    }
    // The batch's end as its closing box tells it; with --quiet, only the
    // items left without a WAV of their own.
    void Summarize(const std::optional<BatchReport>& found, int converted) {
        if (!options_.quiet)
            Say((found ? found->text : ConvertedCountText(converted)) + "\n");
        if (found)
            Say(found->details);
    }
    int Converted() const { return converted_; }
    int Failed() const { return failed_; }

    bool ended = false;
    std::optional<BatchReport> report;

  private:
    std::string ItemEndedLine(const ListItem& item) const {
        const QString outcome = DisplayText(item.state == ItemState::Processed
                                                ? Translate("ConsoleBatch", "変換しました")
                                                : EscapedControls(item.failureReason));
        return Utf8Bytes(DisplayText(Translate("ConsoleBatch", "[%1/%2] %3：%4\n"))
                             .arg(QString::number(ended_ + 1), QString::number(list_.Count()),
                                  ShownName(item.caption), outcome));
    }

    double SizeOf(int item) const {
        return std::size_t(item) < sizes_.size() ? sizes_[std::size_t(item)] : 0;
    }

    // At most ten times a second: short items would spend more on drawing than decoding.
    void DrawNow() {
        if (drawn_ && Clock::now() - lastDrawn_ >= std::chrono::milliseconds(100))
            Draw();
    }

    // The item shown is the earliest running one, the one the monitor measures.
    void Draw() {
        int shown = ended_;
        while (shown < list_.Count() && list_.ItemAt(shown).state != ItemState::Processing)
            ++shown;
        if (shown == list_.Count())
            return;
        lastDrawn_ = Clock::now();
        const auto progress = ReadOutputProgress(state_);
        const int percent = progress ? progress->percent : 0;
        // What is left, at the pace so far, by the sources' sizes.
        const double done = totalBytes_ > 0
                                ? (bytesEnded_ + SizeOf(shown) * percent / 100.0) / totalBytes_
                                : (ended_ + percent / 100.0) / list_.Count();
        const double seconds = std::chrono::duration<double>(lastDrawn_ - started_).count();
        const QString left = done > 0 && seconds >= 1
                                 ? ClockText(static_cast<long long>(seconds * (1 - done) / done))
                                 : QStringLiteral("-:--");
        const QString line =
            DisplayText(Translate("ConsoleBatch", "[%1/%2] %3 %4% (全体 %5%、残り %6)"));
        const auto filled = [&](const QString& name) {
            return line.arg(QString::number(shown + 1), QString::number(list_.Count()), name,
                            QString::number(percent), QString::number(int(done * 100)), left);
        };
        winsize size{};
        const int width = ::ioctl(::fileno(terminal_), TIOCGWINSZ, &size) == 0 && size.ws_col > 0
                              ? size.ws_col
                              : 80;
        // One column short of the width: a line that fills it would wrap on some terminals.
        const QString name = ShownName(list_.ItemAt(shown).caption);
        const std::string text =
            Utf8Bytes(filled(Fitted(name, std::max(8, width - 1 - Columns(filled({}))))));
        std::fprintf(terminal_, "\r%s\033[K", text.c_str());
        std::fflush(terminal_);
        lineShown_ = true;
    }

    const ProcessingList& list_;
    const ConversionState& state_;
    const ConvertOptions& options_;
    std::optional<Path> destination_;
    std::FILE* terminal_;
    bool drawn_; // a terminal, which gets the progress line
    KeepAwake keepAwake_;
    std::shared_ptr<void> awake_;
    int ended_ = 0, converted_ = 0, failed_ = 0;
    std::vector<double> sizes_; // of the sources, by place in the list
    double bytesEnded_ = 0, totalBytes_ = 0;
    bool lineShown_ = false;
    Clock::time_point started_ = Clock::now(), lastDrawn_;
};

} // namespace

int ConvertFromCommandLine(const std::vector<std::string>& names, const ConvertOptions& options,
                           const std::string& workingFolder, std::FILE* terminal,
                           const KeepAwake& keepAwake, std::function<std::string()> decoderPath) {
    auto say = [terminal](const std::string& text) { std::fputs(text.c_str(), terminal); };
    bool missing = false;
    const std::vector<NamedPath> paths =
        LookAtNames(names, workingFolder, [&](const std::string& name) {
            say(MissingNameText(name));
            missing = true;
        });
    std::optional<Path> destination;
    if (!options.destination.empty()) {
        const auto found = HandOverPaths({options.destination}, workingFolder, [](auto&) {});
        if (found.empty() || !IsFolder(found.front())) {
            say(FillIn(Translate("ConsoleBatch", "brindlecot: %1: フォルダがありません\n"),
                       EscapedControls(options.destination)));
            missing = true;
        } else {
            destination = Path::Of(found.front());
        }
    }
    if (missing)
        return 2;

    ProcessingList list;
    list.AppendMany(GatherDroppedPaths(paths, options.subfolders));
    if (list.Count() == 0) {
        say(Translate("ConsoleBatch", "brindlecot: 変換するMPEGオーディオファイルがありません\n"));
        return 1;
    }
    ConversionState state;
    TerminalWindow window(list, state, options, destination, terminal, keepAwake);
    BatchDriver driver(list, state, window, window, std::move(decoderPath));
    driver.CarryTags(options.tags);
    // A source that can't be read fails alone: the rest of the batch goes on.
    driver.EndBatchOnUnreadable(false);
    int stoppedBy = 0;
    const StopSignals stop([&](int signal) {
        stoppedBy = signal;
        driver.RequestStop();
    });
    driver.Convert(options.jobs == 0 ? UsableCores() : options.jobs);
    window.Clear();
    if (stoppedBy != 0)
        return 128 + stoppedBy;
    window.Summarize(window.report, window.Converted());
    // A source kept back because its WAV was there already stays a success:
    // a second run finishes a batch.
    return window.Failed() > 0 || driver.KeptBackForOthers() > 0 ? 1 : 0;
}
