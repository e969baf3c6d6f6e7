// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What a batch may write where: the WAV's path, the look at the outputs
// before the batch, the check before a decoder runs, the hidden file the
// decoder writes, the verdict on what it left, and putting a whole WAV in
// place. One name gets one WAV: a file this batch did not approve replacing,
// or one it wrote itself, is never replaced.

#include "fs.h"
#include "process.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// The WAV path for source: beside it, or in destination when that text has
// more than two characters or is the root "/".
std::string OutputPathFor(const std::string& source, const std::string& destination);

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

// A fresh hidden file beside an output for the decoder to write; removed
// unless it has been put in the output's place.
class TemporaryOutput {
  public:
    explicit TemporaryOutput(const std::string& output);
    TemporaryOutput(const TemporaryOutput&) = delete;
    TemporaryOutput& operator=(const TemporaryOutput&) = delete;
    ~TemporaryOutput();

    // Empty when it could not be made; Error() tells why.
    const std::string& Path() const { return path_; }
    int Error() const { return error_; }
    // Renames it onto output; false, with Error(), when that fails.
    bool MoveOnto(const std::string& output);

  private:
    std::string path_;
    int error_ = 0;
};

// Why what the decoder did is no whole WAV at temporary; empty when it is one.
std::string DecoderVerdict(const RunOutcome& outcome, const std::string& temporary);

using FileId = std::pair<std::uint64_t, std::uint64_t>;

// What an item's output path holds before its decoder runs, and whether it may run.
struct OutputCheck {
    std::optional<FileStamp> before;
    std::optional<FileId> sourceId;
    std::string reason;       // why it must not run; empty when it may
    bool alreadyDone = false; // the same source's WAV of this batch is there
    bool MayRun() const { return reason.empty() && !alreadyDone; }
};

// The outputs of one batch: what was there when it began, whether the user
// allowed replacing it, and what the batch wrote.
class BatchOutputs {
  public:
    // Looks at the outputs before the batch; how many files a yes would replace.
    int LookBeforeBatch(const std::vector<std::string>& sources, const std::string& destination);
    void ApproveReplacing(bool approved) { replaceApproved_ = approved; }

    // Whether source's decoder may write output, as things stand now.
    OutputCheck Check(const std::string& source, const std::string& output) const;
    // Puts the whole WAV at temporary in output's place. Output is looked at
    // once more just before: when it changed since check, the item is judged
    // again as if it started now. The reason it was not put there; empty when
    // it was, or when the source's WAV of this batch is there already.
    std::string PutInPlace(TemporaryOutput& temporary, const std::string& source,
                           const std::string& output, const OutputCheck& check);

  private:
    // Why an output path holding before must not be written; empty when it may.
    std::string ReasonToKeep(const std::string& output, const FileStamp& before) const;

    OutputsAtStart atStart_;
    bool replaceApproved_ = false;
    // The sources this batch has converted, with the WAV each one got: the
    // same file listed again needs no second run.
    std::map<FileId, FileStamp> converted_;
};
