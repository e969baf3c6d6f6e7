// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes to the header reader and the stream's measure, both as
// a buffer and as a file, and stops on any difference between the ways of
// reading the same bytes.
#include "mpeg_header.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace {

class CountingBoxes : public MessageService {
  public:
    void Message(const std::string&) override { ++messages; }
    void Report(const std::string&, const std::string&) override { ++messages; }
    ConfirmAnswer Confirm(const std::string&, ConfirmButtons) override {
        return ConfirmAnswer::None;
    }
    int messages = 0;
};

// One scratch file for the whole run, removed when the fuzzer exits. It is
// overwritten in place: a file truncated to nothing and rewritten gets flushed
// to disk on close by ext4, which would make each run wait for the disk.
class ScratchFile {
  public:
    ScratchFile() {
        std::string pattern = "/tmp/fuzz_mpeg_header.XXXXXX.mp3";
        fd_ = ::mkstemps(pattern.data(), 4);
        if (fd_ < 0)
            std::abort();
        path_ = pattern;
    }
    ~ScratchFile() {
        ::close(fd_);
        ::unlink(path_.c_str());
    }
    const std::string& Fill(const std::uint8_t* data, std::size_t size) const {
        if (::pwrite(fd_, data, size, 0) != static_cast<ssize_t>(size) ||
            ::ftruncate(fd_, static_cast<off_t>(size)) != 0)
            std::abort();
        return path_;
    }

  private:
    int fd_;
    std::string path_;
};

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "mismatch: %s\n", what);
        std::abort();
    }
}

bool Same(const MpegAudioInfo& a, const MpegAudioInfo& b) {
    return a.line == b.line && a.durationMinutes == b.durationMinutes &&
           a.durationSeconds == b.durationSeconds && a.expectedWavSize == b.expectedWavSize &&
           a.syncFound == b.syncFound && a.layerIII == b.layerIII;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto fileSize = static_cast<std::int64_t>(size);
    const MpegAudioInfo whole = AnalyseMpegAudio(bytes, fileSize);
    Check(whole.syncFound || (whole.expectedWavSize == 0 && whole.durationMinutes == 0),
          "no sync but an estimate");
    Check(whole.expectedWavSize >= 0 && whole.durationSeconds >= 0 && whole.durationSeconds < 60,
          "out-of-range figures");

    const MpegStream stream = MeasureMpegStream(bytes);
    Check(stream.samples >= 0 && (stream.isMpegAudio || stream.samples == 0), "stream figures");

    // Small reads put every header across some read boundary.
    const std::size_t piece = size == 0 ? 1 : data[size - 1] % 13 + 1;
    Check(Same(AnalyseMpegAudio(bytes, fileSize, piece), whole), "piecewise search");

    // A sync found in a prefix is the file's first one, tag header included.
    if (size >= 20) {
        const MpegAudioInfo prefix = AnalyseMpegAudio(bytes.first(size / 2), fileSize);
        Check(!prefix.syncFound || Same(prefix, whole), "prefix search");
    }

    if (size % 2 == 0) {
        static const ScratchFile scratch;
        ConversionState state;
        CountingBoxes boxes;
        const std::string& path = scratch.Fill(data, size);
        const std::string line = ReadMpegAudioInfo(path, state, boxes);
        MpegStream read;
        ReadMpegAudioHeader(path, &read);
        Check(read.isMpegAudio == stream.isMpegAudio && read.samples == stream.samples,
              "stream from a file");
        Check(line == whole.line && state.DurationMinutes == whole.durationMinutes &&
                  state.DurationSeconds == whole.durationSeconds &&
                  state.ExpectedWavSize == whole.expectedWavSize,
              "file and buffer");
        Check(boxes.messages == (whole.syncFound && !whole.layerIII ? 1 : 0), "VBR hint");
    }
    return 0;
}
