#include "framework/PropertySheet.h"

#include "framework/Resources.h"

CPropertyPage::CPropertyPage(UINT templateId) : CDialog(templateId) {
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_DEFAULT | PSP_DLGINDIRECT;  // no help button; the template in our language
    m_psp.hInstance = GetModuleHandleW(nullptr);
    m_psp.pResource = LocalizedDialogTemplate(templateId);
    m_psp.pfnDlgProc = &CPropertyPage::PageProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND wnd, UINT msg, WPARAM, LPARAM lp) {
    if (msg != WM_INITDIALOG) return FALSE;
    const auto* psp = reinterpret_cast<const PROPSHEETPAGEW*>(lp);
    return InitDialog(psp ? reinterpret_cast<CPropertyPage*>(psp->lParam) : nullptr, wnd);
}

BOOL CPropertyPage::OnNotify(WPARAM wp, LPARAM lp, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lp);
    switch (header->code) {
    case PSN_KILLACTIVE:
        *result = OnKillActive() ? FALSE : TRUE;  // TRUE keeps the page
        return TRUE;
    case PSN_APPLY: {
        const bool accepted = OnApply() != FALSE;
        if (reinterpret_cast<const PSHNOTIFY*>(lp)->lParam)  // OK, not Apply
            m_okAnswer = accepted ? OkAnswer::kAccepted : OkAnswer::kRefused;
        *result = accepted ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        return TRUE;
    }
    default:
        return CDialog::OnNotify(wp, lp, result);
    }
}

CPropertySheet::CPropertySheet(const std::wstring& caption, CWnd* parent, UINT startPage)
    : m_strCaption(caption), m_pParentWnd(parent) {
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK;
    m_psh.nStartPage = startPage;
}

void CPropertySheet::AddPage(CPropertyPage* page) { m_pages.push_back(page); }

int CALLBACK CPropertySheet::SheetCallback(HWND, UINT msg, LPARAM lp) {
    // Drop the context-help caption button that a sheet carries by default.
    if (msg == PSCB_PRECREATE && lp) {
        auto* tmpl = reinterpret_cast<DLGTEMPLATE*>(lp);
        if (reinterpret_cast<const WORD*>(tmpl)[1] == 0xFFFF)  // DLGTEMPLATEEX
            reinterpret_cast<DWORD*>(tmpl)[3] &= ~static_cast<DWORD>(DS_CONTEXTHELP);
        else
            tmpl->style &= ~static_cast<DWORD>(DS_CONTEXTHELP);
    }
    return 0;
}

INT_PTR CPropertySheet::DoModal() {
    m_pageHeaders.clear();
    for (CPropertyPage* page : m_pages) {
        page->m_okAnswer = OkAnswer::kNone;
        m_pageHeaders.push_back(page->m_psp);
    }
    // The owner is the parent's top-level window: a modal sheet disables only its owner, and a
    // sheet opened over a child (a folder button) must keep the whole bar waiting.
    m_psh.hwndParent = m_pParentWnd && m_pParentWnd->m_hWnd ? GetAncestor(m_pParentWnd->m_hWnd, GA_ROOT) : nullptr;
    m_psh.hInstance = GetModuleHandleW(nullptr);
    m_psh.pszCaption = m_strCaption.c_str();
    m_psh.nPages = static_cast<UINT>(m_pageHeaders.size());
    m_psh.ppsp = m_pageHeaders.data();
    m_psh.pfnCallback = &CPropertySheet::SheetCallback;
    const INT_PTR result = PropertySheetW(&m_psh);
    std::vector<OkAnswer> answers;
    for (const CPropertyPage* page : m_pages) answers.push_back(page->m_okAnswer);
    return SheetEndedWithOk(result, answers) ? IDOK : IDCANCEL;
}
