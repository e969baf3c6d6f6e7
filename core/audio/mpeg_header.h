// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "conversion_state.h"
#include "fs.h"
#include "message_service.h"
#include "mpeg_stream.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

// What the first frame header of a file says.
struct MpegAudioInfo {
    std::string line; // the information line
    std::int32_t durationMinutes = 0;
    std::int32_t durationSeconds = 0;
    std::int64_t expectedWavSize = 0;
    bool syncFound = false;
    bool layerIII = false;         // layer bits == 1
    int layer = 0;                 // 1, 2 or 3; 0 without a header or for the reserved layer
    std::optional<FileStamp> file; // the file as it was read, when read from one
};

// How many bytes the sync search reads at a time.
inline constexpr std::size_t kMpegSearchBlock = 128 * 1024;

// Reads the first frame header of the file at path, stores the duration and
// the expected WAV size in state, shows "VBRかもしれません" through boxes
// for a ".mp3" whose header is not Layer III, and returns the information line.
// Throws UserError naming the file and the system's reason when the file
// can't be opened or is not a regular file; state is then untouched.
std::string ReadMpegAudioInfo(const std::string& path, ConversionState& state,
                              MessageService& boxes);

// Its two halves: the file's first frame header read, with no box and no
// state (throws as above), and what was read stored in state, with the hint.
// With stream, the same opening of the file also measures its frames.
MpegAudioInfo ReadMpegAudioHeader(const std::string& path, MpegStream* stream = nullptr);
std::string TakeMpegAudioInfo(const std::string& path, const MpegAudioInfo& info,
                              ConversionState& state, MessageService& boxes);

// The same analysis over the first bytes of a file whose whole size is fileSize
// (bytes may be the whole file; a fileSize below bytes.size() counts as
// bytes.size()). No box, no state. The search takes the bytes readSize at a
// time, as it takes a file block by block; the result never depends on it.
MpegAudioInfo AnalyseMpegAudio(std::span<const std::uint8_t> bytes, std::int64_t fileSize,
                               std::size_t readSize = kMpegSearchBlock);

// The bitrate in kbit/s that the standard's tables give a header's version
// bits, layer bits and bitrate index (0 for the free and the bad index);
// nothing where they have no column (a reserved version or layer).
std::optional<int> MpegBitrate(int versionBits, int layerBits, int bitrateIndex);

// Where an ID3v2 tag that opens a file ends, from the file's first ten bytes;
// 0 when they are no tag header.
std::int64_t Id3v2TagEnd(std::span<const std::uint8_t> first);
