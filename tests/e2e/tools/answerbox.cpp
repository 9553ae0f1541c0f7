// answerbox [--caption T] [--timeout S] [--answer ID]
// Waits for a message box (a "#32770" window with the message text control 0xFFFF), prints
// its text, and answers it with WM_COMMAND ID (default IDOK). Exit 0 when answered.
#include "ToolCommon.h"

int main() {
    tool::Args args;
    args.match.className = L"#32770";
    args.match.childId = 0xFFFF;
    int answer = IDOK;
    for (size_t i = 0; i + 1 < args.rest.size(); ++i)
        if (args.rest[i] == L"--answer") answer = std::wcstol(args.rest[i + 1].c_str(), nullptr, 0);
    HWND box = nullptr;
    if (!tool::WaitFor(args.match, args.timeout, false, &box)) {
        tool::Error(L"answerbox: no message box");
        return 1;
    }
    tool::Print(tool::Text(GetDlgItem(box, 0xFFFF)));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    return 0;
}
