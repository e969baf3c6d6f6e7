// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "batch_driver.h"

#include "fs.h"
#include "mpeg_header.h"
#include "process.h"
#include "progress_monitor.h"
#include "text.h"
#include "wav_tags.h"

#include <algorithm>
#include <exception>
#include <map>
#include <memory>

#include <set>

#include <fcntl.h>
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

DecoderOption OptionFor(const std::string& source, DecoderOption previous, int layer) {
    // lame decodes only the layer its option names: a Layer III ".mpa" read
    // as Layer II gives a few bytes of noise and success.
    const std::string extension = AsciiLower(LastCharacters(source, 4));
    const int extensionLayer = extension == ".mp3" ? 3 : IsMpegAudioPath(source) ? 2 : 0;
    if (layer == 0 || layer == extensionLayer) {
        if (extensionLayer == 0)
            return previous;
        return extension == ".mpa" ? DecoderOption::DecodeMp2Input : DecoderOption::Decode;
    }
    return layer == 1   ? DecoderOption::DecodeMp1Input
           : layer == 2 ? DecoderOption::DecodeMp2Input
                        : DecoderOption::DecodeMp3Input;
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
    shownFile_ = UniqueFd();
    // Folders made for items that failed or were kept back would stay empty.
    outputs_.RemoveFoldersLeftEmpty();
    running_ = false;
}

void BatchDriver::Convert(std::optional<int> decodersAtOnce) {
    if (running_)
        return;
    running_ = true;
    state_.AbortRequested = false;
    stopRequested_ = false;
    failures_ = keptBack_ = keptBackForOthers_ = converted_ = leftWaiting_ = 0;
    ended_.clear();
    failureDetails_.clear();
    separateFolders_ = false;
    realFolders_.clear();
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
        // A reason belongs to its batch: one this batch never reaches says nothing.
        if (!list_.ItemAt(i).failureReason.empty())
            list_.SetState(i, ItemState::Waiting);
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
    // Where an item is between its preparation and its being put in place.
    enum class Stage {
        Ready,      // prepared: header read, output looked at, the decoder's files open
        Running,    // its decoder runs
        Finished,   // its decoder has ended
        Decided,    // its verdict came without a decoder
        PassedOver, // deleted from the list before its turn
    };

    InFlight(std::size_t place, ItemId id) : place(place), id(id) {}

    std::size_t place; // in the batch's work, which is the list's order
    ItemId id;
    Stage stage = Stage::Ready;
    std::string source, output, outputKey;
    MpegAudioInfo header;
    MpegStream stream;
    std::exception_ptr unreadable; // the header reader's error, told at the item's turn
    DecoderOption option = DecoderOption::DecodeMp2Input;
    OutputCheck check;
    bool outputLooked = false; // check tells what was at the output then
    std::unique_ptr<TemporaryOutput> temporary;
    std::vector<std::string> command; // the decoder's, once its files are open
    std::optional<Child> decoder;
    std::optional<RunOutcome> outcome; // once the decoder has ended
    std::optional<Verdict> verdict;    // decided without a decoder
    SourceTags tags;                   // what its WAV will carry

    bool Done() const {
        return stage == Stage::Finished || stage == Stage::Decided || stage == Stage::PassedOver;
    }
    void Decide(Verdict decided) {
        verdict = std::move(decided);
        stage = Stage::Decided;
    }
};

