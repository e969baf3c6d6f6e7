// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// A batch's plan: each item's output and decoder option, and the questions
// before its first decoder.
#include "batch_plan.h"

#include "batch_fixture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(OutputPath, TheOptionFollowsTheExtensionOrTheItemBefore) {
    EXPECT_EQ(OptionFor(AsPath("/x.mpa"), DecoderOption::Decode), DecoderOption::DecodeMp2Input);
    EXPECT_EQ(OptionFor(AsPath("/x.MP2"), DecoderOption::DecodeMp2Input), DecoderOption::Decode);
    EXPECT_EQ(OptionFor(AsPath("/x.mp3"), DecoderOption::DecodeMp2Input), DecoderOption::Decode);
    EXPECT_EQ(OptionFor(AsPath("/x.ogg"), DecoderOption::Decode), DecoderOption::Decode);
    EXPECT_EQ(OptionFor(AsPath("/x.ogg"), DecoderOption::DecodeMp2Input),
              DecoderOption::DecodeMp2Input);
    EXPECT_EQ(OptionFor(AsPath("/x.mpa"), DecoderOption::Decode, 2), DecoderOption::DecodeMp2Input);
    EXPECT_EQ(OptionFor(AsPath("/x.mpa"), DecoderOption::Decode, 3), DecoderOption::DecodeMp3Input);
    EXPECT_EQ(OptionFor(AsPath("/x.mp3"), DecoderOption::Decode, 2), DecoderOption::DecodeMp2Input);
    EXPECT_EQ(OptionFor(AsPath("/x.mp2"), DecoderOption::Decode, 1), DecoderOption::DecodeMp1Input);
}

// Every layer in every extension, and lame's own tone in an ".mpa", come out whole.
TEST_F(BatchTest, TheRealDecoderReadsEachLayerWhateverTheExtension) {
    decoder = FindLame();
    if (decoder.empty())
        GTEST_SKIP() << "no decoder";
    WriteToneWav(folder / "pcm.wav", 8);
    ASSERT_EQ(RunProgram({decoder, "--quiet", folder / "pcm.wav", folder / "tone.mpa"}), 0);
    list.Append(folder / "tone.mpa");
    for (const int layer : {1, 2, 3})
        for (const std::string extension : {".mpa", ".mp2", ".mp3"})
            AddSource(std::to_string(layer) + extension.back() + extension, MpegFrames(layer, 100));
    Convert();
    EXPECT_EQ(States(), std::vector<S>(10, S::Processed));
    EXPECT_GT(FileSize(folder / "tone.wav"), 8 * 176400 * 0.99);
}

TEST_F(BatchTest, WritesIntoTheDestinationRereadForEveryItem) {
    TempFolder out;
    AddSource("a.mp3");
    AddSource("slow.mp3");
    AddSource("b.mp3");
    window.destination = out.path() + "/";
    window.onDispatch = [&] { // a cancelled choice mid-batch
        if (list.ItemAt(1).state == S::Processing)
            window.destination.clear();
    };
    Convert();
    EXPECT_TRUE(Exists(out / "a.wav") && Exists(out / "slow.wav"));
    EXPECT_TRUE(Exists(folder / "b.wav") && !Exists(out / "b.wav"));
}

TEST_F(BatchTest, TheQuestionComesOnceBeforeAnyDecoderAndOnlyYesReplaces) {
    for (const ConfirmAnswer answer :
         {ConfirmAnswer::Yes, ConfirmAnswer::No, ConfirmAnswer::None}) { // None: the close button
        SCOPED_TRACE(static_cast<int>(answer));
        list.Clear();
        boxes = RecordingBoxes();
        ::unlink((folder / "calls.log").c_str());
        for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "a.mp3"}) // a twice counts once
            AddSource(name);
        WriteFile(folder / "a.wav", "a user's own");
        WriteFile(folder / "b.wav", "a user's own");
        ::unlink((folder / "c.wav").c_str());
        std::size_t callsWhenAsked = 99;
        boxes.decide = [&](const std::string& question) {
            if (question.find("上書き") == std::string::npos)
                return ConfirmAnswer::No;
            callsWhenAsked = Calls().size();
            return answer;
        };
        Convert();

        ASSERT_EQ(boxes.questions.size(), 2u);
        EXPECT_EQ(boxes.questions[0], "出力先に同じ名前のファイルが2件あります。上書きしますか？");
        EXPECT_EQ(boxes.buttons[0], ConfirmButtons::YesNoDefaultNo);
        EXPECT_EQ(callsWhenAsked, 0u) << "asked before the first decoder";
        EXPECT_TRUE(LeftOver(folder.path()).empty());
        const bool yes = answer == ConfirmAnswer::Yes;
        // Kept back by the user's own choice: waiting, not failed, nor counted as failed.
        const S aOrB = yes ? S::Processed : S::KeptBack;
        EXPECT_EQ(States(), (std::vector<S>{aOrB, aOrB, S::Processed, aOrB}));
        EXPECT_EQ(Calls().size(), yes ? 3u : 1u) << "c alone when not replacing";
        for (const int row : {0, 1}) {
            EXPECT_EQ(list.ItemAt(row).failureReason,
                      yes ? "" : "同じ名前のファイルがあるため変換しませんでした");
            EXPECT_EQ(ReadFile(folder / (row ? "b.wav" : "a.wav")),
                      yes ? ReadFile(folder / "c.wav") : "a user's own");
        }
        EXPECT_EQ(
            boxes.messages,
            yes ? std::vector<std::string>{}
                : std::vector<std::string>{
                      "1件を変換しました\n3件は同じ名前のファイルがあるため変換しませんでした"});
    }
}

