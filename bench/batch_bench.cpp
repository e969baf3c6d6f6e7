// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// A whole batch through the batch driver with the real lame, against a plain
// shell loop running the same lame over the same files. Whatever the driver
// adds per file (the header read, the spawn, the wait, the list updates) has
// to vanish next to the decoder's own time: 200 short files show the fixed
// cost per file, 20 long ones the cost while a decoder runs.
//
// The driver writes each WAV beside its source; the loop of the main
// comparison writes to /dev/null, so a second loop writing real files tells
// how much of the difference is the disk. The same batches with two decoders
// show what a second core gives, and with one decoder and the write-out
// take-over off (speed_tricks.h), what that trick is worth.
#include "bench_support.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <system_error>
#include <tuple>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kRepetitions = 5;

// The encoders are left unreaped until the memory figures are read: a reaped
// child's peak joins RUSAGE_CHILDREN, and lame encoding peaks higher than
// lame decoding, which is the figure wanted.
class UnreapedChildren {
  public:
    UnreapedChildren() = default;
    UnreapedChildren(const UnreapedChildren&) = delete;
    UnreapedChildren& operator=(const UnreapedChildren&) = delete;
    void Add(Child child) { children_.push_back(std::move(child)); }

  private:
    std::vector<Child> children_;
};

// Waits for the end without reaping (see UnreapedChildren).
bool ExitedCleanlyKeepingZombie(pid_t pid) {
    siginfo_t info{};
    while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) < 0) {
        if (errno != EINTR)
            return false;
    }
    return info.si_code == CLD_EXITED && info.si_status == 0;
}

// decodersAtOnce decoders at once, with the speed tricks as given.
void BatchRun(benchmark::State& state, const InputSet& set, int decodersAtOnce = 1,
              SpeedTricks tricks = {}) {
    RemoveOutputs(set);
    ProcessingList list;
    list.AppendMany(set.paths);
    ConversionState conversion;
    FakeWindow window(FakeWindow::Idle);
    RecordingBoxes boxes; // answers no
    BatchDriver driver(list, conversion, window, boxes);
    driver.UseSpeedTricks(tricks);
    for (auto _ : state)
        driver.Convert(decodersAtOnce);
    for (int i = 0; i < list.Count(); ++i)
        if (list.ItemAt(i).state != ItemState::Processed) {
            state.SkipWithError(
                ("not converted: " + list.ItemAt(i).caption + ": " + list.ItemAt(i).failureReason)
                    .c_str());
            break;
        }
    if (list.Count() != set.files || !AllOutputsThere(set))
        state.SkipWithError("outputs missing");
    RemoveOutputs(set);
}

// The loops throw lame's progress output away (the driver keeps it in an
// unnamed file for its last line); "|| exit 1" makes a failed decode fail the run.
constexpr const char* kLoopToNull =
    R"(for f in "$1"/*.mp3; do "$2" --decode "$f" /dev/null 2>/dev/null || exit 1; done)";
constexpr const char* kLoopToFiles =
    R"(for f in "$1"/*.mp3; do "$2" --decode "$f" "${f%.mp3}.wav" 2>/dev/null || exit 1; done)";

void ShellRun(benchmark::State& state, const InputSet& set, const std::string& lame, bool toFiles) {
    RemoveOutputs(set);
    for (auto _ : state) {
        if (!ExitedCleanly(Spawn(
                {"/bin/sh", "-c", toFiles ? kLoopToFiles : kLoopToNull, "sh", set.folder, lame})))
            state.SkipWithError("the shell loop failed");
    }
    if (toFiles && !AllOutputsThere(set))
        state.SkipWithError("outputs missing");
    RemoveOutputs(set);
}

long VmHwmKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

// The decoder's own high-water mark, read while it decodes source. Its
// RUSAGE_CHILDREN figure cannot tell this: Linux charges a child the resident
// size of the process it was spawned from, here the whole benchmark.
long DecoderOwnPeakKiB(const std::string& lame, const std::string& source) {
    Child decoder = Spawn({lame, "--decode", source, "/dev/null"});
    if (!decoder.Started())
        return 0;
    const pid_t pid = decoder.Pid();
    long peak = 0;
    for (;;) {
        siginfo_t info{};
        if (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
            info.si_pid == pid)
            break;
        peak = std::max(peak, VmHwmKiB(pid));
        ::usleep(2000);
    }
    return ExitedCleanly(std::move(decoder)) ? peak : 0;
}

