// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Settling items: only a whole WAV of its own is ticked, put in place in list
// order, never over another's, and every end reported.
#include "batch_driver.h"

#include "batch_fixture.h"
#include "progress_monitor.h"

#include <QScopeGuard>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>

TEST_F(BatchTest, FailuresAreMarkedWithTheirReasonAndCounted) {
    AddSource("ok.mp3");
    AddSource("fail.mp3");
    AddSource("silent.mp3");
    AddSource("kill.mp3");
    AddSource("nooutput.mp3");
    window.onDispatch = [&] {
        if (list.ItemAt(5).state == S::Processing)
            driverPtr->RequestAbort();
    };
    AddSource("slow.mp3"); // the abort lands here, the last item
    boxes.answer = ConfirmAnswer::Yes;
    Convert();

    // Processed items went with the answer yes; failed ones stay for another try.
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(States(), (std::vector<S>{S::Failed, S::Failed, S::Failed, S::Failed}));
    EXPECT_EQ(list.ItemAt(0).failureReason, "Could not decode this file");
    EXPECT_EQ(list.ItemAt(1).failureReason, "デコーダが終了コード7で終了しました");
    EXPECT_NE(list.ItemAt(2).failureReason.find("9"), std::string::npos);
    EXPECT_EQ(list.ItemAt(3).failureReason, "出力ファイルが作成されませんでした");
    EXPECT_EQ(window.overall.back(), 100);
    EXPECT_EQ(boxes.messages,
              (std::vector<std::string>{"中断しました",
                                        "2件を変換しました\n4件のファイルを変換できませんでした"}));
    // Every failure by name and reason, in the details the box offers.
    EXPECT_EQ(boxes.details.back(), "fail.mp3：Could not decode this file\n"
                                    "silent.mp3：デコーダが終了コード7で終了しました\n"
                                    "kill.mp3：デコーダが異常終了しました（シグナル9）\n"
                                    "nooutput.mp3：出力ファイルが作成されませんでした\n");
}

// lame's last line, "Can't init infile", names no cause: the line before it does.
TEST_F(BatchTest, TheDecodersLineBeforeItsLastTellsWhy) {
    const std::string source = AddSource("gone.mp3");
    Convert();
    EXPECT_EQ(list.ItemAt(0).failureReason, "変換元ファイルが見つかりません");
    EXPECT_EQ(boxes.details.back(),
              "gone.mp3：変換元ファイルが見つかりません\n    Could not find \"" + source + "\".\n");
}

// What a failed run wrote is gone, and a WAV that was there stays: only a
// whole WAV of its own replaces one.
TEST_F(BatchTest, AnExitCodeOfZeroWithoutAWholeWavOfItsOwnFails) {
    const std::vector<std::string> sources{AddSource("truncated.mp3"), AddSource("empty.mp3"),
                                           AddSource("nooutput.mp3"),  AddSource("broken.mp3"),
                                           AddSource("fail.mp3"),      AddSource("ok.mp3")};
    std::vector<std::string> hashes;
    for (const auto& source : sources)
        hashes.push_back(Sha256Of(source));
    const char* earlier[] = {"truncated.wav", "nooutput.wav", "fail.wav"};
    for (const char* name : earlier)
        WriteFile(folder / name, "an earlier run's WAV");
    Answer(ConfirmAnswer::Yes);
    Convert();

    EXPECT_EQ(States(), (std::vector<S>{S::Failed, S::Failed, S::Failed, S::Failed, S::Failed,
                                        S::Processed}));
    EXPECT_EQ(list.ItemAt(0).failureReason,
              "出力ファイルが途中で切れています（空き容量を確認してください）");
    EXPECT_EQ(list.ItemAt(1).failureReason, "音声データが見つかりませんでした");
    EXPECT_EQ(list.ItemAt(2).failureReason, "出力ファイルが作成されませんでした");
    EXPECT_FALSE(Exists(folder / "empty.wav") || Exists(folder / "broken.wav"));
    for (const char* name : earlier)
        EXPECT_EQ(ReadFile(folder / name), "an earlier run's WAV") << name;
    EXPECT_EQ(ReadFile(folder / "ok.wav").size(), 48u);
    EXPECT_TRUE(LeftOver(folder.path()).empty());
    for (std::size_t i = 0; i < sources.size(); ++i)
        EXPECT_EQ(Sha256Of(sources[i]), hashes[i]) << sources[i];
}

TEST_F(BatchTest, ADiskThatFillsUpFailsTheCutWavAndRemovesIt) {
    TempFolder out;
    if (::mount("brindlecot-test", out.path().c_str(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here: " << std::strerror(errno);
    window.destination = out.path() + "/";
    AddSource("a.mp3");
    const std::string large = AddSource("large.mp3");
    const std::string hash = Sha256Of(large);
    Convert();
    const bool cutRemoved = !Exists(out / "large.wav"), firstKept = Exists(out / "a.wav");
    ::umount2(out.path().c_str(), MNT_DETACH);

    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Failed}));
    EXPECT_EQ(list.ItemAt(1).failureReason,
              "出力ファイルが途中で切れています（空き容量を確認してください）");
    EXPECT_TRUE(cutRemoved && firstKept);
    EXPECT_EQ(Sha256Of(large), hash);
}

