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
// figure least disturbed by other work on the machine. A second window,
// which draws between items (its speed trick off, speed_tricks.h), runs the
// same batch in turn, to tell what drawing only once the next decoder runs is
// worth.
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

struct WindowTimes {
    double seconds, ownCpu, serverCpu; // wall clock, and CPU used by us and by the X server
};

double OwnSeconds() {
    rusage self{};
    ::getrusage(RUSAGE_SELF, &self);
    return static_cast<double>(self.ru_utime.tv_sec + self.ru_stime.tv_sec) +
           static_cast<double>(self.ru_utime.tv_usec + self.ru_stime.tv_usec) / 1e6;
}

WindowTimes WindowRun(TForm1& form, TimedQuestion& boxes, const XDesktop& desktop,
                      const InputSet& set, bool severalAtOnce, const std::string& reference) {
    form.CheckBox3->setChecked(severalAtOnce);
    form.Button3->click();
    form.List().AppendMany(set.paths);
    QApplication::processEvents();
    boxes.seconds = 0;
    const double ownBefore = OwnSeconds(), serverBefore = desktop.ServerCpuSeconds();
    boxes.clock.start();
    form.Button2->click(); // returns after the question
    const WindowTimes times{boxes.seconds, OwnSeconds() - ownBefore,
                            desktop.ServerCpuSeconds() - serverBefore};
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

// The same batch driver with nothing to show: what the window adds is the rest.
double DriverRun(const InputSet& set, std::vector<double>& cpu) {
    ProcessingList list;
    list.AppendMany(set.paths);
    ConversionState state;
    FakeWindow window(FakeWindow::Idle);
    RecordingBoxes boxes; // answers no
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

        for (std::size_t s = 0; s < sets.size(); ++s) {
            const InputSet& set = sets[s];
            std::vector<double> window, loop, driver, own, server, driverCpu, parallel, parallelCpu,
                drawingBetween;
            const double loadBefore = LoadAverage();
            for (int r = 0; r < runs; ++r) { // taking turns, so that other work disturbs all alike
                if (several) {
                    const WindowTimes times =
                        WindowRun(form, boxes, desktop, set, true, references[s]);
                    parallel.push_back(times.seconds);
                    parallelCpu.push_back(times.ownCpu);
                }
                if (one) {
                    const WindowTimes times =
                        WindowRun(form, boxes, desktop, set, false, references[s]);
                    window.push_back(times.seconds);
                    own.push_back(times.ownCpu);
                    server.push_back(times.serverCpu);
                }
                if (!windowOnly) {
                    loop.push_back(LoopRun(set, lame));
                    if (one) {
                        driver.push_back(DriverRun(set, driverCpu));
                        drawingBetween.push_back(
                            WindowRun(drawingForm, boxes, desktop, set, false, references[s])
                                .seconds);
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
