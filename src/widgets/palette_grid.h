#pragma once

// TPaletteGrid: the clipboard viewer's colour grid. Each colour gets a 20 × 20 cell in a
// sunken frame; the cells fill the rows from the left, as many columns as the width
// allows with room kept for a vertical scroll bar, so the columns do not change when the
// bar comes and goes.

#include <QAbstractScrollArea>
#include <QColor>
#include <QList>
#include <QPoint>
#include <QRect>

namespace lirra {

// The grid's cell arithmetic, apart from the widget so it can be checked without painting.
class PaletteGridGeometry {
public:
    static constexpr int kCellSize = 20;
    static constexpr int kMaxColors = 256;

    // `width` is the grid's client width, `scrollBarWidth` that of a vertical scroll bar.
    // A grid narrower than one cell plus the bar still has one column.
    PaletteGridGeometry(int width, int scrollBarWidth, int colorCount);

    int columns() const { return m_columns; }
    int rows() const { return m_rows; }     // at least 1
    int contentHeight() const { return m_rows * kCellSize; }

    // The colour index of a cell, or -1 past the last colour (or outside the grid).
    int colorIndex(QPoint cell) const;
    // Cells with a colour can be selected, and so can the top-left cell.
    bool canSelect(QPoint cell) const;
    QRect cellRect(QPoint cell) const;      // in content coordinates
    QPoint cellAt(QPoint contentPoint) const;

private:
    int m_columns;
    int m_rows;
    int m_colorCount;
};

class TPaletteGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TPaletteGrid(QWidget* parent = nullptr);

    // The grid keeps its own copy of at most 256 colours.
    void setColors(const QList<QColor>& colors);
    const QList<QColor>& colors() const { return m_colors; }

    QPoint currentCell() const { return m_current; }
    PaletteGridGeometry cells() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void recomputeSize();
    void select(QPoint cell);
    void paintCell(QPainter& painter, const PaletteGridGeometry& cells, QPoint cell) const;

    QList<QColor> m_colors;
    QPoint m_current{0, 0};
};

} // namespace lirra
