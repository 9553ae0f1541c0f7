// The appbar window, with real windows, against the simulated shell: a 1024 x 768 screen at the
// system's DPI, 16-pixel scroll bars, 1-pixel borders, a 4-pixel double-click rectangle, a test
// clock.
#include <windows.h>
#include <shellapi.h>
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "appbar/AppBarWnd.h"
#include "resource.h"
#include "support/DialogAnswerer.h"
#include "support/SimulatedShell.h"
#include "support/WindowMessageSink.h"

using namespace varolin;

bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
void PrintTo(const RECT& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

// A bar with every capability, sized in steps of 10 so that rounding shows, recording every
// move or resize asked of its window.
class TestBar : public CAppBarWnd {
public:
    explicit TestBar(IAppBarShell& shell) : CAppBarWnd(IDD_MAIN_BAR, nullptr, &shell) {}
    std::uintptr_t Id() const { return reinterpret_cast<std::uintptr_t>(m_hWnd); }
    RECT Rect() const { return GetWindowRect(); }
    bool IsTopmost() const { return (GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
    const AppBarState& Record() const { return State(); }
    std::vector<RECT> placements;

protected:
    BOOL OnInitDialog() override {
        const BOOL result = CAppBarWnd::OnInitDialog();
        SetCapabilities(BAR_ALLOW_LEFTRIGHT | BAR_ALLOW_TOPBOTTOM | BAR_ALLOW_FLOAT | BAR_FOLLOW_AUTOHIDE |
                            BAR_FOLLOW_TOPMOST,
                        10, 10);
        return result;
    }
    void OnWindowPosChanging(WINDOWPOS* pos) override {
        if (!(pos->flags & SWP_NOSIZE)) placements.push_back(RECT{pos->x, pos->y, pos->x + pos->cx, pos->y + pos->cy});
        CAppBarWnd::OnWindowPosChanging(pos);
    }
};

// Dock sizes: 60 left, 40 top, 70 right, 30 bottom.
AppBarState Docked(Edge edge, int autoHide = 0, int topmost = 0) {
    return AppBarState{48, edge, autoHide, topmost, {60, 40, 70, 30}, Rect{100, 100, 400, 140}};
}
const RECT kHiddenLeft{-58, 0, 2, 768};
const RECT kShownLeft{0, 0, 60, 768};

// Handles this thread's messages, the bar's timer among them, for `ms` milliseconds.
void Pump(DWORD ms) {
    // Bounded by the time alone, so that a bar that keeps posting itself fails instead of hanging.
    const DWORD start = GetTickCount();
    for (MSG msg; GetTickCount() - start < ms;) {
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        else Sleep(10);
    }
}

class AppBarWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCursorPos(1200, 700);  // beyond the simulated screen: away from every bar
        shell.SetNotifySink(WindowMessageSink());
        bar.SetSlideSetting(&slide);
        ASSERT_TRUE(bar.Create(nullptr));
        other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 500, 500, 40, 40, nullptr, nullptr,
                                nullptr, nullptr);
        SetActiveWindow(other);
    }
    void TearDown() override {
        bar.DestroyWindow();
        DestroyWindow(other);
    }

    SimulatedShell shell{static_cast<int>(GetDpiForSystem())};
    int slide = 0;  // the "Slide" setting: off unless a test is about the animation
    TestBar bar{shell};
    HWND other = nullptr;  // takes the activation from the bar
};

