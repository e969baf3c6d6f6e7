// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <string>

// Where brindlecot.ini lives. Beside the executable when it can be kept there:
// the folder is not in a system folder (/usr, /bin, /sbin, /lib*, /opt, /etc),
// it can be written and the file is missing or a writable file (it is
// replaced, not rewritten, so the folder must be writable too). Otherwise the
// per-user file CONFIG/brindlecot/brindlecot.ini, CONFIG being xdgConfigHome
// when it is absolute, else home/.config; its folders are created here, and
// when that fails the path is still given, for writing to report the error.
std::string SettingsPath(const std::string& executableFolder, const std::string& xdgConfigHome,
                         const std::string& home);

// SettingsPath for the running executable and our environment.
std::string SettingsPath();

// Why a settings file beside the executable, which is there, is passed over
// for settingsPath: it can't be written (a folder, a FIFO, a file without
// write permission), in the words of a failed write. Empty when it is not.
std::string SettingsPassedOver(const std::string& executableFolder,
                               const std::string& settingsPath);

// Reads the settings file: every value line after a "[front]" line is passed
// to applyFront (true only for exactly "On"; a missing value line is false),
// so the last one wins; the same for "[parallel]" and applyParallel, which a
// file without that line never calls; and for "[tags]" and applyTags, false
// only for exactly "Off", as tags are carried unless the file says so. Only a
// regular file (a link to one included) is read, and only its first 64 KiB;
// anything else at the path applies nothing. Throws UserError on a read error,
// after applying what was read before it.
void ReadSettings(const std::string& path, const std::function<void(bool)>& applyFront,
                  const std::function<void(bool)>& applyParallel = {},
                  const std::function<void(bool)>& applyTags = {});

// Writes "[front]" and "On"/"Off", then, when parallel, "[parallel]" and
// "On", and without tags, "[tags]" and "Off", CR LF each, by replacing the
// file with a complete new one, so a crash
// or a full disk never leaves half a file. The new file keeps the old one's
// permissions; a file without write permission is left alone. A symbolic link
// at path stays: the file it leads to is replaced, beside itself. Throws
// UserError when it can't; when the file's folder is missing, the error names
// the folder that could not be made and why.
void WriteSettings(const std::string& path, bool front, bool parallel = false, bool tags = true);
