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

#include <map>

namespace {

struct Row {
    const char* what;
    Id3Tags tags;
    std::map<std::string, std::string> info; // INFO field: its UTF-8 text
    int id3Version;                          // of the "id3 " chunk; 0 for none
    std::string prepended = {};              // a tag of bytes before the audio
};

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
        {"none", {.version = 0}, {}, 0},
        {"ID3v2.3",
         {.version = 3,
          .frames = {{"TIT2", "Song"},
                     {"TPE1", "Band"},
                     {"TALB", "LP"},
                     {"TRCK", "3/12"},
                     {"TYER", "1999"},
                     {"TCON", "(17)"}}},
         {{"INAM", "Song"},
          {"IART", "Band"},
          {"IPRD", "LP"},
          {"IPRT", "3/12"},
          {"ICRD", "1999"},
          {"IGNR", "Rock"}},
         3},
        {"ID3v2.4 in Japanese, a cover",
         {.frames = {{"TIT2", "日本の歌"}}, .cover = cover},
         {{"INAM", "日本の歌"}},
         4},
        {"ID3v2.2",
         {.version = 0},
         {{"INAM", "Old one"}},
         3,
         std::string("ID3\2\0\0\0\0\0", 9) + char(tt2.size()) + tt2},
        {"ID3v1 alone",
         {.version = 0, .v1Title = "Song", .v1Artist = "Band"},
         {{"INAM", "Song"}, {"IART", "Band"}},
         3},
        {"Shift-JIS marked ISO-8859-1, in ID3v2 and ID3v1",
         {.version = 3,
          .frames = {{"TIT2", sjis}},
          .latin1 = true,
          .v1Title = "x",
          .v1Artist = sjis},
         {{"INAM", "日本のテスト"}, {"IART", "日本のテスト"}},
         3},
        {"Latin-1 and Windows-1252 that are Shift-JIS too stay",
         {.version = 3,
          .frames = {{"TIT2", "a\xe7\xf5"
                              "es"},
                     {"TPE1", "Don\x92t"}},
          .latin1 = true},
         {{"INAM", "ações"}, {"IART", "Don\u0092t"}},
         3},
        {"UTF-8 marked ISO-8859-1",
         {.version = 3, .frames = {{"TIT2", "日本"}}, .latin1 = true},
         {{"INAM", "日本"}},
         3},
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
        const std::string bytes = ReadFile(wav);
        EXPECT_EQ(bytes.substr(8, lames.size() - 8), lames.substr(8));
        EXPECT_EQ(CheckWavFile(wav), WavCheck::Complete);
        TagLib::RIFF::WAV::File file(wav.c_str());
        for (const auto& [field, text] : row.info)
            EXPECT_EQ(file.InfoTag()->fieldText(field.c_str()).to8Bit(true), text) << field;
        EXPECT_EQ(file.InfoTag()->fieldListMap().size(), row.info.size());
        EXPECT_EQ(file.hasID3v2Tag() ? file.ID3v2Tag()->header()->majorVersion() : 0u,
                  unsigned(row.id3Version));
        if (row.id3Version == 0) {
            EXPECT_EQ(bytes, lames) << "lame's WAV byte for byte";
        }
        if (!row.tags.cover.empty()) {
            const auto covers = file.ID3v2Tag()->frameListMap()["APIC"];
            ASSERT_EQ(covers.size(), 1u);
            const auto* picture =
                dynamic_cast<TagLib::ID3v2::AttachedPictureFrame*>(covers.front());
            EXPECT_EQ(picture->picture(), TagLib::ByteVector(cover.data(), unsigned(cover.size())));
        }
    }
}
