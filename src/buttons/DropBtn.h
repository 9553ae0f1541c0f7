#pragma once
// CDropBtn: one folder button, a child window of its page. It holds its stored record and
// frees itself when its window is destroyed.
#include <windows.h>

#include <string>

#include "buttons/ButtonRecord.h"
#include "framework/Handles.h"
#include "framework/Wnd.h"

class CGroupWnd;

class CDropBtn : public CWnd, public varolin::ButtonRecord {
public:
    // A button read from a group file; its window comes with CreateButton.
    explicit CDropBtn(const varolin::ButtonRecord& record);
    // A new button: stores the strings without trailing white space, then creates the window.
    CDropBtn(const std::wstring& program, const std::wstring& title, const std::wstring& folder,
             COLORREF crText, COLORREF crBack, const std::wstring& className, const RECT& rect,
             CGroupWnd* group);

    bool CreateButton(const std::wstring& className, const RECT& rect, CGroupWnd* group);
    const varolin::ButtonRecord& Record() const { return *this; }

    CGroupWnd* m_pGroup = nullptr;  // borrowed: the page that lists this button
    OwnedBrush m_brBack;
    BOOL m_bPressed = FALSE;
    int m_nFileCount = 0;
    BOOL m_bNewMark = FALSE;

protected:
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnPaint() override;
    void PostNcDestroy() override { delete this; }

    void MakeBackBrush();
};
