// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "batch_driver.h"

#include "fs.h"
#include "mpeg_header.h"
#include "progress_monitor.h"
#include "running_decoders.h"
#include "text.h"
#include "wav_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <exception>
#include <random>
#include <vector>

namespace {

// The file-name part of a path: everything after the last separator.
std::string_view FileNamePart(std::string_view path) {
    const auto separator = path.rfind('/');
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

using FileId = std::pair<std::uint64_t, std::uint64_t>;

FileId IdOf(const FileStamp& stamp) {
    return {stamp.device, stamp.inode};
}

// The file a path leads to, links followed.
std::optional<FileId> FollowedId(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileId{info.st_dev, info.st_ino};
}

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

} // namespace

std::string OutputPathFor(const std::string& source, const std::string& destination) {
    std::string output = std::string(DropLastCharacters(source, 3)) + "wav";
    // Two characters or fewer are an empty or cancelled choice, but the root
    // is a folder like any other.
    if (CharacterCount(destination) > 2 || destination == "/")
        output = destination + std::string(FileNamePart(output));
    return output;
}

DecoderOption OptionFor(const std::string& source, DecoderOption previous) {
    if (!IsMpegAudioPath(source))
        return previous;
    return AsciiLower(LastCharacters(source, 4)) == ".mpa" ? DecoderOption::DecodeMp2Input
                                                           : DecoderOption::Decode;
}

BatchDriver::BatchDriver(ProcessingList& list, ConversionState& state, ConversionWindow& window,
                         MessageService& boxes, std::function<std::string()> decoderPath)
    : list_(list), state_(state), window_(window), boxes_(boxes),
      decoderPath_(std::move(decoderPath)) {}

void BatchDriver::RestoreIdle() {
    window_.ShowAbortButton(false);
    window_.ShowConvertButton(true);
    window_.EnableClearButton(true);
    window_.EnableProgressTimer(false);
    running_ = false;
}

std::string FailureCountText(int failures) {
    return Translate("BatchDriver", "%n件のファイルを変換できませんでした", nullptr, failures);
}

OutputsAtStart LookAtOutputs(const std::vector<std::string>& sources,
                             const std::string& destination) {
    OutputsAtStart outputs;
    outputs.found.reserve(sources.size());
    for (const std::string& source : sources) {
        const std::string output = OutputPathFor(source, destination);
        const auto [entry, added] = outputs.found.try_emplace(output);
        if (!added)
            continue; // one file, counted once however many items name it
        entry->second = StampAt(output);
        if (entry->second && entry->second->kind == FileKind::RegularFile &&
            FollowedId(source) != IdOf(*entry->second))
            ++outputs.replaceable;
    }
    return outputs;
}

void BatchDriver::Convert(std::optional<int> decodersAtOnce) {
    if (running_)
        return;
    running_ = true;
    severalAtOnce_ = decodersAtOnce.has_value();
    state_.AbortRequested = false;
    stopRequested_ = false;
    failures_ = 0;
    written_.clear();
    converted_.clear();
    window_.ShowConvertButton(false);
    window_.ShowAbortButton(true);
    window_.EnableClearButton(false);
    IdleOnExit idle([this] { RestoreIdle(); });

    const std::string decoder = decoderPath_();
    // The batch converts the items there now, by identity: items deleted
    // meanwhile are passed over, items added meanwhile wait for the next batch.
    const int count = list_.Count();
    std::vector<ItemId> work;
    work.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        work.push_back(list_.ItemAt(i).id);

    AskBeforeReplacing(work);
    if (stopRequested_)
        return;

    window_.EnableProgressTimer(true);
    window_.SetOverallProgress(0);
    window_.SetFileProgress(0);

    int converted = 0;
    // Several at once has a loop of its own; this one takes one item at a time.
    if (decodersAtOnce && !ConvertSeveral(decoder, work, std::max(1, *decodersAtOnce), converted))
        return;
    DecoderOption option = DecoderOption::DecodeMp2Input;
    for (int k = 0; !decodersAtOnce && k < count; ++k) {
        if (const auto found = list_.IndexOf(work[static_cast<std::size_t>(k)])) {
            const std::string source = list_.ItemAt(*found).caption;
            window_.SetInformationLine(ReadMpegAudioInfo(source, state_, boxes_));
            const std::string output = OutputPathFor(source, window_.DestinationText());
            option = OptionFor(source, option);

            // The reader's box may have let the list change: look the item up again.
            if (const auto index = list_.IndexOf(work[static_cast<std::size_t>(k)])) {
                list_.SetState(*index, ItemState::Processing);
                const bool last = k == count - 1 || *index + 1 >= list_.Count();
                window_.MakeItemVisible(last ? *index : *index + 1);
            }
            window_.SetOutputPathText(output);

            const std::string failure = ConvertOne(decoder, option, source, output);
            if (stopRequested_) {
                // Not converted: the item is left as waiting for another batch.
                if (const auto index = list_.IndexOf(work[static_cast<std::size_t>(k)]))
                    list_.SetState(*index, ItemState::Waiting);
                return;
            }
            if (EndItem(work[static_cast<std::size_t>(k)], output, failure, true))
                ++converted;
        }
        window_.SetOverallProgress(static_cast<int>((k + 1) * 100.0 / count));
        window_.DispatchEvents();
        if (stopRequested_)
            return;
        if (state_.AbortRequested) {
            boxes_.Message(Translate("BatchDriver", "中断しました"));
            break;
        }
    }

    idle.Now();
    window_.BatchEnded(converted, failures_, state_.AbortRequested);
    if (failures_ > 0)
        boxes_.Message(FailureCountText(failures_));
    if (boxes_.Confirm(Translate("BatchDriver", "処理済みのリストを削除しますか？"),
                       ConfirmButtons::YesNo) == ConfirmAnswer::Yes)
        list_.DeleteProcessedItems();
}

void BatchDriver::AskBeforeReplacing(const std::vector<ItemId>& work) {
    std::vector<std::string> sources;
    sources.reserve(work.size());
    for (const ItemId id : work)
        if (const auto index = list_.IndexOf(id))
            sources.push_back(list_.ItemAt(*index).caption);
    outputsAtStart_ = LookAtOutputs(sources, window_.DestinationText());
    replaceApproved_ = false;
    if (outputsAtStart_.replaceable == 0)
        return;
    // Escape, the title-bar button and a close of the window all leave the files be.
    const std::string question =
        Translate("BatchDriver", "出力先に同じ名前のファイルが %n 件あります。上書きしますか？",
                  nullptr, outputsAtStart_.replaceable);
    replaceApproved_ =
        boxes_.Confirm(question, ConfirmButtons::YesNoDefaultNo) == ConfirmAnswer::Yes;
}

namespace {

std::string WrittenByThisBatch() {
    return Translate("BatchDriver", "同じ名前の出力ファイルがこの変換で作成済みです");
}
std::string NotReplaced() {
    return Translate("BatchDriver", "同じ名前のファイルがあるため変換しませんでした");
}

std::string WavFailure(const std::string& output) {
    switch (CheckWavFile(output)) {
    case WavCheck::Complete:
        return {};
    case WavCheck::Truncated:
        return Translate("BatchDriver",
                         "出力ファイルが途中で切れています（空き容量を確認してください）");
    case WavCheck::NoSamples:
        return Translate("BatchDriver", "音声データが見つかりませんでした");
    case WavCheck::Malformed:
        break;
    }
    return Translate("BatchDriver",
                     "出力ファイルが正しいWAVファイルではありません（デコーダを確認してください）");
}

// Why what the decoder did is no whole WAV at temporary; empty when it is one.
std::string RunFailure(const RunOutcome& outcome, const std::string& temporary) {
    // We made the file empty; a decoder that wrote nothing created no output.
    const std::optional<FileStamp> written = StampAt(temporary);
    if (!outcome.started)
        return Translate("BatchDriver", "デコーダを起動できませんでした");
    if (outcome.signal != 0)
        return FillIn(Translate("BatchDriver", "デコーダが異常終了しました (シグナル %1)"),
                      std::to_string(outcome.signal));
    if (outcome.exitCode != 0)
        return outcome.lastErrorLine.empty()
                   ? FillIn(Translate("BatchDriver", "デコーダの終了コード %1"),
                            std::to_string(outcome.exitCode))
                   : outcome.lastErrorLine;
    if (!written || written->kind != FileKind::RegularFile || written->size == 0)
        return Translate("BatchDriver", "出力ファイルが作成されませんでした");
    return WavFailure(temporary);
}

} // namespace

// A fresh hidden file beside an output for the decoder to write; removed
// unless it has been put in the output's place. Hidden and random, its name
// is no user's file; in the output's folder, the rename stays on one file
// system and never copies.
class TemporaryOutput {
  public:
    explicit TemporaryOutput(const std::string& output) {
        const auto separator = output.rfind('/');
        const std::string folder =
            separator == std::string::npos ? std::string() : output.substr(0, separator + 1);
        std::string stem = output.substr(folder.size());
        if (stem.size() > 4 && stem.compare(stem.size() - 4, 4, ".wav") == 0)
            stem.resize(stem.size() - 4);
        // Room for the dot, the random part and the extension within a name's 255 bytes.
        constexpr std::size_t kLongestStem = 200;
        if (stem.size() > kLongestStem) {
            stem.resize(kLongestStem);
            while (!stem.empty() && (static_cast<unsigned char>(stem.back()) & 0xC0) == 0x80)
                stem.pop_back(); // never half a UTF-8 character
            if (!stem.empty() && static_cast<unsigned char>(stem.back()) >= 0xC0)
                stem.pop_back();
        }
        static constexpr char kLetters[] =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string unique;
            for (int i = 0; i < 8; ++i)
                unique += kLetters[random() % (sizeof kLetters - 1)];
            std::string candidate = folder + "." + stem + "." + unique + ".wav";
            // The mode the decoder would have created the WAV with: ours, less the umask.
            const int fd = ::open(candidate.c_str(),
                                  O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
            if (fd >= 0) {
                ::close(fd);
                path_ = std::move(candidate);
                return;
            }
            if (errno != EEXIST)
                break;
        }
        error_ = errno;
    }
    TemporaryOutput(const TemporaryOutput&) = delete;
    TemporaryOutput& operator=(const TemporaryOutput&) = delete;
    ~TemporaryOutput() {
        if (!path_.empty())
            ::unlink(path_.c_str());
    }

