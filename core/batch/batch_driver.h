// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "conversion_state.h"
#include "decoder.h"
#include "message_service.h"
#include "output_rules.h"
#include "path.h"
#include "processing_list.h"
#include "unique_fd.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

// What a batch needs from the main window.
class ConversionWindow {
  public:
    virtual ~ConversionWindow() = default;
    virtual void ShowConvertButton(bool shown) = 0;
    virtual void ShowAbortButton(bool shown) = 0;
    virtual void EnableClearButton(bool enabled) = 0;
    virtual std::string DestinationText() const = 0;
    virtual void SetInformationLine(const std::string& line) = 0;
    virtual void SetOutputPathText(const std::string& path) = 0;
    virtual void SetOverallProgress(int percent) = 0;
    virtual void SetFileProgress(int percent) = 0;
    // The finished output's size, in the progress monitor's words.
    virtual void SetOutputSizeText(const std::string& text) = 0;
    virtual void EnableProgressTimer(bool enabled) = 0;
    // Scrolls the list so that the item is entirely visible.
    virtual void MakeItemVisible(int index) = 0;
    // Handles every pending event of the program: while decoders run, and once
    // the items that ended are put in place and the next ones have started.
    virtual void DispatchEvents() = 0;
    // Once an item is put in place, before anything new starts: clicks and
    // closes are taken, and drawing waits for the DispatchEvents that follows
    // the next start, so that it never holds a decoder back.
    virtual void DispatchEventsButDrawing() { DispatchEvents(); }
    // The batch is over, before its closing boxes: how many items were
    // converted and failed, and whether it was aborted.
    virtual void BatchEnded(int /*converted*/, int /*failed*/, bool /*aborted*/) {}
};

// The decoder option for source's extension where its first frame's layer
// (1 to 3; 0 when unknown) agrees with it, else the option for that layer;
// previous for a source with neither.
DecoderOption OptionFor(const std::string& source, DecoderOption previous, int layer = 0);

// The deepest folder that holds every one of folders; nothing for none.
std::optional<Path> CommonFolder(const std::vector<Path>& folders);

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
                std::function<bool(const std::string&)> caseBlind = FolderIsCaseBlind);

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
    // Whether a decoder that starts queued behind us on our CPU is moved to
    // another at once (it is unless told): the benchmarks weigh it.
    void MoveDecodersOffOurCpu(bool move) { moveDecodersOff_ = move; }
    // The items that failed in the last batch, and those kept back because
    // another item of it made their WAV.
    int Failures() const { return failures_; }
    int KeptBackForOthers() const { return keptBackForOthers_; }
    // The last batch's closing report; nothing when every item was converted.
    std::optional<BatchReport> EndReport() const;

  private:
    // An item from its preparation to its being put in place.
    struct InFlight;

    // Runs the items of work, up to decodersAtOnce decoders at a time: items
    // start in list order and are put in place in list order, and while
    // decoders run, the next one is prepared. How many were converted;
    // nothing when the batch was stopped (RequestStop).
    std::optional<int> RunItems(const std::string& decoder, const std::vector<ItemId>& work,
                                int decodersAtOnce);
    // The item at place in work, made ready to start: its header read, its
    // output looked at, its decoder's files open and its command built.
    // Nothing while an earlier item in flight writes its output.
    std::optional<InFlight> Prepare(std::size_t place, ItemId id, const std::string& decoder,
                                    DecoderOption previous, const std::deque<InFlight>& items);
    // True when a prepared item's entry, output and file are as they were.
    bool StillAsPrepared(const InFlight& item) const;
    // Looks at the item's output and opens its decoder's files, or decides it.
    void OpenOutput(InFlight& item, const std::string& decoder);
    // The item's turn: its header shown (with the reader's hint) and its
    // decoder started, unless its output is decided without one; shown, the
    // window follows it from the start. False, with nothing started, when its
    // caption was edited while the hint was up: it is prepared again.
    bool Start(InFlight& item, const std::string& decoder, int count, bool shown);
    // Puts a finished item in place and shows its state and the overall
    // progress; true when it is converted.
    bool Settle(InFlight& item, int count);
    // The window follows the earliest item not yet put in place.
    void ShowEarliest(const std::deque<InFlight>& items);
    // The item the window follows, among items; their end when none.
    std::deque<InFlight>::const_iterator Shown(const std::deque<InFlight>& items) const;
    // Gives the progress monitor the shown item's file and estimate.
    void MeasureShown(const InFlight& item);
    // The batch stopped for a program that is ending: running decoders killed,
    // their items left waiting for another batch, the prepared one closed.
    std::optional<int> Stop(std::deque<InFlight>& items, std::optional<InFlight>& ready);
    // Asks once, before any decoder runs, whether items of one output name
    // go to folders of their own, and whether files there may be replaced.
    void AskAboutSameNames(const std::vector<std::string>& sources);
    void AskBeforeReplacing(const std::vector<std::string>& sources);
    // Where source's WAV goes: the destination read afresh, and below it,
    // when chosen, the source's folder as it stands below the common folder.
    std::string OutputFor(const std::string& source) const;
    // source's folder as the file system resolves it; nothing where it can't.
    std::optional<Path> RealFolderOf(const std::string& source) const;
    // source's real folder below the common folder; nothing when it is not below it.
    std::optional<std::string> FolderBelowCommon(const std::string& source) const;
    // How the failure details name source: its path below the common folder.
    std::string DetailName(const std::string& source) const;
    // An item's end: its state, or its failure or being kept back and the
    // reason, and when it is the item shown, its finished WAV's figures. True
    // when it was converted.
    bool EndItem(const InFlight& item, const Verdict& verdict);
    void RestoreIdle();

    ProcessingList& list_;
    ConversionState& state_;
    ConversionWindow& window_;
    MessageService& boxes_;
    std::function<std::string()> decoderPath_;
    bool running_ = false;
    std::optional<std::size_t> shownItem_; // the item the window follows, by its place
    // The shown item's file, once put in place, held open while it is shown.
    UniqueFd shownFile_;
    bool stopRequested_ = false;
    bool carryTags_ = true, unreadableEndsBatch_ = true, moveDecodersOff_ = true;
    int failures_ = 0, keptBack_ = 0, keptBackForOthers_ = 0, converted_ = 0;
    // After an abort: the items of the batch it left waiting, still in the list.
    int leftWaiting_ = 0;
    std::set<ItemId> ended_; // the items of the batch that were decided
    std::string failureDetails_;
    BatchOutputs outputs_;
    // The deepest real folder holding every source of the batch, and whether
    // the outputs take the structure below it (the user chose folders of their own).
    std::optional<Path> commonFolder_;
    bool separateFolders_ = false;
    // The real folders, by the absolute text of the source folders.
    mutable std::map<std::string, std::optional<Path>> realFolders_;
};
