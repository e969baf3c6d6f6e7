// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the benchmarks share: running a baseline command, batches of encoded
// files, and keeping the fastest repetition of each benchmark.

#include "batch_driver.h"
#include "decoder.h"
#include "process.h"
#include "test_support.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

// Starts a program (looked up in PATH unless a path is given) through the
// core's spawn, its standard output to outputFd (or nowhere when negative);
// Started() tells whether it could start.
inline Child Spawn(std::vector<std::string> arguments, int outputFd = -1) {
    arguments.front() = ProgramPath(arguments.front());
    return Child(arguments, {.output = outputFd});
}

// Waits for the program's end; true when it exited 0.
inline bool ExitedCleanly(Child program) {
    return program.Finish().exitCode == 0;
}

// Runs a baseline command with its output going to outputFd (or nowhere when
// negative); true when it exits 0.
inline bool RunBaseline(std::vector<std::string> arguments, int outputFd = -1) {
    return RunProgram(std::move(arguments), outputFd) == 0;
}

// Files of one length for a batch: one tone encoded once, copied under numbered names.
struct InputSet {
    std::string label; // as the ratio lines name it
    std::string key;   // as the benchmark names name it
    int files;
    int seconds;
    std::string folder;
    std::vector<std::string> paths;
    std::optional<Id3Tags> tags = {}; // written into every file, as a tag editor does
};

// waitForEncoder waits for lame's end, true when it encoded.
inline void MakeInputs(InputSet& set, const std::string& root, const std::string& lame,
                       const std::function<bool(Child)>& waitForEncoder = ExitedCleanly) {
    const std::string wav = root + "/" + set.key + ".wav", master = root + "/" + set.key + ".mp3";
    WriteToneWav(wav, set.seconds);
    Child encoder = Spawn({lame, "--quiet", "-b", "128", wav, master});
    if (!encoder.Started() || !waitForEncoder(std::move(encoder)))
        throw std::runtime_error("lame could not encode " + wav);
    std::filesystem::remove(wav);
    if (set.tags)
        WriteId3Tags(master, *set.tags);
    set.folder = root + "/" + set.key;
    std::filesystem::create_directory(set.folder);
    for (int i = 0; i < set.files; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/track%03d.mp3", i + 1);
        set.paths.push_back(set.folder + name);
        std::filesystem::copy_file(master, set.paths.back());
    }
    std::filesystem::remove(master);
}

inline std::string WavPath(const std::string& source) {
    return source.substr(0, source.size() - 3) + "wav";
}

// Every source has its WAV, about as long as the tone.
inline bool AllOutputsThere(const InputSet& set) {
    const auto least = static_cast<std::uintmax_t>(set.seconds) * 44100 * 4 * 9 / 10;
    std::error_code error;
    return std::all_of(set.paths.begin(), set.paths.end(), [&](const std::string& path) {
        const auto size = std::filesystem::file_size(WavPath(path), error);
        return !error && size >= least;
    });
}

inline void RemoveOutputs(const InputSet& set) {
    std::error_code ignored;
    for (const std::string& path : set.paths)
        std::filesystem::remove(WavPath(path), ignored);
}

// Every WAV there and about as long as the tone; removes them.
inline bool TakeOutputs(const InputSet& set) {
    const bool all = AllOutputsThere(set);
    RemoveOutputs(set);
    return all;
}

// Every WAV there holds exactly the bytes of reference; with tagsAfter, its
// audio, with the chunks of the tags after it and counted in the RIFF size.
inline bool OutputsMatch(const InputSet& set, const std::string& reference,
                         bool tagsAfter = false) {
    const std::string expected = ReadFile(reference);
    return expected.size() > 8 &&
           std::all_of(set.paths.begin(), set.paths.end(), [&](const std::string& path) {
               const std::string wav = ReadFile(WavPath(path));
               if (!tagsAfter)
                   return wav == expected;
               return wav.size() > expected.size() && wav.compare(0, 4, expected, 0, 4) == 0 &&
                      wav.compare(8, expected.size() - 8, expected, 8) == 0;
           });
}

// Seconds the program takes, run to its end; throws unless it exits 0.
inline double TimedRun(const std::vector<std::string>& arguments) {
    const auto start = std::chrono::steady_clock::now();
    if (!ExitedCleanly(Spawn(arguments)))
        throw std::runtime_error(arguments.front() + " failed");
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The baseline of a batch: a bash loop of lame --decode writing the same WAV files.
inline double LoopRun(const InputSet& set, const std::string& lame) {
    constexpr const char* kLoop =
        R"(for f in "$1"/*.mp3; do "$2" --decode "$f" "${f%.mp3}.wav" 2>/dev/null || exit 1; done)";
    const double seconds = TimedRun({"bash", "-c", kLoop, "bash", set.folder, lame});
    if (!TakeOutputs(set))
        throw std::runtime_error("the shell loop left outputs missing");
    return seconds;
}

// A timed run after an untimed one of its own: what ran just before weighs on
// a run (measured: a --convert right after the loop took a third longer than
// the same one right after --convert --jobs 2), so each is timed after itself
// and no contender after another's work.
template <typename Run> auto AfterItself(const Run& run) {
    run();
    return run();
}

inline double LoadAverage() {
    double load = 0;
    std::ifstream("/proc/loadavg") >> load;
    return load;
}

inline double Median(std::vector<double> times) {
    if (times.empty())
        return 0;
    std::sort(times.begin(), times.end());
    const std::size_t middle = times.size() / 2;
    return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

inline std::string Spread(const std::vector<double>& times) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f..%.3f s", *std::min_element(times.begin(), times.end()),
                  *std::max_element(times.begin(), times.end()));
    return text;
}

// Keeps the fastest repetition of each benchmark while printing as usual;
// the minimum is the figure least disturbed by other work on the machine.
class FastestRuns : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            auto [it, inserted] =
                fastest.try_emplace(run.run_name.function_name, std::numeric_limits<double>::max());
            it->second = std::min(it->second, run.GetAdjustedRealTime());
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Prints "ratio a/b = X" from the fastest repetitions, when both ran.
    void PrintRatio(const std::string& a, const std::string& b) const {
        const auto first = fastest.find(a), second = fastest.find(b);
        if (first != fastest.end() && second != fastest.end())
            std::printf("ratio %s/%s = %.2f\n", a.c_str(), b.c_str(),
                        first->second / second->second);
    }

    std::map<std::string, double> fastest;
};
