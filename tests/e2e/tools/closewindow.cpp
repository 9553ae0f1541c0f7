// closewindow [--class C] [--caption T] [--child ID] [--timeout S] [--wm-close]
// Asks a matching top-level window to close as a user would: the system menu's Close
// (WM_SYSCOMMAND SC_CLOSE), or WM_CLOSE with --wm-close. Exit 0 when a window was found.
#include "ToolCommon.h"

int main() {
    const tool::Args args;
    HWND wnd = nullptr;
    if (!tool::WaitFor(args.match, args.timeout, false, &wnd)) {
        tool::Error(L"closewindow: no such window");
        return 1;
    }
    if (args.Has(L"--wm-close")) PostMessageW(wnd, WM_CLOSE, 0, 0);
    else PostMessageW(wnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
}
