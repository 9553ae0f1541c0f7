#include "support/SimulatedShell.h"

#include <gtest/gtest.h>

using namespace varolin;

namespace {

std::uintptr_t Send(SimulatedShell& shell, unsigned message, std::uintptr_t window, int edge,
                    Rect* rc = nullptr, std::intptr_t lParam = 0) {
    AppBarData data{window, 0xC123, static_cast<unsigned>(edge), rc ? *rc : Rect{}, lParam};
    const std::uintptr_t result = shell.Message(message, data);
    if (rc) *rc = data.rc;
    return result;
}

}  // namespace

TEST(SimulatedShell, EarlierBarsAndTheTaskbarKeepTheirStrips) {
    SimulatedShell shell;
    shell.SetTaskbar(kEdgeBottom, 30);
    Send(shell, kAbmNew, 1, 0);
    Send(shell, kAbmNew, 2, 0);
    Rect rc{0, 0, 1024, 40};
    Send(shell, kAbmSetPos, 1, kEdgeTop, &rc);

    rc = Rect{0, 0, 1024, 768};
    Send(shell, kAbmQueryPos, 2, kEdgeLeft, &rc);
    EXPECT_EQ(rc, (Rect{0, 40, 1024, 738}));
    rc = Rect{0, 40, 60, 738};
    Send(shell, kAbmSetPos, 2, kEdgeLeft, &rc);
    rc = Rect{0, 0, 1024, 768};
    Send(shell, kAbmQueryPos, 1, kEdgeTop, &rc);  // not pushed back by the later bar
    EXPECT_EQ(rc, (Rect{0, 0, 1024, 738}));
    EXPECT_EQ(shell.WorkArea(), (Rect{60, 40, 1024, 738}));

    Send(shell, kAbmRemove, 1, 0);
    EXPECT_EQ(shell.WorkArea(), (Rect{60, 0, 1024, 738}));
}
