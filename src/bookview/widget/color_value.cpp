#include "bookview/widget/color_value.h"

#include <QPalette>
#include <array>

namespace lirra {
namespace {

constexpr ColorValue kSystemColorFlag = 0x80000000u;

struct PaletteEntry {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Windows system colours 0..30 by their index, each on the palette role that plays the
// same part on a Qt desktop.
constexpr std::array<PaletteEntry, 31> kSystemColors{{
    {QPalette::Active, QPalette::Button},           //  0 scroll bar
    {QPalette::Active, QPalette::Dark},             //  1 desktop
    {QPalette::Active, QPalette::Highlight},        //  2 active caption
    {QPalette::Inactive, QPalette::Mid},            //  3 inactive caption
    {QPalette::Active, QPalette::Window},           //  4 menu
    {QPalette::Active, QPalette::Base},             //  5 window
    {QPalette::Active, QPalette::Shadow},           //  6 window frame
    {QPalette::Active, QPalette::WindowText},       //  7 menu text
    {QPalette::Active, QPalette::Text},             //  8 window text
    {QPalette::Active, QPalette::HighlightedText},  //  9 caption text
    {QPalette::Active, QPalette::Button},           // 10 active border
    {QPalette::Inactive, QPalette::Button},         // 11 inactive border
    {QPalette::Active, QPalette::Mid},              // 12 application workspace
    {QPalette::Active, QPalette::Highlight},        // 13 highlight
    {QPalette::Active, QPalette::HighlightedText},  // 14 highlight text
    {QPalette::Active, QPalette::Button},           // 15 button face
    {QPalette::Active, QPalette::Dark},             // 16 button shadow
    {QPalette::Disabled, QPalette::Text},           // 17 grey text
    {QPalette::Active, QPalette::ButtonText},       // 18 button text
    {QPalette::Disabled, QPalette::WindowText},     // 19 inactive caption text
    {QPalette::Active, QPalette::Light},            // 20 button highlight
    {QPalette::Active, QPalette::Shadow},           // 21 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},         // 22 3-D light
    {QPalette::Active, QPalette::ToolTipText},      // 23 info text
    {QPalette::Active, QPalette::ToolTipBase},      // 24 info background
    {QPalette::Active, QPalette::Window},           // 25 (unused by Windows)
    {QPalette::Active, QPalette::Link},             // 26 hot-tracked item
    {QPalette::Active, QPalette::Highlight},        // 27 active caption gradient
    {QPalette::Inactive, QPalette::Mid},            // 28 inactive caption gradient
    {QPalette::Active, QPalette::Highlight},        // 29 menu highlight
    {QPalette::Active, QPalette::Window},           // 30 menu bar
}};

} // namespace

bool isSystemColor(ColorValue value) { return (value & kSystemColorFlag) != 0; }

QColor colorFromValue(ColorValue value, const QPalette& palette)
{
    if (isSystemColor(value)) {
        // Like Windows, only the low byte names the system colour; unknown ones are black.
        const std::size_t index = value & 0xFFu;
        if (index >= kSystemColors.size())
            return QColor(Qt::black);
        const PaletteEntry& entry = kSystemColors[index];
        return palette.color(entry.group, entry.role);
    }
    return QColor(int(value & 0xFFu), int((value >> 8) & 0xFFu), int((value >> 16) & 0xFFu));
}

ColorValue valueFromColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return ColorValue(rgb.red()) | (ColorValue(rgb.green()) << 8) | (ColorValue(rgb.blue()) << 16);
}

} // namespace lirra
