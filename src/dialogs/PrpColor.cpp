#include "dialogs/PrpColor.h"

#include <commctrl.h>

#include <iterator>

#include "appbar/Dpi.h"
#include "dialogs/PureColors.h"
#include "framework/CommonDialogs.h"
#include "framework/Strings.h"
#include "resource.h"

namespace {

// GetSysColor index of each system colour name, strings IDS_SYSCOLOR_FIRST onwards.
constexpr int kSystemColors[] = {
    COLOR_BACKGROUND,    COLOR_APPWORKSPACE,        COLOR_WINDOW,          COLOR_WINDOWTEXT,
    COLOR_MENU,          COLOR_MENUTEXT,            COLOR_ACTIVECAPTION,   COLOR_INACTIVECAPTION,
    COLOR_CAPTIONTEXT,   COLOR_INACTIVECAPTIONTEXT, COLOR_ACTIVEBORDER,    COLOR_INACTIVEBORDER,
    COLOR_WINDOWFRAME,   COLOR_SCROLLBAR,           COLOR_BTNFACE,         COLOR_BTNSHADOW,
    COLOR_BTNTEXT,       COLOR_BTNHIGHLIGHT,        COLOR_GRAYTEXT,        COLOR_HIGHLIGHT,
    COLOR_HIGHLIGHTTEXT,
};
static_assert(std::size(kSystemColors) == IDS_SYSCOLOR_LAST - IDS_SYSCOLOR_FIRST + 1);

// The colour dialog's custom colours live as long as the process and are never stored.
COLORREF* CustomColors() {
    static COLORREF colors[16] = {
        0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
        0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
    };
    return colors;
}

// LOGPALETTE with room for all sixteen entries.
struct PureLogPalette {
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[16];
};

OwnedPalette MakePurePalette() {
    PureLogPalette palette{0x300, 16, {}};
    for (size_t i = 0; i < varolin::kPureColors.size(); ++i) {
        const COLORREF color = varolin::kPureColors[i];
        palette.palPalEntry[i] = PALETTEENTRY{GetRValue(color), GetGValue(color), GetBValue(color), 0};
    }
    return OwnedPalette(CreatePalette(reinterpret_cast<const LOGPALETTE*>(&palette)));
}

}  // namespace

CPrpColor::CPrpColor() : CPropertyPage(IDD_PRP_COLOR), m_palPure(MakePurePalette()) {}

void CPrpColor::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_SYSTEM_COLOR, m_listSysColor);
    DDX_Control(dx, IDC_RED_SLIDER, m_sliderRed);
    DDX_Control(dx, IDC_GREEN_SLIDER, m_sliderGreen);
    DDX_Control(dx, IDC_BLUE_SLIDER, m_sliderBlue);
    DDX_Control(dx, IDC_EDIT_BACK_COLOR, m_radioBack);
    DDX_Control(dx, IDC_EDIT_TEXT_COLOR, m_radioText);
}

BOOL CPrpColor::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    for (CWnd* slider : {&m_sliderRed, &m_sliderGreen, &m_sliderBlue})
        slider->SendMessage(TBM_SETRANGE, TRUE, MAKELPARAM(0, 255));
    m_radioBack.SendMessage(BM_SETCHECK, BST_CHECKED);
    m_radioText.SendMessage(BM_SETCHECK, BST_UNCHECKED);
    FillSystemColorList();
    for (size_t i = 0; i < m_swatches.size(); ++i)
        m_swatches[i].BindControl(static_cast<UINT>(IDC_SWATCH_FIRST + i), this, static_cast<int>(i), m_palPure.Get());
    m_pMarked = nullptr;
    OnColorTarget();
    return TRUE;
}

void CPrpColor::FillSystemColorList() {
    // The list sorts the names itself; each item remembers its GetSysColor index.
    for (UINT i = 0; i < std::size(kSystemColors); ++i) {
        const std::wstring name = LoadStr(IDS_SYSCOLOR_FIRST + i);
        const LRESULT item = m_listSysColor.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (item >= 0) m_listSysColor.SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(item), kSystemColors[i]);
    }
    ClearSystemColorSelection();
}

void CPrpColor::ClearSystemColorSelection() { m_listSysColor.SendMessage(CB_SETCURSEL, static_cast<WPARAM>(-1)); }

bool CPrpColor::EditsBackColor() const { return m_radioBack.SendMessage(BM_GETCHECK) == BST_CHECKED; }

