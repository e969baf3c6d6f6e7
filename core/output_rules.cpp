// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output_rules.h"

#include "text.h"
#include "unique_fd.h"
#include "wav_file.h"

#include <QString>

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <random>
#include <string_view>
#include <utility>

namespace {

FileId IdOf(const FileStamp& stamp) {
    return {stamp.device, stamp.inode};
}

// The file a path leads to, links followed.
std::optional<FileId> FollowedId(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileId{info.st_dev, info.st_ino};
}

Verdict MadeMeanwhile() {
    return {Translate("BatchDriver", "変換中に出力先に同じ名前のファイルが作られました")};
}

// lame writes a frame of samples at a time through a buffer of a page: a
// file system left with less room than a few of those may have cut the end of
// a WAV whose header can't tell its length (past 2 GiB).
constexpr std::uint64_t kRoomForTheLastWrites = 64 * 1024;

bool RoomLeftAfter(int fd) {
    struct statvfs room {};
    return ::fstatvfs(fd, &room) != 0 ||
           std::uint64_t(room.f_bavail) * room.f_frsize >= kRoomForTheLastWrites;
}

std::string RandomLetters(std::size_t count, bool lowerOnly = false) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    std::string letters;
    for (std::size_t i = 0; i < count; ++i)
        letters += kLetters[random() % (lowerOnly ? 26 : sizeof kLetters - 1)];
    return letters;
}

// Our hidden files: ".NAME.brindlecot-XXXXXXXX.wav", XXXXXXXX random letters
// and digits, so that no other program's file is taken for one of ours.
constexpr std::string_view kHiddenMark = ".brindlecot-";
constexpr std::size_t kHiddenRandom = 8;

std::string HiddenPathFor(const std::string& output) {
    std::string stem = NameOf(output);
    if (stem.size() > 4 && stem.compare(stem.size() - 4, 4, ".wav") == 0)
        stem.resize(stem.size() - 4);
    // Room for the dot, the mark, the random part and the extension within a name's 255 bytes.
    constexpr std::size_t kLongestStem = 200;
    if (stem.size() > kLongestStem) {
        stem.resize(kLongestStem);
        while (!stem.empty() && (static_cast<unsigned char>(stem.back()) & 0xC0) == 0x80)
            stem.pop_back(); // never half a UTF-8 character
        if (!stem.empty() && static_cast<unsigned char>(stem.back()) >= 0xC0)
            stem.pop_back();
    }
    return JoinPath(FolderOf(output),
                    "." + stem + std::string(kHiddenMark) + RandomLetters(kHiddenRandom) + ".wav");
}

bool IsHiddenOutputName(std::string_view name) {
    const std::size_t tail = kHiddenMark.size() + kHiddenRandom + 4;
    if (name.size() <= tail || name.front() != '.' || !name.ends_with(".wav"))
        return false;
    const std::string_view random = name.substr(name.size() - 4 - kHiddenRandom, kHiddenRandom);
    return name.substr(name.size() - tail, kHiddenMark.size()) == kHiddenMark &&
           std::all_of(random.begin(), random.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
           });
}

// True when path still names the regular file open as fd.
bool NamesFile(const std::string& path, int fd) {
    struct stat named {};
    struct stat opened {};
    return ::lstat(path.c_str(), &named) == 0 && ::fstat(fd, &opened) == 0 &&
           S_ISREG(opened.st_mode) && named.st_dev == opened.st_dev &&
           named.st_ino == opened.st_ino;
}

// The hidden files being written now. Never destroyed: exit() destroys
// statics before it runs the hook that removes these files.
std::set<std::string>& HiddenOutputsNow() {
    static auto* const paths = new std::set<std::string>;
    return *paths;
}

// A name folded to one case: Unicode's folding for a UTF-8 name, ASCII's otherwise.
std::string FoldedName(const std::string& name) {
    const QString text = QString::fromUtf8(name.data(), qsizetype(name.size()));
    if (text.toUtf8() != QByteArray(name.data(), qsizetype(name.size())))
        return AsciiLower(name);
    return text.toCaseFolded().toStdString();
}
Verdict NotReplaced() {
    return {Translate("BatchDriver", "同じ名前のファイルがあるため変換しませんでした"), {}, true};
}

