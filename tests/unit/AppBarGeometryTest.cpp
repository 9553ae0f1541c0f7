#include "appbar/AppBarGeometry.h"
#include "appbar/Monitors.h"

#include <climits>
#include <gtest/gtest.h>

using namespace varolin;

namespace {

// 16-pixel scroll bars, 1-pixel borders, 4-pixel double-click rectangle; a 1024 x 768 screen.
const ScreenMetrics kScreen{16, 16, 1, 1, 4, 4};
const Rect kWholeScreen{0, 0, 1024, 768};
constexpr unsigned kDockOnly = BAR_ALLOW_LEFTRIGHT | BAR_ALLOW_TOPBOTTOM;
constexpr unsigned kAll = kDockOnly | BAR_ALLOW_FLOAT;

Edge Propose(unsigned options, int x, int y, bool ctrl = false) {
    return ProposedEdge(options, Point{x, y}, ctrl, kScreen, kWholeScreen, kWholeScreen);
}

}  // namespace

TEST(EdgeFromPoint, FloatsInsideTheWorkAreaAndDocksByTheScreensProportions) {
    EXPECT_EQ(Propose(kAll, 1010, 400), Edge::Right);  // within 16 pixels of the right side
    EXPECT_EQ(Propose(kAll, 900, 400), Edge::Float);
    EXPECT_EQ(Propose(kAll, 512, 10), Edge::Top);
    EXPECT_EQ(Propose(kAll, 10, 10), Edge::Left);  // 374 * 1024 is not greater than 502 * 768
    EXPECT_EQ(Propose(kAll, 300, 760), Edge::Bottom);
    EXPECT_EQ(Propose(kAll, 512, 384), Edge::Float);
    EXPECT_EQ(Propose(kDockOnly, 512, 384), Edge::Right);  // dx = 0 counts as right
    // The floating area follows the work area, not the screen.
    EXPECT_EQ(EdgeFromPoint(kAll, Point{500, 725}, kScreen, kWholeScreen, Rect{0, 0, 1024, 738}), Edge::Bottom);
    // Ctrl floats a bar anywhere, if it may float at all.
    EXPECT_EQ(Propose(kAll, 1010, 400, true), Edge::Float);
    EXPECT_EQ(Propose(kDockOnly, 512, 10, true), Edge::Top);
    // Only allowed edges are proposed.
    EXPECT_EQ(Propose(BAR_ALLOW_TOPBOTTOM, 10, 300), Edge::Top);
    EXPECT_EQ(Propose(BAR_ALLOW_TOPBOTTOM, 10, 500), Edge::Bottom);
    EXPECT_EQ(Propose(BAR_ALLOW_LEFTRIGHT, 600, 2), Edge::Right);
    EXPECT_EQ(Propose(BAR_ALLOW_FLOAT, 0, 0), Edge::Float);
}

TEST(RoundSizeToSteps, ClientRoundsToTheNearestStepKeepingTheOppositeSide) {
    // Steps of 10 with an 8-pixel frame: client 115 rounds to 120, client 114 to 110.
    EXPECT_EQ(RoundSizeToSteps(Rect{100, 50, 223, 90}, kSizeRight, 8, 8, 10, 10), (Rect{100, 50, 228, 90}));
    EXPECT_EQ(RoundSizeToSteps(Rect{100, 50, 222, 90}, kSizeRight, 8, 8, 10, 10), (Rect{100, 50, 218, 90}));
    EXPECT_EQ(RoundSizeToSteps(Rect{0, 0, 123, 122}, kSizeTopLeft, 8, 8, 10, 10), (Rect{-5, 4, 123, 122}));
    EXPECT_EQ(RoundSizeToSteps(Rect{0, 0, 123, 122}, 0, 8, 8, 10, 10), (Rect{0, 0, 123, 122}));
    // A step below 1 would divide by zero: that dimension stays as proposed.
    EXPECT_EQ(RoundSizeToSteps(Rect{0, 0, 123, 122}, kSizeBottomRight, 8, 8, 0, 10), (Rect{0, 0, 123, 118}));
}