TEST_F(BatchTest, ASecondSourceOfTheSameNameNeverReplacesTheFirstWav) {
    const std::string collision = "同じ名前の出力ファイルがこの変換で作成済みです";
    for (const std::optional<int> decoders : {std::optional<int>(), std::optional<int>(2)}) {
        TempFolder out;
        ::unlink((folder / "calls.log").c_str());
        list.Clear();
        // The first decoder holds until a dispatch: both would run at once.
        const std::string first = AddSource("CD1/01-held.mp3");
        AddSource("CD2/01-held.mp3");
        window.destination = out.path() + "/";
        window.onDispatch = [&] { Release(first); };
        Convert(decoders);
        // Folders of their own declined: the later one is kept back by that choice.
        EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::KeptBack}));
        EXPECT_EQ(list.ItemAt(1).failureReason, collision);
        EXPECT_EQ(Calls().size(), 1u) << "the decoder never ran over the first WAV";
        EXPECT_TRUE(Exists(out / "01-held.wav"));
    }
    window.onDispatch = nullptr;

    // Side by side, then again: a WAV of an earlier batch is overwritten when allowed.
    Answer(ConfirmAnswer::Yes);
    list.Clear();
    window.destination.clear();
    AddSource("dup.mp2");
    AddSource("dup.mp3", MpegFrames(2, 1));
    for (int batch = 0; batch < 2; ++batch) {
        boxes.messages.clear();
        Convert();
        // Kept back as between folders, counted so, and never decoded: no VBR hint.
        EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::KeptBack}));
        EXPECT_EQ(list.ItemAt(1).failureReason, collision);
        EXPECT_EQ(boxes.messages,
                  std::vector<std::string>{"1件を変換しました\n1件は同じ名前のファイルが"
                                           "あるため変換しませんでした"});
    }
    EXPECT_EQ(Calls().size(), 3u);
}

TEST_F(BatchTest, AHardLinkAtTheOutputPathKeepsItsOtherNamesAsTheyWere) {
    const std::string other = AddSource("c.mp3");
    AddSource("b.mp3");
    ASSERT_EQ(::link(other.c_str(), (folder / "b.wav").c_str()), 0);
    const std::string hash = Sha256Of(other);
    Answer(ConfirmAnswer::Yes);
    Convert();
    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Processed}));
    EXPECT_EQ(Sha256Of(other), hash);
    EXPECT_EQ(ReadFile(folder / "b.wav").size(), 48u);
}

// The same on a real exFAT stick, where the drive itself is blind to case.
TEST_F(BatchTest, OnARealExfatDriveTheLaterItemNeverReplacesTheEarlierOnesWav) {
    const ExfatStick stick(folder);
    if (!stick.mounted)
        GTEST_SKIP() << kNoExfat;
    EXPECT_TRUE(FolderIsCaseBlind(AsPath(stick.path())));
    EXPECT_FALSE(FolderIsCaseBlind(AsPath(folder.path())));
    WriteFile(stick / "song.wav", "old");
    AddSource("a/song.mp3", Layer3Stream(100));
    AddSource("b/SONG.mp3");
    window.destination = stick.path() + "/";
    Answer(ConfirmAnswer::Yes);
    Convert();
    EXPECT_EQ(boxes.questions[1], "出力先に同じ名前のファイルが1件あります。上書きしますか？");
    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::KeptBack}));
    EXPECT_EQ(ReadFile(stick / "song.wav").size(), 48u) << "the first item's WAV";
    EXPECT_EQ(EntriesIn(stick.path()), 1u) << "nothing left beside it";
}

// A drive blind to case (exFAT, FAT) takes song.wav and SONG.wav for one file,
// and may answer for a while with the old file's identity under either name.
TEST_F(BatchTest, InAFolderBlindToCaseNamesOfOneFoldingAreOneOutput) {
    caseBlind = [](const Path&) { return true; };
    TempFolder out;
    WriteFile(out / "song.wav", "old");
    WriteFile(out / "SONG.wav", "the same old file, as such a drive shows it");
    AddSource("a/song.mp3");
    AddSource("b/SONG.mp3");
    window.destination = out.path() + "/";
    Answer(ConfirmAnswer::Yes);
    Convert(2);
    ASSERT_EQ(boxes.questions.size(), 3u);
    EXPECT_EQ(boxes.questions[1], "出力先に同じ名前のファイルが1件あります。上書きしますか？");
    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::KeptBack}));
    EXPECT_EQ(list.ItemAt(1).failureReason, "同じ名前の出力ファイルがこの変換で作成済みです");
    EXPECT_EQ(Calls().size(), 1u);
}

