#include "batch_driver.h"

#include "fs.h"
#include "mpeg_header.h"
#include "text.h"
#include "wav_file.h"

#include <unistd.h>

#include <vector>

namespace {

// The file-name part of a path: everything after the last separator.
std::string_view FileNamePart(std::string_view path) {
    const auto separator = path.rfind('/');
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
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

void BatchDriver::Convert() {
    if (running_)
        return;
    running_ = true;
    state_.AbortRequested = false;
    written_.clear();
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

    window_.EnableProgressTimer(true);
    window_.SetOverallProgress(0);
    window_.SetFileProgress(0);

    int failures = 0;
    int converted = 0;
    DecoderOption option = DecoderOption::DecodeMp2Input;
    for (int k = 0; k < count; ++k) {
        if (const auto found = list_.IndexOf(work[static_cast<std::size_t>(k)])) {
            const std::string source = list_.ItemAt(*found).caption;
            window_.SetInformationLine(ReadMpegAudioInfo(source, state_, boxes_));
            const std::string output = OutputPathFor(source, window_.DestinationText());
            option = OptionFor(source, option);
            const DecoderCommand command = BuildDecoderCommand(decoder, option, source, output);
            state_.OutputPath = output;

            // The reader's box may have let the list change: look the item up again.
            if (const auto index = list_.IndexOf(work[static_cast<std::size_t>(k)])) {
                list_.SetState(*index, ItemState::Processing);
                const bool last = k == count - 1 || *index + 1 >= list_.Count();
                window_.MakeItemVisible(last ? *index : *index + 1);
            }
            window_.SetOutputPathText(output);

            const std::string failure = ConvertOne(command, source, output);
            if (!failure.empty())
                ++failures;
            else
                ++converted;
            if (const auto index = list_.IndexOf(work[static_cast<std::size_t>(k)])) {
                if (failure.empty())
                    list_.SetState(*index, ItemState::Processed);
                else
                    list_.SetFailed(*index, failure);
            }
        }
        window_.SetOverallProgress(static_cast<int>((k + 1) * 100.0 / count));
        window_.DispatchEventsBetweenItems();
        if (state_.AbortRequested) {
            boxes_.Message(Translate("BatchDriver", "中断しました"));
            break;
        }
    }

    idle.Now();
    window_.BatchEnded(converted, failures, state_.AbortRequested);
    if (failures > 0)
        boxes_.Message(FillIn(Translate("BatchDriver", "%1件のファイルを変換できませんでした"),
                              std::to_string(failures)));
    if (boxes_.Confirm(Translate("BatchDriver", "処理済みのリストを削除しますか？"),
                       ConfirmButtons::YesNo) == ConfirmAnswer::Yes)
        list_.DeleteProcessedItems();
}

namespace {

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

} // namespace

std::string BatchDriver::ConvertOne(const DecoderCommand& command, const std::string& source,
                                    const std::string& output) {
    // The decoder would overwrite its own input, and report success.
    if (SameFile(source, output))
        return Translate("BatchDriver", "出力先が変換元と同じファイルです");
    // The decoder follows a link into its target and blocks for good on a FIFO.
    const std::optional<FileStamp> before = StampAt(output);
    if (before && before->kind != FileKind::RegularFile)
        return Translate(
            "BatchDriver",
            "出力先に通常のファイルでないものがあります（削除するか別の出力先を選んでください）");
    if (before && written_.contains({before->device, before->inode}))
        return Translate("BatchDriver", "同じ名前の出力ファイルがこの変換で作成済みです");

    const RunOutcome outcome = RunAndWait(command.arguments, [this] { window_.DispatchEvents(); });

    // Ours is a regular file that is new or changed since the decoder started;
    // a file left as it was belongs to an earlier run and is never removed.
    const std::optional<FileStamp> after = StampAt(output);
    const bool ours = after && after->kind == FileKind::RegularFile && after != before;
    std::string failure;
    if (!outcome.started)
        failure = Translate("BatchDriver", "デコーダを起動できませんでした");
    else if (outcome.signal != 0)
        failure = FillIn(Translate("BatchDriver", "デコーダが異常終了しました (シグナル %1)"),
                         std::to_string(outcome.signal));
    else if (outcome.exitCode != 0)
        failure = outcome.lastErrorLine.empty()
                      ? FillIn(Translate("BatchDriver", "デコーダの終了コード %1"),
                               std::to_string(outcome.exitCode))
                      : outcome.lastErrorLine;
    else if (!ours)
        failure = Translate("BatchDriver", "出力ファイルが作成されませんでした");
    else
        failure = WavFailure(output);

    if (failure.empty())
        written_.insert({after->device, after->inode});
    else if (ours && StampAt(output) == after)
        ::unlink(output.c_str()); // a partial output is of no use and hides the failure
    return failure;
}
