// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "path.h"

#include "text.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <memory>

namespace {

// Appends the parts of text to normal, dropping empty and "." parts.
void AppendParts(std::string& normal, std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = text.find('/');
        const std::string_view part = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (part.empty() || part == ".")
            continue;
        if (normal.back() != '/')
            normal += '/';
        normal += part;
    }
}

} // namespace

std::optional<Path> Path::Of(std::string_view text, const std::optional<Path>& base) {
    if (text.empty() || text.find('\0') != std::string_view::npos)
        return std::nullopt;
    if (text.front() == '/')
        return Path() / text;
    if (!base)
        return std::nullopt;
    return *base / text;
}

Path Path::OfDescriptor(int fd) {
    return Path() / "proc/self/fd" / std::to_string(fd);
}

Path Path::Parent() const {
    Path parent;
    if (const std::size_t cut = bytes_.rfind('/'); cut > 0)
        parent.bytes_ = bytes_.substr(0, cut);
    return parent;
}

std::string Path::Name() const {
    return bytes_.substr(bytes_.rfind('/') + 1);
}

Path Path::operator/(std::string_view relative) const {
    Path joined = *this;
    AppendParts(joined.bytes_, relative);
    return joined;
}

std::optional<std::string> Path::Below(const Path& folder) const {
    if (*this == folder)
        return std::string();
    const std::string prefix = folder.IsRoot() ? "/" : folder.bytes_ + "/";
    if (!bytes_.starts_with(prefix))
        return std::nullopt;
    std::string rest = bytes_.substr(prefix.size());
    if (("/" + rest + "/").find("/../") != std::string::npos)
        return std::nullopt;
    return rest;
}

std::optional<Path> Path::Resolved() const {
    // The room realpath asks for; the fortified C library checks it at run time.
    char resolved[PATH_MAX];
    if (::realpath(bytes_.c_str(), resolved) == nullptr)
        return std::nullopt;
    return Path::Of(resolved);
}

std::string Path::ExtensionOf(std::string_view text) {
    return AsciiLower(LastCharacters(text, 4));
}

Path Path::WithExtension(std::string_view extension) const {
    // The name's last characters go, within the name: never its separator.
    const std::string name = Name();
    Path changed = Parent();
    if (!changed.IsRoot())
        changed.bytes_ += '/';
    changed.bytes_ += DropLastCharacters(name, 3);
    changed.bytes_ += extension;
    return changed;
}

std::optional<Path> Path::CommonFolder(const std::vector<Path>& folders) {
    std::optional<Path> common;
    for (const Path& folder : folders) {
        if (!common)
            common = folder;
        while (!folder.IsBelow(*common) && !common->IsRoot())
            common = common->Parent();
    }
    return common;
}

std::string Path::OpenedFrom(std::string_view folder, std::string_view text) {
    if (text.starts_with('/'))
        return std::string(text);
    std::string opened(folder);
    if (!opened.empty() && opened.back() != '/')
        opened += '/';
    return opened += text;
}

std::optional<Path> WorkingFolder() {
    const std::unique_ptr<char, decltype(&std::free)> folder(::getcwd(nullptr, 0), &std::free);
    return folder ? Path::Of(folder.get()) : std::nullopt;
}
