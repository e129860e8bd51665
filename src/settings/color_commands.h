#pragma once

// The Options menu's commands that change the book's colours and font size. They act on
// the book view only: the status panel keeps its own look, and nothing is saved.

#include "settings/color_themes.h"

class QWidget;

namespace lirra {

class TBookView;

// Text colour, then background colour.
void applyColorTheme(TBookView& view, const ColorTheme& theme);
// Font size up or down by `points`, without a limit: 0 is the font system's default
// height and a negative size a cell height, as the view takes them.
void stepFontSize(TBookView& view, int points);
// The colour dialog started from the view's text (background) colour; the view takes
// the colour chosen, a cancel changes nothing.
void chooseFontColor(TBookView& view, QWidget* parent);
void chooseBackgroundColor(TBookView& view, QWidget* parent);

} // namespace lirra
