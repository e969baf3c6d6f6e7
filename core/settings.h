#pragma once

#include <functional>
#include <string>

// brindlecot.ini beside the executable.
std::string SettingsPath();

// Reads the settings file: every value line after a "[front]" line is passed
// to applyFront (true only for exactly "On"; a missing value line is false),
// so the last one wins. No file, or a folder of that name, applies nothing.
// Throws UserError on a read error, after applying what was read before it.
void ReadSettings(const std::string& path, const std::function<void(bool)>& applyFront);

// Writes "[front]" and "On"/"Off", CR LF each, by replacing the file with a
// complete new one, so a crash or a full disk never leaves half a file.
// Throws UserError when it can't.
void WriteSettings(const std::string& path, bool front);