// Keeps every repetition's time by benchmark, printing as usual.
class RepetitionTimes : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred)
                failed = true;
            else if (run.run_type == Run::RT_Iteration)
                seconds[run.run_name.function_name].push_back(run.real_accumulated_time /
                                                              static_cast<double>(run.iterations));
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // 0 when the benchmark did not run.
    double Median(const std::string& name) const { return ::Median(Times(name)); }
    // The run least disturbed by other work on the machine; 0 when none ran.
    double Fastest(const std::string& name) const {
        const std::vector<double> times = Times(name);
        return times.empty() ? 0 : *std::min_element(times.begin(), times.end());
    }

    std::map<std::string, std::vector<double>> seconds;
    bool failed = false;

  private:
    std::vector<double> Times(const std::string& name) const {
        const auto found = seconds.find(name);
        return found == seconds.end() ? std::vector<double>{} : found->second;
    }
};

double MiB(long kibibytes) {
    return static_cast<double>(kibibytes) / 1024.0;
}

} // namespace

int main(int argc, char** argv) {
    // Repetitions of the batch and of the loops take turns, so that other work
    // on the machine disturbs both alike; later arguments can turn this off.
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    std::vector<char*> arguments{argv[0], interleave.data()};
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 1;

    const std::string lame = DecoderPath();
    if (!DecoderPresent(lame)) {
        std::fprintf(stderr, "no decoder at %s\n", lame.c_str());
        return 1;
    }

    try {
        // Declared first so that it is cleared up after the encoders are reaped.
        const TempFolder folder;
        UnreapedChildren encoders;
        std::vector<InputSet> sets{{"200 x 3 s", "3s", 200, 3, {}, {}},
                                   {"20 x 4 min", "4min", 20, 240, {}, {}}};
        for (InputSet& set : sets)
            MakeInputs(set, folder.path(), lame, [&encoders](Child encoder) {
                const bool encoded = ExitedCleanlyKeepingZombie(encoder.Pid());
                encoders.Add(std::move(encoder));
                return encoded;
            });

        // One iteration is one whole batch; its own set-up stays out of the time.
        const auto once = [](benchmark::internal::Benchmark* b) {
            b->Iterations(1)->Repetitions(kRepetitions)->UseRealTime()->Unit(benchmark::kSecond);
        };
        for (const InputSet& set : sets) {
            once(benchmark::RegisterBenchmark(("batch/" + set.key).c_str(),
                                              [&set](benchmark::State& s) { BatchRun(s, set); }));
            once(
                benchmark::RegisterBenchmark(("batch2/" + set.key).c_str(),
                                             [&set](benchmark::State& s) { BatchRun(s, set, 2); }));
            // What taking over the write-out is worth: the same batch without it.
            once(benchmark::RegisterBenchmark(
                ("batch_no_writeout_takeover/" + set.key).c_str(), [&set](benchmark::State& s) {
                    BatchRun(s, set, 1, SpeedTricks{.takeOverWriteOut = false});
                }));
            // What moving a new decoder off our CPU is worth, one decoder and two.
            once(benchmark::RegisterBenchmark(
                ("batch_unmoved/" + set.key).c_str(), [&set](benchmark::State& s) {
                    BatchRun(s, set, 1, SpeedTricks{.moveNewDecoderOffOurCpu = false});
                }));
            once(benchmark::RegisterBenchmark(
                ("batch2_unmoved/" + set.key).c_str(), [&set](benchmark::State& s) {
                    BatchRun(s, set, 2, SpeedTricks{.moveNewDecoderOffOurCpu = false});
                }));
            // What starting the next decoder at the close of the one before's
            // WAV is worth, against starting it at that one's end.
            once(benchmark::RegisterBenchmark(
                ("batch_at_exit/" + set.key).c_str(), [&set](benchmark::State& s) {
                    BatchRun(s, set, 1, SpeedTricks{.startNextAtOutputClose = false});
                }));
            once(benchmark::RegisterBenchmark(
                ("shell/" + set.key).c_str(),
                [&set, &lame](benchmark::State& s) { ShellRun(s, set, lame, false); }));
            once(benchmark::RegisterBenchmark(
                ("shell_to_files/" + set.key).c_str(),
                [&set, &lame](benchmark::State& s) { ShellRun(s, set, lame, true); }));
        }

        RepetitionTimes reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        benchmark::Shutdown();

        rusage self{}, children{};
        ::getrusage(RUSAGE_SELF, &self);
        ::getrusage(RUSAGE_CHILDREN, &children);

        for (const InputSet& set : sets) {
            const std::string batch = "batch/" + set.key, toNull = "shell/" + set.key,
                              toFiles = "shell_to_files/" + set.key;
            if (reporter.Median(batch) <= 0 || reporter.Median(toNull) <= 0)
                continue;
            std::printf("medians (%s): batch %.3f s, shell to /dev/null %.3f s, shell to files "
                        "%.3f s\n",
                        set.label.c_str(), reporter.Median(batch), reporter.Median(toNull),
                        reporter.Median(toFiles));
            std::printf("ratio batch/shell (%s) = %.3f\n", set.label.c_str(),
                        reporter.Median(batch) / reporter.Median(toNull));
            if (reporter.Median(toFiles) > 0) {
                std::printf("ratio batch/shell writing files (%s) = %.3f\n", set.label.c_str(),
                            reporter.Median(batch) / reporter.Median(toFiles));
                std::printf("fastest runs (%s): batch/shell %.3f, batch/shell writing files "
                            "%.3f\n",
                            set.label.c_str(), reporter.Fastest(batch) / reporter.Fastest(toNull),
                            reporter.Fastest(batch) / reporter.Fastest(toFiles));
            }
        }
        for (const InputSet& set : sets) {
            const std::string one = "batch/" + set.key, two = "batch2/" + set.key,
                              plain = "batch_no_writeout_takeover/" + set.key;
            if (reporter.Median(one) > 0 && reporter.Median(two) > 0)
                std::printf("ratio batch two decoders/one (%s) = %.3f (fastest runs %.3f)\n",
                            set.label.c_str(), reporter.Median(two) / reporter.Median(one),
                            reporter.Fastest(two) / reporter.Fastest(one));
            if (reporter.Median(one) > 0 && reporter.Median(plain) > 0)
                std::printf("ratio batch taking over the write-out/not (%s) = %.3f (fastest runs "
                            "%.3f)\n",
                            set.label.c_str(), reporter.Median(one) / reporter.Median(plain),
                            reporter.Fastest(one) / reporter.Fastest(plain));
            if (const std::string atExit = "batch_at_exit/" + set.key;
                reporter.Median(one) > 0 && reporter.Median(atExit) > 0)
                std::printf("ratio batch starting the next decoder at the close/at the end "
                            "(%s) = %.3f (fastest runs %.3f)\n",
                            set.label.c_str(), reporter.Median(one) / reporter.Median(atExit),
                            reporter.Fastest(one) / reporter.Fastest(atExit));
            for (const auto& [moved, unmoved, atOnce] :
                 {std::tuple{one, "batch_unmoved/" + set.key, 1},
                  std::tuple{two, "batch2_unmoved/" + set.key, 2}})
                if (reporter.Median(moved) > 0 && reporter.Median(unmoved) > 0)
                    std::printf("ratio batch moving a new decoder off our CPU/not (%s, %d at "
                                "once) = %.3f (fastest runs %.3f)\n",
                                set.label.c_str(), atOnce,
                                reporter.Median(moved) / reporter.Median(unmoved),
                                reporter.Fastest(moved) / reporter.Fastest(unmoved));
        }
        std::printf("peak memory: %.1f MiB (program), %.1f MiB (decoder)\n", MiB(self.ru_maxrss),
                    MiB(children.ru_maxrss));
        const InputSet& longest = sets.back();
        std::printf("decoder's own peak: %.1f MiB (VmHWM while decoding one %d s file; the "
                    "figure above is at least the program's size at each spawn)\n",
                    MiB(DecoderOwnPeakKiB(lame, longest.paths.front())), longest.seconds);
        return reporter.failed ? 1 : 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "batch_bench: %s\n", error.what());
        return 1;
    }
}