std::string WavFailure(int fd) {
    switch (CheckWavFile(fd)) {
    case WavCheck::Complete:
        return {};
    case WavCheck::Capped:
        // lame ends without error on a full disk.
        return RoomLeftAfter(fd) ? std::string()
                                 : Translate("BatchDriver", "出力先の空き容量がなくなりました");
    case WavCheck::Truncated:
        return Translate("BatchDriver",
                         "出力ファイルが途中で切れています（空き容量を確認してください）");
    case WavCheck::NoSamples:
        return Translate("BatchDriver", "音声データが見つかりませんでした");
    case WavCheck::Malformed:
        break;
    }
    return Translate("BatchDriver",
                     "出力ファイルが正しいWAVファイルではありません（デコーダを確認してください）");
}

} // namespace

bool IsDestinationChosen(const std::string& destination) {
    return CharacterCount(destination) > 2 || destination == "/";
}

std::string OutputPathFor(const std::string& source, const std::string& destination) {
    std::string output = std::string(DropLastCharacters(source, 3)) + "wav";
    if (IsDestinationChosen(destination))
        output = JoinPath(destination, NameOf(output));
    return output;
}

OutputsAtStart LookAtOutputs(const std::vector<std::string>& sources,
                             const std::function<std::string(const std::string&)>& outputFor,
                             const std::function<std::string(const std::string&)>& keyOf) {
    OutputsAtStart outputs;
    outputs.found.reserve(sources.size());
    // One file, counted once however many items name it, under whatever
    // spelling or through whichever folder link.
    std::set<FileId> counted;
    for (const std::string& source : sources) {
        const std::string output = outputFor(source);
        const auto [entry, added] = outputs.found.try_emplace(keyOf(output));
        if (!added)
            continue;
        entry->second = StampAt(output);
        if (entry->second && entry->second->kind == FileKind::RegularFile &&
            FollowedId(source) != IdOf(*entry->second) &&
            counted.insert(IdOf(*entry->second)).second)
            ++outputs.replaceable;
    }
    return outputs;
}

bool FolderIsCaseBlind(const std::string& folder) {
    const std::string name = ".brindlecot-case-" + RandomLetters(12, true);
    const UniqueFd probe(::open(JoinPath(folder, name).c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!probe)
        return false;
    struct stat info {};
    const bool blind = ::lstat(JoinPath(folder, AsciiUpper(name)).c_str(), &info) == 0;
    ::unlink(JoinPath(folder, name).c_str());
    return blind;
}

// In the output's folder, the WAV is named or renamed into place on one file
// system and never copied.
TemporaryOutput::TemporaryOutput(const std::string& output) {
    const std::string folder = FolderOf(output);
    // The mode the decoder would have created the WAV with: ours, less the umask.
    fd_ = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
        // The lock covers the hidden name it takes for a moment when it replaces a file.
        ::flock(fd_, LOCK_EX | LOCK_NB);
        return;
    }
    // No unnamed files here (FAT, exFAT, many FUSE and network file systems):
    // a hidden file of a random name, which is no user's file.
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = HiddenPathFor(output);
        fd_ = ::open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd_ < 0 && errno != EEXIST)
            break;
        if (fd_ < 0)
            continue;
        // Another copy's look for files left over may have taken it before
        // our lock did; where nothing locks, the file is ours all the same.
        if ((::flock(fd_, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK) &&
            NamesFile(candidate, fd_)) {
            HiddenOutputsNow().insert(candidate);
            path_ = std::move(candidate);
            return;
        }
        ::close(std::exchange(fd_, -1));
        errno = EEXIST;
    }
    error_ = errno;
}

TemporaryOutput::~TemporaryOutput() {
    if (!path_.empty()) {
        ::unlink(path_.c_str());
        HiddenOutputsNow().erase(path_);
    }
    if (fd_ >= 0)
        ::close(fd_);
}

void RemoveHiddenOutputsLeftIn(const std::string& folder) {
    const std::unique_ptr<DIR, int (*)(DIR*)> entries(::opendir(folder.c_str()), &::closedir);
    if (!entries)
        return;
    while (const dirent* entry = ::readdir(entries.get())) {
        if (!IsHiddenOutputName(entry->d_name))
            continue;
        const std::string path = JoinPath(folder, entry->d_name);
        const UniqueFd file(
            ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY));
        // Locked: its writer lives. Where nothing can be locked, nothing is removed.
        if (file && ::flock(file.Get(), LOCK_EX | LOCK_NB) == 0 && NamesFile(path, file.Get()))
            ::unlink(path.c_str());
    }
}

void RemoveHiddenOutputsBeingWritten() {
    for (const std::string& path : HiddenOutputsNow())
        ::unlink(path.c_str());
    HiddenOutputsNow().clear();
}

