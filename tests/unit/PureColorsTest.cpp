#include <gtest/gtest.h>

#include "dialogs/PureColors.h"

using varolin::ColorFromSliders;
using varolin::PureColorIndex;

TEST(PureColors, OnlyThePlainRgbValueOfAnEntryMatches) {
    EXPECT_EQ(PureColorIndex(0x0000FF), 2);  // red
    EXPECT_EQ(PureColorIndex(0x808000), 15);  // teal, the last entry
    EXPECT_EQ(PureColorIndex(0x0000FE), -1);
    EXPECT_EQ(PureColorIndex(0x010000FF), -1);  // a palette reference is not a plain colour
    EXPECT_EQ(PureColorIndex(0x02000000), -1);
}

TEST(PureColors, SliderPositionsAreCutToEightBits) {
    EXPECT_EQ(ColorFromSliders(255, 0, 0), 0x0000FFu);
    EXPECT_EQ(ColorFromSliders(0x12, 0x34, 0x56), 0x563412u);
    EXPECT_EQ(ColorFromSliders(0x1FF, -1, 256), 0x00FFFFu);
}
