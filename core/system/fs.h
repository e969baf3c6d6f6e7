// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Small questions to the file system, asked one way everywhere. Paths are the
// file system's own bytes.

#include "path.h"

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class FileKind { Missing, RegularFile, Folder, Link, Other };

// What is at path. Links are followed unless followLinks is false, in which
// case a link reads as Link. Anything that can't be asked reads as Missing.
FileKind KindAt(const std::string& path, bool followLinks = true);

// A path and what was at it when it was looked at, so that a name looked at
// once is not asked about again.
struct NamedPath {
    std::string path;
    FileKind kind = FileKind::Missing;
};
// Looks at each of paths once, links followed.
std::vector<NamedPath> LookAt(const std::vector<std::string>& paths);
// The paths alone.
std::vector<std::string> PathsOf(const std::vector<NamedPath>& named);

inline bool IsRegularFile(const std::string& path) {
    return KindAt(path) == FileKind::RegularFile;
}
inline bool IsFolder(const std::string& path) {
    return KindAt(path) == FileKind::Folder;
}
// True when an executable regular file (or a link to one) is at path.
bool IsExecutableFile(const std::string& path);
inline bool Exists(const std::string& path) {
    return KindAt(path, false) != FileKind::Missing;
}

// Makes folder and every missing folder above it with mode (less the umask):
// 0, or the error of the one that could not be made. Each folder made is
// added to made, when given, the outer ones first.
int MakeFolders(const std::string& folder, mode_t mode = 0777,
                std::vector<std::string>* made = nullptr);

// The size in bytes of what is at path, links followed; nothing when there is nothing.
std::optional<std::int64_t> FileSize(const Path& path);
// The same for a path as the user gave it.
std::optional<std::int64_t> FileSize(const std::string& path);

// True when both paths lead to one file (same device and inode), links followed.
bool SameFile(const std::string& a, const std::string& b);

// True when count more descriptors could be opened now.
bool DescriptorsFree(int count);

// The folder of the running executable, without a trailing separator.
std::string ExecutableFolder();

// Who is at path and when it last changed, links not followed: a file
// rewritten in place keeps its identity but not its times or size.
struct FileStamp {
    std::uint64_t device = 0, inode = 0;
    FileKind kind = FileKind::Missing;
    std::int64_t size = 0, modifiedNs = 0, changedNs = 0;
    std::uint32_t mode = 0, owner = 0, group = 0; // permission bits, user and group
    bool operator==(const FileStamp&) const = default;
};
// Nothing when nothing is there (or it can't be asked).
std::optional<FileStamp> StampAt(const Path& path, bool followLinks = false);
// The same for name in the folder open as folder.
std::optional<FileStamp> StampAt(int folder, const std::string& name);
// The same for an open file.
std::optional<FileStamp> StampOf(int fd);

// The texts of file errors, as the error box shows them, each colon as the
// user's language writes it (LabelledText):
//   FileErrorText: what: "path" (reason)
//   PathErrorText: path: reason
std::string FileErrorText(std::string_view what, const std::string& path, std::string_view reason);
std::string FileErrorText(std::string_view what, const std::string& path, int error);
std::string PathErrorText(const std::string& path, int error);
std::string PathErrorText(const Path& path, int error);
