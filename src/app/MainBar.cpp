#include "app/MainBar.h"

#include <commctrl.h>

#include "app/AppGlobals.h"
#include "app/BarLayout.h"
#include "app/Settings.h"
#include "resource.h"

CMainBar::CMainBar() : CDialog(IDD_MAIN_BAR) {}

BOOL CMainBar::OnInitDialog() {
    CDialog::OnInitDialog();
    const BarSettings settings = LoadSettings();
    CreateButtonFonts(settings.logFont);
    const std::wstring label = varolin::PageLabelText(settings.nSelGroup, settings.nGroupCount, false);
    SetDlgItemTextW(m_hWnd, IDC_PAGE_LABEL, label.c_str());
    SendDlgItemMessageW(m_hWnd, IDC_PAGE_SPIN, UDM_SETRANGE, 0, MAKELPARAM(1, 0));

    // The template's caption is dropped at creation; a floating bar carries it and its system
    // menu, keeping its client area.
    const RECT client = GetClientRect();
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_STYLE)) | WS_CAPTION | WS_SYSMENU;
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE));
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, style);
    RECT outer = client;
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    SetWindowPos(m_hWnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}
