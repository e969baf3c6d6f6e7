// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "wav_file.h"

#include "decoder.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <unistd.h>

namespace {

std::string Le(std::uint64_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xff);
    return out;
}

std::string Chunk(const std::string& id, std::uint32_t length, const std::string& body = {}) {
    return id + Le(length, 4) + body;
}

// A PCM format chunk: channels, rate, bits, and the block align it declares.
std::string Format(int channels, int bits, int blockAlign) {
    return Chunk("fmt ", 16,
                 Le(1, 2) + Le(channels, 2) + Le(44100, 4) + Le(44100 * blockAlign, 4) +
                     Le(blockAlign, 2) + Le(bits, 2));
}

// "RIFF", its size field, "WAVE", then the chunks.
std::string Riff(std::uint32_t riffSize, const std::string& chunks) {
    return "RIFF" + Le(riffSize, 4) + "WAVE" + chunks;
}

// What lame writes: RIFF size = data + 36, 16-bit stereo, data size.
std::string LameHeader(std::uint32_t dataSize) {
    return Riff(dataSize + 36, Format(2, 16, 4) + Chunk("data", dataSize));
}

// The length of the seven-hour decode that lame capped.
constexpr std::uint64_t kLong = 2'422'096'172;

struct Case {
    const char* what;
    std::string bytes;
    std::uint64_t length; // past the bytes the file is sparse, zeros; 0 for the bytes alone
    WavCheck expected;
};

} // namespace

TEST(WavFile, VerdictsOnHeadersAndLengths) {
    const std::string lame100 = LameHeader(400) + std::string(400, '\x01');
    const Case cases[] = {
        {"lame's header, whole", lame100, 0, WavCheck::Complete},
        {"no sample frame", LameHeader(0), 0, WavCheck::NoSamples},
        {"less than one frame", LameHeader(2) + "ab", 0, WavCheck::NoSamples},
        {"cut: shorter than the header says", lame100.substr(0, 244), 0, WavCheck::Truncated},
        {"longer than the RIFF size says", lame100 + "junk", 0, WavCheck::Malformed},
        {"RIFF size short of the file",
         Riff(236, Format(2, 16, 4) + Chunk("data", 400)) + std::string(400, '\0'), 0,
         WavCheck::Malformed},
        {"RIFF size past the data",
         Riff(436 + 8, Format(2, 16, 4) + Chunk("data", 400)) + std::string(400, '\0'), 0,
         WavCheck::Truncated},
        {"not RIFF", "RIFX" + lame100.substr(4), 0, WavCheck::Malformed},
        {"fewer bytes than a RIFF header", "RIFF\x10", 0, WavCheck::Truncated},
        {"a header past the end: no chunk after WAVE", Riff(4, ""), 0, WavCheck::Truncated},
        {"a header past the end: the format cut", Riff(4 + 16, Chunk("fmt ", 16, "\x01\x00")), 0,
         WavCheck::Truncated},
        {"zero block align", Riff(36 + 8, Format(2, 16, 0) + Chunk("data", 8)) + std::string(8, 0),
         0, WavCheck::Malformed},
        {"an odd chunk and its pad byte before the format",
         Riff(4 + 12 + 24 + 8 + 8,
              Chunk("LIST", 3, "abc") + '\0' + Format(2, 16, 4) + Chunk("data", 8)) +
             std::string(8, 0),
         0, WavCheck::Complete},
        {"odd 8-bit mono audio and its pad byte",
         Riff(4 + 24 + 8 + 4, Format(1, 8, 1) + Chunk("data", 3)) + "abc" + '\0', 0,
         WavCheck::Complete},
        {"tags after the audio, an odd one last without its pad byte",
         LameHeader(400 + 12 + 9) + std::string(400, 0) + Chunk("LIST", 4, "INFO") +
             Chunk("id3 ", 1, "I"),
         0, WavCheck::Complete},
        {"a tag cut", LameHeader(400 + 12) + std::string(400, 0) + Chunk("id3 ", 9, "ID3"), 0,
         WavCheck::Truncated},
        {"odd audio, then more than a pad byte",
         Riff(4 + 24 + 8 + 5, Format(1, 8, 1) + Chunk("data", 3)) + "abc" + '\0' + '\0', 0,
         WavCheck::Malformed},
        // Past 2 GiB lame writes 2 GiB as the data size and that plus 36 as the RIFF size.
        {"lame's capped sizes, whole frames", LameHeader(kTwoGiB), kLong, WavCheck::Capped},
        {"lame's capped sizes, a frame cut", LameHeader(kTwoGiB), kLong + 1, WavCheck::Truncated},
        {"0xFFFFFFFF sizes, whole frames", Riff(0xFFFFFFFF, Format(2, 16, 4) + Chunk("data", ~0u)),
         kTwoGiB + 44 + 400, WavCheck::Capped},
        {"capped sizes, zero block align",
         Riff(kTwoGiB + 36, Format(2, 16, 0) + Chunk("data", kTwoGiB)), kLong, WavCheck::Malformed},
        {"capped sizes in a short file", LameHeader(kTwoGiB) + std::string(400, 0), 0,
         WavCheck::Truncated},
        {"0xFFFFFFFF sizes in a short file",
         Riff(0xFFFFFFFF, Format(2, 16, 4) + Chunk("data", ~0u)) + std::string(400, 0), 0,
         WavCheck::Truncated},
        {"a capped RIFF size, a data size that ends early",
         Riff(kTwoGiB + 36, Format(2, 16, 4) + Chunk("data", 400)), kLong, WavCheck::Malformed},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        const std::string path = folder / "out.wav";
        WriteFile(path, c.bytes);
        if (c.length != 0) {
            ASSERT_EQ(::truncate(path.c_str(), off_t(c.length)), 0);
        }
        EXPECT_EQ(CheckWavFile(path), c.expected) << c.what;
    }
}

TEST(WavFile, WhatTheRealDecoderWritesIsComplete) {
    const std::string lame = FindLame();
    if (lame.empty())
        GTEST_SKIP() << "no decoder";
    TempFolder folder;
    WriteToneWav(folder / "tone.wav", 0.5);
    ASSERT_EQ(RunAndWait({lame, "--quiet", folder / "tone.wav", folder / "tone.mp3"}, {}).exitCode,
              0);
    ASSERT_EQ(RunAndWait({lame, "--quiet", "--decode", folder / "tone.mp3", folder / "out.wav"}, {})
                  .exitCode,
              0);
    EXPECT_EQ(CheckWavFile(folder / "out.wav"), WavCheck::Complete);
    EXPECT_EQ(ReadFile(folder / "out.wav").substr(36, 4), "data") << "lame's 44-byte header";
}

TEST(WavFile, OnlyARegularFileIsLookedAt) {
    TempFolder folder;
    WriteFile(folder / "real.wav", LameHeader(4) + "abcd");
    ASSERT_EQ(::symlink("real.wav", (folder / "link.wav").c_str()), 0);
    EXPECT_EQ(CheckWavFile(folder / "real.wav"), WavCheck::Complete);
    EXPECT_EQ(CheckWavFile(folder / "link.wav"), WavCheck::Malformed);
    EXPECT_EQ(CheckWavFile(folder.path()), WavCheck::Malformed);
    EXPECT_EQ(CheckWavFile(folder / "missing.wav"), WavCheck::Malformed);
}
