// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mpeg_stream.h"

#include "mpeg_header.h"
#include "text.h"
#include "wav_file.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace {

// Frames that must agree before bytes count as MPEG audio; a shorter stream
// counts when the file (or a tag after its audio) ends right after it.
constexpr std::int64_t kRun = 4;
// The longest free-format frame lame decodes.
constexpr std::int64_t kMostFreeBytes = 2880;
constexpr std::size_t kBlock = 64 * 1024;

// The bytes of a file or of a buffer, a block of the file held at a time.
class Bytes {
  public:
    explicit Bytes(std::span<const std::uint8_t> bytes)
        : view_(bytes), size_(static_cast<std::int64_t>(bytes.size())) {}
    Bytes(int fd, std::int64_t size) : fd_(fd), size_(size) {}

    std::int64_t Size() const { return size_; }

    // Up to n bytes at offset, fewer only at the end; valid until the next call.
    std::span<const std::uint8_t> At(std::int64_t offset, std::size_t n) {
        if (offset < 0 || offset >= size_)
            return {};
        n = static_cast<std::size_t>(std::min<std::int64_t>(n, size_ - offset));
        if (fd_ < 0)
            return view_.subspan(static_cast<std::size_t>(offset), n);
        if (offset < blockAt_ || offset + static_cast<std::int64_t>(n) > blockAt_ + Held())
            Fill(offset, std::max(n, kBlock));
        const std::size_t from = static_cast<std::size_t>(offset - blockAt_);
        return std::span<const std::uint8_t>(block_).subspan(from,
                                                             std::min(n, block_.size() - from));
    }

  private:
    std::int64_t Held() const { return static_cast<std::int64_t>(block_.size()); }
    void Fill(std::int64_t offset, std::size_t n) {
        block_.resize(n);
        std::size_t got = 0;
        while (got < n) {
            const ssize_t read = ::pread(fd_, block_.data() + got, n - got,
                                         static_cast<off_t>(offset) + static_cast<off_t>(got));
            if (read < 0 && errno == EINTR)
                continue;
            if (read <= 0)
                break;
            got += static_cast<std::size_t>(read);
        }
        block_.resize(got);
        blockAt_ = offset;
    }

    std::span<const std::uint8_t> view_;
    int fd_ = -1;
    std::int64_t size_;
    std::vector<std::uint8_t> block_;
    std::int64_t blockAt_ = 0;
};

// A frame header the decoder takes.
struct Frame {
    int version = 0; // the version bits: 3 MPEG-1, 2 MPEG-2, 0 MPEG 2.5
    int layer = 0;   // 1 to 3
    int rateIndex = 0, bitrateIndex = 0, padding = 0;
    bool mono = false, crc = false;
    int sampleRate = 0, samplesPerFrame = 0;
    std::int64_t length = 0; // header included; 0 in free format

    bool Free() const { return bitrateIndex == 0; }
    bool Agrees(const Frame& other) const {
        return version == other.version && layer == other.layer && rateIndex == other.rateIndex &&
               Free() == other.Free();
    }
    // A free-format frame is its stream's length plus its padding.
    std::int64_t LengthIn(std::int64_t freeLength) const {
        return Free() ? freeLength + padding * (layer == 1 ? 4 : 1) : length;
    }
    // Layer III side information, after the header and its CRC.
    int SideInfo() const { return version == 3 ? (mono ? 17 : 32) : (mono ? 9 : 17); }
};

