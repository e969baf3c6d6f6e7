// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The order of a batch: items in list order, the events between them, abort
// and stop, several decoders at once, and its end.
#include "batch_driver.h"

#include "batch_fixture.h"
#include "mpeg_header.h"
#include "stop_signals.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdint>

TEST_F(BatchTest, ConvertsEveryItemInOrderAndReportsProgress) {
    const auto a = AddSource("a.mp3"), b = AddSource("b.mpa", MpegFrames(2, 1)),
               c = AddSource("c.mp2", MpegFrames(2, 1));
    Convert();

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
    EXPECT_EQ(window.events, (std::vector<std::string>{
                                 "convert hidden", "abort shown", "clear disabled", "timer on",
                                 "abort hidden", "convert shown", "clear enabled", "timer off"}));
    EXPECT_TRUE(boxes.messages.empty());
    EXPECT_EQ(boxes.questions, std::vector<std::string>{"処理済みのリストを削除しますか？"});
    EXPECT_EQ(list.Count(), 3) << "the answer no keeps the list";
}

TEST_F(BatchTest, OnlyTheAnswerYesRemovesProcessedItems) {
    AddSource("a.mp3");
    boxes.answer = ConfirmAnswer::None; // the box closed from its title bar
    Convert();
    EXPECT_EQ(list.Count(), 1);
    boxes.answer = ConfirmAnswer::Yes;
    Convert();
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(BatchTest, AnEmptyListFlipsTheButtonsAndStillAsks) {
    Convert();
    EXPECT_EQ(window.events, (std::vector<std::string>{
                                 "convert hidden", "abort shown", "clear disabled", "timer on",
                                 "abort hidden", "convert shown", "clear enabled", "timer off"}));
    EXPECT_EQ(window.overall, std::vector<int>{0});
    EXPECT_EQ(boxes.questions.size(), 1u);
    EXPECT_TRUE(boxes.messages.empty());
}

TEST_F(BatchTest, AbortTakesEffectAfterTheCurrentItem) {
    AddSource("1.mp3");
    AddSource("2-slow.mp3");
    for (int i = 3; i <= 5; ++i)
        AddSource(std::to_string(i) + ".mp3");
    window.onDispatch = [&] {
        if (list.ItemAt(1).state == S::Processing)
            driverPtr->RequestAbort();
    };
    Convert();

    EXPECT_EQ(States(),
              (std::vector<S>{S::Processed, S::Processed, S::Waiting, S::Waiting, S::Waiting}));
    EXPECT_EQ(boxes.messages.at(1), "2件を変換しました\n3件は中断したため変換していません");
    EXPECT_EQ(window.overall, (std::vector<int>{0, 20, 40}));
    EXPECT_EQ(window.events.back(), "timer off");
    EXPECT_EQ(boxes.questions.size(), 1u);
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

TEST_F(BatchTest, AnAbortCountsAsLeftWaitingOnlyTheItemsStillListed) {
    const std::string held = AddSource("1-held.mp3");
    for (const char* name : {"2.mp3", "3.mp3", "4.mp3"})
        AddSource(name);
    window.onDispatch = [&] {
        if (!Alive(held) || Exists(held + ".go"))
            return;
        driverPtr->RequestAbort();
        list.Select(2);
        list.DeleteSelected();
        Release(held);
    };
    Convert();
    EXPECT_EQ(boxes.messages.at(1), "1件を変換しました\n2件は中断したため変換していません");
}

TEST_F(BatchTest, ANewBatchClearsAnEarlierAbort) {
    AddSource("1.mp3");
    state.AbortRequested = true;
    Convert();
    EXPECT_TRUE(boxes.messages.empty());
    EXPECT_EQ(States(), std::vector<S>{S::Processed});
}

TEST_F(BatchTest, ASecondConvertFromInsideTheDispatchIsIgnored) {
    AddSource("1-slow.mp3");
    int nested = 0;
    window.onDispatch = [&] {
        if (nested++ == 0)
            driverPtr->Convert();
    };
    Convert();
    EXPECT_EQ(Calls().size(), 1u);
    EXPECT_EQ(boxes.questions.size(), 1u);
}

TEST_F(BatchTest, TheRealDecoderWritesTheSameWavAsARunByHand) {
    decoder = DecoderPath();
    if (!DecoderPresent(decoder))
        GTEST_SKIP() << "no decoder on PATH";

    // One second of a 440 Hz stereo tone, encoded at test time.
    std::string pcm;
    for (int i = 0; i < 44100; ++i) {
        const auto sample = static_cast<std::int16_t>(8000 * std::sin(2 * M_PI * 440 * i / 44100));
        for (int channel = 0; channel < 2; ++channel) {
            pcm += static_cast<char>(sample & 0xFF);
            pcm += static_cast<char>((sample >> 8) & 0xFF);
        }
    }
    const std::string tone = folder / "tone.raw";
    WriteFile(tone, pcm);
    const std::string source = folder / "曲 'x' $(y).mp3";
    const auto noEvents = [] {};
    ASSERT_EQ(RunAndWait({decoder, "--quiet", "-r", "-s", "44.1", "--bitwidth", "16", tone, source},
                         noEvents)
                  .exitCode,
              0);
    list.Append(source);
    Convert();
    ASSERT_EQ(States(), std::vector<S>{S::Processed});
    const std::string expected = folder / "by-hand.wav";
    ASSERT_EQ(RunAndWait({decoder, "--quiet", "--decode", source, expected}, noEvents).exitCode, 0);
    const std::string produced = ReadFile(folder / "曲 'x' $(y).wav");
    EXPECT_GT(produced.size(), 44u);
    EXPECT_EQ(produced, ReadFile(expected));
}

// A batch's reasons are its own: an item it never reached says nothing.
TEST_F(BatchTest, AnEarlierBatchsReasonGoesWhenTheNextOneStarts) {
    AddSource("1.mp3");
    AddSource("2-fail.mp3");
    Convert();
    ASSERT_EQ(States(), (std::vector<S>{S::Processed, S::Failed}));
    window.onDispatch = [&] { driverPtr->RequestAbort(); };
    AnswerReplacing(ConfirmAnswer::Yes);
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
        EXPECT_EQ(list.ItemAt(3).state, S::Waiting);
        EXPECT_EQ(window.overall.back(), 10);
        EXPECT_EQ(boxes.messages.at(1), "3件を変換しました\n27件は中断したため変換していません");
    }
}

// The next decoder starts as soon as one ends: the item before it is put in
// place while it runs.
TEST_F(BatchTest, TheNextDecoderStartsBeforeTheItemBeforeItIsPutInPlace) {
    AddSource("1.mp3");
    AddSource("2.mp3");
    std::optional<S> firstAsSecondStarts;
    QObject::connect(&list, &QAbstractItemModel::dataChanged, [&] {
        if (list.ItemAt(1).state == S::Processing && !firstAsSecondStarts)
            firstAsSecondStarts = list.ItemAt(0).state;
    });
    Convert();
    EXPECT_EQ(firstAsSecondStarts, S::Processing);
    EXPECT_EQ(States(), (std::vector<S>{S::Processed, S::Processed}));
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
        } else if (Gone(second)) {
            Release(first);
        }
    };
    Convert(2);
    EXPECT_EQ(measuredAgainst, alone.ExpectedWavSize);
}

