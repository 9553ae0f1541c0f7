#pragma once
// Reading a dropped file list (the CF_HDROP block) without the system's parser: the block comes
// from another program and nothing but its size bounds it. Portable.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/AnsiCodePage.h"

namespace varolin {

// Size of the list's header: offset of the names, drop point, non-client flag, wide flag.
inline constexpr std::size_t kDropListHeaderBytes = 20;

// The dropped paths in drop order, each at its full length; nothing when the list is damaged:
// the header does not fit, the names start outside the block, or the NUL-ended names (UTF-16
// when the wide flag is set, else ANSI, converted through `ansi`) do not end with an empty name
// inside the block.
std::optional<std::vector<std::wstring>> ParseDropList(const std::uint8_t* block, std::size_t size,
                                                       const AnsiCodePage& ansi);

}  // namespace varolin
