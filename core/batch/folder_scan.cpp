// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "folder_scan.h"

#include "fs.h"
#include "message_service.h"
#include "text.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <set>
#include <tuple>
#include <utility>

namespace {

// An open folder listing, closed when it goes out of scope.
class FolderListing {
  public:
    explicit FolderListing(const std::string& folder) : dir_(opendir(folder.c_str())) {}
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;
    ~FolderListing() {
        if (dir_)
            closedir(dir_);
    }

    bool IsOpen() const { return dir_ != nullptr; }
    int Descriptor() const { return dirfd(dir_); }

    // The next entry, or null at the end; errno tells a read error from the end.
    const dirent* Next() {
        errno = 0;
        return readdir(dir_);
    }

  private:
    DIR* dir_;
};

using FolderId = std::pair<dev_t, ino_t>;

// The order names are shown in: alphabetical with ASCII case ignored, the
// raw bytes breaking ties. The lower-cased key is made once per name.
struct OrderedName {
    std::string key;
    std::string name;
    bool operator<(const OrderedName& other) const {
        return std::tie(key, name) < std::tie(other.key, other.name);
    }
};

OrderedName Ordered(const char* name) {
    return {AsciiLower(name), name};
}

bool IsHidden(const char* name) {
    return name[0] == '.';
}

// What an entry is once links are followed; the entry type spares a stat for
// everything but links and file systems that do not report types.
enum class Kind { Folder, RegularFile, Other };

Kind KindOf(const dirent& entry, int folderDescriptor) {
    switch (entry.d_type) {
    case DT_DIR:
        return Kind::Folder;
    case DT_REG:
        return Kind::RegularFile;
    case DT_LNK:
    case DT_UNKNOWN:
        break;
    default:
        return Kind::Other;
    }
    struct stat info;
    if (fstatat(folderDescriptor, entry.d_name, &info, 0) != 0)
        return Kind::Other; // a dangling link is neither
    if (S_ISDIR(info.st_mode))
        return Kind::Folder;
    return S_ISREG(info.st_mode) ? Kind::RegularFile : Kind::Other;
}

// Every folder a scan has entered. Refusing only the folders on the way down
// is not enough: link webs such as /sys, or a link to the root, have
// exponentially many paths to the same folders.
using Entered = std::set<FolderId>;

void Scan(const std::string& folder, bool recurse, std::vector<std::string>& found,
          Entered& entered) {
    // What this folder holds of interest, read in full before going deeper so
    // that one descriptor is open at a time however deep the tree goes.
    std::vector<std::pair<OrderedName, Kind>> entries;
    {
        // Full paths are opened on purpose: a folder deeper than PATH_MAX fails
        // to open and adds nothing.
        FolderListing listing(folder);
        if (!listing.IsOpen())
            return;
        // The folder itself is asked, not the entry that led here: a link or a
        // mount point reports a different identity than the folder it opens.
        struct stat info;
        if (fstat(listing.Descriptor(), &info) != 0)
            return;
        if (!entered.insert({info.st_dev, info.st_ino}).second)
            return;

        // A read error part way simply ends the listing, keeping what was read.
        while (const dirent* entry = listing.Next()) {
            const char* name = entry->d_name;
            if (IsHidden(name))
                continue;
            // The name test is the path's own: the three extensions are ASCII
            // and a "/" never belongs to one, so the name's tail decides.
            const bool audioName = IsMpegAudioPath(name);
            const bool mayBeFolder =
                entry->d_type == DT_DIR || entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN;
            if (!audioName && !(recurse && mayBeFolder))
                continue;
            const Kind kind = KindOf(*entry, listing.Descriptor());
            if ((kind == Kind::Folder && recurse) || (kind == Kind::RegularFile && audioName))
                entries.emplace_back(Ordered(name), kind);
        }
    }
    // Listings come in the file system's own order, a hash order on most
    // Linux file systems; the list shows names in the order the source list
    // uses, a subfolder's files where the subfolder falls in it.
    std::sort(entries.begin(), entries.end());
    for (const auto& [ordered, kind] : entries) {
        if (kind == Kind::Folder)
            Scan(folder + ordered.name + '/', recurse, found, entered);
        else
            found.push_back(folder + ordered.name);
    }
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && AsciiLower(text.substr(0, prefix.size())) == prefix;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string PercentDecoded(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            bytes += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            bytes += text[i]; // a stray "%" stays as it came
        }
    }
    return bytes;
}

