#pragma once

// BookText: the whole text of a book, held once, with its hard-line index. Views and
// printouts share one (std::shared_ptr<const BookText>) and lay it out each in a
// RowLayout of their own; only its owner changes it, and only when no one shares it.
//
// Plain books keep their 1251 bytes (one byte a character); rich books keep UTF-16 and
// format runs. Character indices mean the same in both. Line breaks (CR LF, lone CR,
// lone LF) are characters of the text like any other. A Unicode plain book is held as
// rich text without runs, so every character it has is kept.

#include "bookview/core/big_block_allocator.h"
#include "bookview/core/book_copy.h"
#include "bookview/core/book_types.h"
#include "bookview/core/line_index.h"
#include "bookview/core/rtf_reader.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lirra {

// What a book's text is saved in: 1251 for books that came in a code page (and RTF, as
// always), UTF-8 for books that came in Unicode (UTF-8, UTF-16 and FictionBook), so that
// saving loses nothing.
enum class Charset { Ansi1251, Unicode };

class BookText {
public:
    BookText();   // empty plain text
    // Each throws Error "Failed to Load Stream" for a text of more than kMaxTextLength
    // characters.
    explicit BookText(BookBytes ansi1251);
    BookText(BookBytes ansi1251, LineStarts hardLines);   // hardLines: scanHardLines(ansi1251)
    explicit BookText(RichText rich, Charset charset = Charset::Ansi1251);

    bool isRich() const { return m_rich; }
    Charset charset() const { return m_charset; }
    std::int64_t length() const;
    char16_t charAt(std::int64_t index) const;    // index must be in [0, length())
    std::u16string text(std::int64_t start, std::int64_t count) const;   // clipped
    // The same without a copy of its own: a view into a rich text, or the plain text's
    // characters decoded into `buffer`, which a caller reading piece by piece reuses.
    std::u16string_view units(std::int64_t start, std::int64_t count, std::u16string& buffer) const;
    const std::vector<FormatRun>& runs() const { return m_richText.runs; }   // empty for plain books
    const FormatTable& formats() const { return m_richText.formats; }       // what the runs refer to
    const LineStarts& hardLines() const { return m_hardLines; }

    // The text as it is held: f(std::string_view) for plain books (1251),
    // f(std::u16string_view) for rich ones.
    template <class F>
    decltype(auto) visit(F&& f) const
    {
        if (m_rich)
            return f(std::u16string_view(m_richText.text));
        return f(std::string_view(m_plain));
    }

    // First match lying wholly in [start, start + length) (clipped to the text), or -1.
    std::int64_t find(std::u16string_view what, std::int64_t start, std::int64_t length,
                      FindOptions options) const;
    // Each hard line ended by CR LF (an empty last line adds none), in the text's
    // charset (1251 best fit or UTF-8 without a mark). Throws
    // Error "Cannot create file %s" / "Failed to Save Stream".
    void saveAsPlainText(const std::string& path) const;

    // Whether [start, end) holds exactly `units`.
    bool holds(std::int64_t start, std::int64_t end, std::u16string_view units) const;
    // Replaces [start, end) by `units`: they take the format in force at `start`, and
    // the hard lines follow.
    void replace(std::int64_t start, std::int64_t end, std::u16string_view units);

private:
    bool m_rich = false;
    Charset m_charset = Charset::Ansi1251;
    BookBytes m_plain;
    RichText m_richText;
    LineStarts m_hardLines;
};

// Rich text when `bytes` hold valid RTF, otherwise the bytes themselves as plain 1251
// text. Throws Error "Failed to Load Stream" for a text of more than kMaxTextLength
// characters.
BookText bookTextFrom(BookBytes bytes);
BookText bookTextFrom(CopiedBook book);   // the same, keeping the index that came with it
// The book `path` as it is: Unicode text and FictionBook read as readUnicodeBook reads
// them (no copy), anything else as bookTextFrom its bytes. Throws Error "Cannot open
// file %s" / "Failed to Load Stream".
BookText loadBookText(const std::string& path);

} // namespace lirra
