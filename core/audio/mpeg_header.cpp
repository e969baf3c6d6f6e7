// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mpeg_header.h"

#include "fs.h"
#include "text.h"
#include "unique_fd.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kVersionTexts[4] = {"Version 2.5", "Reserved", "Version 2", "Version 1"};
constexpr const char* kLayerTexts[4] = {"Reserved", "Layer III", "Layer II", "Layer I"};
constexpr const char* kModeTexts[4] = {"Stereo", "Joint Stereo", "Dual channel", "Mono"};
constexpr std::int32_t kSampleRates[4] = {44100, 48000, 32000, 0};

// kbit/s by bitrate index; columns: MPEG-1 Layer I, II, III, MPEG-2/2.5 Layer I, II and III.
constexpr std::int16_t kBitrates[16][5] = {
    {0, 0, 0, 0, 0},           {32, 32, 32, 32, 8},       {64, 48, 40, 48, 16},
    {96, 56, 48, 56, 24},      {128, 64, 56, 64, 32},     {160, 80, 64, 80, 40},
    {192, 96, 80, 96, 48},     {224, 112, 96, 112, 56},   {256, 128, 112, 128, 64},
    {288, 160, 128, 144, 80},  {320, 192, 160, 160, 96},  {352, 224, 192, 176, 112},
    {384, 256, 224, 192, 128}, {416, 320, 256, 224, 144}, {448, 384, 320, 256, 160},
    {0, 0, 0, 0, 0},
};

constexpr const char* kNoSyncLine =
    QT_TRANSLATE_NOOP("MpegHeader", "MPEGオーディオのフレームヘッダが見つかりません");

using Header = std::array<std::uint8_t, 4>;

struct Sync {
    std::int64_t offset = 0;
    Header header{};
};

// Where the frames may begin. An ID3v2 tag is stepped over because its text
// (UTF-16 byte-order marks, cover pictures) is full of byte pairs that look
// like a frame sync; a tag header whose fixed fields are out of range is
// taken as no tag at all.
template <typename ReadAt> std::int64_t SearchStart(ReadAt& readAt, std::int64_t fileSize) {
    if (fileSize < 10)
        return 0;
    std::array<std::uint8_t, 10> tag{};
    if (readAt(0, tag.data(), tag.size()) < tag.size())
        return 0;
    return Id3v2TagEnd(tag);
}

// The first offset from start whose four bytes lie inside the file and begin
// with eleven set bits. readAt(offset, dst, n) fills dst from offset and
// returns how many bytes it got, fewer only at the end of the data.
template <typename ReadAt>
std::optional<Sync> FindSync(ReadAt& readAt, std::int64_t start, std::int64_t fileSize,
                             std::size_t blockSize) {
    if (start > fileSize - 4)
        return std::nullopt;
    // No bigger buffer than the bytes to search need.
    const auto remaining = static_cast<std::uint64_t>(fileSize - start);
    blockSize = static_cast<std::size_t>(
        std::min<std::uint64_t>(std::max<std::size_t>(blockSize, 1), remaining));
    // The last three bytes of a block can start a header that ends in the next
    // one; they move to the front of the buffer and are examined with it.
    constexpr std::size_t kCarry = 3;
    // Nearly every file has its first header in its first bytes: the first
    // read is a page, so a batch reads and clears no more than that per file;
    // a search that goes on reads whole blocks.
    constexpr std::size_t kFirstBlock = 4096;
    std::size_t thisBlock = std::min(blockSize, kFirstBlock);
    std::vector<std::uint8_t> buffer(kCarry + thisBlock);
    std::size_t carried = 0;
    std::int64_t bufferOffset = start; // file offset of buffer[0]
    std::int64_t next = start;         // file offset of the next read
    while (next < fileSize) {
        const auto want =
            static_cast<std::size_t>(std::min<std::int64_t>(thisBlock, fileSize - next));
        thisBlock = blockSize;
        if (buffer.size() < kCarry + want)
            buffer.resize(kCarry + blockSize);
        const std::size_t got = readAt(next, buffer.data() + carried, want);
        if (got == 0)
            break; // the file is shorter than it was said to be
        next += static_cast<std::int64_t>(got);
        const std::size_t length = carried + got;
        const std::uint8_t* const data = buffer.data();
        if (length >= 4) {
            const std::size_t candidates = length - 3; // those with all four bytes here
            std::size_t at = 0;
            while (at < candidates) {
                const void* hit = std::memchr(data + at, 0xFF, candidates - at);
                if (hit == nullptr)
                    break;
                at = static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - data);
                if ((data[at + 1] & 0xE0) == 0xE0) {
                    Sync sync;
                    sync.offset = bufferOffset + static_cast<std::int64_t>(at);
                    std::memcpy(sync.header.data(), data + at, 4);
                    return sync;
                }
                ++at;
            }
        }
        carried = std::min(kCarry, length);
        std::memmove(buffer.data(), data + length - carried, carried);
        bufferOffset += static_cast<std::int64_t>(length - carried);
    }
    return std::nullopt;
}

