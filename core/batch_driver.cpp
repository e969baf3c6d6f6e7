// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "batch_driver.h"

#include "fs.h"
#include "mpeg_header.h"
#include "process.h"
#include "progress_monitor.h"
#include "text.h"

#include <algorithm>
#include <exception>
#include <map>
#include <memory>

#include <set>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Ends the batch's busy state on every way out, an error included.
class IdleOnExit {
  public:
    explicit IdleOnExit(std::function<void()> restore) : restore_(std::move(restore)) {}
    IdleOnExit(const IdleOnExit&) = delete;
    IdleOnExit& operator=(const IdleOnExit&) = delete;
    ~IdleOnExit() {
        if (restore_)
            restore_();
    }
    void Now() { std::exchange(restore_, nullptr)(); }

  private:
    std::function<void()> restore_;
};

// The header reader's boxes for an item that will not be decoded: a hint
// about its audio would only hold the batch.
class NoBoxes : public MessageService {
  public:
    void Message(const std::string&) override {}
    void Report(const std::string&, const std::string&) override {}
    ConfirmAnswer Confirm(const std::string&, ConfirmButtons) override {
        return ConfirmAnswer::None;
    }
};

} // namespace

DecoderOption OptionFor(const std::string& source, DecoderOption previous) {
    if (!IsMpegAudioPath(source))
        return previous;
    return AsciiLower(LastCharacters(source, 4)) == ".mpa" ? DecoderOption::DecodeMp2Input
                                                           : DecoderOption::Decode;
}

std::string ConvertedCountText(int converted) {
    return Translate("BatchDriver", "%n件を変換しました", nullptr, converted);
}

std::optional<Path> CommonFolder(const std::vector<Path>& folders) {
    std::optional<Path> common;
    for (const Path& folder : folders) {
        if (!common)
            common = folder;
        while (!folder.IsBelow(*common) && !common->IsRoot())
            common = common->Parent();
    }
    return common;
}

BatchDriver::BatchDriver(ProcessingList& list, ConversionState& state, ConversionWindow& window,
                         MessageService& boxes, std::function<std::string()> decoderPath,
                         std::function<bool(const std::string&)> caseBlind)
    : list_(list), state_(state), window_(window), boxes_(boxes),
      decoderPath_(std::move(decoderPath)), outputs_(std::move(caseBlind)) {}

void BatchDriver::RestoreIdle() {
    window_.ShowAbortButton(false);
    window_.ShowConvertButton(true);
    window_.EnableClearButton(true);
    window_.EnableProgressTimer(false);
    // Folders made for items that failed or were kept back would stay empty;
    // a folder that holds anything stays.
    for (auto folder = madeFolders_.rbegin(); folder != madeFolders_.rend(); ++folder)
        ::rmdir(folder->c_str());
    madeFolders_.clear();
    running_ = false;
}