TEST_F(BatchTest, TheSameSourceListedAgainIsDoneWithoutASecondRun) {
    TempFolder elsewhere;
    const std::string source = AddSource("x.mp3");
    ASSERT_EQ(::symlink(source.c_str(), (elsewhere / "x.mp3").c_str()), 0);
    for (const std::optional<int> decoders : {std::optional<int>(), std::optional<int>(2)}) {
        TempFolder out;
        ::unlink((folder / "calls.log").c_str());
        list.Clear();
        window.sizeTexts.clear();
        window.file.clear();
        list.AppendMany({source, source, elsewhere / "x.mp3"});
        window.destination = out.path() + "/";
        Convert(decoders);
        EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Processed, S::Processed}));
        EXPECT_EQ(Calls().size(), 1u);
        EXPECT_TRUE(boxes.messages.empty());
        // Each ended with the finished WAV's figures.
        EXPECT_EQ(window.sizeTexts, (std::vector<std::string>{"0 KB", "0 KB", "0 KB"}));
        EXPECT_EQ(window.file, (std::vector<int>{0, 100, 100, 100}));
    }
}

// A full disk leaves a WAV past 2 GiB that looks whole: lame ends without
// error and its capped header can't tell. A header that tells the length
// vouches for a whole WAV however little room is left.
TEST_F(BatchTest, OnADiskWithNoRoomLeftOnlyAWavWhoseHeaderTellsItsLengthIsTicked) {
    TempFolder out;
    if (::mount("brindlecot-test", out.path().c_str(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here: " << std::strerror(errno);
    WriteFile(out / "filler", std::string(1008 * 1024, 'x')); // 16 KiB left
    window.destination = out.path() + "/";
    AddSource("capped.mp3");
    AddSource("whole.mp3");
    Convert();
    const bool nothingNamed = !Exists(out / "capped.wav");
    ::umount2(out.path().c_str(), MNT_DETACH);
    EXPECT_EQ(list.ItemAt(0).failureReason, "出力先の空き容量がなくなりました");
    EXPECT_TRUE(nothingNamed);
    EXPECT_EQ(list.ItemAt(1).state, S::Processed);
}

TEST_F(BatchTest, AReplacedWavKeepsThePermissionsAndOwnerOfTheFileItReplaces) {
    const std::string take = folder / "take.wav";
    WriteFile(take, "old", 0600);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(take.c_str(), 4321, 4321), 0);
    }
    AddSource("take.mp3");
    Answer(ConfirmAnswer::Yes);
    Convert();
    struct stat info {};
    ASSERT_EQ(::stat(take.c_str(), &info), 0);
    EXPECT_NE(ReadFile(take), "old");
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    if (root) {
        EXPECT_EQ(std::pair(info.st_uid, info.st_gid), std::pair(4321u, 4321u));
    }
}

TEST_F(BatchTest, AWavPastTwoGibWithLamesCappedSizesIsKept) {
    AddSource("capped.mp3");
    Convert();
    EXPECT_EQ(States(), std::vector<S>{S::Processed});
    EXPECT_EQ(FileSize(folder / "capped.wav"), 2'422'096'172);
    EXPECT_EQ(window.sizeTexts, std::vector<std::string>{OutputSizeText(2'422'096'172)});
    EXPECT_EQ(window.file.back(), 100);
}

TEST_F(BatchTest, SeveralAtOnceTheEarlierItemWinsANameEvenWhenALaterOneEndsFirst) {
    // Two sources whose outputs are one file under two names that no path
    // resolves to one: a folder mounted at a second place.
    const std::string first = AddSource("first/01-held.mp3");
    ASSERT_EQ(::mkdir((folder / "second").c_str(), 0755), 0);
    if (::mount((folder / "first").c_str(), (folder / "second").c_str(), nullptr, MS_BIND,
                nullptr) != 0)
        GTEST_SKIP() << "cannot mount a folder at a second place here: " << std::strerror(errno);
    const auto unmount = qScopeGuard([&] { ::umount2((folder / "second").c_str(), MNT_DETACH); });
    WriteFile(folder / "first/01-held.mp2", Layer3Bytes());
    const std::string second = folder / "second/01-held.mp2";
    list.Append(second);
    window.onDispatch = [&] {
        if (Alive(first) && Alive(second))
            Release(second);
        else if (Gone(second))
            Release(first);
    };
    Convert(2);

    ASSERT_EQ(Calls().size(), 2u) << "both ran at once";
    // Put in place in the order they ended, the second would have won.
    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::KeptBack}));
    EXPECT_EQ(list.ItemAt(1).failureReason, "同じ名前の出力ファイルがこの変換で作成済みです");
    EXPECT_TRUE(Exists(folder / "first/01-held.wav"));
    EXPECT_TRUE(LeftOver(folder / "first").empty());
}
