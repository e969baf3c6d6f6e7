#include "command_line.h"

#include <gtest/gtest.h>

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
