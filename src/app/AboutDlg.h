#pragma once
// The About box: program icon, name and version, OK, and a button that opens the help.
#include "framework/Dialog.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* parent);

protected:
    BOOL OnCommand(WPARAM wp, LPARAM lp) override;
};
