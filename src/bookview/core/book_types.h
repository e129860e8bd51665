#pragma once

// Small value types shared by the book document (toolkit-free) and the book view widget.

#include <cstdint>

namespace lirra {

// 32-bit colour value: 00BBGGRR for an RGB colour, 80000000 + n for system colour n.
using ColorValue = std::uint32_t;

// Virtual keys the program delivers to the view as if typed (synthetic key).
enum class VirtualKey { Up, Down, Next, Home };

// Steps of the scroll operation; the numbers are those of the Windows scroll message.
enum class ScrollStep { LineUp = 0, LineDown = 1, PageDown = 3 };

struct FindOptions {
    bool matchCase = false;
    bool wholeWord = false;
};

} // namespace lirra
