#include "fs.h"

#include "text.h"

#include <sys/stat.h>

#include <cstring>

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += name;
    return path;
}

FileKind KindAt(const std::string& path, bool followLinks) {
    struct stat info {};
    const int result = followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
    if (result != 0)
        return FileKind::Missing;
    if (S_ISREG(info.st_mode))
        return FileKind::RegularFile;
    if (S_ISDIR(info.st_mode))
        return FileKind::Folder;
    return S_ISLNK(info.st_mode) ? FileKind::Link : FileKind::Other;
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