bool BatchDriver::EndItem(const InFlight& item, const Verdict& verdict) {
    if (verdict.Converted() && shownItem_ == item.place) {
        // The last tick may have seen the output midway, or not at all.
        if (const auto size = FileSize(item.output))
            window_.SetOutputSizeText(OutputSizeText(*size));
        window_.SetFileProgress(100);
    }
    ended_.insert(item.id);
    if (verdict.keptBack)
        ++keptBack_;
    else if (!verdict.Converted())
        ++failures_;
    keptBackForOthers_ += verdict.madeByThisBatch ? 1 : 0;
    // Every item left without a WAV of its own, one line each, whatever its name holds.
    if (!verdict.Converted() && (!verdict.keptBack || verdict.madeByThisBatch)) {
        failureDetails_ += LabelledText(EscapedControls(DetailName(item.source)),
                                        EscapedControls(verdict.reason)) +
                           "\n";
        if (!verdict.decoderSaid.empty())
            failureDetails_ += "    " + EscapedControls(verdict.decoderSaid) + "\n";
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

namespace {

// Why an item failed for something nothing foresaw, in the user's words: what
// was thrown means nothing to them.
Verdict UnexpectedFailure() {
    return Verdict{Translate("BatchDriver", "予期しないエラーのため変換できませんでした")};
}

} // namespace

std::optional<int> BatchDriver::RunItems(const std::string& decoder,
                                         const std::vector<ItemId>& work, int decodersAtOnce) {
    const int count = static_cast<int>(work.size());
    // Started, decided or passed over, not yet put in place: in list order. A
    // decoder left running on any way out is killed with its item, and its
    // unfinished WAV goes with its temporary file.
    std::deque<InFlight> items;
    // The next item, prepared while decoders run; closed, leaving nothing,
    // when it does not start.
    std::optional<InFlight> ready;
    std::size_t next = 0;
    DecoderOption option = DecoderOption::DecodeMp2Input; // the last started item's
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

    try {
        for (;;) {
            // Running to finished: ended decoders give their descriptors back
            // at once, thousands of items may wait for an earlier one.
            for (InFlight& item : items) {
                if (item.stage == InFlight::Stage::Running && item.decoder->Ended()) {
                    item.outcome = item.decoder->Finish();
                    item.decoder.reset();
                    item.stage = InFlight::Stage::Finished;
                }
            }

            // Done to put in place, in list order, an item only after every
            // one before it, and the events handled after each, so that an
            // abort or a close is taken before anything new starts.
            bool settled = false;
            while (!items.empty() && items.front().Done()) {
                if (Settle(items.front(), count))
                    ++converted;
                items.pop_front();
                settled = true;
                window_.DispatchEventsButDrawing();
                if (stopRequested_)
                    return Stop(items, ready);
            }
            if (settled)
                ShowEarliest(items);

            // What was prepared and will not start is closed, leaving nothing.
            if (unreadable || state_.AbortRequested || next == work.size()) {
                ready.reset();
            } else if (items.size() < mostInFlight) {
                const auto running =
                    std::count_if(items.begin(), items.end(), [](const InFlight& item) {
                        return item.stage == InFlight::Stage::Running;
                    });
                // Nothing to ready: the next item is prepared, and looked at
                // again when its decoder may start. Ready to running.
                if (ready && running < decodersAtOnce && !StillAsPrepared(*ready))
                    ready.reset();
                // Short of descriptors, the next item waits for a decoder's
                // end: fewer run at once, and only one that can't start alone fails.
                if (!ready && (items.empty() || DescriptorsFree(kDescriptorsToPrepare)))
                    if (auto prepared = Prepare(next, work[next], decoder, option, items))
                        ready.emplace(std::move(*prepared));
                if (ready && running < decodersAtOnce &&
                    (running == 0 || ready->stage != InFlight::Stage::Ready ||
                     DescriptorsFree(kDescriptorsToStart))) {
                    if (ready->unreadable) {
                        unreadable = ready->unreadable;
                        ready.reset();
                        continue;
                    }
                    if (ready->stage != InFlight::Stage::PassedOver) {
                        if (!Start(*ready, decoder, count, items.empty())) {
                            ready.reset();
                            continue;
                        }
                        option = ready->option;
                    }
                    items.push_back(std::move(*ready));
                    ready.reset();
                    ++next;
                    // Reading a later item's header replaced the estimate the
                    // monitor measures the shown one against.
                    if (const auto shown = Shown(items); shown != items.end())
                        MeasureShown(*shown);
                    if (stopRequested_)
                        return Stop(items, ready);
                    continue;
                }
            }

            if (items.empty() && (unreadable || state_.AbortRequested || next == work.size()))
                break;
            if (items.empty() || items.front().Done())
                continue;
            std::vector<Child*> decoders;
            for (InFlight& item : items)
                if (item.decoder)
                    decoders.push_back(&*item.decoder);
            // What was left undrawn between items is drawn while the decoders run.
            window_.DispatchEvents();
            if (stopRequested_)
                return Stop(items, ready);
            const auto dispatch = [&] {
                for (InFlight& item : items)
                    if (item.stage == InFlight::Stage::Running && item.temporary)
                        item.temporary->TakeOverCloseFlush();
                window_.DispatchEvents();
            };
            WaitForAnyEnd(decoders, dispatch, [this] { return stopRequested_; });
            if (stopRequested_)
                return Stop(items, ready);
        }
    } catch (...) {
        // What nothing foresaw stops the batch as a stop would, and the user
        // is told so in words of ours before the closing question.
        Stop(items, ready);
        boxes_.Message(Translate("BatchDriver", "予期しないエラーのため変換を中止しました"));
        return converted;
    }

    if (unreadable)
        std::rethrow_exception(unreadable);
    if (state_.AbortRequested)
        boxes_.Message(Translate("BatchDriver", "中断しました"));
    return converted;
}

std::optional<BatchDriver::InFlight> BatchDriver::Prepare(std::size_t place, ItemId id,
                                                          const std::string& decoder,
                                                          DecoderOption previous,
                                                          const std::deque<InFlight>& items) {
    InFlight item(place, id);
    const auto index = list_.IndexOf(id);
    if (!index) {
        item.stage = InFlight::Stage::PassedOver;
        return item;
    }
    item.source = list_.ItemAt(*index).caption;
    item.output = OutputFor(item.source);
    item.outputKey = outputs_.Key(item.output);
    // One name, one WAV: an item whose output an earlier one is still
    // writing is prepared once that one is in place, and is judged then.
    if (std::any_of(items.begin(), items.end(),
                    [&](const InFlight& earlier) { return earlier.outputKey == item.outputKey; }))
        return std::nullopt;
    try {
        item.header = ReadMpegAudioHeader(item.source, &item.stream);
    } catch (const UserError& error) {
        if (unreadableEndsBatch_)
            item.unreadable = std::current_exception();
        else
            item.Decide(Verdict{error.what()});
        return item;
    } catch (...) {
        item.Decide(UnexpectedFailure());
        return item;
    }
    item.option = OptionFor(item.source, previous, item.header.layer);
    // lame makes a WAV of noise of anything with a frame sync, and exits 0.
    if (!item.stream.isMpegAudio)
        item.Decide(Verdict{Translate("BatchDriver", "MPEGオーディオとして読めません")});
    // Folders of their own are made only when the item starts.
    else if (!separateFolders_)
        OpenOutput(item, decoder);
    if (carryTags_ && item.stage == InFlight::Stage::Ready)
        item.tags = SourceTags(item.source);
    return item;
}

bool BatchDriver::StillAsPrepared(const InFlight& item) const {
    if (item.stage == InFlight::Stage::PassedOver)
        return true;
    const auto index = list_.IndexOf(item.id);
    return index && list_.ItemAt(*index).caption == item.source && !item.unreadable &&
           OutputFor(item.source) == item.output &&
           StampAt(item.source, true) == item.header.file &&
           (!item.outputLooked || StampAt(item.output) == item.check.before);
}

void BatchDriver::OpenOutput(InFlight& item, const std::string& decoder) {
    try {
        // Its folder opened and judged, and made when outputs take folders of their own.
        item.check =
            outputs_.Open(item.source, item.output, window_.DestinationText(), separateFolders_);
        item.outputLooked = true;
        if (!item.check.MayRun())
            return item.Decide(item.check.verdict);
        item.temporary = std::make_unique<TemporaryOutput>(item.check.folder, NameOf(item.output));
        if (!item.temporary->Made())
            return item.Decide(Verdict{PathErrorText(item.output, item.temporary->Error())});
        item.command =
            BuildDecoderCommand(decoder, item.option, item.source, item.temporary->DecoderPath())
                .arguments;
    } catch (...) {
        item.temporary.reset();
        item.Decide(UnexpectedFailure());
    }
}

bool BatchDriver::Start(InFlight& item, const std::string& decoder, int count, bool shown) {
    try {
        // An item that will not be decoded gets no hint about its audio.
        NoBoxes noBoxes;
        const bool decodes =
            item.stage == InFlight::Stage::Ready &&
            (item.outputLooked || outputs_.Check(item.source, item.output).MayRun());
        TakeMpegAudioInfo(item.source, item.header, state_, decodes ? boxes_ : noBoxes);
        if (shown) {
            shownItem_ = item.place;
            window_.SetInformationLine(item.header.line);
        }
        // The reader's box may have let the destination or the list change: a
        // caption edited meanwhile is another source.
        if (const auto index = list_.IndexOf(item.id);
            index && list_.ItemAt(*index).caption != item.source)
            return false;
        if (const std::string output = OutputFor(item.source); output != item.output) {
            item.output = output;
            item.outputKey = outputs_.Key(output);
            item.temporary.reset();
            item.command.clear();
            if (item.header.file && item.stream.isMpegAudio) {
                item.verdict.reset();
                item.stage = InFlight::Stage::Ready;
                if (!separateFolders_)
                    OpenOutput(item, decoder);
            }
        }
        if (const auto index = list_.IndexOf(item.id)) {
            list_.SetState(*index, ItemState::Processing);
            const bool last =
                static_cast<int>(item.place) == count - 1 || *index + 1 >= list_.Count();
            window_.MakeItemVisible(last ? *index : *index + 1);
        }
        if (shown)
            window_.SetOutputPathText(item.output);
        if (item.stage == InFlight::Stage::Decided)
            return true;
        // Folders of their own for outputs of one name are made now.
        if (separateFolders_) {
            OpenOutput(item, decoder);
            if (item.stage == InFlight::Stage::Decided)
                return true;
        }
        item.decoder.emplace(item.command, ChildOutput{.keepErrors = true,
                                                       .passed = item.temporary->PassedDescriptor(),
                                                       .moveOffOurCpu = moveDecodersOff_});
        item.stage = InFlight::Stage::Running;
        if (!item.decoder->Started()) {
            item.outcome = item.decoder->Finish();
            item.decoder.reset();
            item.stage = InFlight::Stage::Finished;
        }
    } catch (...) {
        item.decoder.reset();
        item.temporary.reset();
        item.Decide(UnexpectedFailure());
    }
    return true;
}

void BatchDriver::MeasureShown(const InFlight& item) {
    if (item.temporary) {
        state_.OutputPath = item.temporary->MeasuredPath();
        shownFile_ = UniqueFd();
    }
    state_.DurationMinutes = item.header.durationMinutes;
    state_.DurationSeconds = item.header.durationSeconds;
    state_.ExpectedWavSize = item.header.expectedWavSize;
}

bool BatchDriver::Settle(InFlight& item, int count) {
    bool done = false;
    if (item.stage != InFlight::Stage::PassedOver) {
        // The shown item's file stays open until another is shown: the ticks
        // of the boxes that end the batch measure it, finished, and not
        // whatever file takes its descriptor next.
        const bool shown = shownItem_ == item.place && item.temporary;
        if (shown)
            shownFile_ = UniqueFd(::fcntl(item.temporary->Descriptor(), F_DUPFD_CLOEXEC, 0));
        Verdict verdict;
        try {
            if (item.verdict) {
                verdict = *item.verdict;
            } else {
                verdict = DecoderVerdict(*item.outcome, *item.temporary);
                // lame exits 0 on a source cut short: the WAV must hold all of it.
                if (verdict.Converted())
                    verdict = Verdict{CutShortReason(item.stream, item.temporary->Descriptor())};
                // A whole WAV takes its source's tags before it takes its name.
                if (verdict.Converted() && carryTags_)
                    verdict = Verdict{item.tags.AddTo(item.temporary->Descriptor())};
                if (verdict.Converted())
                    verdict =
                        outputs_.PutInPlace(*item.temporary, item.source, item.output, item.check);
            }
        } catch (...) {
            verdict = UnexpectedFailure();
        }
        if (shown && shownFile_)
            state_.OutputPath = "/proc/self/fd/" + std::to_string(shownFile_.Get());
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
    const auto earliest = std::find_if(items.begin(), items.end(), [](const InFlight& item) {
        return item.stage != InFlight::Stage::PassedOver;
    });
    if (earliest == items.end() || shownItem_ == earliest->place)
        return;
    shownItem_ = earliest->place;
    window_.SetInformationLine(earliest->header.line);
    window_.SetOutputPathText(earliest->output);
    MeasureShown(*earliest);
}

std::optional<int> BatchDriver::Stop(std::deque<InFlight>& items, std::optional<InFlight>& ready) {
    // Not converted: the items are left as waiting for another batch, and
    // the one prepared is closed unstarted.
    ready.reset();
    for (InFlight& item : items) {
        if (item.decoder)
            item.decoder->Kill();
        if (const auto index = list_.IndexOf(item.id);
            index && item.stage != InFlight::Stage::PassedOver)
            list_.SetState(*index, ItemState::Waiting);
    }
    items.clear();
    shownFile_ = UniqueFd();
    return std::nullopt;
}
