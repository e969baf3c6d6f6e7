// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The order of a batch: items in list order, the events between them, abort
// and stop, several decoders at once, and its end.
#include "batch_driver.h"

#include "batch_fixture.h"
#include "mpeg_header.h"
#include "progress_monitor.h"
#include "stop_signals.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdint>

TEST_F(BatchTest, ConvertsEveryItemInOrderAndReportsProgress) {
    const auto a = AddSource("a.mp3"), b = AddSource("b.mpa", MpegFrames(2, 1)),
               c = AddSource("c.mp2", MpegFrames(2, 1));
    // The next decoder starts as soon as one ends: the item before it is put
    // in place while it runs.
    std::optional<S> firstAsSecondStarts;
    QObject::connect(&list, &QAbstractItemModel::dataChanged, [&] {
        if (list.ItemAt(1).state == S::Processing && !firstAsSecondStarts)
            firstAsSecondStarts = list.ItemAt(0).state;
    });
    window.onDispatch = [&] { driverPtr->Convert(); }; // ignored while the batch runs
    Convert();
    EXPECT_EQ(firstAsSecondStarts, S::Processing);

    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Processed, S::Processed}));
    EXPECT_EQ(window.overall, (std::vector<int>{0, 33, 66, 100}));
    EXPECT_EQ(window.file, (std::vector<int>{0, 100, 100, 100}));
    EXPECT_EQ(window.sizeTexts, (std::vector<std::string>{"0 KB", "0 KB", "0 KB"}));
    EXPECT_EQ(window.outputs,
              (std::vector<std::string>{folder / "a.wav", folder / "b.wav", folder / "c.wav"}));
    EXPECT_TRUE(Exists(folder / "a.wav") && Exists(folder / "b.wav") && Exists(folder / "c.wav"));
    // The decoder writes a file with no name in the output's folder, named when whole.
    EXPECT_EQ(Calls(), (std::vector<std::string>{"--decode " + a + " /dev/fd/3",
                                                 "--decode --mp2input " + b + " /dev/fd/3",
                                                 "--decode " + c + " /dev/fd/3"}));
    EXPECT_TRUE(LeftOver(folder.path()).empty());
    ASSERT_EQ(window.infoLines.size(), 3u);
    EXPECT_NE(window.infoLines[0].find("Layer III"), std::string::npos);
    // The monitor followed the file being written, closed now.
    ASSERT_TRUE(state.OutputPath);
    EXPECT_TRUE(state.OutputPath->IsBelow(AsPath("/proc/self/fd"))) << state.OutputPath->Bytes();
    EXPECT_FALSE(IsRegularFile(state.OutputPath->Bytes()));
    // Every item but the last makes its successor visible.
    EXPECT_EQ(window.visible, (std::vector<int>{1, 2, 2}));
    EXPECT_EQ(window.events, kBatchBeganAndEnded);
    EXPECT_TRUE(boxes.messages.empty());
    EXPECT_EQ(boxes.questions, std::vector<std::string>{"処理済みのリストを削除しますか？"});
    EXPECT_EQ(list.Count(), 3) << "the answer no keeps the list";
}

// With a CPU to spare, the next decoder starts once the one before has closed
// its WAV; that one's item is still judged by its end.
TEST_F(BatchTest, TheNextDecoderStartsAtTheCloseAndTheEndStillJudges) {
    if (UsableCores() < 2)
        GTEST_SKIP() << "one CPU: the next decoder waits for the end";
    const auto first = AddSource("1-linger-fail.mp3");
    AddSource("2.mp3");
    bool startedBeforeTheEnd = false;
    window.onDispatch = [&] {
        if (Calls().size() == 2 && !Exists(first + ".go")) {
            startedBeforeTheEnd = true;
            Release(first);
        }
    };
    Convert();
    EXPECT_TRUE(startedBeforeTheEnd);
    EXPECT_EQ(States(), (std::vector<S>{S::Failed, S::Processed}));
    EXPECT_EQ(list.ItemAt(0).failureReason, "Could not decode this file");
    EXPECT_EQ(window.outputs,
              (std::vector<std::string>{folder / "1-linger-fail.wav", folder / "2.wav"}));
    EXPECT_FALSE(Exists(folder / "1-linger-fail.wav"));
}

