#pragma once
// The sixteen pure colours offered as swatches on the colour page, and the colour that three
// red, green and blue sliders stand for. Portable.
#include <array>
#include <cstdint>

namespace varolin {

// COLORREF values (0x00BBGGRR); entry i is shown by swatch control 1100 + i.
inline constexpr std::array<std::uint32_t, 16> kPureColors = {
    0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00,
    0x808080, 0xC0C0C0, 0x000080, 0x008000, 0x800000, 0x008080, 0x800080, 0x808000,
};

// The index of the pure colour equal to `color` as a plain RGB value, or -1.
int PureColorIndex(std::uint32_t color);

// RGB of three slider positions, each cut to its low 8 bits.
std::uint32_t ColorFromSliders(int red, int green, int blue);

}  // namespace varolin
