// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What a batch may write where: the WAV's path, the look at the outputs
// before the batch, the check before a decoder runs (output_folder.h has the
// folder and the file the decoder writes), the verdict on what it left, and
// putting a whole WAV in place (batch_outputs.cpp). One name gets one WAV: a
// file this batch did not approve replacing, or one it wrote itself, is never
// replaced, and nothing is written outside the destination.

#include "fs.h"
#include "output_folder.h"
#include "path.h"
#include "process.h"

#include <unistd.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// The destination folder a window's text names: none for an empty or
// cancelled choice (two characters or fewer, but the root "/"); a relative
// text from the working folder.
std::optional<Path> DestinationNamedBy(std::string_view text);

// The WAV path for source: beside it, or in destination when one is chosen.
Path OutputPathFor(const Path& source, const std::optional<Path>& destination);

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
    const std::vector<Path>& sources, const std::function<Path(const Path&)>& outputFor,
    const std::function<std::string(const Path&)>& keyOf = [](const Path& output) {
        return output.Bytes();
    });

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
    bool madeByThisBatch = false; // kept back: another item of the batch made its WAV
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
    // Its folder, once opened for the decoder: what is looked at and put
    // there goes through it.
    std::shared_ptr<const OutputFolder> folder;
    std::optional<FileStamp> before;
    std::optional<FileId> sourceId;
    Verdict verdict;          // why it must not run; none when it may
    bool alreadyDone = false; // the same source's WAV of this batch is there
    bool MayRun() const { return verdict.Converted() && !alreadyDone; }
};

// The outputs of one batch: what was there when it began, whether the user
// allowed replacing it, and what the batch wrote. Outputs are told apart by
// the folders the file system finds, and on a drive blind to case by their
// names folded to one case, the folders' included.
class BatchOutputs {
  public:
    explicit BatchOutputs(std::function<bool(const Path&)> caseBlind = FolderIsCaseBlind)
        : caseBlind_(std::move(caseBlind)) {}

    // A new batch: nothing met, looked at, allowed or written yet.
    void Begin();
    // The batch meets output's folder. The first time: the hidden files left
    // there by writers that are gone are removed, and the folder (or the
    // deepest one of its way there is) is tried once for blindness to case.
    void Meet(const Path& output);
    // What output is one output with: its folder where the file system
    // resolves it (links and ".." followed as far as there are folders, the
    // rest as written), and on a drive blind to case, each name on the drive
    // folded to one case. Its folder has been met.
    std::string Key(const Path& output) const;
    // Meets the outputs' folders and looks at the outputs before the batch;
    // how many files a yes would replace.
    int LookBeforeBatch(const std::vector<Path>& sources,
                        const std::function<Path(const Path&)>& outputFor);
    void ApproveReplacing(bool approved) { replaceApproved_ = approved; }

    // Whether source's decoder may write output, as things stand now; nothing
    // is opened or made for it.
    OutputCheck Check(const Path& source, const Path& output) const;
    // The same with output's folder opened for the decoder, and made first
    // (with the folders missing between it and the destination) when
    // makeFolders. With a destination chosen, the folder must lie below it as
    // the file system resolves both: where a link leads out, nothing is made
    // or written for the item.
    OutputCheck Open(const Path& source, const Path& output, const std::optional<Path>& destination,
                     bool makeFolders);
    // Puts the whole WAV in temporary in output's place. Output is looked at
    // once more just before: when it changed since check, the item is judged
    // again as if it started now. Nothing is replaced but what the user
    // allowed. Why it was not put there; none when it was, or when the
    // source's WAV of this batch is there already.
    Verdict PutInPlace(TemporaryOutput& temporary, const Path& source, const Path& output,
                       const OutputCheck& check);
    // Removes the folders the batch made that hold nothing.
    void RemoveFoldersLeftEmpty() { ::RemoveFoldersLeftEmpty(madeFolders_); }

  private:
    // A folder's part of the key, and whether names in it fold.
    struct FolderKey {
        Path key;
        bool blind = false;
    };
    FolderKey TryFolder(const Path& folder);
    // The check, output looked at through folder when given, else by its path.
    OutputCheck Look(const Path& source, const Path& output, const OutputFolder* folder) const;
    // Why an output path holding before must not be written; none when it may.
    Verdict ReasonToKeep(const Path& output, const FileStamp& before) const;
    Verdict WrittenByThisBatch() const;

    std::function<bool(const Path&)> caseBlind_;
    std::map<Path, FolderKey> folderKeys_; // by the folder met
    OutputsAtStart atStart_;               // by Key
    bool replaceApproved_ = false;
    // What this batch wrote: by Key, and by file, so that a later item never
    // replaces it under another spelling or through a link.
    std::set<std::string> writtenKeys_;
    std::set<FileId> writtenFiles_;
    // The sources this batch has converted, with the WAV each one got: the
    // same file listed again needs no second run.
    std::map<FileId, FileStamp> converted_;
    // The folders this batch made for outputs, outer ones first.
    std::vector<Path> madeFolders_;
};
