#pragma once
// CComboBox: a combo box control bound to an object, with the few messages the pages use.
#include <windows.h>

#include <string>

#include "framework/Wnd.h"

class CComboBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    // -1 clears the selection (and the edit field of a box that has one).
    int SetCurSel(int index) const { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index))); }
    void ResetContent() const { SendMessage(CB_RESETCONTENT); }
    int AddString(const std::wstring& text) const {
        return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    int InsertString(int index, const std::wstring& text) const {
        return static_cast<int>(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str())));
    }
    // Case-insensitive searches from the start of the list: an entry beginning with the text,
    // or an entry equal to it. CB_ERR when there is none.
    int FindString(const std::wstring& text) const {
        return static_cast<int>(SendMessage(CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
    }
    int FindStringExact(const std::wstring& text) const {
        return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
    }
    std::wstring GetLBText(int index) const {
        const LRESULT length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
        if (length == CB_ERR) return {};
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        const LRESULT got = SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
        text.resize(got == CB_ERR ? 0 : static_cast<size_t>(got));
        return text;
    }
    LRESULT GetItemData(int index) const { return SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index)); }
    bool SetItemData(int index, LPARAM data) const {
        return SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(index), data) != CB_ERR;
    }
    // The text of the edit field (or of the selected entry for a drop-down list).
    std::wstring GetText() const { return GetWindowText(); }
    void SetEditSel(int start, int end) const { SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(start, end)); }
    void LimitText(int characters) const { SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(characters)); }
    int GetItemHeight(int index) const { return static_cast<int>(SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(index))); }
    void SetItemHeight(int index, int height) const {
        SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(index), static_cast<LPARAM>(height));
    }
};
