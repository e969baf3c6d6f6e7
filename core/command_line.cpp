// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command_line.h"

#include "fs.h"

#include "text.h"

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine command;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        // A lone "-" is a name; "--" lets names that begin with "-" through.
        if (optionsEnded || argument.size() < 2 || argument.front() != '-') {
            command.paths.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            command.action = CommandLine::Action::Help;
            return command;
        } else if (argument == "--version") {
            command.action = CommandLine::Action::Version;
            return command;
        } else {
            command.action = CommandLine::Action::Misuse;
            command.unknownOption = argument;
            return command;
        }
    }
    return command;
}

std::string StartingFolder() {
    const std::optional<Path> folder = WorkingFolder();
    return folder ? folder->Bytes() : std::string();
}

std::vector<std::string>
HandOverPaths(const std::vector<std::string>& names, const std::string& workingFolder,
              const std::function<void(const std::string&)>& reportMissing) {
    const std::optional<Path> base = Path::Of(workingFolder);
    std::vector<std::string> paths;
    paths.reserve(names.size());
    for (const std::string& name : names) {
        const std::optional<Path> path = Path::Of(name, base);
        // Asked as given: "a.mp3/." is no file.
        const std::string given =
            path && name.front() != '/' ? JoinPath(workingFolder, name) : name;
        const FileKind kind = name.empty() ? FileKind::Missing : KindAt(given);
        if (kind == FileKind::RegularFile || kind == FileKind::Folder)
            paths.push_back(path ? path->Bytes() : name);
        else
            reportMissing(name);
    }
    return paths;
}

std::string MissingNameText(const std::string& name) {
    return FillIn(Translate("CommandLine", "brindlecot: %1: ファイルもフォルダもありません\n"),
                  name);
}

std::string UsageText() {
    return Translate(
        "CommandLine",
        "使い方: brindlecot [オプション] [ファイル|フォルダ]...\n"
        "MPEG Audioファイル(.mpa .mp2 .mp3)をlameでWAVに変換します。\n"
        "指定したファイルとフォルダは、ドロップした時と同じように処理リストに追加します。\n"
        "\n"
        "  -h, --help     この説明を表示して終了する\n"
        "      --version  バージョンを表示して終了する\n"
        "  --             これ以降の引数をすべてファイル名として扱う\n");
}

std::string VersionText() {
    return "brindlecot " BRINDLECOT_VERSION "\n";
}
