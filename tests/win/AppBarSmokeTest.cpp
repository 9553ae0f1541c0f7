// The appbar window against Wine's own shell (explorer). Bars are destroyed gracefully: the
// shell keeps the strip of a bar that disappears without unregistering.
#include <windows.h>
#include <gtest/gtest.h>

#include "appbar/AppBarWnd.h"
#include "appbar/RealAppBarShell.h"
#include "resource.h"

using namespace varolin;

namespace {

AppBarState State(int edge) {
    AppBarState s;
    s.nEdge = edge;
    s.anDockSize[ABE_LEFT] = 60;
    s.anDockSize[ABE_TOP] = 40;
    s.rcFloat = Rect{200, 150, 500, 190};
    return s;
}

}  // namespace

TEST(AppBarSmoke, DocksFloatsAndUnregistersUnderTheSystemShell) {
    int slide = 0;
    {
        CAppBarWnd bar(IDD_MAIN_BAR);
        bar.SetSlideSetting(&slide);
        ASSERT_TRUE(bar.Create(nullptr));
        bar.SetState(State(ABE_TOP));
        EXPECT_EQ(FromRECT(bar.GetWindowRect()), (Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), 40}));
        bar.SetState(State(EDGE_FLOAT));
        EXPECT_EQ(FromRECT(bar.GetWindowRect()), (Rect{200, 150, 500, 190}));
        bar.SetState(State(ABE_LEFT));
        const RECT left = bar.GetWindowRect();
        EXPECT_EQ(left.left, 0);
        EXPECT_EQ(left.top, 0);
        EXPECT_EQ(left.right, 60);
        bar.SetState(State(ABE_TOP));
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
    first.SetState(State(ABE_TOP));
    second.SetState(State(ABE_TOP));
    EXPECT_EQ(first.GetWindowRect().top, 0);
    EXPECT_EQ(second.GetWindowRect().top, 40);
    EXPECT_EQ(second.GetWindowRect().bottom, 80);
    second.DestroyWindow();
    first.DestroyWindow();
}
