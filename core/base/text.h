// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Paths are the file system's own bytes. Where a rule counts characters, it
// counts code points of UTF-8 text, and a byte that is not part of a valid
// UTF-8 sequence counts as one character of its own.

#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

std::size_t CharacterCount(std::string_view text);

// The last n characters (the whole text when it is shorter).
std::string_view LastCharacters(std::string_view text, std::size_t n);

// The text without its last n characters (empty when it is shorter).
std::string_view DropLastCharacters(std::string_view text, std::size_t n);

// ASCII A-Z lower-cased (a-z upper-cased), every other byte unchanged.
std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);

// A path is MPEG audio when its last four characters, ASCII-lower-cased, are
// ".mpa", ".mp2" or ".mp3".
bool IsMpegAudioPath(std::string_view path);

// The one way bytes (a path, a reason) become text: lossy where they are not
// UTF-8, so the bytes themselves are never rebuilt from it.
QString DisplayText(std::string_view bytes);

// bytes as a terminal or a line of a list may show them: each control
// character (C0, DEL, C1; and 0x80 to 0x9F where they are no part of UTF-8)
// as an escape ("\n", "\x1b"), so that a name neither breaks a line nor
// steers a terminal. Everything else stays as it is.
std::string EscapedControls(std::string_view bytes);

// The UTF-8 bytes of a text the user typed.
std::string Utf8Bytes(const QString& text);

// The error box's text: the message with "." appended unless it is empty or
// ends in a character whose code is not above '.'.
std::string ErrorBoxText(std::string message);

// Our text (source texts are Japanese) in the user's language, as UTF-8.
// lupdate reads calls of it as it reads QCoreApplication::translate, so the
// context and the text must be literals.
std::string Translate(const char* context, const char* sourceText);

// A text with a count: "%n" in it stands for n, and a translation has the
// language's plural forms (Japanese has one). The disambiguation, nullptr,
// is there for lupdate, which reads a count only as the fourth argument.
std::string Translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n);

// "label：detail" as the user's language writes it: Japanese with a
// full-width colon, English "label: detail", French with a space before it.
std::string LabelledText(std::string_view label, std::string_view detail);

// text with its first "%1" replaced by argument.
std::string FillIn(std::string_view text, std::string_view argument);
