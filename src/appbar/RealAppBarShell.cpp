#include "appbar/RealAppBarShell.h"

#include <shellapi.h>
#include <shellscalingapi.h>

using namespace varolin;

static_assert(kAbmNew == ABM_NEW && kAbmRemove == ABM_REMOVE && kAbmQueryPos == ABM_QUERYPOS &&
              kAbmSetPos == ABM_SETPOS && kAbmGetState == ABM_GETSTATE && kAbmActivate == ABM_ACTIVATE &&
              kAbmGetAutoHideBar == ABM_GETAUTOHIDEBAR && kAbmSetAutoHideBar == ABM_SETAUTOHIDEBAR &&
              kAbmWindowPosChanged == ABM_WINDOWPOSCHANGED);
static_assert(kAbnStateChange == ABN_STATECHANGE && kAbnPosChanged == ABN_POSCHANGED &&
              kAbnFullScreenApp == ABN_FULLSCREENAPP && kAbnWindowArrange == ABN_WINDOWARRANGE);
static_assert(kAbsAutoHide == ABS_AUTOHIDE && kAbsAlwaysOnTop == ABS_ALWAYSONTOP);
static_assert(static_cast<int>(Edge::Left) == ABE_LEFT && static_cast<int>(Edge::Top) == ABE_TOP &&
              static_cast<int>(Edge::Right) == ABE_RIGHT && static_cast<int>(Edge::Bottom) == ABE_BOTTOM);

std::uintptr_t RealAppBarShell::Message(unsigned message, AppBarData& data) {
    // The structure's own size: the 36 bytes of 32-bit Windows would be refused by a 64-bit shell.
    APPBARDATA abd{};
    abd.cbSize = sizeof(abd);
    abd.hWnd = reinterpret_cast<HWND>(data.window);
    abd.uCallbackMessage = data.callbackMessage;
    abd.uEdge = data.edge;
    abd.rc = ToRECT(data.rc);
    abd.lParam = data.lParam;
    const UINT_PTR result = SHAppBarMessage(message, &abd);
    data.rc = FromRECT(abd.rc);
    return result;
}

ScreenMetrics RealAppBarShell::Metrics(int dpi) {
    const UINT at = static_cast<UINT>(dpi > 0 ? dpi : kDefaultDpi);
    ScreenMetrics m;
    m.cxVScroll = GetSystemMetricsForDpi(SM_CXVSCROLL, at);
    m.cyHScroll = GetSystemMetricsForDpi(SM_CYHSCROLL, at);
    m.cxBorder = GetSystemMetricsForDpi(SM_CXBORDER, at);
    m.cyBorder = GetSystemMetricsForDpi(SM_CYBORDER, at);
    // Not DPI-dependent in the system: the double-click rectangle is a user setting in pixels.
    m.cxDoubleClk = GetSystemMetrics(SM_CXDOUBLECLK);
    m.cyDoubleClk = GetSystemMetrics(SM_CYDOUBLECLK);
    return m;
}

namespace {

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, RECT*, LPARAM lp) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(handle, &info)) return TRUE;
    UINT dpiX = kDefaultDpi, dpiY = kDefaultDpi;
    if (FAILED(GetDpiForMonitor(handle, MDT_EFFECTIVE_DPI, &dpiX, &dpiY))) dpiX = kDefaultDpi;
    auto& monitors = *reinterpret_cast<MonitorList*>(lp);
    Monitor monitor{info.szDevice, FromRECT(info.rcMonitor), FromRECT(info.rcWork), static_cast<int>(dpiX)};
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        monitors.insert(monitors.begin(), std::move(monitor));
    else
        monitors.push_back(std::move(monitor));
    return TRUE;
}

}  // namespace

MonitorList RealAppBarShell::Monitors() {
    MonitorList monitors;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty()) {
        // No answer at all: the primary screen as the system metrics describe it.
        const Rect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        monitors.push_back(Monitor{L"", screen, screen, static_cast<int>(GetDpiForSystem())});
    }
    return monitors;
}

bool RealAppBarShell::DragFullWindows() {
    BOOL full = FALSE;
    return SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &full, 0) && full;
}

std::uint32_t RealAppBarShell::TickCount() { return GetTickCount(); }

IAppBarShell& SystemAppBarShell() {
    static RealAppBarShell shell;
    return shell;
}
