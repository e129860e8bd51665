#pragma once

// "Convert to Win": the open book read again from its file on the assumption that it
// is Windows 1251 text already, not DOS 866, and the reader put back near their line.

#include "bookview/core/book_copy.h"

namespace lirra {

class ReaderWindow;

// Each 1251 byte as it comes back from a trip through 866: itself when 866 has the
// character, else the 1251 form of the character 866 puts in its place.
const ByteTable& windowsRoundTrip();

// Re-reads the book named by the caption through windowsRoundTrip() into the view (and
// the temporary copy) and re-anchors the view on the zero-based line CurLine. The caption,
// history and bookmarks stay. Raises the file error texts; the view then keeps its text.
void convertToWin(ReaderWindow& reader);

} // namespace lirra
