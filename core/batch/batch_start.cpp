// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Running decoders: an item prepared while the decoders before it run, its
// decoder started at its turn, its end reaped, and everything stopped for a
// program that is ending.
#include "batch_driver.h"

#include "batch_item.h"
#include "fs.h"
#include "text.h"

#include <algorithm>

namespace {

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

Verdict UnexpectedFailure() {
    return Verdict{Translate("BatchDriver", "予期しないエラーのため変換できませんでした")};
}

std::optional<BatchItem> BatchDriver::Prepare(std::size_t place, ItemId id,
                                              const std::string& decoder, DecoderOption previous,
                                              const Items& items) {
    BatchItem item(place, id);
    const auto index = list_.IndexOf(id);
    if (!index) {
        item.stage = BatchItem::Stage::PassedOver;
        return item;
    }
    // The caption becomes a path once, here; one that is none names no file.
    item.caption = list_.ItemAt(*index).caption;
    item.source = SourceNamedBy(item.caption);
    if (!item.source) {
        item.Decide(Verdict{Translate("BatchDriver", "変換元ファイルが見つかりません")});
        return item;
    }
    item.output = plan_.OutputFor(*item.source);
    outputs_.Meet(item.output);
    item.outputKey = outputs_.Key(item.output);
    // One name, one WAV: an item whose output an earlier one is still
    // writing is prepared once that one is in place, and is judged then.
    if (std::any_of(items.begin(), items.end(),
                    [&](const BatchItem& earlier) { return earlier.outputKey == item.outputKey; }))
        return std::nullopt;
    try {
        item.header = ReadMpegAudioHeader(item.source->Bytes(), &item.stream);
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
    item.option = OptionFor(*item.source, previous, item.header.layer);
    // lame makes a WAV of noise of anything with a frame sync, and exits 0.
    if (!item.stream.isMpegAudio)
        item.Decide(Verdict{Translate("BatchDriver", "MPEGオーディオとして読めません")});
    // Folders of their own are made only when the item starts.
    else if (!plan_.SeparateFolders())
        OpenOutput(item, decoder);
    if (carryTags_ && item.stage == BatchItem::Stage::Ready)
        item.tags = SourceTags(item.source->Bytes());
    return item;
}

bool BatchDriver::StillAsPrepared(const BatchItem& item) const {
    if (item.stage == BatchItem::Stage::PassedOver)
        return true;
    const auto index = list_.IndexOf(item.id);
    if (!index || list_.ItemAt(*index).caption != item.caption || item.unreadable)
        return false;
    return !item.source || (plan_.OutputFor(*item.source) == item.output &&
                            StampAt(*item.source, true) == item.header.file &&
                            (!item.outputLooked || StampAt(item.output) == item.check.before));
}

void BatchDriver::OpenOutput(BatchItem& item, const std::string& decoder) {
    try {
        // Its folder opened and judged, and made when outputs take folders of their own.
        item.check = outputs_.Open(*item.source, item.output, window_.DestinationFolder(),
                                   plan_.SeparateFolders());
        item.outputLooked = true;
        if (!item.check.MayRun())
            return item.Decide(item.check.verdict);
        item.temporary = std::make_unique<TemporaryOutput>(item.check.folder, item.output.Name());
        if (!item.temporary->Made())
            return item.Decide(Verdict{PathErrorText(item.output, item.temporary->Error())});
        item.command = BuildDecoderCommand(decoder, item.option, item.source->Bytes(),
                                           item.temporary->DecoderPath())
                           .arguments;
    } catch (...) {
        item.temporary.reset();
        item.Decide(UnexpectedFailure());
    }
}

bool BatchDriver::Start(BatchItem& item, const std::string& decoder, int count, bool shown,
                        bool cpuToSpare) {
    try {
        if (item.source) {
            // An item that will not be decoded gets no hint about its audio.
            NoBoxes noBoxes;
            const bool decodes =
                item.stage == BatchItem::Stage::Ready &&
                (item.outputLooked || outputs_.Check(*item.source, item.output).MayRun());
            TakeMpegAudioInfo(item.source->Bytes(), item.header, state_,
                              decodes ? boxes_ : noBoxes);
            if (shown) {
                shownItem_ = item.place;
                window_.SetInformationLine(item.header.line);
            }
        }
        // The reader's box may have let the destination or the list change: a
        // caption edited meanwhile is another source.
        if (const auto index = list_.IndexOf(item.id);
            index && list_.ItemAt(*index).caption != item.caption)
            return false;
        if (item.source) {
            if (const Path output = plan_.OutputFor(*item.source); output != item.output) {
                item.output = output;
                outputs_.Meet(output);
                item.outputKey = outputs_.Key(output);
                item.temporary.reset();
                item.command.clear();
                if (item.header.file && item.stream.isMpegAudio) {
                    item.verdict.reset();
                    item.stage = BatchItem::Stage::Ready;
                    if (!plan_.SeparateFolders())
                        OpenOutput(item, decoder);
                }
            }
        }
        if (const auto index = list_.IndexOf(item.id)) {
            list_.SetState(*index, ItemState::Processing);
            const bool last =
                static_cast<int>(item.place) == count - 1 || *index + 1 >= list_.Count();
            window_.MakeItemVisible(last ? *index : *index + 1);
        }
        if (shown && item.source)
            window_.SetOutputPath(item.output);
        if (item.stage == BatchItem::Stage::Decided)
            return true;
        // Folders of their own for outputs of one name are made now.
        if (plan_.SeparateFolders()) {
            OpenOutput(item, decoder);
            if (item.stage == BatchItem::Stage::Decided)
                return true;
        }
        if (closes_)
            item.closeWatch = closes_->Watch(item.temporary->Descriptor());
        item.decoder.emplace(
            item.command, ChildOutput{.keepErrors = true,
                                      .passed = item.temporary->PassedDescriptor(),
                                      .offOurCpu = tricks_.moveNewDecoderOffOurCpu && cpuToSpare});
        item.stage = BatchItem::Stage::Running;
        if (!item.decoder->Started()) {
            item.outcome = item.decoder->Finish();
            item.decoder.reset();
            item.stage = BatchItem::Stage::Finished;
        }
    } catch (...) {
        item.decoder.reset();
        item.temporary.reset();
        item.Decide(UnexpectedFailure());
    }
    return true;
}

bool BatchDriver::Reap(Items& items, bool closedOnly) {
    // Ended decoders give their descriptors back at once: thousands of items
    // may wait for an earlier one.
    bool ended = false;
    for (BatchItem& item : items) {
        if (item.stage == BatchItem::Stage::Running && (item.outputClosed || !closedOnly) &&
            item.decoder->Ended()) {
            item.outcome = item.decoder->Finish();
            item.decoder.reset();
            item.stage = BatchItem::Stage::Finished;
            if (closes_)
                closes_->Forget(std::exchange(item.closeWatch, -1));
            // One whose close was noted was told then.
            ended = ended || !item.outputClosed;
        }
    }
    return ended;
}

bool BatchDriver::AwaitEnding(Items& items, const BatchItem& started) {
    std::vector<Child*> ending;
    for (BatchItem& item : items)
        if (item.stage == BatchItem::Stage::Running && item.outputClosed)
            ending.push_back(&*item.decoder);
    if (ending.empty())
        return true;
    // Its CPU is about to be free, and the one just started runs on ours.
    if (started.decoder)
        LeaveOurCpuTo(started.decoder->Pid());
    WaitForAnyEnd(
        ending, [this] { window_.DispatchEvents(); }, [this] { return stopRequested_; });
    // Those alone: the one just started is shown once they are in place.
    Reap(items, true);
    return !stopRequested_;
}

bool BatchDriver::NoteClosedOutputs(Items& items) {
    bool closed = false;
    for (const int watch : closes_ ? closes_->Closed() : std::vector<int>())
        for (BatchItem& item : items)
            if (item.stage == BatchItem::Stage::Running && item.closeWatch == watch &&
                !item.outputClosed)
                closed = item.outputClosed = true;
    return closed;
}

void BatchDriver::SpeedEnds(Items& items) {
    if (!tricks_.takeOverWriteOut)
        return;
    for (BatchItem& item : items)
        if (item.stage == BatchItem::Stage::Running && item.temporary && !item.writeOutTakenOver)
            item.writeOutTakenOver = TakeOverWriteOut(item.temporary->Descriptor());
}

std::optional<int> BatchDriver::Stop(Items& items, std::optional<BatchItem>& ready) {
    // Not converted: the items are left as waiting for another batch, and
    // the one prepared is closed unstarted.
    ready.reset();
    for (BatchItem& item : items) {
        if (item.decoder)
            item.decoder->Kill();
        if (const auto index = list_.IndexOf(item.id);
            index && item.stage != BatchItem::Stage::PassedOver)
            list_.SetState(*index, ItemState::Waiting);
    }
    items.clear();
    shownFile_ = UniqueFd();
    return std::nullopt;
}