std::optional<Frame> ParseFrame(std::span<const std::uint8_t> h) {
    if (h.size() < 4 || h[0] != 0xFF || (h[1] & 0xE0) != 0xE0)
        return std::nullopt;
    Frame frame;
    frame.version = h[1] >> 3 & 3;
    const int layerBits = h[1] >> 1 & 3;
    frame.bitrateIndex = h[2] >> 4;
    frame.rateIndex = h[2] >> 2 & 3;
    // MPEG 2.5 has Layer III alone.
    if (frame.version == 1 || layerBits == 0 || frame.bitrateIndex == 15 || frame.rateIndex == 3 ||
        (frame.version == 0 && layerBits != 1))
        return std::nullopt;
    frame.layer = 4 - layerBits;
    frame.padding = h[2] >> 1 & 1;
    frame.mono = h[3] >> 6 == 3;
    frame.crc = (h[1] & 1) == 0;
    constexpr int kRates[3] = {44100, 48000, 32000};
    frame.sampleRate = kRates[frame.rateIndex] >> (frame.version == 3   ? 0
                                                   : frame.version == 2 ? 1
                                                                        : 2);
    frame.samplesPerFrame = frame.layer == 1                           ? 384
                            : (frame.layer == 2 || frame.version == 3) ? 1152
                                                                       : 576;
    const std::int64_t bitrate =
        std::int64_t{MpegBitrate(frame.version, layerBits, frame.bitrateIndex).value_or(0)} * 1000;
    if (bitrate != 0)
        frame.length = frame.layer == 1
                           ? (12 * bitrate / frame.sampleRate + frame.padding) * 4
                           : frame.samplesPerFrame / 8 * bitrate / frame.sampleRate + frame.padding;
    return frame;
}

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view text, std::size_t at = 0) {
    return bytes.size() >= at + text.size() &&
           std::memcmp(bytes.data() + at, text.data(), text.size()) == 0;
}

// Tags that may follow the audio: ID3v1, APE, Lyrics3.
bool TagAt(Bytes& bytes, std::int64_t at) {
    const auto head = bytes.At(at, 11);
    return StartsWith(head, "TAG") || StartsWith(head, "APETAGEX") ||
           StartsWith(head, "LYRICSBEGIN");
}

// The signature of a format that is no MPEG audio, which lame would read
// noise from: a sync in a RIFF header makes a Layer I frame.
bool OtherFormatAt(Bytes& bytes, std::int64_t at) {
    const auto head = bytes.At(at, 12);
    return (StartsWith(head, "RIFF") && StartsWith(head, "WAVE", 8)) ||
           (StartsWith(head, "FORM") &&
            (StartsWith(head, "AIFF", 8) || StartsWith(head, "AIFC", 8))) ||
           StartsWith(head, "OggS") || StartsWith(head, "fLaC") || StartsWith(head, "ftyp", 4) ||
           StartsWith(head, "\x30\x26\xB2\x75\x8E\x66\xCF\x11") || // ASF, WMA
           StartsWith(head, "\x1A\x45\xDF\xA3") ||                 // Matroska, WebM
           StartsWith(head, "MAC ") || StartsWith(head, "wvpk") || StartsWith(head, ".snd") ||
           StartsWith(head, "MThd");
}

// The first offset from `from` with a frame sync and three more bytes.
std::optional<std::int64_t> NextSync(Bytes& bytes, std::int64_t from) {
    for (std::int64_t at = from; at + 4 <= bytes.Size();) {
        const auto window = bytes.At(at, kBlock / 2);
        if (window.size() < 4)
            break;
        const std::size_t candidates = window.size() - 3;
        for (std::size_t i = 0; i < candidates;) {
            const void* hit = std::memchr(window.data() + i, 0xFF, candidates - i);
            if (hit == nullptr)
                break;
            i = static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - window.data());
            if ((window[i + 1] & 0xE0) == 0xE0)
                return at + static_cast<std::int64_t>(i);
            ++i;
        }
        at += static_cast<std::int64_t>(candidates);
    }
    return std::nullopt;
}

struct Walked {
    std::int64_t frames = 0;
    std::int64_t next = 0; // where the frame after them would begin
    bool ended = false;    // the file, or a tag after the audio, begins there
};

// The frames of first's kind from at, one where the one before it ends, at most `most`.
Walked Walk(Bytes& bytes, std::int64_t at, const Frame& first, std::int64_t freeLength,
            std::int64_t most) {
    Walked walked{0, at, false};
    while (walked.frames < most) {
        if (walked.next + 4 > bytes.Size() || TagAt(bytes, walked.next)) {
            walked.ended = true;
            break;
        }
        const std::optional<Frame> frame = ParseFrame(bytes.At(walked.next, 4));
        if (!frame || !frame->Agrees(first))
            break;
        ++walked.frames;
        walked.next += frame->LengthIn(freeLength);
    }
    return walked;
}

