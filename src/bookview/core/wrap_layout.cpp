#include "bookview/core/wrap_layout.h"

#include "platform/codepages.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

namespace lirra {

namespace {

constexpr std::int64_t kFitsAnything = std::numeric_limits<std::int64_t>::max();

template <class Unit>
bool isBlank(Unit c)
{
    return c == Unit(' ') || c == Unit('\t');
}

// Start of the next row when the row starting at `start` is full at `fitEnd` (the first
// character that does not fit, inside the line).
template <class Unit>
std::int64_t nextRowStart(const Unit* text, std::int64_t start, std::int64_t fitEnd)
{
    if (isBlank(text[fitEnd]))
        return fitEnd + 1;
    for (std::int64_t i = fitEnd; i > start; --i)
        if (isBlank(text[i - 1]))
            return i;
    return fitEnd;
}

// Appends the starts of the second and later rows of one hard line [start, contentEnd).
// `fitEnd(s)` is the end of the longest run from s that fits, at least s + 1.
template <class Unit, class FitEnd>
void wrapLine(const Unit* text, std::int64_t start, std::int64_t contentEnd, const FitEnd& fitEnd,
              LineStarts& rows)
{
    for (std::int64_t s = start;;) {
        const std::int64_t end = fitEnd(s);
        if (end >= contentEnd)
            return;
        s = nextRowStart(text, s, end);
        if (s >= contentEnd)
            return;
        rows.append(s);
    }
}

// `surelyFits`: a line of at most this many characters needs no measuring.
template <class Unit, class FitEnd>
LineStarts wrapAll(std::basic_string_view<Unit> text, const LineStarts& hardLines,
                   std::int64_t surelyFits, const FitEnd& fitEnd)
{
    LineStarts rows;
    rows.reserve(hardLines.size());
    const auto size = static_cast<std::int64_t>(text.size());
    const std::int64_t last = hardLines.size() - 1;
    for (std::int64_t line = 0; line <= last; ++line) {
        const std::int64_t start = hardLines[line];
        rows.append(start);
        const std::int64_t contentEnd =
            line == last ? size : hardLines[line + 1] - breakLengthBefore(text, hardLines[line + 1]);
        if (contentEnd - start > surelyFits)
            wrapLine(text.data(), start, contentEnd, [&](std::int64_t s) { return fitEnd(s, contentEnd); }, rows);
    }
    return rows;
}

template <class Unit>
LineStarts wrapFixedPitch(std::basic_string_view<Unit> text, const LineStarts& hardLines,
                          const AdvanceSource& measure, int widthPixels)
{
    const int advance = measure.advance(u'x');
    const std::int64_t columns = advance > 0 ? std::max(1, widthPixels / advance) : kFitsAnything;
    return wrapAll(text, hardLines, columns, [columns](std::int64_t s, std::int64_t contentEnd) {
        return columns >= contentEnd - s ? contentEnd : s + columns;
    });
}

// Longest run from `s` whose advances add up to at most `width` (at least one character).
template <class Unit, class Advance>
std::int64_t measuredFitEnd(const Unit* text, std::int64_t s, std::int64_t contentEnd, int width,
                            const Advance& advance)
{
    std::int64_t used = 0;
    std::int64_t end = s;
    for (; end < contentEnd; ++end) {
        const int a = advance(text[end]);
        if (used + a > width && end > s)
            break;
        used += a;
    }
    return end;
}

} // namespace

LineStarts wrapRows(std::string_view ansi1251, const LineStarts& hardLines,
                    const AdvanceSource& measure, int widthPixels)
{
    if (measure.fixedPitch())
        return wrapFixedPitch(ansi1251, hardLines, measure, widthPixels);

    std::array<int, 256> advances{};
    for (int byte = 0; byte < 256; ++byte)
        advances[byte] = std::max(0, measure.advance(platform::ansiToUnicode(static_cast<unsigned char>(byte))));
    const int widest = *std::max_element(advances.begin(), advances.end());
    const std::int64_t surelyFits = widest > 0 ? std::max(0, widthPixels) / widest : kFitsAnything;
    const auto advance = [&advances](char c) { return advances[static_cast<unsigned char>(c)]; };
    return wrapAll(ansi1251, hardLines, surelyFits, [&](std::int64_t s, std::int64_t contentEnd) {
        return measuredFitEnd(ansi1251.data(), s, contentEnd, widthPixels, advance);
    });
}

LineStarts wrapRows(std::u16string_view text, const LineStarts& hardLines,
                    const AdvanceSource& measure, int widthPixels)
{
    if (measure.fixedPitch())
        return wrapFixedPitch(text, hardLines, measure, widthPixels);

    // Measured once per distinct unit; -1 marks a unit not asked yet.
    std::vector<int> advances(0x10000, -1);
    const auto advance = [&](char16_t unit) {
        int& cached = advances[unit];
        if (cached < 0)
            cached = std::max(0, measure.advance(unit));
        return cached;
    };
    return wrapAll(text, hardLines, 0, [&](std::int64_t s, std::int64_t contentEnd) {
        return measuredFitEnd(text.data(), s, contentEnd, widthPixels, advance);
    });
}

} // namespace lirra
