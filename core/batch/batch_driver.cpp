// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The order of a batch: its start and its questions, the loop that keeps its
// decoders running, and its end.
#include "batch_driver.h"

#include "batch_item.h"
#include "fs.h"
#include "process.h"
#include "text.h"

#include <algorithm>
#include <exception>

#include <sys/resource.h>

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

// How many items may be in flight at once: each holds its decoder's file open
// until its turn to be put in place, so behind one long item the others wait
// within the descriptors we may open.
std::size_t MostInFlight() {
    rlimit descriptors{};
    return ::getrlimit(RLIMIT_NOFILE, &descriptors) == 0
               ? std::clamp<std::size_t>(descriptors.rlim_cur / 4, 4, 256)
               : 64;
}

} // namespace

BatchDriver::BatchDriver(ProcessingList& list, ConversionState& state, ConversionWindow& window,
                         MessageService& boxes, std::function<std::string()> decoderPath,
                         std::function<bool(const Path&)> caseBlind)
    : list_(list), state_(state), window_(window), boxes_(boxes),
      decoderPath_(std::move(decoderPath)), outputs_(std::move(caseBlind)),
      plan_(window, boxes, outputs_) {}

void BatchDriver::RestoreIdle() {
    window_.ShowAbortButton(false);
    window_.ShowConvertButton(true);
    window_.EnableClearButton(true);
    window_.EnableProgressTimer(false);
    shownFile_ = UniqueFd();
    closes_.reset();
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
    window_.ShowConvertButton(false);
    window_.ShowAbortButton(true);
    window_.EnableClearButton(false);
    IdleOnExit idle([this] { RestoreIdle(); });

    const std::string decoder = decoderPath_();
    // The batch converts the items there now, by identity: items deleted
    // meanwhile are passed over, items added meanwhile wait for the next batch.
    const int count = list_.Count();
    std::vector<ItemId> work;
    std::vector<Path> sources;
    work.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        work.push_back(list_.ItemAt(i).id);
        if (std::optional<Path> source = SourceNamedBy(list_.ItemAt(i).caption))
            sources.push_back(*std::move(source));
        // A reason belongs to its batch: one this batch never reaches says nothing.
        if (!list_.ItemAt(i).failureReason.empty())
            list_.SetState(i, ItemState::Waiting);
    }
    outputs_.Begin();
    plan_.Begin(sources);
    plan_.AskAboutSameNames(sources);
    if (!stopRequested_)
        plan_.AskBeforeReplacing(sources);
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

std::optional<int> BatchDriver::RunItems(const std::string& decoder,
                                         const std::vector<ItemId>& work, int decodersAtOnce) {
    const int count = static_cast<int>(work.size());
    // Started, decided or passed over, not yet put in place: in list order. A
    // decoder left running on any way out is killed with its item, and its
    // unfinished WAV goes with its temporary file.
    Items items;
    // The next item, prepared while decoders run; closed, leaving nothing,
    // when it does not start.
    std::optional<BatchItem> ready;
    std::size_t next = 0;
    DecoderOption option = DecoderOption::DecodeMp2Input; // the last started item's
    // A source the header reader can't open ends the batch once those before it are done.
    std::exception_ptr unreadable;
    int converted = 0;
    bool itemEnded = false; // since the events were last handled
    shownItem_.reset();
    const std::size_t mostInFlight = MostInFlight();
    const int usableCores = UsableCores();
    // The decoders' files watched for their closing, where that trick is
    // played; the watch goes with the batch (RestoreIdle).
    if (tricks_.startNextAtOutputClose && decodersAtOnce < usableCores)
        closes_.emplace();
    const auto startsNoMore = [&] {
        return unreadable || state_.AbortRequested || next == work.size();
    };
    // The next item, made ready while decoders run; true when it was. Short of
    // descriptors, it waits for a decoder's end: fewer run at once, and only
    // one that can't start alone fails.
    const auto prepareNext = [&] {
        if (ready || startsNoMore() || items.size() >= mostInFlight ||
            (!items.empty() && !DescriptorsFree(kDescriptorsToPrepare)))
            return false;
        if (auto prepared = Prepare(next, work[next], decoder, option, items))
            ready.emplace(std::move(*prepared));
        return ready.has_value();
    };

    try {
        for (;;) {
            // Between items the events come first, so that an abort or a close
            // is taken before anything new starts.
            const bool ended = Reap(items);
            if (NoteClosedOutputs(items) || ended || std::exchange(itemEnded, false)) {
                if (tricks_.drawOnceTheNextRuns)
                    window_.DispatchEventsButDrawing();
                else
                    window_.DispatchEvents();
                if (stopRequested_)
                    return Stop(items, ready);
                itemEnded = false;
            }
            // What was prepared and will not start is closed, leaving nothing.
            if (startsNoMore())
                ready.reset();

            // Ready to running: the next decoder starts before what ended is
            // put in place, its item looked at again first. A decoder done
            // with its file is ending, and decodes no more.
            const auto alive = std::count_if(items.begin(), items.end(), [](const BatchItem& item) {
                return item.stage == BatchItem::Stage::Running;
            });
            const auto running =
                std::count_if(items.begin(), items.end(), [](const BatchItem& item) {
                    return item.stage == BatchItem::Stage::Running && !item.outputClosed;
                });
            if (ready && running < decodersAtOnce && !StillAsPrepared(*ready))
                ready.reset();
            prepareNext();
            if (ready && running < decodersAtOnce &&
                (running == 0 || ready->stage != BatchItem::Stage::Ready ||
                 DescriptorsFree(kDescriptorsToStart))) {
                if (ready->unreadable) {
                    unreadable = ready->unreadable;
                    ready.reset();
                    continue;
                }
                if (ready->stage != BatchItem::Stage::PassedOver) {
                    if (!Start(*ready, decoder, count, items.empty(), alive + 1 < usableCores)) {
                        ready.reset();
                        continue;
                    }
                    option = ready->option;
                }
                itemEnded = ready->Done();
                items.push_back(std::move(*ready));
                ready.reset();
                ++next;
                // Reading a later item's header replaced the estimate the
                // monitor measures the shown one against.
                if (const auto shown = Shown(items); shown != items.end())
                    MeasureShown(*shown);
                if (stopRequested_)
                    return Stop(items, ready);
                if (!AwaitEnding(items, items.back()))
                    return Stop(items, ready);
            }

            // Done to put in place, in list order, an item only after every
            // one before it.
            bool settled = false;
            for (; !items.empty() && items.front().Done(); items.pop_front(), settled = true)
                if (Settle(items.front(), count))
                    ++converted;
            if (settled)
                ShowEarliest(items);
            // The item after the one started is prepared while decoders run,
            // or an item of the same output as one just put in place now.
            if (prepareNext())
                continue;

            if (items.empty()) {
                if (startsNoMore())
                    break;
                continue;
            }
            std::vector<Child*> decoders;
            for (BatchItem& item : items)
                if (item.decoder)
                    decoders.push_back(&*item.decoder);
            // What was left undrawn between items is drawn while the decoders run.
            window_.DispatchEvents();
            if (stopRequested_)
                return Stop(items, ready);
            WaitForAnyEnd(
                decoders,
                [&] {
                    SpeedEnds(items);
                    window_.DispatchEvents();
                },
                [this] { return stopRequested_; }, closes_ ? closes_->Descriptor() : -1);
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
