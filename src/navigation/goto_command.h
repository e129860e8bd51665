#pragma once

// The jumps of "Goto..." and "Goto First Page": the view is re-anchored on a line, and
// the status line follows.

#include <QString>
#include <cstdint>
#include <optional>

namespace lirra {

class ReaderWindow;
class TBookView;

// The line (zero-based) that `percent` of a view of `lineCount` lines lands on: the
// k-th line, k = lineCount * percent / 100 rounded half to even. Nothing for a
// percentage outside 1..100. The line is -1 (no move) when k rounds to 0.
std::optional<std::int64_t> percentTargetLine(std::int64_t lineCount, std::int32_t percent);

// The percentage first, then the line number, each only when its text is not empty;
// then the status line and a repaint. A text that is not a number raises
// "'<text>' is not a valid integer value" at its step; a jump made before it stays.
void gotoPercentOrLine(ReaderWindow& reader, const QString& percentText, const QString& lineText);

// The first line of the book, the view scrolled to its start.
void gotoFirstPage(TBookView& view);

} // namespace lirra
