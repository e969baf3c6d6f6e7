// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "path.h"

#include "batch_driver.h" // CommonFolder

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
    EXPECT_EQ(CommonFolder({at("/o/Best"), at("/o/Best Of")}), at("/o"));
    EXPECT_EQ(CommonFolder({at("/m/a/b"), at("/m/a/c"), at("/m/a")}), at("/m/a"));
    EXPECT_EQ(CommonFolder({at("/a"), at("/b")}), Path());
}
