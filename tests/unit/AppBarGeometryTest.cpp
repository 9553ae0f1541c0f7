#include "appbar/AppBarGeometry.h"

#include <climits>
#include <gtest/gtest.h>

using namespace varolin;

namespace {

// 1024 x 768, 16-pixel scroll bars, 1-pixel borders, 4-pixel double-click rectangle.
ScreenMetrics Screen() {
    ScreenMetrics m;
    m.cxScreen = 1024;
    m.cyScreen = 768;
    m.cxVScroll = m.cyHScroll = 16;
    m.cxBorder = m.cyBorder = 1;
    m.cxDoubleClk = m.cyDoubleClk = 4;
    return m;
}

const Rect kWholeScreen{0, 0, 1024, 768};
constexpr unsigned kAll = BAR_ALLOW_LEFTRIGHT | BAR_ALLOW_TOPBOTTOM | BAR_ALLOW_FLOAT;
constexpr unsigned kDockOnly = BAR_ALLOW_LEFTRIGHT | BAR_ALLOW_TOPBOTTOM;

int Edge(unsigned options, int x, int y, const Rect& work = kWholeScreen) {
    return EdgeFromPoint(options, Point{x, y}, Screen(), work);
}

}  // namespace

TEST(EdgeFromPoint, FloatsInsideTheWorkAreaAndDocksNearItsSides) {
    EXPECT_EQ(Edge(kAll, 1010, 400), kEdgeRight);  // within 16 pixels of the right side
    EXPECT_EQ(Edge(kAll, 900, 400), EDGE_FLOAT);
    EXPECT_EQ(Edge(kAll, 512, 10), kEdgeTop);
    // 374 * 1024 = 382976 is not greater than 502 * 768 = 385536.
    EXPECT_EQ(Edge(kAll, 10, 10), kEdgeLeft);
    EXPECT_EQ(Edge(kAll, 10, 757), kEdgeLeft);
    EXPECT_EQ(Edge(kAll, 300, 760), kEdgeBottom);
    EXPECT_EQ(Edge(kAll, 16, 16), EDGE_FLOAT);     // first pixel inside the shrunk area
    EXPECT_EQ(Edge(kAll, 15, 400), kEdgeLeft);
    // A taskbar at the bottom moves the floating area's lower side with the work area.
    EXPECT_EQ(Edge(kAll, 500, 725, Rect{0, 0, 1024, 738}), kEdgeBottom);
}

TEST(EdgeFromPoint, CentreAndRestrictedCapabilities) {
    EXPECT_EQ(Edge(kAll, 512, 384), EDGE_FLOAT);
    EXPECT_EQ(Edge(kDockOnly, 512, 384), kEdgeRight);  // dx = 0 counts as right; ties go sideways
    EXPECT_EQ(Edge(kDockOnly, 511, 384), kEdgeLeft);
    // Nearer the left side, but only top and bottom allowed.
    EXPECT_EQ(Edge(BAR_ALLOW_TOPBOTTOM, 10, 300), kEdgeTop);
    EXPECT_EQ(Edge(BAR_ALLOW_TOPBOTTOM, 10, 500), kEdgeBottom);
    // Nearer the top, but only left and right allowed.
    EXPECT_EQ(Edge(BAR_ALLOW_LEFTRIGHT, 600, 2), kEdgeRight);
    // May float but dock nowhere: floats everywhere.
    EXPECT_EQ(Edge(BAR_ALLOW_FLOAT, 0, 0), EDGE_FLOAT);
    // Dock nowhere, float not allowed either: left or right.
    EXPECT_EQ(Edge(0, 512, 0), kEdgeRight);
}

TEST(EdgeFromPoint, CtrlFloatsOnlyABarThatMayFloat) {
    for (Point pt : {Point{1010, 400}, Point{512, 10}, Point{0, 767}}) {
        EXPECT_EQ(ProposedEdge(kAll, pt, true, Screen(), kWholeScreen), EDGE_FLOAT);
    }
    EXPECT_EQ(ProposedEdge(kDockOnly, Point{512, 10}, true, Screen(), kWholeScreen), kEdgeTop);
    EXPECT_EQ(ProposedEdge(kAll, Point{512, 10}, false, Screen(), kWholeScreen), kEdgeTop);
}

TEST(DockStrip, KeepsTheBarsThicknessAtEachEdgeOfTheArea) {
    const Rect area{0, 40, 1024, 738};
    EXPECT_EQ(DockStrip(kEdgeLeft, area, 60, Screen()), (Rect{0, 40, 60, 738}));
    EXPECT_EQ(DockStrip(kEdgeTop, area, 30, Screen()), (Rect{0, 40, 1024, 70}));
    EXPECT_EQ(DockStrip(kEdgeRight, area, 60, Screen()), (Rect{964, 40, 1024, 738}));
    EXPECT_EQ(DockStrip(kEdgeBottom, area, 30, Screen()), (Rect{0, 708, 1024, 738}));
    // Damaged stored sizes: never thicker than the screen, never inside out.
    EXPECT_EQ(DockStrip(kEdgeBottom, area, INT_MIN, Screen()), (Rect{0, 738, 1024, 738}));
    EXPECT_EQ(DockStrip(kEdgeLeft, area, INT_MAX, Screen()), (Rect{0, 40, 1024, 738}));
}

