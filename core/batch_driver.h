#pragma once

#include "conversion_state.h"
#include "decoder.h"
#include "message_service.h"
#include "processing_list.h"

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <utility>

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
    virtual void EnableProgressTimer(bool enabled) = 0;
    // Scrolls the list so that the item is entirely visible.
    virtual void MakeItemVisible(int index) = 0;
    // Handles every pending event of the program.
    virtual void DispatchEvents() = 0;
    // The same, once an item is done: a decoder quicker than a dispatch step
    // would otherwise leave clicks, closes and paints waiting for the whole batch.
    virtual void DispatchEventsBetweenItems() = 0;
    // The batch is over, before its closing boxes: how many items were
    // converted and failed, and whether it was aborted.
    virtual void BatchEnded(int /*converted*/, int /*failed*/, bool /*aborted*/) {}
};

// The WAV path for source: beside it, or in destination when that text has
// more than two characters or is the root "/".
std::string OutputPathFor(const std::string& source, const std::string& destination);

// The decoder option for source's extension; previous when it has none of the three.
DecoderOption OptionFor(const std::string& source, DecoderOption previous);

// Converts the processing list, one item at a time.
class BatchDriver {
  public:
    BatchDriver(ProcessingList& list, ConversionState& state, ConversionWindow& window,
                MessageService& boxes, std::function<std::string()> decoderPath = DecoderPath);

    // Runs one batch to its end; the window stays responsive meanwhile.
    void Convert();
    // Stops the batch after the item being converted.
    void RequestAbort() { state_.AbortRequested = true; }
    bool Running() const { return running_; }

  private:
    // Runs the decoder for one item and checks what it left; returns the
    // failure reason, empty on success.
    std::string ConvertOne(const DecoderCommand& command, const std::string& source,
                           const std::string& output);
    void RestoreIdle();

    ProcessingList& list_;
    ConversionState& state_;
    ConversionWindow& window_;
    MessageService& boxes_;
    std::function<std::string()> decoderPath_;
    bool running_ = false;
    // The outputs this batch has written, by device and inode, so that a
    // later item of the same name never replaces one of them.
    std::set<std::pair<std::uint64_t, std::uint64_t>> written_;
};
