#pragma once

// The one pass that takes a plain book in: its lines converted into the text the view
// will hold, and the same bytes written to the temporary copy "lirra.tmp" on the way.
// The first page can be had on its own at once, the whole book on a worker thread.

#include "bookview/core/big_block_allocator.h"
#include "bookview/core/line_index.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <stop_token>
#include <string>

namespace lirra {

using ByteTable = std::array<unsigned char, 256>;

// What a conversion running on another thread shares with the thread that waits for it.
struct ConversionProgress {
    std::stop_token stop;                   // when asked, the conversion throws ConversionStopped
    std::atomic<std::int64_t> bytesRead{0}; // of the book, so far
    std::atomic<std::int64_t> bookSize{0};  // as it was when it was opened
    // Set once the first page is on screen: work that only speeds the rest up (faulting the
    // text's pages in ahead) waits for it, so that it does not slow the first page down.
    std::atomic<bool> firstPageShown{false};
};
struct ConversionStopped {};

// Reads the text file `source` line by line, each line translated byte for byte through
// `table` and followed by CR LF, and returns that text. Each piece of it is written to
// `target` from the text as soon as it is made, so the copy holds exactly the
// bytes returned and nothing ever reads it back. A line ends at CR; an LF right after the
// CR belongs to the break, any other LF is an ordinary character. Ctrl+Z ends the text.
// The last line needs no break. Failures raise lirra::Error with the file error texts
// ("File access denied" for what is not a regular file, refused before it is opened;
// "Failed to Load Stream" for a text longer than kMaxTextLength); `target` then holds
// the lines written so far. `progress`, when given, is told of every piece read and may
// stop the copy between two pieces.
// The text comes with its hard lines, indexed piece by piece while each piece is still in
// the cache instead of in a pass of their own over the whole text.
struct CopiedBook {
    BookBytes text;
    LineStarts hardLines;   // as scanHardLines(text) finds them
};
CopiedBook copyBookLines(const std::string& source, const std::string& target, const ByteTable& table,
                         ConversionProgress* progress = nullptr);

// The beginning of the same text: what the first `bytes` of `source` convert to, with no
// copy written. Unless that is the whole text (`whole`: the book or a Ctrl+Z ended within
// them), it is cut after its last line break, so its lines are the whole text's first
// lines, exactly. Failures as copyBookLines.
struct BookStart {
    BookBytes text;
    bool whole = false;
};
BookStart convertBookStart(const std::string& source, const ByteTable& table, std::int64_t bytes);

} // namespace lirra
