// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The one place where paths are taken apart and put together. Paths are the
// file system's own bytes, whatever they are.

#include <optional>
#include <string> // and <compare>, for the ordering
#include <string_view>
#include <vector>

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
    // The path through which the system opens the file open as fd again.
    static Path OfDescriptor(int fd);

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
    // Its text as a folder's: ending in "/".
    std::string FolderText() const { return IsRoot() ? bytes_ : bytes_ + "/"; }

    // The extension the program's rules go by, of a name or of a path's text:
    // its last four characters (a dot and three more for the files it
    // converts; all of a shorter text), ASCII letters lower-cased, so that
    // "Song.MP3" has ".mp3". Characters, not bytes.
    static std::string ExtensionOf(std::string_view text);
    std::string Extension() const { return ExtensionOf(Name()); }
    // The same path with the last three characters of its name, the
    // extension after its dot, replaced by extension: "song.mp3" with "wav"
    // is "song.wav"; a shorter name gives way whole ("a" gives "wav").
    // extension is not empty.
    Path WithExtension(std::string_view extension) const;

    // The deepest folder holding every one of folders; nothing for none.
    static std::optional<Path> CommonFolder(const std::vector<Path>& folders);

    // A text as the system opens it from folder, for a name as the user gave
    // it: a relative one joined below folder, its text kept as it is
    // ("a.mp3/." stays no file, "a//b" keeps its two separators).
    static std::string OpenedFrom(std::string_view folder, std::string_view text);

    auto operator<=>(const Path&) const = default;

  private:
    std::string bytes_ = "/";
};

// The program's working folder now, which a decoder inherits; nothing when
// it can't be told (it was removed, say).
std::optional<Path> WorkingFolder();
