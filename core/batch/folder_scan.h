// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fs.h"

#include <string>
#include <string_view>
#include <vector>

// Appends to found every MPEG audio file of folder (a path ending in "/"),
// depth-first, into subfolders when recurse is set. Each folder's entries go
// in the order of ListSourceFolder, a subfolder's files where it falls in it.
// Hidden entries (names starting with ".") are passed over; folder links are
// followed, but each folder (by device and inode) is entered once at most.
void ScanFolder(const std::string& folder, bool recurse, std::vector<std::string>& found);

// What a drop of these paths adds, in order: each path passing the extension
// test, then the MPEG audio files of each path that is a folder. The drop is
// one scan: a folder reached twice, dropped twice included, is searched once.
std::vector<std::string> GatherDroppedPaths(const std::vector<std::string>& paths, bool recurse);
// The same for paths already looked at: none is asked about again.
std::vector<std::string> GatherDroppedPaths(const std::vector<NamedPath>& paths, bool recurse);

// Local file paths of a text/uri-list, percent-decoded to the name's own bytes.
std::vector<std::string> ParseUriList(std::string_view uriList);

// The file:// address of path (made absolute against workingFolder when it is
// relative) as the desktop's openers take it: every byte but letters, digits,
// "-._~" and "/" percent-encoded, so no name is ever read as another address.
std::string FileAddress(std::string_view path, std::string_view workingFolder);

// The names of the regular, non-hidden files of folder matching
// "*.mpa;*.mp2;*.mp3" without regard to case, sorted without regard to case.
// Throws UserError when the folder can't be read.
std::vector<std::string> ListSourceFolder(const std::string& folder);
