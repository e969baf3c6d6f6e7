// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "folder_scan.h"

#include "bounded_run.h"
#include "message_service.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <limits.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

// A fresh folder for one test, with what the tests make in it; root() ends in "/".
class TempTree {
  public:
    const std::string& root() const { return path_; }
    std::string operator/(const std::string& relative) const { return path_ + relative; }

    void File(const std::string& relative) const {
        const int fd = open((path_ + relative).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        ASSERT_GE(fd, 0) << relative;
        close(fd);
    }
    void Folder(const std::string& relative) const {
        ASSERT_EQ(mkdir((path_ + relative).c_str(), 0755), 0) << relative;
    }
    void Link(const std::string& target, const std::string& relative) const {
        ASSERT_EQ(symlink(target.c_str(), (path_ + relative).c_str()), 0) << relative;
    }
    void Fifo(const std::string& relative) const {
        ASSERT_EQ(mkfifo((path_ + relative).c_str(), 0644), 0) << relative;
    }

  private:
    const TempFolder folder_;
    const std::string path_ = folder_.path() + "/";
};

std::vector<std::string> Scanned(const std::string& folder, bool recurse) {
    std::vector<std::string> found;
    ScanFolder(folder, recurse, found);
    return found;
}

std::vector<std::string> Sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

using Paths = std::vector<std::string>;

// ---------------------------------------------------------------- ScanFolder

TEST(ScanFolder, GoesDepthFirstInNameOrderWithoutCase) {
    TempTree t;
    // Enough names that the file system's hash order is all but sure to differ.
    for (const char* name : {"song 2.mp3", "Song 1.MP3", "song 10.mp3", "song 3.mp3", "b.mp2",
                             "A.mpa", "a.mpa", "_x.mp3", "notes.txt", "c.wav"})
        t.File(name);
    t.Folder("Ba");
    t.Folder("Ba/z");
    t.Folder("bb");
    for (const char* name : {"Ba/y.mp3", "Ba/X.mp3", "Ba/z/1.mp3", "Ba/z/0.mp3", "bb/k.mp3"})
        t.File(name);

    // A subfolder's files come where the folder's name falls among the others.
    EXPECT_EQ(Scanned(t.root(), true),
              (Paths{t / "_x.mp3", t / "A.mpa", t / "a.mpa", t / "b.mp2", t / "Ba/X.mp3",
                     t / "Ba/y.mp3", t / "Ba/z/0.mp3", t / "Ba/z/1.mp3", t / "bb/k.mp3",
                     t / "Song 1.MP3", t / "song 10.mp3", t / "song 2.mp3", t / "song 3.mp3"}));
}

TEST(ScanFolder, RecursionOffListsOnlyTheFolderItself) {
    TempTree t;
    t.File("a.mp3");
    t.File("b.MP3");
    t.File("c.wav");
    t.File("mp3"); // shorter than an extension
    t.Folder("sub");
    t.File("sub/inner.mp3");
    t.Folder("x.mp3"); // a folder is never listed as a file

    EXPECT_EQ(Sorted(Scanned(t.root(), false)), Sorted({t / "a.mp3", t / "b.MP3"}));
    EXPECT_EQ(Sorted(Scanned(t.root(), true)),
              Sorted({t / "a.mp3", t / "b.MP3", t / "sub/inner.mp3"}));
}

TEST(ScanFolder, PassesOverHiddenFilesAndFolders) {
    TempTree t;
    t.File("seen.mp3");
    t.File(".hidden.mp3");
    t.File(".mp3");
    t.Folder(".cache");
    t.File(".cache/in_hidden.mp3");
    t.Folder("visible");
    t.File("visible/seen_too.mp2");
    t.Folder("visible/.git");
    t.File("visible/.git/deep.mp3");
    t.Link("visible", ".link_to_visible"); // a hidden link is passed over as well

    EXPECT_EQ(Sorted(Scanned(t.root(), true)),
              Sorted({t / "seen.mp3", t / "visible/seen_too.mp2"}));
}

TEST(ScanFolder, EndsLinkLoopsListingEachFileOnce) {
    // One loop per tree: should the guard fail, a single loop still ends at
    // PATH_MAX with duplicates, where several would multiply without bound.
    struct Loop {
        const char* what;
        std::string target; // relative to the link, or "" for the scanned folder
        std::string link;
    };
    for (const Loop& loop : {Loop{"to the scanned folder", "../..", "a/b/up"},
                             Loop{"to the scanned folder by full path", "", "a/b/up"},
                             Loop{"to a nearer ancestor", "..", "a/b/up"},
                             Loop{"to the folder itself", ".", "a/b/self"},
                             Loop{"through a second link", "../../hop", "a/b/up"}}) {
        SCOPED_TRACE(loop.what);
        TempTree t;
        t.File("top.mp3");
        t.Folder("a");
        t.File("a/one.mp3");
        t.Folder("a/b");
        t.File("a/b/two.mp3");
        t.Link(loop.target.empty() ? t.root() : loop.target, loop.link);
        Paths expected{t / "top.mp3", t / "a/one.mp3", t / "a/b/two.mp3"};
        // a is entered once, under the first of its names: "a" before "hop".
        if (loop.target.ends_with("hop"))
            t.Link("a", "hop");

        EXPECT_EQ(Sorted(Scanned(t.root(), true)), Sorted(expected));
    }
}

TEST(ScanFolder, FollowsLinksToFoldersAndFilesThatAreNoAncestor) {
    TempTree t;
    t.Folder("a");
    t.File("a/x.mp3");
    t.Link("a", "b");              // a sibling: a is searched under one name only
    t.Link("a/x.mp3", "link.mp3"); // a link to a regular file counts
    t.Link("missing.mp3", "dangling.mp3");
    t.Link("a", "folder_link.mp3"); // a folder, whatever its name says

    // a is met first of its three names, and searched under that one.
    EXPECT_EQ(Scanned(t.root(), true), (Paths{t / "a/x.mp3", t / "link.mp3"}));
    EXPECT_EQ(Scanned(t.root(), false), Paths{t / "link.mp3"});
}

TEST(ScanFolder, EntersEveryFolderOnceSoLinkWebsEndInSeconds) {
    // Twelve folders each linking to all twelve: refusing only the folders on
    // the way down would walk 12! paths.
    TempTree t;
    for (int i = 0; i < 12; ++i) {
        t.Folder("f" + std::to_string(i));
        t.File("f" + std::to_string(i) + "/x.mp3");
    }
    for (int i = 0; i < 12; ++i)
        for (int j = 0; j < 12; ++j)
            t.Link("../f" + std::to_string(j), "f" + std::to_string(i) + "/l" + std::to_string(j));
    t.Link("/sys", "sys");
    t.Link(".", "up");

    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(FinishesWithin(10, [&] {
        const Paths found = GatherDroppedPaths({t / "f0", t.root()}, true);
        // Each x.mp3 once, under whatever name the walk met its folder first.
        const std::set<std::string> distinct(found.begin(), found.end());
        return found.size() == 12 && distinct.size() == 12;
    }));
    std::printf("link web with /sys scanned in %.3f s\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

TEST(ScanFolder, SkipsFifosWithoutBlocking) {
    TempTree t;
    t.Fifo("x.mp3");
    t.File("real.mp3");
    t.Link("x.mp3", "fifo_link.mp3");

    EXPECT_EQ(Scanned(t.root(), true), Paths{t / "real.mp3"});
}

TEST(ScanFolder, FolderThatCannotBeOpenedAddsNothingAndTheScanGoesOn) {
    // Running as root, permissions stop nothing; a path beyond PATH_MAX and a
    // dangling folder link fail for anyone.
    TempTree t;
    t.File("before.mp3");
    t.Link("gone", "dangling");
    t.Folder("deep");
    const std::string segment(200, 'd');
    std::string relative = "deep/";
    Paths expected{t / "before.mp3"};
    {
        int fd = open((t / "deep").c_str(), O_RDONLY | O_DIRECTORY);
        ASSERT_GE(fd, 0);
        std::size_t unreachable = 0;
        for (int level = 0; level < 25; ++level) {
            ASSERT_EQ(mkdirat(fd, segment.c_str(), 0755), 0);
            const int next = openat(fd, segment.c_str(), O_RDONLY | O_DIRECTORY);
            close(fd);
            ASSERT_GE(next, 0);
            fd = next;
            const int file = openat(fd, "f.mp3", O_WRONLY | O_CREAT, 0644);
            ASSERT_GE(file, 0);
            close(file);
            relative += segment + "/";
            // A folder's path has to fit PATH_MAX with its NUL to be opened.
            if ((t / relative).size() < PATH_MAX)
                expected.push_back(t / relative + "f.mp3");
            else
                ++unreachable;
        }
        close(fd);
        ASSERT_GT(unreachable, 0u);
    }
    t.File("zafter.mp3");
    expected.push_back(t / "zafter.mp3");

    EXPECT_EQ(Sorted(Scanned(t.root(), true)), Sorted(expected));
    EXPECT_TRUE(Scanned(t / "dangling/", true).empty());
    EXPECT_TRUE(Scanned(t / "no such folder/", true).empty());
    EXPECT_TRUE(Scanned(t / "before.mp3/", true).empty());
}

TEST(ScanFolder, HoldsOneFolderOpenAtATime) {
    // With few descriptors to spare, a deep tree is still searched to the bottom.
    TempTree t;
    std::string relative;
    Paths expected;
    for (int level = 0; level < 64; ++level) {
        relative += "n/";
        t.Folder(relative);
        t.File(relative + "f.mp3");
        expected.push_back(t / relative + "f.mp3");
    }
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit tight = saved;
    tight.rlim_cur = 32;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &tight), 0);
    const Paths found = Scanned(t.root(), true);
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(Sorted(found), Sorted(expected));
}

TEST(ScanFolder, KeepsNamesThatAreNotUtf8ByteForByte) {
    TempTree t;
    const std::string shiftJisName = "\x83\x65\x83\x58\x83\x67.mp3"; // "テスト" in Shift-JIS
    const std::string shiftJisFolder = "\x83\x5c\x83\x74\x83\x67";   // second bytes include "\"
    t.File(shiftJisName);
    t.Folder(shiftJisFolder);
    t.File(shiftJisFolder + "/\xff\xfe.MP3");

    EXPECT_EQ(Sorted(Scanned(t.root(), true)),
              Sorted({t / shiftJisName, t / (shiftJisFolder + "/\xff\xfe.MP3")}));
}

// -------------------------------------------------------- GatherDroppedPaths

TEST(GatherDroppedPaths, AddsDroppedFilesByTheirExtensionAlone) {
    // Neither existence nor hiddenness is asked of a dropped file.
    const Paths dropped{"/nowhere/a.MP3", "/nowhere/b.wav", "/nowhere/c.mpa", "/nowhere/.h.mp2"};
    EXPECT_EQ(GatherDroppedPaths(dropped, true),
              (Paths{"/nowhere/a.MP3", "/nowhere/c.mpa", "/nowhere/.h.mp2"}));
}

TEST(GatherDroppedPaths, SearchesDroppedFoldersInOrder) {
    TempTree t;
    t.Folder("music");
    t.File("music/m.mp3");
    t.Folder("music/sub");
    t.File("music/sub/s.mp3");
    t.Folder("x.mp3");
    t.File("x.mp3/inside.mpa");
    t.File("loose.mp2");
    t.Link("music", "music_link");

    const std::string music = t / "music";
    EXPECT_EQ(GatherDroppedPaths({music}, false), Paths{music + "/m.mp3"});
    EXPECT_EQ(Sorted(GatherDroppedPaths({music}, true)),
              Sorted({music + "/m.mp3", music + "/sub/s.mp3"}));

    // A folder named like a file is both an item and searched; order follows
    // the drop; one drop searches a folder once (each call above is a drop).
    EXPECT_EQ(GatherDroppedPaths({t / "x.mp3", music, t / "loose.mp2", music}, false),
              (Paths{t / "x.mp3", t / "x.mp3/inside.mpa", music + "/m.mp3", t / "loose.mp2"}));

    // The "/" is added without a look at the path: a trailing one is doubled.
    EXPECT_EQ(GatherDroppedPaths({music + "/"}, false), Paths{music + "//m.mp3"});
    EXPECT_EQ(GatherDroppedPaths({t / "music_link"}, false), Paths{t / "music_link/m.mp3"});
}

// --------------------------------------------------------------- ParseUriList

TEST(ParseUriList, AcceptsLocalFileUrisOnly) {
    const std::string list = "file:///home/u/a.mp3\r\n"
                             "FILE://LocalHost/home/u/b.mp3\r\n"
                             "file:/home/u/c.mp3\n"
                             "# a comment\r\n"
                             "\r\n"
                             "file://otherhost/home/u/d.mp3\n"
                             "http://example.com/e.mp3\n"
                             "file://localhost\n"
                             "file:relative.mp3\n"
                             "\n"
                             "file:///last/without/newline";
    EXPECT_EQ(ParseUriList(list),
              (Paths{"/home/u/a.mp3", "/home/u/b.mp3", "/home/u/c.mp3", "/last/without/newline"}));
    EXPECT_TRUE(ParseUriList("").empty());
    EXPECT_TRUE(ParseUriList("\r\n\n# only\n").empty());
}

TEST(ParseUriList, PercentDecodesToTheNamesOwnBytes) {
    EXPECT_EQ(ParseUriList("file:///a%20b/%E3%83%86.mp3\n"), Paths{"/a b/\xe3\x83\x86.mp3"});
    // Shift-JIS bytes arrive intact, in either case of hex digit.
    EXPECT_EQ(ParseUriList("file:///%83%65%83%58%83%67.mp3\n"),
              Paths{"/\x83\x65\x83\x58\x83\x67.mp3"});
    EXPECT_EQ(ParseUriList("file:///x%2Fy%2fz%25%ff%FF\n"), Paths{"/x/y/z%\xff\xff"});
    // "?" and "#" encoded in a name stay part of it; a bare one is kept too.
    EXPECT_EQ(ParseUriList("file:///q%3F%23.mp3\nfile:///r?s#t\n"), (Paths{"/q?#.mp3", "/r?s#t"}));
    // A malformed escape is kept as it came.
    EXPECT_EQ(ParseUriList("file:///bad%zz%4%\nfile:///end%4"), (Paths{"/bad%zz%4%", "/end%4"}));
    // A NUL byte would name another file.
    EXPECT_TRUE(ParseUriList("file:///a%00b.mp3").empty());
}

TEST(FileAddress, IsAlwaysALocalFileAndReadsBackAsTheSameBytes) {
    // An edited caption that looks like a web address is still a file here.
    EXPECT_EQ(FileAddress("https://example.com/x.mp3", "/music"),
              "file:///music/https%3A//example.com/x.mp3");
    const std::string odd = "/m/caf\xe9 #1?%25\n.mp3";
    EXPECT_EQ(ParseUriList(FileAddress(odd, "/")), Paths{odd});
}

// ----------------------------------------------------------- ListSourceFolder

TEST(ListSourceFolder, ListsMatchingPlainFilesSortedWithoutCase) {
    TempTree t;
    for (const char* name : {"b.mp3", "A.MP2", "a.mp2", "C.Mpa", "d.mp3.txt", "e.wav",
                             ".hidden.mp3", "_under.mp3", "Z.mp3", "\x83\x65.mp3", "link.mp3"})
        if (std::string(name) != "link.mp3")
            t.File(name);
    t.Link("b.mp3", "link.mp3");
    t.Link("missing.mp3", "dangling.mp3");
    t.Fifo("fifo.mp3");
    t.Folder("folder.mp3");

    // Lower-cased bytes decide, so "_" (0x5F) comes before every letter, even
    // though it follows the upper-case ones; the raw bytes break ties ("A" < "a").
    EXPECT_EQ(ListSourceFolder(t.root()), (Paths{"_under.mp3", "A.MP2", "a.mp2", "b.mp3", "C.Mpa",
                                                 "link.mp3", "Z.mp3", "\x83\x65.mp3"}));
    EXPECT_TRUE(ListSourceFolder(t / "folder.mp3").empty());
}

TEST(ListSourceFolder, ThrowsNamingAFolderThatCannotBeRead) {
    const std::string folder = "/nonexistent_\xff_folder";
    try {
        ListSourceFolder(folder);
        FAIL() << "no error";
    } catch (const UserError& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("/nonexistent_\xef\xbf\xbd_folder"), std::string::npos) << text;
        EXPECT_NE(text.find("No such file or directory"), std::string::npos) << text;
    }
}

} // namespace
