// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What made a file part of a library travels into its WAV: the source's
// title, artist, album, track, year, genre and comment as a LIST/INFO chunk
// (UTF-8), and its whole ID3v2 tag, pictures included, as an "id3 " chunk,
// both after the audio, which stays the decoder's byte for byte.
//
// Text in frames marked ISO-8859-1, and in ID3v1 tags, is often in another
// encoding. All such text of one tag is read as UTF-8 when it is valid UTF-8
// with a byte above 0x7F; else as Shift-JIS (code page 932) when it is valid
// Shift-JIS with at least one two-byte character and not plausible Latin-1;
// else as ISO-8859-1. Latin-1 is plausible unless a byte 0x80 to 0x9F (control
// codes in ISO-8859-1) stands next to another byte above 0x7F, or is none of
// Windows-1252's marks and letters, or is 0x83 (its "ƒ", and the lead byte of
// Shift-JIS katakana). So "Café", "ações" and "Don’t" in Windows-1252 stay as
// they are, while Japanese, whose kana and most kanji begin with 0x81 to
// 0x9F, is read as Shift-JIS.

#include <string>

// The chunks that carry source's tags, ready to follow the audio; empty when
// it has none, or can't be read as a regular file.
std::string TagChunksOf(const std::string& source);

// Appends chunks to the whole WAV open as wav and counts them in its RIFF
// size. Nothing is added to a WAV whose header does not tell its length
// (capped sizes past 2 GiB), nor where the file would pass 2 GiB. 0 when done
// or nothing is added; else the error, the file left as it was.
int AppendChunks(int wav, std::string chunks);

// A source's tags on their way into its WAV. Read when the item is prepared,
// while decoders run, so that they cost the batch's pace nothing; a large tag
// (a big cover) is read only when its WAV is whole, so that the items in
// flight hold little.
class SourceTags {
  public:
    SourceTags() = default;
    explicit SourceTags(std::string source);

    // Adds them to the whole WAV the decoder made, open as wav: why they could
    // not be added, in the user's words; empty when they were, or there are none.
    std::string AddTo(int wav);

  private:
    std::string source_, chunks_;
    bool read_ = false;
};
