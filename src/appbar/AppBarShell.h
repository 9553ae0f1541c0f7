#pragma once
// The shell as a desktop tool bar sees it: every appbar message, and the monitors, system
// metrics, drag setting and tick counter that the bar's placement depends on. The program
// talks to the real shell (RealAppBarShell); the simulated shell answers the same way without
// one, so the rules that depend on the shell's answers can be exercised anywhere.
#include <cstdint>

#include "appbar/AppBarGeometry.h"
#include "appbar/Monitors.h"

namespace varolin {

// Appbar messages (ABM_*), notifications (ABN_*) and taskbar state bits (ABS_*), with the
// shell's values.
inline constexpr unsigned kAbmNew = 0;
inline constexpr unsigned kAbmRemove = 1;
inline constexpr unsigned kAbmQueryPos = 2;
inline constexpr unsigned kAbmSetPos = 3;
inline constexpr unsigned kAbmGetState = 4;
inline constexpr unsigned kAbmActivate = 6;
inline constexpr unsigned kAbmGetAutoHideBar = 7;
inline constexpr unsigned kAbmSetAutoHideBar = 8;
inline constexpr unsigned kAbmWindowPosChanged = 9;

inline constexpr unsigned kAbnStateChange = 0;
inline constexpr unsigned kAbnPosChanged = 1;
inline constexpr unsigned kAbnFullScreenApp = 2;
inline constexpr unsigned kAbnWindowArrange = 3;

inline constexpr unsigned kAbsAutoHide = 1;
inline constexpr unsigned kAbsAlwaysOnTop = 2;

// The fields of the shell's APPBARDATA that a bar fills. `window` is the bar's window handle.
struct AppBarData {
    std::uintptr_t window = 0;
    unsigned callbackMessage = 0;
    unsigned edge = 0;
    Rect rc{};
    std::intptr_t lParam = 0;
};

class IAppBarShell {
public:
    virtual ~IAppBarShell() = default;
    // Sends one appbar message; the shell's rectangle comes back in data.rc.
    virtual std::uintptr_t Message(unsigned message, AppBarData& data) = 0;
    // The system metrics at `dpi`.
    virtual ScreenMetrics Metrics(int dpi) = 0;
    // The monitors now, the primary first, each with its work area and DPI.
    virtual MonitorList Monitors() = 0;
    // Whether windows show their contents while dragged (the slide animates only then).
    virtual bool DragFullWindows() = 0;
    // Milliseconds since the system started, wrapping at 2^32.
    virtual std::uint32_t TickCount() = 0;
};

}  // namespace varolin
