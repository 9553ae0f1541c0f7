#pragma once
// COptFont: the options sheet's second page ("フォルダボタンのフォント"): face, size, style,
// strikeout and underline of the folder buttons' font, with a live sample.
#include <windows.h>

#include <string>

#include "dialogs/ComboBox.h"
#include "dialogs/FontNameCombo.h"
#include "dialogs/FontSizeCombo.h"
#include "framework/Handles.h"
#include "framework/PropertySheet.h"

class COptFont : public CPropertyPage {
public:
    COptFont();

    // In: the bar's font. Out: the font chosen, rebuilt from the enumerated face as soon as
    // the page has shown one (see FontChosen); otherwise exactly what was loaded. Its sizes are
    // 96-DPI pixels both ways, as "LogFont" keeps them; the sample shows it at the page's DPI.
    LOGFONTW m_logFont{};
    COLORREF m_crBack = RGB(0, 0, 0);  // sample background ("InitBackColor")
    COLORREF m_crText = RGB(255, 255, 255);  // sample text ("InitForeColor")

    // True once m_logFont was rebuilt from a face on the screen. False when the page was
    // never opened or the loaded face is not on the screen: the font is then unchanged.
    bool FontChosen() const { return m_bFontChosen; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnKillActive() override;
    BOOL OnCommand(WPARAM wp, LPARAM lp) override;
    void OnPaint() override;

private:
    void FillFaceNames();
    void FillSizesAndStyles();
    void RebuildSample();
    void MakeSampleFont();
    int PageDpi() const;
    void AddStyleAndSize(const LOGFONTW& face, const TEXTMETRICW& metrics, DWORD fontType);
    bool CorrectSize();  // false when the size was out of range and has been reset

    void OnEditupdateFaceName();
    void OnSelchangeFaceName();
    void OnEditupdateSize();
    void OnSelchangeSize();
    void OnKillfocusSize();
    void OnSelchangeStyle();
    void OnDecoration();

    static int CALLBACK EnumFaceProc(const LOGFONTW* face, const TEXTMETRICW* metrics, DWORD fontType, LPARAM lp);
    static int CALLBACK EnumStyleProc(const LOGFONTW* face, const TEXTMETRICW* metrics, DWORD fontType, LPARAM lp);

    std::wstring m_strFaceName;
    std::wstring m_strSize;
    int m_bStrikeOut = 0;
    int m_bUnderline = 0;
    int m_nStyle = 0;
    int m_nWantedStyle = 0;
    int m_nStylesFound = 0;
    bool m_bFontChosen = false;
    bool m_bCheckingSize = false;
    BYTE m_nSystemCharSet = DEFAULT_CHARSET;
    OwnedFont m_fontSample;

    CFontNameCombo m_cbFaceName;
    CFontSizeCombo m_cbSize;
    CComboBox m_cbStyle;
};