TEST_F(AppBarWndTest, StatesDockFloatAndUnregisterTheBar) {
    shell.SetTaskbar(Edge::Bottom, 30);
    shell.ClearReceived();
    bar.SetState(Docked(Edge::Top, 0, 1));
    EXPECT_EQ(shell.ReservedRect(bar.Id()), (Rect{0, 0, 1024, 40}));
    EXPECT_TRUE(bar.IsTopmost());
    // Each message is a round trip to the shell's process: the moves are told once, and a bar
    // that never asked for auto-hide does not ask which edge it holds.
    EXPECT_EQ(shell.Count(kAbmWindowPosChanged), 1u);
    EXPECT_EQ(shell.Count(kAbmGetAutoHideBar), 0u);
    bar.SetState(Docked(Edge::Float, 0, 0));
    EXPECT_EQ(bar.Rect(), (RECT{100, 100, 400, 140}));
    EXPECT_EQ(shell.ReservedRect(bar.Id()), Rect{});
    EXPECT_FALSE(bar.IsTopmost());

    // A record of 16 bytes changes the edge, auto-hide and always on top only.
    AppBarState rec{16, Edge::Left, 0, 1, {5, 5, 5, 5}, Rect{}};
    bar.SetState(rec);
    EXPECT_EQ(bar.Rect(), (RECT{0, 0, 60, 738})) << "the stored width; the strip stops at the taskbar";
    EXPECT_TRUE(bar.IsTopmost());
    // A damaged edge value neither unregisters the bar nor moves it.
    rec.nEdge = Edge::None;
    bar.SetState(rec);
    EXPECT_EQ(bar.Rect(), (RECT{0, 0, 60, 738}));

    const std::uintptr_t id = bar.Id();
    bar.DestroyWindow();
    EXPECT_FALSE(shell.IsRegistered(id));
}

TEST_F(AppBarWndTest, DragToAnotherEdgeKeepsStoredSizesAndSizingStoresTheNewOne) {
    bar.SetState(Docked(Edge::Top));
    DragBar(bar.m_hWnd, POINT{10, 300});
    EXPECT_EQ(shell.ReservedRect(bar.Id()), (Rect{0, 0, 60, 768}));
    DragBar(bar.m_hWnd, POINT{512, 5});
    EXPECT_EQ(bar.Rect(), (RECT{0, 0, 1024, 40}));

    // Sized from its inner side in steps of 10: the client height 55 becomes 60 and is kept.
    EXPECT_EQ(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(500, 39)), HTBOTTOM);
    const int frameH = 40 - bar.GetClientRect().bottom;
    bar.SendMessage(WM_ENTERSIZEMOVE);
    RECT sized{0, 0, 1024, frameH + 55};
    bar.SendMessage(WM_SIZING, WMSZ_BOTTOM, reinterpret_cast<LPARAM>(&sized));
    EXPECT_EQ(sized, (RECT{0, 0, 1024, frameH + 60}));
    SetWindowPos(bar.m_hWnd, nullptr, 0, 0, 1024, frameH + 60, SWP_NOZORDER);
    bar.SendMessage(WM_EXITSIZEMOVE);
    EXPECT_EQ(shell.ReservedRect(bar.Id()), (Rect{0, 0, 1024, frameH + 60}));

    // The end of a move that never began leaves the bar registered where it is.
    bar.SendMessage(WM_EXITSIZEMOVE);
    EXPECT_EQ(shell.ReservedRect(bar.Id()), (Rect{0, 0, 1024, frameH + 60}));
}

TEST_F(AppBarWndTest, AutoHideBarHidesByTimerAndDeactivationShowsOnTheStripAndMayBeRefused) {
    bar.SetState(Docked(Edge::Left, 1));  // shown: the bar was deactivated before it auto-hid
    EXPECT_EQ(bar.Rect(), kShownLeft);
    EXPECT_EQ(shell.ReservedRect(bar.Id()), Rect{});
    EXPECT_EQ(shell.AutoHideBar(Edge::Left), bar.Id());
    ASSERT_NE(GetActiveWindow(), bar.m_hWnd);
    Pump(1000);  // two ticks of the auto-hide timer
    EXPECT_EQ(bar.Rect(), kHiddenLeft) << "the timer hides an inactive bar";

    bar.SendMessage(WM_NCMOUSEMOVE, HTRIGHT, MAKELPARAM(1, 300));
    EXPECT_EQ(bar.Rect(), kShownLeft);
    SetActiveWindow(bar.m_hWnd);
    ASSERT_EQ(GetActiveWindow(), bar.m_hWnd);
    Pump(1000);
    EXPECT_EQ(bar.Rect(), kShownLeft) << "never while it is active";
    SetActiveWindow(other);  // deactivated: hidden at once
    EXPECT_EQ(bar.Rect(), kHiddenLeft);

    bar.SetState(Docked(Edge::Left, 0));
    EXPECT_EQ(shell.ReservedRect(bar.Id()), (Rect{0, 0, 60, 768}));
    EXPECT_EQ(shell.AutoHideBar(Edge::Left), 0u);

    // Refused by the shell (another bar holds the edge): a message, then docked normally.
    AppBarData holder{0x1234, 0, ShellEdge(Edge::Left), {}, 1};
    shell.Message(kAbmNew, holder);
    shell.Message(kAbmSetAutoHideBar, holder);
    DialogAnswerer answerer;
    answerer.Answer(IDOK);
    bar.SetState(Docked(Edge::Left, 1));
    ASSERT_GE(answerer.Count(), 1u);  // the bar, a dialog too, is recorded as it gets the activation back
    EXPECT_EQ(answerer.Dialogs()[0].caption, L"Varolin");
    EXPECT_EQ(answerer.Dialogs()[0].text, L"「自動的に隠す」ツールバーは各辺に一つしか指定できません");
    EXPECT_EQ(shell.ReservedRect(bar.Id()), (Rect{0, 0, 60, 768}));
}