TEST(DockStrip, FloatingRectangleCentredUnderTheCursor) {
    EXPECT_EQ(FloatRectAtCursor(Rect{100, 100, 301, 150}, Point{500, 20}), (Rect{400, 20, 601, 70}));
    // A damaged stored rectangle does not overflow.
    const Rect r = FloatRectAtCursor(Rect{INT_MIN, 0, INT_MAX, 10}, Point{0, 0});
    EXPECT_LE(r.left, r.right);
}

TEST(RoundSizeToSteps, RoundsTheClientSizeAndKeepsTheOppositeSide) {
    // Steps of 10 with an 8-pixel frame: client 115 rounds to 120, client 114 to 110.
    EXPECT_EQ(RoundSizeToSteps(Rect{100, 50, 223, 90}, kSizeRight, 8, 8, 10, 10), (Rect{100, 50, 228, 90}));
    EXPECT_EQ(RoundSizeToSteps(Rect{100, 50, 222, 90}, kSizeRight, 8, 8, 10, 10), (Rect{100, 50, 218, 90}));
    EXPECT_EQ(RoundSizeToSteps(Rect{100, 50, 223, 90}, kSizeLeft, 8, 8, 10, 10), (Rect{95, 50, 223, 90}));
    // A corner rounds both sizes; one side changes only its own dimension.
    EXPECT_EQ(RoundSizeToSteps(Rect{0, 0, 123, 122}, kSizeTopLeft, 8, 8, 10, 10), (Rect{-5, 4, 123, 122}));
    EXPECT_EQ(RoundSizeToSteps(Rect{0, 0, 123, 122}, kSizeBottom, 8, 8, 10, 10), (Rect{0, 0, 123, 118}));
    EXPECT_EQ(RoundSizeToSteps(Rect{0, 0, 123, 122}, 0, 8, 8, 10, 10), (Rect{0, 0, 123, 122}));
    // A client smaller than half a step rounds toward zero, leaving just the frame.
    EXPECT_EQ(RoundSizeToSteps(Rect{0, 0, 12, 20}, kSizeRight, 8, 8, 10, 10), (Rect{0, 0, 8, 20}));
}

TEST(RoundSizeToSteps, AStepBelowOneLeavesThatDimensionUnrounded) {
    EXPECT_EQ(RoundSizeToSteps(Rect{0, 0, 123, 122}, kSizeBottomRight, 8, 8, 0, 10), (Rect{0, 0, 123, 118}));
    EXPECT_EQ(RoundSizeToSteps(Rect{0, 0, 123, 122}, kSizeBottomRight, 8, 8, 10, -3), (Rect{0, 0, 128, 122}));
}

TEST(BarHitTest, ADockedBarSizesOnlyFromTheSideFacingTheCentre) {
    const Rect client{4, 4, 1020, 36};  // top bar (0, 0, 1024, 40) with a 4-pixel frame
    EXPECT_EQ(BarHitTest(kEdgeTop, kHitBottom, false, 1, 1, client, Point{500, 38}), kHitBottom);
    EXPECT_EQ(BarHitTest(kEdgeTop, kHitBottomRight, false, 1, 1, client, Point{1022, 38}), kHitBottom);
    EXPECT_EQ(BarHitTest(kEdgeTop, kHitTop, false, 1, 1, client, Point{500, 1}), kHitBorder);
    EXPECT_EQ(BarHitTest(kEdgeTop, kHitLeft, false, 1, 1, client, Point{1, 20}), kHitBorder);
    EXPECT_EQ(BarHitTest(kEdgeTop, kHitBottom, false, 1, 0, client, Point{500, 38}), kHitBorder);
    // The step across the edge decides: a zero horizontal step does not stop a top bar.
    EXPECT_EQ(BarHitTest(kEdgeTop, kHitBottom, false, 0, 1, client, Point{500, 38}), kHitBottom);

    const Rect side{4, 4, 56, 764};
    EXPECT_EQ(BarHitTest(kEdgeLeft, kHitRight, false, 1, 1, side, Point{58, 300}), kHitRight);
    EXPECT_EQ(BarHitTest(kEdgeRight, kHitLeft, false, 1, 1, side, Point{2, 300}), kHitLeft);
    EXPECT_EQ(BarHitTest(kEdgeRight, kHitRight, false, 1, 1, side, Point{58, 300}), kHitBorder);
    EXPECT_EQ(BarHitTest(kEdgeBottom, kHitTop, false, 1, 1, side, Point{30, 2}), kHitTop);
}