// Two albums' "01 Intro.mp3" into one destination: asked once, before any
// decoder; yes keeps the folders under the deepest one holding every source.
TEST_F(BatchTest, SameNamedTracksGoToFoldersOfTheirOwnWhenTheUserSaysSo) {
    for (const char* track : {"Album A/01 Intro.mp3", "Album B/01 Intro.mp3", "Album B/02.mp3"})
        AddSource(std::string("Music/Artist/") + track);
    TempFolder out;
    WriteFile(out / "Album A", "a file where a folder is wanted");
    window.destination = out.path() + "/";
    Answer(ConfirmAnswer::No, ConfirmAnswer::Yes);
    Convert();
    EXPECT_EQ(boxes.questions.front(), "同じ名前のWAVファイルになる項目が2件あります。"
                                       "変換元のフォルダ構成を出力先に作って別々に保存しますか？");
    EXPECT_EQ(boxes.buttons.front(), ConfirmButtons::YesNo);
    EXPECT_EQ(States(), (std::vector<S>{S::Failed, S::Processed, S::Processed}));
    EXPECT_EQ(list.ItemAt(0).failureReason.rfind(out / "Album A：", 0), 0u)
        << "a folder that can't be made fails with the system's reason";
    EXPECT_TRUE(Exists(out / "Album B/01 Intro.wav") && Exists(out / "Album B/02.wav"));
}

// The folders are the file system's: a ".." in a name leads where it says.
TEST_F(BatchTest, ADotDotInASourceNeverLeadsOutOfTheDestination) {
    AddSource("s/A/01.mp3");
    AddSource("e2/01.mp3");
    WriteFile(folder / "e2/01.wav", "mine");
    Answer(ConfirmAnswer::Yes, ConfirmAnswer::Yes);
    for (const std::optional<int> decoders : {std::optional<int>(), std::optional<int>(2)}) {
        const std::string out = folder / ("o" + std::to_string(decoders.value_or(1)));
        ASSERT_EQ(MakeFolders(out + "/o2"), 0);
        list.Clear();
        list.AppendMany({folder / "s/A/01.mp3", folder / "s/A/../../e2/01.mp3"});
        window.destination = out + "/o2/";
        Convert(decoders);
        EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Processed}));
        EXPECT_TRUE(Exists(out + "/o2/s/A/01.wav") && Exists(out + "/o2/e2/01.wav"));
        EXPECT_EQ(EntriesIn(out), 1u) << "nothing beside the destination";
        EXPECT_EQ(ReadFile(folder / "e2/01.wav"), "mine");
    }
}

// A link inside the destination is followed: where it leads out, nothing is
// made, written or replaced there, and the item says why; a link that stays
// inside is a folder like any other.
TEST_F(BatchTest, ALinkInsideTheDestinationNeverLeadsAWavOutOfIt) {
    TempFolder elsewhere;
    ASSERT_EQ(::mkdir((elsewhere / "sub").c_str(), 0755), 0);
    WriteFile(elsewhere / "sub/song.wav", "a user's own");
    for (const char* source : {"x/sub/song.mp3", "y/song.mp3", "w/song.mp3"})
        AddSource(source);
    Answer(ConfirmAnswer::Yes, ConfirmAnswer::Yes);
    for (const std::optional<int> decoders : {std::optional<int>(), std::optional<int>(2)}) {
        TempFolder out;
        ASSERT_EQ(::symlink(elsewhere.path().c_str(), (out / "x").c_str()), 0);
        ASSERT_EQ(::mkdir((out / "inner").c_str(), 0755), 0);
        ASSERT_EQ(::symlink("inner", (out / "w").c_str()), 0);
        window.destination = out.path() + "/";
        Convert(decoders);
        EXPECT_EQ(States(), (std::vector<S>{S::Failed, S::Processed, S::Processed}));
        EXPECT_EQ(list.ItemAt(0).failureReason,
                  "出力先フォルダの外を指すリンクがあるため書き込みません");
        EXPECT_EQ(ReadFile(elsewhere / "sub/song.wav"), "a user's own");
        EXPECT_EQ(EntriesIn(elsewhere / "sub"), 1u);
        EXPECT_TRUE(Exists(out / "y/song.wav") && Exists(out / "inner/song.wav"));
    }
}