    // Empty when it could not be made; Error() tells why.
    const std::string& Path() const { return path_; }
    int Error() const { return error_; }

    // Renaming replaces the name alone: other links to a file there keep their content.
    bool MoveOnto(const std::string& output) {
        if (::rename(path_.c_str(), output.c_str()) != 0) {
            error_ = errno;
            return false;
        }
        path_.clear();
        return true;
    }

  private:
    std::string path_;
    int error_ = 0;
};

std::string BatchDriver::ReasonToKeep(const std::string& output, const FileStamp& before) const {
    if (written_.contains(IdOf(before)))
        return WrittenByThisBatch();
    const auto atStart = outputsAtStart_.found.find(output);
    // A destination chosen during the batch: nobody was asked about its files.
    if (atStart == outputsAtStart_.found.end())
        return NotReplaced();
    // Not there when the batch began, or changed since: this batch made it
    // under another name that the file system takes for this one (a drive
    // blind to case), or something else did meanwhile.
    if (atStart->second != before)
        return WrittenByThisBatch();
    return replaceApproved_ ? std::string() : NotReplaced();
}

BatchDriver::Precheck BatchDriver::CheckBeforeRun(const std::string& source,
                                                  const std::string& output) const {
    Precheck check;
    // Renaming onto the source would replace it with its own decode.
    if (SameFile(source, output)) {
        check.reason = Translate("BatchDriver", "出力先が変換元と同じファイルです");
        return check;
    }
    check.before = StampAt(output);
    if (check.before && check.before->kind != FileKind::RegularFile) {
        check.reason = Translate(
            "BatchDriver",
            "出力先に通常のファイルでないものがあります（削除するか別の出力先を選んでください）");
        return check;
    }
    check.sourceId = FollowedId(source);
    if (check.before) {
        // The same file listed again, its WAV of this batch still in place.
        if (const auto done = check.sourceId ? converted_.find(*check.sourceId) : converted_.end();
            done != converted_.end() && done->second == *check.before) {
            check.alreadyDone = true;
            return check;
        }
        check.reason = ReasonToKeep(output, *check.before);
    }
    return check;
}

std::string BatchDriver::PutInPlace(TemporaryOutput& temporary, const std::string& output,
                                    const Precheck& check) {
    // Something may have taken the name while the decoder ran.
    if (StampAt(output) != check.before)
        return WrittenByThisBatch();
    if (!temporary.MoveOnto(output))
        return PathErrorText(output, temporary.Error());
    if (const std::optional<FileStamp> after = StampAt(output)) {
        written_.insert(IdOf(*after));
        if (check.sourceId)
            converted_.insert_or_assign(*check.sourceId, *after);
    }
    return {};
}

bool BatchDriver::EndItem(ItemId id, const std::string& output, const std::string& failure,
                          bool shown) {
    if (failure.empty() && shown) {
        // The last tick may have seen the output midway, or not at all.
        if (const auto size = FileSize(output))
            window_.SetOutputSizeText(OutputSizeText(*size));
        window_.SetFileProgress(100);
    }
    if (!failure.empty())
        ++failures_;
    if (const auto index = list_.IndexOf(id)) {
        if (failure.empty())
            list_.SetState(*index, ItemState::Processed);
        else
            list_.SetFailed(*index, failure);
    }
    return failure.empty();
}

std::string BatchDriver::ConvertOne(const std::string& decoder, DecoderOption option,
                                    const std::string& source, const std::string& output) {
    const Precheck check = CheckBeforeRun(source, output);
    if (check.alreadyDone || !check.reason.empty())
        return check.reason;

    TemporaryOutput temporary(output);
    if (temporary.Path().empty())
        return PathErrorText(output, temporary.Error());
    state_.OutputPath = temporary.Path();
    const DecoderCommand command = BuildDecoderCommand(decoder, option, source, temporary.Path());
    const RunOutcome outcome = RunAndWait(
        command.arguments, [this] { window_.DispatchEvents(); }, [this] { return stopRequested_; });

    // The program is ending: what the decoder wrote goes with the temporary file.
    if (stopRequested_)
        return {};
    if (std::string failure = RunFailure(outcome, temporary.Path()); !failure.empty())
        return failure;
    return PutInPlace(temporary, output, check);
}

// ------------------------------------------------------ several at once

struct BatchDriver::InFlight {
    InFlight(std::size_t place, ItemId id, bool passedOver)
        : place(place), id(id), passedOver(passedOver) {}

