#pragma once

// The stored options meet the book view: applied to it at start, and taken from it by
// "Save Options " (the look lives in the view once the program runs).

#include "settings/options_store.h"

namespace lirra {

class TBookView;

// Font size, colours, font name and word wrap onto the view; the scroll speed is
// handed over to the speed dialog.
void applyViewOptions(TBookView& view, OptionsRecord& options);

// Stores the view's look, the flags of `options` and the scroll speed as the speed
// dialog's slider holds it, as one record, and tells the user "Options was saved.".
void saveViewOptions(const TBookView& view, const OptionsRecord& options, std::int32_t scrollTextSpeed);

} // namespace lirra
