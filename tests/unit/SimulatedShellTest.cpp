#include "support/SimulatedShell.h"

#include <gtest/gtest.h>

using namespace varolin;

namespace {

Rect Send(SimulatedShell& shell, unsigned message, std::uintptr_t window, Edge edge = Edge::Left, Rect rc = {}) {
    AppBarData data{window, 0xC123, ShellEdge(edge), rc, 0};
    shell.Message(message, data);
    return data.rc;
}

}  // namespace

// As Wine's explorer does: a bar's strip is clipped against the taskbar and the bars that
// registered before it, never against later ones.
TEST(SimulatedShell, EarlierBarsAndTheTaskbarKeepTheirStrips) {
    SimulatedShell shell;
    shell.SetTaskbar(Edge::Bottom, 30);
    Send(shell, kAbmNew, 1);
    Send(shell, kAbmNew, 2);
    Send(shell, kAbmSetPos, 1, Edge::Top, Rect{0, 0, 1024, 40});
    EXPECT_EQ(Send(shell, kAbmQueryPos, 2, Edge::Left, Rect{0, 0, 1024, 768}), (Rect{0, 40, 1024, 738}));
    Send(shell, kAbmSetPos, 2, Edge::Left, Rect{0, 40, 60, 738});
    EXPECT_EQ(Send(shell, kAbmQueryPos, 1, Edge::Top, Rect{0, 0, 1024, 768}), (Rect{0, 0, 1024, 738}));
    EXPECT_EQ(shell.WorkArea(), (Rect{60, 40, 1024, 738}));

    Send(shell, kAbmRemove, 1);
    EXPECT_EQ(shell.WorkArea(), (Rect{60, 0, 1024, 738}));
}
