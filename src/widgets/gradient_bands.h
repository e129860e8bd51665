#pragma once

// The arithmetic of a gradient caption: how a bar of a given width splits into colour
// bands, and how a caption too long for its room is shortened. No painting here.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace lirra {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct GradientBand {
    int left = 0;
    int width = 0;
    Rgb color;
};

// Left to right from `start` to `end` in `steps` bands (at least 2, at most one per
// pixel), each width / steps pixels wide; the pixels left over at the right end make a
// last band in `end`.
std::vector<GradientBand> gradientBands(int width, int steps, Rgb start, Rgb end);

// `text` as it fits into `room`: whole, or cut from the end and completed with "...".
// `measure` gives a text's width. When not even "..." fits, "..." is still returned.
std::u16string elideWithDots(const std::u16string& text, int room,
                             const std::function<int(const std::u16string&)>& measure);

} // namespace lirra
