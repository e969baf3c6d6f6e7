// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Running decoders: items prepared, looked at again and started, their
// ends reaped, within the descriptors we may open.
#include "batch_driver.h"

#include "batch_fixture.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

TEST_F(BatchTest, AMissingDecoderFailsEveryItemWithoutStopping) {
    AddSource("a.mp3");
    AddSource("b.mp3");
    decoder = folder / "no-such-decoder";
    Convert();
    EXPECT_EQ(States(), (std::vector<S>{S::Failed, S::Failed}));
    EXPECT_EQ(list.ItemAt(0).failureReason,
              "デコーダを起動できませんでした (No such file or directory)");
    EXPECT_EQ(boxes.messages,
              std::vector<std::string>{"0件を変換しました\n2件のファイルを変換できませんでした"});
    WriteFile(decoder, "", 0644);
    Convert();
    EXPECT_EQ(list.ItemAt(0).failureReason, "デコーダを起動できませんでした (Permission denied)");
}

TEST_F(BatchTest, ItemsDeletedDuringTheBatchArePassedOver) {
    AddSource("1-slow.mp3");
    AddSource("2.mp3");
    AddSource("3.mp3");
    AddSource("4.mp3");
    bool deleted = false;
    window.onDispatch = [&] {
        if (std::exchange(deleted, true))
            return;
        for (const int row : {0, 1, 2}) // the item being converted, and the two after it
            list.Select(row);
        list.DeleteSelected();
        list.Append(folder / "added-later.mp3");
    };
    Convert();

    ASSERT_EQ(Calls().size(), 2u);
    EXPECT_NE(Calls()[1].find("4.mp3"), std::string::npos);
    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Waiting}));
    EXPECT_EQ(window.overall, (std::vector<int>{0, 25, 50, 75, 100}));
}

TEST_F(BatchTest, AnUnreadableSourceEndsTheBatchAfterTheItemsBeforeIt) {
    for (const std::optional<int> decoders : {std::optional<int>(), std::optional<int>(2)}) {
        list.Clear();
        window.events.clear();
        ::unlink((folder / "calls.log").c_str());
        const std::string first = AddSource(decoders ? "several-held.mp3" : "one-held.mp3");
        list.Append(folder / "missing.mp3");
        AddSource("3.mp3");
        window.onDispatch = [&] { Release(first); };
        EXPECT_THROW(Convert(decoders), UserError);
        EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Waiting, S::Waiting}));
        EXPECT_EQ(window.events, kBatchBeganAndEnded);
        EXPECT_TRUE(boxes.questions.empty());
        EXPECT_EQ(Calls().size(), 1u);
    }
}

// Only a regular file that is not the item's own source is written through at
// its output path; for anything else the decoder never runs.
TEST_F(BatchTest, NothingButARegularFileAtTheOutputPathIsWrittenThrough) {
    const std::string source = AddSource("edited.wav");
    TempFolder linked;
    ::symlink(source.c_str(), (linked / "viaLink.mp3").c_str());
    ::symlink(source.c_str(), (linked / "viaLink.wav").c_str());
    list.Append(linked / "viaLink.mp3"); // its output is a link to the same file
    for (const char* name : {"fifo.mp3", "link.mp3", "folder.mp3", "ok.mp3"})
        AddSource(name);
    ASSERT_EQ(::mkfifo((folder / "fifo.wav").c_str(), 0644), 0);
    WriteFile(folder / "victim.txt", "not a WAV");
    ASSERT_EQ(::symlink("victim.txt", (folder / "link.wav").c_str()), 0);
    ASSERT_EQ(::mkdir((folder / "folder.wav").c_str(), 0755), 0);

    Convert();
    EXPECT_EQ(States(), (std::vector<S>{S::Failed, S::Failed, S::Failed, S::Failed, S::Failed,
                                        S::Processed}));
    EXPECT_EQ(list.ItemAt(0).failureReason, "出力先が変換元と同じファイルです");
    for (int i = 2; i < 5; ++i)
        EXPECT_EQ(list.ItemAt(i).failureReason.find("出力先に通常のファイルでないものがあります"),
                  0u);
    EXPECT_EQ(Calls().size(), 1u) << "the decoder ran for ok.mp3 alone";
    EXPECT_EQ(ReadFile(source), Layer3Bytes()) << "the source is untouched";
    EXPECT_EQ(ReadFile(folder / "victim.txt"), "not a WAV");
    EXPECT_EQ(KindAt(folder / "link.wav", false), FileKind::Link);
    EXPECT_EQ(KindAt(folder / "folder.wav"), FileKind::Folder);
}

