#pragma once
// Window messages for bar tests: the simulated shell's callbacks delivered to a bar's real
// window, and a user's drag as the system's move loop reports it.
#include <windows.h>

#include "support/SimulatedShell.h"

inline varolin::SimulatedShell::NotifySink WindowMessageSink() {
    return [](std::uintptr_t window, unsigned message, std::uintptr_t code, std::intptr_t lParam) {
        SendMessageW(reinterpret_cast<HWND>(window), message, code, lParam);
    };
}

// Puts the cursor at `pt` and retrieves a message posted there, so that GetMessagePos (the
// position a handler reads) is `pt`; again while the window system still reports older moves.
inline void SetMessageCursor(HWND wnd, POINT pt) {
    constexpr UINT kProbe = WM_APP + 0x3FF;
    for (int tries = 0; tries < 100 && GetMessagePos() != static_cast<DWORD>(MAKELONG(pt.x, pt.y)); ++tries) {
        SetCursorPos(pt.x, pt.y);
        PostMessageW(wnd, kProbe, 0, 0);
        MSG msg;
        PeekMessageW(&msg, wnd, kProbe, kProbe, PM_REMOVE);
    }
}

// Drags `bar` with the mouse to `cursor`: the move loop starts, reports one move, places the
// window where the bar asked, and ends.
inline void DragBar(HWND bar, POINT cursor) {
    SendMessageW(bar, WM_ENTERSIZEMOVE, 0, 0);
    SetMessageCursor(bar, cursor);
    RECT rc{};
    GetWindowRect(bar, &rc);
    SendMessageW(bar, WM_MOVING, 0, reinterpret_cast<LPARAM>(&rc));
    SetWindowPos(bar, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER);
    SendMessageW(bar, WM_EXITSIZEMOVE, 0, 0);
}