std::int64_t SaturatingWavSize(std::int64_t seconds, std::int32_t sampleRate) {
    const std::int64_t bytesPerSecond = std::int64_t{sampleRate} * 4;
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    if (bytesPerSecond != 0 && seconds > (kMax - 44) / bytesPerSecond)
        return kMax;
    return seconds * bytesPerSecond + 44;
}

MpegAudioInfo Describe(const std::optional<Sync>& sync, std::int64_t fileSize) {
    MpegAudioInfo info;
    if (!sync) {
        info.line = Translate("MpegHeader", kNoSyncLine);
        return info;
    }
    const Header& h = sync->header;
    const int version = h[1] >> 3 & 3;
    const int layer = h[1] >> 1 & 3;
    const int bitrateIndex = h[2] >> 4;
    const int rateIndex = h[2] >> 2 & 3;
    const int mode = h[3] >> 6;

    std::int32_t sampleRate = kSampleRates[rateIndex];
    if (version == 2)
        sampleRate /= 2;
    else if (version == 0)
        sampleRate /= 4;

    const std::optional<int> bitrate = MpegBitrate(version, layer, bitrateIndex);
    const int kbps = bitrate.value_or(0);

    // Without a bitrate there is no duration; the size is then a bare WAV header.
    std::int64_t totalSeconds = 0;
    if (kbps != 0) {
        const std::int64_t audioBytes = fileSize - sync->offset;
        totalSeconds = static_cast<std::int64_t>(
            std::trunc(static_cast<double>(audioBytes) / (kbps * 1000.0) * 8));
    }
    info.durationMinutes = static_cast<std::int32_t>(
        std::min<std::int64_t>(totalSeconds / 60, std::numeric_limits<std::int32_t>::max()));
    info.durationSeconds = static_cast<std::int32_t>(totalSeconds % 60);
    info.expectedWavSize = SaturatingWavSize(totalSeconds, sampleRate);
    info.syncFound = true;
    info.layerIII = layer == 1;
    info.layer = layer == 0 ? 0 : 4 - layer;

    info.line = "Time:(" + std::to_string(info.durationMinutes) + "M " +
                std::to_string(info.durationSeconds) + "S)" + kVersionTexts[version] + " " +
                kLayerTexts[layer] + " " + std::to_string(sampleRate) + "Hz ";
    if (bitrate)
        info.line += std::to_string(kbps) + "bps ";
    else
        info.line += Translate("MpegHeader", "ビットレート不明 ");
    info.line += kModeTexts[mode];
    return info;
}

template <typename ReadAt>
MpegAudioInfo Analyse(ReadAt& readAt, std::int64_t fileSize, std::size_t blockSize) {
    const std::int64_t start = SearchStart(readAt, fileSize);
    return Describe(FindSync(readAt, start, fileSize, blockSize), fileSize);
}

} // namespace

