#pragma once

// The toolkit-free half of the scrolling credits panel: where the text may move, how
// far it scrolls, where each line stands at a given step, and the step itself. Kept
// apart from the widget so that it can be checked without painting.

#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace lirra {

enum class TScrollDirection { sdVertical, sdHorizontal };
enum class TGlyphLayout { glGlyphLeft, glGlyphRight, glGlyphTop, glGlyphBottom };

// The area the text moves in: the client area less the border, each bevel that is drawn
// and a 3-pixel margin on every side; empty when nothing is left.
QRect creditsTextRect(QRect client, int borderWidth, int bevelWidth, int bevelCount);

// The text area and the glyph's place when a glyph of `glyph` size stands beside the text
// on the side `layout` names, centred along that side, 3 pixels from the text.
struct GlyphSplit {
    QRect text;
    QRect glyph;
};
GlyphSplit splitForGlyph(QRect textRect, QSize glyph, TGlyphLayout layout);

// One line to draw at the current step, in the text area's coordinates.
struct CreditsRow {
    int line;     // index into the lines
    QRect place;
};

class CreditsRoll {
public:
    // How wide a line is drawn, in pixels (used by the sideways direction).
    using LineWidth = std::function<int(const QString&)>;

    // `area` is the text area; leading blank lines are skipped, trailing ones take room.
    // Sideways, the area is narrowed from top and bottom alike to the block of lines up
    // to the last non-blank one, so that the block stands in the middle.
    CreditsRoll(const QStringList& lines, int lineHeight, QRect area, TScrollDirection direction,
                const LineWidth& lineWidth);

    QRect area() const { return m_area; }
    int firstLine() const { return m_firstLine; }
    int maxScroll() const { return m_maxScroll; }
    int counter() const { return m_counter; }

    // One timer tick: one pixel on; after the end back to the start when `cycled`.
    // Returns false, without moving, when the text has run out and is not cycled.
    bool step(bool cycled);
    // Puts the text at step `counter`, kept within 0 and the maximum.
    void moveTo(int counter);

    // The lines that show at the current step. Upward: at step 0 the first line stands
    // just below the area, at the maximum the last line has just left it at the top.
    // Sideways: the block enters from the right and leaves at the left.
    std::vector<CreditsRow> visibleRows() const;

private:
    QStringList m_lines;
    int m_lineHeight;
    QRect m_area;
    TScrollDirection m_direction;
    int m_firstLine = 0;
    int m_blockWidth = 0;
    int m_maxScroll = 0;
    int m_counter = 0;
};

} // namespace lirra
