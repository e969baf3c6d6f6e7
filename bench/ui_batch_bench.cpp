// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// A whole batch through the shown window on a real X display (Xvfb with
// openbox, the xcb platform: the drawing path users get), from the press of
// "変換" to the end-of-batch question, against a shell loop running the same
// lame over the same files, writing the same WAV files. The window must cost
// nothing next to the decoder: 300 short files show its cost per file, 20
// long ones its cost while a decoder runs. The batch driver alone, with
// nothing to show, runs in turn too, to tell the window's share from the
// driver's; the CPU time the window and the X server use per file is the
// figure least disturbed by other work on the machine. The program's own
// (without its children: the decoders' time is the same either way) is
// given as user and system time, and what the window adds to the driver
// alone is its own share. What was drawn is counted too: frames, list rows,
// bars and labels per file, which no other work on the machine changes much.
// A second window, which draws between items (its speed trick off,
// speed_tricks.h), runs the same batch in turn, to tell what drawing only once
// the next decoder runs is worth. Each short files' batch is timed after an
// untimed one of its own, as in convert_bench.
//
// With "複数のファイルを同時に変換する" checked the window runs as many
// decoders at once as we have cores; its WAV files must be byte for byte those
// of a direct lame --decode.
//
// Arguments: --runs N (repetitions of each, default 5), --only 3s|4min,
// --window-only (no loop, for profiling), --mode one|several (the window's
// batch with the box unchecked or checked alone; both by default).
#include "Unit1.h"
#include "bench_support.h"
#include "process.h"
#include "quiet_services.h"
#include "window_fakes.h"
#include "x_desktop.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QPaintEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeView>
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
#include <utility>
#include <vector>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Notes when the end-of-batch question comes, and answers no.
struct TimedQuestion {
    TimedQuestion() {
        boxes.decide = [this](const std::string&) {
            seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
            return ConfirmAnswer::No;
        };
    }
    TimedQuestion(const TimedQuestion&) = delete;
    TimedQuestion& operator=(const TimedQuestion&) = delete;
    RecordingWindowBoxes boxes;
    QElapsedTimer clock;
    double seconds = 0;
};

// CPU time of this process alone, its children's not included.
struct Cpu {
    double user = 0, system = 0;
    double Total() const { return user + system; }
    Cpu operator-(const Cpu& before) const { return {user - before.user, system - before.system}; }
};

Cpu OwnCpu() {
    rusage self{};
    ::getrusage(RUSAGE_SELF, &self);
    const auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return {seconds(self.ru_utime), seconds(self.ru_stime)};
}

// What the window drew during a batch: frames (the window's repaints), the
// list's repainted area in rows, and the paints of the bars and the labels
// the batch feeds.
struct Drawn {
    int frames = 0, bars = 0, labels = 0;
    double rows = 0;
};

class DrawingTally : public QObject {
  public:
    explicit DrawingTally(TForm1& form) : form_(form) {
        for (QObject* watched : std::initializer_list<QObject*>{
                 &form, form.ListView1->viewport(), form.ProgressBar1, form.ProgressBar2,
                 form.Label6, form.Label7, form.Label10})
            watched->installEventFilter(this);
    }
    Drawn Take() { return std::exchange(drawn_, {}); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Filters run last installed first: the window's paced drawing has
        // held back the requests it gathers before this sees one. A frame is
        // a request that painted what is counted here.
        if (watched == &form_ && event->type() == QEvent::UpdateRequest)
            requested_ = true;
        if (event->type() != QEvent::Paint)
            return false;
        if (std::exchange(requested_, false))
            ++drawn_.frames;
        if (watched == form_.ListView1->viewport()) {
            const QRect row = form_.ListView1->visualRect(form_.List().index(0));
            double area = 0;
            for (const QRect& part : static_cast<QPaintEvent*>(event)->region())
                area += static_cast<double>(part.width()) * part.height();
            drawn_.rows += row.isEmpty() ? 0 : area / (row.width() * row.height());
        } else if (watched == form_.ProgressBar1 || watched == form_.ProgressBar2) {
            ++drawn_.bars;
        } else if (watched != &form_) {
            ++drawn_.labels;
        }
        return false;
    }

  private:
    TForm1& form_;
    Drawn drawn_;
    bool requested_ = false;
};

struct WindowTimes {
    double seconds; // wall clock
    Cpu ownCpu;
    double serverCpu; // CPU used by the X server
    Drawn drawn;
};

