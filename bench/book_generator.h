#pragma once

// Deterministic test books: plain text in code page 866 with CR LF line ends, as a
// DOS book is. Lines of 0 to about 120 characters, now and then a paragraph of
// 1 to 5 KB on one line, Cyrillic and Latin words, digits and punctuation; never a
// Ctrl+Z. The same size and seed always give the same bytes.

#include <cstdint>
#include <ostream>
#include <string>

namespace lirra::bench {

// Streams exactly `sizeBytes` bytes to `out`; the book is never held in memory.
void generateBook(std::ostream& out, std::uint64_t sizeBytes, std::uint64_t seed = 1);
// The same into a file, created or truncated; raises lirra::Error when it cannot be written.
void generateBookFile(const std::string& path, std::uint64_t sizeBytes, std::uint64_t seed = 1);

} // namespace lirra::bench
