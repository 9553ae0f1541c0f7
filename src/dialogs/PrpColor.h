#pragma once
// CPrpColor: the colour page of a folder button's property sheet. It edits the back and the
// text colour, one at a time as the two radio buttons choose, through sliders, pure-colour
// swatches, the system colours and the colour dialog, and previews the title in both.
#include <windows.h>

#include <array>
#include <string>

#include "dialogs/ColorSwatch.h"
#include "framework/Handles.h"
#include "framework/PropertySheet.h"

class CPrpColor : public CPropertyPage {
public:
    CPrpColor();

    // Loaded before the sheet runs and read back after OK. A page that was never shown
    // returns them as loaded.
    COLORREF m_crBack = 0;
    COLORREF m_crText = 0;
    std::wstring m_strPreviewText;  // the title as it was when the sheet opened
    HFONT m_hPreviewFont = nullptr;  // borrowed: the font the button draws its title in; null: the dialog's

    // The one way the colour being edited changes: moves the sliders and the swatch mark,
    // stores the colour and repaints the preview.
    void SetColor(COLORREF color);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wp, LPARAM lp) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnPaint() override;

    void OnColorTarget();
    void OnHScroll();
    void OnSwatch(UINT id);
    void OnSelchangeSysColor();
    void OnDetails();

private:
    bool EditsBackColor() const;
    COLORREF EditedColor() const { return EditsBackColor() ? m_crBack : m_crText; }
    void FillSystemColorList();
    void ClearSystemColorSelection();

    CColorSwatch* m_pMarked = nullptr;  // one of m_swatches, or none
    OwnedPalette m_palPure;
    CWnd m_listSysColor;
    CWnd m_sliderRed;
    CWnd m_sliderGreen;
    CWnd m_sliderBlue;
    CWnd m_radioBack;
    CWnd m_radioText;
    std::array<CColorSwatch, 16> m_swatches;
};
