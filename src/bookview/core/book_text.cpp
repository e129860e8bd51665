#include "bookview/core/book_text.h"

#include "bookview/core/book_file.h"
#include "bookview/core/text_search.h"
#include "bookview/core/unicode_text.h"
#include "platform/codepages.h"
#include "platform/lirra_error.h"

#include <algorithm>
#include <optional>

namespace lirra {

namespace {

// Runs after replacing [start, end) of a text of `oldLength` units by `inserted` units:
// the new units take the format in force at `start`, the units after `end` keep theirs.
std::vector<FormatRun> shiftRuns(const std::vector<FormatRun>& runs, std::int64_t start, std::int64_t end,
                                 std::int64_t inserted, std::int64_t oldLength)
{
    std::vector<FormatRun> result;
    if (runs.empty())
        return result;
    const auto add = [&result](std::int64_t at, std::uint32_t format) {
        while (!result.empty() && result.back().start >= at)
            result.pop_back();
        if (result.empty() || result.back().format != format)
            result.push_back({at, format});
    };
    std::uint32_t atEnd = runs.front().format;
    for (const FormatRun& run : runs) {
        if (run.start <= start)
            add(run.start, run.format);
        if (run.start <= end)
            atEnd = run.format;
    }
    const std::int64_t delta = inserted - (end - start);
    if (end < oldLength) {
        add(start + inserted, atEnd);
        for (const FormatRun& run : runs)
            if (run.start > end)
                add(run.start + delta, run.format);
    }
    while (!result.empty() && result.back().start >= oldLength + delta)
        result.pop_back();
    return result;
}

// Plain text is written as it is held; rich text is encoded, 1251 best fit or UTF-8.
std::string_view savedBytes(std::string_view ansi1251, Charset)
{
    return ansi1251;
}

std::string savedBytes(std::u16string_view text, Charset charset)
{
    if (charset == Charset::Ansi1251)
        return platform::encodeAnsi(text);
    std::string utf8;
    appendUtf8(text, utf8);
    return utf8;
}

void refuseTooLong(std::size_t size)
{
    if (static_cast<std::int64_t>(size) > kMaxTextLength)
        throwLoadFailed();
}

} // namespace

BookText::BookText() : m_hardLines(scanHardLines(std::string_view())) {}

BookText::BookText(BookBytes ansi1251) : m_plain(std::move(ansi1251))
{
    refuseTooLong(m_plain.size());
    m_hardLines = scanHardLines(std::string_view(m_plain));
}

BookText::BookText(BookBytes ansi1251, LineStarts hardLines) : m_plain(std::move(ansi1251))
{
    refuseTooLong(m_plain.size());
    m_hardLines = std::move(hardLines);
}

BookText::BookText(RichText rich, Charset charset) : m_rich(true), m_charset(charset), m_richText(std::move(rich))
{
    refuseTooLong(m_richText.text.size());
    m_hardLines = scanHardLines(std::u16string_view(m_richText.text));
}

BookText bookTextFrom(BookBytes bytes)
{
    std::optional<RichText> rich = looksLikeRtf(bytes) ? parseRtf(bytes) : std::nullopt;
    if (!rich)
        return BookText(std::move(bytes));
    BookBytes().swap(bytes);   // free the file's bytes before the rich text is indexed
    return BookText(std::move(*rich));
}

BookText bookTextFrom(CopiedBook book)
{
    if (looksLikeRtf(book.text))
        return bookTextFrom(std::move(book.text));
    return BookText(std::move(book.text), std::move(book.hardLines));
}

BookText loadBookText(const std::string& path)
{
    if (auto book = readUnicodeBook(path, std::string()))
        return std::move(*book);
    return bookTextFrom(readBookFile(path));
}

std::int64_t BookText::length() const
{
    return visit([](auto text) { return static_cast<std::int64_t>(text.size()); });
}

char16_t BookText::charAt(std::int64_t index) const
{
    const auto at = static_cast<std::size_t>(index);
    return m_rich ? m_richText.text[at] : platform::ansiToUnicode(static_cast<unsigned char>(m_plain[at]));
}

std::u16string BookText::text(std::int64_t start, std::int64_t count) const
{
    const std::int64_t from = std::clamp<std::int64_t>(start, 0, length());
    const std::int64_t n = std::clamp<std::int64_t>(count, 0, length() - from);
    if (m_rich)
        return m_richText.text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(n));
    return platform::decodeAnsi(std::string_view(m_plain).substr(static_cast<std::size_t>(from),
                                                                  static_cast<std::size_t>(n)));
}

std::u16string_view BookText::units(std::int64_t start, std::int64_t count, std::u16string& buffer) const
{
    const auto from = static_cast<std::size_t>(std::clamp<std::int64_t>(start, 0, length()));
    const auto n = static_cast<std::size_t>(std::clamp<std::int64_t>(count, 0, length() - std::int64_t(from)));
    if (m_rich)
        return std::u16string_view(m_richText.text).substr(from, n);
    buffer.resize(n);
    std::transform(m_plain.begin() + std::ptrdiff_t(from), m_plain.begin() + std::ptrdiff_t(from + n), buffer.begin(),
                   [](char c) { return platform::ansiToUnicode(static_cast<unsigned char>(c)); });
    return buffer;
}

std::int64_t BookText::find(std::u16string_view what, std::int64_t start, std::int64_t length,
                            FindOptions options) const
{
    const std::int64_t size = this->length();
    const std::int64_t from = std::clamp<std::int64_t>(start, 0, size);
    const std::int64_t to = std::clamp<std::int64_t>(length, 0, size - from) + from;
    return visit([&](auto text) { return findText(text, what, from, to, options); });
}

void BookText::saveAsPlainText(const std::string& path) const
{
    BookFileWriter out(path);
    visit([&](auto text) {
        const std::int64_t last = m_hardLines.size() - 1;
        for (std::int64_t line = 0; line <= last; ++line) {
            const std::int64_t start = m_hardLines[line];
            const std::int64_t end = line == last ? length() : m_hardLines[line + 1];
            if (line == last && start == end)
                break;   // an empty last line has no break of its own
            const auto content = text.substr(static_cast<std::size_t>(start),
                                             static_cast<std::size_t>(end - start - breakLengthBefore(text, end)));
            out.put(savedBytes(content, m_charset));
            out.put("\r\n");
        }
    });
    out.finish();
}

bool BookText::holds(std::int64_t start, std::int64_t end, std::u16string_view units) const
{
    if (end - start != static_cast<std::int64_t>(units.size()))
        return false;
    for (std::size_t i = 0; i < units.size(); ++i)
        if (charAt(start + static_cast<std::int64_t>(i)) != units[i])
            return false;
    return true;
}

void BookText::replace(std::int64_t start, std::int64_t end, std::u16string_view units)
{
    const auto pos = static_cast<std::size_t>(start);
    const auto count = static_cast<std::size_t>(end - start);
    if (m_rich) {
        m_richText.runs = shiftRuns(m_richText.runs, start, end, static_cast<std::int64_t>(units.size()), length());
        m_richText.text.replace(pos, count, units);
    } else {
        m_plain.replace(pos, count, platform::encodeAnsi(units));
    }
    m_hardLines = visit([](auto text) { return scanHardLines(text); });
}

} // namespace lirra
