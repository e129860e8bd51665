#include "bookview/core/line_index.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lirra {

void LineStarts::append(std::int64_t start)
{
    const std::size_t line = m_near.size();
    if ((line & kBlockMask) == 0)
        m_blocks.push_back({static_cast<std::uint32_t>(start)});
    Block& block = m_blocks.back();
    const auto distance = static_cast<std::uint32_t>(start - block.first);
    if (block.far == kNear && distance > 0xFFFF)
        widen(block);
    if (block.far == kNear) {
        m_near.push_back(static_cast<std::uint16_t>(distance));
        return;
    }
    m_near.push_back(0);
    m_far[block.far + (line & kBlockMask)] = distance;
}

// Moves the distances of the block's lines so far into 32 bits, with room for the rest.
void LineStarts::widen(Block& block)
{
    block.far = static_cast<std::uint32_t>(m_far.size());
    m_far.resize(m_far.size() + kBlockLines);
    const std::size_t first = m_near.size() & ~kBlockMask;
    std::copy(m_near.begin() + static_cast<std::ptrdiff_t>(first), m_near.end(), m_far.begin() + block.far);
}

void LineStarts::reserve(std::int64_t count)
{
    m_near.reserve(static_cast<std::size_t>(count));
    m_blocks.reserve(static_cast<std::size_t>(count) / kBlockLines + 1);
}

void LineStarts::clear()
{
    m_blocks.clear();
    m_near.clear();
    m_far.clear();
}

std::int64_t LineStarts::lineOf(std::int64_t offset) const
{
    if (offset <= 0 || m_near.empty())
        return 0;
    const auto limit = static_cast<std::uint32_t>(std::min(offset, kMaxTextLength));
    // The last block that starts at or before the offset, then the last of its lines that does.
    const auto after = std::upper_bound(m_blocks.begin(), m_blocks.end(), limit,
                                        [](std::uint32_t at, const Block& block) { return at < block.first; });
    std::int64_t first = static_cast<std::int64_t>(after - m_blocks.begin() - 1) << kBlockShift;
    std::int64_t end = std::min(size(), first + static_cast<std::int64_t>(kBlockLines));
    while (end - first > 1) {
        const std::int64_t middle = first + (end - first) / 2;
        if ((*this)[middle] <= limit)
            first = middle;
        else
            end = middle;
    }
    return first;
}

namespace {

// Records the line that starts after the break character at `pos`. A CR directly
// followed by LF is one break: the line starts after the LF.
template <class Unit>
inline std::size_t takeBreak(const Unit* text, std::size_t size, std::size_t pos, LineStarts& lines)
{
    std::size_t next = pos + 1;
    if (text[pos] == Unit('\r') && next < size && text[next] == Unit('\n'))
        ++next;
    lines.append(static_cast<std::int64_t>(next));
    return next;
}

template <class Unit>
void scanTail(const Unit* text, std::size_t size, std::size_t pos, LineStarts& lines)
{
    while (pos < size) {
        const Unit c = text[pos];
        if (c == Unit('\r') || c == Unit('\n'))
            pos = takeBreak(text, size, pos, lines);
        else
            ++pos;
    }
}

} // namespace

LineStarts scanHardLines(std::string_view text)
{
    LineStarts lines;
    lines.reserveFor(static_cast<std::int64_t>(text.size()));
    lines.append(0);
    appendHardLines(text, 0, lines);
    return lines;
}

void appendHardLines(std::string_view text, std::size_t from, LineStarts& lines)
{
    const char* data = text.data();
    const std::size_t size = text.size();
    std::size_t pos = from;
#if defined(__SSE2__)
    // Sixteen bytes at a time: most blocks hold no break at all.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    std::size_t consumed = from;   // first position not taken by a break yet (CR LF)
    while (pos + 16 <= size) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf))));
        while (mask != 0) {
            const std::size_t at = pos + static_cast<std::size_t>(__builtin_ctz(mask));
            mask &= mask - 1;
            if (at >= consumed)
                consumed = takeBreak(data, size, at, lines);
        }
        pos += 16;
    }
    pos = std::max(pos, consumed);
#endif
    scanTail(data, size, pos, lines);
}

LineStarts scanHardLines(std::u16string_view text)
{
    LineStarts lines;
    lines.reserveFor(static_cast<std::int64_t>(text.size()));
    lines.append(0);
    scanTail(text.data(), text.size(), 0, lines);
    return lines;
}

} // namespace lirra
