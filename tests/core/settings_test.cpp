// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings.h"

#include "bounded_run.h"
#include "test_support.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>

namespace {

// The values applied, in order, for a settings file holding bytes.
std::vector<bool> Applied(const std::string& bytes) {
    TempFolder folder;
    WriteFile(folder / "brindlecot.ini", bytes);
    std::vector<bool> values;
    ReadSettings(folder / "brindlecot.ini", [&](bool on) { values.push_back(on); });
    return values;
}

std::optional<bool> Final(const std::string& bytes) {
    const auto values = Applied(bytes);
    return values.empty() ? std::nullopt : std::optional<bool>(values.back());
}

// Root may write anywhere: root asks as nobody, keeping a way back.
struct AsNobody {
    bool root = ::geteuid() == 0;
    bool switched = root && ::setresuid(65534, 65534, 0) == 0;
    ~AsNobody() {
        if (switched && ::setresuid(0, 0, 0) != 0)
            std::abort();
    }
};

} // namespace

TEST(Settings, OnlyExactlyOnAfterFrontTurnsStayOnTopOn) {
    EXPECT_EQ(Final("[front]\r\nOn\r\n"), true);
    EXPECT_EQ(Final("[front]\r\nOff\r\n"), false);
    EXPECT_EQ(Final("[front]\r\non\r\n"), false);
    EXPECT_EQ(Final("[front]\r\nOn \r\n"), false);
    EXPECT_EQ(Final("[front]\r\n\r\n"), false);
    EXPECT_EQ(Final("[front]\nOn"), true) << "LF-only lines and no final line end";
    EXPECT_EQ(Final("[Front]\r\nOn\r\n"), std::nullopt) << "the section line is case-sensitive";
    EXPECT_EQ(Final(" [front]\r\nOn\r\n"), std::nullopt);
}

TEST(Settings, LastFrontWinsAndAMissingValueIsOff) {
    EXPECT_EQ(Applied("[front]\r\nOn\r\nx\r\n[front]\r\nOff\r\n"),
              (std::vector<bool>{true, false}));
    EXPECT_EQ(Final("[front]\r\nOn\r\n[front]\r\n"), false);
    EXPECT_EQ(Final("[front]"), false);
    // The second line is the first one's value; the third is passed over.
    EXPECT_EQ(Applied("[front]\r\n[front]\r\nOn\r\n"), std::vector<bool>{false});
}

TEST(Settings, CarriageReturnsAreDroppedAndDoNotEndLines) {
    EXPECT_EQ(Final("[front]\r\r\nO\rn\r\n"), true);
    // CR-only line ends make one line, which is not "[front]": defaults stay.
    EXPECT_EQ(Final("[front]\rOn\r"), std::nullopt);
}

TEST(Settings, CtrlZEndsALineOrTheFile) {
    EXPECT_EQ(Final("[front]\x1agarbage\r\nOn\x1a more\r\n"), true);
    EXPECT_EQ(Final("[front]\r\n\x1aOn\r\n"), false) << "Ctrl-Z at a line start ends the file";
    EXPECT_EQ(Final("\x1a[front]\r\nOn\r\n"), std::nullopt);
}

TEST(Settings, SeveralAtOnceIsKeptAfterTheFrontLinesAndReadsOffWithoutThem) {
    TempFolder folder;
    const std::string path = folder / "brindlecot.ini";
    WriteSettings(path, false, true);
    EXPECT_EQ(ReadFile(path), "[front]\r\nOff\r\n[parallel]\r\nOn\r\n");
    std::vector<bool> front, parallel;
    const auto read = [&](const std::string& file) {
        front.clear();
        parallel.clear();
        ReadSettings(
            file, [&](bool on) { front.push_back(on); }, [&](bool on) { parallel.push_back(on); });
    };
    read(path);
    EXPECT_EQ(front, std::vector<bool>{false});
    EXPECT_EQ(parallel, std::vector<bool>{true});
    // A reader of the front lines alone still finds its value in such a file.
    EXPECT_EQ(Final("[front]\r\nOn\r\n[parallel]\r\nOn\r\n"), true);

    // Unchecked, the file is the one it always was, and such a file leaves the box unchecked.
    WriteSettings(path, true, false);
    EXPECT_EQ(ReadFile(path), "[front]\r\nOn\r\n");
    read(path);
    EXPECT_TRUE(parallel.empty());
    // The value rules of the front lines hold for it too.
    WriteFile(path, "[parallel]\r\non\r\n[parallel]\r\nOn\r\n[parallel]\r\n");
    read(path);
    EXPECT_EQ(parallel, (std::vector<bool>{false, true, false}));
    EXPECT_TRUE(front.empty());

    // Tags are carried unless "[tags]" says exactly "Off", which is kept.
    WriteSettings(path, true, false, false);
    EXPECT_EQ(ReadFile(path), "[front]\r\nOn\r\n[tags]\r\nOff\r\n");
    std::vector<bool> tags;
    WriteFile(path, ReadFile(path) + "[tags]\r\noff\r\n[tags]\r\nOff\r\n[tags]");
    ReadSettings(
        path, [](bool) {}, {}, [&](bool on) { tags.push_back(on); });
    EXPECT_EQ(tags, (std::vector<bool>{false, true, false, true}));
}

