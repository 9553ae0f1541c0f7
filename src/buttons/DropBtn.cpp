#include "buttons/DropBtn.h"

#include "app/AppGlobals.h"
#include "groups/GroupWnd.h"

CDropBtn::CDropBtn(const varolin::ButtonRecord& record) : varolin::ButtonRecord(record) { MakeBackBrush(); }

CDropBtn::CDropBtn(const std::wstring& program, const std::wstring& title, const std::wstring& folder,
                   COLORREF crText, COLORREF crBack, const std::wstring& className, const RECT& rect,
                   CGroupWnd* group) {
    SetProgram(program);
    SetTitle(title);
    SetFolder(folder);
    m_crText = crText;
    m_crBack = crBack;
    m_bNoDrop = 0;
    MakeBackBrush();
    CreateButton(className, rect, group);
}

void CDropBtn::MakeBackBrush() { m_brBack.Reset(CreateSolidBrush(m_crBack)); }

bool CDropBtn::CreateButton(const std::wstring& className, const RECT& rect, CGroupWnd* group) {
    m_bPressed = FALSE;
    m_pGroup = group;
    m_nFileCount = 0;
    m_bNewMark = FALSE;
    return CreateEx(0, className.c_str(), L"", WS_CHILD | WS_VISIBLE, rect, group->m_hWnd, 0);
}

BOOL CDropBtn::OnEraseBkgnd(HDC dc) {
    const RECT rc = GetClientRect();
    FillRect(dc, &rc, m_brBack.Get());
    return TRUE;
}

void CDropBtn::OnPaint() {
    PaintScope paint(m_hWnd);
    HDC dc = paint.Dc();
    RECT rc = GetClientRect();
    DrawEdge(dc, &rc, EDGE_RAISED, BF_RECT);
    SelectScope font(dc, g_fontButton ? static_cast<HGDIOBJ>(g_fontButton.Get()) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, m_crText);
    InflateRect(&rc, -3, -3);
    DrawTextW(dc, m_strTitle.c_str(), static_cast<int>(m_strTitle.size()), &rc,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}