bool IsRun(const Walked& walked, std::int64_t size) {
    // One frame whole at least: lame can't start on a frame cut short.
    return walked.frames == kRun ||
           (walked.ended && (walked.frames > 1 || (walked.frames == 1 && walked.next <= size)));
}

struct Run {
    std::int64_t at = 0;
    Frame first;
    std::int64_t freeLength = 0;
};

// The first frame from `from` that a run of frames begins with. A free-format
// frame's length is where the next frame of its kind begins.
std::optional<Run> FindRun(Bytes& bytes, std::int64_t from) {
    for (std::optional<std::int64_t> at = NextSync(bytes, from); at;
         at = NextSync(bytes, *at + 1)) {
        const std::optional<Frame> first = ParseFrame(bytes.At(*at, 4));
        if (!first)
            continue;
        if (!first->Free()) {
            if (IsRun(Walk(bytes, *at, *first, 0, kRun), bytes.Size()))
                return Run{*at, *first, 0};
            continue;
        }
        // No shorter than a frame of its kind at the lowest bitrate.
        const std::array<std::uint8_t, 4> lowest{
            0xFF, static_cast<std::uint8_t>(0xE1 | first->version << 3 | (4 - first->layer) << 1),
            static_cast<std::uint8_t>(0x10 | first->rateIndex << 2), 0};
        const std::int64_t shortest = ParseFrame(lowest)->length;
        for (std::optional<std::int64_t> next = NextSync(bytes, *at + shortest);
             next && *next - *at <= kMostFreeBytes; next = NextSync(bytes, *next + 1)) {
            const std::optional<Frame> second = ParseFrame(bytes.At(*next, 4));
            const std::int64_t freeLength = *next - *at - first->LengthIn(0);
            if (second && second->Agrees(*first) &&
                IsRun(Walk(bytes, *at, *first, freeLength, kRun), bytes.Size()))
                return Run{*at, *first, freeLength};
        }
    }
    return std::nullopt;
}

std::uint32_t BigEndian32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
           std::uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
}

// How lame 3.100 makes a WAV of a stream (measured on tones through lame: CBR
// and VBR, with and without an Info or Xing frame, MPEG 1, 2 and 2.5, free
// format, and Layer I and II frames written byte by byte):
//   - it decodes every frame it finds, whatever the Xing frame counts; a Xing
//     or Info frame is no audio and is passed over; a VBRI frame is decoded;
//   - it drops samples of the decoder's delay: 241 at the start for Layer I
//     and II, 529 for Layer III; after a Xing or Info frame, instead, the
//     encoder delay of its LAME fields + 529 at the start, and its padding
//     - 529 at the end (none below 0), each only where it is 0 to 3000
//     (lame reads them with or without a LAME tag there), and 529 where
//     neither is;
//   - a Layer III frame whose main data begins further back than the frames
//     before it reach (a stream cut at its start) gives no samples.
// So a whole source's WAV holds frames × samples per frame − that delay;
// frames from the Xing count or the VBRI count where there is one (it counts
// the audio frames), else those that follow each other from the first.
struct Counted {
    std::optional<std::int64_t> frames; // as the stream's own header counts them
    std::int64_t audioAt = 0;           // the first frame of audio
    std::int64_t delay = 0;             // the samples lame drops in all
};

Counted CountedFrames(Bytes& bytes, const Run& run) {
    const Frame& first = run.first;
    Counted counted{std::nullopt, run.at, first.layer == 3 ? 529 : 241};
    if (first.layer != 3)
        return counted;
    const std::int64_t xingAt = run.at + 4 + first.SideInfo();
    const auto xing = bytes.At(xingAt, 160);
    if (StartsWith(xing, "Xing") || StartsWith(xing, "Info")) {
        counted.audioAt = run.at + first.LengthIn(run.freeLength);
        std::size_t at = 8;
        const std::uint32_t flags = xing.size() >= 8 ? BigEndian32(xing, 4) : 0;
        if ((flags & 1) != 0 && xing.size() >= at + 4 && BigEndian32(xing, at) > 0)
            counted.frames = BigEndian32(xing, at);
        at += ((flags & 1) != 0 ? 4 : 0) + ((flags & 2) != 0 ? 4 : 0) +
              ((flags & 4) != 0 ? 100 : 0) + ((flags & 8) != 0 ? 4 : 0) + 21;
        if (xing.size() >= at + 3) {
            const int encoderDelay = xing[at] << 4 | xing[at + 1] >> 4;
            const int padding = (xing[at + 1] & 0x0F) << 8 | xing[at + 2];
            const bool delayRead = encoderDelay <= 3000, paddingRead = padding <= 3000;
            if (delayRead || paddingRead)
                counted.delay = (delayRead ? encoderDelay + 529 : 0) +
                                (paddingRead ? std::max(0, padding - 529) : 0);
        }
        return counted;
    }
    const auto vbri = bytes.At(run.at + 36, 18);
    if (StartsWith(vbri, "VBRI") && vbri.size() == 18 && BigEndian32(vbri, 14) > 0)
        counted.frames = BigEndian32(vbri, 14);
    return counted;
}