TEST(Settings, NoFileOrAFolderKeepsTheDefaults) {
    TempFolder folder;
    int calls = 0;
    ReadSettings(folder / "absent.ini", [&](bool) { ++calls; });
    ::mkdir((folder / "brindlecot.ini").c_str(), 0755);
    ReadSettings(folder / "brindlecot.ini", [&](bool) { ++calls; });
    EXPECT_EQ(calls, 0);
}

TEST(Settings, WritesTwoCrLfLinesAndReadsThemBack) {
    TempFolder folder;
    const std::string path = folder / "brindlecot.ini";
    WriteFile(path, "old content that is longer than the new one\r\n");
    WriteSettings(path, false);
    EXPECT_EQ(ReadFile(path), "[front]\r\nOff\r\n");
    WriteSettings(path, true);
    EXPECT_EQ(ReadFile(path), "[front]\r\nOn\r\n");
    std::optional<bool> read;
    ReadSettings(path, [&](bool on) { read = on; });
    EXPECT_EQ(read, true);
    // Nothing is left behind but the file itself.
    EXPECT_EQ(EntriesIn(folder.path()), 1u);
}

TEST(Settings, WritingOverAFolderOrIntoAMissingFolderFailsCleanly) {
    TempFolder folder;
    ::mkdir((folder / "brindlecot.ini").c_str(), 0755);
    EXPECT_THROW(WriteSettings(folder / "brindlecot.ini", true), UserError);
    EXPECT_EQ(EntriesIn(folder.path()), 1u) << "the temporary file is removed";
    EXPECT_THROW(WriteSettings(folder / "missing/brindlecot.ini", true), UserError);
}

TEST(Settings, ALinkInPlaceOfTheFileStaysALinkToTheFileWritten) {
    TempFolder home, dotfiles;
    ::mkdir((dotfiles / "config").c_str(), 0755);
    WriteFile(dotfiles / "config/brindlecot.ini", "[front]\r\nOn\r\n");
    // A relative link to a relative link, as dotfile managers make them.
    ASSERT_EQ(::symlink((dotfiles / "config/brindlecot.ini").c_str(), (home / "kept.ini").c_str()),
              0);
    ASSERT_EQ(::symlink("kept.ini", (home / "brindlecot.ini").c_str()), 0);
    WriteSettings(home / "brindlecot.ini", false);
    EXPECT_EQ(KindAt(home / "brindlecot.ini", false), FileKind::Link);
    EXPECT_EQ(KindAt(home / "kept.ini", false), FileKind::Link);
    EXPECT_EQ(ReadFile(dotfiles / "config/brindlecot.ini"), "[front]\r\nOff\r\n");
    // Written beside the target, nothing left over in either folder.
    EXPECT_EQ(EntriesIn(home.path()), 2u);
    EXPECT_EQ(EntriesIn(dotfiles / "config"), 1u);

    // A link to nowhere yet: the file is made where it leads.
    ASSERT_EQ(::symlink("new.ini", (home / "dangling.ini").c_str()), 0);
    WriteSettings(home / "dangling.ini", true);
    EXPECT_EQ(KindAt(home / "dangling.ini", false), FileKind::Link);
    EXPECT_EQ(ReadFile(home / "new.ini"), "[front]\r\nOn\r\n");
}

