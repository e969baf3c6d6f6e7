// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "decoder.h"

#include "fs.h"

#include <cstdlib>

namespace {

constexpr std::string_view kDecoderName = "lame";

// lame takes every argument that starts with "-" as an option and knows no "--".
std::string NotAnOption(const std::string& path) {
    return !path.empty() && path.front() == '-' ? "./" + path : path;
}

} // namespace

std::string FindOnPath(std::string_view name, std::string_view pathVariable) {
    // An empty or relative entry would mean whatever folder we were started
    // in (often the user's music): only absolute folders are searched.
    for (std::size_t start = 0; start <= pathVariable.size();) {
        std::size_t end = pathVariable.find(':', start);
        if (end == std::string_view::npos)
            end = pathVariable.size();
        std::string_view folder = pathVariable.substr(start, end - start);
        if (const std::optional<Path> absolute = Path::Of(folder); absolute) {
            std::string candidate = (*absolute / name).Bytes();
            if (IsExecutableFile(candidate))
                return candidate;
        }
        start = end + 1;
    }
    return {};
}

std::string FindDecoder(const std::string& executableFolder, std::string_view pathVariable) {
    std::string beside = Path::OpenedFrom(executableFolder, kDecoderName);
    if (DecoderPresent(beside))
        return beside;
    std::string onPath = FindOnPath(kDecoderName, pathVariable);
    return onPath.empty() ? beside : onPath;
}

std::string DecoderPath() {
    // Without PATH, the system's default search path, as execvp would use.
    const char* path = std::getenv("PATH");
    return FindDecoder(ExecutableFolder(), path ? path : "/bin:/usr/bin");
}

bool DecoderPresent(const std::string& decoderPath) {
    // A lame that can't be run must not stand in for one on PATH: every item
    // would fail to start.
    return IsExecutableFile(decoderPath);
}

DecoderCommand BuildDecoderCommand(const std::string& decoderPath, DecoderOption option,
                                   const std::string& source, const std::string& output) {
    DecoderCommand command;
    command.arguments = {decoderPath, "--decode"};
    if (option == DecoderOption::DecodeMp1Input)
        command.arguments.push_back("--mp1input");
    else if (option == DecoderOption::DecodeMp2Input)
        command.arguments.push_back("--mp2input");
    else if (option == DecoderOption::DecodeMp3Input)
        command.arguments.push_back("--mp3input");
    command.arguments.push_back(NotAnOption(source));
    command.arguments.push_back(NotAnOption(output));
    return command;
}
