// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What the header of a finished WAV file says about the file.
enum class WavCheck {
    Complete,  // header and length agree, at least one sample frame, whole chunks after it
    Capped,    // capped sizes over whole sample frames: whole as far as a header can tell
    Truncated, // shorter than its header says: the writer ran out of room
    NoSamples, // a whole file holding no sample frame
    Malformed, // not RIFF/WAVE, or longer than its header says
};

// The size lame writes in a WAV's header for "the rest of a long file", and
// the most a WAV whose sizes are not capped can hold.
inline constexpr std::uint64_t kTwoGiB = std::uint64_t(1) << 31;

// Reads only the header chunks and the file's size, never the audio itself.
// Links are not followed; anything but a regular file is Malformed.
// The 32-bit sizes of a header cannot tell a length past 4 GiB: writers put
// 2 GiB (lame) or 0xFFFFFFFF there instead. In a file longer than 2 GiB such
// capped sizes mean "up to the end", and the audio must be whole frames.
WavCheck CheckWavFile(const std::string& path);
// The same for an open file.
WavCheck CheckWavFile(int fd);
// The sample frames of audio in a Complete or Capped file; nothing for another.
std::optional<std::uint64_t> WavSampleFrames(int fd);
