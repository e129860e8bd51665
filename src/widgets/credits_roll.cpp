#include "widgets/credits_roll.h"

#include <algorithm>

namespace lirra {

namespace {

constexpr int kMargin = 3;

bool isBlank(const QString& line) { return line.trimmed().isEmpty(); }

} // namespace

QRect creditsTextRect(QRect client, int borderWidth, int bevelWidth, int bevelCount)
{
    const int inset = borderWidth + bevelWidth * bevelCount + kMargin;
    const QRect text = client.adjusted(inset, inset, -inset, -inset);
    return text.isValid() ? text : QRect();
}

GlyphSplit splitForGlyph(QRect textRect, QSize glyph, TGlyphLayout layout)
{
    GlyphSplit split{textRect, QRect(QPoint(), glyph)};
    const int middleLeft = textRect.left() + (textRect.width() - glyph.width()) / 2;
    const int middleTop = textRect.top() + (textRect.height() - glyph.height()) / 2;
    switch (layout) {
    case TGlyphLayout::glGlyphLeft:
        split.glyph.moveTopLeft({textRect.left(), middleTop});
        split.text.setLeft(textRect.left() + glyph.width() + kMargin);
        break;
    case TGlyphLayout::glGlyphRight:
        split.glyph.moveTopLeft({textRect.right() - glyph.width() + 1, middleTop});
        split.text.setRight(textRect.right() - glyph.width() - kMargin);
        break;
    case TGlyphLayout::glGlyphTop:
        split.glyph.moveTopLeft({middleLeft, textRect.top()});
        split.text.setTop(textRect.top() + glyph.height() + kMargin);
        break;
    case TGlyphLayout::glGlyphBottom:
        split.glyph.moveTopLeft({middleLeft, textRect.bottom() - glyph.height() + 1});
        split.text.setBottom(textRect.bottom() - glyph.height() - kMargin);
        break;
    }
    if (!split.text.isValid())
        split.text = QRect();
    return split;
}

CreditsRoll::CreditsRoll(const QStringList& lines, int lineHeight, QRect area, TScrollDirection direction,
                         const LineWidth& lineWidth)
    : m_lines(lines), m_lineHeight(std::max(1, lineHeight)), m_area(area), m_direction(direction)
{
    const int count = int(m_lines.size());
    while (m_firstLine < count && isBlank(m_lines[m_firstLine]))
        ++m_firstLine;
    if (m_direction == TScrollDirection::sdVertical) {
        m_maxScroll = m_area.height() + (count - m_firstLine) * m_lineHeight;
        return;
    }
    int lastLine = count - 1;
    while (lastLine >= m_firstLine && isBlank(m_lines[lastLine]))
        --lastLine;
    for (int i = m_firstLine; i < count; ++i)
        m_blockWidth = std::max(m_blockWidth, lineWidth(m_lines[i]));
    const int blockHeight = (lastLine - m_firstLine + 1) * m_lineHeight;
    if (blockHeight < m_area.height()) {
        const int spare = m_area.height() - blockHeight;
        m_area.adjust(0, spare / 2, 0, -(spare - spare / 2));
    }
    m_maxScroll = m_blockWidth + m_area.width();
}

bool CreditsRoll::step(bool cycled)
{
    if (m_counter < m_maxScroll)
        ++m_counter;
    else if (cycled)
        m_counter = 0;
    else
        return false;
    return true;
}

void CreditsRoll::moveTo(int counter) { m_counter = std::clamp(counter, 0, m_maxScroll); }

std::vector<CreditsRow> CreditsRoll::visibleRows() const
{
    std::vector<CreditsRow> rows;
    const int count = int(m_lines.size());
    const int width = m_area.width();
    const int height = m_area.height();
    if (m_direction == TScrollDirection::sdVertical) {
        QRect place(0, height - m_counter, width, m_lineHeight);
        for (int i = m_firstLine; i < count && place.top() < height; ++i, place.translate(0, m_lineHeight))
            if (place.bottom() >= 0)
                rows.push_back({i, place});
        return rows;
    }
    const int left = width - m_counter;
    if (left >= width || left + m_blockWidth <= 0)
        return rows;
    for (int i = m_firstLine, top = 0; i < count && top < height; ++i, top += m_lineHeight)
        rows.push_back({i, QRect(left, top, m_blockWidth, m_lineHeight)});
    return rows;
}

} // namespace lirra
