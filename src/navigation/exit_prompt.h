#pragma once

// The offer of a bookmark when the main window closes with a book open, and the menu
// item that switches the offer on and off.

#include <cstdint>
#include <functional>

class QAction;

namespace lirra {

class ReaderWindow;

// Part of the main window's close query, which never refuses the close. Asks
// "Set Book-Mark before exit?" when the offer is on, a book is open and the question
// has not had a Yes in this run; a Yes sets `answeredYes` and runs `setBookmark` (the
// Set dialog), after which the close goes on without asking again.
void offerBookmarkBeforeExit(const ReaderWindow& reader, bool offerOn, bool& answeredYes,
                             const std::function<void()>& setBookmark);

// "Set Bookmark Before Exit": flips the flag and the item's tick together. The flag is
// the stored option, kept only when the options are saved.
void toggleBookmarkBeforeExit(QAction& item, std::uint8_t& offerFlag);

} // namespace lirra