TEST(Settings, OnlyTheFirst64KiBOfARegularFileAreRead) {
    TempFolder folder;
    const std::string path = folder / "brindlecot.ini", zero = folder / "zero.ini";
    // A sparse gigabyte: "Off" in the first line, "On" beyond the cap.
    WriteFile(path, "[front]\r\nOff\r\n");
    const std::string tail = "\n[front]\r\nOn\r\n";
    const int fd = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::pwrite(fd, tail.data(), tail.size(), off_t(1) << 30), ssize_t(tail.size()));
    ::close(fd);
    ASSERT_EQ(::symlink("/dev/zero", zero.c_str()), 0);

    // Reading either whole would take seconds and gigabytes; the child has neither.
    EXPECT_TRUE(FinishesWithin(10, [&] {
        std::vector<bool> values;
        ReadSettings(path, [&](bool on) { values.push_back(on); });
        ReadSettings(zero, [&](bool on) { values.push_back(on); }); // reads as absent
        return values == std::vector<bool>{false};
    }));
    // The cap is 64 KiB exactly: a last line ending there counts, what follows does not.
    const std::string first = "[front]\r\nOff\r\n", filler(64 * 1024 - first.size(), '\n');
    EXPECT_EQ(Applied(filler + first), std::vector<bool>{false});
    EXPECT_EQ(Applied(filler + first + "[front]\r\nOn\r\n"), std::vector<bool>{false});
}

TEST(Settings, AReadOnlyFileIsNotReplacedAndPermissionsAreKept) {
    TempFolder folder;
    const std::string path = folder / "brindlecot.ini";
    WriteFile(path, "[front]\r\nOff\r\n", 0444);
    EXPECT_THROW(WriteSettings(path, true), UserError);
    EXPECT_EQ(ReadFile(path), "[front]\r\nOff\r\n");

    ::chmod(path.c_str(), 0600);
    WriteSettings(path, true);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_EQ(ReadFile(path), "[front]\r\nOn\r\n");
}

TEST(Settings, TheFileLivesBesideTheExecutable) {
    const std::string path = SettingsPath();
    EXPECT_EQ(path.substr(path.rfind('/') + 1), "brindlecot.ini");
    char self[4096] = {};
    ASSERT_GT(::readlink("/proc/self/exe", self, sizeof self - 1), 0);
    const std::string exe(self);
    EXPECT_EQ(path.substr(0, path.rfind('/')), exe.substr(0, exe.rfind('/')));
}

TEST(SettingsLocation, BesideTheExecutableWhenItsFolderCanKeepTheFile) {
    TempFolder t;
    ::mkdir((t / "exe").c_str(), 0755);
    EXPECT_EQ(SettingsPath(t / "exe", "", t / "home"), t / "exe/brindlecot.ini");
    WriteFile(t / "exe/brindlecot.ini", "[front]\r\nOff\r\n");
    EXPECT_EQ(SettingsPath(t / "exe", t / "xdg", t / "home"), t / "exe/brindlecot.ini");
    EXPECT_FALSE(Exists(t / "home")) << "nothing is made for a portable copy";
    EXPECT_FALSE(Exists(t / "xdg"));
}

TEST(SettingsLocation, ALinkBesideTheExecutableToAFileNotMadeYetIsKept) {
    TempFolder t;
    ::mkdir((t / "exe").c_str(), 0755);
    ::mkdir((t / "dotfiles").c_str(), 0755);
    ASSERT_EQ(::symlink("../dotfiles/brindlecot.ini", (t / "exe/brindlecot.ini").c_str()), 0);
    EXPECT_EQ(SettingsPath(t / "exe", "", t / "home"), t / "exe/brindlecot.ini");
    WriteSettings(t / "exe/brindlecot.ini", false);
    EXPECT_EQ(ReadFile(t / "dotfiles/brindlecot.ini"), "[front]\r\nOff\r\n");
}

TEST(SettingsLocation, ElsewhereThePerUserFileInFoldersMadeForIt) {
    TempFolder t;
    // A folder path that is a file can't hold the settings, even for root; nor
    // can a folder whose settings file is a folder.
    WriteFile(t / "file", "");
    ::mkdir((t / "exe").c_str(), 0755);
    ::mkdir((t / "exe/brindlecot.ini").c_str(), 0755);

    const std::string perUser = t / "home/.config/brindlecot/brindlecot.ini";
    EXPECT_EQ(SettingsPath(t / "file", "", t / "home"), perUser);
    EXPECT_TRUE(IsFolder(t / "home/.config/brindlecot"));
    EXPECT_EQ(SettingsPath(t / "exe", "relative/is/ignored", t / "home"), perUser);
    EXPECT_EQ(SettingsPath(t / "exe", t / "xdg/deep", t / "home"),
              t / "xdg/deep/brindlecot/brindlecot.ini");
    EXPECT_TRUE(IsFolder(t / "xdg/deep/brindlecot"));

    WriteSettings(perUser, false);
    EXPECT_EQ(Applied(ReadFile(perUser)), std::vector<bool>{false});
}

