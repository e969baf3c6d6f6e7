// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "batch_driver.h"
#include "test_support.h"
#include "wav_file.h"

#include <taglib/attachedpictureframe.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/wavfile.h>

#include <gtest/gtest.h>

namespace {

struct Row {
    const char* what;
    Id3Tags tags;
    const char* info;           // the INFO fields, "ID=text;..." in the order of their ids
    std::string prepended = {}; // a tag of bytes before the audio
};

// Text frames from "ID=text;...".
std::vector<std::pair<std::string, std::string>> Frames(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> frames;
    for (std::size_t at = 0, end; (end = text.find(';', at)) != std::string::npos; at = end + 1)
        frames.emplace_back(text.substr(at, 4), text.substr(at + 5, end - at - 5));
    return frames;
}

} // namespace

// What a tag editor reads from each WAV: the INFO fields, the ID3v2 tag and its
// cover; before them the audio, lame's byte for byte.
TEST(WavTags, TagsInChunksOutTheAudioLamesOwn) {
    const std::string lame = FindLame();
    if (lame.empty())
        GTEST_SKIP() << "no decoder";
    TempFolder folder;
    WriteToneWav(folder / "tone.wav", 1);
    ASSERT_EQ(RunProgram({lame, "--quiet", folder / "tone.wav", folder / "plain.mp3"}), 0);
    ASSERT_EQ(RunProgram({lame, "--quiet", "--decode", folder / "plain.mp3", folder / "lame.wav"}),
              0);
    const std::string lames = ReadFile(folder / "lame.wav"), cover = "\xFF\xD8\xFF" + lames;
    const std::string sjis = "\x93\xfa\x96\x7b\x82\xcc\x83\x65\x83\x58\x83\x67"; // 日本のテスト
    const std::string tt2 = std::string("TT2\0\0\x08\0", 7) + "Old one";
    const Row rows[] = {
        {"ID3v2.3",
         {3, Frames("TIT2=Song;TPE1=Band;TALB=LP;TRCK=3/12;TYER=1999;TCON=(17);")},
         "IART=Band;ICRD=1999;IGNR=Rock;INAM=Song;IPRD=LP;IPRT=3/12;"},
        {"ID3v2.4 in Japanese, a cover",
         {4, Frames("TIT2=日本の歌;"), false, cover},
         "INAM=日本の歌;"},
        {"ID3v2.2",
         {0},
         "INAM=Old one;",
         std::string("ID3\2\0\0\0\0\0", 9) + char(tt2.size()) + tt2},
        {"ID3v1 alone", {0, {}, false, {}, "Song", "Band"}, "IART=Band;INAM=Song;"},
        {"Shift-JIS marked ISO-8859-1, in ID3v2 and ID3v1",
         {3, Frames("TIT2=" + sjis + ";"), true, {}, "x", sjis},
         "IART=日本のテスト;INAM=日本のテスト;"},
        {"Latin-1 and Windows-1252 that are Shift-JIS too stay",
         {3,
          Frames("TIT2=a\xe7\xf5"
                 "es;TPE1=Don\x92t;"),
          true},
         "IART=Don\u0092t;INAM=ações;"},
        {"UTF-8 marked ISO-8859-1", {3, Frames("TIT2=日本;"), true}, "INAM=日本;"},
    };
    ProcessingList list;
    for (const Row& row : rows) {
        const std::string source = folder / (std::string(row.what) + ".mp3");
        WriteFile(source, row.prepended + ReadFile(folder / "plain.mp3"));
        if (row.prepended.empty())
            WriteId3Tags(source, row.tags);
        list.Append(source);
    }
    ConversionState state;
    FakeWindow window;
    RecordingBoxes boxes;
    BatchDriver(list, state, window, boxes, [&] { return lame; }).Convert();

    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string wav = folder / (std::string(row.what) + ".wav");
        EXPECT_EQ(ReadFile(wav).substr(8, lames.size() - 8), lames.substr(8));
        EXPECT_EQ(CheckWavFile(wav), WavCheck::Complete);
        TagLib::RIFF::WAV::File file(wav.c_str());
        std::string info;
        for (const auto& [field, text] : file.InfoTag()->fieldListMap())
            info += std::string(field.data(), 4) + "=" + text.to8Bit(true) + ";";
        EXPECT_EQ(info, row.info);
        // An ID3v2.4 tag stays one; any other is carried as ID3v2.3.
        EXPECT_EQ(file.hasID3v2Tag() ? file.ID3v2Tag()->header()->majorVersion() : 0,
                  row.tags.version == 4 ? 4u : 3u);
        const auto covers = file.ID3v2Tag()->frameList("APIC");
        EXPECT_TRUE(row.tags.cover.empty() ||
                    (covers.size() == 1 &&
                     static_cast<TagLib::ID3v2::AttachedPictureFrame*>(covers.front())->picture() ==
                         TagLib::ByteVector(cover.data(), unsigned(cover.size()))));
    }
}
