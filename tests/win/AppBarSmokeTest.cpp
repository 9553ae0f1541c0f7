// The appbar window against Wine's own shell (explorer). Bars are destroyed gracefully: the
// shell keeps the strip of a bar that disappears without unregistering.
#include <windows.h>
#include <gtest/gtest.h>

#include "appbar/AppBarWnd.h"
#include "appbar/RealAppBarShell.h"
#include "resource.h"

using namespace varolin;

namespace {

AppBarState State(Edge edge) { return AppBarState{48, edge, 0, 0, {60, 40, 0, 0}, Rect{200, 150, 500, 190}}; }

}  // namespace

TEST(AppBarSmoke, DocksFloatsAndUnregistersUnderTheSystemShell) {
    int slide = 0;
    {
        CAppBarWnd bar(IDD_MAIN_BAR);
        bar.SetSlideSetting(&slide);
        ASSERT_TRUE(bar.Create(nullptr));
        bar.SetState(State(Edge::Top));
        EXPECT_EQ(FromRECT(bar.GetWindowRect()), (Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), 40}));
        bar.SetState(State(Edge::Float));
        EXPECT_EQ(FromRECT(bar.GetWindowRect()), (Rect{200, 150, 500, 190}));
        bar.SetState(State(Edge::Left));
        const RECT left = bar.GetWindowRect();
        EXPECT_EQ(left.left, 0);
        EXPECT_EQ(left.top, 0);
        EXPECT_EQ(left.right, 60);
        bar.SetState(State(Edge::Top));
        bar.DestroyWindow();
    }
    // The strip went with the bar: a new top bar lands at the very top, and a second one
    // below it.
    CAppBarWnd first(IDD_MAIN_BAR);
    CAppBarWnd second(IDD_MAIN_BAR);
    first.SetSlideSetting(&slide);
    second.SetSlideSetting(&slide);
    ASSERT_TRUE(first.Create(nullptr));
    ASSERT_TRUE(second.Create(nullptr));
    first.SetState(State(Edge::Top));
    second.SetState(State(Edge::Top));
    EXPECT_EQ(first.GetWindowRect().top, 0);
    EXPECT_EQ(second.GetWindowRect().top, 40);
    EXPECT_EQ(second.GetWindowRect().bottom, 80);
    second.DestroyWindow();
    first.DestroyWindow();
}
