// The appbar window, with real windows, against the simulated shell: a 1024 x 768 screen,
// 16-pixel scroll bars, 1-pixel borders, a 4-pixel double-click rectangle, a test clock.
#include <windows.h>
#include <shellapi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <vector>

#include "appbar/AppBarWnd.h"
#include "appbar/RealAppBarShell.h"
#include "support/WindowMessageSink.h"
#include "support/SimulatedShell.h"
#include "resource.h"
#include "support/DialogAnswerer.h"

using namespace varolin;

bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
void PrintTo(const RECT& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

class TestBar : public CAppBarWnd {
public:
    explicit TestBar(IAppBarShell& shell) : CAppBarWnd(IDD_MAIN_BAR, nullptr, &shell) {}
    using CAppBarWnd::CheckAutoHide;
    using CAppBarWnd::DragTo;

    std::uintptr_t Id() const { return reinterpret_cast<std::uintptr_t>(m_hWnd); }
    RECT Rect() const { return GetWindowRect(); }
    bool IsTopmost() const { return (GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
    void MoveTo(const RECT& rc) const {  // as the system's move loop does
        SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER);
    }

    std::vector<int> appliedEdges;  // OnEdgeChange(false, ...)
    std::vector<RECT> placements;   // every move or resize asked of the window

protected:
    void OnEdgeChange(bool proposed, int edge) override {
        if (!proposed) appliedEdges.push_back(edge);
    }
    void OnWindowPosChanging(WINDOWPOS* pos) override {
        if (!(pos->flags & SWP_NOSIZE)) placements.push_back(RECT{pos->x, pos->y, pos->x + pos->cx, pos->y + pos->cy});
        CAppBarWnd::OnWindowPosChanging(pos);
    }
};

AppBarState Docked(int edge, int autoHide = 0, int topmost = 0) {
    AppBarState s;
    s.nEdge = edge;
    s.bAutoHide = autoHide;
    s.bAlwaysOnTop = topmost;
    s.anDockSize[ABE_LEFT] = 60;
    s.anDockSize[ABE_TOP] = 40;
    s.anDockSize[ABE_RIGHT] = 70;
    s.anDockSize[ABE_BOTTOM] = 30;
    s.rcFloat = Rect{100, 100, 400, 140};
    return s;
}

class AppBarWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        shell.SetNotifySink(WindowMessageSink());
        bar.SetSlideSetting(&slide);
        ASSERT_TRUE(bar.Create(nullptr));
        // As the main bar does: capabilities and steps once the dialog exists.
        bar.m_uOptions = BAR_ALLOW_LEFTRIGHT | BAR_ALLOW_TOPBOTTOM | BAR_ALLOW_FLOAT | BAR_FOLLOW_AUTOHIDE |
                         BAR_FOLLOW_TOPMOST;
        bar.m_nStepX = bar.m_nStepY = 1;
        other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 500, 500, 40, 40, nullptr, nullptr,
                                nullptr, nullptr);
        SetActiveWindow(other);
    }
    void TearDown() override {
        bar.DestroyWindow();
        DestroyWindow(other);
    }

    SimulatedShell shell;
    int slide = 0;  // the "Slide" setting: off unless a test is about the animation
    TestBar bar{shell};
    HWND other = nullptr;  // takes the activation from the bar
};

TEST_F(AppBarWndTest, RegistersDocksFloatsAndUnregistersOnDestroy) {
    ASSERT_TRUE(shell.IsRegistered(bar.Id()));
    shell.SetTaskbar(ABE_BOTTOM, 30);

    bar.SetState(Docked(ABE_TOP, 0, 1));
    EXPECT_EQ(bar.Rect(), (RECT{0, 0, 1024, 40}));
    EXPECT_EQ(shell.ReservedRect(bar.Id()), (Rect{0, 0, 1024, 40}));
    EXPECT_TRUE(bar.IsTopmost());

    bar.SetState(Docked(ABE_LEFT));  // the strip stops at the taskbar
    EXPECT_EQ(bar.Rect(), (RECT{0, 0, 60, 738}));
    EXPECT_FALSE(bar.IsTopmost());

    bar.SetState(Docked(EDGE_FLOAT, 0, 1));
    EXPECT_EQ(bar.Rect(), (RECT{100, 100, 400, 140}));
    EXPECT_EQ(shell.ReservedRect(bar.Id()), Rect{});
    EXPECT_TRUE(bar.IsTopmost());
    EXPECT_EQ(bar.appliedEdges, (std::vector<int>{ABE_TOP, ABE_LEFT, EDGE_FLOAT}));

    bar.DestroyWindow();
    EXPECT_FALSE(shell.IsRegistered(bar.Id()));
    EXPECT_EQ(bar.m_state.nEdge, EDGE_NONE);
    EXPECT_EQ(bar.appliedEdges.size(), 3u);
}