TEST_F(BatchTest, AnEmptyListStillAsksAndOnlyTheAnswerYesRemovesProcessedItems) {
    Convert();
    EXPECT_EQ(window.events, kBatchBeganAndEnded);
    EXPECT_EQ(window.overall, std::vector<int>{0});
    EXPECT_EQ(boxes.questions.size(), 1u);
    EXPECT_TRUE(boxes.messages.empty());
    AddSource("a.mp3");
    boxes.answer = ConfirmAnswer::None; // the box closed from its title bar
    Convert();
    EXPECT_EQ(list.Count(), 1);
    boxes.answer = ConfirmAnswer::Yes;
    Convert();
    EXPECT_EQ(list.Count(), 0);
}

// An abort lets the running decoders finish and starts no more; what it
// leaves waiting is what is still listed; the ticks of its box measure the
// shown item's finished WAV.
TEST_F(BatchTest, AnAbortCountsAsLeftWaitingOnlyTheItemsStillListed) {
    for (const int running : {1, 2}) {
        list.Clear();
        boxes = RecordingBoxes();
        ::unlink((folder / "calls.log").c_str());
        std::vector<std::string> sources;
        for (int i = 1; i <= 5; ++i)
            sources.push_back(AddSource(std::to_string(10 * running + i) + "-held.mp3"));
        window.onDispatch = [&] {
            if (!Alive(sources[running - 1]) || Exists(sources[0] + ".go"))
                return;
            driverPtr->RequestAbort();
            list.Select(running + 1); // a waiting item, not the one made ready
            list.DeleteSelected();
            std::for_each(sources.begin(), sources.begin() + running, Release);
        };
        std::optional<OutputProgress> ticked;
        boxes.onBox = [&] { ticked = ticked ? ticked : ReadOutputProgress(state); };
        Convert(running == 1 ? std::nullopt : std::optional<int>(running));
        EXPECT_EQ(States(), (std::vector<S>{S::Processed, running == 2 ? S::Processed : S::Waiting,
                                            S::Waiting, S::Waiting}));
        EXPECT_EQ(Calls().size(), std::size_t(running));
        EXPECT_EQ(boxes.messages.at(1), std::to_string(running) + "件を変換しました\n" +
                                            std::to_string(4 - running) +
                                            "件は中断したため変換していません");
        EXPECT_EQ(window.overall.back(), 20 * running);
        EXPECT_EQ(window.events.back(), "timer off");
        EXPECT_EQ(boxes.questions.size(), 1u);
        ASSERT_TRUE(ticked.has_value());
        EXPECT_EQ(ticked->sizeText,
                  OutputSizeText(*FileSize(AsPath(sources[0]).WithExtension("wav").Bytes())));
    }
}

TEST_F(BatchTest, AbortDuringTheLastItemStillSaysSo) {
    AddSource("1.mp3");
    AddSource("2-slow.mp3");
    window.onDispatch = [&] {
        if (list.ItemAt(1).state == S::Processing)
            driverPtr->RequestAbort();
    };
    Convert();
    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Processed}));
    EXPECT_EQ(boxes.messages, std::vector<std::string>{"中断しました"});
}

TEST_F(BatchTest, TheRealDecoderWritesTheSameWavAsARunByHand) {
    decoder = DecoderPath();
    if (!DecoderPresent(decoder))
        GTEST_SKIP() << "no decoder on PATH";

    WriteToneWav(folder / "tone.wav", 1);
    const std::string source = folder / "曲 'x' $(y).mp3", expected = folder / "by-hand.wav";
    ASSERT_EQ(RunProgram({decoder, "--quiet", folder / "tone.wav", source}), 0);
    list.Append(source);
    Convert();
    ASSERT_EQ(States(), std::vector<S>{S::Processed});
    ASSERT_EQ(RunProgram({decoder, "--quiet", "--decode", source, expected}), 0);
    EXPECT_EQ(ReadFile(folder / "曲 'x' $(y).wav"), ReadFile(expected));
}

