#pragma once
// CPrpText: the text page of a folder button's property sheet: title, folder, optional program
// in that folder, and whether the button refuses drops.
#include <windows.h>

#include <string>

#include "framework/PropertySheet.h"

class CPrpText : public CPropertyPage {
public:
    CPrpText();

    // Loaded before the sheet runs and read back after OK. After every exchange from the
    // controls the folder ends in a backslash and title and program carry no trailing blanks.
    std::wstring m_strTitle;
    std::wstring m_strProgram;  // a file name in m_strFolder, never a path
    std::wstring m_strFolder;
    int m_bNoDrop = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wp, LPARAM lp) override;

    void OnBrowseFolder();
    void OnBrowseProgram();
    void OnProgramCheck();

private:
    void UpdateProgramControls();

    CWnd m_editProgram;
    CWnd m_editFolder;
    CWnd m_btnBrowseFolder;
    CWnd m_btnBrowseProgram;
    CWnd m_chkProgram;
    CWnd m_chkNoDrop;
};
