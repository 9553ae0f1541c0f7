// closewindow [--class C] [--caption T] [--child ID] [--timeout S] [--wm-close | --command ID]
// Asks a matching top-level window to close as a user would: the system menu's Close
// (WM_SYSCOMMAND SC_CLOSE), or WM_CLOSE with --wm-close. With --command it chooses the menu
// command ID instead (WM_COMMAND). Exit 0 when a window was found.
#include "ToolCommon.h"

int main() {
    const tool::Args args;
    HWND wnd = nullptr;
    if (!tool::WaitFor(args.match, args.timeout, false, &wnd)) {
        tool::Error(L"closewindow: no such window");
        return 1;
    }
    const std::wstring command = args.Value(L"--command");
    if (!command.empty()) PostMessageW(wnd, WM_COMMAND, static_cast<WPARAM>(_wtoi(command.c_str())), 0);
    else if (args.Has(L"--wm-close")) PostMessageW(wnd, WM_CLOSE, 0, 0);
    else PostMessageW(wnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
}
