// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "test_support.h"

#include "decoder.h"
#include "process.h"

#include <QCryptographicHash>

#include <taglib/attachedpictureframe.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/textidentificationframe.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <numbers>
#include <stdexcept>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Removes name in parent at any depth: paths below it may be longer than
// PATH_MAX, and folders a test made unreadable or unwritable are opened up first.
void RemoveTreeAt(int parent, const std::string& name) {
    struct stat info {};
    if (::fstatat(parent, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return;
    if (!S_ISDIR(info.st_mode)) {
        ::unlinkat(parent, name.c_str(), 0);
        return;
    }
    ::fchmodat(parent, name.c_str(), (info.st_mode & 07777) | S_IRWXU, 0);
    const int fd = ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) {
        std::vector<std::string> names;
        if (DIR* dir = ::fdopendir(fd)) {
            while (const dirent* entry = ::readdir(dir))
                if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..")
                    names.push_back(entry->d_name);
            for (const std::string& inner : names)
                RemoveTreeAt(::dirfd(dir), inner);
            ::closedir(dir);
        } else {
            ::close(fd);
        }
    }
    ::unlinkat(parent, name.c_str(), AT_REMOVEDIR);
}

} // namespace

TempFolder::TempFolder() {
    // TMPDIR moves a benchmark's files to another file system (a tmpfs, say).
    const char* root = std::getenv("TMPDIR");
    std::string pattern = std::string(root && *root ? root : "/tmp") + "/brindlecot-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    RemoveTreeAt(AT_FDCWD, path_);
}

CurrentFolder::CurrentFolder(const std::string& folder) {
    char* here = ::getcwd(nullptr, 0);
    if (here == nullptr)
        throw std::runtime_error("getcwd failed");
    saved_ = here;
    std::free(here);
    if (::chdir(folder.c_str()) != 0)
        throw std::runtime_error("chdir failed: " + folder);
}

CurrentFolder::~CurrentFolder() {
    if (::chdir(saved_.c_str()) != 0)
        std::abort(); // the tests after this one would run in the wrong place
}

void WriteFile(const std::string& path, const std::string& bytes, mode_t mode) {
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    ::chmod(path.c_str(), mode);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::size_t EntriesIn(const std::string& folder) {
    std::size_t count = 0;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir))
            count += std::string(entry->d_name) != "." && std::string(entry->d_name) != "..";
        ::closedir(dir);
    }
    return count;
}

