#pragma once

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

std::string UsageText();
std::string VersionText();
