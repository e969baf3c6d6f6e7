// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fs.h"

#include <functional>
#include <string>
#include <vector>

// How --convert answers what the window would ask.
struct ConvertOptions {
    std::string destination;     // --to, as given; empty: beside each source
    bool replace = false;        // --replace: yes to replacing what is there
    bool separateFolders = true; // no --flat: yes to folders of their own, as the window's default
    bool subfolders = true;      // no --no-subfolders: folders are searched to the bottom
    bool tags = true;            // no --no-tags: the sources' tags go into the WAVs
    bool quiet = false;          // --quiet: only items left without a WAV are told
    int jobs = 1;                // --jobs: decoders at once; 0 for one a core
};

// What the program was asked to do on its command line.
struct CommandLine {
    enum class Action { Run, Convert, Help, Version, Misuse };
    enum class Misuse { UnknownOption, BadValue, NothingNamed };
    Action action = Action::Run;
    // Files and folders to add to the processing list, or to convert, in order, as given.
    std::vector<std::string> paths;
    ConvertOptions convert;
    // For Misuse: what was wrong, and the option we did not know or whose value we could not take.
    Misuse misuse = Misuse::UnknownOption;
    std::string unknownOption;
};

// arguments: what followed the program's name, as the system's bytes.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The working folder the program was started in, as the system's bytes;
// empty when it can't be told (it was removed, say).
std::string StartingFolder();

// The names handed over, as the window takes them: each made absolute against
// workingFolder, before anything can change the working folder, without
// resolving links or "..", its "." components dropped, and kept when a file
// or a folder is there. Each other name
// goes to reportMissing as it was given, in order. With no workingFolder,
// relative names stay as they are.
std::vector<std::string>
HandOverPaths(const std::vector<std::string>& names, const std::string& workingFolder,
              const std::function<void(const std::string&)>& reportMissing);
// The same, each with what was found at it, so that nothing asks again.
std::vector<NamedPath> LookAtNames(const std::vector<std::string>& names,
                                   const std::string& workingFolder,
                                   const std::function<void(const std::string&)>& reportMissing);

// The line that reports a handed-over name with nothing there.
std::string MissingNameText(const std::string& name);

// The line that tells a Misuse, and the line that follows it.
std::string MisuseText(const CommandLine& command);
std::string TryHelpText();

std::string UsageText();
std::string VersionText();
