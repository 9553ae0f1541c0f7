#include "appbar/AppBarState.h"

#include <vector>
#include <gtest/gtest.h>

using namespace varolin;

namespace {

AppBarState Sample() {
    AppBarState s;
    s.nEdge = kEdgeLeft;
    s.bAutoHide = 1;
    s.bAlwaysOnTop = 1;
    s.anDockSize[0] = 60;
    s.anDockSize[1] = 40;
    s.anDockSize[2] = 70;
    s.anDockSize[3] = 30;
    s.rcFloat = Rect{-10, 20, 310, 60};
    return s;
}

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

TEST(AppBarState, MergeCopiesAsManyBytesAsCbSizeSays) {
    AppBarState rec;
    rec.cbSize = 16;
    rec.nEdge = EDGE_FLOAT;
    rec.anDockSize[1] = 999;
    rec.rcFloat = Rect{1, 2, 3, 4};
    AppBarState expected = Sample();
    expected.nEdge = EDGE_FLOAT;
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