TEST_F(AppBarWndTest, ShellNotificationsApplyTheTaskbarsChangesOnly) {
    bar.SetState(Docked(Edge::Top));
    shell.ChangeTaskbarState(ABS_AUTOHIDE);
    EXPECT_EQ(bar.Rect(), (RECT{0, -38, 1024, 2}));  // auto-hides, slid out of view
    // The bar switched itself off; the taskbar switching off finds nothing to change.
    bar.SetState(Docked(Edge::Left, 0));
    std::size_t placed = shell.Count(kAbmSetPos);
    shell.ChangeTaskbarState(0);
    EXPECT_EQ(shell.Count(kAbmSetPos), placed);
    shell.ChangeTaskbarState(ABS_ALWAYSONTOP);
    EXPECT_TRUE(bar.IsTopmost());

    shell.SetTaskbar(Edge::Bottom, 30);
    shell.Notify(ABN_POSCHANGED);
    EXPECT_EQ(bar.Rect(), (RECT{0, 0, 60, 738}));
    bar.SetState(Docked(Edge::Float));
    placed = shell.Count(kAbmSetPos);
    shell.Notify(ABN_POSCHANGED);
    EXPECT_EQ(shell.Count(kAbmSetPos), placed) << "a floating bar stays where it is";

    // At its creation a bar has no capabilities yet and takes nothing over from the taskbar.
    SimulatedShell own;
    own.ChangeTaskbarState(ABS_AUTOHIDE | ABS_ALWAYSONTOP);
    TestBar created{own};
    ASSERT_TRUE(created.Create(nullptr));
    EXPECT_EQ(own.AutoHideBar(Edge::Bottom), 0u);
    EXPECT_FALSE(created.IsTopmost());
}

TEST_F(AppBarWndTest, SlideFramesFollowTheClockAndEndExactlyOnTarget) {
    bar.SetState(Docked(Edge::Left, 1));
    bar.ShowAutoHideBar(false);
    auto slideTo = [&](bool show) {
        bar.placements.clear();
        bar.ShowAutoHideBar(show);
        return bar.placements;
    };
    slide = 1;
    shell.SetClock(1000, 100);
    EXPECT_EQ(slideTo(true), (std::vector<RECT>{{-44, 0, 16, 768}, {-29, 0, 31, 768}, {-15, 0, 45, 768}, kShownLeft}));
    slide = 0;
    EXPECT_EQ(slideTo(false), std::vector<RECT>{kHiddenLeft});
    slide = 1;
    shell.SetDragFullWindows(false);
    EXPECT_EQ(slideTo(true), std::vector<RECT>{kShownLeft});
}

TEST_F(AppBarWndTest, TaskbarCreatedRegistersTheBarAgainWithItsStripAndAutoHide) {
    bar.SetState(Docked(Edge::Top));
    shell.ClearReceived();
    bar.SendMessage(g_uTaskbarCreated);  // a shell that still knows the bar refuses a second ABM_NEW
    ASSERT_GE(shell.Received().size(), 2u);
    EXPECT_EQ(shell.Received()[0], kAbmRemove);
    EXPECT_EQ(shell.Received()[1], kAbmNew);
    EXPECT_EQ(shell.ReservedRect(bar.Id()), (Rect{0, 0, 1024, 40}));

    bar.SetState(Docked(Edge::Left, 1));
    shell.Restart();
    bar.SendMessage(g_uTaskbarCreated);
    EXPECT_EQ(shell.AutoHideBar(Edge::Left), bar.Id());
}

