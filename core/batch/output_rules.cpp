// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output_rules.h"

#include "text.h"
#include "wav_file.h"

#include <QString>

#include <sys/statvfs.h>

#include <cstring>
#include <utility>

namespace {

// lame writes a frame of samples at a time through a buffer of a page: a
// file system left with less room than a few of those may have cut the end of
// a WAV whose header can't tell its length (past 2 GiB).
constexpr std::uint64_t kRoomForTheLastWrites = 64 * 1024;

bool RoomLeftAfter(int fd) {
    struct statvfs room {};
    return ::fstatvfs(fd, &room) != 0 ||
           std::uint64_t(room.f_bavail) * room.f_frsize >= kRoomForTheLastWrites;
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

std::optional<Path> DestinationNamedBy(std::string_view text) {
    if (CharacterCount(text) <= 2 && text != "/")
        return std::nullopt;
    return Path::Of(text, WorkingFolder());
}

Path OutputPathFor(const Path& source, const std::optional<Path>& destination) {
    const Path output = source.WithExtension("wav");
    return destination ? *destination / output.Name() : output;
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
