#pragma once
// ButtonStyle: what every folder button draws with, made for one DPI: the title fonts, the NEW
// badge and its mask. The bar owns one and makes it again when its DPI or the font changes;
// pages and buttons borrow it (the bar outlives them), so they always draw with the bar's.
#include <windows.h>

#include "appbar/Dpi.h"
#include "framework/Handles.h"
#include "settings/SettingsRecords.h"

class ButtonStyle {
public:
    // Nothing made yet: titles in the default GUI font, no badge, sizes at 96 DPI.
    ButtonStyle() = default;
    // The title font from `logFont` (sizes in 96-DPI pixels) and a copy of it turned 90 degrees
    // clockwise, and the badge, all at `dpi`.
    ButtonStyle(const varolin::LogFontRecord& logFont, int dpi);
    ButtonStyle(ButtonStyle&&) noexcept = default;
    ButtonStyle& operator=(ButtonStyle&&) noexcept = default;

    // The title font; the default GUI font while none could be made.
    HFONT Font() const;
    // Reads downwards, for buttons narrower than half their height.
    HFONT VerticalFont() const;
    // Black NEW on a yellow plate with rounded corners, 23 x 12 pixels at 96 DPI and drawn anew
    // at every other scale, never stretched; its top-left pixel is the pure blue its mask
    // leaves out. Null (with its mask) while none could be made.
    HBITMAP Badge() const { return m_bmpNewMark.Get(); }
    HBITMAP BadgeMask() const { return m_bmpNewMarkMask.Get(); }
    // The DPI it was made for: buttons draw their margins, marks and icons at it.
    int Dpi() const { return m_nDpi; }
    // A 96-DPI size at Dpi().
    int Scaled(int value) const { return varolin::ScaleForDpi(value, m_nDpi); }

    // While Windows' high contrast is on, faces are painted in the system's button colours
    // (as its own buttons are) instead of each button's stored ones, which stay as they are.
    void SetHighContrast(bool on) { m_bHighContrast = on; }
    bool HighContrast() const { return m_bHighContrast; }
    COLORREF FaceText(COLORREF stored) const { return m_bHighContrast ? GetSysColor(COLOR_BTNTEXT) : stored; }
    HBRUSH FaceBrush(HBRUSH stored) const { return m_bHighContrast ? GetSysColorBrush(COLOR_BTNFACE) : stored; }

private:
    OwnedFont m_fontButton;
    OwnedFont m_fontButtonVert;
    OwnedBitmap m_bmpNewMark;
    OwnedBitmap m_bmpNewMarkMask;
    int m_nDpi = varolin::kDefaultDpi;
    bool m_bHighContrast = false;
};