WindowTimes WindowRun(TForm1& form, TimedQuestion& boxes, DrawingTally& tally,
                      const XDesktop& desktop, const InputSet& set, bool severalAtOnce,
                      const std::string& reference) {
    form.CheckBox3->setChecked(severalAtOnce);
    form.Button3->click();
    form.List().AppendMany(set.paths);
    QApplication::processEvents();
    boxes.seconds = 0;
    tally.Take();
    const Cpu ownBefore = OwnCpu();
    const double serverBefore = desktop.ServerCpuSeconds();
    boxes.clock.start();
    form.Button2->click(); // returns after the question
    const WindowTimes times{boxes.seconds, OwnCpu() - ownBefore,
                            desktop.ServerCpuSeconds() - serverBefore, tally.Take()};
    const bool converted =
        std::all_of(set.paths.begin(), set.paths.end(), [&, i = 0](const std::string&) mutable {
            return form.List().ItemAt(i++).state == ItemState::Processed;
        });
    if (boxes.seconds <= 0 || !converted || !AllOutputsThere(set))
        throw std::runtime_error("the window did not convert " + set.label);
    if (!OutputsMatch(set, reference))
        throw std::runtime_error("the window's WAV files of " + set.label +
                                 " differ from a direct lame --decode");
    RemoveOutputs(set);
    return times;
}

struct DriverTimes {
    double seconds; // wall clock
    Cpu cpu;
};

// The same batch driver with nothing to show: what the window adds is the rest.
DriverTimes DriverRun(const InputSet& set) {
    ProcessingList list;
    list.AppendMany(set.paths);
    ConversionState state;
    FakeWindow window(FakeWindow::Idle);
    RecordingBoxes boxes; // answers no
    BatchDriver driver(list, state, window, boxes);
    QElapsedTimer clock;
    const Cpu cpuBefore = OwnCpu();
    clock.start();
    driver.Convert();
    const DriverTimes times{static_cast<double>(clock.nsecsElapsed()) / 1e9, OwnCpu() - cpuBefore};
    if (!TakeOutputs(set))
        throw std::runtime_error("the driver alone left outputs missing");
    return times;
}

// The medians of each part, in milliseconds per file.
struct CpuPerFile {
    double total, user, system;
};

CpuPerFile MedianPerFile(const std::vector<Cpu>& runs, int files) {
    std::vector<double> total, user, system;
    for (const Cpu& run : runs) {
        total.push_back(run.Total());
        user.push_back(run.user);
        system.push_back(run.system);
    }
    return {Median(total) * 1000 / files, Median(user) * 1000 / files,
            Median(system) * 1000 / files};
}

} // namespace

