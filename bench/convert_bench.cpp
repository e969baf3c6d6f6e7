// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// brindlecot --convert, the whole program from its start to its exit, over
// 300 three-second files against a bash loop of the same lame writing the
// same WAV files beside their sources: one decoder at a time must take at
// most 0.95 of the loop's time (the next decoder starts before the item
// before it is put in place), and --jobs 2 at most 0.52 on 2 cores; the same
// files tagged (a title, artist, album, track, year, genre and a 30 KB
// cover), whose tags go into the WAVs, must cost at most 2 % more than
// untagged. The four take turns, so that other work on the machine disturbs
// all alike, each timed after an untimed run of its own; the ratios are of
// medians. Every WAV's audio is byte for byte a direct lame --decode's.
//
// Arguments: --runs N (repetitions of each, default 3).
#include "bench_support.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    int runs = 3;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
    try {
        const std::string lame = DecoderPath();
        const TempFolder folder;
        InputSet set{"300 x 3 s", "3s", 300, 3, {}, {}};
        MakeInputs(set, folder.path(), lame);
        InputSet tagged{"300 x 3 s tagged", "3s-tagged", 300, 3, {}, {}};
        tagged.tags = Id3Tags{.version = 3,
                              .frames = {{"TIT2", "曲のタイトル"},
                                         {"TPE1", "Artist"},
                                         {"TALB", "アルバム"},
                                         {"TRCK", "1/12"},
                                         {"TYER", "2001"},
                                         {"TCON", "Rock"}},
                              .cover = "\xFF\xD8\xFF\xE0" + std::string(30 * 1024, '\x5a')};
        MakeInputs(tagged, folder.path(), lame);
        const std::string reference = folder / "direct.wav";
        if (!RunBaseline({lame, "--quiet", "--decode", set.paths.front(), reference}))
            throw std::runtime_error("lame could not decode " + set.paths.front());

        const auto convert = [&](const std::string& jobs, const InputSet& inputs) {
            const double seconds = TimedRun(
                {BRINDLECOT_PROGRAM, "--convert", "--quiet", "--jobs", jobs, inputs.folder});
            if (!AllOutputsThere(inputs) ||
                !OutputsMatch(inputs, reference, inputs.tags.has_value()))
                throw std::runtime_error("--convert --jobs " + jobs + " (" + inputs.label +
                                         ") did not write every WAV as lame --decode does");
            RemoveOutputs(inputs);
            return seconds;
        };
        std::vector<double> loop, one, two, oneTagged;
        const double loadBefore = LoadAverage();
        for (int r = 0; r < runs; ++r) {
            loop.push_back(AfterItself([&] { return LoopRun(set, lame); }));
            one.push_back(AfterItself([&] { return convert("1", set); }));
            two.push_back(AfterItself([&] { return convert("2", set); }));
            oneTagged.push_back(AfterItself([&] { return convert("1", tagged); }));
        }
        std::printf("medians (%s): shell loop %.3f s (runs %s), --convert %.3f s (runs %s), "
                    "--jobs 2 %.3f s (runs %s); %d cores, load average %.2f before, %.2f after\n",
                    set.label.c_str(), Median(loop), Spread(loop).c_str(), Median(one),
                    Spread(one).c_str(), Median(two), Spread(two).c_str(), UsableCores(),
                    loadBefore, LoadAverage());
        std::printf("ratio --convert/shell (%s) = %.3f (goal at most 0.95)\n", set.label.c_str(),
                    Median(one) / Median(loop));
        std::printf("ratio --convert --jobs 2/shell (%s) = %.3f (goal at most 0.52 on 2 cores)\n",
                    set.label.c_str(), Median(two) / Median(loop));
        std::printf("--convert tagged: %.3f s (runs %s)\n", Median(oneTagged),
                    Spread(oneTagged).c_str());
        std::printf("ratio --convert tagged/untagged (%s) = %.3f (goal at most 1.02)\n",
                    set.label.c_str(), Median(oneTagged) / Median(one));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "convert_bench: %s\n", error.what());
        return 1;
    }
}
