// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output_rules.h"

#include "text.h"
#include "wav_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>

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

std::string WrittenByThisBatch() {
    return Translate("BatchDriver", "同じ名前の出力ファイルがこの変換で作成済みです");
}
std::string NotReplaced() {
    return Translate("BatchDriver", "同じ名前のファイルがあるため変換しませんでした");
}

std::string WavFailure(const std::string& output) {
    switch (CheckWavFile(output)) {
    case WavCheck::Complete:
        return {};
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

std::string OutputPathFor(const std::string& source, const std::string& destination) {
    std::string output = std::string(DropLastCharacters(source, 3)) + "wav";
    // Two characters or fewer are an empty or cancelled choice, but the root
    // is a folder like any other.
    if (CharacterCount(destination) > 2 || destination == "/")
        output = destination + NameOf(output);
    return output;
}

OutputsAtStart LookAtOutputs(const std::vector<std::string>& sources,
                             const std::string& destination) {
    OutputsAtStart outputs;
    outputs.found.reserve(sources.size());
    for (const std::string& source : sources) {
        const std::string output = OutputPathFor(source, destination);
        const auto [entry, added] = outputs.found.try_emplace(output);
        if (!added)
            continue; // one file, counted once however many items name it
        entry->second = StampAt(output);
        if (entry->second && entry->second->kind == FileKind::RegularFile &&
            FollowedId(source) != IdOf(*entry->second))
            ++outputs.replaceable;
    }
    return outputs;
}

// Hidden and random, its name is no user's file; in the output's folder, the
// rename stays on one file system and never copies.
TemporaryOutput::TemporaryOutput(const std::string& output) {
    std::string stem = NameOf(output);
    if (stem.size() > 4 && stem.compare(stem.size() - 4, 4, ".wav") == 0)
        stem.resize(stem.size() - 4);
    // Room for the dot, the random part and the extension within a name's 255 bytes.
    constexpr std::size_t kLongestStem = 200;
    if (stem.size() > kLongestStem) {
        stem.resize(kLongestStem);
        while (!stem.empty() && (static_cast<unsigned char>(stem.back()) & 0xC0) == 0x80)
            stem.pop_back(); // never half a UTF-8 character
        if (!stem.empty() && static_cast<unsigned char>(stem.back()) >= 0xC0)
            stem.pop_back();
    }
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    const std::string folder = FolderOf(output);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string unique;
        for (int i = 0; i < 8; ++i)
            unique += kLetters[random() % (sizeof kLetters - 1)];
        std::string candidate = JoinPath(folder, "." + stem + "." + unique + ".wav");
        // The mode the decoder would have created the WAV with: ours, less the umask.
        const int fd =
            ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0) {
            ::close(fd);
            path_ = std::move(candidate);
            return;
        }
        if (errno != EEXIST)
            break;
    }
    error_ = errno;
}

TemporaryOutput::~TemporaryOutput() {
    if (!path_.empty())
        ::unlink(path_.c_str());
}

bool TemporaryOutput::MoveOnto(const std::string& output) {
    // Renaming replaces the name alone: other links to a file there keep their content.
    if (::rename(path_.c_str(), output.c_str()) != 0) {
        error_ = errno;
        return false;
    }
    path_.clear();
    return true;
}

std::string DecoderVerdict(const RunOutcome& outcome, const std::string& temporary) {
    // We made the file empty; a decoder that wrote nothing created no output.
    const std::optional<FileStamp> written = StampAt(temporary);
    if (!outcome.started)
        return Translate("BatchDriver", "デコーダを起動できませんでした");
    if (outcome.signal != 0)
        return FillIn(Translate("BatchDriver", "デコーダが異常終了しました (シグナル %1)"),
                      std::to_string(outcome.signal));
    if (outcome.exitCode != 0)
        return outcome.lastErrorLine.empty()
                   ? FillIn(Translate("BatchDriver", "デコーダの終了コード %1"),
                            std::to_string(outcome.exitCode))
                   : outcome.lastErrorLine;
    if (!written || written->kind != FileKind::RegularFile || written->size == 0)
        return Translate("BatchDriver", "出力ファイルが作成されませんでした");
    return WavFailure(temporary);
}

int BatchOutputs::LookBeforeBatch(const std::vector<std::string>& sources,
                                  const std::string& destination) {
    atStart_ = LookAtOutputs(sources, destination);
    replaceApproved_ = false;
    converted_.clear();
    return atStart_.replaceable;
}

std::string BatchOutputs::ReasonToKeep(const std::string& output, const FileStamp& before) const {
    const auto atStart = atStart_.found.find(output);
    // A destination chosen during the batch: nobody was asked about its files.
    if (atStart == atStart_.found.end())
        return NotReplaced();
    // Not there when the batch began, or changed since: this batch made it
    // under another name that the file system takes for this one (a drive
    // blind to case), or something else did meanwhile.
    if (atStart->second != before)
        return WrittenByThisBatch();
    return replaceApproved_ ? std::string() : NotReplaced();
}

OutputCheck BatchOutputs::Check(const std::string& source, const std::string& output) const {
    OutputCheck check;
    // Renaming onto the source would replace it with its own decode.
    if (SameFile(source, output)) {
        check.reason = Translate("BatchDriver", "出力先が変換元と同じファイルです");
        return check;
    }
    check.before = StampAt(output);
    if (check.before && check.before->kind != FileKind::RegularFile) {
        check.reason = Translate(
            "BatchDriver",
            "出力先に通常のファイルでないものがあります（削除するか別の出力先を選んでください）");
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
        check.reason = ReasonToKeep(output, *check.before);
    }
    return check;
}

std::string BatchOutputs::PutInPlace(TemporaryOutput& temporary, const std::string& source,
                                     const std::string& output, const OutputCheck& check) {
    OutputCheck now = check;
    // Something may have taken the name while the decoder ran: an earlier
    // item of the same name, or another program.
    if (StampAt(output) != check.before) {
        now = Check(source, output);
        if (!now.MayRun())
            return now.reason;
    }
    if (!temporary.MoveOnto(output))
        return PathErrorText(output, temporary.Error());
    if (const std::optional<FileStamp> after = StampAt(output); after && now.sourceId)
        converted_.insert_or_assign(*now.sourceId, *after);
    return {};
}
