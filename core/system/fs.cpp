// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fs.h"

#include "text.h"
#include "unique_fd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

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

std::vector<NamedPath> LookAt(const std::vector<std::string>& paths) {
    std::vector<NamedPath> named;
    named.reserve(paths.size());
    for (const std::string& path : paths)
        named.push_back({path, KindAt(path)});
    return named;
}

std::vector<std::string> PathsOf(const std::vector<NamedPath>& named) {
    std::vector<std::string> paths;
    paths.reserve(named.size());
    for (const NamedPath& one : named)
        paths.push_back(one.path);
    return paths;
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

std::optional<FileStamp> StampAt(const Path& path, bool followLinks) {
    struct stat info {};
    if ((followLinks ? ::stat : ::lstat)(path.Bytes().c_str(), &info) != 0)
        return std::nullopt;
    return StampOf(info);
}

std::optional<FileStamp> StampAt(int folder, const std::string& name) {
    struct stat info {};
    if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    return StampOf(info);
}

std::optional<FileStamp> StampOf(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return std::nullopt;
    return StampOf(info);
}

std::optional<std::int64_t> FileSize(const Path& path) {
    return FileSize(path.Bytes());
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

bool DescriptorsFree(int count) {
    std::vector<UniqueFd> held;
    held.emplace_back(::open("/", O_PATH | O_CLOEXEC));
    while (held.back() && int(held.size()) < count)
        held.emplace_back(::fcntl(held.front().Get(), F_DUPFD_CLOEXEC, 0));
    return bool(held.back());
}

std::string ExecutableFolder() {
    const std::optional<Path> executable = (Path() / "proc/self/exe").Resolved();
    return executable ? executable->Parent().Bytes() : std::string();
}

std::string FileErrorText(std::string_view what, const std::string& path, std::string_view reason) {
    return LabelledText(what,
                        "\"" + Utf8Bytes(DisplayText(path)) + "\" (" + std::string(reason) + ")");
}

std::string FileErrorText(std::string_view what, const std::string& path, int error) {
    return FileErrorText(what, path, std::strerror(error));
}

std::string PathErrorText(const std::string& path, int error) {
    return LabelledText(Utf8Bytes(DisplayText(path)), std::strerror(error));
}

std::string PathErrorText(const Path& path, int error) {
    return PathErrorText(path.Bytes(), error);
}

bool IsExecutableFile(const std::string& path) {
    return IsRegularFile(path) && ::access(path.c_str(), X_OK) == 0;
}

int MakeFolders(const std::string& folder, mode_t mode, std::vector<std::string>* made) {
    if (IsFolder(folder))
        return 0;
    const std::optional<Path> path = Path::Of(folder, WorkingFolder());
    if (!path)
        return ENOENT;
    if (!path->IsRoot())
        if (const int error = MakeFolders(path->Parent().Bytes(), mode, made))
            return error;
    if (::mkdir(folder.c_str(), mode) == 0) {
        if (made)
            made->push_back(folder);
        return 0;
    }
    const int error = errno;
    return error == EEXIST && IsFolder(folder) ? 0 : error;
}
