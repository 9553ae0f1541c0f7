#include "dialogs/ColorSwatch.h"

#include <algorithm>

#include "appbar/Dpi.h"
#include "framework/Handles.h"

namespace {

void FillSolid(HDC dc, int left, int top, int right, int bottom, HBRUSH brush) {
    const RECT rc{left, top, right, bottom};
    FillRect(dc, &rc, brush);
}

// A frame `w` pixels wide: top and left in one colour, right and bottom in another.
void DrawBevel(HDC dc, const RECT& rc, int w, HBRUSH topLeft, HBRUSH bottomRight) {
    FillSolid(dc, rc.left, rc.top, rc.right - w, rc.top + w, topLeft);
    FillSolid(dc, rc.left, rc.top, rc.left + w, rc.bottom - w, topLeft);
    FillSolid(dc, rc.right - w, rc.top, rc.right, rc.bottom, bottomRight);
    FillSolid(dc, rc.left, rc.bottom - w, rc.right, rc.bottom, bottomRight);
}

}  // namespace

int CColorSwatch::Line() const {
    // One pixel at 96 DPI, the rings and bevels growing with the dialog.
    const UINT dpi = m_hWnd ? GetDpiForWindow(m_hWnd) : 0;
    return std::max(1, varolin::ScaleForDpi(1, dpi ? static_cast<int>(dpi) : varolin::kDefaultDpi));
}

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
    const int line = Line();
    InflateRect(&rc, -2 * line, -2 * line);
    if (m_bMarked) {
        DrawBevel(dc, rc, line, GetSysColorBrush(COLOR_BTNHIGHLIGHT), GetSysColorBrush(COLOR_BTNSHADOW));
        InflateRect(&rc, -line, -line);
    }
    // The entry as RGB first, so the fill does not depend on how a device treats palette
    // references.
    PALETTEENTRY entry{};
    GetPaletteEntries(m_hPalette, LOWORD(m_crColor), 1, &entry);
    const COLORREF color = GetNearestColor(dc, RGB(entry.peRed, entry.peGreen, entry.peBlue));
    OwnedBrush brush(CreateSolidBrush(color));
    FillRect(dc, &rc, brush.Get());
}

void CColorSwatch::DrawFocus(HDC dc, const RECT& item, bool focused) const {
    const int w = Line();
    RECT outer = item;
    RECT inner = item;
    InflateRect(&inner, -w, -w);
    auto frameRing = [&](const RECT& rc, HBRUSH brush) {
        DrawBevel(dc, rc, w, brush, brush);
    };
    frameRing(outer, GetSysColorBrush(COLOR_BTNFACE));
    frameRing(inner, GetSysColorBrush(focused ? COLOR_WINDOWFRAME : COLOR_BTNFACE));
    // An outline without its corners: a thick rounded frame when focused, a thin one a ring
    // further in when not.
    const RECT& ring = focused ? outer : inner;
    HBRUSH frame = GetSysColorBrush(COLOR_WINDOWFRAME);
    FillSolid(dc, ring.left + w, ring.top, ring.right - w, ring.top + w, frame);
    FillSolid(dc, ring.left + w, ring.bottom - w, ring.right - w, ring.bottom, frame);
    FillSolid(dc, ring.left, ring.top + w, ring.left + w, ring.bottom - w, frame);
    FillSolid(dc, ring.right - w, ring.top + w, ring.right, ring.bottom - w, frame);
}