// The shell broadcasts a work-area change after every ABM_SETPOS, the bar's own included.
TEST_F(AppBarWndTest, WorkAreaAndDisplayChangesDockTheBarAgainAndItsOwnChangesSettle) {
    shell.SetWorkAreaSink([](std::uintptr_t w) { SendMessageW(reinterpret_cast<HWND>(w), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0); });
    bar.SetState(Docked(Edge::Bottom));
    Pump(200);
    const std::size_t placed = shell.Count(kAbmSetPos);
    shell.SetTaskbar(Edge::Bottom, 30);
    bar.SendMessage(WM_SETTINGCHANGE, SPI_SETWORKAREA);
    Pump(300);
    EXPECT_EQ(bar.Rect(), (RECT{0, 708, 1024, 738}));
    EXPECT_EQ(shell.Count(kAbmSetPos), placed + 1) << "one placement, and the change it made ends there";

    shell.Screens()[0].rect = shell.Screens()[0].workArea = Rect{0, 0, 1280, 800};
    bar.SendMessage(WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 800));
    Pump(300);
    EXPECT_EQ(bar.Rect(), (RECT{0, 740, 1280, 770}));

    // A floating bar left off every monitor comes back onto the nearest.
    AppBarState floating = Docked(Edge::Float);
    floating.rcFloat = Rect{1500, 100, 1800, 140};
    bar.SetState(floating);
    EXPECT_EQ(bar.Rect(), (RECT{980, 100, 1280, 140}));
}

TEST_F(AppBarWndTest, FullScreenWindowsPutTheBarBehindThemAndKeepAnAutoHiddenOneIn) {
    bar.SetState(Docked(Edge::Top, 0, 1));
    shell.Notify(ABN_FULLSCREENAPP, 1);
    EXPECT_FALSE(bar.IsTopmost());
    EXPECT_EQ(bar.Record().bAlwaysOnTop, 1) << "the setting stays";
    shell.Notify(ABN_FULLSCREENAPP, 0);
    EXPECT_TRUE(bar.IsTopmost());

    bar.SetState(Docked(Edge::Left, 1, 1));
    shell.Notify(ABN_FULLSCREENAPP, 1);
    EXPECT_EQ(bar.Rect(), kHiddenLeft);
    bar.SendMessage(WM_NCMOUSEMOVE, HTRIGHT, MAKELPARAM(1, 300));
    EXPECT_EQ(bar.Rect(), kHiddenLeft) << "not out over the full-screen window";
    shell.Notify(ABN_FULLSCREENAPP, 0);
    bar.SendMessage(WM_NCMOUSEMOVE, HTRIGHT, MAKELPARAM(1, 300));
    EXPECT_EQ(bar.Rect(), kShownLeft);
}

// A second monitor right of the primary, at one and a half times its DPI.
TEST_F(AppBarWndTest, DocksToTheMonitorItIsDraggedToAtItsDpiAndToThePrimaryWhenThatGoes) {
    const int dpi = static_cast<int>(GetDpiForSystem());
    shell.Screens().push_back(Monitor{L"\\\\.\\DISPLAY2", Rect{1024, 0, 1280, 768}, Rect{1024, 0, 1280, 768}, dpi * 3 / 2});
    bar.SetState(Docked(Edge::Top));
    DragBar(bar.m_hWnd, POINT{1270, 300});
    EXPECT_EQ(shell.ReservedRect(bar.Id()), (Rect{1175, 0, 1280, 768})) << "70 pixels at its DPI";
    EXPECT_EQ(bar.GetMonitorPlace().device, L"\\\\.\\DISPLAY2");

    shell.Screens().pop_back();
    bar.SendMessage(WM_DISPLAYCHANGE);
    Pump(200);
    EXPECT_EQ(shell.ReservedRect(bar.Id()), (Rect{954, 0, 1024, 768}));
}

}  // namespace
