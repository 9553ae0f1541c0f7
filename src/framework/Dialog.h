#pragma once
// CDialog: dialogs from templates, run modally (or modeless for tests), with data exchange.
#include <windows.h>

#include <string>

#include "framework/Wnd.h"

class CDialog;

// Carries one UpdateData pass: loading controls from members, or saving and validating them.
class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    CDialog* m_pDlgWnd;
    bool m_bSaveAndValidate;

    HWND PrepareCtrl(int id);      // remembers the control a later failure refers to
    HWND PrepareEditCtrl(int id);  // the same, and a failure selects its text
    // Ends the pass as failed; the dialog stays open with the offending control focused.
    [[noreturn]] void Fail();

private:
    HWND m_lastControl = nullptr;
    bool m_lastIsEdit = false;
};

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Runs the dialog in its own modal loop (disabling the parent), so PreTranslateMessage sees
    // every message first, as the bar needs for Esc and Enter.
    INT_PTR DoModal();
    // Modeless creation, for embedding and tests; EndDialog then destroys the window.
    bool Create(HWND parent);
    void EndDialog(int result);
    // Runs DoDataExchange; false when a check failed (its warning has been shown).
    bool UpdateData(bool saveAndValidate = true);

    virtual BOOL OnInitDialog();
    // Return TRUE to swallow a message before the dialog manager sees it.
    virtual BOOL PreTranslateMessage(MSG*) { return FALSE; }
    virtual void OnOK();
    virtual void OnCancel();

protected:
    virtual void DoDataExchange(CDataExchange*) {}
    BOOL OnCommand(WPARAM wp, LPARAM lp) override;

    // The dialog procedure: binds the object at WM_INITDIALOG, then routes every message of
    // the dialog through CWnd's dispatch with the dialog manager as the default procedure.
    static INT_PTR CALLBACK DialogProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    static INT_PTR InitDialog(CDialog* dialog, HWND wnd);
    // The window from the template in the program's language, bound to this object; or null.
    HWND MakeFromTemplate(HWND parent);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;  // borrowed
    bool m_bModal = false;
    bool m_bEnded = false;
    INT_PTR m_nModalResult = -1;
};

// Exchange helpers: on load they fill the control, on save they read and validate it.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, std::wstring& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);
// The limit counts bytes in the system's ANSI code page, as stored data does.
void DDV_MaxBytes(CDataExchange* dx, const std::wstring& value, int maxBytes);