void CPrpColor::SetColor(COLORREF color) {
    m_sliderRed.SendMessage(TBM_SETPOS, TRUE, GetRValue(color));
    m_sliderGreen.SendMessage(TBM_SETPOS, TRUE, GetGValue(color));
    m_sliderBlue.SendMessage(TBM_SETPOS, TRUE, GetBValue(color));

    if (m_pMarked) m_pMarked->SetMarked(false);
    m_pMarked = nullptr;
    const int pure = varolin::PureColorIndex(color);
    if (pure >= 0) {
        m_pMarked = &m_swatches[static_cast<size_t>(pure)];
        m_pMarked->SetMarked(true);
    }

    if (EditsBackColor())
        m_crBack = color;
    else
        m_crText = color;
    Invalidate(false);  // the preview; the controls above it need no erasing
}

BOOL CPrpColor::OnCommand(WPARAM wp, LPARAM lp) {
    const UINT id = LOWORD(wp);
    const UINT code = HIWORD(wp);
    // Each swatch reports itself by its control id, so any way of pressing it counts.
    if (id >= IDC_SWATCH_FIRST && id <= IDC_SWATCH_LAST && code == BN_CLICKED) {
        OnSwatch(id);
        return TRUE;
    }
    if ((id == IDC_EDIT_BACK_COLOR || id == IDC_EDIT_TEXT_COLOR) && code == BN_CLICKED) {
        OnColorTarget();
        return TRUE;
    }
    if (id == IDC_SYSTEM_COLOR && code == CBN_SELCHANGE) {
        OnSelchangeSysColor();
        return TRUE;
    }
    if (id == IDC_COLOR_DETAILS && code == BN_CLICKED) {
        OnDetails();
        return TRUE;
    }
    return CPropertyPage::OnCommand(wp, lp);
}

LRESULT CPrpColor::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    // Every notification from a slider, so that dragging updates the colour continuously.
    if (msg == WM_HSCROLL && lp) {
        OnHScroll();
        return 0;
    }
    return CPropertyPage::WindowProc(msg, wp, lp);
}

void CPrpColor::OnColorTarget() {
    ClearSystemColorSelection();
    SetColor(EditedColor());
}

void CPrpColor::OnHScroll() {
    ClearSystemColorSelection();
    const auto position = [](const CWnd& slider) { return static_cast<int>(slider.SendMessage(TBM_GETPOS)); };
    SetColor(varolin::ColorFromSliders(position(m_sliderRed), position(m_sliderGreen), position(m_sliderBlue)));
}

void CPrpColor::OnSwatch(UINT id) {
    ClearSystemColorSelection();
    SetColor(varolin::kPureColors[id - IDC_SWATCH_FIRST]);
}

void CPrpColor::OnSelchangeSysColor() {
    const LRESULT item = m_listSysColor.SendMessage(CB_GETCURSEL);
    if (item < 0) return;
    const LRESULT index = m_listSysColor.SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(item));
    // The colour as it is now: a later change of the Windows scheme leaves the button alone.
    SetColor(GetSysColor(static_cast<int>(index)));
}

void CPrpColor::OnDetails() {
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = m_hWnd;
    choose.rgbResult = EditedColor();
    choose.lpCustColors = CustomColors();
    choose.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ShowColorDialog(&choose)) return;
    ClearSystemColorSelection();
    SetColor(choose.rgbResult);
}

void CPrpColor::OnPaint() {
    PaintScope paint(m_hWnd);
    HDC dc = paint.Dc();
    // The lower two fifths of the page, below the controls.
    RECT rc = GetClientRect();
    rc.top = rc.bottom / 5 * 3;
    const UINT windowDpi = GetDpiForWindow(m_hWnd);
    const int dpi = windowDpi ? static_cast<int>(windowDpi) : varolin::kDefaultDpi;
    const int margin = varolin::ScaleForDpi(8, dpi);
    const int inner = varolin::ScaleForDpi(4, dpi);
    InflateRect(&rc, -margin, -margin);
    OwnedBrush back(CreateSolidBrush(m_crBack));
    FillRect(dc, &rc, back.Get());

    InflateRect(&rc, -inner, -inner);
    HGDIOBJ oldFont = m_hPreviewFont ? SelectObject(dc, m_hPreviewFont) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, m_crText);
    DrawTextW(dc, m_strPreviewText.c_str(), static_cast<int>(m_strPreviewText.size()), &rc,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX);
    if (oldFont) SelectObject(dc, oldFont);
}