TEST_F(BatchTest, ASignalToEndKillsTheDecoderAndRemovesItsUnfinishedWav) {
    int argc = 1;
    char name[] = "core_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    const StopSignals stopSignals([this](int) { driverPtr->RequestStop(); });
    AddSource("held.mp3");
    AddSource("b.mp3");
    bool sent = false;
    window.onDispatch = [&] {
        QCoreApplication::processEvents();
        if (!sent && Exists(folder / "held.pid")) {
            sent = true;
            ::kill(::getpid(), SIGTERM);
        }
    };
    const auto start = std::chrono::steady_clock::now();
    Convert();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));

    const pid_t pid = std::stoi(ReadFile(folder / "held.pid"));
    EXPECT_TRUE(::kill(pid, 0) == -1 && errno == ESRCH) << "the decoder is gone";
    EXPECT_TRUE(LeftOver(folder.path()).empty());
    EXPECT_FALSE(Exists(folder / "held.wav"));
    EXPECT_EQ(States(), (std::vector<S>{S::Waiting, S::Waiting}));
    EXPECT_EQ(Calls().size(), 1u);
    EXPECT_TRUE(boxes.messages.empty() && boxes.questions.empty()) << "the program is ending";
    EXPECT_EQ(window.events.back(), "timer off");
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
    EXPECT_EQ(Calls().size(), 5u);
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

TEST_F(BatchTest, SeveralAtOnceAnAbortLetsTheRunningFinishAndStartsNoMore) {
    std::vector<std::string> sources;
    for (int i = 1; i <= 5; ++i)
        sources.push_back(AddSource(std::to_string(i) + "-held.mp3"));
    window.onDispatch = [&] {
        if (Alive(sources[0]) && Alive(sources[1])) {
            driverPtr->RequestAbort();
            Release(sources[0]);
            Release(sources[1]);
        }
    };
    Convert(2);

    EXPECT_EQ(Calls().size(), 2u);
    EXPECT_EQ(States(),
              (std::vector<S>{S::Processed, S::Processed, S::Waiting, S::Waiting, S::Waiting}));
    EXPECT_EQ(window.overall, (std::vector<int>{0, 20, 40}));
    EXPECT_EQ(boxes.messages.at(1), "2件を変換しました\n3件は中断したため変換していません");
    EXPECT_EQ(boxes.questions.size(), 1u);
}

TEST_F(BatchTest, SeveralAtOnceAStopEndsEveryRunningDecoderAndLeavesNothing) {
    const std::string a = AddSource("a-held.mp3"), b = AddSource("b-held.mp3");
    AddSource("c.mp3");
    window.onDispatch = [&] {
        if (Alive(a) && Alive(b))
            driverPtr->RequestStop();
    };
    Convert(2);

    EXPECT_TRUE(Gone(a) && Gone(b)) << "both decoders ended and were reaped";
    EXPECT_EQ(Calls().size(), 2u);
    EXPECT_EQ(States(), (std::vector<S>{S::Waiting, S::Waiting, S::Waiting}));
    EXPECT_TRUE(LeftOver(folder.path()).empty());
    EXPECT_TRUE(boxes.messages.empty() && boxes.questions.empty());
    EXPECT_EQ(window.events.back(), "timer off");
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
