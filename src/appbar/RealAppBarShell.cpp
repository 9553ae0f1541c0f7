#include "appbar/RealAppBarShell.h"

#include <shellapi.h>

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

ScreenMetrics RealAppBarShell::Metrics() {
    ScreenMetrics m;
    m.cxScreen = GetSystemMetrics(SM_CXSCREEN);
    m.cyScreen = GetSystemMetrics(SM_CYSCREEN);
    m.cxVScroll = GetSystemMetrics(SM_CXVSCROLL);
    m.cyHScroll = GetSystemMetrics(SM_CYHSCROLL);
    m.cxBorder = GetSystemMetrics(SM_CXBORDER);
    m.cyBorder = GetSystemMetrics(SM_CYBORDER);
    m.cxDoubleClk = GetSystemMetrics(SM_CXDOUBLECLK);
    m.cyDoubleClk = GetSystemMetrics(SM_CYDOUBLECLK);
    return m;
}

Rect RealAppBarShell::WorkArea() {
    RECT rc{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0)) {
        rc = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return FromRECT(rc);
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
