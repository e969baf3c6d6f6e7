// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command_line.h"

#include "fs.h"

#include "text.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <optional>
#include <string_view>
#include <tuple>
#include <utility>

namespace {

CommandLine Misused(CommandLine::Misuse misuse, std::string option) {
    CommandLine command;
    command.action = CommandLine::Action::Misuse;
    command.misuse = misuse;
    command.unknownOption = std::move(option);
    return command;
}

// A count of decoders as typed: digits alone, within reason.
std::optional<int> JobCount(const std::string& text) {
    if (text.empty() || text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoi(text);
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine command;
    bool optionsEnded = false, converting = false;
    std::string conversionOption; // the first one given, which only --convert knows
    for (auto argument = arguments.begin(); argument != arguments.end(); ++argument) {
        // "--to=FOLDER" and "-tFOLDER" are "--to FOLDER" (and "-t FOLDER"); a
        // value not joined to its option is the next argument.
        const bool longOption = argument->starts_with("--");
        const std::size_t joinedAt =
            longOption ? argument->find('=') : (argument->size() > 2 ? 2 : std::string::npos);
        std::string name = argument->substr(0, joinedAt);
        name = name == "-t" ? "--to" : name == "-j" ? "--jobs" : name;
        const bool joined = joinedAt != std::string::npos && (longOption || name != *argument);
        auto value = [&]() -> std::optional<std::string> {
            if (joined)
                return argument->substr(joinedAt + (longOption ? 1 : 0));
            if (std::next(argument) == arguments.end())
                return std::nullopt;
            return *++argument;
        };
        // A lone "-" is a name; "--" lets names that begin with "-" through.
        if (optionsEnded || argument->size() < 2 || argument->front() != '-') {
            command.paths.push_back(*argument);
        } else if (*argument == "--") {
            optionsEnded = true;
        } else if (*argument == "--help" || *argument == "-h") {
            command.action = CommandLine::Action::Help;
            return command;
        } else if (*argument == "--version" || *argument == "-V") {
            command.action = CommandLine::Action::Version;
            return command;
        } else if (*argument == "--convert") {
            converting = true;
        } else if (name == "--to" || name == "--jobs") {
            const std::optional<std::string> given = value();
            const std::optional<int> jobs = given ? JobCount(*given) : std::nullopt;
            if (!given || given->empty() || (name == "--jobs" && !jobs))
                return Misused(CommandLine::Misuse::BadValue, name + " " + given.value_or(""));
            if (name == "--to")
                command.convert.destination = *given;
            else
                command.convert.jobs = *jobs;
            conversionOption = conversionOption.empty() ? name : conversionOption;
        } else {
            // Each switch sets its answer; --folders, the default now, stays for scripts.
            const std::tuple<const char*, bool ConvertOptions::*, bool> switches[] = {
                {"--replace", &ConvertOptions::replace, true},
                {"--folders", &ConvertOptions::separateFolders, true},
                {"--flat", &ConvertOptions::separateFolders, false},
                {"--no-subfolders", &ConvertOptions::subfolders, false},
                {"--no-tags", &ConvertOptions::tags, false},
                {"--quiet", &ConvertOptions::quiet, true},
                {"-q", &ConvertOptions::quiet, true}};
            const auto known =
                std::find_if(std::begin(switches), std::end(switches),
                             [&](const auto& known) { return *argument == std::get<0>(known); });
            if (known == std::end(switches))
                return Misused(CommandLine::Misuse::UnknownOption, *argument);
            command.convert.*std::get<1>(*known) = std::get<2>(*known);
            conversionOption = conversionOption.empty() ? *argument : conversionOption;
        }
    }
    // The window asks its own questions: the conversion's options are not its.
    if (!converting && !conversionOption.empty())
        return Misused(CommandLine::Misuse::UnknownOption, conversionOption);
    if (converting && command.paths.empty())
        return Misused(CommandLine::Misuse::NothingNamed, "");
    if (converting)
        command.action = CommandLine::Action::Convert;
    return command;
}

std::string StartingFolder() {
    const std::optional<Path> folder = WorkingFolder();
    return folder ? folder->Bytes() : std::string();
}

std::vector<std::string>
HandOverPaths(const std::vector<std::string>& names, const std::string& workingFolder,
              const std::function<void(const std::string&)>& reportMissing) {
    return PathsOf(LookAtNames(names, workingFolder, reportMissing));
}

std::vector<NamedPath> LookAtNames(const std::vector<std::string>& names,
                                   const std::string& workingFolder,
                                   const std::function<void(const std::string&)>& reportMissing) {
    const std::optional<Path> base = Path::Of(workingFolder);
    std::vector<NamedPath> paths;
    paths.reserve(names.size());
    for (const std::string& name : names) {
        const std::optional<Path> path = Path::Of(name, base);
        // Asked as given: "a.mp3/." is no file.
        const std::string given = path ? Path::OpenedFrom(workingFolder, name) : name;
        const FileKind kind = name.empty() ? FileKind::Missing : KindAt(given);
        if (kind == FileKind::RegularFile || kind == FileKind::Folder)
            paths.push_back({path ? path->Bytes() : name, kind});
        else
            reportMissing(name);
    }
    return paths;
}

std::string MissingNameText(const std::string& name) {
    return FillIn(Translate("CommandLine", "brindlecot: %1: ファイルもフォルダもありません\n"),
                  EscapedControls(name));
}

std::string MisuseText(const CommandLine& command) {
    switch (command.misuse) {
    case CommandLine::Misuse::BadValue:
        return FillIn(
            Translate("CommandLine", "brindlecot: オプションの値が正しくありません: %1\n"),
            EscapedControls(command.unknownOption));
    case CommandLine::Misuse::NothingNamed:
        return Translate("CommandLine",
                         "brindlecot: 変換するファイルかフォルダを指定してください\n");
    case CommandLine::Misuse::UnknownOption:
        break;
    }
    return FillIn(Translate("CommandLine", "brindlecot: 不明なオプションです: %1\n"),
                  EscapedControls(command.unknownOption));
}

std::string TryHelpText() {
    return Translate("CommandLine", "詳しくは「brindlecot --help」を実行してください\n");
}

std::string UsageText() {
    return Translate(
        "CommandLine",
        "使い方: brindlecot [オプション] [ファイル|フォルダ]...\n"
        "  または brindlecot --convert [変換オプション] ファイル|フォルダ...\n"
        "MPEG Audioファイル(.mpa .mp2 .mp3)をlameでWAVに変換します。\n"
        "指定したファイルとフォルダは、ドロップした時と同じように処理リストに追加します。\n"
        "--convertでは、ウィンドウを開かずにそれらを変換して終了します。\n"
        "\n"
        "  -h, --help     この説明を表示して終了する\n"
        "  -V, --version  バージョンを表示して終了する\n"
        "  --             これ以降の引数をすべてファイル名として扱う\n"
        "\n"
        "変換オプション:\n"
        "  -t, --to フォルダ    WAVファイルの出力先(指定しなければ変換元と同じフォルダ)\n"
        "      --replace        出力先にある同じ名前のファイルを上書きする\n"
        "      --flat           "
        "同名のWAVファイルを変換元のフォルダ構成で分けず、最初のものだけ保存する\n"
        "      --no-subfolders  フォルダのサブフォルダを検索しない\n"
        "      --no-tags        変換元のタグをWAVファイルに書き込まない\n"
        "  -j, --jobs N         同時に変換するファイルの数(既定は1、0はCPUのコア数)\n"
        "  -q, --quiet          WAVファイルにならなかったファイルだけを表示する\n");
}

std::string VersionText() {
    return "brindlecot " BRINDLECOT_VERSION "\n";
}