std::string Sha256Of(const std::string& path) {
    return QCryptographicHash::hash(QByteArray::fromStdString(ReadFile(path)),
                                    QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string FindLame() {
    const std::string lame = DecoderPath();
    return DecoderPresent(lame) ? lame : std::string();
}

std::string PlaceStandInDecoder(const std::string& folder) {
    const std::string decoder = folder + "/decoder";
    if (::symlink(BRINDLECOT_STAND_IN_DECODER, decoder.c_str()) != 0 && errno != EEXIST)
        throw std::runtime_error("cannot place the stand-in decoder in " + folder);
    return decoder;
}

std::string ProgramPath(const std::string& name) {
    if (name.find('/') != std::string::npos)
        return name;
    const char* path = std::getenv("PATH");
    const std::string found = FindOnPath(name, path ? path : "/bin:/usr/bin");
    return found.empty() ? name : found;
}

int RunProgram(std::vector<std::string> arguments) {
    return RunProgram(std::move(arguments), -1);
}

int RunProgram(std::vector<std::string> arguments, int outputFd) {
    if (arguments.empty())
        return -1;
    arguments.front() = ProgramPath(arguments.front());
    return Child(arguments, {.output = outputFd}).Finish().exitCode;
}

std::string OutputOf(std::vector<std::string> arguments) {
    // A file, not a pipe: nothing waits for us to read while the program writes.
    const int fd = ::memfd_create("brindlecot-test-output", MFD_CLOEXEC);
    if (fd < 0)
        return {};
    std::string text;
    if (RunProgram(std::move(arguments), fd) >= 0) {
        char buffer[4096];
        for (off_t at = 0;;) {
            const ssize_t n = ::pread(fd, buffer, sizeof buffer, at);
            if (n <= 0)
                break;
            text.append(buffer, static_cast<std::size_t>(n));
            at += n;
        }
    }
    ::close(fd);
    return text;
}

namespace {

void AppendLittleEndian(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xff);
}

} // namespace

namespace {

constexpr std::uint32_t kRate = 44100;

std::string WavHeader(std::uint32_t frames) {
    std::string wav = "RIFF";
    AppendLittleEndian(wav, 36 + frames * 4, 4);
    wav += "WAVEfmt ";
    AppendLittleEndian(wav, 16, 4);
    AppendLittleEndian(wav, 1, 2);
    AppendLittleEndian(wav, 2, 2);
    AppendLittleEndian(wav, kRate, 4);
    AppendLittleEndian(wav, kRate * 4, 4);
    AppendLittleEndian(wav, 4, 2);
    AppendLittleEndian(wav, 16, 2);
    wav += "data";
    AppendLittleEndian(wav, frames * 4, 4);
    return wav;
}

// Stereo frames first to first + count - 1 of the tone.
std::string ToneFrames(std::uint32_t first, std::uint32_t count) {
    std::string frames;
    frames.reserve(std::size_t(count) * 4);
    for (std::uint32_t i = first; i < first + count; ++i) {
        const auto sample = static_cast<std::int16_t>(
            std::lround(8000 * std::sin(i * 2 * std::numbers::pi * 440 / kRate)));
        AppendLittleEndian(frames, static_cast<std::uint16_t>(sample), 2);
        AppendLittleEndian(frames, static_cast<std::uint16_t>(sample), 2);
    }
    return frames;
}

} // namespace

std::string ToneWav(double seconds) {
    const auto frames = static_cast<std::uint32_t>(kRate * seconds);
    return WavHeader(frames) + ToneFrames(0, frames);
}

void WriteToneWav(const std::string& path, double seconds) {
    const auto frames = static_cast<std::uint32_t>(kRate * seconds);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << WavHeader(frames);
    // A second at a time: an hour of tone never sits in memory.
    for (std::uint32_t first = 0; first < frames; first += kRate)
        out << ToneFrames(first, std::min(kRate, frames - first));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string Layer3Stream(std::size_t padding) {
    std::string stream = MpegFrames(3, 4);
    stream.replace(1, 3, "\xFB\x90\x44"); // no CRC, joint stereo
    stream.replace(36, 12, std::string("Info\0\0\0\1\0\0\0\1", 12));
    stream.resize(std::max(stream.size(), padding + 4), '\0');
    return stream;
}

std::string MpegFrames(int layer, std::size_t frames) {
    // No allocation bits set: every subband is silent, in each layer.
    const char bitrate[] = {'\x40', '\x80', '\x90'}; // 128 kbit/s
    std::string frame{'\xFF', static_cast<char>(0xF9 | (4 - layer) << 1), bitrate[layer - 1], 0};
    frame.resize(layer == 1 ? 136 : 417, '\0');
    std::string stream;
    for (std::size_t i = 0; i < frames; ++i)
        stream += frame;
    return stream;
}

void WriteId3Tags(const std::string& mp3, const Id3Tags& tags) {
    using TagLib::String;
    TagLib::MPEG::File file(mp3.c_str(), false);
    const String::Type encoding = tags.latin1 ? String::Latin1 : String::UTF16;
    for (const auto& [id, text] : tags.frames) {
        auto* frame = new TagLib::ID3v2::TextIdentificationFrame(id.c_str(), encoding);
        frame->setText(String(text, tags.latin1 ? String::Latin1 : String::UTF8));
        file.ID3v2Tag(true)->addFrame(frame);
    }
    if (!tags.cover.empty()) {
        auto* cover = new TagLib::ID3v2::AttachedPictureFrame;
        cover->setPicture(TagLib::ByteVector(tags.cover.data(), unsigned(tags.cover.size())));
        file.ID3v2Tag(true)->addFrame(cover);
    }
    if (!tags.v1Title.empty() || !tags.v1Artist.empty()) {
        file.ID3v1Tag(true)->setTitle(String(tags.v1Title, String::Latin1));
        file.ID3v1Tag(true)->setArtist(String(tags.v1Artist, String::Latin1));
    }
    file.save(TagLib::MPEG::File::AllTags, TagLib::File::StripOthers,
              tags.version == 3 ? TagLib::ID3v2::v3 : TagLib::ID3v2::v4,
              TagLib::File::DoNotDuplicate);
}
