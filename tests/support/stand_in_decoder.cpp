// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// A stand-in for the decoder in the tests: called as "DECODER [options] SOURCE
// OUTPUT", it appends its arguments to calls.log beside itself (argv[0]), then
// behaves by the source's name. First what makes it take its time:
//   slow      waits 0.3 s
//   linger    writes its whole WAV and closes it, then waits for "SOURCE.go"
//             before its end and the rules below; exit 124 after a minute
//   held      writes half a WAV of 4000 bytes of audio, holding it open to its
//             end as lame does, leaves its process id
//             in "SOURCE.pid" and in held.pid beside itself, and waits (a
//             minute at most) for "SOURCE.go"
// then what it does:
//   fail      says "Could not decode this file" after a progress line, exit 3
//   silent    exit 7, nothing said or written
//   gone      what lame says of a source it can't find, the cause on the line
//             before its last; exit 255
//   kill      ends by SIGKILL
//   nooutput  exit 0 without writing (a held one leaves its half WAV)
//   truncated a WAV whose header claims 4000 bytes of audio, 400 written; exit 0
//   broken    the same cut WAV; exit 2
//   empty     a WAV of no audio; exit 0
//   large     a whole WAV of 2,000,000 bytes of audio
//   fifo      opens the output as it is (a fifo would wait), for 5 s at most
//   capped    a sparse WAV of 2,422,096,172 bytes with the capped sizes lame
//             writes past 2 GiB
//   otherwise a whole WAV: a held one's 4000 bytes of audio, else 4 (48 bytes)
// Built without the program's own code, so that it starts in a millisecond.

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t cut = path.rfind('/');
    return cut == std::string::npos ? "." : path.substr(0, cut);
}

void AppendLittleEndian(std::string& bytes, std::uint64_t value) {
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xff);
}

// 16-bit stereo 44.1 kHz; claimed goes into the header as lame writes it.
std::string WavHeader(std::uint64_t claimed) {
    std::string header = "RIFF";
    AppendLittleEndian(header, claimed + 36);
    header += "WAVEfmt ";
    AppendLittleEndian(header, 16);
    header += std::string("\x01\x00\x02\x00", 4);
    AppendLittleEndian(header, 44100);
    AppendLittleEndian(header, 176400);
    header += std::string("\x04\x00\x10\x00", 4);
    header += "data";
    AppendLittleEndian(header, claimed);
    return header;
}

void WriteWav(const std::string& output, std::uint64_t claimed, std::size_t written) {
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out << WavHeader(claimed) << std::string(written, '\0');
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

bool WaitForRelease(const std::string& go) {
    for (int i = 0; i < 6000 && !Exists(go); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return Exists(go);
}

// Whole or not there: a test that polls for it never reads it half written.
void WriteText(const std::string& path, const std::string& text) {
    const std::string part = path + "." + std::to_string(::getpid()) + ".part";
    std::ofstream(part, std::ios::trunc) << text;
    std::rename(part.c_str(), path.c_str());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return 64;
    const std::string self = argv[0], source = argv[argc - 2], output = argv[argc - 1];
    {
        std::string call;
        for (int i = 1; i < argc; ++i)
            call += (i > 1 ? " " : "") + std::string(argv[i]);
        std::ofstream(FolderOf(self) + "/calls.log", std::ios::app) << call << '\n';
    }
    const std::string name = source.substr(source.rfind('/') + 1);
    const auto named = [&name](std::string_view rule) {
        return name.find(rule) != std::string::npos;
    };

    const bool held = named("held");
    if (named("slow"))
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    // Open from its first write to its end, as lame holds its WAV.
    std::ofstream heldOutput;
    if (held) {
        heldOutput.open(output, std::ios::binary | std::ios::trunc);
        heldOutput << WavHeader(4000) << std::string(2000, '\0') << std::flush;
        const std::string pid = std::to_string(::getpid()) + "\n";
        WriteText(source + ".pid", pid);
        WriteText(FolderOf(self) + "/held.pid", pid);
        WaitForRelease(source + ".go");
    }

    if (named("linger")) {
        WriteWav(output, 4, 4);
        if (!WaitForRelease(source + ".go"))
            return 124;
    }

    if (named("fail")) {
        std::fputs("progress 10%\nCould not decode this file\n\n", stderr);
        return 3;
    }
    if (named("silent"))
        return 7;
    if (named("gone")) {
        std::fprintf(stderr, "Could not find \"%s\".\nCan't init infile '%s'\n", source.c_str(),
                     source.c_str());
        return 255;
    }
    if (named("kill"))
        ::raise(SIGKILL);
    if (named("nooutput"))
        return 0;
    if (named("truncated") || named("broken")) {
        WriteWav(output, 4000, 400);
        return named("broken") ? 2 : 0;
    }
    if (named("empty")) {
        WriteWav(output, 0, 0);
        return 0;
    }
    if (named("large")) {
        WriteWav(output, 2'000'000, 2'000'000);
        return 0;
    }
    if (named("fifo")) { // lame would wait for good
        std::signal(SIGALRM, [](int) { ::_exit(124); });
        ::alarm(5);
        const int fd = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        return fd >= 0 && ::close(fd) == 0 ? 0 : 1;
    }
    if (named("capped")) {
        WriteWav(output, 2'147'483'648, 0);
        return ::truncate(output.c_str(), 2'422'096'172) == 0 ? 0 : 1;
    }
    if (held) {
        heldOutput << std::string(2000, '\0');
        return 0;
    }
    if (!named("linger"))
        WriteWav(output, 4, 4);
    return 0;
}
