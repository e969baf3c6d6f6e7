// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output_rules.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// The output of a caption read from the working folder /w, into the
// destination a window's text names.
std::string Output(std::string_view caption, std::string_view destination) {
    return OutputPathFor(*Path::Of(caption, AsPath("/w")), DestinationNamedBy(destination)).Bytes();
}

} // namespace

TEST(OutputPath, BesideTheSourceOrInTheDestination) {
    EXPECT_EQ(Output("/music/a.mp3", ""), "/music/a.wav");
    EXPECT_EQ(Output("/music/a.MPA", "ab"), "/music/a.wav") << "two characters mean none";
    EXPECT_EQ(Output("/a/b.mp2", "/out/"), "/out/b.wav");
    EXPECT_EQ(Output("/a/b.mp2", "日本"), "/a/b.wav") << "characters are counted, not bytes";
    EXPECT_EQ(Output("/a/曲.mp3", "/出力/"), "/出力/曲.wav");
    EXPECT_EQ(Output("/a/b\x83.mp3", "/o/"), "/o/b\x83.wav");
    // Edited captions shorter than an extension.
    EXPECT_EQ(Output("a", "/out/"), "/out/wav");
    EXPECT_EQ(Output("曲", ""), "/w/wav");
    EXPECT_EQ(Output("/dir/", "/out/"), "/out/wav") << "a separator is no part of a name";
    // The root is a destination like any other folder.
    EXPECT_EQ(Output("/a/b.mp2", "/"), "/b.wav");
    EXPECT_EQ(Output("/a/b.mp2", "/x"), "/a/b.wav") << "still two characters";
    EXPECT_EQ(Output("/a/b.mp2", "x"), "/a/b.wav");
}

TEST(OutputsAtStart, TheQuestionCountsOnlyRegularFilesThatAreNotTheirOwnSource) {
    const TempFolder folder;
    WriteFile(folder / "plain.wav", "old");
    ASSERT_EQ(::symlink("plain.wav", (folder / "link.wav").c_str()), 0);
    ASSERT_EQ(::mkfifo((folder / "fifo.wav").c_str(), 0644), 0);
    ASSERT_EQ(::mkdir((folder / "folder.wav").c_str(), 0755), 0);
    WriteFile(folder / "own.wav", "a source of its own name");
    std::vector<Path> sources;
    for (const char* name : {"plain.mp3", "link.mp3", "fifo.mp3", "folder.mp3", "own.wav"})
        sources.push_back(AsPath(folder / name));
    EXPECT_EQ(LookAtOutputs(sources, [](const Path& s) { return OutputPathFor(s, std::nullopt); })
                  .replaceable,
              1);
}

TEST(DecoderFailure, LamesUsualLastWordsAreToldInTheUsersLanguage) {
    const std::string noInput = "Can't init infile '/m/a.mp3'";
    const struct {
        std::string before, last, reason, said;
    } cases[] = {
        {"Could not find \"/m/a.mp3\".", noInput, "変換元ファイルが見つかりません",
         "Could not find \"/m/a.mp3\"."},
        {"Error reading headers in mp3 input file /m/a.mp3.", noInput,
         "MPEGオーディオとして読めません", "Error reading headers in mp3 input file /m/a.mp3."},
        {"", noInput, "MPEGオーディオとして読めません", noInput},
        {"", "Can't init outfile '/o/a.wav'", "出力ファイルを作れません",
         "Can't init outfile '/o/a.wav'"},
        {"Frame 3", "Something else", "Something else", ""},
    };
    for (const auto& c : cases) {
        const Verdict verdict = DecoderFailure(c.before, c.last);
        EXPECT_EQ(verdict.reason, c.reason) << c.last;
        EXPECT_EQ(verdict.decoderSaid, c.said) << c.last;
    }
}