TEST(BarHitTest, DockedBarSizesOnlyFromTheSideFacingTheCentre) {
    const Rect client{4, 4, 1020, 36};  // a top bar (0, 0, 1024, 40)
    EXPECT_EQ(BarHitTest(Edge::Top, kHitBottomRight, false, 1, 1, client, Point{1022, 38}), kHitBottom);
    EXPECT_EQ(BarHitTest(Edge::Top, kHitTop, false, 1, 1, client, Point{500, 1}), kHitBorder);
    EXPECT_EQ(BarHitTest(Edge::Top, kHitBottom, false, 1, 0, client, Point{500, 38}), kHitBorder);
    EXPECT_EQ(BarHitTest(Edge::Right, kHitLeft, false, 1, 1, Rect{968, 4, 1020, 764}, Point{966, 9}), kHitLeft);
    EXPECT_EQ(BarHitTest(Edge::Top, kHitClient, true, 1, 1, client, Point{50, 20}), kHitCaption);
    EXPECT_EQ(BarHitTest(Edge::Float, kHitTop, false, 0, 0, client, Point{50, 1}), kHitTop);
}

TEST(AutoHideTimer, HidesOutsideTwiceTheDoubleClickMarginAndNeverWhileActive) {
    const Rect bar{0, 0, 60, 768};
    EXPECT_FALSE(TimerHidesBar(false, bar, Point{64, 300}, kScreen));  // 5 pixels out
    EXPECT_TRUE(TimerHidesBar(false, bar, Point{68, 300}, kScreen));   // 9 pixels out
    EXPECT_TRUE(TimerHidesBar(false, bar, Point{30, 776}, kScreen));
    EXPECT_FALSE(TimerHidesBar(true, bar, Point{900, 300}, kScreen));
}

TEST(Slide, FramesFollowTheElapsedTimeAndNeverCrossTheTickWrap) {
    const Rect hidden{-58, 0, 2, 768};
    const Rect shown{0, 0, 60, 768};
    // -58 * 100 / 400 = -14.5 truncates toward zero.
    EXPECT_EQ(SlideFrame(hidden, shown, 100), (Rect{-44, 0, 16, 768}));
    EXPECT_EQ(SlideFrame(Rect{0, 0, 1024, 40}, Rect{0, 0, 60, 768}, 300), (Rect{0, 0, 301, 586}));
    EXPECT_EQ(SlideFrame(hidden, shown, 5000), shown);

    EXPECT_TRUE(SlideFrameDue(1000, 1399));
    EXPECT_FALSE(SlideFrameDue(1000, 1400));
    // A start within 400 ms of the wrap: its end wraps too, no frame is drawn.
    EXPECT_FALSE(SlideFrameDue(0xFFFFFE70u, 0xFFFFFE70u));
    EXPECT_TRUE(SlideFrameDue(0xFFFFFE6Fu, 0xFFFFFE6Fu));
    // A read that has already wrapped ends the slide instead of running it for 49 days.
    EXPECT_FALSE(SlideFrameDue(0xFFFFFE00u, 0x00000010u));
}

