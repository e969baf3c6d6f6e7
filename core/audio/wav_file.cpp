// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "wav_file.h"

#include "unique_fd.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstring>

namespace {

std::uint32_t Le32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

bool ReadAt(int fd, unsigned char* buffer, std::size_t length, std::uint64_t offset) {
    return ::pread(fd, buffer, length, off_t(offset)) == ssize_t(length);
}

// A data size that stands for "the rest of a long file".
bool IsCappedDataSize(std::uint64_t field) {
    return field == kTwoGiB || field == 0xFFFFFFFF;
}

// After the audio, chunks of other data (tags) may follow, whole, to the end.
WavCheck ChunksToTheEnd(int fd, std::uint64_t offset, std::uint64_t size) {
    for (int chunk = 0; chunk < 256 && offset < size; ++chunk) {
        unsigned char head[8];
        if (offset + sizeof head > size || !ReadAt(fd, head, sizeof head, offset))
            return WavCheck::Malformed;
        const std::uint64_t length = Le32(head + 4);
        if (offset + sizeof head + length > size)
            return WavCheck::Truncated;
        offset += sizeof head + length + (length & 1);
    }
    // The last chunk's pad byte may be missing.
    return offset >= size ? WavCheck::Complete : WavCheck::Malformed;
}

} // namespace

namespace {

struct Inspected {
    Inspected(WavCheck check, std::uint64_t frames = 0) : check(check), frames(frames) {}
    WavCheck check;
    std::uint64_t frames; // of a Complete or Capped file
};

Inspected Inspect(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return WavCheck::Malformed;
    const auto size = std::uint64_t(info.st_size);

    unsigned char riff[12];
    if (size < sizeof riff)
        return WavCheck::Truncated;
    if (!ReadAt(fd, riff, sizeof riff, 0) || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0)
        return WavCheck::Malformed;
    const std::uint64_t riffLength = Le32(riff + 4);
    const std::uint64_t riffEnd = riffLength + 8;
    // lame's capped RIFF size is its capped data size plus the 36 bytes of its header.
    const bool capped = size > kTwoGiB && (riffLength == 0xFFFFFFFF ||
                                           (riffLength == kTwoGiB + 36 && riffEnd < size));
    if (riffEnd > size && !capped)
        return WavCheck::Truncated;
    if (riffEnd < size && !capped)
        return WavCheck::Malformed;

    // Chunks ahead of the audio are few and small; a bound on their number
    // keeps a hostile header from making us walk for long.
    std::uint32_t blockAlign = 0;
    std::uint64_t offset = sizeof riff;
    for (int chunk = 0; chunk < 256; ++chunk) {
        unsigned char head[8];
        if (offset + sizeof head > size)
            return WavCheck::Truncated;
        if (!ReadAt(fd, head, sizeof head, offset))
            return WavCheck::Malformed;
        const std::uint64_t length = Le32(head + 4);
        const std::uint64_t body = offset + sizeof head;
        if (std::memcmp(head, "fmt ", 4) == 0) {
            unsigned char format[16];
            if (length < sizeof format)
                return WavCheck::Malformed;
            if (body + sizeof format > size)
                return WavCheck::Truncated;
            if (!ReadAt(fd, format, sizeof format, body))
                return WavCheck::Malformed;
            blockAlign = std::uint32_t(format[12]) | std::uint32_t(format[13]) << 8;
        } else if (std::memcmp(head, "data", 4) == 0) {
            if (capped && IsCappedDataSize(length)) {
                if (blockAlign == 0 || body > size)
                    return WavCheck::Malformed;
                return {(size - body) % blockAlign != 0 ? WavCheck::Truncated
                        : size - body < blockAlign      ? WavCheck::NoSamples
                                                        : WavCheck::Capped,
                        (size - body) / blockAlign};
            }
            // The audio, the pad byte of an odd length, then at most whole chunks.
            const std::uint64_t end = body + length;
            if (end > size)
                return WavCheck::Truncated;
            if (blockAlign == 0)
                return WavCheck::Malformed;
            if (const WavCheck rest = ChunksToTheEnd(fd, end + (length & 1), size);
                rest != WavCheck::Complete)
                return rest;
            return {length < blockAlign ? WavCheck::NoSamples : WavCheck::Complete,
                    length / blockAlign};
        }
        offset = body + length + (length & 1);
    }
    return {WavCheck::Malformed};
}

} // namespace

WavCheck CheckWavFile(const std::string& path) {
    const UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
    return file ? CheckWavFile(file.Get()) : WavCheck::Malformed;
}

WavCheck CheckWavFile(int fd) {
    return Inspect(fd).check;
}

std::optional<std::uint64_t> WavSampleFrames(int fd) {
    const Inspected inspected = Inspect(fd);
    if (inspected.check != WavCheck::Complete && inspected.check != WavCheck::Capped)
        return std::nullopt;
    return inspected.frames;
}
