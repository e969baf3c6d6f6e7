// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Where a WAV is written: its folder, held open once it is judged, so that a
// link swapped in on the way afterwards leads nowhere else; the file the
// decoder writes there until the WAV is whole; and what the program has
// under way on disk, for an end that runs none of our destructors.

#include "fs.h"
#include "path.h"
#include "unique_fd.h"

#include <unistd.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A folder outputs go into, open: what is looked at, written and named in it
// goes through its descriptor, never through its path again.
class OutputFolder {
  public:
    // Opens folder, links followed; Opened() is false, with Error(), when it can't.
    explicit OutputFolder(const Path& folder);
    // Opens folder for a batch whose destination is destination: made first
    // with the folders missing between them when make, each folder on the way
    // opened and judged below the destination, as the file system resolves
    // both, before anything is made in it. A link on the way that leads out
    // stops it there (Outside()). The folders made are added to made, outer
    // ones first.
    OutputFolder(const Path& folder, const Path& destination, bool make, std::vector<Path>& made);

    bool Opened() const { return fd_.Get() >= 0; }
    int Error() const { return error_; }
    // True when the way to it leads out of the destination.
    bool Outside() const { return outside_; }
    int Fd() const { return fd_.Get(); }
    // The folder as given: for messages, and for what is shown of its files.
    const Path& Where() const { return where_; }
    // Where it lies now, as the system tells of the open folder.
    std::optional<Path> Real() const;
    // True while it still lies below the destination it was judged against.
    bool StillWithin() const;
    // What name holds in it, links not followed; nothing for nothing.
    std::optional<FileStamp> StampOf(const std::string& name) const;

  private:
    UniqueFd fd_;
    Path where_;
    std::optional<Path> within_;
    int error_ = 0;
    bool outside_ = false;
};

// The file a decoder writes until its WAV is whole, handed to the decoder as
// its descriptor 3: a file with no name in the output's folder, so that
// nothing is left on disk if we die; where the file system has no unnamed
// files, a fresh hidden file beside the output (".NAME.brindlecot-XXXXXXXX.wav"),
// removed unless put in place. It is locked (flock) for as long as it is
// written, so that a later batch can tell one whose writer is gone.
class TemporaryOutput {
  public:
    // For the output named name in folder.
    TemporaryOutput(std::shared_ptr<const OutputFolder> folder, std::string name);
    // For output, in its folder opened for it.
    explicit TemporaryOutput(const Path& output);
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
    Path MeasuredPath() const;
    int Descriptor() const { return fd_; }
    const OutputFolder& Folder() const { return *folder_; }

    // Names it as the output where nothing is there; false, with Error()
    // (EEXIST when a name was there), when that fails.
    bool PutAt();
    // Replaces the file replaced at the output, its data on the disk first
    // (through sync, which a test may watch), with that file's permissions,
    // and its owner and group where we may set them.
    bool Replace(const FileStamp& replaced, const std::function<int(int)>& sync = ::fsync);

  private:
    // Its hidden name in the folder, for a new name of the output.
    std::string HiddenName() const;
    // Forgets its hidden name once it is the output's.
    void Placed();

    std::shared_ptr<const OutputFolder> folder_;
    std::string name_;
    int fd_ = -1;
    std::string hidden_; // its hidden name; empty for a file with no name
    int error_ = 0;
};

// True when folder takes names that differ only in case for one file (FAT,
// exFAT, NTFS, a case-folding ext4): a fresh probe file made there is looked
// up under the other spelling. False when that can't be told.
bool FolderIsCaseBlind(const Path& folder);

// Removes the hidden files of TemporaryOutput in folder whose writer is gone
// (their lock is free); one a running copy of the program writes stays, and
// so does every file of another name.
void RemoveHiddenOutputsLeftIn(const Path& folder);

// Removes the folders of made (outer ones first) that hold nothing, the
// innermost first; made is then empty.
void RemoveFoldersLeftEmpty(std::vector<Path>& made);

// Removes what this program has under way on disk: the hidden files being
// written, and the folders made for outputs that are still empty. For an end
// that runs none of our destructors (exit() from the window system's error
// handling): unnamed files go with us by themselves.
void RemoveUnfinishedOutputs();
