#pragma once

// Paints the rows of a RowLayout: the view the rows on screen, the printer the rows of
// each page, each through its own layout. Only the rows asked for are read from the book.

#include "bookview/core/row_layout.h"
#include "bookview/widget/font_advances.h"
#include "bookview/widget/view_font.h"

#include <QColor>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class QPainter;

namespace lirra {

// The view font and the fonts of a rich book's formats, with one row height for all of
// them (the tallest), so that scrolling stays a matter of whole rows. Formats that differ
// only in colour share one font, and a font is made only when its text is first drawn or
// measured: a book may name tens of thousands of sizes, and a font costs the toolkit a
// font engine.
class ViewFonts {
public:
    // The view font at `dpi`; the formats of the book are measured again.
    void setFont(const ViewFont& font, int dpi, const FormatTable& formats);
    // A new book: its formats are measured, the view font stays (and so does base()).
    void setFormats(const FormatTable& formats);
    const FontAdvances& base() const { return *m_base; }
    // The font of format number `format` of the table last given.
    const FontAdvances& forFormat(std::uint32_t format) const;
    int rowHeight() const { return m_ascent + m_descent; }
    int ascent() const { return m_ascent; }

private:
    void fitRowsTo(const QFont& font);

    ViewFont m_font;
    int m_dpi = 96;
    std::unique_ptr<FontAdvances> m_base;
    std::vector<QFont> m_fonts;                           // one for each distinct font
    mutable std::vector<std::unique_ptr<FontAdvances>> m_advances;   // made when first asked for
    std::vector<std::uint32_t> m_fontOfFormat;            // index into m_fonts
    int m_ascent = 0;
    int m_descent = 1;
};

struct RowColors {
    QColor text;
    QColor highlight;
    QColor highlightedText;
};

class BookRenderer {
public:
    BookRenderer(const RowLayout& rows, const ViewFonts& fonts, const RowColors& colors)
        : m_rows(rows), m_fonts(fonts), m_colors(colors) {}

    // Paints `row` with its top at `y`; content x = xOffset is at the painter's x 0 and
    // nothing right of xOffset + width is drawn. [selStart, selEnd) is highlighted.
    void paintRow(QPainter& painter, std::int64_t row, int y, std::int64_t xOffset, int width,
                  std::int64_t selStart, std::int64_t selEnd) const;
    // Character index nearest to content x in `row`, and back.
    std::int64_t hitTest(std::int64_t row, std::int64_t x) const;
    std::int64_t xOf(std::int64_t row, std::int64_t index) const;

private:
    const RowLayout& m_rows;
    const ViewFonts& m_fonts;
    RowColors m_colors;
};

} // namespace lirra
