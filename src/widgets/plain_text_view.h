#pragma once

// PlainTextView: a read-only view of a plain text of any size. It holds the text once,
// finds its lines in one pass and paints only the lines on screen, in a fixed-pitch font,
// with both scroll bars. Text can be selected with the mouse or Ctrl+A and copied with
// Ctrl+C; screen readers read it through its accessible text.

#include "widgets/text_lines.h"

#include <QAbstractScrollArea>
#include <QString>

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
    int cellWidth() const;
    QStringView line(qsizetype number) const;
    void updateScrollBars();

    QString m_text;
    TextLines m_lines;
    qsizetype m_anchor = 0;
    qsizetype m_position = 0;
};

} // namespace lirra
