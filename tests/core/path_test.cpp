// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "batch_driver.h"
#include "path.h"

#include <gtest/gtest.h>

TEST(Path, TakesPathsApartAndPutsThemTogetherInNormalForm) {
    const std::optional<Path> base = Path::Of("/m");
    const struct {
        std::string text, normal, parent, name;
    } cases[] = {
        {"/", "/", "/", ""},
        {"//a/./b//", "/a/b", "/a", "b"},
        {"a/../b", "/m/a/../b", "/m/a/..", "b"},
        {"\xff/曲.mp3", "/m/\xff/曲.mp3", "/m/\xff", "曲.mp3"},
    };
    for (const auto& c : cases) {
        const std::optional<Path> path = Path::Of(c.text, base);
        ASSERT_TRUE(path) << c.text;
        EXPECT_EQ(path->Bytes(), c.normal);
        EXPECT_EQ(path->Parent().Bytes(), c.parent);
        EXPECT_EQ(path->Name(), c.name);
    }
    EXPECT_FALSE(Path::Of("a") || Path::Of("", base) || Path::Of(std::string("/a\0b", 4)));
    EXPECT_EQ((*base / "A/./01.wav").Bytes(), "/m/A/01.wav");

    const struct {
        std::string path, folder;
        std::optional<std::string> below;
    } below[] = {
        {"/o/Best/01.wav", "/o/Best", "01.wav"},
        {"/o/Best Of/01.wav", "/o/Best", std::nullopt},
        {"/o/Best", "/o/Best", ""},
        {"/a/b", "/", "a/b"},
        {"/o/../x", "/o", std::nullopt},
        {"/o", "/o/a", std::nullopt},
    };
    for (const auto& c : below)
        EXPECT_EQ(Path::Of(c.path)->Below(*Path::Of(c.folder)), c.below) << c.path;

    const auto common = [](std::vector<std::string> texts) {
        std::vector<Path> folders;
        for (const std::string& text : texts)
            folders.push_back(*Path::Of(text));
        const std::optional<Path> folder = CommonFolder(folders);
        return folder ? folder->Bytes() : "none";
    };
    EXPECT_EQ(common({"/o/Best", "/o/Best Of"}), "/o");
    EXPECT_EQ(common({"/m/a/b", "/m/a/c", "/m/a"}), "/m/a");
    EXPECT_EQ(common({"/a", "/b"}), "/");
    EXPECT_EQ(common({}), "none");
}