TEST_F(AppBarWndTest, ShortRecordChangesOnlyEdgeAutoHideAndTopmost) {
    bar.SetState(Docked(ABE_TOP));
    AppBarState rec;
    rec.cbSize = 16;
    rec.nEdge = ABE_RIGHT;
    rec.bAlwaysOnTop = 1;
    rec.anDockSize[ABE_RIGHT] = 5;
    rec.rcFloat = Rect{1, 2, 3, 4};
    bar.SetState(rec);
    EXPECT_EQ(bar.m_state, Docked(ABE_RIGHT, 0, 1));
    EXPECT_EQ(bar.Rect(), (RECT{954, 0, 1024, 768}));

    // A damaged edge value neither unregisters the bar nor moves it.
    rec.nEdge = EDGE_NONE;
    bar.SetState(rec);
    EXPECT_EQ(bar.m_state.nEdge, ABE_RIGHT);
    EXPECT_TRUE(shell.IsRegistered(bar.Id()));
}

TEST_F(AppBarWndTest, DragToAnotherEdgeKeepsStoredSizesAndSizingStoresTheNewOne) {
    bar.SetState(Docked(ABE_TOP));
    bar.SendMessage(WM_ENTERSIZEMOVE);
    RECT rc = bar.Rect();
    OffsetRect(&rc, 5, 300);
    bar.DragTo(POINT{10, 300}, rc);
    EXPECT_EQ(rc, (RECT{0, 0, 60, 768}));  // the window jumps to the left strip while dragged
    EXPECT_EQ(bar.GetCurrentEdge(), ABE_LEFT);
    bar.MoveTo(rc);
    bar.SendMessage(WM_EXITSIZEMOVE);
    EXPECT_EQ(bar.m_nDragEdge, -1);
    EXPECT_EQ(bar.m_state.nEdge, ABE_LEFT);
    EXPECT_EQ(bar.m_state.anDockSize[ABE_TOP], 40);
    EXPECT_EQ(shell.ReservedRect(bar.Id()), (Rect{0, 0, 60, 768}));

    // Sizing at the top, in steps of 10: the client height 55 becomes 60 and is stored.
    bar.SetState(Docked(ABE_TOP));
    bar.m_nStepY = 10;
    const RECT window = bar.Rect();
    const int frameH = (window.bottom - window.top) - bar.GetClientRect().bottom;
    bar.SendMessage(WM_ENTERSIZEMOVE);
    RECT sized{0, 0, 1024, frameH + 55};
    bar.SendMessage(WM_SIZING, WMSZ_BOTTOM, reinterpret_cast<LPARAM>(&sized));
    EXPECT_EQ(sized, (RECT{0, 0, 1024, frameH + 60}));
    bar.MoveTo(sized);
    bar.SendMessage(WM_EXITSIZEMOVE);
    EXPECT_EQ(bar.m_state.anDockSize[ABE_TOP], frameH + 60);
    EXPECT_EQ(bar.m_state.anDockSize[ABE_LEFT], 60);

    // The end of a move that never began leaves the bar registered where it is.
    bar.SendMessage(WM_EXITSIZEMOVE);
    EXPECT_TRUE(shell.IsRegistered(bar.Id()));
    EXPECT_EQ(bar.m_state.nEdge, ABE_TOP);
}