bool TemporaryOutput::TakeOverCloseFlush() {
    // ext4 (and xfs, btrfs) write a file out at the close that follows its
    // truncation to nothing. The decoder's opening of /dev/fd/3 truncates the
    // file we made, so at its end it would wait while its whole WAV goes to
    // disk, a tenth of a four-minute file's decoding time. A close of ours
    // once it has written takes that over while there is little to write;
    // the rest goes to disk as any file's does.
    // A hidden file is on a file system with nothing of the kind.
    struct stat info {};
    if (flushTakenOver_ || fd_ < 0 || !path_.empty() || ::fstat(fd_, &info) != 0 ||
        info.st_size == 0)
        return flushTakenOver_;
    const UniqueFd another(::open(MeasuredPath().c_str(), O_RDONLY | O_CLOEXEC));
    flushTakenOver_ = true;
    return true;
}

std::string TemporaryOutput::MeasuredPath() const {
    return path_.empty() ? "/proc/self/fd/" + std::to_string(fd_) : path_;
}

bool TemporaryOutput::PutAt(const std::string& output) {
    bool placed = false;
    if (path_.empty()) {
        // A link never replaces a name.
        placed = ::linkat(AT_FDCWD, MeasuredPath().c_str(), AT_FDCWD, output.c_str(),
                          AT_SYMLINK_FOLLOW) == 0;
    } else if (::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, output.c_str(), RENAME_NOREPLACE) ==
               0) {
        placed = true;
    } else if (errno == EINVAL || errno == ENOSYS) {
        // No such rename here: a link, else, where there are no links
        // either, a rename after one last look.
        if (::link(path_.c_str(), output.c_str()) == 0) {
            ::unlink(path_.c_str());
            placed = true;
        } else if (errno == EEXIST || Exists(output)) {
            errno = EEXIST;
        } else {
            placed = ::rename(path_.c_str(), output.c_str()) == 0;
        }
    }
    if (!placed) {
        error_ = errno;
        return false;
    }
    HiddenOutputsNow().erase(path_);
    path_.clear();
    ::close(std::exchange(fd_, -1));
    return true;
}

bool TemporaryOutput::Replace(const std::string& output, const FileStamp& replaced,
                              const std::function<int(int)>& sync) {
    // A power cut right after the rename must not leave an empty file where
    // the user's WAV was.
    if (sync(fd_) != 0) {
        error_ = errno;
        return false;
    }
    // The owner first: a change of owner clears the set-ID bits the mode may give.
    if (::fchown(fd_, uid_t(replaced.owner), gid_t(replaced.group)) != 0) {
        // Another's file may not be given away by us: the new one stays ours.
    }
    ::fchmod(fd_, mode_t(replaced.mode));
    std::string named = path_;
    if (named.empty()) {
        // An unnamed file is renamed over the output under a hidden name of its own.
        for (int attempt = 0; attempt < 100 && named.empty(); ++attempt) {
            std::string candidate = HiddenPathFor(output);
            if (::linkat(AT_FDCWD, MeasuredPath().c_str(), AT_FDCWD, candidate.c_str(),
                         AT_SYMLINK_FOLLOW) == 0)
                named = std::move(candidate);
            else if (errno != EEXIST)
                break;
        }
        if (named.empty()) {
            error_ = errno;
            return false;
        }
    }
    // Renaming replaces the name alone: other links to the file there keep their content.
    if (::rename(named.c_str(), output.c_str()) != 0) {
        error_ = errno;
        if (path_.empty())
            ::unlink(named.c_str());
        return false;
    }
    HiddenOutputsNow().erase(path_);
    path_.clear();
    ::close(std::exchange(fd_, -1));
    return true;
}

Verdict DecoderFailure(const std::string& lineBefore, const std::string& lastLine) {
    // Its usual last words, and the line before them that says why.
    static const std::pair<const char*, const char*> kKnown[] = {
        {"Could not find", QT_TRANSLATE_NOOP("BatchDriver", "変換元ファイルが見つかりません")},
        {"Error reading headers",
         QT_TRANSLATE_NOOP("BatchDriver", "MPEGオーディオとして読めません")},
        {"Can't init infile", QT_TRANSLATE_NOOP("BatchDriver", "MPEGオーディオとして読めません")},
        {"Can't init outfile", QT_TRANSLATE_NOOP("BatchDriver", "出力ファイルを作れません")},
    };
    for (const auto& [said, meaning] : kKnown)
        for (const std::string* line : {&lineBefore, &lastLine})
            if (line->find(said) != std::string::npos)
                return {Translate("BatchDriver", meaning), *line};
    return {lastLine};
}

