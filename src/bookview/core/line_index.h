#pragma once

// Start offsets of the lines of a text, offsets of 32 bits (the document refuses texts
// that do not fit), plus the one-pass scan that finds hard line breaks.

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace lirra {

// Longest text the document holds: offsets are stored in 32 bits.
inline constexpr std::int64_t kMaxTextLength = 0xFFFFFFFELL;

// Increasing start offsets; the first line starts at 0. An index costs a little over two
// bytes a line, against the book's one per character: lines are kept in blocks of 64, each
// block holding its first start in 32 bits and its lines' distances from it in 16. A block
// whose lines reach 64 KiB past its first start keeps its distances in 32 bits instead.
class LineStarts {
public:
    void append(std::int64_t start);
    void reserve(std::int64_t count);
    // Room for the lines of a text of `characters`, reckoned generously: room never
    // touched costs no memory, and growing the index would copy it.
    void reserveFor(std::int64_t characters) { reserve(characters / 48 + 1); }
    void clear();
    std::int64_t size() const { return static_cast<std::int64_t>(m_near.size()); }
    std::int64_t operator[](std::int64_t line) const
    {
        const auto at = static_cast<std::size_t>(line);
        const Block& block = m_blocks[at >> kBlockShift];
        return std::int64_t{block.first} + (block.far == kNear ? m_near[at] : m_far[block.far + (at & kBlockMask)]);
    }
    // The line holding `offset`: the last one that starts at or before it.
    std::int64_t lineOf(std::int64_t offset) const;
    // Calls f(line, span) for every line but the last, span being the distance to the next
    // line's start: one walk over the blocks, without a look-up per line.
    template <class F>
    void eachSpan(F&& f) const;
    bool operator==(const LineStarts&) const = default;

private:
    static constexpr int kBlockShift = 6;
    static constexpr std::size_t kBlockLines = std::size_t{1} << kBlockShift;
    static constexpr std::size_t kBlockMask = kBlockLines - 1;
    static constexpr std::uint32_t kNear = 0xFFFFFFFF;   // the block's distances fit 16 bits

    struct Block {
        std::uint32_t first;        // start of the block's first line
        std::uint32_t far = kNear;  // else where its distances begin in m_far
        bool operator==(const Block&) const = default;
    };

    void widen(Block& block);

    // Plain vectors, not huge pages: the last page of an index a few MiB long would round
    // it up by as much as 2 MiB.
    std::vector<Block> m_blocks;
    std::vector<std::uint16_t> m_near;   // one per line; unused in a far block
    std::vector<std::uint32_t> m_far;    // a block's worth per far block
};

template <class F>
void LineStarts::eachSpan(F&& f) const
{
    std::int64_t previous = 0;
    const auto walk = [&](std::size_t line, std::int64_t start) {
        if (line > 0)
            f(static_cast<std::int64_t>(line) - 1, start - previous);
        previous = start;
    };
    for (std::size_t block = 0; block < m_blocks.size(); ++block) {
        const std::int64_t first = m_blocks[block].first;
        const std::uint32_t far = m_blocks[block].far;
        const std::size_t begin = block << kBlockShift;
        const std::size_t end = std::min(m_near.size(), begin + kBlockLines);
        if (far == kNear) {
            for (std::size_t line = begin; line < end; ++line)
                walk(line, first + m_near[line]);
        } else {
            for (std::size_t line = begin; line < end; ++line)
                walk(line, first + m_far[far + (line & kBlockMask)]);
        }
    }
}

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
