// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output_folder.h"

#include "text.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <random>
#include <set>
#include <string_view>
#include <utility>

namespace {

std::string RandomLetters(std::size_t count, bool lowerOnly = false) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    std::string letters;
    for (std::size_t i = 0; i < count; ++i)
        letters += kLetters[random() % (lowerOnly ? 26 : sizeof kLetters - 1)];
    return letters;
}

// Our hidden files: ".NAME.brindlecot-XXXXXXXX.wav", XXXXXXXX random letters
// and digits, so that no other program's file is taken for one of ours.
constexpr std::string_view kHiddenMark = ".brindlecot-";
constexpr std::size_t kHiddenRandom = 8;

std::string HiddenNameFor(const std::string& output) {
    // "song.wav" hides as ".song.brindlecot-XXXXXXXX.wav".
    std::string stem = output;
    if (stem.size() > 4 && Path::ExtensionOf(stem) == ".wav")
        stem.resize(stem.size() - 4); // four ASCII bytes
    // Room for the dot, the mark, the random part and the extension within a name's 255 bytes.
    constexpr std::size_t kLongestStem = 200;
    if (stem.size() > kLongestStem) {
        stem.resize(kLongestStem);
        while (!stem.empty() && (static_cast<unsigned char>(stem.back()) & 0xC0) == 0x80)
            stem.pop_back(); // never half a UTF-8 character
        if (!stem.empty() && static_cast<unsigned char>(stem.back()) >= 0xC0)
            stem.pop_back();
    }
    return "." + stem + std::string(kHiddenMark) + RandomLetters(kHiddenRandom) + ".wav";
}

bool IsHiddenOutputName(std::string_view name) {
    const std::size_t tail = kHiddenMark.size() + kHiddenRandom + 4;
    if (name.size() <= tail || name.front() != '.' || !name.ends_with(".wav"))
        return false;
    const std::string_view random = name.substr(name.size() - 4 - kHiddenRandom, kHiddenRandom);
    return name.substr(name.size() - tail, kHiddenMark.size()) == kHiddenMark &&
           std::all_of(random.begin(), random.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
           });
}

// True when name in folder (a descriptor, or AT_FDCWD for a path) still
// names the regular file open as fd.
bool NamesFile(int folder, const std::string& name, int fd) {
    struct stat named {};
    struct stat opened {};
    return ::fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && named.st_dev == opened.st_dev &&
           named.st_ino == opened.st_ino;
}

// What this program has under way on disk: the hidden files being written,
// and the folders made for outputs. Never destroyed: exit() destroys statics
// before it runs the hook that removes these.
struct UnderWay {
    std::set<Path> hiddenFiles;
    std::vector<Path> madeFolders;
};
UnderWay& Unfinished() {
    static auto* const underWay = new UnderWay;
    return *underWay;
}

