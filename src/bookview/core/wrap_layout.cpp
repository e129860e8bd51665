#include "bookview/core/wrap_layout.h"

#include "platform/codepages.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

namespace lirra {

namespace {

constexpr std::int64_t kFitsAnything = std::numeric_limits<std::int64_t>::max();
// How many hard lines a wrap makes between two looks at its stop token.
constexpr std::int64_t kLinesPerStopCheck = 1 << 14;

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

// Appends the start of every hard line to the rows, then has `wrap(start, contentEnd,
// rows)` add the starts of its later rows; contentEnd is where the line's break begins.
// Ends early once `stop` is asked.
template <class Unit, class Wrap>
LineStarts eachHardLine(std::basic_string_view<Unit> text, const LineStarts& hardLines, const std::stop_token& stop,
                        const Wrap& wrap)
{
    LineStarts rows;
    rows.reserve(hardLines.size());
    const auto size = static_cast<std::int64_t>(text.size());
    const std::int64_t last = hardLines.size() - 1;
    for (std::int64_t line = 0; line <= last; ++line) {
        if (line % kLinesPerStopCheck == 0 && stop.stop_requested())
            break;
        const std::int64_t start = hardLines[line];
        rows.append(start);
        const std::int64_t contentEnd =
            line == last ? size : hardLines[line + 1] - breakLengthBefore(text, hardLines[line + 1]);
        wrap(start, contentEnd, rows);
    }
    return rows;
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

// Every line measured character by character, except those of at most `surelyFits`
// characters.
template <class Unit, class Advance>
LineStarts wrapMeasured(std::basic_string_view<Unit> text, const LineStarts& hardLines, int widthPixels,
                        std::int64_t surelyFits, const std::stop_token& stop, const Advance& advance)
{
    return eachHardLine(text, hardLines, stop, [&](std::int64_t start, std::int64_t contentEnd, LineStarts& rows) {
        if (contentEnd - start <= surelyFits)
            return;
        wrapLine(text.data(), start, contentEnd, [&](std::int64_t s) {
            return measuredFitEnd(text.data(), s, contentEnd, widthPixels, advance);
        }, rows);
    });
}

template <class Unit>
std::int64_t tabFrom(std::basic_string_view<Unit> text, std::int64_t from)
{
    const std::size_t at = text.find(Unit('\t'), static_cast<std::size_t>(from));
    return at == std::basic_string_view<Unit>::npos ? kFitsAnything : static_cast<std::int64_t>(at);
}

// A monospaced font: a row holds `columns` characters, so only the lines longer than
// that are touched, and then only where their rows end. A line with a tab is measured,
// the tab taking its own advance; the tabs are found with one search over the text.
template <class Unit>
LineStarts wrapCells(std::basic_string_view<Unit> text, const LineStarts& hardLines, int cell, int tab,
                     int widthPixels, const std::stop_token& stop)
{
    const std::int64_t columns = std::max(1, widthPixels / cell);
    const auto advance = [cell, tab](Unit c) { return c == Unit('\t') ? tab : cell; };
    std::int64_t nextTab = tabFrom(text, 0);
    return eachHardLine(text, hardLines, stop, [&](std::int64_t start, std::int64_t contentEnd, LineStarts& rows) {
        if (nextTab < contentEnd) {
            wrapLine(text.data(), start, contentEnd, [&](std::int64_t s) {
                return measuredFitEnd(text.data(), s, contentEnd, widthPixels, advance);
            }, rows);
            nextTab = tabFrom(text, contentEnd);
        } else if (contentEnd - start > columns) {
            wrapLine(text.data(), start, contentEnd, [&](std::int64_t s) { return std::min(contentEnd, s + columns); },
                     rows);
        }
    });
}

} // namespace

AnsiAdvances::AnsiAdvances(const AdvanceSource& measure) : cellWidth(measure.cellWidth())
{
    for (int byte = 0; byte < 256; ++byte)
        byByte[byte] = std::max(0, measure.advance(platform::ansiToUnicode(static_cast<unsigned char>(byte))));
}

LineStarts wrapRows(std::string_view ansi1251, const LineStarts& hardLines, const WrapRequest& request,
                    const std::stop_token& stop)
{
    const std::array<int, 256>& advances = request.advances.byByte;
    if (const int cell = request.advances.cellWidth; cell > 0)
        return wrapCells(ansi1251, hardLines, cell, advances['\t'], request.widthPixels, stop);

    const int widest = *std::max_element(advances.begin(), advances.end());
    const std::int64_t surelyFits = widest > 0 ? std::max(0, request.widthPixels) / widest : kFitsAnything;
    return wrapMeasured(ansi1251, hardLines, request.widthPixels, surelyFits, stop,
                        [&advances](char c) { return advances[static_cast<unsigned char>(c)]; });
}

LineStarts wrapRows(std::u16string_view text, const LineStarts& hardLines,
                    const AdvanceSource& measure, int widthPixels)
{
    if (const int cell = measure.cellWidth(); cell > 0)
        return wrapCells(text, hardLines, cell, std::max(0, measure.advance(u'\t')), widthPixels, {});

    // Measured once per distinct unit; -1 marks a unit not asked yet.
    std::vector<int> advances(0x10000, -1);
    return wrapMeasured(text, hardLines, widthPixels, 0, {}, [&](char16_t unit) {
        int& cached = advances[unit];
        if (cached < 0)
            cached = std::max(0, measure.advance(unit));
        return cached;
    });
}

} // namespace lirra
