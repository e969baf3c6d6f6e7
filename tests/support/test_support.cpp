// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "test_support.h"

#include "decoder.h"

#include <QCryptographicHash>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <numbers>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

TempFolder::TempFolder() {
    std::string pattern = "/tmp/brindlecot-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    // Tests take permissions away; give them back so that everything goes.
    const std::string command =
        "chmod -R u+rwx " + ShellQuote(path_) + " 2>/dev/null; rm -rf " + ShellQuote(path_);
    [[maybe_unused]] const int rc = std::system(command.c_str());
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
    return std::string("\xFF\xFB\x90\x44", 4) + std::string(padding, '\0');
}
