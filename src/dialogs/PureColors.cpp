#include "dialogs/PureColors.h"

namespace varolin {

int PureColorIndex(std::uint32_t color) {
    for (std::size_t i = 0; i < kPureColors.size(); ++i)
        if (kPureColors[i] == color) return static_cast<int>(i);
    return -1;
}

std::uint32_t ColorFromSliders(int red, int green, int blue) {
    const auto byte = [](int value) { return static_cast<std::uint32_t>(value) & 0xFFu; };
    return byte(red) | (byte(green) << 8) | (byte(blue) << 16);
}

}  // namespace varolin