// A batch's abort and reasons are its own: an earlier abort stops nothing,
// and an item it never reached says nothing.
TEST_F(BatchTest, AnEarlierBatchsReasonGoesWhenTheNextOneStarts) {
    AddSource("1.mp3");
    AddSource("2-fail.mp3");
    state.AbortRequested = true;
    Convert();
    ASSERT_EQ(States(), (std::vector<S>{S::Processed, S::Failed}));
    EXPECT_EQ(boxes.messages.at(0), "1件を変換しました\n1件のファイルを変換できませんでした");
    window.onDispatch = [&] { driverPtr->RequestAbort(); };
    Answer(ConfirmAnswer::Yes);
    Convert();
    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Waiting}));
    EXPECT_EQ(list.ItemAt(1).failureReason, "");
}

// Decoders quicker than a dispatch step still leave the window its events
// between items: an abort clicked there stops the batch before the next one.
TEST_F(BatchTest, AnAbortBetweenQuickItemsIsTakenAtOnce) {
    window.onDispatch = [&] { // as the third decoder's end is noticed
        if (window.betweenItems == 3)
            driverPtr->RequestAbort();
    };
    // One decoder, asked for or not: the abort is taken before the next one starts.
    for (const std::optional<int> decoders : {std::optional<int>(), std::optional<int>(1)}) {
        ::unlink((folder / "calls.log").c_str());
        list.Clear();
        boxes.messages.clear();
        window.betweenItems = 0;
        for (int i = 1; i <= 30; ++i)
            AddSource(std::to_string(i) + (decoders ? "-again.mp3" : ".mp3"));
        Convert(decoders);
        EXPECT_EQ(Calls().size(), 3u);
        EXPECT_EQ(window.overall.back(), 10);
        EXPECT_EQ(boxes.messages.at(1), "3件を変換しました\n27件は中断したため変換していません");
    }
}

