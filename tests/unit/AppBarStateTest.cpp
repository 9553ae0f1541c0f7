#include "appbar/AppBarState.h"

#include <vector>
#include <gtest/gtest.h>

using namespace varolin;

namespace {

AppBarState Sample() { return AppBarState{48, Edge::Left, 1, 1, {60, 40, 70, 30}, Rect{-10, 20, 310, 60}}; }

}  // namespace

TEST(AppBarState, FortyEightLittleEndianBytesInFieldOrder) {
    const auto bytes = EncodeAppBarState(Sample());
    const std::vector<std::uint8_t> expected{
        48, 0, 0, 0,   0, 0, 0, 0,   1, 0, 0, 0,   1, 0, 0, 0,
        60, 0, 0, 0,   40, 0, 0, 0,  70, 0, 0, 0,  30, 0, 0, 0,
        0xF6, 0xFF, 0xFF, 0xFF,      20, 0, 0, 0,  0x36, 1, 0, 0,   60, 0, 0, 0};
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), expected);
    EXPECT_EQ(DecodeAppBarState(bytes), Sample());
}

// What a bar stored comes back byte for byte: a floating record (edge -2) and a docked one.
TEST(AppBarState, StoredRecordsDecodeAndEncodeBackUnchanged) {
    const std::array<std::uint8_t, 48> stored[] = {
        {48, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0, 0x3C, 0, 0, 0, 0x1A, 0, 0, 0,
         0x3C, 0, 0, 0, 0x1A, 0, 0, 0, 0x9C, 0xFF, 0xFF, 0xFF, 0x40, 1, 0, 0, 0xE8, 3, 0, 0, 0x5A, 1, 0, 0},
        {48, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0x3C, 0, 0, 0, 0x1A, 0, 0, 0,
         0x3C, 0, 0, 0, 0x20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x90, 1, 0, 0, 0x1E, 0, 0, 0}};
    EXPECT_EQ(DecodeAppBarState(stored[0]).nEdge, Edge::Float);
    EXPECT_EQ(DecodeAppBarState(stored[1]).nEdge, Edge::Bottom);
    for (const auto& bytes : stored) EXPECT_EQ(EncodeAppBarState(DecodeAppBarState(bytes)), bytes);
}

TEST(AppBarState, MergeCopiesAsManyBytesAsCbSizeSays) {
    AppBarState rec{16, Edge::Float, 0, 0, {0, 999, 0, 0}, Rect{1, 2, 3, 4}};
    AppBarState expected = Sample();
    expected.nEdge = Edge::Float;
    expected.bAutoHide = 0;
    expected.bAlwaysOnTop = 0;
    EXPECT_EQ(MergeAppBarState(Sample(), rec), expected);

    rec.cbSize = 4096;  // anything from 48 up replaces the whole record, and says 48
    AppBarState whole = rec;
    whole.cbSize = 48;
    EXPECT_EQ(MergeAppBarState(Sample(), rec), whole);

    rec.cbSize = 2;  // even a cut cbSize field ends as 48
    EXPECT_EQ(MergeAppBarState(Sample(), rec), Sample());
}
