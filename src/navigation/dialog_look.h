#pragma once

// What the navigation dialogs share: silver text on black, and a place in the middle of
// the screen.

class QWidget;

namespace lirra {

// Black background, silver text for labels and radio buttons; edits and buttons keep
// the desktop's look, as they take other colours of the palette.
void paintBlackAndSilver(QWidget* dialog);
// Centres `dialog` on the screen its owner (or the mouse) is on.
void centreOnScreen(QWidget* dialog);

} // namespace lirra
