#pragma once
// The bar's persistent docking record: 48 bytes, every field 32-bit little-endian, stored whole
// as the "AppBarState" registry value.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "appbar/AppBarGeometry.h"

namespace varolin {

struct AppBarState {
    static constexpr std::size_t kSize = 48;

    std::uint32_t cbSize = kSize;
    Edge nEdge = Edge::Bottom;            // a screen edge or Edge::Float, stored as its int32 value
    std::int32_t bAutoHide = 0;
    std::int32_t bAlwaysOnTop = 0;
    std::int32_t anDockSize[4] = {};      // outer thickness across each edge (left, top, right, bottom)
    Rect rcFloat{};                       // window rectangle while floating

    bool operator==(const AppBarState&) const = default;
};

std::array<std::uint8_t, AppBarState::kSize> EncodeAppBarState(const AppBarState& state);
AppBarState DecodeAppBarState(std::span<const std::uint8_t, AppBarState::kSize> bytes);

// What the bar's SetState makes of its current record and a given one: the first
// min(rec.cbSize, 48) bytes of `rec` replace those of `current`, and cbSize becomes 48.
AppBarState MergeAppBarState(const AppBarState& current, const AppBarState& rec);

// The record's sizes, taken at `fromDpi`, at `toDpi`: the four dock sizes and the floating
// rectangle's width and height. The floating position stays where it was.
AppBarState ConvertAppBarStateDpi(const AppBarState& state, int fromDpi, int toDpi);

}  // namespace varolin
