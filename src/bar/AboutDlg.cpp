#include "bar/AboutDlg.h"

#include "shell/ShellHelpers.h"
#include "resource.h"

CAboutDlg::CAboutDlg(CWnd* parent, const std::wstring& appDir) : CDialog(IDD_ABOUT, parent), m_strAppDir(appDir) {}

BOOL CAboutDlg::OnCommand(WPARAM wp, LPARAM lp) {
    if (LOWORD(wp) == IDC_ABOUT_HELP) {
        ShowHelp(m_strAppDir, L"intro.htm");
        return TRUE;
    }
    return CDialog::OnCommand(wp, lp);
}
