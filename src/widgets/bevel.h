#pragma once

// The raised or lowered edge that panels and the clock draw along their border.

#include <QRect>

class QPainter;
class QPalette;

namespace lirra {

enum class TBevelCut { bvNone, bvLowered, bvRaised };

// Draws `cut`, `width` pixels wide, along the edges of `frame` (a lowered bevel is dark
// at the top and left, light at the bottom and right) and shrinks `frame` by it.
void drawBevel(QPainter& painter, QRect& frame, TBevelCut cut, int width, const QPalette& palette);

} // namespace lirra
