// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "conversion_state.h"
#include "decoder.h"
#include "message_service.h"
#include "processing_list.h"

#include "fs.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
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
    // Handles every pending event of the program: while a decoder runs, and
    // once an item is done too, since a decoder quicker than a dispatch step
    // would otherwise leave clicks, closes and paints waiting for the whole batch.
    virtual void DispatchEvents() = 0;
    // The batch is over, before its closing boxes: how many items were
    // converted and failed, and whether it was aborted.
    virtual void BatchEnded(int /*converted*/, int /*failed*/, bool /*aborted*/) {}
};

// The WAV path for source: beside it, or in destination when that text has
// more than two characters or is the root "/".
std::string OutputPathFor(const std::string& source, const std::string& destination);

// The decoder option for source's extension; previous when it has none of the three.
DecoderOption OptionFor(const std::string& source, DecoderOption previous);

// "N件のファイルを変換できませんでした": the box after a batch with failures.
std::string FailureCountText(int failures);

// What was at the output paths when a batch began.
struct OutputsAtStart {
    // By output path: what was there, links not followed; nothing for nothing.
    std::unordered_map<std::string, std::optional<FileStamp>> found;
    // The paths holding a regular file that a conversion would replace (a
    // source's own name excepted, which is never written): what the question counts.
    int replaceable = 0;
};

// Looks at the output path of every source, for the destination text given.
OutputsAtStart LookAtOutputs(const std::vector<std::string>& sources,
                             const std::string& destination);

// A file beside an output that a decoder writes until it is put in its place.
class TemporaryOutput;

// Converts the processing list, one item at a time, or several at once.
class BatchDriver {
  public:
    BatchDriver(ProcessingList& list, ConversionState& state, ConversionWindow& window,
                MessageService& boxes, std::function<std::string()> decoderPath = DecoderPath);

    // Runs one batch to its end; the window stays responsive meanwhile. With
    // decodersAtOnce, up to that many decoders run at once: items start in
    // list order and are put in place in list order, each one only after every
    // item before it, so that an earlier item always wins a name. Without it,
    // one item at a time.
    void Convert(std::optional<int> decodersAtOnce = std::nullopt);
    // Stops the batch after the item being converted.
    void RequestAbort() { state_.AbortRequested = true; }
    // Ends the batch at once for a program that is ending: the running decoder
    // is killed, its unfinished output removed, and no box is shown.
    void RequestStop() { stopRequested_ = true; }
    bool Running() const { return running_; }
    // True while a batch runs several decoders at once.
    bool RunningSeveralAtOnce() const { return running_ && severalAtOnce_; }
    // The items that failed in the last batch.
    int Failures() const { return failures_; }

  private:
    // An item that several-at-once has started and not yet put in its place.
    struct InFlight;
    // What an item's output path holds before its decoder runs, and whether it may run.
    struct Precheck {
        std::optional<FileStamp> before;
        std::optional<std::pair<std::uint64_t, std::uint64_t>> sourceId;
        std::string reason;       // why it must not run; empty when it may
        bool alreadyDone = false; // the same source's WAV of this batch is there
    };

    // The items of work, up to decodersAtOnce decoders at a time, counting
    // those converted; false when the batch was stopped (RequestStop).
    bool ConvertSeveral(const std::string& decoder, const std::vector<ItemId>& work,
                        int decodersAtOnce, int& converted);
    // Starts the decoder of an item whose information line has been read.
    void Start(InFlight& item, const std::string& decoder, DecoderOption option, int count);
    // Puts a finished item in place and shows its state and the overall
    // progress; true when it is converted.
    bool Settle(InFlight& item, int count);
    // Shows the earliest running item's file and line.
    void ShowEarliest(const std::deque<InFlight>& items, bool restoreEstimate);
    Precheck CheckBeforeRun(const std::string& source, const std::string& output) const;
    // Moves a whole WAV onto output when the output is still what check saw.
    std::string PutInPlace(TemporaryOutput& temporary, const std::string& output,
                           const Precheck& check);
    // Asks once whether the files at the outputs may be replaced, before any decoder runs.
    void AskBeforeReplacing(const std::vector<ItemId>& work);
    // Runs the decoder for one item into a file beside its output and puts it
    // in place when it is a whole WAV; returns the failure reason, empty on success.
    // An item's end: its state, or its failure and reason, and when it is the
    // item shown, its finished WAV's figures. True when it was converted.
    bool EndItem(ItemId id, const std::string& output, const std::string& failure, bool shown);
    std::string ConvertOne(const std::string& decoder, DecoderOption option,
                           const std::string& source, const std::string& output);
    // Why an output path holding before must not be written; empty when it may.
    std::string ReasonToKeep(const std::string& output, const FileStamp& before) const;
    void RestoreIdle();

    ProcessingList& list_;
    ConversionState& state_;
    ConversionWindow& window_;
    MessageService& boxes_;
    std::function<std::string()> decoderPath_;
    bool running_ = false;
    bool severalAtOnce_ = false;
    std::optional<std::size_t> shownItem_; // the item several-at-once shows, by its place
    bool stopRequested_ = false;
    int failures_ = 0;
    OutputsAtStart outputsAtStart_;
    bool replaceApproved_ = false;
    // The outputs this batch has written, by device and inode, so that a
    // later item of the same name never replaces one of them.
    std::set<std::pair<std::uint64_t, std::uint64_t>> written_;
    // The sources this batch has converted, by device and inode, with the WAV
    // each one got: the same file listed again needs no second run.
    std::map<std::pair<std::uint64_t, std::uint64_t>, FileStamp> converted_;
};