// Strips and hidden bars of the primary and of a second monitor left of and above it, whose
// edges are its own, in negative coordinates.
TEST(DockStripAndAutoHide, FollowTheMonitorsRectangleAndDamagedSizesStayWithinIt) {
    EXPECT_EQ(DockStrip(Edge::Bottom, Rect{0, 40, 1024, 738}, INT_MIN, kWholeScreen), (Rect{0, 738, 1024, 738}));
    EXPECT_EQ(DockStrip(Edge::Left, Rect{0, 40, 1024, 738}, INT_MAX, kWholeScreen), (Rect{0, 40, 1024, 738}));
    auto placed = [](Edge edge, bool shown, Rect rc, const Rect& screen) {
        return AutoHideRect(edge, shown, rc, screen, kScreen) ? rc : Rect{};
    };
    EXPECT_EQ(placed(Edge::Left, false, Rect{0, 0, 60, 768}, kWholeScreen), (Rect{-58, 0, 2, 768}));
    EXPECT_EQ(placed(Edge::Left, true, Rect{-58, 0, 2, 768}, kWholeScreen), (Rect{0, 0, 60, 768}));
    EXPECT_EQ(placed(Edge::Bottom, false, Rect{0, 738, 1024, 768}, kWholeScreen), (Rect{0, 766, 1024, 796}));
    EXPECT_EQ(placed(Edge::Float, false, Rect{10, 10, 200, 40}, kWholeScreen), Rect{});

    const Rect second{-1280, -200, 0, 824};
    const Rect work{-1280, -200, 0, 794};
    auto propose = [&](int x, int y) { return ProposedEdge(kAll, Point{x, y}, false, kScreen, second, work); };
    EXPECT_EQ(propose(-1270, 300), Edge::Left);
    EXPECT_EQ(propose(-10, 300), Edge::Right);  // beside the primary's left edge
    EXPECT_EQ(propose(-640, -195), Edge::Top);
    EXPECT_EQ(propose(-640, 800), Edge::Bottom);  // within 16 pixels of its work area
    EXPECT_EQ(propose(-640, 312), Edge::Float);
    EXPECT_EQ(DockStrip(Edge::Right, work, 60, second), (Rect{-60, -200, 0, 794}));
    EXPECT_EQ(DockStrip(Edge::Top, work, 5000, second), (Rect{-1280, -200, 0, 824})) << "at most the monitor's height";
    EXPECT_EQ(RoundSizeToSteps(Rect{-1280, -200, -1157, 824}, kSizeRight, 8, 8, 10, 10), (Rect{-1280, -200, -1152, 824}));
    EXPECT_EQ(placed(Edge::Left, false, Rect{-1280, -200, -1220, 824}, second), (Rect{-1338, -200, -1278, 824}));
    EXPECT_EQ(placed(Edge::Right, false, Rect{-1280, -200, -1220, 824}, second), (Rect{-2, -200, 58, 824}));
}

TEST(Monitors, ThePlacedMonitorByNameOrRectangleTheOneUnderTheCursorAndFloatingBarsBroughtBack) {
    const MonitorList monitors = {{L"\\\\.\\DISPLAY1", kWholeScreen, Rect{0, 0, 1024, 738}, 96},
                                  {L"\\\\.\\DISPLAY2", Rect{-1280, -200, 0, 824}, Rect{-1280, -200, 0, 824}, 144}};
    EXPECT_EQ(FindMonitor(monitors, {L"\\\\.\\DISPLAY2", Rect{}}).dpi, 144);
    EXPECT_EQ(FindMonitor(monitors, {L"\\\\.\\DISPLAY9", Rect{-1280, -200, 0, 824}}).dpi, 144) << "renamed";
    EXPECT_EQ(FindMonitor(monitors, {L"\\\\.\\DISPLAY9", Rect{0, 0, 800, 600}}).dpi, 96) << "gone: the primary";
    EXPECT_EQ(MonitorAt(monitors, Point{-1, 0}).dpi, 144);
    EXPECT_EQ(MonitorAt(monitors, Point{0, 0}).dpi, 96);
    EXPECT_EQ(MonitorAt(monitors, Point{-300, 2000}).dpi, 144) << "nearest";

    const Rect partly{1000, 700, 1300, 740};
    EXPECT_EQ(BringOntoMonitors(monitors, partly), partly) << "part of it can still be grabbed";
    EXPECT_EQ(BringOntoMonitors(monitors, Rect{2000, 100, 2300, 140}), (Rect{724, 100, 1024, 140}));
    EXPECT_EQ(BringOntoMonitors(monitors, Rect{-3000, -900, -2700, -860}), (Rect{-1280, -200, -980, -160}));
}
