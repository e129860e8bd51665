#include "widgets/palette_grid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <qdrawutil.h>

namespace lirra {

PaletteGridGeometry::PaletteGridGeometry(int width, int scrollBarWidth, int colorCount)
    : m_columns(std::max(1, (width - scrollBarWidth) / kCellSize)),
      m_rows(std::max(1, (colorCount + m_columns - 1) / m_columns)),
      m_colorCount(colorCount)
{
}

int PaletteGridGeometry::colorIndex(QPoint cell) const
{
    if (cell.x() < 0 || cell.x() >= m_columns || cell.y() < 0)
        return -1;
    const int index = cell.x() + cell.y() * m_columns;
    return index < m_colorCount ? index : -1;
}

bool PaletteGridGeometry::canSelect(QPoint cell) const
{
    return cell == QPoint(0, 0) || colorIndex(cell) >= 0;
}

QRect PaletteGridGeometry::cellRect(QPoint cell) const
{
    return {cell.x() * kCellSize, cell.y() * kCellSize, kCellSize, kCellSize};
}

QPoint PaletteGridGeometry::cellAt(QPoint contentPoint) const
{
    return {contentPoint.x() / kCellSize, contentPoint.y() / kCellSize};
}

TPaletteGrid::TPaletteGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(PaletteGridGeometry::kCellSize);
}

void TPaletteGrid::setColors(const QList<QColor>& colors)
{
    m_colors = colors.mid(0, PaletteGridGeometry::kMaxColors);
    m_current = {0, 0};
    recomputeSize();
    viewport()->update();
}

PaletteGridGeometry TPaletteGrid::cells() const
{
    const int scrollBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return {width() - frameWidth() * 2, scrollBarWidth, int(m_colors.size())};
}

// The rows scroll; the scroll bar shows only when they do not all fit.
void TPaletteGrid::recomputeSize()
{
    const PaletteGridGeometry grid = cells();
    verticalScrollBar()->setRange(0, std::max(0, grid.contentHeight() - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
}

void TPaletteGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    recomputeSize();
}

void TPaletteGrid::select(QPoint cell)
{
    if (!cells().canSelect(cell) || cell == m_current)
        return;
    m_current = cell;
    const QRect shown = cells().cellRect(cell).translated(0, -verticalScrollBar()->value());
    if (shown.top() < 0)
        verticalScrollBar()->setValue(verticalScrollBar()->value() + shown.top());
    else if (shown.bottom() >= viewport()->height())
        verticalScrollBar()->setValue(verticalScrollBar()->value() + shown.bottom() - viewport()->height() + 1);
    viewport()->update();
}

void TPaletteGrid::mousePressEvent(QMouseEvent* event)
{
    select(cells().cellAt(event->position().toPoint() + QPoint(0, verticalScrollBar()->value())));
}

void TPaletteGrid::keyPressEvent(QKeyEvent* event)
{
    QPoint step;
    switch (event->key()) {
    case Qt::Key_Left: step = {-1, 0}; break;
    case Qt::Key_Right: step = {1, 0}; break;
    case Qt::Key_Up: step = {0, -1}; break;
    case Qt::Key_Down: step = {0, 1}; break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    select(m_current + step);
}

void TPaletteGrid::paintCell(QPainter& painter, const PaletteGridGeometry& grid, QPoint cell) const
{
    const QRect box = grid.cellRect(cell);
    const int index = grid.colorIndex(cell);
    if (index < 0) {
        painter.fillRect(box, palette().color(QPalette::Base));
        return;
    }
    painter.setPen(palette().color(QPalette::Button));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    const QBrush fill(m_colors[index]);
    qDrawWinPanel(&painter, box.adjusted(1, 1, -1, -1), palette(), true, &fill);
    if (cell == m_current && hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Base), 1, Qt::DotLine));
        painter.drawRect(box.adjusted(4, 4, -5, -5));
    }
}

void TPaletteGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int top = verticalScrollBar()->value();
    painter.translate(0, -top);
    painter.fillRect(QRect(0, top, viewport()->width(), viewport()->height()), palette().color(QPalette::Base));
    const PaletteGridGeometry grid = cells();
    const int firstRow = top / PaletteGridGeometry::kCellSize;
    const int lastRow = std::min(grid.rows() - 1, (top + viewport()->height()) / PaletteGridGeometry::kCellSize);
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = 0; column < grid.columns(); ++column)
            paintCell(painter, grid, {column, row});
}

} // namespace lirra
