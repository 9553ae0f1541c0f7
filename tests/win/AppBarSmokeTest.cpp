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

// A second bar docks where the first one was: the first gave its strip back as it went.
TEST(AppBarSmoke, DocksFloatsAndFreesItsStripUnderTheSystemShell) {
    int slide = 0;
    for (int run = 0; run < 2; ++run) {
        CAppBarWnd bar(IDD_MAIN_BAR);
        bar.SetSlideSetting(&slide);
        ASSERT_TRUE(bar.Create(nullptr));
        bar.SetState(State(Edge::Top));
        EXPECT_EQ(FromRECT(bar.GetWindowRect()), (Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), 40})) << run;
        bar.SetState(State(Edge::Float));
        EXPECT_EQ(FromRECT(bar.GetWindowRect()), (Rect{200, 150, 500, 190}));
        bar.SetState(State(Edge::Top));
        bar.DestroyWindow();
    }
}
