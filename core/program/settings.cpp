// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings.h"

#include "fs.h"
#include "message_service.h"
#include "text.h"
#include "unique_fd.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <pwd.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path, int error) {
    throw UserError(FileErrorText(what, path, error));
}

// Splits the file into the lines a text reader sees: LF ends a line, CR is
// dropped, Ctrl-Z ends a line's text there, and at a line's first byte ends
// the file.
std::vector<std::string> TextLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string line;
    bool atLineStart = true, skipping = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            atLineStart = true;
            skipping = false;
            continue;
        }
        if (c == '\x1a' && atLineStart)
            return lines;
        atLineStart = false;
        if (skipping || c == '\r')
            continue;
        if (c == '\x1a') {
            skipping = true;
            continue;
        }
        line += c;
    }
    if (!atLineStart)
        lines.push_back(std::move(line));
    return lines;
}

// Every "[front]", "[parallel]" or "[tags]" line takes the next line as its
// value; the last one wins. Other lines are passed over, as a reader of
// "[front]" alone does.
void ApplyFrontValues(std::string_view bytes, const std::function<void(bool)>& applyFront,
                      const std::function<void(bool)>& applyParallel,
                      const std::function<void(bool)>& applyTags) {
    const auto lines = TextLines(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool front = lines[i] == "[front]", tags = lines[i] == "[tags]";
        if (!front && !tags && lines[i] != "[parallel]")
            continue;
        const bool hasValue = i + 1 < lines.size();
        const bool on = hasValue && lines[i + 1] == "On";
        if (front)
            applyFront(on);
        else if (tags && applyTags)
            applyTags(!hasValue || lines[i + 1] != "Off");
        else if (!tags && applyParallel)
            applyParallel(on);
        if (hasValue)
            ++i; // the value line is never itself a section line
    }
}

} // namespace

namespace {

constexpr std::string_view kSettingsName = "brindlecot.ini";

// A program installed by the system lives in one of these; a file it left
// there (run as root, which may write them) would belong to no package.
bool IsSystemFolder(std::string_view folder) {
    std::optional<Path> path = Path::Of(folder);
    if (!path)
        return false;
    while (!path->Parent().IsRoot())
        path = path->Parent();
    const std::string top = path->Name();
    return top == "usr" || top == "bin" || top == "sbin" || top == "opt" || top == "etc" ||
           top.starts_with("lib");
}

// Where a chain of links at path ends, each relative target taken from its
// link's folder; path itself when it is no link. A dotfile manager keeps the
// file elsewhere and a link in its place, which must stay a link. Nothing,
// with error set, when a link can't be read or the chain does not end.
std::optional<std::string> FinalTarget(const std::string& path, int& error) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length <= 0 || std::size_t(length) >= target.size()) {
            error = length < 0 ? errno : ENAMETOOLONG;
            return std::nullopt;
        }
        target.resize(std::size_t(length));
        // A relative target is read from the link's own folder.
        if (const std::optional<Path> link = Path::Of(current, WorkingFolder()))
            target = Path::OpenedFrom(link->Parent().Bytes(), target);
        current = std::move(target);
    }
    error = ELOOP;
    return std::nullopt;
}

bool CanKeepSettingsIn(const std::string& folder) {
    if (IsSystemFolder(folder))
        return false;
    if (!IsFolder(folder) || ::access(folder.c_str(), W_OK | X_OK) != 0)
        return false;
    const std::string path = Path::OpenedFrom(folder, kSettingsName);
    // A link to a file not made yet (a dotfile manager's) is kept as a link
    // to a file: the file is made where it leads.
    int error = 0;
    if (const auto target = FinalTarget(path, error);
        target && *target != path && !Exists(*target)) {
        const std::optional<Path> made = Path::Of(*target, WorkingFolder());
        const std::string targetFolder = made ? made->Parent().Bytes() : std::string();
        return IsFolder(targetFolder) && ::access(targetFolder.c_str(), W_OK | X_OK) == 0;
    }
    return !Exists(path) || (IsRegularFile(path) && ::access(path.c_str(), W_OK) == 0);
}

// Why a file can't be made in folder when a folder on its way is missing:
// the first missing one and why it could not be made in its parent (the
// per-user folders are made at start, and that is what failed). Nothing when
// the cause is not found.
std::optional<std::pair<std::string, int>> FolderThatCouldNotBeMade(const std::string& folder) {
    if (KindAt(folder) != FileKind::Missing)
        return std::nullopt;
    std::optional<Path> missing = Path::Of(folder);
    while (missing && !missing->IsRoot()) {
        const Path parent = missing->Parent();
        switch (KindAt(parent.Bytes())) {
        case FileKind::Missing:
            missing = parent;
            continue;
        case FileKind::Folder:
            if (::faccessat(AT_FDCWD, parent.Bytes().c_str(), W_OK | X_OK, AT_EACCESS) != 0)
                return std::pair(missing->Bytes(), errno);
            return std::nullopt;
        default:
            return std::pair(missing->Bytes(), ENOTDIR);
        }
    }
    return std::nullopt;
}

} // namespace