TEST_F(BatchTest, SeveralAtOnceTheShownItemIsMeasuredAgainstItsOwnEstimate) {
    const std::string first = AddSource("1-held.mp3", Layer3Stream(32'000));
    const std::string second = AddSource("2-held.mp3", Layer3Stream(160'000));
    ConversionState alone;
    ReadMpegAudioInfo(first, alone, boxes);
    std::int64_t measuredAgainst = -1;
    window.onDispatch = [&] {
        if (Alive(first) && Alive(second)) {
            measuredAgainst = state.ExpectedWavSize;
            Release(second);
        } else if (Gone(second))
            Release(first);
    };
    Convert(2);
    EXPECT_EQ(measuredAgainst, alone.ExpectedWavSize);
}

// A signal to end stops every running decoder at once, and leaves nothing
// unfinished: the program is ending.
TEST_F(BatchTest, ASignalToEndKillsTheDecodersAndRemovesTheirUnfinishedWavs) {
    int argc = 1;
    char name[] = "core_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    const StopSignals stopSignals([this](int) { driverPtr->RequestStop(); });
    for (const std::optional<int> decoders : {std::optional<int>(), std::optional<int>(2)}) {
        const std::string mode = decoders ? "several-" : "one-";
        list.Clear();
        ::unlink((folder / "calls.log").c_str());
        const std::string a = AddSource(mode + "a-held.mp3"), b = AddSource(mode + "b-held.mp3");
        AddSource(mode + "c.mp3");
        bool sent = false;
        window.onDispatch = [&] {
            QCoreApplication::processEvents();
            if (!sent && Alive(a) && (Alive(b) || !decoders)) {
                sent = true;
                ::kill(::getpid(), SIGTERM);
            }
        };
        const auto start = std::chrono::steady_clock::now();
        Convert(decoders);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
        EXPECT_TRUE(Gone(a) && (Gone(b) || !decoders)) << "every decoder ended and was reaped";
        EXPECT_EQ(Calls().size(), decoders ? 2u : 1u);
        EXPECT_TRUE(LeftOver(folder.path()).empty());
        EXPECT_FALSE(Exists(folder / (mode + "a-held.wav")) ||
                     Exists(folder / (mode + "b-held.wav")));
        EXPECT_EQ(States(), std::vector<S>(3, S::Waiting));
        EXPECT_TRUE(boxes.messages.empty() && boxes.questions.empty()) << "the program is ending";
        EXPECT_EQ(window.events.back(), "timer off");
    }
}

TEST_F(BatchTest, SeveralAtOnceRunNeverMoreThanAskedAndStartInListOrder) {
    std::vector<std::string> sources;
    for (const char* name :
         {"1-held.mp3", "2-held.mp3", "3-held-fail.mp3", "4-held.mp3", "5-held.mp3"})
        sources.push_back(AddSource(name));
    std::size_t most = 0;
    window.onDispatch = [&] {
        std::vector<std::string> alive;
        std::copy_if(sources.begin(), sources.end(), std::back_inserter(alive), Alive);
        most = std::max(most, alive.size());
        // The latest goes first: finished items wait for the first one's turn.
        if (alive.size() == 2)
            Release(alive.back());
        else if (std::all_of(sources.begin(), sources.end(),
                             [](const std::string& s) { return Exists(s + ".pid"); }))
            std::for_each(alive.begin(), alive.end(), Release);
    };
    Convert(2);

    EXPECT_EQ(most, 2u);
    // Each start shows the item after it, the last one itself.
    EXPECT_EQ(window.visible, (std::vector<int>{1, 2, 3, 4, 4})) << "started in list order";
    EXPECT_EQ(States(),
              (std::vector<S>{S::Processed, S::Processed, S::Failed, S::Processed, S::Processed}));
    EXPECT_EQ(list.ItemAt(2).failureReason, "Could not decode this file");
    EXPECT_EQ(window.overall, (std::vector<int>{0, 20, 40, 60, 80, 100}));
    // The window follows the earliest running item, the first one throughout.
    EXPECT_EQ(window.outputs, std::vector<std::string>{folder / "1-held.wav"});
    EXPECT_EQ(window.infoLines.size(), 1u);
    EXPECT_EQ(boxes.messages,
              std::vector<std::string>{"4件を変換しました\n1件のファイルを変換できませんでした"});
    for (const char* wav : {"1-held.wav", "2-held.wav", "4-held.wav", "5-held.wav"})
        EXPECT_EQ(ReadFile(folder / wav).size(), 4044u) << wav;
    EXPECT_FALSE(Exists(folder / "3-held-fail.wav"));
    EXPECT_TRUE(LeftOver(folder.path()).empty());
}

// Thrown as an item starts: it fails in our words; in the loop: a stop, then the question.
TEST_F(BatchTest, NothingUnforeseenReachesTheUserAsItWasThrown) {
    for (const std::optional<int> decoders : {std::optional<int>(), std::optional<int>(2)}) {
        list.Clear();
        boxes.questions.clear();
        const std::string mode = decoders ? "several-" : "one-";
        AddSource(mode + "hint.mp3", MpegFrames(2, 4));
        AddSource(mode + "next.mp3");
        boxes.onBox = [&] {
            if (boxes.messages.back() == "VBRかもしれません")
                throw std::runtime_error("thrown");
        };
        Convert(decoders);
        EXPECT_EQ(States(), (std::vector<S>{S::Failed, S::Processed}));
        EXPECT_EQ(list.ItemAt(0).failureReason, "予期しないエラーのため変換できませんでした");

        list.Clear();
        const std::string held = AddSource(decoders ? "2-held.mp3" : "1-held.mp3");
        AddSource(mode + "after.mp3");
        window.onDispatch = [&] {
            if (Alive(held))
                throw std::runtime_error("thrown");
        };
        Convert(decoders);
        EXPECT_TRUE(Gone(held));
        EXPECT_EQ(States(), (std::vector<S>{S::Waiting, S::Waiting}));
        EXPECT_EQ(boxes.messages.back(), "予期しないエラーのため変換を中止しました");
        EXPECT_EQ(boxes.questions.size(), 2u);
        window.onDispatch = nullptr; // it holds this turn's held
        boxes.onBox = nullptr;
    }
}
