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

#include <unistd.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// True when the destination text names a folder: more than two characters, or
// the root "/"; fewer are an empty or cancelled choice.
bool IsDestinationChosen(const std::string& destination);

// The WAV path for source: beside it, or in destination when one is chosen.
std::string OutputPathFor(const std::string& source, const std::string& destination);

// What was at the output paths when a batch began.
struct OutputsAtStart {
    // By output path (or key): what was there, links not followed; nothing for nothing.
    std::unordered_map<std::string, std::optional<FileStamp>> found;
    // The paths holding a regular file that a conversion would replace (a
    // source's own name excepted, which is never written): what the question counts.
    int replaceable = 0;
};

// Looks at the output path of every source; outputs of one key are one file.
OutputsAtStart LookAtOutputs(
    const std::vector<std::string>& sources,
    const std::function<std::string(const std::string&)>& outputFor,
    const std::function<std::string(const std::string&)>& keyOf = [](const std::string& output) {
        return output;
    });

// True when folder takes names that differ only in case for one file (FAT,
// exFAT, NTFS, a case-folding ext4): a fresh probe file made there is looked
// up under the other spelling. False when that can't be told.
bool FolderIsCaseBlind(const std::string& folder);

// The file a decoder writes until its WAV is whole, handed to the decoder as
// its descriptor 3: a file with no name in the output's folder, so that
// nothing is left on disk if we die; where the file system has no unnamed
// files, a fresh hidden file beside the output (".NAME.brindlecot-XXXXXXXX.wav"),
// removed unless put in place. It is locked (flock) for as long as it is
// written, so that a later batch can tell one whose writer is gone.
class TemporaryOutput {
  public:
    explicit TemporaryOutput(const std::string& output);
    TemporaryOutput(const TemporaryOutput&) = delete;
    TemporaryOutput& operator=(const TemporaryOutput&) = delete;
    ~TemporaryOutput();

    // False when it could not be made; Error() tells why.
    bool Made() const { return fd_ >= 0; }
    int Error() const { return error_; }
    // The output path the decoder is given, and the descriptor it gets as its
    // 3: it never makes a name of its own, which an end of ours could miss.
    std::string DecoderPath() const { return "/dev/fd/3"; }
    int PassedDescriptor() const { return fd_; }
    // Where the progress monitor finds it.
    std::string MeasuredPath() const;
    int Descriptor() const { return fd_; }
    // Once the decoder has written into it, takes over from the decoder's
    // close the write-out that its opening owes the file system; true from
    // then on.
    bool TakeOverCloseFlush();

    // Names it output where nothing is there; false, with Error() (EEXIST
    // when a name was there), when that fails.
    bool PutAt(const std::string& output);
    // Replaces the file replaced at output, its data on the disk first
    // (through sync, which a test may watch), with that file's permissions,
    // and its owner and group where we may set them.
    bool Replace(const std::string& output, const FileStamp& replaced,
                 const std::function<int(int)>& sync = ::fsync);

  private:
    int fd_ = -1;
    std::string path_; // empty for a file with no name
    int error_ = 0;
    bool flushTakenOver_ = false;
};

// Removes the hidden files of TemporaryOutput in folder whose writer is gone
// (their lock is free); one a running copy of the program writes stays, and
// so does every file of another name.
void RemoveHiddenOutputsLeftIn(const std::string& folder);

// Removes the hidden files this program is writing now: for an end that runs
// none of our destructors (exit() from the window system's error handling).
void RemoveHiddenOutputsBeingWritten();

// Why an item is not converted, as its list entry tells it; what the decoder
// said, when the reason tells it in other words; and whether it was the
// user's own choice.
struct Verdict {
    Verdict() = default;
    Verdict(std::string reason, std::string decoderSaid = {}, bool keptBack = false)
        : reason(std::move(reason)), decoderSaid(std::move(decoderSaid)), keptBack(keptBack) {}
    std::string reason; // empty when it is converted
    std::string decoderSaid;
    bool keptBack = false;
    bool Converted() const { return reason.empty(); }
};

// What lame's last lines of error output mean, in the user's language with
// the path left out; its last line as it stands when it is none of its usual ones.
Verdict DecoderFailure(const std::string& lineBefore, const std::string& lastLine);

// Why what the decoder did is no whole WAV in temporary; none when it is one.
Verdict DecoderVerdict(const RunOutcome& outcome, const TemporaryOutput& temporary);

using FileId = std::pair<std::uint64_t, std::uint64_t>;

// What an item's output path holds before its decoder runs, and whether it may run.
struct OutputCheck {
    std::optional<FileStamp> before;
    std::optional<FileId> sourceId;
    Verdict verdict;          // why it must not run; none when it may
    bool alreadyDone = false; // the same source's WAV of this batch is there
    bool MayRun() const { return verdict.Converted() && !alreadyDone; }
};

// The outputs of one batch: what was there when it began, whether the user
// allowed replacing it, and what the batch wrote. In a folder blind to case,
// names that differ only in case are one output.
class BatchOutputs {
  public:
    explicit BatchOutputs(std::function<bool(const std::string&)> caseBlind = FolderIsCaseBlind)
        : caseBlind_(std::move(caseBlind)) {}

    // A new batch: nothing looked at, allowed or written yet.
    void Begin();
    // Looks at the outputs before the batch; how many files a yes would replace.
    int LookBeforeBatch(const std::vector<std::string>& sources,
                        const std::function<std::string(const std::string&)>& outputFor);
    void ApproveReplacing(bool approved) { replaceApproved_ = approved; }
    // What output is one output with: itself, or its name folded to one case.
    // The first time a batch meets a folder, the hidden files left there by
    // writers that are gone are removed.
    std::string Key(const std::string& output) const;

    // Whether source's decoder may write output, as things stand now.
    OutputCheck Check(const std::string& source, const std::string& output) const;
    // Puts the whole WAV in temporary in output's place. Output is looked at
    // once more just before: when it changed since check, the item is judged
    // again as if it started now. Nothing is replaced but what the user
    // allowed. Why it was not put there; none when it was, or when the
    // source's WAV of this batch is there already.
    Verdict PutInPlace(TemporaryOutput& temporary, const std::string& source,
                       const std::string& output, const OutputCheck& check);

  private:
    // Why an output path holding before must not be written; none when it may.
    Verdict ReasonToKeep(const std::string& output, const FileStamp& before) const;
    Verdict WrittenByThisBatch() const;

    std::function<bool(const std::string&)> caseBlind_;
    mutable std::unordered_map<std::string, bool> caseBlindFolders_;
    OutputsAtStart atStart_; // by Key
    bool replaceApproved_ = false;
    // What this batch wrote: by Key, and by file, so that a later item never
    // replaces it under another spelling or through a link.
    std::set<std::string> writtenKeys_;
    std::set<FileId> writtenFiles_;
    // The sources this batch has converted, with the WAV each one got: the
    // same file listed again needs no second run.
    std::map<FileId, FileStamp> converted_;
};