UniqueFd OpenFolder(int at, const std::string& name) {
    return UniqueFd(::openat(at, name.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
}

} // namespace

OutputFolder::OutputFolder(const Path& folder)
    : fd_(OpenFolder(AT_FDCWD, folder.Bytes())), where_(folder) {
    if (!fd_)
        error_ = errno;
}

OutputFolder::OutputFolder(const Path& folder, const Path& destination, bool make,
                           std::vector<Path>& made)
    : where_(folder) {
    errno = 0;
    within_ = destination.Resolved();
    if (!within_) {
        error_ = errno != 0 ? errno : ENOENT;
        return;
    }
    // Down from the destination one folder at a time, each judged before
    // anything is made in it; a folder not below the destination's text is
    // opened as it stands, and judged all the same.
    std::vector<std::string> parts; // below the destination, the innermost first
    if (folder.IsBelow(destination))
        for (Path part = folder; part != destination; part = part.Parent())
            parts.push_back(part.Name());
    Path reached = folder.IsBelow(destination) ? destination : folder;
    fd_ = OpenFolder(AT_FDCWD, reached.Bytes());
    for (auto name = parts.rbegin(); fd_ && StillWithin() && name != parts.rend(); ++name) {
        const std::string& part = *name;
        reached = reached / part;
        int madeError = 0;
        if (make && ::mkdirat(fd_.Get(), part.c_str(), 0777) == 0) {
            made.push_back(reached);
            Unfinished().madeFolders.push_back(reached);
        } else if (make) {
            madeError = errno == EEXIST ? 0 : errno;
        }
        fd_ = OpenFolder(fd_.Get(), part);
        if (!fd_ && madeError != 0)
            errno = madeError;
    }
    if (!fd_) {
        error_ = errno;
    } else if (!StillWithin()) {
        outside_ = true;
        fd_ = UniqueFd();
    }
}

std::optional<Path> OutputFolder::Real() const {
    char target[PATH_MAX];
    const ssize_t length =
        ::readlink(Path::OfDescriptor(fd_.Get()).Bytes().c_str(), target, sizeof target);
    if (length <= 0 || std::size_t(length) >= sizeof target)
        return std::nullopt;
    return Path::Of(std::string_view(target, std::size_t(length)));
}

bool OutputFolder::StillWithin() const {
    if (!within_)
        return true;
    const std::optional<Path> real = Real();
    return real && real->IsBelow(*within_);
}

std::optional<FileStamp> OutputFolder::StampOf(const std::string& name) const {
    return StampAt(fd_.Get(), name);
}

bool FolderIsCaseBlind(const Path& folder) {
    const std::string name = ".brindlecot-case-" + RandomLetters(12, true);
    const Path probePath = folder / name;
    const UniqueFd probe(::open(probePath.Bytes().c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!probe)
        return false;
    struct stat info {};
    const bool blind = ::lstat((folder / AsciiUpper(name)).Bytes().c_str(), &info) == 0;
    ::unlink(probePath.Bytes().c_str());
    return blind;
}

TemporaryOutput::TemporaryOutput(const Path& output)
    : TemporaryOutput(std::make_shared<OutputFolder>(output.Parent()), output.Name()) {}

// In the output's folder, the WAV is named or renamed into place on one file
// system and never copied.
TemporaryOutput::TemporaryOutput(std::shared_ptr<const OutputFolder> folder, std::string name)
    : folder_(std::move(folder)), name_(std::move(name)) {
    if (!folder_->Opened()) {
        error_ = folder_->Error();
        return;
    }
    const int at = folder_->Fd();
    // The mode the decoder would have created the WAV with: ours, less the umask.
    fd_ = ::openat(at, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
        // The lock covers the hidden name it takes for a moment when it replaces a file.
        ::flock(fd_, LOCK_EX | LOCK_NB);
        return;
    }
    // No unnamed files here (FAT, exFAT, many FUSE and network file systems):
    // a hidden file of a random name, which is no user's file.
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = HiddenNameFor(name_);
        fd_ = ::openat(at, candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                       0666);
        if (fd_ < 0 && errno != EEXIST)
            break;
        if (fd_ < 0)
            continue;
        // Another copy's look for files left over may have taken it before
        // our lock did; where nothing locks, the file is ours all the same.
        if ((::flock(fd_, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK) &&
            NamesFile(at, candidate, fd_)) {
            hidden_ = std::move(candidate);
            Unfinished().hiddenFiles.insert(MeasuredPath());
            return;
        }
        ::close(std::exchange(fd_, -1));
        errno = EEXIST;
    }
    error_ = errno;
}

TemporaryOutput::~TemporaryOutput() {
    if (!hidden_.empty()) {
        ::unlinkat(folder_->Fd(), hidden_.c_str(), 0);
        Unfinished().hiddenFiles.erase(MeasuredPath());
    }
    if (fd_ >= 0)
        ::close(fd_);
}

void RemoveHiddenOutputsLeftIn(const Path& folder) {
    const std::unique_ptr<DIR, int (*)(DIR*)> entries(::opendir(folder.Bytes().c_str()),
                                                      &::closedir);
    if (!entries)
        return;
    while (const dirent* entry = ::readdir(entries.get())) {
        if (!IsHiddenOutputName(entry->d_name))
            continue;
        const std::string path = (folder / entry->d_name).Bytes();
        const UniqueFd file(
            ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY));
        // Locked: its writer lives. Where nothing can be locked, nothing is removed.
        if (file && ::flock(file.Get(), LOCK_EX | LOCK_NB) == 0 &&
            NamesFile(AT_FDCWD, path, file.Get()))
            ::unlink(path.c_str());
    }
}

void RemoveFoldersLeftEmpty(std::vector<Path>& made) {
    // A folder that holds anything stays.
    for (auto folder = made.rbegin(); folder != made.rend(); ++folder) {
        ::rmdir(folder->Bytes().c_str());
        std::vector<Path>& underWay = Unfinished().madeFolders;
        if (const auto known = std::find(underWay.rbegin(), underWay.rend(), *folder);
            known != underWay.rend())
            underWay.erase(std::next(known).base());
    }
    made.clear();
}

void RemoveUnfinishedOutputs() {
    for (const Path& path : Unfinished().hiddenFiles)
        ::unlink(path.Bytes().c_str());
    Unfinished().hiddenFiles.clear();
    std::vector<Path> made = Unfinished().madeFolders;
    RemoveFoldersLeftEmpty(made);
}

Path TemporaryOutput::MeasuredPath() const {
    return hidden_.empty() ? Path::OfDescriptor(fd_) : folder_->Where() / hidden_;
}

void TemporaryOutput::Placed() {
    Unfinished().hiddenFiles.erase(MeasuredPath());
    hidden_.clear();
    ::close(std::exchange(fd_, -1));
}

bool TemporaryOutput::PutAt() {
    const int at = folder_->Fd();
    bool placed = false;
    if (hidden_.empty()) {
        // A link never replaces a name.
        placed = ::linkat(AT_FDCWD, MeasuredPath().Bytes().c_str(), at, name_.c_str(),
                          AT_SYMLINK_FOLLOW) == 0;
    } else if (::renameat2(at, hidden_.c_str(), at, name_.c_str(), RENAME_NOREPLACE) == 0) {
        placed = true;
    } else if (errno == EINVAL || errno == ENOSYS) {
        // No such rename here: a link, else, where there are no links
        // either, a rename after one last look.
        struct stat info {};
        if (::linkat(at, hidden_.c_str(), at, name_.c_str(), 0) == 0) {
            ::unlinkat(at, hidden_.c_str(), 0);
            placed = true;
        } else if (errno == EEXIST ||
                   ::fstatat(at, name_.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
            errno = EEXIST;
        } else {
            placed = ::renameat(at, hidden_.c_str(), at, name_.c_str()) == 0;
        }
    }
    if (!placed) {
        error_ = errno;
        return false;
    }
    Placed();
    return true;
}

bool TemporaryOutput::Replace(const FileStamp& replaced, const std::function<int(int)>& sync) {
    // A power cut right after the rename must not leave an empty file where
    // the user's WAV was.
    if (sync(fd_) != 0) {
        error_ = errno;
        return false;
    }
    // The owner first: a change of owner clears the set-ID bits the mode may give.
    if (::fchown(fd_, uid_t(replaced.owner), gid_t(replaced.group)) != 0) {
        // Another's file may not be given away by us: the new one stays ours.
    }
    ::fchmod(fd_, mode_t(replaced.mode));
    const int at = folder_->Fd();
    std::string named = hidden_;
    if (named.empty()) {
        // An unnamed file is renamed over the output under a hidden name of its own.
        for (int attempt = 0; attempt < 100 && named.empty(); ++attempt) {
            std::string candidate = HiddenNameFor(name_);
            if (::linkat(AT_FDCWD, MeasuredPath().Bytes().c_str(), at, candidate.c_str(),
                         AT_SYMLINK_FOLLOW) == 0)
                named = std::move(candidate);
            else if (errno != EEXIST)
                break;
        }
        if (named.empty()) {
            error_ = errno;
            return false;
        }
    }
    // Renaming replaces the name alone: other links to the file there keep their content.
    if (::renameat(at, named.c_str(), at, name_.c_str()) != 0) {
        error_ = errno;
        if (hidden_.empty())
            ::unlinkat(at, named.c_str(), 0);
        return false;
    }
    Placed();
    return true;
}