void BatchDriver::Convert(std::optional<int> decodersAtOnce) {
    if (running_)
        return;
    running_ = true;
    state_.AbortRequested = false;
    stopRequested_ = false;
    failures_ = keptBack_ = converted_ = leftWaiting_ = 0;
    ended_.clear();
    failureDetails_.clear();
    separateFolders_ = false;
    realFolders_.clear();
    madeFolders_.clear();
    window_.ShowConvertButton(false);
    window_.ShowAbortButton(true);
    window_.EnableClearButton(false);
    IdleOnExit idle([this] { RestoreIdle(); });

    const std::string decoder = decoderPath_();
    // The batch converts the items there now, by identity: items deleted
    // meanwhile are passed over, items added meanwhile wait for the next batch.
    const int count = list_.Count();
    std::vector<ItemId> work;
    std::vector<std::string> sources;
    work.reserve(static_cast<std::size_t>(count));
    sources.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        work.push_back(list_.ItemAt(i).id);
        sources.push_back(list_.ItemAt(i).caption);
    }
    // Where the WAVs go is decided on the real folders: a ".." or a link in a
    // name leads where the file system says.
    std::vector<Path> folders;
    for (const std::string& source : sources)
        if (std::optional<Path> folder = RealFolderOf(source))
            folders.push_back(*std::move(folder));
    commonFolder_ = CommonFolder(folders);
    outputs_.Begin();
    AskAboutSameNames(sources);
    if (!stopRequested_)
        AskBeforeReplacing(sources);
    if (stopRequested_)
        return;

    window_.EnableProgressTimer(true);
    window_.SetOverallProgress(0);
    window_.SetFileProgress(0);
    const std::optional<int> converted =
        RunItems(decoder, work, std::max(1, decodersAtOnce.value_or(1)));
    if (!converted)
        return;

    converted_ = *converted;
    if (state_.AbortRequested)
        leftWaiting_ = static_cast<int>(std::count_if(work.begin(), work.end(), [this](ItemId id) {
            return !ended_.contains(id) && list_.IndexOf(id);
        }));
    idle.Now();
    window_.BatchEnded(*converted, failures_, state_.AbortRequested);
    if (const std::optional<BatchReport> report = EndReport())
        boxes_.Report(report->text, report->details);
    if (boxes_.Confirm(Translate("BatchDriver", "処理済みのリストを削除しますか？"),
                       ConfirmButtons::YesNo) == ConfirmAnswer::Yes)
        list_.DeleteProcessedItems();
}

void BatchDriver::AskAboutSameNames(const std::vector<std::string>& sources) {
    // Beside their sources, items of one name share a folder: folders of
    // their own would not tell them apart.
    const std::string destination = window_.DestinationText();
    if (!IsDestinationChosen(destination))
        return;
    std::map<std::string, std::set<std::string>> folders; // by output, of its sources
    std::map<std::string, int> items;
    for (const std::string& source : sources) {
        const std::string key = outputs_.Key(OutputPathFor(source, destination));
        const std::optional<Path> folder = RealFolderOf(source);
        folders[key].insert(folder ? folder->Bytes() : FolderOf(source));
        ++items[key];
    }
    int clashing = 0;
    for (const auto& [key, from] : folders)
        if (from.size() > 1)
            clashing += items[key];
    if (clashing == 0)
        return;
    // Escape, the title-bar button and a close of the window keep to one folder.
    const std::string question =
        Translate("BatchDriver",
                  "同じ名前のWAVファイルになる項目が%n件あります。"
                  "変換元のフォルダ構成を出力先に作って別々に保存しますか？",
                  nullptr, clashing);
    // No keeps the later items of one name back, as for names that meet in one folder.
    if (boxes_.Confirm(question, ConfirmButtons::YesNo) == ConfirmAnswer::Yes)
        separateFolders_ = true;
}

void BatchDriver::AskBeforeReplacing(const std::vector<std::string>& sources) {
    const int replaceable = outputs_.LookBeforeBatch(
        sources, [this](const std::string& source) { return OutputFor(source); });
    if (replaceable == 0)
        return;
    // Escape, the title-bar button and a close of the window all leave the files be.
    const std::string question =
        Translate("BatchDriver", "出力先に同じ名前のファイルが%n件あります。上書きしますか？",
                  nullptr, replaceable);
    outputs_.ApproveReplacing(boxes_.Confirm(question, ConfirmButtons::YesNoDefaultNo) ==
                              ConfirmAnswer::Yes);
}

std::string BatchDriver::OutputFor(const std::string& source) const {
    const std::string destination = window_.DestinationText();
    // A source outside the common folder (a caption edited meanwhile) goes
    // straight into the destination, where nobody was asked about replacing.
    const std::optional<std::string> below =
        separateFolders_ ? FolderBelowCommon(source) : std::nullopt;
    if (!below || below->empty() || !IsDestinationChosen(destination))
        return OutputPathFor(source, destination);
    return OutputPathFor(source, JoinPath(destination, *below));
}

std::optional<Path> BatchDriver::RealFolderOf(const std::string& source) const {
    const std::optional<Path> folder = Path::Of(FolderOf(source), WorkingFolder());
    if (!folder)
        return std::nullopt;
    auto [known, added] = realFolders_.try_emplace(folder->Bytes());
    if (added)
        known->second = folder->Resolved();
    return known->second;
}

