#pragma once
// The system's shell behind the appbar seam, and the glue that lets the simulated shell deliver
// its notifications to real windows.
#include <windows.h>

#include "appbar/AppBarShell.h"
#include "appbar/SimulatedShell.h"

class RealAppBarShell : public varolin::IAppBarShell {
public:
    std::uintptr_t Message(unsigned message, varolin::AppBarData& data) override;
    varolin::ScreenMetrics Metrics() override;
    varolin::Rect WorkArea() override;
    bool DragFullWindows() override;
    std::uint32_t TickCount() override;
};

// The process's real shell (stateless, shared by every bar).
varolin::IAppBarShell& SystemAppBarShell();

// A notification sink that sends the callback message to the bar's window.
varolin::SimulatedShell::NotifySink WindowMessageSink();

inline RECT ToRECT(const varolin::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline varolin::Rect FromRECT(const RECT& r) { return varolin::Rect{r.left, r.top, r.right, r.bottom}; }