std::optional<int> MpegBitrate(int versionBits, int layerBits, int bitrateIndex) {
    const int layerNumber = 4 - layerBits;
    int column = -1;
    if (versionBits == 3 && layerNumber >= 1 && layerNumber <= 3)
        column = layerNumber - 1;
    else if ((versionBits == 2 || versionBits == 0) && layerNumber == 1)
        column = 3;
    else if ((versionBits == 2 || versionBits == 0) && (layerNumber == 2 || layerNumber == 3))
        column = 4;
    if (column < 0)
        return std::nullopt;
    return kBitrates[bitrateIndex & 15][column];
}

std::int64_t Id3v2TagEnd(std::span<const std::uint8_t> tag) {
    if (tag.size() < 10 || tag[0] != 'I' || tag[1] != 'D' || tag[2] != '3' || tag[3] == 0xFF ||
        tag[4] == 0xFF)
        return 0;
    std::int64_t size = 0;
    for (std::size_t i = 6; i < 10; ++i) {
        if (tag[i] >= 0x80)
            return 0;
        size = size << 7 | tag[i];
    }
    const bool footer = (tag[5] & 0x10) != 0;
    return 10 + size + (footer ? 10 : 0);
}

MpegAudioInfo AnalyseMpegAudio(std::span<const std::uint8_t> bytes, std::int64_t fileSize,
                               std::size_t readSize) {
    const auto available = static_cast<std::int64_t>(bytes.size());
    auto readAt = [&](std::int64_t offset, std::uint8_t* dst, std::size_t n) -> std::size_t {
        if (offset >= available)
            return 0;
        const auto count = static_cast<std::size_t>(
            std::min<std::int64_t>(static_cast<std::int64_t>(n), available - offset));
        std::memcpy(dst, bytes.data() + offset, count);
        return count;
    };
    return Analyse(readAt, std::max(fileSize, available), readSize);
}

std::string ReadMpegAudioInfo(const std::string& path, ConversionState& state,
                              MessageService& boxes) {
    return TakeMpegAudioInfo(path, ReadMpegAudioHeader(path), state, boxes);
}

MpegAudioInfo ReadMpegAudioHeader(const std::string& path, MpegStream* stream) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const UniqueFd file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0)
        throw UserError(
            FileErrorText(Translate("MpegHeader", "ファイルを開けません"), path, errno));
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0)
        throw UserError(
            FileErrorText(Translate("MpegHeader", "ファイルを開けません"), path, errno));
    if (S_ISDIR(status.st_mode))
        throw UserError(
            FileErrorText(Translate("MpegHeader", "ファイルを開けません"), path, EISDIR));
    if (!S_ISREG(status.st_mode))
        throw UserError(FileErrorText(Translate("MpegHeader", "ファイルを開けません"), path,
                                      Translate("MpegHeader", "通常のファイルではありません")));
    ::posix_fadvise(file.Get(), 0, 0, POSIX_FADV_SEQUENTIAL);

    auto readAt = [&](std::int64_t offset, std::uint8_t* dst, std::size_t n) {
        std::size_t done = 0;
        while (done < n) {
            const ssize_t got =
                ::pread(file.Get(), dst + done, n - done, static_cast<off_t>(offset + done));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                throw UserError(
                    FileErrorText(Translate("MpegHeader", "ファイルを読めません"), path, errno));
            if (got == 0)
                break;
            done += static_cast<std::size_t>(got);
        }
        return done;
    };
    MpegAudioInfo info =
        Analyse(readAt, static_cast<std::int64_t>(status.st_size), kMpegSearchBlock);
    info.file = StampOf(file.Get());
    if (stream)
        *stream = MeasureMpegStream(file.Get(), static_cast<std::int64_t>(status.st_size));
    return info;
}

std::string TakeMpegAudioInfo(const std::string& path, const MpegAudioInfo& info,
                              ConversionState& state, MessageService& boxes) {
    state.DurationMinutes = info.durationMinutes;
    state.DurationSeconds = info.durationSeconds;
    state.ExpectedWavSize = info.expectedWavSize;

    // A header that is not Layer III in an ".mp3" suggests the first frame was
    // misread, which happens with variable-bitrate files.
    if (info.syncFound && !info.layerIII && Path::ExtensionOf(path).ends_with("mp3"))
        boxes.Message(Translate("MpegHeader", "VBRかもしれません"));
    return info.line;
}