// The local path of one file URI, or empty when it names another host, another
// scheme or no absolute path.
std::string LocalPath(std::string_view uri) {
    constexpr std::string_view scheme = "file:";
    if (!StartsWithNoCase(uri, scheme))
        return {};
    std::string_view rest = uri.substr(scheme.size());
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        const std::size_t slash = rest.find('/');
        if (slash == std::string_view::npos)
            return {};
        const std::string_view authority = rest.substr(0, slash);
        if (!authority.empty() && AsciiLower(authority) != "localhost")
            return {};
        rest.remove_prefix(slash);
    }
    if (!rest.starts_with('/'))
        return {};
    // "?" and "#" in a name arrive percent-encoded, so the rest is all path.
    std::string path = PercentDecoded(rest);
    // A NUL byte would cut the path short and name another file.
    if (path.find('\0') != std::string::npos)
        return {};
    return path;
}

} // namespace

void ScanFolder(const std::string& folder, bool recurse, std::vector<std::string>& found) {
    Entered entered;
    Scan(folder, recurse, found, entered);
}

std::vector<std::string> GatherDroppedPaths(const std::vector<std::string>& paths, bool recurse) {
    return GatherDroppedPaths(LookAt(paths), recurse);
}

std::vector<std::string> GatherDroppedPaths(const std::vector<NamedPath>& paths, bool recurse) {
    std::vector<std::string> found;
    Entered entered; // one drop is one scan
    for (const auto& [path, kind] : paths) {
        if (IsMpegAudioPath(path))
            found.push_back(path);
        if (kind == FileKind::Folder)
            Scan(path + '/', recurse, found, entered);
    }
    return found;
}

std::vector<std::string> ParseUriList(std::string_view uriList) {
    std::vector<std::string> paths;
    while (!uriList.empty()) {
        const std::size_t end = uriList.find('\n');
        std::string_view line = uriList.substr(0, end);
        uriList.remove_prefix(end == std::string_view::npos ? uriList.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty() || line.starts_with('#'))
            continue;
        std::string path = LocalPath(line);
        if (!path.empty())
            paths.push_back(std::move(path));
    }
    return paths;
}

std::string FileAddress(std::string_view path, std::string_view workingFolder) {
    const std::string absolute = Path::OpenedFrom(workingFolder, path);
    std::string address = "file://";
    for (const char c : absolute) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') ||
                           std::string_view("-._~/").find(c) != std::string_view::npos;
        if (plain) {
            address += c;
        } else {
            constexpr char kHex[] = "0123456789ABCDEF";
            address += {'%', kHex[byte >> 4], kHex[byte & 15]};
        }
    }
    return address;
}

std::vector<std::string> ListSourceFolder(const std::string& folder) {
    FolderListing listing(folder);
    const auto fail = [&] {
        const int error = errno;
        throw UserError(PathErrorText(folder, error));
    };
    if (!listing.IsOpen())
        fail();

    std::vector<OrderedName> names;
    while (const dirent* entry = listing.Next()) {
        const char* name = entry->d_name;
        if (IsHidden(name) || !IsMpegAudioPath(name))
            continue;
        if (KindOf(*entry, listing.Descriptor()) == Kind::RegularFile)
            names.push_back(Ordered(name));
    }
    if (errno != 0)
        fail();

    std::sort(names.begin(), names.end());
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (OrderedName& n : names)
        sorted.push_back(std::move(n.name));
    return sorted;
}