std::string SettingsPath(const std::string& executableFolder, const std::string& xdgConfigHome,
                         const std::string& home) {
    if (CanKeepSettingsIn(executableFolder))
        return Path::OpenedFrom(executableFolder, kSettingsName);
    const std::string configHome = !xdgConfigHome.empty() && xdgConfigHome.front() == '/'
                                       ? xdgConfigHome
                                       : Path::OpenedFrom(home, ".config");
    const std::string folder = Path::OpenedFrom(configHome, "brindlecot");
    // The freedesktop rules ask for private configuration folders.
    MakeFolders(folder, 0700);
    return Path::OpenedFrom(folder, kSettingsName);
}

std::string SettingsPath() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::string homeFolder = home ? home : "";
    if (homeFolder.empty())
        if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
            homeFolder = entry->pw_dir;
    return SettingsPath(ExecutableFolder(), xdg ? xdg : "", homeFolder);
}

std::string SettingsPassedOver(const std::string& executableFolder,
                               const std::string& settingsPath) {
    const std::string beside = Path::OpenedFrom(executableFolder, kSettingsName);
    if (settingsPath == beside || IsSystemFolder(executableFolder) || !Exists(beside))
        return {};
    const std::string reason = IsFolder(beside) ? std::strerror(EISDIR)
                               : !IsRegularFile(beside)
                                   ? Translate("Settings", "通常のファイルではありません")
                                   : std::strerror(EACCES);
    return FileErrorText(Translate("Settings", "設定ファイルを書けません"), beside, reason);
}

void ReadSettings(const std::string& path, const std::function<void(bool)>& applyFront,
                  const std::function<void(bool)>& applyParallel,
                  const std::function<void(bool)>& applyTags) {
    // Only a regular file holds settings: a link to /dev/zero, or a FIFO,
    // would never end, and the two lines never need more than a few bytes.
    constexpr std::size_t kLimit = 64 * 1024;
    if (!IsRegularFile(path))
        return;
    UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.Get() < 0)
        Fail(Translate("Settings", "設定ファイルを読めません"), path, errno);
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return; // replaced by something else since we looked

    std::string bytes;
    char block[4096];
    while (bytes.size() < kLimit) {
        const ssize_t n = ::read(file.Get(), block, std::min(sizeof block, kLimit - bytes.size()));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            // What arrived before the error is applied, as a line reader would have.
            ApplyFrontValues(bytes, applyFront, applyParallel, applyTags);
            Fail(Translate("Settings", "設定ファイルを読めません"), path, error);
        }
        if (n == 0)
            break;
        bytes.append(block, static_cast<std::size_t>(n));
    }
    ApplyFrontValues(bytes, applyFront, applyParallel, applyTags);
}

void WriteSettings(const std::string& linkOrFile, bool front, bool parallel, bool tags) {
    // The file is written where a link at its place leads, the link kept.
    int linkError = 0;
    const std::optional<std::string> target = FinalTarget(linkOrFile, linkError);
    if (!target)
        Fail(Translate("Settings", "設定ファイルを書けません"), linkOrFile, linkError);
    const std::string& path = *target;
    // The new file takes the old one's place, so it takes its permissions too;
    // one the user made read-only is refused as a plain write would refuse it,
    // root included.
    struct stat old {};
    const bool replacing = ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    if (replacing && ((old.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0))
        Fail(Translate("Settings", "設定ファイルを書けません"), path, EACCES);

    std::string temporary = path + ".XXXXXX";
    UniqueFd file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.Get() < 0) {
        const int error = errno;
        const std::optional<Path> file = Path::Of(path, WorkingFolder());
        if (error == ENOENT && file)
            if (const auto cause = FolderThatCouldNotBeMade(file->Parent().Bytes()))
                Fail(Translate("Settings", "設定フォルダを作れません"), cause->first,
                     cause->second);
        Fail(Translate("Settings", "設定ファイルを書けません"), path, error);
    }

    // A file without the lines reads as the defaults (tags carried, the rest
    // off): such a file stays exactly as it always was.
    const std::string text = std::string("[front]\r\n") + (front ? "On" : "Off") + "\r\n" +
                             (parallel ? "[parallel]\r\nOn\r\n" : "") +
                             (tags ? "" : "[tags]\r\nOff\r\n");
    auto fail = [&](int error) {
        ::unlink(temporary.c_str());
        Fail(Translate("Settings", "設定ファイルを書けません"), path, error);
    };
    mode_t mode = old.st_mode & 07777;
    if (!replacing) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(file.Get(), mode) != 0)
        fail(errno);
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(file.Get(), text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail(n < 0 ? errno : ENOSPC);
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(file.Get()) != 0)
        fail(errno);
    if (::close(file.Release()) != 0)
        fail(errno);
    if (::rename(temporary.c_str(), path.c_str()) != 0)
        fail(errno);
}
