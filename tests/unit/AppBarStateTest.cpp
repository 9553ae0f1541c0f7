#include "appbar/AppBarState.h"
#include "appbar/Dpi.h"

#include <gtest/gtest.h>

using namespace varolin;

namespace {

AppBarState Sample() { return AppBarState{48, Edge::Left, 1, 1, {60, 40, 70, 30}, Rect{-10, 20, 310, 60}}; }

}  // namespace

// Forty-eight little-endian bytes in field order. What a bar stored comes back byte for byte,
// floating (edge -2) or docked.
TEST(AppBarState, StoredRecordsDecodeAndEncodeBackUnchanged) {
    const std::pair<std::array<std::uint8_t, 48>, AppBarState> records[] = {
        {{48, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 60, 0, 0, 0, 40, 0, 0, 0,
          70, 0, 0, 0, 30, 0, 0, 0, 0xF6, 0xFF, 0xFF, 0xFF, 20, 0, 0, 0, 0x36, 1, 0, 0, 60, 0, 0, 0},
         Sample()},
        {{48, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0, 0x3C, 0, 0, 0, 0x1A, 0, 0, 0,
          0x3C, 0, 0, 0, 0x1A, 0, 0, 0, 0x9C, 0xFF, 0xFF, 0xFF, 0x40, 1, 0, 0, 0xE8, 3, 0, 0, 0x5A, 1, 0, 0},
         AppBarState{48, Edge::Float, 0, 1, {60, 26, 60, 26}, Rect{-100, 320, 1000, 346}}}};
    for (const auto& [bytes, state] : records) {
        EXPECT_EQ(DecodeAppBarState(bytes), state);
        EXPECT_EQ(EncodeAppBarState(state), bytes);
    }
}

TEST(AppBarState, MergeCopiesAsManyBytesAsCbSizeSays) {
    AppBarState rec{16, Edge::Float, 0, 0, {0, 999, 0, 0}, Rect{1, 2, 3, 4}};
    const AppBarState expected{48, Edge::Float, 0, 0, {60, 40, 70, 30}, Rect{-10, 20, 310, 60}};
    EXPECT_EQ(MergeAppBarState(Sample(), rec), expected);

    rec.cbSize = 4096;  // anything from 48 up replaces the whole record, and says 48
    EXPECT_EQ(MergeAppBarState(Sample(), rec), (AppBarState{48, Edge::Float, 0, 0, {0, 999, 0, 0}, Rect{1, 2, 3, 4}}));

    rec.cbSize = 2;  // even a cut cbSize field ends as 48
    EXPECT_EQ(MergeAppBarState(Sample(), rec), Sample());
}

// Sizes change with the DPI, positions do not; rounding is MulDiv's, halves away from zero.
TEST(AppBarState, ConvertingToAnotherDpiScalesDockSizesAndTheFloatingSizeOnly) {
    EXPECT_EQ(ConvertDpi(25, 96, 144), 38);
    EXPECT_EQ(ConvertDpi(-15, 96, 144), -23);
    EXPECT_EQ(ConvertDpi(7, 0, 144), 7);
    const AppBarState at144 = ConvertAppBarStateDpi(Sample(), 96, 144);
    EXPECT_EQ(at144, (AppBarState{48, Edge::Left, 1, 1, {90, 60, 105, 45}, Rect{-10, 20, 470, 80}}));
    EXPECT_EQ(ConvertAppBarStateDpi(at144, 144, 96), Sample());
    // At the same DPI a damaged record, whose width does not fit an int, stays as it was.
    const AppBarState damaged{48, Edge::Float, 0, 0, {}, Rect{0x6000004D, 0x78000060, -0x70707071, 0x008F8F8F}};
    EXPECT_EQ(ConvertAppBarStateDpi(damaged, 96, 96), damaged);
    EXPECT_EQ(ConvertAppBarStateDpi(damaged, 0, 144), damaged);
}