// The Layer III frames from at that give no samples: their main data begins
// further back than the frames before them reach.
std::int64_t FramesWithoutTheirData(Bytes& bytes, std::int64_t at, const Run& run) {
    if (run.first.layer != 3)
        return 0;
    const std::int64_t furthestBack = run.first.version == 3 ? 511 : 255;
    std::int64_t lost = 0, reach = 0;
    while (reach < furthestBack) {
        const auto head = bytes.At(at, 8);
        const std::optional<Frame> frame = ParseFrame(head);
        if (!frame || !frame->Agrees(run.first) || head.size() < 8)
            break;
        const std::size_t side = frame->crc ? 6 : 4;
        const int back = frame->version == 3 ? head[side] << 1 | head[side + 1] >> 7 : head[side];
        lost += back > reach ? 1 : 0;
        const std::int64_t length = frame->LengthIn(run.freeLength);
        reach += length - static_cast<std::int64_t>(side) - frame->SideInfo();
        at += length;
    }
    return lost;
}

MpegStream Measure(Bytes& bytes) {
    MpegStream stream;
    const std::int64_t start = Id3v2TagEnd(bytes.At(0, 10));
    if (OtherFormatAt(bytes, 0) || OtherFormatAt(bytes, start))
        return stream;
    const std::optional<Run> run = FindRun(bytes, start);
    if (!run)
        return stream;
    stream.isMpegAudio = true;
    stream.sampleRate = run->first.sampleRate;
    stream.samplesPerFrame = run->first.samplesPerFrame;
    const Counted counted = CountedFrames(bytes, *run);
    const std::int64_t frames =
        (counted.frames ? *counted.frames
                        : Walk(bytes, counted.audioAt, run->first, run->freeLength,
                               std::numeric_limits<std::int64_t>::max())
                              .frames) -
        FramesWithoutTheirData(bytes, counted.audioAt, *run);
    stream.samples = std::max<std::int64_t>(0, frames * stream.samplesPerFrame - counted.delay);
    return stream;
}

// "4秒", "3分25秒".
QString DurationText(std::int64_t samples, int sampleRate) {
    const std::int64_t seconds = samples / sampleRate;
    if (seconds < 60)
        return DisplayText(Translate("BatchDriver", "%1秒")).arg(seconds);
    return DisplayText(Translate("BatchDriver", "%1分%2秒")).arg(seconds / 60).arg(seconds % 60);
}

} // namespace

MpegStream MeasureMpegStream(std::span<const std::uint8_t> bytes) {
    Bytes read(bytes);
    return Measure(read);
}

MpegStream MeasureMpegStream(int fd, std::int64_t size) {
    Bytes read(fd, size);
    return Measure(read);
}

std::string CutShortReason(const MpegStream& source, int wavFd) {
    const std::optional<std::uint64_t> made = WavSampleFrames(wavFd);
    if (!source.isMpegAudio || source.sampleRate == 0 || !made ||
        source.samples - static_cast<std::int64_t>(*made) <= source.samplesPerFrame)
        return {};
    return Utf8Bytes(
        DisplayText(Translate("BatchDriver", "元のファイルが途中で切れています（%1のうち%2）"))
            .arg(DurationText(source.samples, source.sampleRate),
                 DurationText(static_cast<std::int64_t>(*made), source.sampleRate)));
}