std::optional<std::string> BatchDriver::FolderBelowCommon(const std::string& source) const {
    const std::optional<Path> folder = RealFolderOf(source);
    if (!folder || !commonFolder_)
        return std::nullopt;
    return folder->Below(*commonFolder_);
}

Verdict BatchDriver::PrepareFolderFor(const std::string& output) {
    if (const std::string destination = window_.DestinationText();
        IsDestinationChosen(destination)) {
        const std::optional<Path> here = WorkingFolder();
        const std::optional<Path> into = Path::Of(destination, here);
        const std::optional<Path> at = Path::Of(output, here);
        if (!into || !at || !at->Parent().IsBelow(*into))
            return {Translate("BatchDriver", "出力先フォルダの外には書き込みません")};
    }
    // Folders of their own for outputs of one name.
    if (const int error = separateFolders_ ? MakeFolders(FolderOf(output), 0777, &madeFolders_) : 0)
        return {PathErrorText(FolderOf(output), error)};
    return {};
}

std::string BatchDriver::DetailName(const std::string& source) const {
    const std::optional<std::string> below = FolderBelowCommon(source);
    if (!below || commonFolder_->IsRoot())
        return source;
    return JoinPath(*below, NameOf(source));
}

std::optional<BatchReport> BatchDriver::EndReport() const {
    if (failures_ == 0 && keptBack_ == 0 && leftWaiting_ == 0)
        return std::nullopt;
    BatchReport report;
    report.text = ConvertedCountText(converted_);
    if (keptBack_ > 0)
        report.text +=
            "\n" + Translate("BatchDriver", "%n件は同じ名前のファイルがあるため変換しませんでした",
                             nullptr, keptBack_);
    if (failures_ > 0)
        report.text += "\n" + Translate("BatchDriver", "%n件のファイルを変換できませんでした",
                                        nullptr, failures_);
    if (leftWaiting_ > 0)
        report.text += "\n" + Translate("BatchDriver", "%n件は中断したため変換していません",
                                        nullptr, leftWaiting_);
    report.details = failureDetails_;
    return report;
}

struct BatchDriver::InFlight {
    InFlight(std::size_t place, ItemId id, bool passedOver)
        : place(place), id(id), passedOver(passedOver) {}

    std::size_t place; // in the batch's work, which is the list's order
    ItemId id;
    bool passedOver; // deleted before its turn to start
    std::string source, output, outputKey, informationLine;
    // What the header reader found for it, for the progress monitor.
    std::int32_t durationMinutes = 0, durationSeconds = 0;
    std::int64_t expectedWavSize = 0;
    OutputCheck check;
    std::unique_ptr<TemporaryOutput> temporary;
    std::optional<Child> decoder;
    std::optional<RunOutcome> outcome; // once the decoder has ended
    std::optional<Verdict> verdict;    // decided without a decoder

    bool Running() const { return decoder.has_value(); }
    bool Finished() const { return passedOver || verdict || outcome; }
};

bool BatchDriver::EndItem(const InFlight& item, const Verdict& verdict) {
    if (verdict.Converted() && shownItem_ == item.place) {
        // The last tick may have seen the output midway, or not at all.
        if (const auto size = FileSize(item.output))
            window_.SetOutputSizeText(OutputSizeText(*size));
        window_.SetFileProgress(100);
    }
    ended_.insert(item.id);
    if (verdict.keptBack) {
        ++keptBack_;
    } else if (!verdict.Converted()) {
        ++failures_;
        failureDetails_ += DetailName(item.source) + ": " + verdict.reason + "\n";
        if (!verdict.decoderSaid.empty())
            failureDetails_ += "    " + verdict.decoderSaid + "\n";
    }
    if (const auto index = list_.IndexOf(item.id)) {
        if (verdict.keptBack)
            list_.SetKeptBack(*index, verdict.reason);
        else if (!verdict.Converted())
            list_.SetFailed(*index, verdict.reason);
        else
            list_.SetState(*index, ItemState::Processed);
    }
    return verdict.Converted();
}

