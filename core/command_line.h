// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <string>
#include <vector>

// What the program was asked to do on its command line.
struct CommandLine {
    enum class Action { Run, Help, Version, Misuse };
    Action action = Action::Run;
    // Files and folders to add to the processing list, in order, as given.
    std::vector<std::string> paths;
    // The option we did not know, for Misuse.
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

// The line that reports a handed-over name with nothing there.
std::string MissingNameText(const std::string& name);

std::string UsageText();
std::string VersionText();