    std::size_t place; // in the batch's work, which is the list's order
    ItemId id;
    bool passedOver; // deleted before its turn to start
    std::string source, output, informationLine;
    // What the header reader found for it, for the progress monitor.
    std::int32_t durationMinutes = 0, durationSeconds = 0;
    std::int64_t expectedWavSize = 0;
    Precheck check;
    std::unique_ptr<TemporaryOutput> temporary;
    std::unique_ptr<RunningDecoder> decoder;
    std::optional<RunOutcome> outcome;  // once the decoder has ended
    std::optional<std::string> verdict; // decided without a decoder: empty for done

    bool Running() const { return decoder != nullptr; }
    bool Finished() const { return passedOver || verdict || outcome; }
};

namespace {

// A decoder left running when the batch ends early is ended with it, and its
// unfinished WAV goes with its temporary file.
template <typename Items> class KillOnExit {
  public:
    explicit KillOnExit(Items& items) : items_(items) {}
    KillOnExit(const KillOnExit&) = delete;
    KillOnExit& operator=(const KillOnExit&) = delete;
    ~KillOnExit() {
        for (auto& item : items_)
            if (item.decoder)
                item.decoder->Kill();
    }

  private:
    Items& items_;
};

} // namespace

bool BatchDriver::ConvertSeveral(const std::string& decoder, const std::vector<ItemId>& work,
                                 int decodersAtOnce, int& converted) {
    const int count = static_cast<int>(work.size());
    // Started or passed over, not yet put in place: in list order.
    std::deque<InFlight> items;
    const KillOnExit killOnExit(items);
    std::size_t next = 0;
    DecoderOption option = DecoderOption::DecodeMp2Input;
    // A source the header reader can't open ends the batch once those before it are done.
    std::exception_ptr unreadable;
    shownItem_.reset();

    const auto running = [&] {
        return std::count_if(items.begin(), items.end(),
                             [](const InFlight& item) { return item.Running(); });
    };
    const auto stop = [&] {
        // Not converted: the items are left as waiting for another batch.
        for (InFlight& item : items) {
            if (item.decoder)
                item.decoder->Kill();
            if (const auto index = list_.IndexOf(item.id); index && !item.passedOver)
                list_.SetState(*index, ItemState::Waiting);
        }
        items.clear();
        return false;
    };

    for (;;) {
        // Ended decoders give their descriptors back at once: thousands of
        // items may wait for an earlier one.
        for (InFlight& item : items) {
            if (item.decoder && item.decoder->Ended()) {
                item.outcome = item.decoder->Finish();
                item.decoder.reset();
            }
        }

        // Start what may start, in list order; a modal box of the header
        // reader holds the starts while the running decoders go on.
        bool started = false;
        while (!unreadable && !state_.AbortRequested && !stopRequested_ && next < work.size() &&
               running() < decodersAtOnce) {
            const auto found = list_.IndexOf(work[next]);
            if (!found) {
                items.emplace_back(next, work[next], true);
                ++next;
                continue;
            }
            const std::string source = list_.ItemAt(*found).caption;
            // One name, one WAV: an item whose output an earlier one is still
            // writing starts after that one is in place, and is judged as one
            // at a time would judge it.
            const std::string output = OutputPathFor(source, window_.DestinationText());
            if (std::any_of(items.begin(), items.end(),
                            [&](const InFlight& item) { return item.output == output; }))
                break;
            InFlight item(next, work[next], false);
            item.source = source;
            try {
                item.informationLine = ReadMpegAudioInfo(source, state_, boxes_);
            } catch (...) {
                unreadable = std::current_exception();
                break;
            }
            ++next;
            item.durationMinutes = state_.DurationMinutes;
            item.durationSeconds = state_.DurationSeconds;
            item.expectedWavSize = state_.ExpectedWavSize;
            // The reader's box may have let the destination change.
            item.output = OutputPathFor(source, window_.DestinationText());
            option = OptionFor(source, option);
            Start(items.emplace_back(std::move(item)), decoder, option, count);
            started = true;
            if (stopRequested_)
                return stop();
        }

        // Put in place in list order: an item only after every one before it.
        bool settled = false;
        while (!items.empty() && items.front().Finished()) {
            if (Settle(items.front(), count))
                ++converted;
            items.pop_front();
            settled = true;
            window_.DispatchEvents();
            if (stopRequested_)
                return stop();
        }
        if (started || settled)
            ShowEarliest(items, started);

        if (items.empty() && (unreadable || state_.AbortRequested || next == work.size()))
            break;
        if (settled)
            continue; // places have come free
        std::vector<RunningDecoder*> decoders;
        for (InFlight& item : items)
            if (item.decoder)
                decoders.push_back(item.decoder.get());
        WaitForAnyEnd(
            decoders, [this] { window_.DispatchEvents(); }, [this] { return stopRequested_; });
        if (stopRequested_)
            return stop();
    }

    if (unreadable)
        std::rethrow_exception(unreadable);
    if (state_.AbortRequested)
        boxes_.Message(Translate("BatchDriver", "中断しました"));
    return true;
}

void BatchDriver::Start(InFlight& item, const std::string& decoder, DecoderOption option,
                        int count) {
    if (const auto index = list_.IndexOf(item.id)) {
        list_.SetState(*index, ItemState::Processing);
        const bool last = static_cast<int>(item.place) == count - 1 || *index + 1 >= list_.Count();
        window_.MakeItemVisible(last ? *index : *index + 1);
    }
    item.check = CheckBeforeRun(item.source, item.output);
    if (item.check.alreadyDone || !item.check.reason.empty()) {
        item.verdict = item.check.reason;
        return;
    }
    item.temporary = std::make_unique<TemporaryOutput>(item.output);
    if (item.temporary->Path().empty()) {
        item.verdict = PathErrorText(item.output, item.temporary->Error());
        return;
    }
    item.decoder = std::make_unique<RunningDecoder>(
        BuildDecoderCommand(decoder, option, item.source, item.temporary->Path()).arguments);
    if (!item.decoder->Started()) {
        item.outcome = item.decoder->Finish();
        item.decoder.reset();
    }
}

bool BatchDriver::Settle(InFlight& item, int count) {
    bool done = false;
    if (!item.passedOver) {
        std::string failure;
        if (item.verdict) {
            failure = *item.verdict;
        } else {
            failure = RunFailure(*item.outcome, item.temporary->Path());
            // An earlier item may have taken the name meanwhile: judged as
            // if it started now, after that one.
            if (failure.empty() && StampAt(item.output) != item.check.before) {
                const Precheck now = CheckBeforeRun(item.source, item.output);
                if (now.alreadyDone || !now.reason.empty())
                    failure = now.reason;
                else
                    failure = PutInPlace(*item.temporary, item.output, now);
            } else if (failure.empty()) {
                failure = PutInPlace(*item.temporary, item.output, item.check);
            }
        }
        item.temporary.reset();
        done = EndItem(item.id, item.output, failure, shownItem_ == item.place);
    }
    window_.SetOverallProgress(static_cast<int>((item.place + 1) * 100.0 / count));
    return done;
}

void BatchDriver::ShowEarliest(const std::deque<InFlight>& items, bool restoreEstimate) {
    const auto earliest = std::find_if(items.begin(), items.end(),
                                       [](const InFlight& item) { return item.Running(); });
    if (earliest == items.end())
        return;
    const bool changed = shownItem_ != earliest->place;
    // Reading a later item's header replaced the estimate the monitor measures against.
    if (changed || restoreEstimate) {
        state_.OutputPath = earliest->temporary->Path();
        state_.DurationMinutes = earliest->durationMinutes;
        state_.DurationSeconds = earliest->durationSeconds;
        state_.ExpectedWavSize = earliest->expectedWavSize;
    }
    if (!changed)
        return;
    shownItem_ = earliest->place;
    window_.SetInformationLine(earliest->informationLine);
    window_.SetOutputPathText(earliest->output);
}
