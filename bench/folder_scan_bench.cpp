// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// How long a recursive folder scan takes over a tree of 50,000 files in 2,000
// folders against `find -L` doing the same name tests over the same tree, both
// from a warm cache.
#include "folder_scan.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kTopFolders = 40;
constexpr int kSubfoldersEach = 49; // 40 + 40 * 49 = 2,000 folders
constexpr int kFilesPerFolder = 25; // 50,000 files

// The tree, removed on exit; root() ends in "/".
class Tree {
  public:
    Tree() {
        static const char* const kAudio[] = {".mp3", ".MP3", ".Mp2", ".mpa", ".MPA", ".mP2"};
        static const char* const kOther[] = {".wav", ".txt", ".jpg", ".mp4", ".flac"};
        int file = 0;
        int folder = 0;
        const auto fill = [&](const std::string& dir) {
            // Every 50th folder is hidden, and so is every 97th file: neither
            // scan may list what lies in or behind them.
            for (int i = 0; i < kFilesPerFolder; ++i, ++file) {
                std::string name = "track " + std::to_string(file);
                if (file % 97 == 5)
                    name = "." + name;
                name += file % 10 == 0 ? kAudio[file / 10 % 6] : kOther[file % 5];
                const int fd = ::open((dir + name).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
                if (fd < 0) {
                    std::perror("open");
                    std::exit(1);
                }
                ::close(fd);
            }
        };
        const auto makeFolder = [&](const std::string& parent, const std::string& base) {
            const std::string name = (folder++ % 50 == 7 ? "." : "") + base;
            const std::string dir = parent + name + "/";
            if (::mkdir(dir.c_str(), 0755) != 0) {
                std::perror("mkdir");
                std::exit(1);
            }
            fill(dir);
            return dir;
        };
        for (int t = 0; t < kTopFolders; ++t) {
            const std::string top = makeFolder(root_, "album " + std::to_string(t));
            for (int s = 0; s < kSubfoldersEach; ++s)
                makeFolder(top, "disc " + std::to_string(s));
        }
    }
    const std::string& root() const { return root_; }

  private:
    const TempFolder folder_;
    const std::string root_ = folder_.path() + "/";
};

// The find command line with the scan's name tests: hidden names pruned,
// regular files (links followed) with one of the three extensions in any case.
std::vector<std::string> FindArguments(const std::string& root) {
    return {"find",   "-L",    root, "-name",  ".*",    "-prune", "-o",     "-type", "f", "(",
            "-iname", "*.mpa", "-o", "-iname", "*.mp2", "-o",     "-iname", "*.mp3", ")", "-print"};
}

// Runs find with its output going to outputFd (or /dev/null when negative).
bool RunFind(const std::string& root, int outputFd = -1) {
    return RunBaseline(FindArguments(root), outputFd);
}

// How many paths find prints; the generated names hold no line breaks.
long FindCount(const std::string& root) {
    std::FILE* out = std::tmpfile();
    if (!out || !RunFind(root, ::fileno(out)))
        return -1;
    std::rewind(out);
    long lines = 0;
    for (int c; (c = std::fgetc(out)) != EOF;)
        lines += c == '\n';
    std::fclose(out);
    return lines;
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const Tree tree;

    // Both counts also warm the cache for what follows.
    std::vector<std::string> found;
    ScanFolder(tree.root(), true, found);
    const long findCount = FindCount(tree.root());
    std::printf("scan found %zu, find found %ld\n", found.size(), findCount);
    if (findCount < 0 || static_cast<long>(found.size()) != findCount) {
        std::fprintf(stderr, "the scan and find disagree\n");
        return 1;
    }

    benchmark::RegisterBenchmark("scan",
                                 [&](benchmark::State& s) {
                                     for (auto _ : s) {
                                         std::vector<std::string> paths;
                                         ScanFolder(tree.root(), true, paths);
                                         benchmark::DoNotOptimize(paths.data());
                                     }
                                 })
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5);
    benchmark::RegisterBenchmark("find",
                                 [&](benchmark::State& s) {
                                     for (auto _ : s)
                                         if (!RunFind(tree.root()))
                                             s.SkipWithError("find failed");
                                 })
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5);

    FastestRuns reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    reporter.PrintRatio("scan", "find");
    return 0;
}
