#pragma once
// Property sheets whose pages are CDialog objects; each page travels in its PROPSHEETPAGE's
// lParam and binds when the sheet creates it.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "framework/SheetOutcome.h"

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId);

    // PSN_KILLACTIVE: validates the page's data; FALSE keeps the page (and the sheet) open.
    virtual BOOL OnKillActive() { return UpdateData(true) ? TRUE : FALSE; }
    // PSN_APPLY, sent to every page that was created when the sheet ends with OK; FALSE keeps
    // the sheet open.
    virtual BOOL OnApply() { return TRUE; }

protected:
    BOOL OnNotify(WPARAM wp, LPARAM lp, LRESULT* result) override;
    // A page has no OK or Cancel of its own: those belong to the sheet.
    void OnOK() override {}
    void OnCancel() override {}

private:
    static INT_PTR CALLBACK PageProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    PROPSHEETPAGEW m_psp{};
    OkAnswer m_okAnswer = OkAnswer::kNone;  // for the sheet's run, which tells OK from it
    friend class CPropertySheet;
};

class CPropertySheet {
public:
    CPropertySheet(const std::wstring& caption, CWnd* parent, UINT startPage = 0);

    void AddPage(CPropertyPage* page);  // borrowed: pages outlive the sheet's run
    // IDOK when the sheet ended with OK (whatever PropertySheet returned), IDCANCEL otherwise.
    INT_PTR DoModal();

private:
    PROPSHEETHEADERW m_psh{};
    static int CALLBACK SheetCallback(HWND wnd, UINT msg, LPARAM lp);
    std::wstring m_strCaption;
    CWnd* m_pParentWnd;  // borrowed
    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGEW> m_pageHeaders;
};
