// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output_folder.h"

#include "batch_fixture.h"
#include "exit_hook.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <csignal>

// What a writer that died (kill -9, a crash) left goes with the next batch
// into its folder; a file a running copy writes, or another program's, stays.
TEST_F(BatchTest, OnARealExfatDriveTheNextBatchRemovesHiddenFilesWhoseWriterIsGone) {
    const ExfatStick stick(folder);
    if (!stick.mounted)
        GTEST_SKIP() << kNoExfat;
    if (::fork() == 0) {
        const TemporaryOutput killed(AsPath(stick / "gone.wav"));
        ::raise(SIGKILL);
    }
    ::wait(nullptr);
    const TemporaryOutput running(AsPath(stick / "running.wav"));
    WriteFile(stick / ".other.AbCd1234.wav", "another program's");
    ASSERT_EQ(EntriesIn(stick.path()), 3u);
    AddSource("song.mp3");
    window.destination = stick.path() + "/";
    Convert();
    EXPECT_TRUE(Exists(stick / "song.wav") && Exists(running.MeasuredPath().Bytes()));
    EXPECT_EQ(EntriesIn(stick.path()), 3u) << "the killed writer's file is gone";
    RemoveUnfinishedOutputs(); // as when the display goes away
    EXPECT_FALSE(Exists(running.MeasuredPath().Bytes()));
}

TEST(TemporaryOutput, ANewWavNeverTakesANameMadeAfterTheLastLook) {
    const TempFolder folder;
    TemporaryOutput temporary(AsPath(folder / "x.wav"));
    ASSERT_TRUE(temporary.Made());
    WriteFile(folder / "x.wav", "theirs");
    EXPECT_FALSE(temporary.PutAt());
    EXPECT_EQ(temporary.Error(), EEXIST);
    EXPECT_EQ(ReadFile(folder / "x.wav"), "theirs");
}

// A power cut after the rename must find the new WAV's data on the disk.
TEST(TemporaryOutput, AReplacementsDataIsOnTheDiskBeforeItTakesTheName) {
    const TempFolder folder;
    const std::string output = folder / "x.wav";
    WriteFile(output, "old");
    TemporaryOutput temporary(AsPath(output));
    ASSERT_TRUE(temporary.Made());
    ASSERT_EQ(::write(temporary.Descriptor(), "new", 3), 3);
    std::vector<std::string> atSync; // what the name held when the new file was synced
    const auto sync = [&](int fd) {
        EXPECT_EQ(fd, temporary.Descriptor());
        atSync.push_back(ReadFile(output));
        return ::fsync(fd);
    };
    EXPECT_TRUE(temporary.Replace(*StampAt(AsPath(output)), sync));
    EXPECT_EQ(atSync, std::vector<std::string>{"old"});
    EXPECT_EQ(ReadFile(output), "new");
}

TEST(TemporaryOutput, AReplacementThatCanNotTakeTheNameLeavesNoOtherName) {
    const TempFolder folder;
    const std::string output = folder / "x.wav";
    WriteFile(output, "old");
    const std::optional<FileStamp> looked = StampAt(AsPath(output));
    {
        TemporaryOutput temporary(AsPath(output));
        ASSERT_TRUE(temporary.Made());
        // A folder took the name since it was looked at: the rename fails.
        ASSERT_EQ(::unlink(output.c_str()), 0);
        ASSERT_EQ(::mkdir(output.c_str(), 0755), 0);
        EXPECT_FALSE(temporary.Replace(*looked));
    }
    EXPECT_EQ(EntriesIn(folder.path()), 1u) << "the folder x.wav alone";
}

// An end past every destructor (exit() when the display goes) leaves no folder
// the batch made for the items it was writing.
TEST_F(BatchTest, AnExitDuringABatchLeavesNoFolderItMade) {
    AddSource("a/held.mp3");
    AddSource("b/held.mp3");
    TempFolder out;
    window.destination = out.path() + "/";
    Answer(ConfirmAnswer::No, ConfirmAnswer::Yes);
    const pid_t child = ::fork();
    if (child == 0) {
        const ExitHook unfinished(RemoveUnfinishedOutputs);
        window.onDispatch = [&] {
            if (Alive(folder / "a/held.mp3"))
                std::exit(1);
        };
        Convert();
        std::_Exit(2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(EntriesIn(out.path()), 0u);
}
