// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mpeg_header.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kNoSync = "MPEGオーディオのフレームヘッダが見つかりません";
const std::string kVbrHint = "VBRかもしれません";

// MPEG-1 Layer III, 128 kbit/s, 44.1 kHz, joint stereo.
const Bytes kLayer3 = {0xFF, 0xFB, 0x90, 0x44};

Bytes Header(int v, int l, int b, int s, int m) {
    return {0xFF, static_cast<std::uint8_t>(0xE0 | v << 3 | l << 1 | 1),
            static_cast<std::uint8_t>(b << 4 | s << 2), static_cast<std::uint8_t>(m << 6)};
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Bytes that never hold 0xFF.
Bytes Junk(std::size_t n) {
    Bytes junk(n);
    for (std::size_t i = 0; i < n; ++i)
        junk[i] = static_cast<std::uint8_t>(i * 37 % 255);
    return junk;
}

Bytes AsBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

MpegAudioInfo Analyse(const Bytes& bytes) {
    return AnalyseMpegAudio(bytes, static_cast<std::int64_t>(bytes.size()));
}

// An ID3v2.4 tag header announcing a body of size bytes.
Bytes Id3Header(std::uint32_t size, std::uint8_t flags = 0) {
    return {'I',
            'D',
            '3',
            4,
            0,
            flags,
            static_cast<std::uint8_t>(size >> 21 & 0x7F),
            static_cast<std::uint8_t>(size >> 14 & 0x7F),
            static_cast<std::uint8_t>(size >> 7 & 0x7F),
            static_cast<std::uint8_t>(size & 0x7F)};
}

class MpegHeaderFile : public ::testing::Test {
  protected:
    void SetUp() override {
        boxes_.answer = ConfirmAnswer::None;
        boxes_.onBox = [this] { sizeWhenShown_ = state_.ExpectedWavSize; };
        state_.DurationMinutes = 99;
        state_.DurationSeconds = 99;
        state_.ExpectedWavSize = 99;
    }

    std::string Write(const std::string& name, const Bytes& bytes) {
        const std::string path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    // A file of size bytes that starts with bytes and is zero (a hole) after them.
    std::string WriteSized(const std::string& name, const Bytes& bytes, std::int64_t size) {
        const std::string path = Write(name, bytes);
        EXPECT_EQ(::truncate(path.c_str(), size), 0);
        return path;
    }
    std::string Read(const std::string& path) { return ReadMpegAudioInfo(path, state_, boxes_); }
    void ExpectUntouched() {
        EXPECT_EQ(state_.DurationMinutes, 99);
        EXPECT_EQ(state_.DurationSeconds, 99);
        EXPECT_EQ(state_.ExpectedWavSize, 99);
    }

    const TempFolder folder_;
    const std::string dir_ = folder_.path();
    ConversionState state_;
    RecordingBoxes boxes_;
    std::int64_t sizeWhenShown_ = -1; // the expected size when the message came
};

// ---------------------------------------------------------------------------
// The sync search

TEST(MpegHeaderSearch, FindsOnlyASyncWhoseFourBytesLieInsideTheFile) {
    for (const Bytes& tiny : {Bytes{}, Bytes{0xFF}, Bytes{0xFF, 0xFB}, Bytes{0xFF, 0xFB, 0x90}}) {
        const MpegAudioInfo info = Analyse(tiny);
        EXPECT_FALSE(info.syncFound);
        EXPECT_EQ(info.line, kNoSync);
        EXPECT_EQ(info.expectedWavSize, 0);
    }
    EXPECT_FALSE(Analyse(Concat({Junk(100), {0xFF, 0xFB, 0x90}})).syncFound);

    const MpegAudioInfo last = Analyse(Concat({Junk(100), kLayer3}));
    EXPECT_EQ(last.line, "Time:(0M 0S)Version 1 Layer III 44100Hz 128bps Joint Stereo");
    EXPECT_EQ(last.expectedWavSize, 44);
}

TEST(MpegHeaderSearch, TakesTheFirstByteFFFollowedByThreeSetBits) {
    // FF 1F and FF DF lack a set bit; FF FF matches and is read as the header itself.
    EXPECT_EQ(Analyse(Concat({{0xFF, 0x1F, 0xFF, 0xDF}, Header(2, 2, 1, 0, 3)})).line,
              "Time:(0M 0S)Version 2 Layer II 22050Hz 8bps Mono");
    EXPECT_EQ(Analyse({0xFF, 0xFF, 0xFB, 0x90, 0x44}).line,
              "Time:(0M 0S)Version 1 Layer I 32000Hz 0bps Dual channel");
    // Nothing past the pattern is checked: every other bit clear is still a header.
    EXPECT_EQ(Analyse({0xFF, 0xE0, 0x00, 0x00}).line,
              "Time:(0M 0S)Version 2.5 Reserved 11025Hz ビットレート不明 Stereo");
}

TEST(MpegHeaderSearch, ResultDoesNotDependOnWhereReadsEnd) {
    // Syncs and decoys at every offset, handed over in pieces of every small size,
    // so that each falls across a piece boundary somewhere.
    for (std::size_t at = 0; at < 12; ++at) {
        for (const Bytes& decoy : {Bytes{}, Bytes{0xFF}, Bytes{0xFF, 0x00}, Bytes{0xFF, 0xFF}}) {
            const Bytes bytes = Concat({Junk(at), decoy, Header(3, 2, 9, 1, 3), Junk(5)});
            const MpegAudioInfo whole = AnalyseMpegAudio(bytes, 4000 + at);
            for (std::size_t piece = 0; piece <= 9; ++piece) {
                const MpegAudioInfo pieces = AnalyseMpegAudio(bytes, 4000 + at, piece);
                EXPECT_EQ(pieces.line, whole.line) << at << " " << piece;
                EXPECT_EQ(pieces.expectedWavSize, whole.expectedWavSize) << at << " " << piece;
            }
        }
    }
}

TEST(MpegHeaderSearch, PrefixIsSearchedAndTheTrueSizeCounts) {
    // Only the header was read; the file is 3,280,000 bytes long.
    const MpegAudioInfo info = AnalyseMpegAudio(kLayer3, 3'280'000);
    EXPECT_EQ(info.line, "Time:(3M 25S)Version 1 Layer III 44100Hz 128bps Joint Stereo");
    EXPECT_FALSE(AnalyseMpegAudio(Junk(4096), 1'000'000).syncFound);
    // A size below what was handed over is taken as the bytes' own size.
    EXPECT_EQ(AnalyseMpegAudio(kLayer3, 0).expectedWavSize, 44);
}

// ---------------------------------------------------------------------------
// Decoding the header

TEST(MpegHeaderFields, EveryVersionLayerAndModeText) {
    const char* versions[] = {"Version 2.5", "Reserved", "Version 2", "Version 1"};
    const char* layers[] = {"Reserved", "Layer III", "Layer II", "Layer I"};
    const char* modes[] = {"Stereo", "Joint Stereo", "Dual channel", "Mono"};
    for (int v = 0; v < 4; ++v)
        for (int l = 0; l < 4; ++l)
            for (int m = 0; m < 4; ++m) {
                const std::string line = Analyse(Header(v, l, 5, 0, m)).line;
                const std::string texts = std::string(")") + versions[v] + " " + layers[l] + " ";
                EXPECT_EQ(line.find(texts), 11u) << line;
                EXPECT_TRUE(line.ends_with(std::string("bps ") + modes[m]) ||
                            line.ends_with(std::string("ビットレート不明 ") + modes[m]))
                    << line;
                const bool column = v != 1 && l != 0;
                EXPECT_EQ(line.find("ビットレート不明") == std::string::npos, column) << line;
            }
}

TEST(MpegHeaderFields, SampleRateByVersionAndIndex) {
    const int rates[4][4] = {{11025, 12000, 8000, 0},
                             {44100, 48000, 32000, 0},
                             {22050, 24000, 16000, 0},
                             {44100, 48000, 32000, 0}};
    for (int v = 0; v < 4; ++v)
        for (int s = 0; s < 4; ++s) {
            const std::string line = Analyse(Header(v, 1, 5, s, 0)).line;
            EXPECT_NE(line.find(" " + std::to_string(rates[v][s]) + "Hz "), std::string::npos)
                << line;
        }
}

TEST(MpegHeaderFields, BitrateTableOfBothStandards) {
    // ISO/IEC 11172-3 and 13818-3, kbit/s.
    const int table[16][5] = {{0, 0, 0, 0, 0},           {32, 32, 32, 32, 8},
                              {64, 48, 40, 48, 16},      {96, 56, 48, 56, 24},
                              {128, 64, 56, 64, 32},     {160, 80, 64, 80, 40},
                              {192, 96, 80, 96, 48},     {224, 112, 96, 112, 56},
                              {256, 128, 112, 128, 64},  {288, 160, 128, 144, 80},
                              {320, 192, 160, 160, 96},  {352, 224, 192, 176, 112},
                              {384, 256, 224, 192, 128}, {416, 320, 256, 224, 144},
                              {448, 384, 320, 256, 160}, {0, 0, 0, 0, 0}};
    struct Case {
        int v, l, column;
    };
    const Case cases[] = {{3, 3, 0}, {3, 2, 1}, {3, 1, 2}, {2, 3, 3}, {0, 3, 3},
                          {2, 2, 4}, {2, 1, 4}, {0, 2, 4}, {0, 1, 4}};
    for (const Case& c : cases)
        for (int b = 0; b < 16; ++b) {
            const std::string line = Analyse(Header(c.v, c.l, b, 0, 0)).line;
            EXPECT_NE(line.find(" " + std::to_string(table[b][c.column]) + "bps "),
                      std::string::npos)
                << line;
        }
}

// ---------------------------------------------------------------------------
// Duration and expected WAV size

TEST(MpegHeaderDuration, DividesThenMultipliesAndTruncates) {
    // seconds = audio bytes * 8 / (kbps * 1000), truncated: check both sides of
    // each whole second for every MPEG-1 Layer III and MPEG-2 Layer II/III rate.
    for (int b = 1; b < 15; ++b)
        for (const Bytes& header : {Header(3, 1, b, 0, 0), Header(2, 1, b, 0, 0)}) {
            const MpegAudioInfo probe = AnalyseMpegAudio(header, 4);
            const int kbps = std::stoi(probe.line.substr(probe.line.find("Hz ") + 3));
            for (std::int64_t seconds : {1, 59, 60, 205, 3599, 10799}) {
                const std::int64_t exact = seconds * 125 * kbps;
                const MpegAudioInfo at = AnalyseMpegAudio(header, exact);
                const MpegAudioInfo below = AnalyseMpegAudio(header, exact - 1);
                EXPECT_EQ(at.durationMinutes * 60 + at.durationSeconds, seconds) << kbps;
                EXPECT_EQ(below.durationMinutes * 60 + below.durationSeconds, seconds - 1) << kbps;
            }
        }
}

TEST(MpegHeaderDuration, SizeIsFourBytesPerFrameWhateverTheChannels) {
    // 205 s at 44.1 kHz.
    EXPECT_EQ(AnalyseMpegAudio(Header(3, 1, 9, 0, 3), 3'280'000).expectedWavSize, 36'162'044);
    EXPECT_EQ(AnalyseMpegAudio(Header(3, 1, 9, 0, 0), 3'280'000).expectedWavSize, 36'162'044);
    // Three hours at 48 kHz is still 32-bit; 64 bits carry what lies beyond.
    EXPECT_EQ(AnalyseMpegAudio(Header(3, 1, 9, 1, 1), 10800LL * 16000).expectedWavSize,
              2'073'600'044);
    EXPECT_EQ(AnalyseMpegAudio(Header(3, 1, 9, 1, 1), 11200LL * 16000).expectedWavSize,
              2'150'400'044);
}

TEST(MpegHeaderDuration, NoBitrateOrNoRateGivesABareHeaderSize) {
    const struct {
        Bytes header;
        std::string line;
    } cases[] = {
        {Header(3, 1, 0, 0, 1), "Time:(0M 0S)Version 1 Layer III 44100Hz 0bps Joint Stereo"},
        {Header(3, 1, 15, 0, 1), "Time:(0M 0S)Version 1 Layer III 44100Hz 0bps Joint Stereo"},
        {Header(1, 1, 9, 0, 1),
         "Time:(0M 0S)Reserved Layer III 44100Hz ビットレート不明 Joint Stereo"},
        {Header(3, 0, 9, 0, 1),
         "Time:(0M 0S)Version 1 Reserved 44100Hz ビットレート不明 Joint Stereo"},
        {Header(3, 1, 9, 3, 1), "Time:(3M 25S)Version 1 Layer III 0Hz 128bps Joint Stereo"},
    };
    for (const auto& c : cases) {
        const MpegAudioInfo info = AnalyseMpegAudio(c.header, 3'280'000);
        EXPECT_EQ(info.line, c.line);
        EXPECT_EQ(info.expectedWavSize, 44);
    }
}

TEST(MpegHeaderDuration, AbsurdSizesSaturateInsteadOfOverflowing) {
    const MpegAudioInfo info =
        AnalyseMpegAudio(Header(2, 1, 1, 1, 0), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(info.durationMinutes, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(info.expectedWavSize, std::numeric_limits<std::int64_t>::max());
}

// ---------------------------------------------------------------------------
// Reading files

TEST_F(MpegHeaderFile, ThreeMegabyteLayerIIIExample) {
    const std::string path = WriteSized("song.mp3", kLayer3, 3'280'000);
    EXPECT_EQ(Read(path), "Time:(3M 25S)Version 1 Layer III 44100Hz 128bps Joint Stereo");
    EXPECT_EQ(state_.DurationMinutes, 3);
    EXPECT_EQ(state_.DurationSeconds, 25);
    EXPECT_EQ(state_.ExpectedWavSize, 36'162'044);
    EXPECT_TRUE(boxes_.messages.empty());
}

TEST_F(MpegHeaderFile, AudioBytesStartAtTheSync) {
    // 3,279,999 bytes from the sync: 204 s; from the start of the file it would be 205.
    const std::string path = WriteSized("junk.mp3", Concat({Junk(10), kLayer3}), 3'280'009);
    EXPECT_EQ(Read(path), "Time:(3M 24S)Version 1 Layer III 44100Hz 128bps Joint Stereo");
    EXPECT_EQ(state_.ExpectedWavSize, 204LL * 44100 * 4 + 44);
}

TEST_F(MpegHeaderFile, EmptyAndSyncFreeFilesStoreZeros) {
    for (const Bytes& bytes : {Bytes{}, Bytes{0xFF, 0xFB, 0x90}, Junk(5000)}) {
        state_.ExpectedWavSize = 99;
        EXPECT_EQ(Read(Write("none.mp3", bytes)), kNoSync);
        EXPECT_EQ(state_.DurationMinutes, 0);
        EXPECT_EQ(state_.DurationSeconds, 0);
        EXPECT_EQ(state_.ExpectedWavSize, 0);
    }
    EXPECT_TRUE(boxes_.messages.empty());
}

TEST_F(MpegHeaderFile, SyncAcrossABlockBoundary) {
    for (std::size_t back = 1; back <= 4; ++back) {
        const Bytes bytes = Concat(
            {Junk(kMpegSearchBlock - back - 2), {0xFF, 0x00}, Header(2, 2, 14, 1, 3), Junk(100)});
        const std::string path = Write("edge.mp2", bytes);
        // 160 kbit/s = 20,000 bytes/s; the sync's offset decides the second.
        const std::int64_t size = static_cast<std::int64_t>(kMpegSearchBlock - back) + 20'000;
        ASSERT_EQ(::truncate(path.c_str(), size), 0);
        EXPECT_EQ(Read(path), "Time:(0M 1S)Version 2 Layer II 24000Hz 160bps Mono") << back;
        ASSERT_EQ(::truncate(path.c_str(), size - 1), 0);
        EXPECT_EQ(Read(path), "Time:(0M 0S)Version 2 Layer II 24000Hz 160bps Mono") << back;
    }
    // A lone FF ending the first block, the sync further on.
    const Bytes decoy =
        Concat({Junk(kMpegSearchBlock - 1), {0xFF}, Junk(kMpegSearchBlock), kLayer3});
    EXPECT_EQ(Read(Write("decoy.mp3", decoy)),
              "Time:(0M 0S)Version 1 Layer III 44100Hz 128bps Joint Stereo");
}

TEST_F(MpegHeaderFile, SizesBeyondTwoGigabytes) {
    const std::string path = WriteSized("long.mp3", kLayer3, 3'000'000'000LL);
    // 187,500 s.
    EXPECT_EQ(Read(path), "Time:(3125M 0S)Version 1 Layer III 44100Hz 128bps Joint Stereo");
    EXPECT_EQ(state_.ExpectedWavSize, 187'500LL * 44100 * 4 + 44);
}

TEST_F(MpegHeaderFile, RawNameBytesReachTheFile) {
    EXPECT_EQ(Read(WriteSized("\xff\xfe\x80.mp3", kLayer3, 3'280'000)),
              "Time:(3M 25S)Version 1 Layer III 44100Hz 128bps Joint Stereo");
}

// ---------------------------------------------------------------------------
// ID3v2 tags

TEST_F(MpegHeaderFile, Id3v2TagIsSteppedOver) {
    // The tag holds a UTF-16 byte-order mark and a JPEG marker, both sync-like.
    Bytes body = Junk(300);
    body[20] = 0xFF, body[21] = 0xFE, body[200] = 0xFF, body[201] = 0xE0;
    const Bytes tagged = Concat({Id3Header(300), body, kLayer3});
    // 3,279,999 bytes from the frame header at offset 310.
    const std::string path = WriteSized("tagged.mp3", tagged, 310 + 3'279'999);
    EXPECT_EQ(Read(path), "Time:(3M 24S)Version 1 Layer III 44100Hz 128bps Joint Stereo");
    EXPECT_TRUE(boxes_.messages.empty());

    // With a footer the frames begin ten bytes later still.
    const Bytes footer = {'3', 'D', 'I', 4, 0, 0x10, 0, 0, 0xFF, 0xFE};
    EXPECT_EQ(Analyse(Concat({Id3Header(300, 0x10), body, footer, Header(3, 2, 9, 0, 3)})).line,
              "Time:(0M 0S)Version 1 Layer II 44100Hz 160bps Mono");
}

TEST_F(MpegHeaderFile, OnlyAWellFormedId3v2HeaderIsATag) {
    const Bytes body = {0x00, 0xFF, 0xFE, 0x00, 0x00};
    // Junk with a byte-order mark and no tag: the mark is the header.
    EXPECT_EQ(Read(Write("junk.mp3", Concat({Junk(7), body, kLayer3}))),
              "Time:(0M 0S)Version 1 Layer I 44100Hz 0bps Stereo");
    EXPECT_EQ(boxes_.messages, std::vector<std::string>{kVbrHint});
    for (int field : {3, 4, 6, 9}) {
        Bytes header = Id3Header(4);
        header[field] = field < 6 ? 0xFF : 0x80;
        EXPECT_EQ(Analyse(Concat({header, body, kLayer3})).line,
                  "Time:(0M 0S)Version 1 Layer I 44100Hz 0bps Stereo")
            << field;
    }
}

TEST_F(MpegHeaderFile, TagRunningPastTheEndFindsNothing) {
    EXPECT_EQ(Read(Write("cut.mp3", Concat({Id3Header(1000), kLayer3, kLayer3}))), kNoSync);
    EXPECT_EQ(state_.ExpectedWavSize, 0);
    // Three bytes after the tag are not a header either.
    EXPECT_FALSE(Analyse(Concat({Id3Header(2), {0, 0}, {0xFF, 0xFB, 0x90}})).syncFound);
    EXPECT_TRUE(Analyse(Concat({Id3Header(2), {0, 0}, kLayer3})).syncFound);
    EXPECT_TRUE(boxes_.messages.empty());
}

// ---------------------------------------------------------------------------
// The VBR hint

TEST_F(MpegHeaderFile, HintForAnMp3WithoutLayerIII) {
    const Bytes layer2 = Header(3, 2, 9, 0, 1);
    const struct {
        std::string name;
        Bytes bytes;
        bool hint;
    } cases[] = {
        {"x.MP3", layer2, true},      {"x.mp2", layer2, false}, {"x.mp3", kLayer3, false},
        {"曲.Mp3", layer2, true},     {"xmp3", layer2, true},   {"x.mpa", layer2, false},
        {"none.mp3", Junk(9), false},
    };
    for (const auto& c : cases) {
        boxes_.messages.clear();
        sizeWhenShown_ = -1;
        state_.ExpectedWavSize = 99;
        Read(WriteSized(c.name, c.bytes, 20'000)); // one second
        ASSERT_EQ(boxes_.messages.size(), c.hint ? 1u : 0u) << c.name;
        if (c.hint) {
            EXPECT_EQ(boxes_.messages[0], kVbrHint);
            // The estimate is stored before the box opens.
            EXPECT_EQ(sizeWhenShown_, 44100 * 4 + 44) << c.name;
        }
    }
}

// ---------------------------------------------------------------------------
// Files lame wrote

TEST_F(MpegHeaderFile, LameEncodedFilesPlainAndTagged) {
    const std::string lame = FindLame();
    if (lame.empty())
        GTEST_SKIP() << "lame not found";
    const std::string wav = Write("tone.wav", AsBytes(ToneWav(65)));
    const std::string plain = dir_ + "/plain.mp3", tagged = dir_ + "/tagged.mp3";
    ASSERT_EQ(RunProgram({lame, "--quiet", "-b", "128", wav, plain}), 0);
    ASSERT_EQ(RunProgram({lame, "--quiet", "-b", "128", "--tt", "Title", wav, tagged}), 0);
    for (const std::string& path : {plain, tagged}) {
        EXPECT_EQ(Read(path), "Time:(1M 5S)Version 1 Layer III 44100Hz 128bps Joint Stereo")
            << path;
        EXPECT_EQ(state_.ExpectedWavSize, 65LL * 44100 * 4 + 44);
    }
    EXPECT_TRUE(boxes_.messages.empty());
}

// ---------------------------------------------------------------------------
// Files that can't be read

TEST_F(MpegHeaderFile, UnopenableFilesThrowNamingFileAndReason) {
    const std::string missing = dir_ + "/missing.mp3";
    try {
        Read(missing);
        ADD_FAILURE() << "no error";
    } catch (const UserError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find(missing), std::string::npos) << message;
        EXPECT_NE(message.find(std::strerror(ENOENT)), std::string::npos) << message;
    }
    EXPECT_THROW(Read(dir_), UserError);

    const std::string locked = WriteSized("locked.mp3", kLayer3, 16'000);
    ::chmod(locked.c_str(), 0);
    if (::geteuid() != 0) { // root reads it anyway
        try {
            Read(locked);
            ADD_FAILURE() << "no error";
        } catch (const UserError& error) {
            EXPECT_NE(std::string(error.what()).find(std::strerror(EACCES)), std::string::npos);
        }
    }
    ExpectUntouched();
    EXPECT_TRUE(boxes_.messages.empty());
}

TEST_F(MpegHeaderFile, FifoFailsAtOnce) {
    const std::string fifo = dir_ + "/x.mp3";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto result = std::async(std::launch::async, [&] {
        ConversionState state;
        RecordingBoxes boxes;
        try {
            ReadMpegAudioInfo(fifo, state, boxes);
            return std::string("no error");
        } catch (const UserError& error) {
            return std::string(error.what());
        }
    });
    if (result.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        // Release the reader stuck in open() so the test ends.
        const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        ::close(writer);
        FAIL() << "blocked on a FIFO";
    }
    EXPECT_NE(result.get().find(fifo), std::string::npos);
}

} // namespace
