#include "dialogs/ColorSwatch.h"

#include "framework/Handles.h"

namespace {

void FillSolid(HDC dc, int left, int top, int right, int bottom, HBRUSH brush) {
    const RECT rc{left, top, right, bottom};
    FillRect(dc, &rc, brush);
}

// One-pixel frame: top and left in one colour, right and bottom in another.
void DrawBevel(HDC dc, const RECT& rc, HBRUSH topLeft, HBRUSH bottomRight) {
    FillSolid(dc, rc.left, rc.top, rc.right - 1, rc.top + 1, topLeft);
    FillSolid(dc, rc.left, rc.top, rc.left + 1, rc.bottom - 1, topLeft);
    FillSolid(dc, rc.right - 1, rc.top, rc.right, rc.bottom, bottomRight);
    FillSolid(dc, rc.left, rc.bottom - 1, rc.right, rc.bottom, bottomRight);
}

}  // namespace

bool CColorSwatch::BindControl(UINT id, CWnd* page, int index, HPALETTE palette) {
    m_hPalette = palette;
    m_crColor = PALETTEINDEX(static_cast<WORD>(index));
    m_bMarked = 0;
    return m_hWnd || SubclassDlgItem(id, page);
}

void CColorSwatch::SetMarked(bool marked) {
    if ((m_bMarked != 0) == marked) return;
    m_bMarked = marked ? 1 : 0;
    if (m_hWnd) Invalidate();
}

void CColorSwatch::DrawItem(DRAWITEMSTRUCT* dis) {
    HDC dc = dis->hDC;
    HPALETTE oldPalette = SelectPalette(dc, m_hPalette, FALSE);
    RealizePalette(dc);
    const bool focused = (dis->itemState & ODS_FOCUS) != 0;
    if (dis->itemAction & ODA_DRAWENTIRE) {
        DrawFace(dc, dis->rcItem);
        DrawFocus(dc, dis->rcItem, focused);
    } else if (dis->itemAction & ODA_FOCUS) {
        DrawFocus(dc, dis->rcItem, focused);
    }
    // A press (ODA_SELECT) draws nothing: the swatch does not look pushed.
    if (oldPalette) SelectPalette(dc, oldPalette, FALSE);
}

void CColorSwatch::DrawFace(HDC dc, RECT rc) const {
    InflateRect(&rc, -2, -2);
    if (m_bMarked) {
        DrawBevel(dc, rc, GetSysColorBrush(COLOR_BTNHIGHLIGHT), GetSysColorBrush(COLOR_BTNSHADOW));
        InflateRect(&rc, -1, -1);
    }
    // The entry as RGB first, so the fill does not depend on how a device treats palette
    // references.
    PALETTEENTRY entry{};
    GetPaletteEntries(m_hPalette, LOWORD(m_crColor), 1, &entry);
    const COLORREF color = GetNearestColor(dc, RGB(entry.peRed, entry.peGreen, entry.peBlue));
    OwnedBrush brush(CreateSolidBrush(color));
    FillRect(dc, &rc, brush.Get());
}

void CColorSwatch::DrawFocus(HDC dc, const RECT& item, bool focused) {
    RECT outer = item;
    RECT inner = item;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &outer, GetSysColorBrush(COLOR_BTNFACE));
    FrameRect(dc, &inner, GetSysColorBrush(focused ? COLOR_WINDOWFRAME : COLOR_BTNFACE));
    // An outline without its corner pixels: a thick rounded frame when focused, a thin one
    // one pixel further in when not.
    const RECT& ring = focused ? outer : inner;
    HBRUSH frame = GetSysColorBrush(COLOR_WINDOWFRAME);
    FillSolid(dc, ring.left + 1, ring.top, ring.right - 1, ring.top + 1, frame);
    FillSolid(dc, ring.left + 1, ring.bottom - 1, ring.right - 1, ring.bottom, frame);
    FillSolid(dc, ring.left, ring.top + 1, ring.left + 1, ring.bottom - 1, frame);
    FillSolid(dc, ring.right - 1, ring.top + 1, ring.right, ring.bottom - 1, frame);
}
