// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Whether a file is MPEG audio at all, and how much audio the decoder makes
// of it when it is whole: read from its frame headers (and its Xing, Info or
// VBRI frame), never from its audio. The decoder exits 0 on a source cut
// short and on a file of another format, so a tick can't trust its exit.

#include <cstdint>
#include <span>
#include <string>

struct MpegStream {
    // A run of frames of one version, layer and sample rate, each where the
    // one before it ends: what the decoder is started for.
    bool isMpegAudio = false;
    std::int64_t samples = 0; // sample frames of lame's WAV of the whole source
    int samplesPerFrame = 0;
    int sampleRate = 0;
};

// The bytes of a whole file.
MpegStream MeasureMpegStream(std::span<const std::uint8_t> bytes);
// An open file of size bytes, read a block at a time; a read that fails ends
// the file there.
MpegStream MeasureMpegStream(int fd, std::int64_t size);

// Why the WAV in wavFd is not the whole of source's audio: more than a
// frame's worth of samples short. Empty when it is whole, or can't be told.
std::string CutShortReason(const MpegStream& source, int wavFd);
