#pragma once

// The one pass that takes a plain book in: its lines converted into the text the view
// will hold, and the same bytes written to the temporary copy "lirra.tmp" on the way.

#include "bookview/core/big_block_allocator.h"

#include <array>
#include <string>

namespace lirra {

using ByteTable = std::array<unsigned char, 256>;

// Reads the text file `source` line by line, each line translated byte for byte through
// `table` and followed by CR LF, and returns that text. Each piece of it is written to
// `target` from the same buffer as soon as it is made, so the copy holds exactly the
// bytes returned and nothing ever reads it back. A line ends at CR; an LF right after the
// CR belongs to the break, any other LF is an ordinary character. Ctrl+Z ends the text.
// The last line needs no break. Failures raise lirra::Error with the file error texts
// ("File access denied" for what is not a regular file, refused before it is opened;
// "Failed to Load Stream" for a text longer than kMaxTextLength); `target` then holds
// the lines written so far.
BookBytes copyBookLines(const std::string& source, const std::string& target, const ByteTable& table);

} // namespace lirra
