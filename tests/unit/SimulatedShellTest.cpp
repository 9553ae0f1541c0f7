#include "appbar/SimulatedShell.h"

#include <tuple>
#include <vector>
#include <gtest/gtest.h>

using namespace varolin;

namespace {

constexpr unsigned kCallback = 0xC123;

std::uintptr_t Send(SimulatedShell& shell, unsigned message, std::uintptr_t window, int edge,
                    Rect* rc = nullptr, std::intptr_t lParam = 0) {
    AppBarData data{window, kCallback, static_cast<unsigned>(edge), rc ? *rc : Rect{}, lParam};
    const std::uintptr_t result = shell.Message(message, data);
    if (rc) *rc = data.rc;
    return result;
}

const Rect kScreen{0, 0, 1024, 768};

}  // namespace

TEST(SimulatedShell, PositionsAreClippedAgainstTheTaskbarAndEarlierBars) {
    SimulatedShell shell;
    shell.SetTaskbar(kEdgeBottom, 30);
    ASSERT_EQ(Send(shell, kAbmNew, 1, 0), 1u);
    ASSERT_EQ(Send(shell, kAbmNew, 2, 0), 1u);
    EXPECT_EQ(Send(shell, kAbmNew, 1, 0), 0u);  // already registered

    Rect rc = kScreen;
    Send(shell, kAbmQueryPos, 1, kEdgeTop, &rc);
    EXPECT_EQ(rc, (Rect{0, 0, 1024, 738}));
    rc = Rect{0, 0, 1024, 40};
    Send(shell, kAbmSetPos, 1, kEdgeTop, &rc);
    EXPECT_EQ(shell.ReservedRect(1), (Rect{0, 0, 1024, 40}));

    // The second bar goes below the first and above the taskbar; the first is not pushed back.
    rc = kScreen;
    Send(shell, kAbmQueryPos, 2, kEdgeLeft, &rc);
    EXPECT_EQ(rc, (Rect{0, 40, 1024, 738}));
    rc = Rect{0, 40, 60, 738};
    Send(shell, kAbmSetPos, 2, kEdgeLeft, &rc);
    rc = kScreen;
    Send(shell, kAbmQueryPos, 1, kEdgeTop, &rc);
    EXPECT_EQ(rc, (Rect{0, 0, 1024, 738}));
    EXPECT_EQ(shell.WorkArea(), (Rect{60, 40, 1024, 738}));

    // An empty rectangle or a floating edge frees the strip; removal forgets the bar.
    rc = Rect{};
    Send(shell, kAbmSetPos, 2, EDGE_FLOAT, &rc);
    EXPECT_EQ(shell.ReservedRect(2), Rect{});
    Send(shell, kAbmRemove, 1, 0);
    EXPECT_FALSE(shell.IsRegistered(1));
    EXPECT_EQ(shell.WorkArea(), (Rect{0, 0, 1024, 738}));
    EXPECT_EQ(shell.CountCalls(kAbmQueryPos), 3u);
}

TEST(SimulatedShell, OneAutoHideBarPerEdge) {
    SimulatedShell shell;
    Send(shell, kAbmNew, 1, 0);
    Send(shell, kAbmNew, 2, 0);
    EXPECT_EQ(Send(shell, kAbmSetAutoHideBar, 1, kEdgeLeft, nullptr, 1), 1u);
    EXPECT_EQ(Send(shell, kAbmSetAutoHideBar, 1, kEdgeLeft, nullptr, 1), 1u);  // again: fine
    EXPECT_EQ(Send(shell, kAbmSetAutoHideBar, 2, kEdgeLeft, nullptr, 1), 0u);
    EXPECT_EQ(Send(shell, kAbmSetAutoHideBar, 2, kEdgeTop, nullptr, 1), 1u);
    EXPECT_EQ(Send(shell, kAbmGetAutoHideBar, 0, kEdgeLeft), 1u);
    EXPECT_EQ(Send(shell, kAbmSetAutoHideBar, 2, kEdgeLeft, nullptr, 0), 0u);  // not its own
    EXPECT_EQ(Send(shell, kAbmSetAutoHideBar, 3, kEdgeRight, nullptr, 1), 0u);  // unregistered

    Send(shell, kAbmRemove, 1, 0);  // removal gives the edge up
    EXPECT_EQ(shell.AutoHideBar(kEdgeLeft), 0u);
    EXPECT_EQ(Send(shell, kAbmSetAutoHideBar, 2, kEdgeLeft, nullptr, 1), 1u);
    EXPECT_EQ(Send(shell, kAbmSetAutoHideBar, 2, kEdgeTop, nullptr, 0), 1u);
    EXPECT_EQ(shell.AutoHideBar(kEdgeTop), 0u);
}

TEST(SimulatedShell, NotifiesRegisteredBarsWithTheirCallbackMessage) {
    SimulatedShell shell;
    std::vector<std::tuple<std::uintptr_t, unsigned, std::uintptr_t, std::intptr_t>> got;
    shell.SetNotifySink([&](std::uintptr_t w, unsigned msg, std::uintptr_t code, std::intptr_t lp) {
        got.emplace_back(w, msg, code, lp);
        // A bar that unregisters the other one while handling its notification.
        if (w == 1) Send(shell, kAbmRemove, 2, 0);
    });
    Send(shell, kAbmNew, 1, 0);
    Send(shell, kAbmNew, 2, 0);
    shell.Notify(kAbnFullScreenApp, 1);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], std::make_tuple(std::uintptr_t{1}, kCallback, std::uintptr_t{kAbnFullScreenApp},
                                      std::intptr_t{1}));

    EXPECT_EQ(Send(shell, kAbmGetState, 1, 0), 0u);
    shell.ChangeTaskbarState(kAbsAutoHide | kAbsAlwaysOnTop);
    EXPECT_EQ(Send(shell, kAbmGetState, 1, 0), 3u);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(std::get<2>(got[1]), std::uintptr_t{kAbnStateChange});
}

TEST(SimulatedShell, ClockAdvancesByItsStepOnEveryRead) {
    SimulatedShell shell;
    shell.SetClock(0xFFFFFFF0u, 10);
    EXPECT_EQ(shell.TickCount(), 0xFFFFFFF0u);
    EXPECT_EQ(shell.TickCount(), 0xFFFFFFFAu);
    EXPECT_EQ(shell.TickCount(), 4u);
}
