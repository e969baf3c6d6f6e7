// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The outputs of one batch (output_rules.h): what was there, what may be
// replaced, what the batch wrote, and which names are one file.
#include "output_rules.h"

#include "text.h"

#include <QString>

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

namespace {

FileId IdOf(const FileStamp& stamp) {
    return {stamp.device, stamp.inode};
}

// The file name in folder (a descriptor, or AT_FDCWD for a path) leads to, links followed.
std::optional<FileId> FollowedId(const std::string& name, int folder = AT_FDCWD) {
    struct stat info {};
    if (::fstatat(folder, name.c_str(), &info, 0) != 0)
        return std::nullopt;
    return FileId{info.st_dev, info.st_ino};
}

Verdict MadeMeanwhile() {
    return {Translate("BatchDriver", "変換中に出力先に同じ名前のファイルが作られました")};
}

Verdict NotReplaced() {
    return {Translate("BatchDriver", "同じ名前のファイルがあるため変換しませんでした"), {}, true};
}

Verdict LeadsOutside() {
    return {Translate("BatchDriver", "出力先フォルダの外を指すリンクがあるため書き込みません")};
}

// A name folded to one case: Unicode's folding for a UTF-8 name, ASCII's otherwise.
std::string FoldedName(const std::string& name) {
    const QString text = QString::fromUtf8(name.data(), qsizetype(name.size()));
    if (text.toUtf8() != QByteArray(name.data(), qsizetype(name.size())))
        return AsciiLower(name);
    return text.toCaseFolded().toStdString();
}

std::optional<std::uint64_t> DeviceOf(const Path& folder) {
    const std::optional<FileStamp> stamp = StampAt(folder, true);
    return stamp ? std::optional(stamp->device) : std::nullopt;
}

} // namespace

OutputsAtStart LookAtOutputs(const std::vector<Path>& sources,
                             const std::function<Path(const Path&)>& outputFor,
                             const std::function<std::string(const Path&)>& keyOf) {
    OutputsAtStart outputs;
    outputs.found.reserve(sources.size());
    // One file, counted once however many items name it, under whatever
    // spelling or through whichever folder link.
    std::set<FileId> counted;
    for (const Path& source : sources) {
        const Path output = outputFor(source);
        const auto [entry, added] = outputs.found.try_emplace(keyOf(output));
        if (!added)
            continue;
        entry->second = StampAt(output);
        if (entry->second && entry->second->kind == FileKind::RegularFile &&
            FollowedId(source.Bytes()) != IdOf(*entry->second) &&
            counted.insert(IdOf(*entry->second)).second)
            ++outputs.replaceable;
    }
    return outputs;
}

void BatchOutputs::Begin() {
    folderKeys_.clear();
    atStart_ = {};
    replaceApproved_ = false;
    writtenKeys_.clear();
    writtenFiles_.clear();
    converted_.clear();
}

void BatchOutputs::Meet(const Path& output) {
    const Path folder = output.Parent();
    if (folderKeys_.contains(folder))
        return;
    // A folder this batch is about to write to: what a writer that died there
    // left goes now.
    RemoveHiddenOutputsLeftIn(folder);
    folderKeys_.emplace(folder, TryFolder(folder));
}

std::string BatchOutputs::Key(const Path& output) const {
    const FolderKey& folder = folderKeys_.at(output.Parent());
    const std::string name = output.Name();
    return (folder.key / (folder.blind ? FoldedName(name) : name)).Bytes();
}

BatchOutputs::FolderKey BatchOutputs::TryFolder(const Path& folder) {
    // Up to the deepest folder there is: a folder of its own is made below it.
    Path there = folder;
    std::vector<std::string> missing; // below it, the innermost first
    std::optional<Path> found;
    while (!(found = there.Resolved()) && !there.IsRoot()) {
        missing.push_back(there.Name());
        there = there.Parent();
    }
    if (!found)
        return {folder, caseBlind_(folder)};
    FolderKey key{*found, caseBlind_(*found)};
    if (key.blind) {
        // A drive blind to case (exFAT through FUSE gives each spelling of a
        // folder an inode number of its own): every name on it is folded,
        // from the folder it is mounted on down.
        for (std::string& name : missing)
            name = FoldedName(name);
        for (const auto device = DeviceOf(key.key);
             !key.key.IsRoot() && DeviceOf(key.key.Parent()) == device; key.key = key.key.Parent())
            missing.push_back(FoldedName(key.key.Name()));
    }
    for (auto name = missing.rbegin(); name != missing.rend(); ++name)
        key.key = key.key / *name;
    return key;
}

