// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command_line.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using Paths = std::vector<std::string>;

TEST(CommandLineTest, NamesStayInOrderAsTheirBytes) {
    const CommandLine command =
        ParseCommandLine({"b.mp3", "/music", "caf\xe9.mp3", "-", "--", "-x.mp3", "--help"});
    EXPECT_EQ(command.action, CommandLine::Action::Run);
    EXPECT_EQ(command.paths, (Paths{"b.mp3", "/music", "caf\xe9.mp3", "-", "-x.mp3", "--help"}));
    EXPECT_TRUE(ParseCommandLine({}).paths.empty());
}

TEST(CommandLineTest, HelpVersionAndUnknownOptions) {
    EXPECT_EQ(ParseCommandLine({"a.mp3", "--help", "--bogus"}).action, CommandLine::Action::Help);
    EXPECT_EQ(ParseCommandLine({"-h"}).action, CommandLine::Action::Help);
    EXPECT_EQ(ParseCommandLine({"--version"}).action, CommandLine::Action::Version);
    for (const char* option : {"--helpme", "-x", "-platform"}) {
        const CommandLine command = ParseCommandLine({"a.mp3", option, "--help"});
        EXPECT_EQ(command.action, CommandLine::Action::Misuse);
        EXPECT_EQ(command.unknownOption, option);
    }
}

TEST(CommandLineHandOver, RelativeNamesAreMadeAbsoluteWhereTheyWereGiven) {
    TempFolder start, elsewhere;
    WriteFile(start / "song.mp3", "a");
    WriteFile(elsewhere / "song.mp3", "b");
    ::mkdir((start / "album").c_str(), 0755);
    ::symlink("album", (start / "link").c_str());
    const Paths names{"song.mp3",         "./album", ".//./link",         "-",
                      start / "song.mp3", ".",       start / "./album/.", "album/../song.mp3"};
    WriteFile(start / "-", "");

    const Paths paths = HandOverPaths(
        names, start.path(), [](const std::string& name) { ADD_FAILURE() << "reported " << name; });
    // Links are kept as named: the list shows what the user typed, without
    // its "." (a ".." may lead back through a link, and stays).
    EXPECT_EQ(paths, (Paths{start / "song.mp3", start / "album", start / "link", start / "-",
                            start / "song.mp3", start.path(), start / "album",
                            start / "album/../song.mp3"}));
    // The working folder changes once a source folder is chosen; the names keep their files.
    const CurrentFolder chosen(elsewhere.path());
    EXPECT_EQ(ReadFile(paths[0]), "a");
}

TEST(CommandLineHandOver, NamesWithNothingThereAreReportedAndLeftOut) {
    TempFolder start;
    WriteFile(start / "kept.mp3", "");
    ::mkfifo((start / "fifo.mp3").c_str(), 0644);
    ::symlink("nowhere", (start / "dangling.mp3").c_str());
    Paths reported;
    const Paths paths =
        HandOverPaths({"gone.mp3", "kept.mp3", "", "dangling.mp3", "caf\xe9/x.mp3", "fifo.mp3"},
                      start.path(), [&](const std::string& name) { reported.push_back(name); });
    EXPECT_EQ(paths, Paths{start / "kept.mp3"});
    EXPECT_EQ(reported, (Paths{"gone.mp3", "", "dangling.mp3", "caf\xe9/x.mp3", "fifo.mp3"}));
    EXPECT_EQ(MissingNameText("caf\xe9.mp3"),
              "brindlecot: caf\xe9.mp3: ファイルもフォルダもありません\n");
}