std::optional<int> BatchDriver::RunItems(const std::string& decoder,
                                         const std::vector<ItemId>& work, int decodersAtOnce) {
    const int count = static_cast<int>(work.size());
    // Started, decided or passed over, not yet put in place: in list order. A
    // decoder left running on any way out is killed with its item, and its
    // unfinished WAV goes with its temporary file.
    std::deque<InFlight> items;
    std::size_t next = 0;
    DecoderOption option = DecoderOption::DecodeMp2Input;
    // A source the header reader can't open ends the batch once those before it are done.
    std::exception_ptr unreadable;
    int converted = 0;
    shownItem_.reset();
    // Each item holds its decoder's file open until its turn to be put in
    // place: behind one long item, the others wait within the descriptors
    // we may open.
    rlimit descriptors{};
    const std::size_t mostInFlight = ::getrlimit(RLIMIT_NOFILE, &descriptors) == 0
                                         ? std::clamp<std::size_t>(descriptors.rlim_cur / 4, 4, 256)
                                         : 64;

    for (;;) {
        // Ended decoders give their descriptors back at once: thousands of
        // items may wait for an earlier one.
        for (InFlight& item : items) {
            if (item.decoder && item.decoder->Ended()) {
                item.outcome = item.decoder->Finish();
                item.decoder.reset();
            }
        }

        // Put in place in list order, an item only after every one before it,
        // and the events handled after each, so that an abort or a close is
        // taken before anything new starts.
        bool settled = false;
        while (!items.empty() && items.front().Finished()) {
            if (Settle(items.front(), count))
                ++converted;
            items.pop_front();
            settled = true;
            window_.DispatchEvents();
            if (stopRequested_)
                return Stop(items);
        }
        if (settled)
            ShowEarliest(items);

        // Start what may start, in list order; a modal box of the header
        // reader holds the starts while the running decoders go on.
        const auto running = std::count_if(items.begin(), items.end(),
                                           [](const InFlight& item) { return item.Running(); });
        if (!unreadable && !state_.AbortRequested && next < work.size() &&
            running < decodersAtOnce && items.size() < mostInFlight) {
            const auto found = list_.IndexOf(work[next]);
            if (!found) {
                items.emplace_back(next, work[next], true);
                ++next;
                continue;
            }
            // One name, one WAV: an item whose output an earlier one is still
            // writing starts once that one is in place, and is judged then.
            const std::string key = outputs_.Key(OutputFor(list_.ItemAt(*found).caption));
            if (std::none_of(items.begin(), items.end(),
                             [&](const InFlight& item) { return item.outputKey == key; })) {
                InFlight item(next, work[next], false);
                item.source = list_.ItemAt(*found).caption;
                try {
                    Start(item, decoder, option, count, items.empty());
                    ++next;
                    items.push_back(std::move(item));
                    // Reading a later item's header replaced the estimate the
                    // monitor measures the shown one against.
                    if (const auto shown = Shown(items); shown != items.end())
                        MeasureShown(*shown);
                } catch (...) {
                    unreadable = std::current_exception();
                }
                if (stopRequested_)
                    return Stop(items);
                continue;
            }
        }

        if (items.empty() && (unreadable || state_.AbortRequested || next == work.size()))
            break;
        if (items.front().Finished())
            continue;
        std::vector<Child*> decoders;
        for (InFlight& item : items)
            if (item.decoder)
                decoders.push_back(&*item.decoder);
        WaitForAnyEnd(
            decoders, [this] { window_.DispatchEvents(); }, [this] { return stopRequested_; });
        if (stopRequested_)
            return Stop(items);
    }

    if (unreadable)
        std::rethrow_exception(unreadable);
    if (state_.AbortRequested)
        boxes_.Message(Translate("BatchDriver", "中断しました"));
    return converted;
}

