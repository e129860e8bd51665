#include "bookview/widget/book_renderer.h"

#include "bookview/widget/color_value.h"

#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <map>
#include <optional>
#include <tuple>

namespace lirra {
namespace {

// A stretch of one row drawn in one go: same format, no tab inside, not crossing a
// selection edge. A tab is a piece of its own.
struct Piece {
    std::int64_t index;           // character index of its first character
    std::u16string_view text;
    std::int64_t x;
    std::int64_t width;
    const FontAdvances& font;
    const CharFormat* format;     // nullptr: the view's own format
};

// The characters of a row are read this many at a time: a row may be a whole book of one
// line, and painting it must not hold it twice.
constexpr std::int64_t kWindow = 4096;

// Walks `row` piece by piece, cutting also at `cuts`, while `visit` returns true.
template <typename Visit>
void walkRow(const RowLayout& rows, const ViewFonts& fonts, std::int64_t row,
             std::initializer_list<std::int64_t> cuts, Visit visit)
{
    const std::int64_t start = rows.lineIndex(row);
    if (start < 0)
        return;
    const BookText& book = rows.text();
    const auto& runs = book.runs();
    const FormatTable& formats = book.formats();
    auto run = std::upper_bound(runs.begin(), runs.end(), start,
                                [](std::int64_t i, const FormatRun& r) { return i < r.start; });
    const FormatRun* current = run == runs.begin() ? nullptr : &*(run - 1);

    const std::int64_t length = rows.lineLength(row);
    std::u16string decoded;           // a plain book's window, decoded
    std::u16string_view text;         // the characters [windowStart, windowStart + text.size())
    std::int64_t windowStart = 0;
    std::int64_t x = 0;
    for (std::int64_t i = 0; i < length;) {
        if (i >= windowStart + std::int64_t(text.size())) {
            windowStart = i;
            text = book.units(start + i, std::min(kWindow, length - i), decoded);
        }
        const std::int64_t at = i - windowStart;
        while (run != runs.end() && run->start <= start + i)
            current = &*run++;
        const CharFormat* format = current ? &formats[current->format] : nullptr;
        const FontAdvances& font = current ? fonts.forFormat(current->format) : fonts.base();
        std::int64_t end = windowStart + std::int64_t(text.size());
        if (run != runs.end())
            end = std::min(end, run->start - start);
        for (std::int64_t cut : cuts)
            if (cut - start > i && cut - start < end)
                end = cut - start;
        std::int64_t width;
        if (text[at] == u'\t') {
            end = i + 1;
            width = font.nextTabStop(x) - x;
        } else {
            const auto tab = text.find(u'\t', std::size_t(at));
            if (tab != std::u16string_view::npos && windowStart + std::int64_t(tab) < end)
                end = windowStart + std::int64_t(tab);
            width = font.width(text.substr(at, end - i));
        }
        const Piece piece{start + i, text.substr(at, end - i), x, width, font, format};
        if (!visit(piece))
            return;
        x += width;
        i = end;
    }
}

} // namespace

void ViewFonts::setFont(const ViewFont& font, int dpi, const FormatTable& formats)
{
    m_font = font;
    m_dpi = dpi;
    m_base = std::make_unique<FontAdvances>(font.toQFont());
    setFormats(formats);
}

void ViewFonts::setFormats(const FormatTable& formats)
{
    m_fonts.clear();
    m_advances.clear();
    m_fontOfFormat.clear();
    m_ascent = m_base->metrics().ascent();
    m_descent = m_base->metrics().descent();
    // What makes a font: everything of a format but its colours.
    using FontKey = std::tuple<std::int32_t, int, bool, bool, bool, bool>;
    std::map<FontKey, std::uint32_t> fontOfKey;
    // A font's height grows with its size, and underline and strike-out change no height:
    // per face, weight and slant only the largest size, and the view's own, can set the rows.
    struct Tallest {
        int halfPoints = 0;
        std::optional<std::uint32_t> largest;
        std::optional<std::uint32_t> viewSized;
    };
    std::map<std::tuple<std::int32_t, bool, bool>, Tallest> tallest;
    m_fontOfFormat.reserve(formats.formats.size());
    for (const CharFormat& format : formats.formats) {
        const FontKey key{format.face,   format.halfPoints, format.bold,
                          format.italic, format.underline,  format.strikeOut};
        const auto [it, added] = fontOfKey.try_emplace(key, static_cast<std::uint32_t>(m_fonts.size()));
        if (added)
            m_fonts.push_back(m_font.toQFont(format, formats.face(format), m_dpi));
        m_fontOfFormat.push_back(it->second);
        Tallest& shape = tallest[{format.face, format.bold, format.italic}];
        if (format.halfPoints == 0) {
            shape.viewSized = it->second;
        } else if (format.halfPoints > shape.halfPoints) {
            shape.halfPoints = format.halfPoints;
            shape.largest = it->second;
        }
    }
    m_advances.resize(m_fonts.size());
    for (const auto& [key, shape] : tallest)
        for (const std::optional<std::uint32_t> font : {shape.largest, shape.viewSized})
            if (font)
                fitRowsTo(m_fonts[*font]);
}

void ViewFonts::fitRowsTo(const QFont& font)
{
    const QFontMetrics metrics(font);
    m_ascent = std::max(m_ascent, metrics.ascent());
    m_descent = std::max(m_descent, metrics.descent());
}

const FontAdvances& ViewFonts::forFormat(std::uint32_t format) const
{
    const std::uint32_t font = m_fontOfFormat[format];
    if (!m_advances[font])
        m_advances[font] = std::make_unique<FontAdvances>(m_fonts[font]);
    return *m_advances[font];
}

void BookRenderer::paintRow(QPainter& painter, std::int64_t row, int y, std::int64_t xOffset, int width,
                            std::int64_t selStart, std::int64_t selEnd) const
{
    const int height = m_fonts.rowHeight();
    const int baseline = y + m_fonts.ascent();
    const QPalette palette;   // a rich book's own colours are always plain RGB
    std::int64_t right = 0;
    walkRow(m_rows, m_fonts, row, {selStart, selEnd}, [&](const Piece& piece) {
        right = piece.x + piece.width;
        if (piece.x > xOffset + width)
            return false;
        if (right < xOffset)
            return true;
        const bool selected = piece.index >= selStart && piece.index < selEnd;
        const QRectF box(double(piece.x - xOffset), y, double(piece.width), height);
        if (selected)
            painter.fillRect(box, m_colors.highlight);
        else if (piece.format && piece.format->background)
            painter.fillRect(box, colorFromValue(*piece.format->background, palette));
        if (piece.text.front() == u'\t')
            return true;
        QColor color = m_colors.text;
        if (selected)
            color = m_colors.highlightedText;
        else if (piece.format && piece.format->color)
            color = colorFromValue(*piece.format->color, palette);
        // Only the characters that can show are drawn: a line may be megabytes long.
        const std::size_t hidden = piece.font.fittingCount(piece.text, xOffset - piece.x);
        const std::u16string_view rest = piece.text.substr(hidden);
        const std::int64_t x = piece.x + piece.font.width(piece.text.substr(0, hidden));
        const std::size_t shown = std::min(rest.size(), piece.font.fittingCount(rest, xOffset + width - x) + 1);
        painter.setFont(piece.font.font());
        painter.setPen(color);
        painter.drawText(QPointF(double(x - xOffset), baseline), QString::fromUtf16(rest.data(), qsizetype(shown)));
        return true;
    });

    // A selected line break shows as a blank-wide block, so selected empty lines show.
    const BookText& book = m_rows.text();
    const std::int64_t rowEnd = m_rows.lineIndex(row) + m_rows.lineLength(row);
    const char16_t next = rowEnd < book.length() ? book.charAt(rowEnd) : u'\0';
    if ((next == u'\r' || next == u'\n') && rowEnd >= selStart && rowEnd < selEnd)
        painter.fillRect(QRectF(double(right - xOffset), y, m_fonts.base().advance(u' '), height),
                         m_colors.highlight);
}

std::int64_t BookRenderer::hitTest(std::int64_t row, std::int64_t x) const
{
    const std::int64_t start = m_rows.lineIndex(row);
    if (start < 0)
        return m_rows.text().length();
    std::int64_t hit = start + m_rows.lineLength(row);
    walkRow(m_rows, m_fonts, row, {}, [&](const Piece& piece) {
        if (x >= piece.x + piece.width)
            return true;
        std::int64_t left = piece.x;
        for (std::size_t i = 0; i < piece.text.size(); ++i) {
            const std::int64_t advance = piece.text[i] == u'\t' ? piece.width : piece.font.advance(piece.text[i]);
            if (x < left + advance / 2) {
                hit = piece.index + std::int64_t(i);
                return false;
            }
            left += advance;
        }
        hit = piece.index + std::int64_t(piece.text.size());
        return false;
    });
    return hit;
}

std::int64_t BookRenderer::xOf(std::int64_t row, std::int64_t index) const
{
    std::int64_t x = 0;
    walkRow(m_rows, m_fonts, row, {index}, [&](const Piece& piece) {
        if (piece.index >= index)
            return false;
        x = piece.x + piece.width;
        return true;
    });
    return x;
}

} // namespace lirra
