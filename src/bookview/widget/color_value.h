#pragma once

// Colour values (00BBGGRR, or 80000000 + n for Windows system colour n) as Qt colours.
// System colours are looked up in a palette each time they are painted, so they follow
// the desktop's colour scheme.

#include "bookview/core/book_types.h"

#include <QColor>

class QPalette;

namespace lirra {

bool isSystemColor(ColorValue value);
QColor colorFromValue(ColorValue value, const QPalette& palette);
ColorValue valueFromColor(const QColor& color);

} // namespace lirra
