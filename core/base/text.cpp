// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text.h"

#include "path.h"

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>

namespace {

// Length of the valid UTF-8 sequence starting at text[i], or 0 when the byte
// there does not start one.
std::size_t SequenceLength(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b0 = byte(i);
    if (b0 < 0x80)
        return 1;
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        if (b0 == 0xE0)
            low = 0xA0; // overlong
        if (b0 == 0xED)
            high = 0x9F; // surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        if (b0 == 0xF0)
            low = 0x90; // overlong
        if (b0 == 0xF4)
            high = 0x8F; // above U+10FFFF
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    if (byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    return length;
}

template <typename Visit> void ForEachCharacter(std::string_view text, Visit visit) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = std::max<std::size_t>(SequenceLength(text, i), 1);
        visit(i);
        i += length;
    }
}

// Byte offset where the last n characters begin.
std::size_t StartOfLast(std::string_view text, std::size_t n) {
    // ASCII bytes never belong to a longer sequence, so an ASCII tail needs no walk.
    std::size_t asciiTail = 0;
    while (asciiTail < n && asciiTail < text.size() &&
           static_cast<unsigned char>(text[text.size() - 1 - asciiTail]) < 0x80)
        ++asciiTail;
    if (asciiTail == n || asciiTail == text.size())
        return text.size() - asciiTail;

    std::size_t count = CharacterCount(text);
    if (count <= n)
        return 0;
    std::size_t skip = count - n, start = 0, seen = 0;
    ForEachCharacter(text, [&](std::size_t offset) {
        if (seen++ == skip)
            start = offset;
    });
    return start;
}

} // namespace

std::string EscapedControls(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown;
    shown.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = SequenceLength(bytes, i);
        // U+0080 to U+009F: C1 controls, which some terminals obey.
        const bool c1 =
            length == 2 && byte == 0xC2 && static_cast<unsigned char>(bytes[i + 1]) < 0xA0;
        if (length > 1 && !c1) {
            shown.append(bytes.substr(i, length));
            i += length;
            continue;
        }
        const std::size_t escaped = c1 ? 2 : 1;
        for (std::size_t k = i; k < i + escaped; ++k) {
            const auto c = static_cast<unsigned char>(bytes[k]);
            // A byte of another encoding is shown as typed, unless it is a
            // control there (0x80 to 0x9F in ISO-8859-1).
            if ((c >= 0x20 && c != 0x7F && c < 0x80) || (!c1 && c >= 0xA0))
                shown += char(c);
            else if (c == '\n')
                shown += "\\n";
            else if (c == '\t')
                shown += "\\t";
            else if (c == '\r')
                shown += "\\r";
            else
                shown += std::string("\\x") + kHex[c >> 4] + kHex[c & 0xF];
        }
        i += escaped;
    }
    return shown;
}

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    ForEachCharacter(text, [&](std::size_t) { ++count; });
    return count;
}

std::string_view LastCharacters(std::string_view text, std::size_t n) {
    return text.substr(StartOfLast(text, n));
}

std::string_view DropLastCharacters(std::string_view text, std::size_t n) {
    return text.substr(0, StartOfLast(text, n));
}

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

bool IsMpegAudioPath(std::string_view path) {
    const std::string extension = Path::ExtensionOf(path);
    return extension == ".mpa" || extension == ".mp2" || extension == ".mp3";
}

QString DisplayText(std::string_view bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string Utf8Bytes(const QString& text) {
    return text.toUtf8().toStdString();
}

std::string ErrorBoxText(std::string message) {
    if (message.empty())
        return message;
    const std::string_view last = LastCharacters(message, 1);
    // A non-ASCII character starts with a byte above '.', and so has a greater code.
    if (static_cast<unsigned char>(last.front()) > '.')
        message += '.';
    return message;
}

std::string Translate(const char* context, const char* sourceText) {
    return Translate(context, sourceText, nullptr, -1); // -1: no count
}

// Leaves errno as it found it: callers read it in the same call.
std::string Translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) {
    const int error = errno;
    std::string text =
        Utf8Bytes(QCoreApplication::translate(context, sourceText, disambiguation, n));
    errno = error;
    return text;
}

std::string LabelledText(std::string_view label, std::string_view detail) {
    // In one pass: a label may hold "%2" itself.
    const std::string pattern = Translate("Text", "%1：%2");
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && (next == '1' || next == '2'))
            text += pattern[++i] == '1' ? label : detail;
        else
            text += pattern[i];
    }
    return text;
}

std::string FillIn(std::string_view text, std::string_view argument) {
    std::string filled(text);
    if (const auto at = filled.find("%1"); at != std::string::npos)
        filled.replace(at, 2, argument);
    return filled;
}
