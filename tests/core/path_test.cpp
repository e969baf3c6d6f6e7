// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "path.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

TEST(Path, TakesPathsApartAndPutsThemTogetherInNormalForm) {
    const std::optional<Path> base = Path::Of("/m");
    const struct {
        std::string text, normal, parent, name;
    } cases[] = {{"/", "/", "/", ""},
                 {"//a/./b//", "/a/b", "/a", "b"},
                 {"a/../b", "/m/a/../b", "/m/a/..", "b"},
                 {"\xff/曲.mp3", "/m/\xff/曲.mp3", "/m/\xff", "曲.mp3"}};
    for (const auto& c : cases) {
        const Path path = *Path::Of(c.text, base);
        EXPECT_EQ(std::tuple(path.Bytes(), path.Parent().Bytes(), path.Name()),
                  std::tuple(c.normal, c.parent, c.name));
    }
    EXPECT_FALSE(Path::Of("a") || Path::Of("", base) || Path::Of(std::string("/a\0b", 4)));
    // "Best Of" is not below "Best"; a ".." may lead out of anything.
    const struct {
        std::string path, folder;
        std::optional<std::string> below;
    } below[] = {{"/o/Best/01.wav", "/o/Best", "01.wav"},
                 {"/o/Best Of/1", "/o/Best", std::nullopt},
                 {"/o/Best", "/o/Best", ""},
                 {"/a/b", "/", "a/b"},
                 {"/o/../x", "/o", std::nullopt}};
    for (const auto& c : below)
        EXPECT_EQ(Path::Of(c.path)->Below(*Path::Of(c.folder)), c.below) << c.path;
    const auto at = [](const char* text) { return *Path::Of(text); };
    EXPECT_EQ(Path::CommonFolder({at("/o/Best"), at("/o/Best Of")}), at("/o"));
    EXPECT_EQ(Path::CommonFolder({at("/m/a/b"), at("/m/a/c"), at("/m/a")}), at("/m/a"));
    EXPECT_EQ(Path::CommonFolder({at("/a"), at("/b")}), Path());
    EXPECT_EQ(Path::CommonFolder({}), std::nullopt);
}

// The extension is counted in characters, within the name: a Japanese name
// keeps its last character, and a short one never loses its folder.
TEST(Path, ExtensionsAreTheNamesLastCharacters) {
    const struct {
        std::string path, extension, wav;
    } cases[] = {{"/m/Song.MP3", ".mp3", "/m/Song.wav"}, {"/m/曲.mpa", ".mpa", "/m/曲.wav"},
                 {"/m/曲名", "曲名", "/m/wav"},          {"/m/a", "a", "/m/wav"},
                 {"/m/x.flac", "flac", "/m/x.fwav"},     {"/m/b\x83.mp2", ".mp2", "/m/b\x83.wav"}};
    for (const auto& c : cases) {
        const Path path = *Path::Of(c.path);
        EXPECT_EQ(path.Extension(), c.extension) << c.path;
        EXPECT_EQ(path.WithExtension("wav").Bytes(), c.wav) << c.path;
    }
    EXPECT_EQ(Path::ExtensionOf("x/y.Mpa"), ".mpa");
}
