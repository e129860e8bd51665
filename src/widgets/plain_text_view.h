#pragma once

// PlainTextView: a read-only view of a plain text of any size. It holds the text once,
// finds its lines in one pass and paints only the lines on screen, in its own font (its
// parent's unless set), with both scroll bars. Text can be selected with the mouse or Ctrl+A and copied with
// Ctrl+C; screen readers read it through its accessible text.

#include "widgets/text_lines.h"

#include <QAbstractScrollArea>
#include <QString>
#include <vector>

namespace lirra {

class PlainTextView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PlainTextView(QWidget* parent = nullptr);

    const QString& text() const { return m_text; }
    void setText(const QString& text);
    const TextLines& lines() const { return m_lines; }

    // The selection as character indices: [start, end).
    qsizetype selectionStart() const { return std::min(m_anchor, m_position); }
    qsizetype selectionEnd() const { return std::max(m_anchor, m_position); }
    void setSelection(qsizetype anchor, qsizetype position);
    QString selectedText() const;
    void selectAll() { setSelection(0, m_text.size()); }
    void copy() const;

    // Where a character's cell is in the viewport, and the character boundary nearest a point.
    QRect characterRect(qsizetype index) const;
    qsizetype indexAt(QPoint viewportPoint) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    int lineHeight() const;
    // The font as painted: whole-pixel advances and no kerning, so that each character
    // stands where the sum of the widths before it says.
    QFont textFont() const;
    int advance(QChar c) const;
    auto advances() const { return [this](QChar c) { return advance(c); }; }
    QStringView line(qsizetype number) const;
    void measure();
    void updateScrollBars();

    QString m_text;
    TextLines m_lines;
    mutable std::vector<int> m_advances;   // per UTF-16 unit of textFont(), -1 until asked
    int m_widest = 0;                      // the widest line, in pixels
    qsizetype m_anchor = 0;
    qsizetype m_position = 0;
};

} // namespace lirra
