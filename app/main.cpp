#include "FileFolder.h"
#include "Unit1.h"
#include "command_line.h"
#include "qt_services.h"
#include "settings.h"
#include "stop_signals.h"

#include <QApplication>

#include <cstdio>

namespace {

void Print(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

} // namespace

int main(int argc, char* argv[]) {
    // Read before the application object exists: --help needs no display, and
    // Qt's own option parsing would take names like "-style" from the list.
    const CommandLine command = ParseCommandLine({argv + (argc > 0 ? 1 : 0), argv + argc});
    switch (command.action) {
    case CommandLine::Action::Help:
        Print(stdout, UsageText());
        return 0;
    case CommandLine::Action::Version:
        Print(stdout, VersionText());
        return 0;
    case CommandLine::Action::Misuse:
        Print(stderr, "brindlecot: 不明なオプションです: " + command.unknownOption + "\n");
        Print(stderr, UsageText());
        return 2;
    case CommandLine::Action::Run:
        break;
    }

    // Taken now: choosing a source folder changes the working folder that
    // relative names mean, and the first item that names nothing would stop a batch.
    const std::vector<std::string> paths =
        HandOverPaths(command.paths, StartingFolder(),
                      [](const std::string& name) { Print(stderr, MissingNameText(name)); });

    int qtArgc = argc > 0 ? 1 : 0;
    QApplication application(qtArgc, argv);
    QApplication::setApplicationName("brindlecot");

    QtBoxes boxes;
    FileFolderChooser chooser(boxes);
    XdgDesktopShell shell;
    TForm1 Form1({boxes, chooser, shell, DecoderPath, SettingsPath()});
    boxes.SetOwner(&Form1);
    chooser.SetOwner(&Form1);
    Form1.AddPaths(paths);
    // Asked to end (logout, shutdown, Ctrl-C): stop the decoder, leave every
    // loop, a box's included, and end as a close would, settings written.
    int stoppedBy = 0;
    const StopSignals stopSignals([&Form1, &stoppedBy](int signal) {
        stoppedBy = signal;
        Form1.StopAndClose();
        QCoreApplication::exit(128 + signal);
    });
    Form1.show();
    const int code = QApplication::exec();
    return stoppedBy != 0 ? 128 + stoppedBy : code;
}
