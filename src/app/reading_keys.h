#pragma once

// The reader's typing keys in the book view: Space a line on, Enter a page on,
// Backspace a line back, "+" and "-" a point bigger or smaller. Nothing is ever typed
// into the book.

#include <QChar>

namespace lirra {

class TBookView;

void applyReadingKey(TBookView& view, QChar character);

} // namespace lirra
