// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A batch's plan: each item's source as a path, its WAV's path and its
// decoder's option, and the questions asked once before the first decoder
// (folders of their own for outputs of one name, replacing what is there).

#include "conversion_window.h"
#include "decoder.h"
#include "message_service.h"
#include "output_rules.h"
#include "path.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// The source a list's caption names, as the batch takes it: a relative one
// from the working folder, which the decoder inherits; nothing when the
// caption is no path (an empty one).
std::optional<Path> SourceNamedBy(const std::string& caption);

// The decoder option for source's extension where its first frame's layer
// (1 to 3; 0 when unknown) agrees with it, else the option for that layer;
// previous for a source with neither.
DecoderOption OptionFor(const Path& source, DecoderOption previous, int layer = 0);

// Where a batch's WAVs go: the destination, asked afresh for every item, and
// below it, when the user chose folders of their own, each source's folder as
// it stands below the deepest folder holding every source. The folders are
// the real ones: a ".." or a link in a name leads where the file system says.
class OutputPlan {
  public:
    OutputPlan(const ConversionWindow& window, MessageService& boxes, BatchOutputs& outputs)
        : window_(window), boxes_(boxes), outputs_(outputs) {}

    // A new batch of sources: the deepest real folder holding them all;
    // nothing asked yet.
    void Begin(const std::vector<Path>& sources);
    // Whether items whose WAVs would take one name in the destination go to
    // folders of their own there: asked when there are such items.
    void AskAboutSameNames(const std::vector<Path>& sources);
    // Whether files already at the outputs may be replaced: asked when any is.
    void AskBeforeReplacing(const std::vector<Path>& sources);
    bool SeparateFolders() const { return separateFolders_; }

    // Where source's WAV goes now.
    Path OutputFor(const Path& source) const;
    // How the failure details name source: its path below the common folder.
    std::string DetailName(const Path& source) const;

  private:
    // source's folder as the file system resolves it; nothing where it can't.
    std::optional<Path> RealFolderOf(const Path& source) const;

    const ConversionWindow& window_;
    MessageService& boxes_;
    BatchOutputs& outputs_;
    std::optional<Path> commonFolder_;
    bool separateFolders_ = false;
    mutable std::map<Path, std::optional<Path>> realFolders_; // by the folder as named
};
