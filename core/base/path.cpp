// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "path.h"

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

std::optional<Path> WorkingFolder() {
    const std::unique_ptr<char, decltype(&std::free)> folder(::getcwd(nullptr, 0), &std::free);
    return folder ? Path::Of(folder.get()) : std::nullopt;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += name;
    return path;
}

std::string OpenedFrom(std::string_view folder, std::string_view text) {
    return text.starts_with('/') ? std::string(text) : JoinPath(folder, text);
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