// A file beside the executable that is passed over for the user's own is told
// at close as a failed write: a folder, a FIFO; not one that is kept, nor none.
TEST(SettingsLocation, AFileBesideThatCantBeWrittenIsToldWhy) {
    TempFolder t;
    for (const char* exe : {"folder", "fifo", "file", "none"})
        ::mkdir((t / exe).c_str(), 0755);
    ::mkdir((t / "folder/brindlecot.ini").c_str(), 0755);
    ::mkfifo((t / "fifo/brindlecot.ini").c_str(), 0644);
    WriteFile(t / "file/brindlecot.ini", "");
    const auto told = [&](const std::string& exe) {
        return SettingsPassedOver(t / exe, SettingsPath(t / exe, t / "xdg", t / "home"));
    };
    EXPECT_EQ(told("folder"),
              "設定ファイルを書けません：\"" + t / "folder/brindlecot.ini\" (Is a directory)");
    EXPECT_EQ(told("fifo"), "設定ファイルを書けません：\"" +
                                t / "fifo/brindlecot.ini\" (通常のファイルではありません)");
    EXPECT_EQ(told("file") + told("none"), "");
}

TEST(SettingsLocation, AFolderOrFileTheUserCantWriteGoesPerUser) {
    TempFolder t;
    ::chmod(t.path().c_str(), 0777);
    ::mkdir((t / "ro").c_str(), 0755);
    ::mkdir((t / "rw").c_str(), 0755);
    ::chmod((t / "rw").c_str(), 0777);
    WriteFile(t / "rw/brindlecot.ini", "", 0444);
    // Writable, but the folder it would be replaced in is not.
    WriteFile(t / "ro/brindlecot.ini", "", 0666);
    ::chmod((t / "ro").c_str(), 0555);
    AsNobody user;
    if (user.root && !user.switched)
        GTEST_SKIP() << "running as root without the right to become nobody";
    const std::string perUser = t / "xdg/brindlecot/brindlecot.ini";
    EXPECT_EQ(SettingsPath(t / "ro", t / "xdg", t / "home"), perUser);
    EXPECT_EQ(SettingsPath(t / "rw", t / "xdg", t / "home"), perUser);
    EXPECT_TRUE(IsFolder(t / "xdg/brindlecot"));
}

TEST(SettingsLocation, APerUserFolderThatCantBeMadeIsNamedWithItsCause) {
    TempFolder t;
    ::chmod(t.path().c_str(), 0777);
    ::mkdir((t / "exe").c_str(), 0555);
    ::mkdir((t / "locked").c_str(), 0555);
    AsNobody user;
    if (user.root && !user.switched)
        GTEST_SKIP() << "running as root without the right to become nobody";
    const std::string path = SettingsPath(t / "exe", t / "locked/config", t / "home");
    ASSERT_EQ(path, t / "locked/config/brindlecot/brindlecot.ini");
    try {
        WriteSettings(path, true);
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "設定フォルダを作れません：\"" + t / "locked/config" + "\" (Permission denied)");
    }
}

TEST(SettingsLocation, AnInstalledProgramKeepsItPerUserEvenAsRoot) {
    TempFolder t;
    const std::string perUser = t / "xdg/brindlecot/brindlecot.ini";
    for (const char* folder : {"/usr/bin", "/usr/local/bin", "/bin", "/sbin", "/usr/lib/brindlecot",
                               "/lib64", "/opt/brindlecot/bin", "/etc", "/opt"})
        EXPECT_EQ(SettingsPath(folder, t / "xdg", t / "home"), perUser) << folder;
    // Only the top folder's name counts: a writable folder elsewhere still keeps it.
    ::mkdir((t / "usr").c_str(), 0755);
    EXPECT_EQ(SettingsPath(t / "usr", t / "xdg", t / "home"), t / "usr/brindlecot.ini");
}
