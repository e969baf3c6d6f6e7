// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// How long the header reader takes over a file with no frame sync at all (its
// worst case: every byte is looked at) against plain `cat FILE > /dev/null`
// over the same file, both from a warm page cache.
#include "mpeg_header.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::size_t kFileSize = 200u * 1024 * 1024;

// Random bytes with every 0xFF replaced, so no sync can occur; removed on exit.
class SyncFreeFile {
  public:
    SyncFreeFile() {
        const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            std::perror("open");
            std::exit(1);
        }
        std::vector<std::uint8_t> chunk(1 << 20);
        std::uint64_t seed = 0x9E3779B97F4A7C15u;
        for (std::size_t written = 0; written < kFileSize; written += chunk.size()) {
            for (std::size_t i = 0; i < chunk.size(); i += 8) {
                // splitmix64
                std::uint64_t z = (seed += 0x9E3779B97F4A7C15u);
                z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
                z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
                z ^= z >> 31;
                for (int k = 0; k < 8; ++k) {
                    const auto byte = static_cast<std::uint8_t>(z >> (8 * k));
                    chunk[i + k] = byte == 0xFF ? 0xFE : byte;
                }
            }
            if (::write(fd, chunk.data(), chunk.size()) != static_cast<ssize_t>(chunk.size())) {
                std::perror("write");
                ::close(fd);
                std::exit(1);
            }
        }
        ::close(fd);
    }
    SyncFreeFile(const SyncFreeFile&) = delete;
    SyncFreeFile& operator=(const SyncFreeFile&) = delete;
    const std::string& path() const { return path_; }

  private:
    const TempFolder folder_;
    const std::string path_ = folder_ / "sync-free";
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const SyncFreeFile file;
    if (!RunBaseline({"cat", file.path()})) { // also warms the cache
        std::fprintf(stderr, "cat failed\n");
        return 1;
    }

    ConversionState state;
    RecordingBoxes boxes;
    boxes.answer = ConfirmAnswer::None;
    benchmark::RegisterBenchmark(
        "header_read",
        [&](benchmark::State& s) {
            for (auto _ : s)
                benchmark::DoNotOptimize(ReadMpegAudioInfo(file.path(), state, boxes));
            s.SetBytesProcessed(s.iterations() * static_cast<std::int64_t>(kFileSize));
        })
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5);
    benchmark::RegisterBenchmark("cat",
                                 [&](benchmark::State& s) {
                                     for (auto _ : s)
                                         if (!RunBaseline({"cat", file.path()}))
                                             s.SkipWithError("cat failed");
                                     s.SetBytesProcessed(s.iterations() *
                                                         static_cast<std::int64_t>(kFileSize));
                                 })
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5);

    FastestRuns reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    reporter.PrintRatio("header_read", "cat");
    return 0;
}
