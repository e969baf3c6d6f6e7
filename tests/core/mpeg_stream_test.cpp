// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "console_batch.h"
#include "mpeg_stream.h"
#include "test_support.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

// A tick promises the whole song: a source cut short, or no MPEG audio at
// all, fails (the latter without a decoder), in the window's batch and with
// --convert alike; every whole source's WAV is lame's own.
TEST(WholeSource, OnlyAWholeMpegAudioSourceIsTicked) {
    const std::string lame = FindLame();
    if (lame.empty())
        GTEST_SKIP() << "no decoder";
    TempFolder folder, made, out;
    WriteToneWav(made / "tone.wav", 10);
    const auto encoded = [&](const std::string& quality) {
        EXPECT_EQ(RunProgram({lame, "--quiet", quality, made / "tone.wav", made / "tone.mp3"}), 0);
        return ReadFile(made / "tone.mp3");
    };
    const std::string cbr = encoded("-b128"), vbr = encoded("-V2");
    std::string free = MpegFrames(3, 20);
    for (std::size_t at = 0; at < free.size(); at += 417)
        free[at + 2] = 0; // no bitrate index: free format
    const std::string cut = "元のファイルが途中で切れています（10秒のうち",
                      noAudio = "MPEGオーディオとして読めません";
    const std::vector<std::tuple<std::string, std::string, std::string>> sources{
        {"a whole.mp3", cbr, ""},
        {"b last frame cut.mp3", cbr.substr(0, cbr.size() - 100), ""},
        {"c cut.mp3", cbr.substr(0, cbr.size() * 45 / 100), cut + "4秒）"},
        {"d VBR cut.mp3", vbr.substr(0, vbr.size() * 6 / 10), cut + "5秒）"},
        {"e wav.mp3", ToneWav(1), noAudio},
        {"f ogg.mp3", "OggS" + cbr, noAudio},
        {"g flac.mp3", "fLaC" + cbr, noAudio},
        {"h one header.mp3", std::string("\xFF\xFB\x90\x44", 4) + std::string(4096, '\0'), noAudio},
        {"i junk first.mp3", std::string(1000, 'x') + cbr, ""},
        {"j free format.mp3", free, ""}};
    ProcessingList list;
    for (const auto& [name, bytes, reason] : sources) {
        WriteFile(folder / name, bytes);
        list.Append(folder / name);
    }
    const std::string decoder = made / "logging-lame";
    WriteFile(decoder,
              "#!/bin/sh\necho \"$*\" >>" + ShellQuote(made / "calls.log") + "\nexec " +
                  ShellQuote(lame) + " \"$@\"\n",
              0755);

    ConversionState state;
    FakeWindow window;
    RecordingBoxes boxes;
    BatchDriver(list, state, window, boxes, [&] { return decoder; }).Convert();
    int argc = 1; // --convert runs in the program's application object
    char name[] = "core_tests";
    char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    std::FILE* terminal = std::fopen((made / "told").c_str(), "w");
    EXPECT_EQ(ConvertFromCommandLine({folder.path()}, {.destination = out.path()}, "/", terminal,
                                     nullptr, [&] { return decoder; }),
              1);
    std::fclose(terminal);
    const std::string told = ReadFile(made / "told");

    for (int i = 0; i < list.Count(); ++i) {
        const auto& [name, bytes, reason] = sources[static_cast<std::size_t>(i)];
        const std::string wav = name.substr(0, name.size() - 3) + "wav";
        EXPECT_EQ(list.ItemAt(i).failureReason, reason) << name;
        EXPECT_NE(told.find(name + "：" + (reason.empty() ? "変換しました" : reason)),
                  std::string::npos)
            << name;
        EXPECT_EQ(ReadFile(made / "calls.log").find(name) == std::string::npos, reason == noAudio);
        if (!reason.empty()) {
            EXPECT_FALSE(Exists(folder / wav) || Exists(out / wav)) << name;
            continue;
        }
        EXPECT_EQ(RunProgram({lame, "--quiet", "--decode", folder / name, made / "direct.wav"}), 0);
        EXPECT_EQ(ReadFile(folder / wav), ReadFile(made / "direct.wav")) << name;
        EXPECT_EQ(ReadFile(out / wav), ReadFile(made / "direct.wav")) << name;
    }
}
