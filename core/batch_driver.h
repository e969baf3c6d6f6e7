// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "conversion_state.h"
#include "decoder.h"
#include "message_service.h"
#include "processing_list.h"

#include "fs.h"

#include <cstdint>
#include <functional>
#include <map>
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

// Converts the processing list, one item at a time.
class BatchDriver {
  public:
    BatchDriver(ProcessingList& list, ConversionState& state, ConversionWindow& window,
                MessageService& boxes, std::function<std::string()> decoderPath = DecoderPath);

    // Runs one batch to its end; the window stays responsive meanwhile.
    void Convert();
    // Stops the batch after the item being converted.
    void RequestAbort() { state_.AbortRequested = true; }
    // Ends the batch at once for a program that is ending: the running decoder
    // is killed, its unfinished output removed, and no box is shown.
    void RequestStop() { stopRequested_ = true; }
    bool Running() const { return running_; }
    // The items that failed in the last batch.
    int Failures() const { return failures_; }

  private:
    // Asks once whether the files at the outputs may be replaced, before any decoder runs.
    void AskBeforeReplacing(const std::vector<ItemId>& work);
    // Runs the decoder for one item into a file beside its output and puts it
    // in place when it is a whole WAV; returns the failure reason, empty on success.
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
