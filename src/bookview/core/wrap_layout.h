#pragma once

// Word wrap: splits hard lines into rows that fit a width in pixels.

#include "bookview/core/line_index.h"

#include <array>
#include <stop_token>
#include <string_view>

namespace lirra {

// Widths of characters in the current font, for word wrap. The widget supplies one.
class AdvanceSource {
public:
    virtual ~AdvanceSource() = default;
    virtual int advance(char16_t unit) const = 0;   // pixels
    // The advance every character but the tab has (a monospaced font), or 0 when the
    // advances differ. A tab is never a cell wide: it is measured on its own.
    virtual int cellWidth() const = 0;
};

// A font reduced to what a wrap of plain 1251 text needs, taken on the thread that owns
// the font: plain data, so a worker thread can wrap with it, and two can be compared.
struct AnsiAdvances {
    explicit AnsiAdvances(const AdvanceSource& measure);
    std::array<int, 256> byByte{};   // pixels, the tab's among them
    int cellWidth = 0;               // as AdvanceSource::cellWidth()
    bool operator==(const AnsiAdvances&) const = default;
};

// One wrap of plain 1251 text: rows made for equal requests are equal.
struct WrapRequest {
    AnsiAdvances advances;
    int widthPixels = 0;
    bool operator==(const WrapRequest&) const = default;
};

// Rows of the text. A row breaks after the last blank (space or tab) that fits, the
// blank staying at the end of the row; a blank that reaches past the edge also stays
// on its row. A word wider than the row is broken where the row is full. Every row
// holds at least one character; line-break characters take no room and end the row
// of their hard line. Plain 1251 text is measured through its Unicode characters.
// One AdvanceSource serves all characters (rich text is measured in one font).
// With a cell width, lines without a tab are wrapped by counting, not measuring.
// A stop asked through `stop` cuts the wrap short: its rows are then of no use.
LineStarts wrapRows(std::string_view ansi1251, const LineStarts& hardLines, const WrapRequest& request,
                    const std::stop_token& stop = {});
LineStarts wrapRows(std::u16string_view text, const LineStarts& hardLines,
                    const AdvanceSource& measure, int widthPixels);

} // namespace lirra
