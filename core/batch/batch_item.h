// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// An item of a batch from its preparation to its being put in place: what
// the batch's stages hand on to each other.

#include "decoder.h"
#include "mpeg_header.h"
#include "mpeg_stream.h"
#include "output_rules.h"
#include "path.h"
#include "process.h"
#include "processing_list.h"
#include "wav_tags.h"

#include <cstddef>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct BatchItem {
    // Where an item is between its preparation and its being put in place.
    enum class Stage {
        Ready,      // prepared: header read, output looked at, the decoder's files open
        Running,    // its decoder runs
        Finished,   // its decoder has ended
        Decided,    // its verdict came without a decoder
        PassedOver, // deleted from the list before its turn
    };

    BatchItem(std::size_t place, ItemId id) : place(place), id(id) {}

    std::size_t place; // in the batch's work, which is the list's order
    ItemId id;
    Stage stage = Stage::Ready;
    std::string caption;        // as the list held it when the item was taken
    std::optional<Path> source; // the caption as a path; nothing when it is none
    Path output;
    std::string outputKey;
    MpegAudioInfo header;
    MpegStream stream;
    std::exception_ptr unreadable; // the header reader's error, told at the item's turn
    DecoderOption option = DecoderOption::DecodeMp2Input;
    OutputCheck check;
    bool outputLooked = false; // check tells what was at the output then
    std::unique_ptr<TemporaryOutput> temporary;
    bool writeOutTakenOver = false;
    int closeWatch = -1;              // of its decoder's file, while it runs
    bool outputClosed = false;        // its decoder is done with its file, and ending
    std::vector<std::string> command; // the decoder's, once its files are open
    std::optional<Child> decoder;
    std::optional<RunOutcome> outcome; // once the decoder has ended
    std::optional<Verdict> verdict;    // decided without a decoder
    SourceTags tags;                   // what its WAV will carry

    bool Done() const {
        return stage == Stage::Finished || stage == Stage::Decided || stage == Stage::PassedOver;
    }
    void Decide(Verdict decided) {
        verdict = std::move(decided);
        stage = Stage::Decided;
    }
};

// Why an item failed for something nothing foresaw, in the user's words: what
// was thrown means nothing to them.
Verdict UnexpectedFailure();
