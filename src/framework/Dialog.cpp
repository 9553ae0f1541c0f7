#include "framework/Dialog.h"

#include <cwchar>

#include "framework/DebugReport.h"
#include "framework/Strings.h"
#include "framework/FrameworkIds.h"
#include "framework/Resources.h"

namespace {
// Thrown only inside UpdateData, which catches it.
struct DataExchangeFailure {};

std::wstring ReplaceArg(std::wstring text, const wchar_t* marker, const std::wstring& value) {
    const size_t at = text.find(marker);
    if (at != std::wstring::npos) text.replace(at, std::wcslen(marker), value);
    return text;
}

// A key for another dialog of this thread (a modeless one such as a progress window, beside the
// modal one) goes to that dialog's manager: Tab, Enter and Escape work there as anywhere.
bool IsOtherDialogsKey(HWND modal, MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return false;
    const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (!root || root == modal) return false;
    wchar_t name[8] = {};
    if (!GetClassNameW(root, name, 8) || std::wcscmp(name, L"#32770") != 0) return false;
    return IsDialogMessageW(root, &msg) != FALSE;
}

bool ParseInt(const std::wstring& text, int& value) {
    size_t i = 0;
    while (i < text.size() && iswspace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    long long result = 0;
    size_t digits = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i, ++digits) {
        result = result * 10 + (text[i] - L'0');
        if (result > 0x80000000LL) return false;
    }
    while (i < text.size() && iswspace(text[i])) ++i;
    if (digits == 0 || i != text.size()) return false;
    if (negative) result = -result;
    if (result > 0x7FFFFFFF || result < -0x7FFFFFFFLL - 1) return false;
    value = static_cast<int>(result);
    return true;
}
}  // namespace

HWND CDataExchange::PrepareCtrl(int id) {
    m_lastControl = m_pDlgWnd->GetDlgItem(id);
    m_lastIsEdit = false;
    return m_lastControl;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
    PrepareCtrl(id);
    m_lastIsEdit = true;
    return m_lastControl;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && m_lastControl) {
        SetFocus(m_lastControl);
        if (m_lastIsEdit) SendMessageW(m_lastControl, EM_SETSEL, 0, -1);
    }
    throw DataExchangeFailure{};
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal() {
    m_bModal = true;
    m_bEnded = false;
    m_nModalResult = -1;
    // A dialog over a child window (a button) is owned by its top-level window, so that the
    // whole window waits, not just the child.
    HWND parent = m_pParentWnd && m_pParentWnd->m_hWnd ? GetAncestor(m_pParentWnd->m_hWnd, GA_ROOT) : nullptr;
    HWND wnd = MakeFromTemplate(parent);
    if (!wnd) {
        ReportFailure(L"modal dialog", GetLastError());
        return -1;
    }
    const bool disableParent = parent && IsWindowEnabled(parent);
    if (disableParent) EnableWindow(parent, FALSE);
    if (!m_bEnded && !::IsWindowVisible(wnd)) ::ShowWindow(wnd, SW_SHOW);

    MSG msg{};
    bool quit = false;
    while (!m_bEnded && IsWindow(wnd)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            quit = got == 0;
            break;
        }
        if (IsOtherDialogsKey(wnd, msg)) continue;
        if (PreTranslateMessage(&msg)) continue;
        if (IsDialogMessageW(wnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }

    // Re-enable the owner before the dialog goes, so activation returns to it.
    if (disableParent) EnableWindow(parent, TRUE);
    if (IsWindow(wnd)) ::DestroyWindow(wnd);
    if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
    return m_nModalResult;
}

bool CDialog::Create(HWND parent) {
    m_bModal = false;
    return MakeFromTemplate(parent) != nullptr;
}

HWND CDialog::MakeFromTemplate(HWND parent) {
    const DLGTEMPLATE* tmpl = LocalizedDialogTemplate(m_nIDTemplate);
    return tmpl ? CreateDialogIndirectParamW(GetModuleHandleW(nullptr), tmpl, parent, &CDialog::DialogProc,
                                             reinterpret_cast<LPARAM>(this))
                : nullptr;
}

void CDialog::EndDialog(int result) {
    if (!m_hWnd) return;
    m_nModalResult = result;
    if (m_bModal) {
        m_bEnded = true;
        PostMessage(WM_NULL);  // wakes the modal loop
    } else {
        DestroyWindow();
    }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND wnd, UINT msg, WPARAM, LPARAM lp) {
    // Every later message reaches the object through the subclassed window procedure.
    if (msg != WM_INITDIALOG) return FALSE;
    return InitDialog(reinterpret_cast<CDialog*>(lp), wnd);
}

INT_PTR CDialog::InitDialog(CDialog* dialog, HWND wnd) {
    if (!dialog) return TRUE;
    dialog->SubclassWindow(wnd);
    try {
        return dialog->OnInitDialog();
    } catch (...) {
        return TRUE;
    }
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
        return true;
    } catch (const DataExchangeFailure&) {
        return false;
    }
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnCommand(WPARAM wp, LPARAM) {
    switch (LOWORD(wp)) {
    case IDOK: OnOK(); return TRUE;
    case IDCANCEL: OnCancel(); return TRUE;
    default: return FALSE;
    }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (!control.m_hWnd) control.SubclassDlgItem(static_cast<UINT>(id), dx->m_pDlgWnd);
}

void DDX_Text(CDataExchange* dx, int id, std::wstring& value) {
    HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = WindowText(control);
    else
        SetWindowTextW(control, value.c_str());
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
    HWND control = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextW(control, std::to_wstring(value).c_str());
        return;
    }
    if (!ParseInt(WindowText(control), value)) {
        AppMessageBox(dx->m_pDlgWnd->m_hWnd, IDS_DDX_PARSE_INT, MB_OK | MB_ICONEXCLAMATION);
        dx->Fail();
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(SendMessageW(control, BM_GETCHECK, 0, 0));
    else
        SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue) {
    if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
    std::wstring text = ReplaceArg(LoadStr(IDS_DDX_INT_RANGE), L"%1", std::to_wstring(minValue));
    text = ReplaceArg(std::move(text), L"%2", std::to_wstring(maxValue));
    AppMessageBox(dx->m_pDlgWnd->m_hWnd, text, MB_OK | MB_ICONEXCLAMATION);
    dx->Fail();
}

void DDV_MaxBytes(CDataExchange* dx, const std::wstring& value, int maxBytes) {
    if (!dx->m_bSaveAndValidate) return;
    if (WideToAnsi(value).size() <= static_cast<size_t>(maxBytes)) return;
    const std::wstring text = ReplaceArg(LoadStr(IDS_DDX_TEXT_TOO_LONG), L"%1", std::to_wstring(maxBytes));
    AppMessageBox(dx->m_pDlgWnd->m_hWnd, text, MB_OK | MB_ICONEXCLAMATION);
    dx->Fail();
}
