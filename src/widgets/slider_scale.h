#pragma once

// The arithmetic of the value slider: the value rules (range, increment, clamping,
// steps), where the thumb stands for a value and which value a thumb position means,
// and where the tick marks go. Positions are pixels along the slider's axis, growing
// towards larger values. No painting here.

#include <cstdint>
#include <vector>

namespace lirra {

class SliderRange {
public:
    std::int32_t minValue() const { return m_min; }
    std::int32_t maxValue() const { return m_max; }
    std::int32_t increment() const { return m_increment; }
    std::int32_t value() const { return m_value; }
    std::int64_t width() const { return std::int64_t(m_max) - m_min; }

    // Each setter returns whether the value changed (the slider then raises OnChange).
    bool setValue(std::int64_t value);   // clamped into the range
    // A range whose maximum is not above its minimum is ignored; an increment wider
    // than the new range shrinks to it; then the value is clamped again.
    bool setMinValue(std::int32_t value);
    bool setMaxValue(std::int32_t value);
    // Raises lirra::Error "Value must be between 1 and <width>" outside that span.
    bool setIncrement(std::int32_t increment);
    // Onto the increment's grid, then one increment up or down.
    bool stepUp();
    bool stepDown();

private:
    bool setRange(std::int32_t min, std::int32_t max);

    std::int32_t m_min = 0;
    std::int32_t m_max = 100;
    std::int32_t m_increment = 10;
    std::int32_t m_value = 0;
};

// The thumb's leading edge moves over [start, start + length].
struct SliderTrack {
    int start = 0;
    int length = 0;

    // The ruler runs from 6 pixels inside the inner area to 6 pixels before its end; the
    // track is the ruler less one thumb picture.
    static int rulerLength(int innerLength);
    static SliderTrack of(int innerStart, int innerLength, int thumbLength);

    int positionOf(const SliderRange& range, std::int64_t value) const;
    // The value a thumb at `position` means; `smooth` off snaps to the increment's grid.
    std::int64_t valueAt(const SliderRange& range, int position, bool smooth) const;
};

struct TickMark {
    std::int32_t value;
    bool end;   // the marks at the range's ends are longer
};

// Marks every k increments, k the smallest that spaces them 4 pixels apart over the
// track (or after which the spacing grows no more), the last one at the maximum.
std::vector<TickMark> tickMarks(const SliderRange& range, int trackLength);

} // namespace lirra
