#include "widgets/gradient_bands.h"

#include "bookview/core/percent.h"

#include <algorithm>

namespace lirra {

namespace {

int blend(int start, int end, int step, int lastStep)
{
    return int(roundHalfEven(std::int64_t(end - start) * step, lastStep) + start) & 0xFF;
}

} // namespace

std::vector<GradientBand> gradientBands(int width, int steps, Rgb start, Rgb end)
{
    width = std::max(width, 0);
    const int count = std::max(2, std::min(steps, width));
    const int bandWidth = width / count;
    std::vector<GradientBand> bands;
    bands.reserve(std::size_t(count) + 1);
    for (int i = 0; i < count; ++i) {
        const Rgb color{blend(start.red, end.red, i, count - 1), blend(start.green, end.green, i, count - 1),
                        blend(start.blue, end.blue, i, count - 1)};
        bands.push_back({i * bandWidth, bandWidth, color});
    }
    if (const int leftover = width - count * bandWidth; leftover > 0)
        bands.push_back({count * bandWidth, leftover, end});
    return bands;
}

std::u16string elideWithDots(const std::u16string& text, int room,
                             const std::function<int(const std::u16string&)>& measure)
{
    if (measure(text) <= room)
        return text;
    const std::u16string dots = u"...";
    // The longest prefix that fits with the dots; widths grow with the prefix.
    std::size_t low = 0;
    std::size_t high = text.size();
    while (low < high) {
        const std::size_t middle = (low + high + 1) / 2;
        if (measure(text.substr(0, middle) + dots) <= room)
            low = middle;
        else
            high = middle - 1;
    }
    return text.substr(0, low) + dots;
}

} // namespace lirra
