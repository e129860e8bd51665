#pragma once

// ColorDialog1: the toolkit's colour chooser, preset to the current colour before each
// use. Tests answer it in advance through setColorDialogPresenter() instead of clicking.

#include "bookview/core/book_types.h"

#include <QColor>
#include <functional>
#include <optional>

class QWidget;

namespace lirra {

// Gets the colour the dialog starts from; returns the chosen colour, or nothing when
// the user cancels.
using ColorDialogPresenter = std::function<std::optional<QColor>(const QColor& current)>;
// Replaces the real dialog (tests); an empty function restores it. Returns the old one.
ColorDialogPresenter setColorDialogPresenter(ColorDialogPresenter presenter);

// The chosen colour value, or nothing when the user cancels. A system colour starts the
// dialog from what it looks like now.
std::optional<ColorValue> chooseColor(QWidget* parent, ColorValue current);

} // namespace lirra
