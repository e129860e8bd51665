#pragma once

// What kind of book a file holds, told by its content rather than its name: the first
// step of reading any book. Books in a code page (DOS 866, Windows 1251) and RTF go on
// the way they always did; Unicode text and FictionBook are read here.

#include "bookview/core/book_text.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lirra {

enum class BookKind {
    CodePage,      // single-byte text (866 or 1251, the caller decides) or RTF
    Utf8,          // a UTF-8 byte-order mark, or valid UTF-8 with some non-ASCII in it
    Utf16Le,       // the byte-order marks FF FE
    Utf16Be,       //                      FE FF
    FictionBook,   // an XML document whose root is <FictionBook>
};

// Follows a book's bytes piece by piece. The first piece, which must hold the head of the
// book (some kilobytes, or the whole file), tells marks, RTF and FictionBook; UTF-8 without a mark needs every byte up to the
// first Ctrl+Z, and is ruled out at the first byte that breaks it. A DOS or Windows
// Cyrillic text is ruled out within its first words: a letter of either code page is
// never followed by what UTF-8 needs after a lead byte, so a single Cyrillic word of the
// usual kind breaks it.
class BookKindProbe {
public:
    void feed(std::string_view piece);
    bool decided() const { return m_decided; }
    BookKind kind() const;   // what the bytes fed so far say, taken as the whole book

private:
    void decideFromHead(std::string_view head);
    void followUtf8(std::string_view piece);

    bool m_started = false;
    bool m_decided = false;
    BookKind m_kind = BookKind::CodePage;
    bool m_nonAscii = false;
    int m_pending = 0;              // continuation bytes the current UTF-8 sequence still needs
    unsigned char m_low = 0x80;     // the range the next continuation byte must lie in
    unsigned char m_high = 0xBF;
};

// The kind of the bytes `bytes`, taken as a whole book.
BookKind detectBookKind(std::string_view bytes);
// The kind of the file `path`, read only as far as needed, and no further than about
// `limit` bytes: what its head says then, taken as the whole book. A file that cannot be
// read is CodePage: the code-page reader then reports the failure in its own words.
BookKind detectBookFileKind(const std::string& path, std::int64_t limit = INT64_MAX);

// Detects the kind of the book `path` and, when it is Unicode text or FictionBook, reads
// it: Unicode text with the line rules of a DOS book (copyBookLines), its text written
// to `copy` in UTF-8 on the way unless `copy` is empty; FictionBook as rich text, with no
// copy. std::nullopt for a book in a code page, which the caller reads its own way.
// Throws lirra::Error with the file error texts.
std::optional<BookText> readUnicodeBook(const std::string& path, const std::string& copy);

} // namespace lirra
