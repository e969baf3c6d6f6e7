// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "progress_monitor.h"

#include "test_support.h"

#include <gtest/gtest.h>

TEST(ProgressMonitor, NothingWhileTheOutputIsAbsent) {
    ConversionState state;
    EXPECT_FALSE(ReadOutputProgress(state));
    state.OutputPath = AsPath("/nonexistent/brindlecot/out.wav");
    EXPECT_FALSE(ReadOutputProgress(state));
}

TEST(ProgressMonitor, SizeInWholeKilobytesAndPercentOfTheEstimate) {
    TempFolder folder;
    ConversionState state;
    const std::string out = folder / "out.wav";
    state.OutputPath = AsPath(out);
    state.ExpectedWavSize = 4096;

    WriteFile(out, std::string(1023, 'x'));
    auto progress = ReadOutputProgress(state);
    ASSERT_TRUE(progress);
    EXPECT_EQ(progress->sizeText, "0 KB");
    EXPECT_EQ(progress->percent, 24);

    WriteFile(out, std::string(2048, 'x'));
    EXPECT_EQ(ReadOutputProgress(state)->sizeText, "2 KB");
    EXPECT_EQ(ReadOutputProgress(state)->percent, 50);

    WriteFile(out, std::string(9000, 'x'));
    EXPECT_EQ(ReadOutputProgress(state)->percent, 100) << "a file past its estimate holds at 100";
}

TEST(ProgressMonitor, UnknownOrHugeFiguresStayWithinTheBar) {
    EXPECT_EQ(ProgressPercent(1000, 0), 0);
    EXPECT_EQ(ProgressPercent(1000, -5), 0);
    EXPECT_EQ(ProgressPercent(-1, 100), 0);
    EXPECT_EQ(ProgressPercent(0, 100), 0);
    // Beyond 32 bits both ways.
    EXPECT_EQ(ProgressPercent(3'000'000'000LL, 6'000'000'000LL), 50);
    EXPECT_EQ(ProgressPercent(6'000'000'000LL, 3'000'000'000LL), 100);
    EXPECT_EQ(ProgressPercent(199, 200), 99);
}

TEST(ProgressMonitor, ReportsTheTrueSizeOfAnOutputBeyond2GB) {
    TempFolder folder;
    ConversionState state;
    const std::string big = folder / "big.wav";
    state.OutputPath = AsPath(big);
    state.ExpectedWavSize = 6'000'000'000LL;
    WriteFile(big, "");
    ASSERT_EQ(::truncate(big.c_str(), 3'000'000'000LL), 0);
    const auto progress = ReadOutputProgress(state);
    ASSERT_TRUE(progress);
    EXPECT_EQ(progress->sizeText, "2861 MB") << "past six digits, the next unit";
    EXPECT_EQ(OutputSizeText(999'999 * 1024LL), "999999 KB");
    EXPECT_EQ(progress->percent, 50);
}
