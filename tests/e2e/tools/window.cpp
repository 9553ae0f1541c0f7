// window VERB [--class C] [--caption T] [--child ID] [--timeout S] ...
// Waits for a matching top-level window of the program under test, then by VERB:
//   find [--gone]         prints its caption (with --gone: waits until none is left)
//   close [--wm-close | --command ID]
//                         closes it as a user would (the system menu's Close), with WM_CLOSE,
//                         or chooses its menu command ID instead
//   answer [--answer ID]  takes it for a message box (class "#32770", text control 0xFFFF),
//                         prints its text and answers ID (default IDOK)
//   info                  prints the bar's page label (control 1009), "topmost" or "normal",
//                         the rectangles of its page spin (control 1006) and of the bar, each
//                         as "left,top,right,bottom" in screen pixels
// Exit 0 when the wait succeeded, 1 otherwise.
#include "ToolCommon.h"

int main() {
    tool::Args args;
    const std::wstring verb = args.rest.empty() ? L"" : args.rest.front();
    if (verb == L"answer") {
        args.className = L"#32770";
        args.childId = 0xFFFF;
    }
    HWND wnd = nullptr;
    if (!tool::WaitFor(args, verb == L"find" && args.Has(L"--gone"), &wnd)) return tool::Fail(L"window: timed out");
    if (verb == L"find") {
        if (wnd) tool::Print(tool::Text(wnd));
    } else if (verb == L"close") {
        const std::wstring command = args.Value(L"--command");
        if (!command.empty()) PostMessageW(wnd, WM_COMMAND, static_cast<WPARAM>(_wtoi(command.c_str())), 0);
        else if (args.Has(L"--wm-close")) PostMessageW(wnd, WM_CLOSE, 0, 0);
        else PostMessageW(wnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (verb == L"answer") {
        const std::wstring answer = args.Value(L"--answer");
        tool::Print(tool::Text(GetDlgItem(wnd, 0xFFFF)));
        PostMessageW(wnd, WM_COMMAND, MAKEWPARAM(answer.empty() ? IDOK : _wtoi(answer.c_str()), BN_CLICKED), 0);
    } else if (verb == L"info") {
        RECT rc{}, spin{};
        GetWindowRect(wnd, &rc);
        GetWindowRect(GetDlgItem(wnd, 1006), &spin);
        const bool topmost = (GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        wchar_t line[160];
        swprintf(line, 160, L" %ls %ld,%ld,%ld,%ld %ld,%ld,%ld,%ld", topmost ? L"topmost" : L"normal", spin.left,
                 spin.top, spin.right, spin.bottom, rc.left, rc.top, rc.right, rc.bottom);
        tool::Print(tool::Text(GetDlgItem(wnd, 1009)) + line);
    } else {
        return tool::Fail(L"window: no such verb");
    }
    return 0;
}