void BatchDriver::Start(InFlight& item, const std::string& decoder, DecoderOption& option,
                        int count, bool shown) {
    // An item that will not be decoded gets no hint about its audio.
    NoBoxes noBoxes;
    const bool decodes = outputs_.Check(item.source, OutputFor(item.source)).MayRun();
    item.informationLine = ReadMpegAudioInfo(item.source, state_, decodes ? boxes_ : noBoxes);
    item.durationMinutes = state_.DurationMinutes;
    item.durationSeconds = state_.DurationSeconds;
    item.expectedWavSize = state_.ExpectedWavSize;
    if (shown) {
        shownItem_ = item.place;
        window_.SetInformationLine(item.informationLine);
    }
    // The reader's box may have let the destination or the list change.
    item.output = OutputFor(item.source);
    item.outputKey = outputs_.Key(item.output);
    option = OptionFor(item.source, option);
    if (const auto index = list_.IndexOf(item.id)) {
        list_.SetState(*index, ItemState::Processing);
        const bool last = static_cast<int>(item.place) == count - 1 || *index + 1 >= list_.Count();
        window_.MakeItemVisible(last ? *index : *index + 1);
    }
    if (shown)
        window_.SetOutputPathText(item.output);

    if (Verdict refused = PrepareFolderFor(item.output); !refused.Converted()) {
        item.verdict = std::move(refused);
        return;
    }
    item.check = outputs_.Check(item.source, item.output);
    if (!item.check.MayRun()) {
        item.verdict = item.check.verdict;
    } else {
        item.temporary = std::make_unique<TemporaryOutput>(item.output);
        if (!item.temporary->Made()) {
            item.verdict = Verdict{PathErrorText(item.output, item.temporary->Error())};
        } else {
            item.decoder.emplace(
                BuildDecoderCommand(decoder, option, item.source, item.temporary->DecoderPath())
                    .arguments,
                ChildOutput{.keepErrors = true, .passed = item.temporary->PassedDescriptor()});
            if (!item.decoder->Started()) {
                item.outcome = item.decoder->Finish();
                item.decoder.reset();
            }
        }
    }
}

void BatchDriver::MeasureShown(const InFlight& item) {
    if (item.temporary)
        state_.OutputPath = item.temporary->MeasuredPath();
    state_.DurationMinutes = item.durationMinutes;
    state_.DurationSeconds = item.durationSeconds;
    state_.ExpectedWavSize = item.expectedWavSize;
}

bool BatchDriver::Settle(InFlight& item, int count) {
    bool done = false;
    if (!item.passedOver) {
        Verdict verdict;
        if (item.verdict)
            verdict = *item.verdict;
        else if (verdict = DecoderVerdict(*item.outcome, *item.temporary); verdict.Converted())
            verdict = outputs_.PutInPlace(*item.temporary, item.source, item.output, item.check);
        item.temporary.reset();
        done = EndItem(item, verdict);
    }
    window_.SetOverallProgress(static_cast<int>((item.place + 1) * 100.0 / count));
    return done;
}

std::deque<BatchDriver::InFlight>::const_iterator
BatchDriver::Shown(const std::deque<InFlight>& items) const {
    return std::find_if(items.begin(), items.end(),
                        [this](const InFlight& item) { return shownItem_ == item.place; });
}

void BatchDriver::ShowEarliest(const std::deque<InFlight>& items) {
    const auto earliest = std::find_if(items.begin(), items.end(),
                                       [](const InFlight& item) { return !item.passedOver; });
    if (earliest == items.end() || shownItem_ == earliest->place)
        return;
    shownItem_ = earliest->place;
    window_.SetInformationLine(earliest->informationLine);
    window_.SetOutputPathText(earliest->output);
    MeasureShown(*earliest);
}

std::optional<int> BatchDriver::Stop(std::deque<InFlight>& items) {
    // Not converted: the items are left as waiting for another batch.
    for (InFlight& item : items) {
        if (item.decoder)
            item.decoder->Kill();
        if (const auto index = list_.IndexOf(item.id); index && !item.passedOver)
            list_.SetState(*index, ItemState::Waiting);
    }
    items.clear();
    return std::nullopt;
}
