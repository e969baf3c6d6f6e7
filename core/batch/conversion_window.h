// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "path.h"

#include <optional>
#include <string>

// What a batch needs from the main window.
class ConversionWindow {
  public:
    virtual ~ConversionWindow() = default;
    virtual void ShowConvertButton(bool shown) = 0;
    virtual void ShowAbortButton(bool shown) = 0;
    virtual void EnableClearButton(bool enabled) = 0;
    // The destination folder, asked afresh for every item; nothing when none
    // is chosen.
    virtual std::optional<Path> DestinationFolder() const = 0;
    virtual void SetInformationLine(const std::string& line) = 0;
    // The output of the item shown.
    virtual void SetOutputPath(const Path& path) = 0;
    virtual void SetOverallProgress(int percent) = 0;
    virtual void SetFileProgress(int percent) = 0;
    // The finished output's size, in the progress monitor's words.
    virtual void SetOutputSizeText(const std::string& text) = 0;
    virtual void EnableProgressTimer(bool enabled) = 0;
    // Scrolls the list so that the item is entirely visible.
    virtual void MakeItemVisible(int index) = 0;
    // Handles every pending event of the program, drawing included: while
    // decoders run.
    virtual void DispatchEvents() = 0;
    // Between items, before anything new starts: clicks and closes are
    // taken, and drawing waits for the DispatchEvents that follows the next
    // start, so that it never holds a decoder back (speed_tricks.h).
    virtual void DispatchEventsButDrawing() { DispatchEvents(); }
    // The batch is over, before its closing boxes: how many items were
    // converted and failed, and whether it was aborted.
    virtual void BatchEnded(int /*converted*/, int /*failed*/, bool /*aborted*/) {}
};
