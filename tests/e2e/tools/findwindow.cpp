// findwindow [--class C] [--caption T] [--child ID] [--timeout S] [--gone]
// Waits until a matching top-level window exists (with --gone: until none does). Prints the
// caption of the window found. Exit 0 when the wait succeeded, 1 when it timed out.
#include "ToolCommon.h"

int main() {
    const tool::Args args;
    HWND found = nullptr;
    if (!tool::WaitFor(args.match, args.timeout, args.Has(L"--gone"), &found)) {
        tool::Error(L"findwindow: timed out");
        return 1;
    }
    if (found) tool::Print(tool::Text(found));
    return 0;
}
