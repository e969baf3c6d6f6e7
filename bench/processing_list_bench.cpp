// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The list at its old limit of 32,767 items: filling it, selecting every
// other item and deleting scattered selections must stay far below what a
// user notices. So must the look at 10,000 items' outputs before a batch
// asks whether files may be replaced.
#include "batch_driver.h"
#include "processing_list.h"
#include "test_support.h"

#include <benchmark/benchmark.h>

#include <QItemSelection>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kItems = 32767;

std::vector<std::string> Paths() {
    std::vector<std::string> paths;
    paths.reserve(kItems);
    for (int i = 0; i < kItems; ++i)
        paths.push_back("/home/user/music/album " + std::to_string(i / 20) + "/track " +
                        std::to_string(i) + ".mp3");
    return paths;
}

std::unique_ptr<ProcessingList> FullList() {
    auto list = std::make_unique<ProcessingList>();
    list->AppendMany(Paths());
    return list;
}

// Rows first, first + step, first + 2 * step ... as one selection of ranges.
void SelectEvery(ProcessingList& list, int first, int step) {
    QItemSelection selection;
    for (int row = first; row < list.Count(); row += step)
        selection.append(QItemSelectionRange(list.index(row), list.index(row)));
    list.selectionModel()->select(selection, QItemSelectionModel::Select);
}

void BM_AppendMany(benchmark::State& state) {
    const auto paths = Paths();
    for (auto _ : state) {
        ProcessingList list;
        list.AppendMany(paths);
        benchmark::DoNotOptimize(list.Count());
    }
}
BENCHMARK(BM_AppendMany)->Unit(benchmark::kMillisecond);

void BM_AppendOneByOne(benchmark::State& state) {
    const auto paths = Paths();
    for (auto _ : state) {
        ProcessingList list;
        for (const auto& path : paths)
            list.Append(path);
        benchmark::DoNotOptimize(list.Count());
    }
}
BENCHMARK(BM_AppendOneByOne)->Unit(benchmark::kMillisecond);

void BM_SelectEveryOther(benchmark::State& state) {
    auto list = FullList();
    for (auto _ : state) {
        SelectEvery(*list, 0, 2);
        state.PauseTiming();
        list->selectionModel()->clearSelection();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SelectEveryOther)->Unit(benchmark::kMillisecond);

void BM_DeleteSelectedEveryOther(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto list = FullList();
        SelectEvery(*list, 0, 2);
        state.ResumeTiming();
        list->DeleteSelected();
        state.PauseTiming();
        if (list->Count() != kItems / 2)
            state.SkipWithError("wrong count after deletion");
        list.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteSelectedEveryOther)->Unit(benchmark::kMillisecond);

void BM_DeleteProcessedEveryOther(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto list = FullList();
        for (int row = 0; row < kItems; row += 2)
            list->SetState(row, ItemState::Processed);
        state.ResumeTiming();
        list->DeleteProcessedItems();
        state.PauseTiming();
        if (list->Count() != kItems / 2)
            state.SkipWithError("wrong count after deletion");
        list.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteProcessedEveryOther)->Unit(benchmark::kMillisecond);

// The same with a scattered selection of the user's own (every fourth item)
// that the processed items have to join.
void BM_DeleteProcessedJoiningUserSelection(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto list = FullList();
        for (int row = 0; row < kItems; row += 2)
            list->SetState(row, ItemState::Processed);
        SelectEvery(*list, 1, 4);
        state.ResumeTiming();
        list->DeleteProcessedItems();
        state.PauseTiming();
        if (list->Count() != kItems / 4)
            state.SkipWithError("wrong count after deletion");
        list.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteProcessedJoiningUserSelection)->Unit(benchmark::kMillisecond);

// The look before the question: every output of 10,000 items, all of them
// there (each one also compared with its source), or none.
void BM_LookAtOutputs(benchmark::State& state) {
    constexpr int kSources = 10000;
    const bool present = state.range(0) != 0;
    TempFolder folder;
    std::vector<Path> sources;
    sources.reserve(kSources);
    for (int i = 0; i < kSources; ++i) {
        sources.push_back(AsPath(folder / ("track " + std::to_string(i) + ".mp3")));
        WriteFile(sources.back().Bytes(), "");
        if (present)
            WriteFile(folder / ("track " + std::to_string(i) + ".wav"), "");
    }
    for (auto _ : state) {
        const OutputsAtStart outputs =
            LookAtOutputs(sources, [](const Path& s) { return OutputPathFor(s, std::nullopt); });
        if (outputs.replaceable != (present ? kSources : 0))
            state.SkipWithError("wrong count");
    }
}
BENCHMARK(BM_LookAtOutputs)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
