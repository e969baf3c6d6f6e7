// A whole batch through the shown window on a real X display (Xvfb with
// openbox, the xcb platform: the drawing path users get), from the press of
// "変換" to the end-of-batch question, against a shell loop running the same
// lame over the same files, writing the same WAV files. The window must cost
// nothing next to the decoder: 300 short files show its cost per file, 20
// long ones its cost while a decoder runs. The batch driver alone, with
// nothing to show, runs in turn too, to tell the window's share from the
// driver's; the CPU time the window and the X server use per file is the
// figure least disturbed by other work on the machine.
//
// Arguments: --runs N (repetitions of each, default 5), --only 3s|4min,
// --window-only (no loop, for profiling).
#include "Unit1.h"
#include "quiet_services.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QWindow>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kSampleRate = 44100;

struct InputSet {
    std::string label;
    std::string key;
    int files;
    int seconds;
    std::string folder;
    std::vector<std::string> paths;
};

// stdin from /dev/null, stdout to outputFd (or /dev/null), stderr to /dev/null when quiet.
pid_t Spawn(const std::vector<std::string>& arguments, int outputFd = -1, bool quiet = true) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (outputFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, outputFd, 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    if (quiet)
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (::posix_spawnp(&pid, argv.front(), &actions, nullptr, argv.data(), environ) != 0)
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

// Reads from fd until a line equal to want arrives; false at its end.
bool AwaitLine(int fd, const std::string& want, std::string* got = nullptr) {
    std::string text;
    char buffer[256];
    for (;;) {
        for (std::size_t end; (end = text.find('\n')) != std::string::npos; text.erase(0, end + 1))
            if (want.empty() || text.compare(0, end, want) == 0) {
                if (got)
                    *got = text.substr(0, end);
                return true;
            }
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

// An X server with a window manager, ended by process id on every way out.
// Readiness comes from the programs themselves: Xvfb writes its display
// number once it accepts clients, openbox runs its start-up command once it
// manages the screen.
class Desktop {
  public:
    Desktop() {
        int pipeFds[2];
        if (::pipe2(pipeFds, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe failed");
        const int writeEnd = ::fcntl(pipeFds[1], F_DUPFD, 3); // without close-on-exec
        ::close(pipeFds[1]);
        xvfb_ = Spawn({"Xvfb", "-displayfd", std::to_string(writeEnd), "-screen", "0",
                       "1024x768x24", "-nolisten", "tcp"});
        ::close(writeEnd);
        std::string display;
        const bool ready = xvfb_ > 0 && AwaitLine(pipeFds[0], "", &display);
        ::close(pipeFds[0]);
        if (!ready)
            Fail("Xvfb did not start");
        ::setenv("DISPLAY", (":" + display).c_str(), 1);

        if (::pipe2(pipeFds, O_CLOEXEC) != 0)
            Fail("pipe failed");
        openbox_ =
            Spawn({"openbox", "--sm-disable", "--startup", "echo openbox-ready"}, pipeFds[1]);
        ::close(pipeFds[1]);
        // Kept open: a later line from openbox must not kill it with SIGPIPE.
        openboxOutput_ = pipeFds[0];
        const bool managed = openbox_ > 0 && AwaitLine(openboxOutput_, "openbox-ready");
        if (!managed)
            Fail("openbox did not start");
    }
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;
    ~Desktop() { End(); }

    // CPU time the X server has used so far: drawing is partly its work.
    double ServerSeconds() const {
        std::ifstream stat("/proc/" + std::to_string(xvfb_) + "/stat");
        std::string field;
        std::getline(stat, field, ')'); // past the command name
        double user = 0, system = 0;
        for (int i = 3; i <= 15 && stat >> field; ++i)
            if (i == 14)
                user = std::atof(field.c_str());
            else if (i == 15)
                system = std::atof(field.c_str());
        return (user + system) / static_cast<double>(::sysconf(_SC_CLK_TCK));
    }

  private:
    [[noreturn]] void Fail(const std::string& what) {
        End();
        throw std::runtime_error(what);
    }
    void End() {
        for (pid_t pid : {openbox_, xvfb_})
            if (pid > 0) {
                ::kill(pid, SIGTERM);
                ::waitpid(pid, nullptr, 0);
            }
        if (openboxOutput_ >= 0)
            ::close(openboxOutput_);
        openbox_ = xvfb_ = openboxOutput_ = -1;
    }

    pid_t xvfb_ = -1;
    pid_t openbox_ = -1;
    int openboxOutput_ = -1;
};

class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "ui_batch_bench.XXXXXX").string();
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

// A 441 Hz tone as raw 16-bit stereo, encoded once and copied under numbered names.
void MakeInputs(InputSet& set, const std::string& root, const std::string& lame) {
    constexpr int kPeriod = kSampleRate / 441;
    std::vector<std::int16_t> second;
    for (int i = 0; i < kSampleRate; ++i) {
        const double phase = 2.0 * M_PI * (i % kPeriod) / kPeriod;
        second.push_back(static_cast<std::int16_t>(std::lround(12000.0 * std::sin(phase))));
        second.push_back(static_cast<std::int16_t>(std::lround(9000.0 * std::cos(phase))));
    }
    const std::string raw = root + "/" + set.key + ".raw", master = root + "/" + set.key + ".mp3";
    {
        std::ofstream out(raw, std::ios::binary);
        for (int s = 0; s < set.seconds; ++s)
            out.write(reinterpret_cast<const char*>(second.data()),
                      static_cast<std::streamsize>(second.size() * sizeof(std::int16_t)));
    }
    const pid_t pid =
        Spawn({lame, "--quiet", "-r", "-s", "44.1", "--bitwidth", "16", "-b", "128", raw, master});
    if (pid < 0 || !ExitedCleanly(pid))
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

// Every WAV there and about as long as the tone; removes them.
bool TakeOutputs(const InputSet& set) {
    const auto least = static_cast<std::uintmax_t>(set.seconds) * kSampleRate * 4 * 9 / 10;
    bool all = true;
    std::error_code error;
    for (const std::string& path : set.paths) {
        const auto size = fs::file_size(WavPath(path), error);
        all = all && !error && size >= least;
        fs::remove(WavPath(path), error);
    }
    return all;
}

// Notes when the end-of-batch question comes, and answers no.
class TimedQuestion : public QuietBoxes {
  public:
    ConfirmAnswer Confirm(const std::string&, ConfirmButtons) override {
        seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        return ConfirmAnswer::No;
    }
    QElapsedTimer clock;
    double seconds = 0;
};

struct WindowTimes {
    double seconds, ownCpu, serverCpu; // wall clock, and CPU used by us and by the X server
};

double OwnSeconds() {
    rusage self{};
    ::getrusage(RUSAGE_SELF, &self);
    return static_cast<double>(self.ru_utime.tv_sec + self.ru_stime.tv_sec) +
           static_cast<double>(self.ru_utime.tv_usec + self.ru_stime.tv_usec) / 1e6;
}

WindowTimes WindowRun(TForm1& form, TimedQuestion& boxes, const Desktop& desktop,
                      const InputSet& set) {
    form.Button3->click();
    form.List().AppendMany(set.paths);
    QApplication::processEvents();
    boxes.seconds = 0;
    const double ownBefore = OwnSeconds(), serverBefore = desktop.ServerSeconds();
    boxes.clock.start();
    form.Button2->click(); // returns after the question
    const WindowTimes times{boxes.seconds, OwnSeconds() - ownBefore,
                            desktop.ServerSeconds() - serverBefore};
    const bool converted =
        std::all_of(set.paths.begin(), set.paths.end(), [&, i = 0](const std::string&) mutable {
            return form.List().ItemAt(i++).state == ItemState::Processed;
        });
    if (boxes.seconds <= 0 || !converted || !TakeOutputs(set))
        throw std::runtime_error("the window did not convert " + set.label);
    return times;
}

// The same batch driver with nothing to show: what the window adds is the rest.
class NoWindow : public ConversionWindow {
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

double DriverRun(const InputSet& set, std::vector<double>& cpu) {
    ProcessingList list;
    list.AppendMany(set.paths);
    ConversionState state;
    NoWindow window;
    QuietBoxes boxes;
    BatchDriver driver(list, state, window, boxes);
    QElapsedTimer clock;
    const double cpuBefore = OwnSeconds();
    clock.start();
    driver.Convert();
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    cpu.push_back(OwnSeconds() - cpuBefore);
    if (!TakeOutputs(set))
        throw std::runtime_error("the driver alone left outputs missing");
    return seconds;
}

constexpr const char* kLoop =
    R"(for f in "$1"/*.mp3; do "$2" --decode "$f" "${f%.mp3}.wav" 2>/dev/null || exit 1; done)";

double LoopRun(const InputSet& set, const std::string& lame) {
    QElapsedTimer clock;
    clock.start();
    const pid_t pid = Spawn({"bash", "-c", kLoop, "bash", set.folder, lame});
    if (pid < 0 || !ExitedCleanly(pid))
        throw std::runtime_error("the shell loop failed");
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    if (!TakeOutputs(set))
        throw std::runtime_error("the shell loop left outputs missing");
    return seconds;
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    const std::size_t middle = times.size() / 2;
    return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

std::string Spread(const std::vector<double>& times) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f..%.3f s", *std::min_element(times.begin(), times.end()),
                  *std::max_element(times.begin(), times.end()));
    return text;
}

double LoadAverage() {
    double load = 0;
    std::ifstream("/proc/loadavg") >> load;
    return load;
}

} // namespace

int main(int argc, char* argv[]) {
    int runs = 5;
    std::string only;
    bool windowOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc)
            only = argv[++i];
        else if (std::strcmp(argv[i], "--window-only") == 0)
            windowOnly = true;
    }
    try {
        const std::string lame = DecoderPath();
        const TempFolder folder;
        std::vector<InputSet> sets{{"300 x 3 s", "3s", 300, 3, {}, {}},
                                   {"20 x 4 min", "4min", 20, 240, {}, {}}};
        std::erase_if(sets, [&](const InputSet& set) { return !only.empty() && set.key != only; });
        for (InputSet& set : sets)
            MakeInputs(set, folder.path(), lame);

        const Desktop desktop;
        qputenv("QT_QPA_PLATFORM", "xcb");
        QApplication application(argc, argv);
        TimedQuestion boxes;
        NoFolderChooser chooser;
        NoDesktopShell shell;
        const std::string settings = folder.path() + "/settings.ini";
        TForm1 form({boxes, chooser, shell, DecoderPath, settings});
        form.show();
        while (!form.windowHandle() || !form.windowHandle()->isExposed())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);

        for (const InputSet& set : sets) {
            std::vector<double> window, loop, driver, own, server, driverCpu;
            const double loadBefore = LoadAverage();
            for (int r = 0; r < runs; ++r) { // taking turns, so that other work disturbs both alike
                const WindowTimes times = WindowRun(form, boxes, desktop, set);
                window.push_back(times.seconds);
                own.push_back(times.ownCpu);
                server.push_back(times.serverCpu);
                if (!windowOnly) {
                    loop.push_back(LoopRun(set, lame));
                    driver.push_back(DriverRun(set, driverCpu));
                }
            }
            std::printf("window (%s): median %.3f s, runs %s; CPU per file: window %.2f ms, "
                        "X server %.2f ms (medians)\n",
                        set.label.c_str(), Median(window), Spread(window).c_str(),
                        Median(own) * 1000 / set.files, Median(server) * 1000 / set.files);
            if (windowOnly)
                continue;
            std::printf("medians (%s): window %.3f s, shell loop writing files %.3f s (runs %s); "
                        "load average %.2f before, %.2f after\n",
                        set.label.c_str(), Median(window), Median(loop), Spread(loop).c_str(),
                        loadBefore, LoadAverage());
            std::printf("driver alone (%s): median %.3f s, runs %s; CPU per file %.2f ms; ratio "
                        "window/driver alone = %.3f, driver alone/shell = %.3f\n",
                        set.label.c_str(), Median(driver), Spread(driver).c_str(),
                        Median(driverCpu) * 1000 / set.files, Median(window) / Median(driver),
                        Median(driver) / Median(loop));
            std::printf("ratio window/shell (%s) = %.3f (goal at most %.2f)\n", set.label.c_str(),
                        Median(window) / Median(loop), set.seconds < 60 ? 1.10 : 1.02);
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ui_batch_bench: %s\n", error.what());
        return 1;
    }
}
