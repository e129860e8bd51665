#pragma once

// Start offsets of the lines of a text, kept as 32-bit offsets (the document refuses
// texts that do not fit), plus the one-pass scan that finds hard line breaks.

#include "bookview/core/big_block_allocator.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace lirra {

// Longest text the document holds: offsets are stored in 32 bits.
inline constexpr std::int64_t kMaxTextLength = 0xFFFFFFFELL;

// Increasing start offsets; the first line starts at 0.
class LineStarts {
public:
    void append(std::int64_t start) { m_starts.push_back(static_cast<std::uint32_t>(start)); }
    void reserve(std::int64_t count) { m_starts.reserve(static_cast<std::size_t>(count)); }
    // Room for the lines of a text of `characters`, reckoned generously: room never
    // touched costs no memory, and growing the index would copy it.
    void reserveFor(std::int64_t characters) { reserve(characters / 48 + 1); }
    void clear() { m_starts.clear(); }
    std::int64_t size() const { return static_cast<std::int64_t>(m_starts.size()); }
    std::int64_t operator[](std::int64_t line) const { return m_starts[static_cast<std::size_t>(line)]; }
    // The line holding `offset`: the last one that starts at or before it.
    std::int64_t lineOf(std::int64_t offset) const;
    bool operator==(const LineStarts&) const = default;

private:
    std::vector<std::uint32_t, BigBlockAllocator<std::uint32_t>> m_starts;
};

// Hard lines: CR LF, a lone CR and a lone LF each end one. There is always one line more
// than there are breaks (the last line may be empty).
LineStarts scanHardLines(std::string_view text);
LineStarts scanHardLines(std::u16string_view text);
// The same a piece at a time, for a text still growing: appends the lines that start
// after a break in text[from, end). `text` is all of the text so far, scanned up to
// `from`, less a CR at its end: that CR waits for the next piece, whose LF may be its.
void appendHardLines(std::string_view text, std::size_t from, LineStarts& lines);

// Number of line-break characters (0, 1 or 2) that end the text just before `end`.
template <class Unit>
int breakLengthBefore(std::basic_string_view<Unit> text, std::int64_t end)
{
    if (end <= 0)
        return 0;
    const auto last = text[static_cast<std::size_t>(end - 1)];
    if (last == Unit('\n'))
        return (end >= 2 && text[static_cast<std::size_t>(end - 2)] == Unit('\r')) ? 2 : 1;
    return last == Unit('\r') ? 1 : 0;
}

} // namespace lirra
