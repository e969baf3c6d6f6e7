// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text.h"

#include <gtest/gtest.h>

#include <cerrno>

TEST(Text, CountsCharactersNotBytes) {
    EXPECT_EQ(CharacterCount(""), 0u);
    EXPECT_EQ(CharacterCount("abc"), 3u);
    EXPECT_EQ(CharacterCount("日本"), 2u);
    EXPECT_EQ(CharacterCount("\xF0\x9F\x8E\xB5"), 1u) << "one code point outside the BMP";
    // Shift-JIS bytes are not UTF-8: each invalid byte is a character of its own,
    // and a valid sequence after them still counts once.
    EXPECT_EQ(CharacterCount("\x83\x65\x83\x58"), 4u);
    EXPECT_EQ(CharacterCount("\xE6\x97"), 2u) << "a cut sequence";
    EXPECT_EQ(CharacterCount("\xC0\xAF"), 2u) << "an overlong slash";
    EXPECT_EQ(CharacterCount("\xED\xA0\x80"), 3u) << "a surrogate";
    EXPECT_EQ(CharacterCount("\x83\xE6\x97\xA5"), 2u);
}

TEST(Text, TakesAndDropsTheLastCharacters) {
    EXPECT_EQ(LastCharacters("song.mp3", 4), ".mp3");
    EXPECT_EQ(LastCharacters("ab", 4), "ab");
    EXPECT_EQ(LastCharacters("曲名.mp3", 5), "名.mp3");
    EXPECT_EQ(DropLastCharacters("曲名.mp3", 3), "曲名.");
    EXPECT_EQ(DropLastCharacters("曲名", 1), "曲");
    EXPECT_EQ(DropLastCharacters("a\x83\x65", 2), "a");
    EXPECT_EQ(DropLastCharacters("a\xE6\x97\xA5", 1), "a");
    EXPECT_EQ(DropLastCharacters("ab", 3), "");
}

TEST(Text, MpegAudioExtensionsIgnoreAsciiCaseOnly) {
    for (const char* yes : {"a.mp3", "a.MP3", "x/y.Mpa", ".mp2", "曲.mP2"})
        EXPECT_TRUE(IsMpegAudioPath(yes)) << yes;
    for (const char* no : {"", "mp3", "a.mp4", "a.mp3 ", "a.wav", "a.ｍｐ３", "a.mp3/"})
        EXPECT_FALSE(IsMpegAudioPath(no)) << no;
    EXPECT_EQ(AsciiLower("AbC.MP3日本"), "abc.mp3日本");
}

TEST(Text, TheErrorBoxAddsAPeriodOnlyAfterHigherCodes) {
    EXPECT_EQ(ErrorBoxText(""), "");
    EXPECT_EQ(ErrorBoxText("Disk full"), "Disk full.");
    EXPECT_EQ(ErrorBoxText("Done."), "Done.");
    EXPECT_EQ(ErrorBoxText("Stop!"), "Stop!");
    EXPECT_EQ(ErrorBoxText("(reason)"), "(reason)");
    EXPECT_EQ(ErrorBoxText("path/"), "path/.");
    EXPECT_EQ(ErrorBoxText("読めません"), "読めません.");
}

TEST(Text, DisplayIsLossyButUtf8RoundTrips) {
    EXPECT_EQ(Utf8Bytes(DisplayText("曲/a.mp3")), "曲/a.mp3");
    EXPECT_NE(Utf8Bytes(DisplayText("\x83\x65.mp3")), "\x83\x65.mp3");
}

TEST(Text, ControlsInANameAreEscapedAndNothingElse) {
    EXPECT_EQ(EscapedControls("a\nb\tc\x1b]0;x\x07\x7f.mp3"), "a\\nb\\tc\\x1b]0;x\\x07\\x7f.mp3");
    EXPECT_EQ(EscapedControls("\xc2\x9b\x9b"), "\\xc2\\x9b\\x9b") << "C1, in UTF-8 and alone";
    EXPECT_EQ(EscapedControls("曲 caf\xe9 \xc2\xa0"), "曲 caf\xe9 \xc2\xa0");
}

TEST(TranslateTest, WithoutATranslationTheTextStandsAsWrittenAndErrnoIsKept) {
    errno = ENOENT;
    EXPECT_EQ(Translate("BatchDriver", "中断しました"), "中断しました");
    EXPECT_EQ(errno, ENOENT);
}

TEST(TranslateTest, FillInKeepsTheArgumentsBytes) {
    EXPECT_EQ(FillIn("%1件", "12"), "12件");
    EXPECT_EQ(FillIn("missing: %1", "/a/\xff%1.mp3"), "missing: /a/\xff%1.mp3");
    EXPECT_EQ(FillIn("none", "x"), "none");
}