TEST(BarHitTest, ClientAreaDragsTheBarAndAFloatingBarKeepsItsBorders) {
    const Rect client{4, 4, 196, 36};
    EXPECT_EQ(BarHitTest(kEdgeTop, kHitClient, true, 1, 1, client, Point{50, 20}), kHitCaption);
    EXPECT_EQ(BarHitTest(kEdgeTop, kHitClient, false, 1, 1, client, Point{50, 20}), kHitClient);
    EXPECT_EQ(BarHitTest(EDGE_FLOAT, kHitClient, true, 1, 1, client, Point{50, 20}), kHitCaption);
    EXPECT_EQ(BarHitTest(EDGE_FLOAT, kHitTop, false, 0, 0, client, Point{50, 1}), kHitTop);
    EXPECT_EQ(BarHitTest(EDGE_NONE, kHitLeft, false, 0, 0, client, Point{1, 20}), kHitLeft);
}

TEST(AutoHideRect, HiddenBarsKeepTwoBordersOnTheScreen) {
    Rect left{0, 0, 60, 768};
    ASSERT_TRUE(AutoHideRect(kEdgeLeft, false, left, Screen()));
    EXPECT_EQ(left, (Rect{-58, 0, 2, 768}));
    ASSERT_TRUE(AutoHideRect(kEdgeLeft, true, left, Screen()));
    EXPECT_EQ(left, (Rect{0, 0, 60, 768}));

    Rect bottom{0, 738, 1024, 768};
    ASSERT_TRUE(AutoHideRect(kEdgeBottom, false, bottom, Screen()));
    EXPECT_EQ(bottom, (Rect{0, 766, 1024, 796}));
    ASSERT_TRUE(AutoHideRect(kEdgeBottom, true, bottom, Screen()));
    EXPECT_EQ(bottom, (Rect{0, 738, 1024, 768}));

    Rect right{964, 0, 1024, 768};
    ASSERT_TRUE(AutoHideRect(kEdgeRight, false, right, Screen()));
    EXPECT_EQ(right, (Rect{1022, 0, 1082, 768}));
    Rect top{0, 0, 1024, 30};
    ASSERT_TRUE(AutoHideRect(kEdgeTop, false, top, Screen()));
    EXPECT_EQ(top, (Rect{0, -28, 1024, 2}));

    Rect floating{10, 10, 200, 40};
    EXPECT_FALSE(AutoHideRect(EDGE_FLOAT, false, floating, Screen()));
    EXPECT_EQ(floating, (Rect{10, 10, 200, 40}));
}

TEST(Slide, FramesFollowTheElapsedTimeLinearly) {
    const Rect hidden{-58, 0, 2, 768};
    const Rect shown{0, 0, 60, 768};
    EXPECT_EQ(SlideFrame(hidden, shown, 0), hidden);
    EXPECT_EQ(SlideFrame(hidden, shown, 200), (Rect{-29, 0, 31, 768}));
    // -58 * 100 / 400 = -14.5 truncates toward zero, in both directions.
    EXPECT_EQ(SlideFrame(hidden, shown, 100), (Rect{-44, 0, 16, 768}));
    EXPECT_EQ(SlideFrame(shown, hidden, 100), (Rect{-14, 0, 46, 768}));
    // Size changes too (a drag from the top strip to the left strip).
    EXPECT_EQ(SlideFrame(Rect{0, 0, 1024, 40}, Rect{0, 0, 60, 768}, 300), (Rect{0, 0, 301, 586}));
    EXPECT_EQ(SlideFrame(hidden, shown, 400), shown);
    EXPECT_EQ(SlideFrame(hidden, shown, 5000), shown);  // never past the target
}

TEST(Slide, FramesAreDueForFourHundredMillisecondsAndNeverAcrossTheWrap) {
    EXPECT_TRUE(SlideFrameDue(1000, 1000));
    EXPECT_TRUE(SlideFrameDue(1000, 1399));
    EXPECT_FALSE(SlideFrameDue(1000, 1400));
    EXPECT_FALSE(SlideFrameDue(1000, 9000));
    // A start within 400 ms of the wrap: its end wraps too, so no frame is drawn.
    EXPECT_FALSE(SlideFrameDue(0xFFFFFF00u, 0xFFFFFF01u));
    EXPECT_FALSE(SlideFrameDue(0xFFFFFE70u, 0xFFFFFE70u));  // the end is exactly the wrap
    EXPECT_TRUE(SlideFrameDue(0xFFFFFE6Fu, 0xFFFFFE6Fu));
    // A start just outside that range whose next read has already wrapped: the slide ends
    // instead of running until the counter comes round again.
    EXPECT_FALSE(SlideFrameDue(0xFFFFFE00u, 0x00000010u));
}

TEST(TimerHidesBar, MarginOfTwiceTheDoubleClickRectangle) {
    const Rect bar{0, 0, 60, 768};
    EXPECT_FALSE(TimerHidesBar(false, bar, Point{64, 300}, Screen()));  // 5 pixels out
    EXPECT_FALSE(TimerHidesBar(false, bar, Point{67, 300}, Screen()));  // 8 pixels out
    EXPECT_TRUE(TimerHidesBar(false, bar, Point{68, 300}, Screen()));   // 9 pixels out
    EXPECT_TRUE(TimerHidesBar(false, bar, Point{30, 776}, Screen()));
    EXPECT_FALSE(TimerHidesBar(false, bar, Point{-8, -8}, Screen()));
    EXPECT_FALSE(TimerHidesBar(true, bar, Point{900, 300}, Screen()));  // active: never
}
