// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The one place where paths are taken apart and put together. Paths are the
// file system's own bytes, whatever they are.

#include <compare>
#include <optional>
#include <string>
#include <string_view>

// An absolute path in normal form: "/" and the names below it, none of them
// empty or ".", with no trailing separator but the root's. A ".." stays: only
// the file system knows where it leads through a link (Resolved).
class Path {
  public:
    // The root.
    Path() = default;
    // text in normal form, a relative one taken from base; nothing for a
    // relative text without a base, an empty one, or one holding a NUL.
    static std::optional<Path> Of(std::string_view text,
                                  const std::optional<Path>& base = std::nullopt);

    const std::string& Bytes() const { return bytes_; }
    bool IsRoot() const { return bytes_ == "/"; }
    // The folder holding it; the root's is the root.
    Path Parent() const;
    // Its last part; empty for the root.
    std::string Name() const;
    // relative joined below it, in normal form.
    Path operator/(std::string_view relative) const;
    // The part of it below folder, "" for folder itself; nothing when it is
    // not below folder, or is only by its text (a ".." on the way).
    std::optional<std::string> Below(const Path& folder) const;
    bool IsBelow(const Path& folder) const { return Below(folder).has_value(); }
    // Where it leads through the file system, links and ".." followed;
    // nothing when something on the way is missing.
    std::optional<Path> Resolved() const;

    auto operator<=>(const Path&) const = default;

  private:
    std::string bytes_ = "/";
};

// The program's working folder now, which a decoder inherits; nothing when
// it can't be told (it was removed, say).
std::optional<Path> WorkingFolder();

// The same for paths as the user gave them, relative ones too:
// folder and name joined by "/", unless folder is empty or already ends in one.
std::string JoinPath(std::string_view folder, std::string_view name);
// text as the system opens it from folder: a relative one joined below
// folder, its text kept as it is ("a.mp3/." stays no file).
std::string OpenedFrom(std::string_view folder, std::string_view text);
// The folder part of path, without a trailing separator: "/" for a name in
// the root, "." for a name without a folder.
std::string FolderOf(std::string_view path);
// The name part of path: everything after its last separator.
std::string NameOf(std::string_view path);
