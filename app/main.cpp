// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileFolder.h"
#include "Unit1.h"
#include "command_line.h"
#include "console_batch.h"
#include "desktop_notifier.h"
#include "desktop_session.h"
#include "exit_hook.h"
#include "instance_link.h"
#include "output_rules.h"
#include "qt_services.h"
#include "settings.h"
#include "sleep_inhibitor.h"
#include "stop_signals.h"
#include "text.h"
#include "user_language.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

void Print(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

} // namespace

int main(int argc, char* argv[]) {
    // Read before the application object exists: --help needs no display, and
    // Qt's own option parsing would take names like "-style" from the list.
    const CommandLine command = ParseCommandLine({argv + (argc > 0 ? 1 : 0), argv + argc});
    // Qt's arguments: our name, and in a Wayland session with XWayland, X
    // first, where the window can stay on top (unless the user chose).
    std::string platforms = PreferredPlatforms(CurrentSession());
    std::string platformOption = "-platform";
    std::vector<char*> qtArguments(argv, argv + (argc > 0 ? 1 : 0));
    if (!platforms.empty() && argc > 0)
        qtArguments.insert(qtArguments.end(), {platformOption.data(), platforms.data()});
    qtArguments.push_back(nullptr);
    int qtArgc = int(qtArguments.size()) - 1;
    std::vector<NamedPath> paths;
    {
        // What is told on the terminal comes first, in the user's language,
        // and needs no display.
        int terminalArgc = argc > 0 ? 1 : 0;
        const QCoreApplication terminal(terminalArgc, argv);
        const UserLanguage language;
        switch (command.action) {
        case CommandLine::Action::Help:
            Print(stdout, UsageText());
            return 0;
        case CommandLine::Action::Version:
            Print(stdout, VersionText());
            return 0;
        case CommandLine::Action::Misuse:
            Print(stderr, MisuseText(command));
            Print(stderr, TryHelpText());
            return 2;
        case CommandLine::Action::Convert:
            // No window, no display: the batch on the terminal, the machine
            // kept awake through the bus when there is one.
            return ConvertFromCommandLine(command.paths, command.convert, StartingFolder(), stderr,
                                          [](const std::string& reason) -> std::shared_ptr<void> {
                                              return DBusSleepInhibitor().Hold(reason);
                                          });
        case CommandLine::Action::Run:
            break;
        }
        // Relative names mean the folder we were started in, which choosing a
        // source folder changes later; a name with nothing there is told now,
        // as an item it would stop a batch.
        paths = LookAtNames(command.paths, StartingFolder(),
                            [](const std::string& name) { Print(stderr, MissingNameText(name)); });
    }

    QApplication application(qtArgc, qtArguments.data());
    QApplication::setApplicationName("brindlecot");
    const UserLanguage language;
    // Wayland's own platform has no window above the others.
    const bool onWayland = QGuiApplication::platformName().startsWith("wayland");
    // One window per user and desktop: a later start hands its paths over and
    // ends, with the token that lets the window come forward on Wayland.
    InstanceLink instance;
    const char* token = std::getenv("XDG_ACTIVATION_TOKEN");
    if (instance.HandOverOrListen(PathsOf(paths), token != nullptr ? token : ""))
        return 0;

    QtBoxes boxes;
    FileFolderChooser chooser(boxes);
    XdgDesktopShell shell;
    DBusNotifier notifier;
    DBusSleepInhibitor sleepInhibitor;
    // A settings file beside us that can't be written is passed over for the
    // user's own, and told at close.
    const std::string settings = SettingsPath();
    TForm1 Form1({boxes, chooser, shell, DecoderPath, settings, notifier, UsableCores, !onWayland,
                  sleepInhibitor, SettingsPassedOver(ExecutableFolder(), settings)});
    instance.OnPathsHandedOver(
        [&Form1, onWayland](std::vector<std::string> paths, const std::string& token) {
            // Qt's Wayland window reads the token from there when it asks to come forward.
            if (onWayland && !token.empty())
                qputenv("XDG_ACTIVATION_TOKEN", QByteArray::fromStdString(token));
            return Form1.TakeHandedOverPaths(paths);
        });
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
    // A display that ends (its server ended, an ssh -X dropped) ends the
    // program in Qt's exit(1), past every destructor: the settings are written
    // then, as at a close, the hand-over socket goes, and so do the hidden
    // files being written; the decoders die with us.
    const ExitHook settingsAtExit([&Form1, &instance] {
        RemoveUnfinishedOutputs();
        Form1.WriteSettingsQuietly();
        instance.StopListening();
    });
    Form1.show();
    const int code = QApplication::exec();
    return stoppedBy != 0 ? 128 + stoppedBy : code;
}
