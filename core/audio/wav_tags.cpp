// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "wav_tags.h"

#include "text.h"
#include "unique_fd.h"
#include "wav_file.h"

#include <QStringDecoder>

#include <taglib/attachedpictureframe.h>
#include <taglib/commentsframe.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/mpegfile.h>
#include <taglib/textidentificationframe.h>
#include <taglib/tfilestream.h>
#include <taglib/tpropertymap.h>
#include <taglib/unsynchronizedlyricsframe.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using TagLib::String;
namespace ID3v2 = TagLib::ID3v2;

// The bytes of a text TagLib read as ISO-8859-1: each byte became the
// character of its code.
std::string BytesOf(const String& text) {
    const TagLib::ByteVector bytes = text.data(String::Latin1);
    return {bytes.data(), bytes.size()};
}

bool IsUtf8(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    return !utf8.hasError();
}

// Windows-1252's marks and letters at 0x80 to 0x9F ("€", "’", "–", "Š" ...),
// but "ƒ", whose byte begins most Shift-JIS katakana.
bool IsWesternMark(unsigned char c) {
    return c != 0x81 && c != 0x83 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D;
}

bool PlausibleLatin1(const std::string& text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (byte(i) < 0x80 || byte(i) > 0x9F)
            continue;
        const bool alone =
            (i == 0 || byte(i - 1) < 0x80) && (i + 1 == text.size() || byte(i + 1) < 0x80);
        if (!alone || !IsWesternMark(byte(i)))
            return false;
    }
    return true;
}

// How the texts of one tag that are marked ISO-8859-1 are read (the rule is
// in the header).
class Latin1Reading {
  public:
    explicit Latin1Reading(const std::vector<std::string>& texts) {
        const bool beyondAscii = std::any_of(texts.begin(), texts.end(), [](const auto& text) {
            return std::any_of(text.begin(), text.end(), [](char c) { return c & 0x80; });
        });
        if (!beyondAscii)
            return;
        if (std::all_of(texts.begin(), texts.end(), IsUtf8)) {
            utf8_ = true;
            return;
        }
        bool twoByte = false;
        for (const std::string& text : texts) {
            const auto decoded = ShiftJis(text);
            if (!decoded)
                return;
            twoByte = twoByte || std::size_t(decoded->size()) < text.size();
        }
        shiftJis_ = twoByte && !std::all_of(texts.begin(), texts.end(), PlausibleLatin1);
    }

    String Read(const String& marked) const {
        if (utf8_)
            return String(BytesOf(marked), String::UTF8);
        if (shiftJis_)
            if (const auto decoded = ShiftJis(BytesOf(marked)))
                return String(decoded->toStdString(), String::UTF8);
        return marked;
    }

  private:
    // Nothing when text is no Shift-JIS, or Qt reads none (it does through ICU).
    static std::optional<QString> ShiftJis(const std::string& text) {
        QStringDecoder decoder("windows-31j", QStringDecoder::Flag::Stateless);
        if (!decoder.isValid())
            return std::nullopt;
        QString decoded = decoder.decode(QByteArrayView(text.data(), qsizetype(text.size())));
        return decoder.hasError() ? std::nullopt : std::optional(std::move(decoded));
    }

    bool utf8_ = false, shiftJis_ = false;
};

// Puts reread(text) in the place of every text of tag in a frame marked
// ISO-8859-1. TagLib writes such a frame in UTF-16 or UTF-8 where its text
// needs it.
template <class Reread> void RereadLatin1Texts(ID3v2::Tag& tag, const Reread& reread) {
    for (ID3v2::Frame* frame : tag.frameList()) {
        if (auto* text = dynamic_cast<ID3v2::TextIdentificationFrame*>(frame);
            text && text->textEncoding() == String::Latin1) {
            TagLib::StringList fields = text->fieldList();
            for (String& field : fields)
                field = reread(field);
            // A user text frame's fields begin with its description.
            text->TextIdentificationFrame::setText(fields);
        } else if (auto* comment = dynamic_cast<ID3v2::CommentsFrame*>(frame);
                   comment && comment->textEncoding() == String::Latin1) {
            comment->setDescription(reread(comment->description()));
            comment->setText(reread(comment->text()));
        } else if (auto* lyrics = dynamic_cast<ID3v2::UnsynchronizedLyricsFrame*>(frame);
                   lyrics && lyrics->textEncoding() == String::Latin1) {
            lyrics->setDescription(reread(lyrics->description()));
            lyrics->setText(reread(lyrics->text()));
        } else if (auto* picture = dynamic_cast<ID3v2::AttachedPictureFrame*>(frame);
                   picture && picture->textEncoding() == String::Latin1) {
            picture->setDescription(reread(picture->description()));
        }
    }
}

// ID3v1 is ISO-8859-1 by its definition, and often anything but.
template <class Reread> void RereadLatin1Texts(TagLib::ID3v1::Tag& tag, const Reread& reread) {
    tag.setTitle(reread(tag.title()));
    tag.setArtist(reread(tag.artist()));
    tag.setAlbum(reread(tag.album()));
    tag.setComment(reread(tag.comment()));
}

template <class Tag> void ReadLatin1TextsRight(Tag& tag) {
    std::vector<std::string> texts;
    RereadLatin1Texts(tag, [&texts](const String& text) {
        texts.push_back(BytesOf(text));
        return text;
    });
    const Latin1Reading reading(texts);
    RereadLatin1Texts(tag, [&reading](const String& text) { return reading.Read(text); });
}

void LittleEndian32(std::string& into, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        into += char((value >> shift) & 0xFF);
}

