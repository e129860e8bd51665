#include "widgets/bevel.h"

#include <QPainter>
#include <QPalette>

namespace lirra {

void drawBevel(QPainter& painter, QRect& frame, TBevelCut cut, int width, const QPalette& palette)
{
    if (cut == TBevelCut::bvNone)
        return;
    const QColor shadow = palette.color(QPalette::Dark);
    const QColor highlight = palette.color(QPalette::Light);
    const QColor& topLeft = cut == TBevelCut::bvLowered ? shadow : highlight;
    const QColor& bottomRight = cut == TBevelCut::bvLowered ? highlight : shadow;
    painter.fillRect(frame.left(), frame.top(), frame.width(), width, topLeft);
    painter.fillRect(frame.left(), frame.top(), width, frame.height(), topLeft);
    painter.fillRect(frame.left(), frame.bottom() - width + 1, frame.width(), width, bottomRight);
    painter.fillRect(frame.right() - width + 1, frame.top(), width, frame.height(), bottomRight);
    frame.adjust(width, width, -width, -width);
}

} // namespace lirra
