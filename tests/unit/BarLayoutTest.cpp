#include "bar/BarLayout.h"

#include <gtest/gtest.h>

using namespace varolin;

TEST(BarLayout, SideEdgesStackAndOtherEdgesLineUp) {
    const BarLayout side = LayOutBar(true, 60, 500, 40, 20);
    EXPECT_EQ(side.label, (BarRect{0, 0, 60, 20}));
    EXPECT_EQ(side.spin, (BarRect{0, 22, 60, 20}));
    EXPECT_EQ(side.pages, (BarRect{0, 44, 60, 456}));
    const BarLayout row = LayOutBar(false, 800, 24, 40, 20);
    EXPECT_EQ(row.label, (BarRect{0, 0, 40, 24}));
    EXPECT_EQ(row.spin, (BarRect{42, 0, 40, 24}));
    EXPECT_EQ(row.pages, (BarRect{84, 0, 716, 24}));
    // At 150% the gaps are 3 pixels.
    EXPECT_EQ(LayOutBar(true, 90, 750, 60, 30, 3).pages, (BarRect{0, 66, 90, 684}));
}

TEST(BarLayout, PagesWrapBothWays) {
    EXPECT_EQ(StepPage(2, 1, 3), 0);
    EXPECT_EQ(StepPage(0, -1, 3), 2);
    EXPECT_EQ(StepPage(0, 5, 3), 2);  // only +1 counts as forward
    EXPECT_EQ(StepPage(7, 1, 3), 0);  // a stored index beyond the count wraps to the first page
}

TEST(BarLayout, LabelTextAndTrackingLimits) {
    EXPECT_EQ(PageLabelText(1, 5, false), L"2 / 5");
    EXPECT_EQ(PageLabelText(1, 5, true), L"2");
    const TrackLimits floating = BarTrackLimits(Edge::Float, 1024, 768, 4, 4, 30);
    EXPECT_EQ(floating.minWidth, 200);
    EXPECT_EQ(floating.minHeight, 52);
    const TrackLimits top = BarTrackLimits(Edge::Top, 1024, 768, 4, 4, 30);
    EXPECT_EQ(top.minHeight, 28);
    EXPECT_EQ(top.maxHeight, 384);
    const TrackLimits left = BarTrackLimits(Edge::Left, 1023, 768, 3, 4, 30);
    EXPECT_EQ(left.minWidth, 26);
    EXPECT_EQ(left.maxWidth, 511);
    const TrackLimits at144 = BarTrackLimits(Edge::Float, 1024, 768, 6, 6, 45, 144);
    EXPECT_EQ(at144.minWidth, 300);
    EXPECT_EQ(at144.minHeight, 78);
}
