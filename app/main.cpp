#include "FileFolder.h"
#include "Unit1.h"
#include "command_line.h"
#include "desktop_notifier.h"
#include "instance_link.h"
#include "qt_services.h"
#include "settings.h"
#include "text.h"
#include "user_language.h"

#include <QApplication>

#include <cstdio>
#include <optional>

namespace {

void Print(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

} // namespace

int main(int argc, char* argv[]) {
    // Read before the application object exists: --help needs no display, and
    // Qt's own option parsing would take names like "-style" from the list.
    const CommandLine command = ParseCommandLine({argv + (argc > 0 ? 1 : 0), argv + argc});
    // Options are answered in the user's language, with no display and no hand-over.
    int qtArgc = argc > 0 ? 1 : 0;
    std::optional<QCoreApplication> optionApplication;
    std::optional<UserLanguage> optionLanguage;
    if (command.action != CommandLine::Action::Run) {
        optionApplication.emplace(qtArgc, argv);
        optionLanguage.emplace();
    }
    switch (command.action) {
    case CommandLine::Action::Help:
        Print(stdout, UsageText());
        return 0;
    case CommandLine::Action::Version:
        Print(stdout, VersionText());
        return 0;
    case CommandLine::Action::Misuse:
        Print(stderr, FillIn(Translate("main", "brindlecot: 不明なオプションです: %1\n"),
                             command.unknownOption));
        Print(stderr, UsageText());
        return 2;
    case CommandLine::Action::Run:
        break;
    }

    QApplication application(qtArgc, argv);
    QApplication::setApplicationName("brindlecot");
    const UserLanguage language;
    // One window per user and display: a later start hands its paths over and ends.
    InstanceLink instance;
    if (instance.HandOverOrListen(AbsolutePaths(command.paths)))
        return 0;

    QtBoxes boxes;
    FileFolderChooser chooser(boxes);
    XdgDesktopShell shell;
    DBusNotifier notifier;
    TForm1 Form1({boxes, chooser, shell, DecoderPath, SettingsPath(), notifier});
    instance.OnPathsHandedOver(
        [&Form1](const std::vector<std::string>& paths) { Form1.TakeHandedOverPaths(paths); });
    boxes.SetOwner(&Form1);
    chooser.SetOwner(&Form1);
    Form1.AddPaths(command.paths);
    Form1.show();
    return QApplication::exec();
}
