#pragma once
// CColorSwatch: one owner-drawn pure-colour button of the colour page. It paints itself from
// the page's palette, with a bevel while marked and a rounded frame showing the focus.
#include <windows.h>

#include "framework/Wnd.h"

class CColorSwatch : public CWnd {
public:
    // Binds the swatch to its button control on `page` and shows entry `index` of `palette`
    // (borrowed: the page owns it and outlives the control).
    bool BindControl(UINT id, CWnd* page, int index, HPALETTE palette);
    // Marks or unmarks the swatch and repaints it when that changes.
    void SetMarked(bool marked);

    int m_bMarked = 0;        // 1 while the swatch's colour is the colour being edited
    COLORREF m_crColor = 0;   // PALETTEINDEX of the swatch's palette entry

protected:
    void DrawItem(DRAWITEMSTRUCT* dis) override;

private:
    void DrawFace(HDC dc, RECT rc) const;
    void DrawFocus(HDC dc, const RECT& item, bool focused) const;
    // The width of its rings and bevel at the swatch's DPI.
    int Line() const;

    HPALETTE m_hPalette = nullptr;  // borrowed from the page
};
