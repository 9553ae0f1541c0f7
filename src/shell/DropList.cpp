#include "shell/DropList.h"

namespace varolin {

namespace {
std::uint32_t ReadU32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}
}  // namespace

bool DropListIsWellFormed(const std::uint8_t* block, std::size_t size) {
    if (!block || size < kDropListHeaderBytes) return false;
    const std::size_t names = ReadU32(block);
    const bool wide = ReadU32(block + 16) != 0;
    if (names < kDropListHeaderBytes || names >= size) return false;
    const std::size_t unit = wide ? 2 : 1;
    bool previousEnded = true;  // an empty first name is an empty list
    for (std::size_t at = names; at + unit <= size; at += unit) {
        const bool nul = block[at] == 0 && (unit == 1 || block[at + 1] == 0);
        if (nul && previousEnded) return true;
        previousEnded = nul;
    }
    return false;
}

}  // namespace varolin
