#include "widgets/slider_scale.h"

#include "bookview/core/percent.h"
#include "platform/lirra_error.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace lirra {

namespace {

constexpr int kRulerInset = 6;
constexpr double kMinTickSpacing = 4.0;

} // namespace

bool SliderRange::setValue(std::int64_t value)
{
    const auto clamped = std::int32_t(std::clamp<std::int64_t>(value, m_min, m_max));
    if (clamped == m_value)
        return false;
    m_value = clamped;
    return true;
}

bool SliderRange::setRange(std::int32_t min, std::int32_t max)
{
    if (max <= min)
        return false;
    m_min = min;
    m_max = max;
    if (m_increment > width())
        m_increment = std::int32_t(width());
    return setValue(m_value);
}

bool SliderRange::setMinValue(std::int32_t value) { return setRange(value, m_max); }

bool SliderRange::setMaxValue(std::int32_t value) { return setRange(m_min, value); }

bool SliderRange::setIncrement(std::int32_t increment)
{
    if (increment < 1 || increment > width()) {
        char text[64];
        std::snprintf(text, sizeof text, "Value must be between %d and %lld", 1, static_cast<long long>(width()));
        throw Error(text);
    }
    m_increment = increment;
    return setValue(m_value);
}

bool SliderRange::stepUp() { return setValue(roundHalfEven(m_value, m_increment) * m_increment + m_increment); }

bool SliderRange::stepDown() { return setValue(roundHalfEven(m_value, m_increment) * m_increment - m_increment); }

int SliderTrack::rulerLength(int innerLength) { return std::max(0, innerLength - 2 * kRulerInset); }

SliderTrack SliderTrack::of(int innerStart, int innerLength, int thumbLength)
{
    return {innerStart + kRulerInset, std::max(0, rulerLength(innerLength) - thumbLength)};
}

int SliderTrack::positionOf(const SliderRange& range, std::int64_t value) const
{
    return start + int(roundHalfEven(std::int64_t(length) * (value - range.minValue()), range.width()));
}

std::int64_t SliderTrack::valueAt(const SliderRange& range, int position, bool smooth) const
{
    std::int64_t steps = length > 0 ? roundHalfEven(std::int64_t(position - start) * range.width(), length) : 0;
    if (!smooth)
        steps = roundHalfEven(steps, range.increment()) * range.increment();
    steps = std::max<std::int64_t>(steps, 0);
    return std::min<std::int64_t>(range.minValue() + steps, range.maxValue());
}

std::vector<TickMark> tickMarks(const SliderRange& range, int trackLength)
{
    if (trackLength <= 0)
        return {};   // no room: every mark would fall on the same pixel
    const std::int64_t width = range.width();
    const std::int64_t increment = range.increment();
    std::int64_t k = 1;
    std::int64_t count = 0;
    double spacing = -1;
    // Bounded: once k passes the square root of width / increment, two neighbouring k
    // round to the same count and the spacing stops growing.
    for (;; ++k) {
        count = roundHalfEven(width, k * increment);
        const double next = count > 0 ? double(trackLength) / double(count) : std::numeric_limits<double>::infinity();
        const bool grew = next > spacing;
        spacing = next;
        if (spacing >= kMinTickSpacing || !grew || count <= 1)
            break;
    }
    std::vector<TickMark> marks;
    marks.reserve(std::size_t(count) + 1);
    for (std::int64_t i = 0; i < count; ++i)
        marks.push_back({std::int32_t(range.minValue() + i * k * increment), i == 0});
    marks.push_back({range.maxValue(), true});
    return marks;
}

} // namespace lirra
