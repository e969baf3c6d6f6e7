// A whole batch through the batch driver with the real lame, against a plain
// shell loop running the same lame over the same files. Whatever the driver
// adds per file (the header read, the spawn, the wait, the list updates) has
// to vanish next to the decoder's own time: 200 short files show the fixed
// cost per file, 20 long ones the cost while a decoder runs.
//
// The driver writes each WAV beside its source; the loop of the main
// comparison writes to /dev/null, so a second loop writing real files tells
// how much of the difference is the disk.
#include "batch_driver.h"

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
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kRepetitions = 5;
constexpr int kSampleRate = 44100;
constexpr int kBytesPerSecond = kSampleRate * 4;

struct InputSet {
    std::string label; // as the ratio lines name it
    std::string key;   // as the benchmark names name it
    int files;
    int seconds;
    std::string folder;
    std::vector<std::string> paths;
};

// Removed with everything in it on every way out of main.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "batch_bench.XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// The encoders are left unreaped until the memory figures are read: a reaped
// child's peak joins RUSAGE_CHILDREN, and lame encoding peaks higher than
// lame decoding, which is the figure wanted.
class UnreapedChildren {
  public:
    UnreapedChildren() = default;
    UnreapedChildren(const UnreapedChildren&) = delete;
    UnreapedChildren& operator=(const UnreapedChildren&) = delete;
    ~UnreapedChildren() {
        for (pid_t pid : pids_) {
            int status = 0;
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }
    }
    void Add(pid_t pid) { pids_.push_back(pid); }

  private:
    std::vector<pid_t> pids_;
};

// Standard input from /dev/null; standard output, and standard error when
// quiet, to /dev/null. -1 when the program could not start.
pid_t Spawn(const std::vector<std::string>& arguments, bool quiet) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    if (quiet)
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (::posix_spawn(&pid, argv.front(), &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

bool ExitedCleanly(pid_t pid) {
    int status = 0;
    pid_t result;
    while ((result = ::waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
    }
    return result == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Waits for the end without reaping (see UnreapedChildren).
bool ExitedCleanlyKeepingZombie(pid_t pid) {
    siginfo_t info{};
    while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) < 0) {
        if (errno != EINTR)
            return false;
    }
    return info.si_code == CLD_EXITED && info.si_status == 0;
}

// A 441 Hz tone, a whole number of periods per second, as raw 16-bit stereo.
void WriteTone(const std::string& path, int seconds) {
    constexpr int kPeriod = kSampleRate / 441;
    std::array<std::int16_t, kPeriod * 2> period{};
    for (int i = 0; i < kPeriod; ++i) {
        const double phase = 2.0 * M_PI * i / kPeriod;
        period[2 * i] = static_cast<std::int16_t>(std::lround(12000.0 * std::sin(phase)));
        period[2 * i + 1] = static_cast<std::int16_t>(std::lround(9000.0 * std::cos(phase)));
    }
    std::vector<std::int16_t> second;
    second.reserve(kSampleRate * 2);
    for (int p = 0; p < 441; ++p)
        second.insert(second.end(), period.begin(), period.end());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (int s = 0; s < seconds; ++s)
        out.write(reinterpret_cast<const char*>(second.data()),
                  static_cast<std::streamsize>(second.size() * sizeof(std::int16_t)));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

// One encode, then copies under different names.
void MakeInputs(InputSet& set, const std::string& root, const std::string& lame,
                UnreapedChildren& encoders) {
    const std::string raw = root + "/" + set.key + ".raw";
    const std::string master = root + "/" + set.key + ".mp3";
    WriteTone(raw, set.seconds);
    const pid_t pid = Spawn(
        {lame, "--quiet", "-r", "-s", "44.1", "--bitwidth", "16", "-b", "128", raw, master}, true);
    if (pid < 0)
        throw std::runtime_error("cannot start " + lame);
    encoders.Add(pid);
    if (!ExitedCleanlyKeepingZombie(pid))
        throw std::runtime_error("lame could not encode " + raw);
    fs::remove(raw);

    set.folder = root + "/" + set.key;
    fs::create_directory(set.folder);
    for (int i = 0; i < set.files; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/track%03d.mp3", i + 1);
        set.paths.push_back(set.folder + name);
        fs::copy_file(master, set.paths.back());
    }
    fs::remove(master);
}

std::string WavPath(const std::string& source) {
    return source.substr(0, source.size() - 3) + "wav";
}

// Every source has its WAV, about as long as the tone.
bool AllOutputsThere(const InputSet& set) {
    const auto least = static_cast<std::uintmax_t>(set.seconds) * kBytesPerSecond * 9 / 10;
    std::error_code error;
    return std::all_of(set.paths.begin(), set.paths.end(), [&](const std::string& path) {
        const auto size = fs::file_size(WavPath(path), error);
        return !error && size >= least;
    });
}

void RemoveOutputs(const InputSet& set) {
    std::error_code ignored;
    for (const std::string& path : set.paths)
        fs::remove(WavPath(path), ignored);
}

class IdleWindow : public ConversionWindow {
  public:
    void ShowConvertButton(bool) override {}
    void ShowAbortButton(bool) override {}
    void EnableClearButton(bool) override {}
    std::string DestinationText() const override { return {}; }
    void SetInformationLine(const std::string&) override {}
    void SetOutputPathText(const std::string&) override {}
    void SetOverallProgress(int) override {}
    void SetFileProgress(int) override {}
    void EnableProgressTimer(bool) override {}
    void MakeItemVisible(int) override {}
    void DispatchEvents() override {}
    void DispatchEventsBetweenItems() override {}
};

class DecliningBoxes : public MessageService {
  public:
    void Message(const std::string&) override {}
    ConfirmAnswer Confirm(const std::string&, ConfirmButtons) override { return ConfirmAnswer::No; }
};

void BatchRun(benchmark::State& state, const InputSet& set) {
    RemoveOutputs(set);
    ProcessingList list;
    list.AppendMany(set.paths);
    ConversionState conversion;
    IdleWindow window;
    DecliningBoxes boxes;
    BatchDriver driver(list, conversion, window, boxes);
    for (auto _ : state)
        driver.Convert();
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
        const pid_t pid = Spawn(
            {"/bin/sh", "-c", toFiles ? kLoopToFiles : kLoopToNull, "sh", set.folder, lame}, false);
        if (pid < 0 || !ExitedCleanly(pid))
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
    const pid_t pid = Spawn({lame, "--decode", source, "/dev/null"}, true);
    if (pid < 0)
        return 0;
    long peak = 0;
    for (;;) {
        siginfo_t info{};
        if (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
            info.si_pid == pid)
            break;
        peak = std::max(peak, VmHwmKiB(pid));
        ::usleep(2000);
    }
    return ExitedCleanly(pid) ? peak : 0;
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
    double Median(const std::string& name) const {
        std::vector<double> times = Times(name);
        if (times.empty())
            return 0;
        std::sort(times.begin(), times.end());
        const std::size_t middle = times.size() / 2;
        return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
    }
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
            MakeInputs(set, folder.path(), lame, encoders);

        // One iteration is one whole batch; its own set-up stays out of the time.
        const auto once = [](benchmark::internal::Benchmark* b) {
            b->Iterations(1)->Repetitions(kRepetitions)->UseRealTime()->Unit(benchmark::kSecond);
        };
        for (const InputSet& set : sets) {
            once(benchmark::RegisterBenchmark(("batch/" + set.key).c_str(),
                                              [&set](benchmark::State& s) { BatchRun(s, set); }));
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
