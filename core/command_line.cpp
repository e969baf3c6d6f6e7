// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command_line.h"

#include "fs.h"

#include <unistd.h>

#include "text.h"
#include <cstdlib>
#include <memory>
#include <string_view>

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
    const std::unique_ptr<char, decltype(&std::free)> folder(::getcwd(nullptr, 0), &std::free);
    return folder ? std::string(folder.get()) : std::string();
}

namespace {

// path without its "." components and repeated slashes; ".." stays, since
// it may lead back through a link. A path of "." alone reads as itself.
std::string WithoutDotComponents(std::string_view path) {
    std::string clean = path.starts_with('/') ? "/" : "";
    while (!path.empty()) {
        const std::size_t end = path.find('/');
        const std::string_view part = path.substr(0, end);
        path.remove_prefix(end == std::string_view::npos ? path.size() : end + 1);
        if (part.empty() || part == ".")
            continue;
        if (!clean.empty() && clean.back() != '/')
            clean += '/';
        clean += part;
    }
    return clean.empty() ? "." : clean;
}

} // namespace

std::vector<std::string>
HandOverPaths(const std::vector<std::string>& names, const std::string& workingFolder,
              const std::function<void(const std::string&)>& reportMissing) {
    std::vector<std::string> paths;
    paths.reserve(names.size());
    for (const std::string& name : names) {
        // An empty name is nothing, not the working folder itself.
        const bool relative = !name.empty() && name.front() != '/' && !workingFolder.empty();
        const std::string given = relative ? JoinPath(workingFolder, name) : name;
        // Asked as given: "a.mp3/." is no file.
        const FileKind kind = name.empty() ? FileKind::Missing : KindAt(given);
        if (kind == FileKind::RegularFile || kind == FileKind::Folder)
            paths.push_back(WithoutDotComponents(given));
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
