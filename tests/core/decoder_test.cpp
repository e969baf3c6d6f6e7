// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "decoder.h"
#include "process.h"

#include "test_support.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

// True once the process is gone for good: ended and reaped by RunAndWait.
bool Reaped(const std::string& pidText) {
    pid_t pid = std::stoi(pidText);
    return waitpid(pid, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

class DecoderTest : public ::testing::Test {
  protected:
    std::string At(const std::string& name) const { return dir_ + "/" + name; }

    std::string Script(const std::string& name, const std::string& body) {
        std::string path = At(name);
        // $D names the test's folder inside the script.
        WriteFile(path, "#!/bin/sh\nD=" + ShellQuote(dir_) + "\n" + body + "\n", 0755);
        return path;
    }

    RunOutcome Run(const std::vector<std::string>& arguments) {
        dispatches_ = 0;
        return RunAndWait(arguments, [this] { ++dispatches_; });
    }

    const TempFolder folder_;
    const std::string dir_ = folder_.path();
    int dispatches_ = 0;
};

TEST(DecoderCommandTest, ArgumentsKeepBlanksInPaths) {
    DecoderCommand command = BuildDecoderCommand("/opt/my tools/lame", DecoderOption::Decode,
                                                 "/music/in/a song.mp3", "/music/out/a song.wav");
    EXPECT_EQ(command.arguments,
              (std::vector<std::string>{"/opt/my tools/lame", "--decode", "/music/in/a song.mp3",
                                        "/music/out/a song.wav"}));
}

TEST(DecoderCommandTest, Mp2InputOnlyForItsOption) {
    DecoderCommand mpa =
        BuildDecoderCommand("/x/lame", DecoderOption::DecodeMp2Input, "/a.mpa", "/a.wav");
    EXPECT_EQ(mpa.arguments,
              (std::vector<std::string>{"/x/lame", "--decode", "--mp2input", "/a.mpa", "/a.wav"}));
    DecoderCommand mp2 = BuildDecoderCommand("/x/lame", DecoderOption::Decode, "/a.mp2", "/a.wav");
    EXPECT_EQ(std::count(mp2.arguments.begin(), mp2.arguments.end(), "--mp2input"), 0);
}

TEST(DecoderCommandTest, NamesStartingWithADashAreNotOptions) {
    DecoderCommand command = BuildDecoderCommand("/x/lame", DecoderOption::Decode, "-v.mp3", "-");
    EXPECT_EQ(command.arguments,
              (std::vector<std::string>{"/x/lame", "--decode", "./-v.mp3", "./-"}));
    DecoderCommand inner = BuildDecoderCommand("/x/lame", DecoderOption::Decode, "a-b.mp3", "c-");
    EXPECT_EQ(inner.arguments[2], "a-b.mp3");
    EXPECT_EQ(inner.arguments[3], "c-");
}

TEST(DecoderLocationTest, FindsTheSystemsLameOnPath) {
    std::string folder = ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '/');
    // Nothing named lame is put beside the build's executables.
    EXPECT_TRUE(DecoderPresent(DecoderPath()));
    EXPECT_NE(DecoderPath(), folder + "/lame");
}

TEST_F(DecoderTest, PresentOnlyForAnExecutableFileOrALinkToOne) {
    fs::create_directory(At("lame"));
    EXPECT_FALSE(DecoderPresent(At("lame")));
    EXPECT_FALSE(DecoderPresent(At("missing")));
    WriteFile(At("real"), "x", 0755);
    WriteFile(At("not-executable"), "x", 0644);
    fs::create_symlink(At("real"), At("link"));
    fs::create_symlink(At("not-executable"), At("link-to-not-executable"));
    fs::create_symlink(At("lame"), At("folder-link"));
    fs::create_symlink(At("missing"), At("dangling"));
    EXPECT_TRUE(DecoderPresent(At("real")));
    EXPECT_TRUE(DecoderPresent(At("link")));
    EXPECT_FALSE(DecoderPresent(At("not-executable")));
    EXPECT_FALSE(DecoderPresent(At("link-to-not-executable")));
    EXPECT_FALSE(DecoderPresent(At("folder-link")));
    EXPECT_FALSE(DecoderPresent(At("dangling")));
}

TEST_F(DecoderTest, ReturnsTheExitCodeOrTheSignal) {
    for (int code : {0, 3, 255}) {
        RunOutcome outcome = Run({Script("exit", "exit " + std::to_string(code))});
        EXPECT_TRUE(outcome.started);
        EXPECT_EQ(outcome.exitCode, code);
        EXPECT_EQ(outcome.signal, 0);
    }
    RunOutcome killed = Run({Script("killed", "kill -KILL $$")});
    EXPECT_TRUE(killed.started);
    EXPECT_EQ(killed.exitCode, -1);
    EXPECT_EQ(killed.signal, SIGKILL);
}

TEST_F(DecoderTest, ReportsWhatCannotStart) {
    WriteFile(At("not-executable"), "#!/bin/sh\nexit 0\n", 0644);
    WriteFile(At("no-format"), "neither a script nor a program\n", 0755);
    fs::create_directory(At("folder"));
    for (const std::string& program :
         {At("missing"), At("not-executable"), At("no-format"), At("folder")}) {
        RunOutcome outcome = Run({program, "--decode"});
        EXPECT_FALSE(outcome.started) << program;
        EXPECT_EQ(outcome.exitCode, -1) << program;
        EXPECT_EQ(dispatches_, 0);
    }
    EXPECT_FALSE(Run({}).started);
}

TEST_F(DecoderTest, StartsFromAFolderWithBlanks) {
    fs::create_directory(At("my tools"));
    RunOutcome outcome = Run({Script("my tools/fake lame", "exit 5"), "a b"});
    EXPECT_TRUE(outcome.started);
    EXPECT_EQ(outcome.exitCode, 5);
}

// The wait must end with the process, not at the next dispatch: processes that
// exit at once get hardly any dispatch, one that sleeps gets them while it runs.
TEST_F(DecoderTest, DispatchesEventsOnlyWhileTheProcessRuns) {
    std::string quick = Script("quick", "exit 0");
    int total = 0;
    for (int run = 0; run < 5; ++run) {
        Run({quick});
        total += dispatches_;
    }
    EXPECT_LE(total, 1);
    Run({Script("slow", "sleep 0.3")});
    EXPECT_GE(dispatches_, 1);
}

TEST_F(DecoderTest, NeverLeavesAZombie) {
    std::string quick = Script("quick", R"(echo $$ > "$D/pid")");
    std::string killed = Script("killed", R"(echo $$ > "$D/pid"; kill -KILL $$)");
    std::string slow = Script("slow", R"(echo $$ > "$D/pid"; sleep 0.3)");
    for (const std::string& program : {quick, killed}) {
        Run({program});
        EXPECT_TRUE(Reaped(ReadFile(At("pid"))));
    }
    // A handler that throws during the wait still leaves the decoder reaped.
    EXPECT_THROW(RunAndWait({slow}, [] { throw std::runtime_error("handler failed"); }),
                 std::runtime_error);
    EXPECT_TRUE(Reaped(ReadFile(At("pid"))));
}

TEST_F(DecoderTest, AStopRequestEndsTheProgramAndWhatItStarted) {
    // A program that never ends by itself, with a child of its own.
    const std::string hung =
        Script("hung", R"(sleep 300 & echo $! > "$D/child"; echo $$ > "$D/pid"; wait)");
    ::unlink(At("pid").c_str());
    const auto start = std::chrono::steady_clock::now();
    const RunOutcome outcome = RunAndWait(
        {hung}, [] {}, [this] { return fs::exists(At("pid")); });
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(outcome.signal, SIGKILL);
    EXPECT_TRUE(Reaped(ReadFile(At("pid"))));
    // Killed with it: soon gone, or dead and waiting for init to reap it.
    const std::string childStat = "/proc/" + Trimmed(ReadFile(At("child"))) + "/stat";
    const auto dead = [&] {
        const std::string stat = ReadFile(childStat);
        return stat.empty() || stat.find(") Z ") != std::string::npos;
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!dead() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    EXPECT_TRUE(dead()) << ReadFile(childStat);
    // Asked before the start, nothing starts.
    bool started = false;
    EXPECT_FALSE(
        RunAndWait(
            {Script("never", R"(touch "$D/ran")")}, [&] { started = true; }, [] { return true; })
            .started);
    EXPECT_FALSE(fs::exists(At("ran")));
}

TEST_F(DecoderTest, StreamsAreNullExceptAnUnnamedErrorFile) {
    // Put data on our own standard input: a decoder that inherited it would read it.
    int saved = dup(0);
    int input[2];
    ASSERT_EQ(pipe(input), 0);
    ASSERT_EQ(write(input[1], "leaked", 6), 6);
    close(input[1]);
    dup2(input[0], 0);
    close(input[0]);
    // The shell applies redirections to itself, so the links are read first.
    RunOutcome outcome = Run({Script("streams", R"(cat > "$D/in"
fd0=$(readlink /proc/$$/fd/0)
fd1=$(readlink /proc/$$/fd/1)
fd2=$(readlink /proc/$$/fd/2)
printf '%s\n' "$fd0" "$fd1" "$fd2" > "$D/fds"
echo visible)")});
    dup2(saved, 0);
    close(saved);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(ReadFile(At("in")), "");
    std::string links = ReadFile(At("fds"));
    EXPECT_TRUE(links.starts_with("/dev/null\n/dev/null\n")) << links;
    // The error file has no name left, so nothing stays behind in the temporary folder.
    EXPECT_TRUE(Trimmed(links).ends_with("(deleted)")) << links;
    EXPECT_EQ(outcome.lastErrorLine, "");
}

TEST_F(DecoderTest, InheritsNoOtherDescriptors) {
    int marker = open(At("leak-marker").c_str(), O_WRONLY | O_CREAT, 0644);
    int channel[2];
    ASSERT_GE(marker, 0);
    ASSERT_EQ(pipe(channel), 0);
    // ls lists its own handle on the folder it reads besides 0, 1 and 2.
    RunOutcome outcome = Run({Script("fds", R"(exec ls -l /proc/self/fd > "$D/fds")")});
    close(marker);
    close(channel[0]);
    close(channel[1]);
    EXPECT_EQ(outcome.exitCode, 0);
    std::string listing = ReadFile(At("fds"));
    int entries = 0;
    for (std::size_t at = listing.find(" -> "); at != std::string::npos;
         at = listing.find(" -> ", at + 1))
        ++entries;
    EXPECT_EQ(entries, 4) << listing;
    EXPECT_EQ(listing.find("leak-marker"), std::string::npos) << listing;
    EXPECT_EQ(listing.find("pipe:"), std::string::npos) << listing;
}

TEST_F(DecoderTest, StartedWithoutWaitingItInheritsNothingAndIsReaped) {
    // The end of the child is heard by the event loop.
    int argc = 1;
    char name[] = "core_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    int marker = open(At("leak-marker").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(marker, 0);
    // The listing appears under its name in one step, once complete.
    ASSERT_TRUE(StartWithoutWaiting({Script("opener", R"(echo $$ > "$D/pid"
ls -l /proc/self/fd > "$D/listing"
mv "$D/listing" "$D/fds")")}));
    close(marker);
    EXPECT_FALSE(StartWithoutWaiting({At("missing")}));

    // Wait for the child's end, as seen from outside: its entry in /proc goes
    // only once it is reaped, a zombie keeps it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (access(At("fds").c_str(), F_OK) != 0 && std::chrono::steady_clock::now() < deadline)
        usleep(1000);
    const std::string proc = "/proc/" + Trimmed(ReadFile(At("pid")));
    while (access(proc.c_str(), F_OK) == 0 && std::chrono::steady_clock::now() < deadline)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    EXPECT_NE(access(proc.c_str(), F_OK), 0) << "left as a zombie";
    const std::string listing = ReadFile(At("fds"));
    EXPECT_EQ(listing.find("leak-marker"), std::string::npos) << listing;
}

TEST_F(DecoderTest, RunsInASessionOfItsOwnWithoutTerminal) {
    RunOutcome outcome = Run({Script("session", R"(echo $$ > "$D/pid"
cut -d' ' -f6,7 /proc/$$/stat > "$D/stat")")});
    EXPECT_EQ(outcome.exitCode, 0);
    std::string pid = Trimmed(ReadFile(At("pid")));
    std::string stat = Trimmed(ReadFile(At("stat")));
    std::string sid = stat.substr(0, stat.find(' '));
    EXPECT_EQ(sid, pid);
    EXPECT_NE(sid, std::to_string(getsid(0)));
    EXPECT_EQ(stat.substr(stat.find(' ') + 1), "0") << "controlling terminal";
}

TEST_F(DecoderTest, SharesOurEnvironmentAndWorkingFolder) {
    fs::create_directory(At("work dir"));
    setenv("BRINDLECOT_PROBE", "a b'c", 1);
    std::string program = Script("env", R"(printf '%s' "$BRINDLECOT_PROBE" > "$D/env"
pwd -P > "$D/cwd")");
    {
        CurrentFolder inside(At("work dir"));
        EXPECT_EQ(Run({program}).exitCode, 0);
    }
    unsetenv("BRINDLECOT_PROBE");
    EXPECT_EQ(ReadFile(At("env")), "a b'c");
    EXPECT_EQ(Trimmed(ReadFile(At("cwd"))), fs::canonical(At("work dir")).string());
}

TEST_F(DecoderTest, LastErrorLineIsTheLastNonEmptyOne) {
    struct Case {
        std::string printed; // printf format, so \r and \n are escapes
        std::string expected;
    };
    for (const Case& c : std::vector<Case>{
             {"first\\nsecond\\n", "second"},
             {"Frame 1/9\\rFrame 9/9\\r", "Frame 9/9"},
             {"done  \\n\\n \\t \\r\\n", "done"},
             {"  \\t  \\n", ""},
             {"no line end", "no line end"},
         }) {
        RunOutcome outcome = Run({Script("err", "printf '" + c.printed + "' >&2")});
        EXPECT_EQ(outcome.lastErrorLine, c.expected) << c.printed;
    }
}

TEST_F(DecoderTest, ManyMegabytesOfErrorOutputDoNotStall) {
    RunOutcome outcome = Run({Script("chatty", R"(head -c 2000000 /dev/zero | tr '\0' 'x' >&2
printf '\rFrame  100/100\n  Writing WAV done  \n\n\r' >&2
exit 4)")});
    EXPECT_EQ(outcome.exitCode, 4);
    EXPECT_EQ(outcome.lastErrorLine, "Writing WAV done");
}

TEST_F(DecoderTest, ArgumentsReachTheProgramUntouched) {
    std::string touched = At("touched");
    std::vector<std::string> arguments = {
        Script("args", R"(printf '%s\0' "$@" > "$D/args.out")"),
        "--decode",
        "say \"hi\" it's",
        "  two  blanks ",
        "$(touch " + touched + ")",
        "`touch " + touched + "`; touch " + touched,
        "日本語のファイル.mp3",
        std::string("\xff\xfe\x80 not utf-8 \x82\xa0"),
        "-leading-dash",
        "",
        "line\nbreak\\",
    };
    EXPECT_EQ(Run(arguments).exitCode, 0);
    std::vector<std::string> received;
    std::string out = ReadFile(At("args.out"));
    for (std::size_t start = 0, end; (end = out.find('\0', start)) != std::string::npos;
         start = end + 1)
        received.push_back(out.substr(start, end - start));
    EXPECT_EQ(received, std::vector<std::string>(arguments.begin() + 1, arguments.end()));
    EXPECT_FALSE(fs::exists(touched));
}

class DecoderLameTest : public DecoderTest {
  protected:
    void SetUp() override {
        DecoderTest::SetUp();
        lame_ = FindLame();
        if (lame_.empty())
            GTEST_SKIP() << "lame is neither beside the tests nor on PATH";
        WriteFile(At("tone.wav"), ToneWav(0.5));
        ASSERT_EQ(
            RunProgram({lame_, "--quiet", "-b", "128", At("tone.wav"), At("tone source.mp3")}), 0);
    }

    std::string lame_;
};

TEST_F(DecoderLameTest, DecodesLikeADirectRun) {
    DecoderCommand command = BuildDecoderCommand(lame_, DecoderOption::Decode,
                                                 At("tone source.mp3"), At("tone out.wav"));
    RunOutcome outcome = Run(command.arguments);
    EXPECT_TRUE(outcome.started);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.signal, 0);
    ASSERT_EQ(RunProgram({lame_, "--quiet", "--decode", At("tone source.mp3"), At("direct.wav")}),
              0);
    std::string decoded = ReadFile(At("tone out.wav"));
    EXPECT_GT(decoded.size(), 44u + 44100u);
    EXPECT_EQ(decoded.substr(0, 4), "RIFF");
    EXPECT_TRUE(decoded == ReadFile(At("direct.wav")));
}

TEST_F(DecoderLameTest, NamesStartingWithADashAreDecodedAsFiles) {
    fs::copy_file(At("tone source.mp3"), At("-tone.mp3"));
    CurrentFolder inside(dir_);
    RunOutcome outcome =
        Run(BuildDecoderCommand(lame_, DecoderOption::Decode, "-tone.mp3", "-tone.wav").arguments);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_GT(fs::file_size(At("-tone.wav")), 44u);
}

TEST_F(DecoderLameTest, MissingInputEndsWithItsErrorLine) {
    RunOutcome outcome =
        Run(BuildDecoderCommand(lame_, DecoderOption::Decode, At("absent.mp3"), At("absent.wav"))
                .arguments);
    EXPECT_TRUE(outcome.started);
    EXPECT_EQ(outcome.exitCode, 255);
    EXPECT_FALSE(outcome.lastErrorLine.empty());
}

TEST_F(DecoderTest, FoundBesideTheExecutableThenOnTheAbsoluteFoldersOfPath) {
    for (const char* folder : {"exe", "empty", "notexec", "bin", "later"})
        fs::create_directory(At(folder));
    WriteFile(At("notexec/lame"), "", 0644);
    WriteFile(At("bin/lame"), "", 0755);
    WriteFile(At("later/lame"), "", 0755);
    // The working folder holds a lame too: empty and relative entries must not reach it.
    WriteFile(At("lame"), "", 0755);
    CurrentFolder here(At(""));
    const std::string path =
        ":.:exe:" + At("empty") + ":" + At("notexec") + ":" + At("bin") + ":" + At("later");

    EXPECT_EQ(FindDecoder(At("exe"), path), At("bin/lame"));
    // Neither: the path beside the executable, for the missing-decoder message.
    EXPECT_EQ(FindDecoder(At("exe"), ":.:" + At("empty")), At("exe/lame"));
    EXPECT_EQ(FindDecoder(At("exe"), ""), At("exe/lame"));
    // One beside the program that can't be run does not hide the one on PATH.
    WriteFile(At("exe/lame"), "", 0644);
    EXPECT_EQ(FindDecoder(At("exe"), path), At("bin/lame"));
    ::chmod(At("exe/lame").c_str(), 0755);
    EXPECT_EQ(FindDecoder(At("exe"), path), At("exe/lame"));
}

// ------------------------------------------------- several decoders at once

TEST_F(DecoderTest, SeveralRunAtOnceAndTheFirstEndWakesTheWait) {
    // Each holds until the other has started: only decoders running at once both end.
    const std::string a =
        Script("a", R"(: > "$D/a.on"; while [ ! -e "$D/b.on" ]; do sleep 0.01; done
echo "a: last words" >&2; exit 4)");
    const std::string b =
        Script("b", R"(: > "$D/b.on"; while [ ! -e "$D/a.on" ]; do sleep 0.01; done
while [ ! -e "$D/go" ]; do sleep 0.01; done)");
    Child first({a}, {.keepErrors = true}), second({b});
    ASSERT_TRUE(first.Started() && second.Started());
    int dispatches = 0;
    WaitForAnyEnd({&first, &second}, [&] { ++dispatches; });
    EXPECT_TRUE(first.Ended());
    EXPECT_FALSE(second.Ended()) << "it waits for the file a dispatch makes";
    const RunOutcome outcome = first.Finish();
    EXPECT_TRUE(outcome.started);
    EXPECT_EQ(outcome.exitCode, 4);
    EXPECT_EQ(outcome.lastErrorLine, "a: last words");

    // Waiting dispatches the events; a handler lets the other end.
    WaitForAnyEnd({&second}, [&] {
        ++dispatches;
        WriteFile(At("go"), "");
    });
    EXPECT_GE(dispatches, 1);
    EXPECT_EQ(second.Finish().exitCode, 0);
}

TEST_F(DecoderTest, AStoppedWaitReturnsAndKillEndsTheDecoderAndItsChildren) {
    const std::string held = Script(
        "held", R"(sleep 60 & echo $! > "$D/child.new"; mv "$D/child.new" "$D/child"; wait)");
    Child decoder({held});
    ASSERT_TRUE(decoder.Started());
    int dispatches = 0;
    WaitForAnyEnd(
        {&decoder}, [&] { ++dispatches; }, [&] { return Exists(At("child")); });
    EXPECT_GE(dispatches, 1);
    EXPECT_FALSE(decoder.Ended());
    // Watched before the kill: the grandchild's end is the event awaited.
    const pid_t grandchild = std::stoi(ReadFile(At("child")));
    const int watch = int(::syscall(SYS_pidfd_open, grandchild, 0));
    ASSERT_GE(watch, 0);
    decoder.Kill();
    EXPECT_EQ(decoder.Finish().signal, SIGKILL);
    pollfd end{watch, POLLIN, 0};
    EXPECT_EQ(::poll(&end, 1, 10'000), 1) << "what the decoder started ends with it";
    ::close(watch);
}

TEST_F(DecoderTest, ADecoderThatCannotStartHasEndedAtOnce) {
    Child missing({At("missing")});
    EXPECT_FALSE(missing.Started());
    EXPECT_TRUE(missing.Ended());
    EXPECT_FALSE(missing.Finish().started);
    int dispatches = 0;
    WaitForAnyEnd({&missing}, [&] { ++dispatches; });
    EXPECT_EQ(dispatches, 0);
}

} // namespace

TEST_F(DecoderTest, AChildWritesWhereToldAndNeverOutlivesItsOwner) {
    const std::string out = At("out");
    WriteFile(out, "");
    const int fd = ::open(out.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    Child prints({Script("prints", "echo printed; echo aside >&2; exit 4")}, {.output = fd});
    ::close(fd);
    const RunOutcome outcome = prints.Finish();
    EXPECT_EQ(outcome.exitCode, 4);
    EXPECT_EQ(ReadFile(out), "printed\n") << "error output goes nowhere";
    EXPECT_TRUE(Reaped(std::to_string(prints.Pid())));

    pid_t pid = -1;
    {
        Child waits({Script("waits", "exec sleep 30")});
        pid = waits.Pid();
        ASSERT_GT(pid, 0);
    }
    EXPECT_TRUE(Reaped(std::to_string(pid))) << "killed and reaped when its owner went";
}