// exFAT through FUSE gives each spelling of one folder an inode number of its
// own: two albums' folders of one folding are one folder on the stick.
TEST_F(BatchTest, OnARealExfatDriveTwoSpellingsOfOneFolderMakeOneWav) {
    const ExfatStick stick(folder);
    if (!stick.mounted)
        GTEST_SKIP() << kNoExfat;
    AddSource("Album/x.mp3");
    AddSource("ALBUM/x.mp3");
    ASSERT_EQ(::mkdir((stick / "album").c_str(), 0755), 0);
    window.destination = stick.path() + "/";
    Answer(ConfirmAnswer::Yes, ConfirmAnswer::Yes);
    for (const std::optional<int> decoders : {std::optional<int>(), std::optional<int>(2)}) {
        WriteFile(stick / "album/x.wav", "a user's own");
        ::unlink((folder / "calls.log").c_str());
        boxes.questions.clear();
        Convert(decoders);
        EXPECT_EQ(boxes.questions.at(1),
                  "出力先に同じ名前のファイルが1件あります。上書きしますか？");
        EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::KeptBack}));
        EXPECT_EQ(list.ItemAt(1).failureReason, "同じ名前の出力ファイルがこの変換で作成済みです");
        EXPECT_EQ(Calls().size(), 1u) << "the second never ran";
        // Read under the spelling it was written by: the driver's cache of
        // another spelling's file may show the old one for a second.
        EXPECT_EQ(ReadFile(stick / "Album/x.wav").size(), 48u);
        EXPECT_EQ(EntriesIn(stick.path()), 1u);
        EXPECT_EQ(EntriesIn(stick / "album"), 1u);
    }
}

// Two spellings of one folder (a drive blind to case; a link) are one file.
TEST_F(BatchTest, TheReplaceQuestionCountsFilesNotSpellings) {
    AddSource("X/song.mp3");
    AddSource("x/song.mp3");
    TempFolder out;
    ASSERT_EQ(MakeFolders(out / "X"), 0);
    ASSERT_EQ(::symlink("X", (out / "x").c_str()), 0);
    WriteFile(out / "X/song.wav", "old");
    window.destination = out.path() + "/";
    Answer(ConfirmAnswer::No, ConfirmAnswer::Yes);
    Convert();
    EXPECT_EQ(boxes.questions[1], "出力先に同じ名前のファイルが1件あります。上書きしますか？");
}

// Folders of their own: a caption edited during the batch to a file outside the
// common folder goes straight into the destination, replacing nothing; folders
// made for failed items go again; the details tell two failed 01.mp3 apart.
TEST_F(BatchTest, FoldersOfTheirOwnHoldForEditedCaptionsAndFailures) {
    WriteFile(folder / "x.mp3", Layer3Bytes());
    for (const std::optional<int> decoders : {std::optional<int>(), std::optional<int>(2)}) {
        TempFolder out;
        WriteFile(out / "x.wav", "old");
        list.Clear();
        for (const char* source :
             {"a/A/01.mp3", "a/B/C/01 fail.mp3", "a/D/01 fail.mp3", "a/D/02.mp3"})
            AddSource(source);
        window.destination = out.path() + "/";
        boxes.decide = [&](const std::string& question) {
            list.SetCaption(3, folder / "x.mp3"); // its source taken already
            return question.find("フォルダ構成") != std::string::npos ? ConfirmAnswer::Yes
                                                                      : ConfirmAnswer::No;
        };
        Convert(decoders);
        EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Failed, S::Failed, S::KeptBack}));
        EXPECT_EQ(ReadFile(out / "x.wav"), "old");
        EXPECT_EQ(EntriesIn(out.path()), 2u) << "x.wav, and A, which holds a WAV";
        EXPECT_EQ(boxes.details.back().rfind("B/C/01 fail.mp3：", 0), 0u);
        EXPECT_NE(boxes.details.back().find("\nD/01 fail.mp3："), std::string::npos);
        EXPECT_EQ(boxes.questions.back(), "処理済みのリストを削除しますか？");
    }
}
