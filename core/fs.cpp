// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fs.h"

#include "text.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += name;
    return path;
}

namespace {

FileKind KindOfMode(mode_t mode) {
    if (S_ISREG(mode))
        return FileKind::RegularFile;
    if (S_ISDIR(mode))
        return FileKind::Folder;
    return S_ISLNK(mode) ? FileKind::Link : FileKind::Other;
}

} // namespace

FileKind KindAt(const std::string& path, bool followLinks) {
    struct stat info {};
    const int result = followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
    return result != 0 ? FileKind::Missing : KindOfMode(info.st_mode);
}

namespace {

FileStamp StampOf(const struct stat& info) {
    const auto ns = [](const timespec& t) {
        return std::int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
    };
    FileStamp stamp;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.kind = KindOfMode(info.st_mode);
    stamp.size = info.st_size;
    stamp.modifiedNs = ns(info.st_mtim);
    stamp.changedNs = ns(info.st_ctim);
    stamp.mode = info.st_mode & 07777;
    stamp.owner = info.st_uid;
    stamp.group = info.st_gid;
    return stamp;
}

} // namespace

std::optional<FileStamp> StampAt(const std::string& path, bool followLinks) {
    struct stat info {};
    if ((followLinks ? ::stat : ::lstat)(path.c_str(), &info) != 0)
        return std::nullopt;
    return StampOf(info);
}

std::optional<FileStamp> StampOf(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return std::nullopt;
    return StampOf(info);
}

std::optional<std::int64_t> FileSize(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return static_cast<std::int64_t>(info.st_size);
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::string ExecutableFolder() {
    // The room realpath asks for; the fortified C library checks it at run time.
    char path[PATH_MAX];
    if (::realpath("/proc/self/exe", path) == nullptr)
        return {};
    return FolderOf(path);
}

std::string FileErrorText(std::string_view what, const std::string& path, std::string_view reason) {
    return std::string(what) + ": \"" + Utf8Bytes(DisplayText(path)) + "\" (" +
           std::string(reason) + ")";
}

std::string FileErrorText(std::string_view what, const std::string& path, int error) {
    return FileErrorText(what, path, std::strerror(error));
}

std::string PathErrorText(const std::string& path, int error) {
    return Utf8Bytes(DisplayText(path)) + ": " + std::strerror(error);
}

bool IsExecutableFile(const std::string& path) {
    return IsRegularFile(path) && ::access(path.c_str(), X_OK) == 0;
}

std::string FolderOf(std::string_view path) {
    const std::size_t cut = path.rfind('/');
    if (cut == std::string_view::npos)
        return ".";
    return std::string(cut == 0 ? "/" : path.substr(0, cut));
}

std::string NameOf(std::string_view path) {
    const std::size_t cut = path.rfind('/');
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

int MakeFolders(const std::string& folder) {
    if (IsFolder(folder))
        return 0;
    if (const std::string parent = FolderOf(folder); parent != folder)
        if (const int error = MakeFolders(parent))
            return error;
    if (::mkdir(folder.c_str(), 0777) == 0 || (errno == EEXIST && IsFolder(folder)))
        return 0;
    return errno;
}