TEST_F(AppBarWndTest, DockedBarIsSizedOnlyFromItsInnerSide) {
    bar.SetState(Docked(ABE_TOP));
    RECT client = bar.GetClientRect();
    MapWindowPoints(bar.m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    auto hit = [&](int x, int y) { return bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
    EXPECT_EQ(hit(500, client.bottom), HTBOTTOM);
    EXPECT_EQ(hit(500, 0), HTBORDER);
    bar.m_nStepY = 0;
    EXPECT_EQ(hit(500, client.bottom), HTBORDER);
}

TEST_F(AppBarWndTest, AutoHideRefusedByTheShellDocksNormallyAfterTheMessage) {
    AppBarData holder{0x1234, 0, ABE_LEFT, {}, 1};
    shell.Message(kAbmNew, holder);
    shell.Message(kAbmSetAutoHideBar, holder);

    DialogAnswerer answerer;
    answerer.Answer(IDOK);
    bar.SetState(Docked(ABE_LEFT, 1));
    // The answerer also records the bar itself, a dialog, when it gets the activation back.
    const std::wstring text = L"「自動的に隠す」ツールバーは各辺に一つしか指定できません";
    const auto& boxes = answerer.Dialogs();
    ASSERT_EQ(std::count_if(boxes.begin(), boxes.end(), [&](const AnsweredDialog& d) { return d.text == text; }), 1);
    EXPECT_EQ(boxes.front().caption, L"Varolin");
    EXPECT_EQ(bar.m_state.bAutoHide, 0);
    EXPECT_EQ(bar.Rect(), (RECT{0, 0, 60, 768}));
    EXPECT_EQ(shell.ReservedRect(bar.Id()), (Rect{0, 0, 60, 768}));
}

TEST_F(AppBarWndTest, AutoHideBarShowsOnTheStripAndHidesByTimerAndDeactivation) {
    bar.m_bShown = FALSE;  // as at start: a stored auto-hide state starts hidden
    bar.SetState(Docked(ABE_LEFT, 1));
    EXPECT_EQ(bar.Rect(), (RECT{-58, 0, 2, 768}));
    EXPECT_EQ(shell.ReservedRect(bar.Id()), Rect{});
    EXPECT_EQ(shell.AutoHideBar(ABE_LEFT), bar.Id());

    bar.SendMessage(WM_NCMOUSEMOVE, HTRIGHT, MAKELPARAM(1, 300));
    EXPECT_EQ(bar.Rect(), (RECT{0, 0, 60, 768}));

    ASSERT_NE(GetActiveWindow(), bar.m_hWnd);
    bar.CheckAutoHide(POINT{68, 300});  // away from the bar (the margin is a unit test's)
    EXPECT_EQ(bar.Rect(), (RECT{-58, 0, 2, 768}));

    bar.ShowAutoHideBar(true);
    SetActiveWindow(bar.m_hWnd);
    ASSERT_EQ(GetActiveWindow(), bar.m_hWnd);
    bar.CheckAutoHide(POINT{900, 300});  // active: never hidden by the timer
    EXPECT_EQ(bar.Rect(), (RECT{0, 0, 60, 768}));
    SetActiveWindow(other);  // deactivated: hidden at once
    EXPECT_EQ(bar.Rect(), (RECT{-58, 0, 2, 768}));

    bar.SetState(Docked(ABE_LEFT, 0));
    EXPECT_EQ(shell.ReservedRect(bar.Id()), (Rect{0, 0, 60, 768}));
    EXPECT_EQ(shell.AutoHideBar(ABE_LEFT), 0u);
}

TEST_F(AppBarWndTest, FollowsTheTaskbarOnlyWhenAllowedAndChanged) {
    bar.SetState(Docked(ABE_TOP));
    shell.ChangeTaskbarState(ABS_AUTOHIDE);
    EXPECT_EQ(bar.m_state.bAutoHide, 1);
    EXPECT_EQ(bar.Rect(), (RECT{0, -38, 1024, 2}));  // slid out of view

    // The bar switched itself off; the taskbar switching off finds nothing to change.
    bar.SetState(Docked(ABE_TOP, 0));
    shell.ClearCalls();
    shell.ChangeTaskbarState(0);
    EXPECT_EQ(shell.CountCalls(kAbmGetState), 1u);
    EXPECT_EQ(shell.CountCalls(kAbmSetPos), 0u);

    bar.m_uOptions &= ~BAR_FOLLOW_AUTOHIDE;
    shell.ChangeTaskbarState(ABS_AUTOHIDE | ABS_ALWAYSONTOP);
    EXPECT_EQ(bar.m_state.bAutoHide, 0);
    EXPECT_TRUE(bar.IsTopmost());
}

TEST_F(AppBarWndTest, ShellNotificationsPlaceADockedBarAgain) {
    bar.SetState(Docked(ABE_LEFT));
    shell.SetTaskbar(ABE_BOTTOM, 30);
    shell.Notify(ABN_POSCHANGED);
    EXPECT_EQ(bar.Rect(), (RECT{0, 0, 60, 738}));

    bar.SetState(Docked(EDGE_FLOAT));
    shell.ClearCalls();
    shell.Notify(ABN_POSCHANGED);
    EXPECT_EQ(shell.CountCalls(kAbmSetPos), 0u);
}

TEST_F(AppBarWndTest, SlideFramesFollowTheClockAndEndExactlyOnTarget) {
    bar.m_bShown = FALSE;
    bar.SetState(Docked(ABE_LEFT, 1));
    const RECT hidden{-58, 0, 2, 768};
    const RECT shown{0, 0, 60, 768};
    auto slideTo = [&](bool show) {
        bar.placements.clear();
        bar.ShowAutoHideBar(show);
        return bar.placements;
    };

    slide = 1;
    shell.SetClock(1000, 100);
    EXPECT_EQ(slideTo(true), (std::vector<RECT>{{-44, 0, 16, 768}, {-29, 0, 31, 768}, {-15, 0, 45, 768}, shown}));
    EXPECT_EQ(slideTo(true), std::vector<RECT>{shown});  // already there
    slide = 0;
    EXPECT_EQ(slideTo(false), std::vector<RECT>{hidden});
    slide = 1;
    shell.SetDragFullWindows(false);
    EXPECT_EQ(slideTo(true), std::vector<RECT>{shown});
    shell.SetDragFullWindows(true);
    // Started within 400 ms of the tick counter's wrap: no intermediate frame.
    shell.SetClock(0xFFFFFF00u, 100);
    EXPECT_EQ(slideTo(false), std::vector<RECT>{hidden});
    // A counter read that has wrapped ends the slide instead of running on.
    shell.SetClock(0xFFFFFE00u, 0x210);
    EXPECT_EQ(slideTo(true), std::vector<RECT>{shown});
}

}  // namespace
