#pragma once
// The bar's persistent docking record: 48 bytes, every field 32-bit little-endian, stored whole
// as the "AppBarState" registry value.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "appbar/AppBarGeometry.h"

namespace varolin {

inline constexpr std::size_t kAppBarStateSize = 48;

struct AppBarState {
    std::uint32_t cbSize = kAppBarStateSize;
    std::int32_t nEdge = kEdgeBottom;     // a screen edge or EDGE_FLOAT
    std::int32_t bAutoHide = 0;
    std::int32_t bAlwaysOnTop = 0;
    std::int32_t anDockSize[4] = {};      // outer thickness across each edge (left, top, right, bottom)
    Rect rcFloat{};                       // window rectangle while floating

    bool operator==(const AppBarState&) const = default;
};

std::array<std::uint8_t, kAppBarStateSize> EncodeAppBarState(const AppBarState& state);

// Lays `bytes` over the encoding of `base` and decodes the result: a record shorter than 48
// bytes replaces only the fields it covers, bytes beyond 48 are ignored.
AppBarState OverlayAppBarState(const AppBarState& base, std::span<const std::uint8_t> bytes);

// What the bar's SetState makes of its current record and a given one: the first
// min(rec.cbSize, 48) bytes of `rec` replace those of `current`, and cbSize becomes 48.
AppBarState MergeAppBarState(const AppBarState& current, const AppBarState& rec);

}  // namespace varolin