Verdict DecoderVerdict(const RunOutcome& outcome, const TemporaryOutput& temporary) {
    // We made the file empty; a decoder that wrote nothing created no output.
    const std::optional<FileStamp> written = StampOf(temporary.Descriptor());
    if (!outcome.started) {
        const std::string reason = Translate("BatchDriver", "デコーダを起動できませんでした");
        return {outcome.startError == 0 ? reason
                                        : reason + " (" + std::strerror(outcome.startError) + ")"};
    }
    if (outcome.signal != 0)
        return {FillIn(Translate("BatchDriver", "デコーダが異常終了しました（シグナル%1）"),
                       std::to_string(outcome.signal))};
    if (outcome.exitCode != 0)
        return outcome.lastErrorLine.empty()
                   ? Verdict{FillIn(
                         Translate("BatchDriver", "デコーダが終了コード%1で終了しました"),
                         std::to_string(outcome.exitCode))}
                   : DecoderFailure(outcome.errorLineBefore, outcome.lastErrorLine);
    if (!written || written->kind != FileKind::RegularFile || written->size == 0)
        return {Translate("BatchDriver", "出力ファイルが作成されませんでした")};
    return {WavFailure(temporary.Descriptor())};
}

void BatchOutputs::Begin() {
    caseBlindFolders_.clear();
    atStart_ = {};
    replaceApproved_ = false;
    writtenKeys_.clear();
    writtenFiles_.clear();
    converted_.clear();
}

int BatchOutputs::LookBeforeBatch(const std::vector<std::string>& sources,
                                  const std::function<std::string(const std::string&)>& outputFor) {
    atStart_ = LookAtOutputs(sources, outputFor,
                             [this](const std::string& output) { return Key(output); });
    return atStart_.replaceable;
}

std::string BatchOutputs::Key(const std::string& output) const {
    std::string folder = FolderOf(output);
    auto [known, added] = caseBlindFolders_.try_emplace(folder, false);
    if (added) {
        // A folder this batch is about to write to, met for the first time:
        // what a writer that died there left goes now.
        RemoveHiddenOutputsLeftIn(folder);
        known->second = caseBlind_(folder);
    }
    return known->second ? JoinPath(folder, FoldedName(NameOf(output))) : output;
}

// An earlier item of the batch makes this WAV: whether the names met in one
// folder or the user would not have folders of their own, the item is kept
// back, never failed.
Verdict BatchOutputs::WrittenByThisBatch() const {
    return {Translate("BatchDriver", "同じ名前の出力ファイルがこの変換で作成済みです"), {}, true};
}

Verdict BatchOutputs::ReasonToKeep(const std::string& output, const FileStamp& before) const {
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

OutputCheck BatchOutputs::Check(const std::string& source, const std::string& output) const {
    OutputCheck check;
    // Renaming onto the source would replace it with its own decode.
    if (SameFile(source, output)) {
        check.verdict = {Translate("BatchDriver", "出力先が変換元と同じファイルです")};
        return check;
    }
    check.before = StampAt(output);
    if (check.before && check.before->kind != FileKind::RegularFile) {
        check.verdict = {Translate(
            "BatchDriver",
            "出力先に通常のファイルでないものがあります（削除するか別の出力先を選んでください）")};
        return check;
    }
    check.sourceId = FollowedId(source);
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

Verdict BatchOutputs::PutInPlace(TemporaryOutput& temporary, const std::string& source,
                                 const std::string& output, const OutputCheck& check) {
    OutputCheck now = check;
    // Something may have taken the name while the decoder ran: an earlier
    // item of the same name, or another program.
    if (StampAt(output) != check.before) {
        now = Check(source, output);
        if (!now.MayRun())
            return now.verdict;
    }
    const bool placed =
        now.before ? temporary.Replace(output, *now.before) : temporary.PutAt(output);
    if (!placed)
        return temporary.Error() == EEXIST ? MadeMeanwhile()
                                           : Verdict{PathErrorText(output, temporary.Error())};
    writtenKeys_.insert(Key(output));
    if (const std::optional<FileStamp> after = StampAt(output)) {
        writtenFiles_.insert(IdOf(*after));
        if (now.sourceId)
            converted_.insert_or_assign(*now.sourceId, *after);
    }
    return {};
}
