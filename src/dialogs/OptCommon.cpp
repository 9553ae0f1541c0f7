#include "dialogs/OptCommon.h"

#include <commctrl.h>

#include "settings/SettingsRecords.h"
#include "framework/Strings.h"
#include "resource.h"

namespace {
constexpr int kMinDaysNew = 0;
constexpr int kMaxDaysNew = 99;
}  // namespace

COptCommon::COptCommon() : CPropertyPage(IDD_OPT_COMMON) {}

BOOL COptCommon::OnInitDialog() {
    // The four samples go in first, as a template's initial data would.
    HWND list = GetDlgItem(IDC_RENAME_FORMAT);
    for (UINT id = IDS_RENAME_SAMPLE_FIRST; id <= IDS_RENAME_SAMPLE_LAST; ++id)
        ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LoadStr(id).c_str()));
    CPropertyPage::OnInitDialog();

    m_spinGroupCount.SendMessage(UDM_SETRANGE32, varolin::kMinGroupCount, varolin::kMaxGroupCount);
    m_spinDaysNew.SendMessage(UDM_SETRANGE32, kMinDaysNew, kMaxDaysNew);
    const bool known = m_nRenameFormat >= 0 && m_nRenameFormat < varolin::kRenameFormatCount;
    m_cbRenameFormat.SetCurSel(known ? m_nRenameFormat : -1);
    // A chord of Shift alone or of no modifier would take a typing key from every program:
    // the control makes it Ctrl+Shift.
    m_hotKey.SendMessage(HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_SHIFT, 0));
    return TRUE;
}

void COptCommon::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_DAYS_NEW_SPIN, m_spinDaysNew);
    DDX_Control(dx, IDC_GROUP_COUNT_SPIN, m_spinGroupCount);
    DDX_Check(dx, IDC_RENAME_CONFIRM, m_bRenameConfirm);
    DDX_Control(dx, IDC_RENAME_FORMAT, m_cbRenameFormat);
    DDX_Check(dx, IDC_DISPLAY_COUNT, m_bDisplayCount);
    DDX_Control(dx, IDC_HOT_KEY, m_hotKey);
    if (dx->m_bSaveAndValidate) m_nHotKey = static_cast<int>(LOWORD(m_hotKey.SendMessage(HKM_GETHOTKEY)));
    else m_hotKey.SendMessage(HKM_SETHOTKEY, static_cast<WPARAM>(m_nHotKey & 0xFFFF));
    DDX_Text(dx, IDC_GROUP_COUNT, m_nGroupCount);
    DDV_MinMaxInt(dx, m_nGroupCount, varolin::kMinGroupCount, varolin::kMaxGroupCount);
    DDX_Text(dx, IDC_DAYS_NEW, m_nDaysNew);
    DDV_MinMaxInt(dx, m_nDaysNew, kMinDaysNew, kMaxDaysNew);
}

BOOL COptCommon::OnCommand(WPARAM wp, LPARAM lp) {
    if (LOWORD(wp) == IDC_RENAME_FORMAT && HIWORD(wp) == CBN_SELCHANGE) {
        OnSelchangeRenameFormat();
        return TRUE;
    }
    if (LOWORD(wp) == IDC_HOT_KEY_CLEAR && HIWORD(wp) == BN_CLICKED) {
        OnClearHotKey();
        return TRUE;
    }
    return CPropertyPage::OnCommand(wp, lp);
}

void COptCommon::OnSelchangeRenameFormat() {
    // Only a choice of the user changes the format: a stored value the list cannot show
    // survives the sheet.
    const int index = m_cbRenameFormat.GetCurSel();
    if (index >= 0) m_nRenameFormat = index;
}

void COptCommon::OnClearHotKey() {
    m_hotKey.SendMessage(HKM_SETHOTKEY, 0);
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_hotKey.m_hWnd), TRUE);
}