// A tick names the source whose WAV was made: a caption is fixed while its
// item decodes; one edited before its item starts (prepared meanwhile, or
// with the reader's hint up) is read again.
TEST_F(BatchTest, ATickNamesTheSourceWhoseWavWasMade) {
    const std::string held = AddSource("1-held.mp3");
    AddSource("2.mp3");
    AddSource("3.mp3", MpegFrames(2, 1)); // Layer II: the hint
    WriteFile(folder / "other.mp2", MpegFrames(2, 1));
    WriteFile(folder / "another.mp2", MpegFrames(2, 1));
    const auto edit = [&](int row, const std::string& caption) {
        return list.setData(list.index(row), QString::fromStdString(caption), Qt::EditRole);
    };
    window.onDispatch = [&] {
        if (Alive(held) && !Exists(held + ".go")) {
            EXPECT_FALSE(list.flags(list.index(0)) & Qt::ItemIsEditable);
            EXPECT_FALSE(edit(0, folder / "other.mp2"));
            EXPECT_TRUE(edit(1, folder / "other.mp2"));
            Release(held);
        }
    };
    boxes.onBox = [&] { EXPECT_TRUE(edit(2, folder / "another.mp2")); };
    Convert();
    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Processed, S::Processed}));
    EXPECT_EQ(list.ItemAt(0).caption, held);
    EXPECT_TRUE(Exists(folder / "1-held.wav") && Exists(folder / "other.wav") &&
                Exists(folder / "another.wav"));
    EXPECT_FALSE(Exists(folder / "2.wav") || Exists(folder / "3.wav"));
}

// Files another program makes at our outputs during the batch are its own:
// at the running item's, and at a later one's, which is never decoded.
TEST_F(BatchTest, AFileMadeAtAnOutputDuringTheBatchIsKept) {
    const std::string held = AddSource("a-held.mp3");
    AddSource("b.mp3");
    window.onDispatch = [&] {
        if (Alive(held) && !Exists(held + ".go")) {
            WriteFile(folder / "a-held.wav", "theirs");
            WriteFile(folder / "b.wav", "made meanwhile");
            Release(held);
        }
    };
    Convert();
    EXPECT_EQ(States(), (std::vector<S>{S::Failed, S::Failed}));
    EXPECT_EQ(list.ItemAt(1).failureReason, "変換中に出力先に同じ名前のファイルが作られました");
    EXPECT_EQ(ReadFile(folder / "a-held.wav"), "theirs");
    EXPECT_EQ(ReadFile(folder / "b.wav"), "made meanwhile");
    EXPECT_EQ(Calls().size(), 1u);
    EXPECT_TRUE(LeftOver(folder.path()).empty());
}

// Quick items finished behind a long one each hold their file open; with few
// descriptors left, items wait for one, fewer decoders running at once: never
// more than the program may open, and nothing fails for it.
TEST_F(BatchTest, SeveralAtOnceItemsStayWithinTheOpenFiles) {
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    const auto convertWithin = [&](rlim_t limit) {
        rlimit few = saved;
        few.rlim_cur = limit;
        EXPECT_EQ(::setrlimit(RLIMIT_NOFILE, &few), 0);
        Convert(2);
        ::setrlimit(RLIMIT_NOFILE, &saved);
        const std::vector<S> states = States();
        EXPECT_EQ(std::count(states.begin(), states.end(), S::Processed), list.Count())
            << list.ItemAt(1).failureReason;
    };
    const std::string first = AddSource("0-held.mp3");
    for (int i = 1; i <= 80; ++i)
        AddSource(std::to_string(i) + ".mp3");
    window.onDispatch = [&] {
        if (Calls().size() > 12)
            Release(first);
    };
    convertWithin(64);
    list.Clear();
    window.onDispatch = nullptr;
    for (int i = 0; i < 10; ++i)
        AddSource(std::to_string(i) + "-slow.mp3");
    convertWithin(EntriesIn("/proc/self/fd") + 9); // one decoder's and the next item's, and a few
}

// The next item, made ready while a decoder runs and never started, leaves nothing.
TEST_F(BatchTest, APreparedItemNotStartedLeavesNothing) {
    for (const bool stop : {false, true}) {
        list.Clear();
        const std::string held = AddSource(stop ? "stop-held.mp3" : "abort-held.mp3");
        AddSource(stop ? "stop-next.mp3" : "abort-next.mp3");
        const std::size_t open = EntriesIn("/proc/self/fd");
        window.onDispatch = [&] {
            if (!Alive(held))
                return;
            stop ? driverPtr->RequestStop() : driverPtr->RequestAbort();
            Release(held);
        };
        Convert();
        EXPECT_EQ(States()[1], S::Waiting);
        EXPECT_EQ(Calls().size(), stop ? 2u : 1u) << "the next item's decoder never ran";
        EXPECT_TRUE(LeftOver(folder.path()).empty());
        EXPECT_EQ(EntriesIn("/proc/self/fd"), open);
    }
}

TEST_F(BatchTest, ASourceChangedAfterItWasPreparedIsReadAgain) {
    const std::string held = AddSource("1-held.mp3"), next = AddSource("2.mp3");
    window.onDispatch = [&] {
        if (Alive(held) && !Exists(held + ".go")) {
            WriteFile(next, MpegFrames(2, 1));
            Release(held);
        }
    };
    Convert();
    EXPECT_NE(Calls().back().find("--mp2input " + next), std::string::npos);
    EXPECT_NE(window.infoLines.back().find("Layer II "), std::string::npos);
}

// A caption edited to no path at all (an empty one) names no file: its item
// fails, and the batch goes on.
TEST_F(BatchTest, ACaptionThatIsNoPathFailsItsItemAlone) {
    AddSource("1.mp3");
    AddSource("2.mp3");
    list.SetCaption(0, "");
    Convert();
    EXPECT_EQ(States(), (std::vector<S>{S::Failed, S::Processed}));
    EXPECT_EQ(list.ItemAt(0).failureReason, "変換元ファイルが見つかりません");
    EXPECT_EQ(Calls().size(), 1u);
}