int BatchOutputs::LookBeforeBatch(const std::vector<Path>& sources,
                                  const std::function<Path(const Path&)>& outputFor) {
    atStart_ = LookAtOutputs(sources, outputFor, [this](const Path& output) {
        Meet(output);
        return Key(output);
    });
    return atStart_.replaceable;
}

// An earlier item of the batch makes this WAV: whether the names met in one
// folder or the user would not have folders of their own, the item is kept
// back, never failed.
Verdict BatchOutputs::WrittenByThisBatch() const {
    Verdict kept{
        Translate("BatchDriver", "同じ名前の出力ファイルがこの変換で作成済みです"), {}, true};
    kept.madeByThisBatch = true;
    return kept;
}

Verdict BatchOutputs::ReasonToKeep(const Path& output, const FileStamp& before) const {
    const std::string key = Key(output);
    // Under another spelling or through a link, ours is never replaced, even
    // where the file system answers for a while with what was there before.
    if (writtenKeys_.contains(key) || writtenFiles_.contains(IdOf(before)))
        return WrittenByThisBatch();
    const auto atStart = atStart_.found.find(key);
    // A destination chosen during the batch: nobody was asked about its files.
    if (atStart == atStart_.found.end())
        return NotReplaced();
    // Not there when the batch began, or changed since: another program wrote it.
    if (atStart->second != before)
        return MadeMeanwhile();
    return replaceApproved_ ? Verdict{} : NotReplaced();
}

OutputCheck BatchOutputs::Check(const Path& source, const Path& output) const {
    return Look(source, output, nullptr);
}

OutputCheck BatchOutputs::Open(const Path& source, const Path& output,
                               const std::optional<Path>& destination, bool makeFolders) {
    const Path where = output.Parent();
    auto folder =
        destination ? std::make_shared<OutputFolder>(where, *destination, makeFolders, madeFolders_)
                    : std::make_shared<OutputFolder>(where);
    OutputCheck check;
    if (folder->Outside())
        check.verdict = LeadsOutside();
    else if (!folder->Opened())
        check.verdict = {PathErrorText(where, folder->Error())};
    else
        check = Look(source, output, folder.get());
    check.folder = std::move(folder);
    return check;
}

OutputCheck BatchOutputs::Look(const Path& source, const Path& output,
                               const OutputFolder* folder) const {
    OutputCheck check;
    const std::string name = folder ? output.Name() : output.Bytes();
    const int at = folder ? folder->Fd() : AT_FDCWD;
    check.sourceId = FollowedId(source.Bytes());
    // Renaming onto the source would replace it with its own decode.
    if (check.sourceId && check.sourceId == FollowedId(name, at)) {
        check.verdict = {Translate("BatchDriver", "出力先が変換元と同じファイルです")};
        return check;
    }
    check.before = StampAt(at, name);
    if (check.before && check.before->kind != FileKind::RegularFile) {
        check.verdict = {Translate(
            "BatchDriver",
            "出力先に通常のファイルでないものがあります（削除するか別の出力先を選んでください）")};
        return check;
    }
    if (check.before) {
        // The same file listed again, its WAV of this batch still in place.
        if (const auto done = check.sourceId ? converted_.find(*check.sourceId) : converted_.end();
            done != converted_.end() && done->second == *check.before) {
            check.alreadyDone = true;
            return check;
        }
        check.verdict = ReasonToKeep(output, *check.before);
    } else if (writtenKeys_.contains(Key(output))) {
        // Gone since this batch wrote it there: a later item still does not take its name.
        check.verdict = WrittenByThisBatch();
    }
    return check;
}

Verdict BatchOutputs::PutInPlace(TemporaryOutput& temporary, const Path& source, const Path& output,
                                 const OutputCheck& check) {
    const OutputFolder& folder = temporary.Folder();
    // Moved out of the destination while the decoder ran: nothing goes there.
    if (!folder.StillWithin())
        return LeadsOutside();
    OutputCheck now = check;
    // Something may have taken the name while the decoder ran: an earlier
    // item of the same name, or another program.
    if (folder.StampOf(output.Name()) != check.before) {
        now = Look(source, output, &folder);
        if (!now.MayRun())
            return now.verdict;
    }
    const bool placed = now.before ? temporary.Replace(*now.before) : temporary.PutAt();
    if (!placed)
        return temporary.Error() == EEXIST ? MadeMeanwhile()
                                           : Verdict{PathErrorText(output, temporary.Error())};
    writtenKeys_.insert(Key(output));
    if (const std::optional<FileStamp> after = folder.StampOf(output.Name())) {
        writtenFiles_.insert(IdOf(*after));
        if (now.sourceId)
            converted_.insert_or_assign(*now.sourceId, *after);
    }
    return {};
}
