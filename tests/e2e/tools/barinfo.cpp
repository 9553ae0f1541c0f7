// barinfo [--class C] [--caption T] [--child ID] [--timeout S]
// Waits for the bar and prints one line: the page label's text (control 1009), "topmost" or
// "normal", the page spin's rectangle (control 1006) and the bar's, each as
// "left,top,right,bottom" in screen pixels.
#include "ToolCommon.h"

int main() {
    const tool::Args args;
    HWND bar = nullptr;
    if (!tool::WaitFor(args.match, args.timeout, false, &bar) || !bar) {
        tool::Error(L"barinfo: timed out");
        return 1;
    }
    RECT rc{}, spin{};
    GetWindowRect(bar, &rc);
    GetWindowRect(GetDlgItem(bar, 1006), &spin);
    const bool topmost = (GetWindowLongW(bar, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    wchar_t line[160];
    swprintf(line, 160, L" %ls %ld,%ld,%ld,%ld %ld,%ld,%ld,%ld", topmost ? L"topmost" : L"normal", spin.left, spin.top,
             spin.right, spin.bottom, rc.left, rc.top, rc.right, rc.bottom);
    tool::Print(tool::Text(GetDlgItem(bar, 1009)) + line);
    return 0;
}
