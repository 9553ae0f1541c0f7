#pragma once
// The About box: program icon, name and version, OK, and a button that opens the help.
#include <string>

#include "framework/Dialog.h"

class CAboutDlg : public CDialog {
public:
    // `appDir`: the program's folder, where the help file is.
    CAboutDlg(CWnd* parent, const std::wstring& appDir);

protected:
    BOOL OnCommand(WPARAM wp, LPARAM lp) override;

private:
    std::wstring m_strAppDir;
};
