#pragma once
// Checks on a dropped file list (the CF_HDROP block) before the system's parser reads it: the
// block comes from another program and nothing else bounds it. Portable.
#include <cstddef>
#include <cstdint>

namespace varolin {

// Size of the list's header: offset of the names, drop point, non-client flag, wide flag.
inline constexpr std::size_t kDropListHeaderBytes = 20;

// True when the header fits, the names start inside the block, and the list of NUL-ended
// names (UTF-16 when the wide flag is set, else ANSI) ends with an empty name inside it.
bool DropListIsWellFormed(const std::uint8_t* block, std::size_t size);

}  // namespace varolin