// A RIFF chunk: its id, its size, its body and a pad byte to an even length.
void AddChunk(std::string& chunks, const char (&id)[5], const TagLib::ByteVector& body) {
    if (body.isEmpty())
        return;
    chunks.append(id, 4);
    LittleEndian32(chunks, body.size());
    chunks.append(body.data(), body.size());
    if (body.size() % 2 != 0)
        chunks += '\0';
}

// The INFO fields as ffmpeg writes them, from the ID3v2 tag where it has the
// field, else from the ID3v1 tag.
TagLib::ByteVector InfoOf(const TagLib::PropertyMap& id3v2, const TagLib::PropertyMap& id3v1) {
    static constexpr std::pair<const char*, const char*> kFields[] = {
        {"INAM", "TITLE"}, {"IART", "ARTIST"}, {"IPRD", "ALBUM"},   {"IPRT", "TRACKNUMBER"},
        {"ICRD", "DATE"},  {"IGNR", "GENRE"},  {"ICMT", "COMMENT"},
    };
    TagLib::RIFF::Info::Tag info; // TagLib's own string handler writes UTF-8
    for (const auto& [field, key] : kFields) {
        const auto values = [key](const TagLib::PropertyMap& map) {
            const auto found = map.find(key);
            return found == map.end() ? TagLib::StringList() : found->second;
        };
        const TagLib::StringList first = values(id3v2);
        info.setFieldText(field, (first.isEmpty() ? values(id3v1) : first).toString("; "));
    }
    return info.render();
}

bool WriteAllAt(int fd, const char* bytes, std::size_t length, std::uint64_t offset) {
    while (length > 0) {
        const ssize_t written = ::pwrite(fd, bytes, length, off_t(offset));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            errno = written < 0 ? errno : ENOSPC;
            return false;
        }
        bytes += written;
        length -= std::size_t(written);
        offset += std::uint64_t(written);
    }
    return true;
}

} // namespace

std::string TagChunksOf(const std::string& source) {
    // O_NONBLOCK: a FIFO put in the source's place would never end the read.
    UniqueFd file(::open(source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!file || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    TagLib::FileStream stream(file.Release(), true); // closes it
    TagLib::MPEG::File mpeg(&stream, ID3v2::FrameFactory::instance(), false);
    TagLib::PropertyMap id3v2Fields, id3v1Fields;
    ID3v2::Tag* id3v2 = mpeg.hasID3v2Tag() ? mpeg.ID3v2Tag() : nullptr;
    if (id3v2 && id3v2->frameList().isEmpty())
        id3v2 = nullptr;
    if (id3v2) {
        ReadLatin1TextsRight(*id3v2);
        id3v2Fields = id3v2->properties();
    }
    // Made from the ID3v1 tag when there is no other.
    ID3v2::Tag fromId3v1;
    if (mpeg.hasID3v1Tag()) {
        ReadLatin1TextsRight(*mpeg.ID3v1Tag());
        id3v1Fields = mpeg.ID3v1Tag()->properties();
        if (!id3v2)
            TagLib::Tag::duplicate(mpeg.ID3v1Tag(), &fromId3v1);
    }
    // A 2.4 tag stays 2.4; older ones become 2.3, which every reader knows.
    const ID3v2::Version version =
        id3v2 && id3v2->header()->majorVersion() == 4 ? ID3v2::v4 : ID3v2::v3;
    if (!id3v2 && !fromId3v1.frameList().isEmpty())
        id3v2 = &fromId3v1;

    std::string chunks;
    AddChunk(chunks, "LIST", InfoOf(id3v2Fields, id3v1Fields));
    if (id3v2)
        AddChunk(chunks, "id3 ", id3v2->render(version));
    return chunks;
}

int AppendChunks(int wav, std::string chunks) {
    struct stat info {};
    unsigned char riff[12];
    if (chunks.empty() || ::fstat(wav, &info) != 0 ||
        ::pread(wav, riff, sizeof riff, 0) != ssize_t(sizeof riff) ||
        std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0)
        return 0;
    const auto size = std::uint64_t(info.st_size);
    const std::uint64_t riffSize = std::uint64_t(riff[4]) | std::uint64_t(riff[5]) << 8 |
                                   std::uint64_t(riff[6]) << 16 | std::uint64_t(riff[7]) << 24;
    // The audio's pad byte, where an odd length lacks it.
    if (size % 2 != 0)
        chunks.insert(0, 1, '\0');
    if (riffSize + 8 != size || size + chunks.size() > kTwoGiB)
        return 0;
    std::string newRiffSize;
    LittleEndian32(newRiffSize, std::uint32_t(size + chunks.size() - 8));
    if (WriteAllAt(wav, chunks.data(), chunks.size(), size) &&
        WriteAllAt(wav, newRiffSize.data(), newRiffSize.size(), 4))
        return 0;
    const int error = errno;
    if (::ftruncate(wav, off_t(size)) == 0)
        WriteAllAt(wav, reinterpret_cast<const char*>(riff) + 4, 4, 4);
    return error;
}

SourceTags::SourceTags(std::string source) : source_(std::move(source)) {
    constexpr std::size_t kHeldAtMost = 64 * 1024;
    if (std::string chunks = TagChunksOf(source_); chunks.size() <= kHeldAtMost) {
        chunks_ = std::move(chunks);
        read_ = true;
    }
}

std::string SourceTags::AddTo(int wav) {
    const int error = AppendChunks(wav, read_ ? std::exchange(chunks_, {}) : TagChunksOf(source_));
    if (error == 0)
        return {};
    if (error == ENOSPC || error == EDQUOT)
        return Translate("BatchDriver", "出力先の空き容量がなくなりました");
    return FillIn(Translate("WavTags", "タグを書き込めませんでした（%1）"), std::strerror(error));
}
