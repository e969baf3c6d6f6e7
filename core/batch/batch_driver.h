// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The batch in its stages, a file each: its order (batch_driver.cpp), the
// plan of its outputs and its questions (batch_plan.h), running decoders
// (batch_start.cpp: prepare, start, reap) and settling the items they leave
// (batch_settle.cpp: check, place, report).

#include "batch_plan.h"
#include "close_watch.h"
#include "conversion_state.h"
#include "conversion_window.h"
#include "decoder.h"
#include "message_service.h"
#include "output_rules.h"
#include "path.h"
#include "processing_list.h"
#include "speed_tricks.h"
#include "unique_fd.h"

#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

struct BatchItem;

// "N件を変換しました": how many items a batch converted, as its report and
// its notification say it.
std::string ConvertedCountText(int converted);

// The box that ends a batch in which anything but plain success happened:
// how many were converted, kept back, failed and, after an abort, left
// waiting, and each failure's file and reason in its details.
struct BatchReport {
    std::string text, details;
};

// Converts the processing list, one item at a time, or several at once.
class BatchDriver {
  public:
    // caseBlind tells whether a folder takes names of one folding for one file.
    BatchDriver(ProcessingList& list, ConversionState& state, ConversionWindow& window,
                MessageService& boxes, std::function<std::string()> decoderPath = DecoderPath,
                std::function<bool(const Path&)> caseBlind = FolderIsCaseBlind);

    // Runs one batch to its end; the window stays responsive meanwhile. With
    // decodersAtOnce, up to that many decoders run at once, else one: items
    // start in list order and are put in place in list order, each one only
    // after every item before it, so that an earlier item always wins a name.
    void Convert(std::optional<int> decodersAtOnce = std::nullopt);
    // Stops the batch after the item being converted.
    void RequestAbort() { state_.AbortRequested = true; }
    // Ends the batch at once for a program that is ending: the running decoder
    // is killed, its unfinished output removed, and no box is shown.
    void RequestStop() { stopRequested_ = true; }
    bool Running() const { return running_; }
    // Whether the sources' tags go into their WAVs; they do unless told.
    void CarryTags(bool on) { carryTags_ = on; }
    bool CarriesTags() const { return carryTags_; }
    // Whether a source that can't be read ends the batch, as the window's
    // error box does; else it fails its own item and the batch goes on.
    void EndBatchOnUnreadable(bool ends) { unreadableEndsBatch_ = ends; }
    // The speed tricks the batch plays; all of them unless told.
    void UseSpeedTricks(SpeedTricks tricks) { tricks_ = tricks; }
    // The items that failed in the last batch, and those kept back because
    // another item of it made their WAV.
    int Failures() const { return failures_; }
    int KeptBackForOthers() const { return keptBackForOthers_; }
    // The last batch's closing report; nothing when every item was converted.
    std::optional<BatchReport> EndReport() const;

  private:
    using Items = std::deque<BatchItem>;

    // The order (batch_driver.cpp). Runs the items of work, up to
    // decodersAtOnce decoders at a time: items start in list order and are
    // put in place in list order; when a decoder ends, the events come first,
    // then the next decoder starts, then what ended is put in place, and the
    // item after it is prepared while decoders run. How many were converted;
    // nothing when the batch was stopped (RequestStop).
    std::optional<int> RunItems(const std::string& decoder, const std::vector<ItemId>& work,
                                int decodersAtOnce);
    void RestoreIdle();

    // Running decoders (batch_start.cpp). The item at place in work, made
    // ready to start: taken from the list, its header read, its output looked
    // at, its decoder's files open and its command built. Nothing while an
    // earlier item in flight writes its output.
    std::optional<BatchItem> Prepare(std::size_t place, ItemId id, const std::string& decoder,
                                     DecoderOption previous, const Items& items);
    // True when a prepared item's entry, output and file are as they were.
    bool StillAsPrepared(const BatchItem& item) const;
    // Looks at the item's output and opens its decoder's files, or decides it.
    void OpenOutput(BatchItem& item, const std::string& decoder);
    // The item's turn: its header shown (with the reader's hint) and its
    // decoder started, unless its output is decided without one; shown, the
    // window follows it from the start. False, with nothing started, when its
    // caption was edited while the hint was up: it is prepared again.
    // cpuToSpare: fewer decoders run than we have CPUs.
    bool Start(BatchItem& item, const std::string& decoder, int count, bool shown, bool cpuToSpare);
    // Running to finished, or with closedOnly only those that had closed
    // their WAVs: true when a decoder has ended that had not closed its WAV
    // before (NoteClosedOutputs told that).
    bool Reap(Items& items, bool closedOnly = false);
    // True when a running decoder has closed its WAV since the last call.
    bool NoteClosedOutputs(Items& items);
    // After a start beside decoders done with their files: waits for their
    // ends, which come in a moment, so that their items are put in place
    // before anything else, as if they had ended before the start. False
    // when the batch was stopped meanwhile.
    bool AwaitEnding(Items& items, const BatchItem& started);
    // While decoders run: the tricks that speed their ends.
    void SpeedEnds(Items& items);
    // The batch stopped for a program that is ending: running decoders killed,
    // their items left waiting for another batch, the prepared one closed.
    std::optional<int> Stop(Items& items, std::optional<BatchItem>& ready);

    // Settling (batch_settle.cpp). Puts a finished item in place and shows its
    // state and the overall progress; true when it is converted.
    bool Settle(BatchItem& item, int count);
    // The verdict on what the item's decoder left, and its WAV put in place
    // when it is whole.
    Verdict CheckAndPlace(BatchItem& item);
    // An item's end: its state, or its failure or being kept back and the
    // reason, and when it is the item shown, its finished WAV's figures. True
    // when it was converted.
    bool EndItem(const BatchItem& item, const Verdict& verdict);
    // The window follows the earliest item not yet put in place.
    void ShowEarliest(const Items& items);
    // The item the window follows, among items; their end when none.
    Items::const_iterator Shown(const Items& items) const;
    // Gives the progress monitor the shown item's file and estimate.
    void MeasureShown(const BatchItem& item);

    ProcessingList& list_;
    ConversionState& state_;
    ConversionWindow& window_;
    MessageService& boxes_;
    std::function<std::string()> decoderPath_;
    BatchOutputs outputs_;
    OutputPlan plan_;
    SpeedTricks tricks_;
    std::optional<CloseWatch> closes_; // of the running decoders' files, during a batch
    bool running_ = false;
    std::optional<std::size_t> shownItem_; // the item the window follows, by its place
    // The shown item's file, once put in place, held open while it is shown.
    UniqueFd shownFile_;
    bool stopRequested_ = false;
    bool carryTags_ = true, unreadableEndsBatch_ = true;
    int failures_ = 0, keptBack_ = 0, keptBackForOthers_ = 0, converted_ = 0;
    // After an abort: the items of the batch it left waiting, still in the list.
    int leftWaiting_ = 0;
    std::set<ItemId> ended_; // the items of the batch that were decided
    std::string failureDetails_;
};