int main(int argc, char* argv[]) {
    int runs = 5;
    std::string only;
    bool windowOnly = false;
    std::string mode;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc)
            only = argv[++i];
        else if (std::strcmp(argv[i], "--window-only") == 0)
            windowOnly = true;
        else if (std::strcmp(argv[i], "--mode") == 0 && i + 1 < argc)
            mode = argv[++i];
    }
    try {
        const std::string lame = DecoderPath();
        const TempFolder folder;
        std::vector<InputSet> sets{{"300 x 3 s", "3s", 300, 3, {}, {}},
                                   {"20 x 4 min", "4min", 20, 240, {}, {}}};
        std::erase_if(sets, [&](const InputSet& set) { return !only.empty() && set.key != only; });
        std::vector<std::string> references;
        for (InputSet& set : sets) {
            MakeInputs(set, folder.path(), lame);
            // What a direct run writes: the tracks are copies of one file.
            references.push_back(folder.path() + "/" + set.key + "-direct.wav");
            if (!RunBaseline({lame, "--quiet", "--decode", set.paths.front(), references.back()}))
                throw std::runtime_error("lame could not decode " + set.paths.front());
        }
        const bool one = mode.empty() || mode == "one", several = mode.empty() || mode == "several";

        const XDesktop desktop;
        QApplication application(argc, argv);
        TimedQuestion boxes;
        NoFolderChooser chooser;
        NoDesktopShell shell;
        const std::string settings = folder.path() + "/settings.ini";
        TForm1 form({boxes.boxes, chooser, shell, DecoderPath, settings});
        WindowServices drawing{boxes.boxes, chooser, shell, DecoderPath, settings};
        drawing.speedTricks.drawOnceTheNextRuns = false;
        TForm1 drawingForm(drawing);
        for (TForm1* shown : {&form, &drawingForm}) {
            shown->show();
            while (!shown->windowHandle() || !shown->windowHandle()->isExposed())
                QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        DrawingTally tally(form), drawingTally(drawingForm);

        for (std::size_t s = 0; s < sets.size(); ++s) {
            const InputSet& set = sets[s];
            std::vector<double> window, loop, driver, server, parallel, parallelCpu, drawingBetween;
            std::vector<Cpu> own, driverCpu;
            std::vector<Drawn> drawn;
            const double loadBefore = LoadAverage();
            // Long files' batches are timed once: twice would take over an hour.
            const auto timed = [&set](const auto& run) {
                return set.seconds < 60 ? AfterItself(run) : run();
            };
            for (int r = 0; r < runs; ++r) { // taking turns, so that other work disturbs all alike
                if (several) {
                    const WindowTimes times = timed([&] {
                        return WindowRun(form, boxes, tally, desktop, set, true, references[s]);
                    });
                    parallel.push_back(times.seconds);
                    parallelCpu.push_back(times.ownCpu.Total());
                }
                if (one) {
                    const WindowTimes times = timed([&] {
                        return WindowRun(form, boxes, tally, desktop, set, false, references[s]);
                    });
                    window.push_back(times.seconds);
                    own.push_back(times.ownCpu);
                    server.push_back(times.serverCpu);
                    drawn.push_back(times.drawn);
                }
                if (!windowOnly) {
                    loop.push_back(timed([&] { return LoopRun(set, lame); }));
                    if (one) {
                        const DriverTimes alone = timed([&] { return DriverRun(set); });
                        driver.push_back(alone.seconds);
                        driverCpu.push_back(alone.cpu);
                        drawingBetween.push_back(timed([&] {
                                                     return WindowRun(drawingForm, boxes,
                                                                      drawingTally, desktop, set,
                                                                      false, references[s]);
                                                 }).seconds);
                    }
                }
            }
            if (several) {
                std::printf("window, several at once (%s): median %.3f s, runs %s, %d cores; "
                            "CPU per file: window %.2f ms (median)\n",
                            set.label.c_str(), Median(parallel), Spread(parallel).c_str(),
                            UsableCores(), Median(parallelCpu) * 1000 / set.files);
                if (!windowOnly)
                    std::printf("ratio window several at once/shell (%s) = %.3f (goal at most "
                                "0.55 on 2 cores), shell loop median %.3f s\n",
                                set.label.c_str(), Median(parallel) / Median(loop), Median(loop));
            }
            if (!one)
                continue;
            const CpuPerFile windowCpu = MedianPerFile(own, set.files);
            std::printf("window (%s): median %.3f s, runs %s; CPU per file: window %.2f ms "
                        "(user %.2f, system %.2f), X server %.2f ms (medians)\n",
                        set.label.c_str(), Median(window), Spread(window).c_str(), windowCpu.total,
                        windowCpu.user, windowCpu.system, Median(server) * 1000 / set.files);
            const auto perFile = [&](auto part) {
                std::vector<double> counts;
                for (const Drawn& run : drawn)
                    counts.push_back(static_cast<double>(part(run)) / set.files);
                return Median(counts);
            };
            std::printf("window drew (%s) per file: %.3f frames, %.2f list rows, %.3f bar and "
                        "%.3f label paints (medians)\n",
                        set.label.c_str(), perFile([](const Drawn& d) { return d.frames; }),
                        perFile([](const Drawn& d) { return d.rows; }),
                        perFile([](const Drawn& d) { return d.bars; }),
                        perFile([](const Drawn& d) { return d.labels; }));
            if (windowOnly)
                continue;
            std::printf("medians (%s): window %.3f s, shell loop writing files %.3f s (runs %s); "
                        "load average %.2f before, %.2f after\n",
                        set.label.c_str(), Median(window), Median(loop), Spread(loop).c_str(),
                        loadBefore, LoadAverage());
            const CpuPerFile driverCpuPerFile = MedianPerFile(driverCpu, set.files);
            std::printf("driver alone (%s): median %.3f s, runs %s; CPU per file %.2f ms (user "
                        "%.2f, system %.2f); ratio window/driver alone = %.3f, driver "
                        "alone/shell = %.3f\n",
                        set.label.c_str(), Median(driver), Spread(driver).c_str(),
                        driverCpuPerFile.total, driverCpuPerFile.user, driverCpuPerFile.system,
                        Median(window) / Median(driver), Median(driver) / Median(loop));
            // The window's own CPU: what it adds to the same batch driven with nothing to show.
            std::printf("window's own CPU per file (%s) = %.3f ms (user %.3f, system %.3f); ratio "
                        "window CPU/driver alone CPU = %.3f\n",
                        set.label.c_str(), windowCpu.total - driverCpuPerFile.total,
                        windowCpu.user - driverCpuPerFile.user,
                        windowCpu.system - driverCpuPerFile.system,
                        windowCpu.total / driverCpuPerFile.total);
            std::printf("ratio window/shell (%s) = %.3f (goal at most %.2f)\n", set.label.c_str(),
                        Median(window) / Median(loop), set.seconds < 60 ? 0.97 : 1.02);
            std::printf("ratio window drawing only once the next decoder runs/drawing between "
                        "items (%s) = %.3f\n",
                        set.label.c_str(), Median(window) / Median(drawingBetween));
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ui_batch_bench: %s\n", error.what());
        return 1;
    }
}
