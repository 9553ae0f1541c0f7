#pragma once
// The system's shell behind the appbar seam.
#include <windows.h>

#include "appbar/AppBarShell.h"

class RealAppBarShell : public varolin::IAppBarShell {
public:
    std::uintptr_t Message(unsigned message, varolin::AppBarData& data) override;
    varolin::ScreenMetrics Metrics(int dpi) override;
    varolin::MonitorList Monitors() override;
    bool DragFullWindows() override;
    std::uint32_t TickCount() override;
};

// The process's real shell (stateless, shared by every bar).
varolin::IAppBarShell& SystemAppBarShell();

inline RECT ToRECT(const varolin::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline varolin::Rect FromRECT(const RECT& r) { return varolin::Rect{r.left, r.top, r.right, r.bottom}; }
