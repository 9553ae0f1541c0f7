#pragma once
// COptCommon: the options sheet's first page ("各種設定"): page count, new-mark days, file
// counts in titles, the hotkey that activates the bar, and how name conflicts of drops are
// renamed.
#include <windows.h>

#include "dialogs/ComboBox.h"
#include "framework/PropertySheet.h"

class COptCommon : public CPropertyPage {
public:
    COptCommon();

    // Loaded before the sheet runs, read back after OK.
    int m_nGroupCount = 0;     // 1..99
    int m_nDaysNew = 0;        // 0..99
    int m_bDisplayCount = 0;   // check box: 0 or 1
    int m_nRenameFormat = 0;   // 0..3; another value is shown as no selection and kept
    int m_bRenameConfirm = 0;  // check box: 0 or 1
    int m_nHotKey = 0;         // the hotkey control's value; 0: none

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wp, LPARAM lp) override;

private:
    void OnSelchangeRenameFormat();
    void OnClearHotKey();

    CWnd m_spinGroupCount;
    CWnd m_spinDaysNew;
    CComboBox m_cbRenameFormat;
    CWnd m_hotKey;
};
