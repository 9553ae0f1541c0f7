// The baselines of the start-up benchmark: the least a dialog-based program can be, built with
// the same compiler, options and static run-time as the bar and started the same way. Built a
// second time with BASELINE_WITH_LIBRARIES: then it also starts, before its dialog, the system
// libraries the bar cannot start without (OLE for drops, the common controls for its spin,
// the shell for the appbar), under the bar's own manifest, so that the bar's own share of its
// start-up can be told from theirs.
#include <windows.h>

#ifdef BASELINE_WITH_LIBRARIES
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>
#endif

namespace {
constexpr int kDialogId = 100;

INT_PTR CALLBACK BaselineProc(HWND dialog, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND && (LOWORD(wp) == IDCANCEL || LOWORD(wp) == IDOK)) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef BASELINE_WITH_LIBRARIES
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    APPBARDATA data{};
    data.cbSize = sizeof(data);
    SHAppBarMessage(ABM_GETSTATE, &data);  // the bar's first question to the shell
#endif
    DialogBoxParamW(instance, MAKEINTRESOURCEW(kDialogId), nullptr, BaselineProc, 0);
#ifdef BASELINE_WITH_LIBRARIES
    OleUninitialize();
#endif
    return 0;
}
