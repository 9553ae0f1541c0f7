#include "app/AboutDlg.h"

#include "app/ShellHelpers.h"
#include "resource.h"

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUT, parent) {}

BOOL CAboutDlg::OnCommand(WPARAM wp, LPARAM lp) {
    if (LOWORD(wp) == IDC_ABOUT_HELP) {
        ShowHelp(L"intro.htm");
        return TRUE;
    }
    return CDialog::OnCommand(wp, lp);
}
