#pragma once

// The line-by-line copy that takes a plain book into the temporary copy "lirra.tmp".

#include <array>
#include <string>

namespace lirra {

using ByteTable = std::array<unsigned char, 256>;

// Copies the text file `source` to `target` line by line, each line translated byte for
// byte through `table` and written followed by CR LF. A line ends at CR; an LF right after
// the CR belongs to the break, any other LF is an ordinary character. Ctrl+Z ends the
// text. The last line needs no break. Streams: the book is never held in memory.
// Failures raise lirra::Error with the file error texts; `target` then holds the lines
// written so far.
void copyBookLines(const std::string& source, const std::string& target, const ByteTable& table);

} // namespace lirra
