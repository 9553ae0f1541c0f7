#include "dialogs/OptFont.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>

#include "appbar/Dpi.h"
#include "dialogs/FontChoice.h"
#include "framework/Strings.h"
#include "resource.h"

namespace {
constexpr int kFaceNameLimit = 32;
constexpr int kSizeLimit = 4;

// Box text exchange: loading selects the entry equal to the text or, when there is none,
// shows the text in the edit field; saving reads the edit field.
void DDX_CBString(CDataExchange* dx, int id, CComboBox& box, std::wstring& value) {
    dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = box.GetText();
        return;
    }
    const int index = value.empty() ? CB_ERR : box.FindStringExact(value);
    if (index >= 0) {
        box.SetCurSel(index);
    } else {
        box.SetCurSel(-1);
        box.SetWindowText(value.c_str());
    }
}

// Selects the entry the user is typing, leaving the caret where it is so typing goes on.
void SelectKeepingCaret(CComboBox& box, int index) {
    const LRESULT selection = box.SendMessage(CB_GETEDITSEL);
    box.SetCurSel(index);
    box.SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(HIWORD(selection), HIWORD(selection)));
}

UINT StyleNameId(int style) {
    switch (style) {
    case varolin::kStyleBold: return IDS_STYLE_BOLD;
    case varolin::kStyleItalic: return IDS_STYLE_ITALIC;
    case varolin::kStyleBoldItalic: return IDS_STYLE_BOLD_ITALIC;
    default: return IDS_STYLE_REGULAR;
    }
}

BYTE SystemCharSet() {
    CHARSETINFO info{};
    const UINT_PTR codePage = GetACP();
    if (TranslateCharsetInfo(reinterpret_cast<DWORD*>(codePage), &info, TCI_SRCCODEPAGE))
        return static_cast<BYTE>(info.ciCharset);
    return DEFAULT_CHARSET;
}
}  // namespace

COptFont::COptFont() : CPropertyPage(IDD_OPT_FONT), m_nSystemCharSet(SystemCharSet()) {}

BOOL COptFont::OnInitDialog() {
    CPropertyPage::OnInitDialog();

    const int itemHeight = m_cbStyle.GetItemHeight(0) + 2;
    m_cbFaceName.m_nItemHeight = itemHeight;
    m_cbFaceName.SetItemHeight(-1, itemHeight);
    m_cbSize.SetItemHeight(-1, itemHeight);
    m_cbFaceName.LimitText(kFaceNameLimit);
    m_cbSize.LimitText(kSizeLimit);

    MakeSampleFont();
    m_strFaceName.assign(m_logFont.lfFaceName, wcsnlen(m_logFont.lfFaceName, LF_FACESIZE));
    // The stored height is in 96-DPI pixels, not in those of this page's screen.
    m_strSize = std::to_wstring(std::abs(MulDiv(m_logFont.lfHeight, 72, varolin::kDefaultDpi)));
    m_bStrikeOut = m_logFont.lfStrikeOut ? 1 : 0;
    m_bUnderline = m_logFont.lfUnderline ? 1 : 0;
    m_nWantedStyle = varolin::StyleOfFont(m_logFont.lfWeight, m_logFont.lfItalic != 0);

    FillFaceNames();
    UpdateData(false);
    return TRUE;
}

void COptFont::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_FACE_NAME, m_cbFaceName);
    DDX_Control(dx, IDC_FONT_SIZE, m_cbSize);
    DDX_Control(dx, IDC_FONT_STYLE, m_cbStyle);
    DDX_Check(dx, IDC_STRIKEOUT, m_bStrikeOut);
    DDX_Check(dx, IDC_UNDERLINE, m_bUnderline);
    DDX_CBString(dx, IDC_FONT_SIZE, m_cbSize, m_strSize);
    DDX_CBString(dx, IDC_FACE_NAME, m_cbFaceName, m_strFaceName);
}

int CALLBACK COptFont::EnumFaceProc(const LOGFONTW* face, const TEXTMETRICW*, DWORD fontType, LPARAM lp) {
    auto* page = reinterpret_cast<COptFont*>(lp);
    page->m_cbFaceName.AddFace(*face, fontType, page->m_nSystemCharSet);
    return 1;
}

int CALLBACK COptFont::EnumStyleProc(const LOGFONTW* face, const TEXTMETRICW* metrics, DWORD fontType, LPARAM lp) {
    reinterpret_cast<COptFont*>(lp)->AddStyleAndSize(*face, *metrics, fontType);
    return 1;
}

void COptFont::FillFaceNames() {
    m_cbFaceName.ResetContent();
    {
        WindowDC screen(nullptr);
        LOGFONTW everyFace{};
        everyFace.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExW(screen.Get(), &everyFace, &COptFont::EnumFaceProc, reinterpret_cast<LPARAM>(this), 0);
    }
    const int index = m_strFaceName.empty() ? CB_ERR : m_cbFaceName.FindStringExact(m_strFaceName);
    if (index >= 0) {
        m_cbFaceName.SetCurSel(index);
        m_cbFaceName.SetEditSel(-1, 0);
        FillSizesAndStyles();
        return;
    }
    // A face this screen does not have: show the stored font and hand it back untouched.
    for (int id : {IDC_FACE_NAME, IDC_FONT_SIZE, IDC_FONT_STYLE, IDC_STRIKEOUT, IDC_UNDERLINE})
        EnableWindow(GetDlgItem(id), FALSE);
}

void COptFont::FillSizesAndStyles() {
    m_cbSize.ResetContent();
    m_cbStyle.ResetContent();
    m_nStylesFound = 0;
    const FaceRecord* record = m_cbFaceName.GetFaceItem(-1);
    if (record) {
        LOGFONTW family{};
        family.lfCharSet = record->logFont.lfCharSet;
        std::copy_n(record->logFont.lfFaceName, wcsnlen(record->logFont.lfFaceName, LF_FACESIZE - 1), family.lfFaceName);
        WindowDC screen(nullptr);
        EnumFontFamiliesExW(screen.Get(), &family, &COptFont::EnumStyleProc, reinterpret_cast<LPARAM>(this), 0);
        if (record->fontType != RASTER_FONTTYPE)
            for (int points : varolin::kStandardSizes) m_cbSize.AddSize(points, 0);
    }
    for (int style : varolin::OfferedStyles(m_nStylesFound)) {
        const int index = m_cbStyle.AddString(LoadStr(StyleNameId(style)));
        if (index >= 0) m_cbStyle.SetItemData(index, style);
    }

    // Sizes match whole: "7" must not pick 72.
    const int size = m_cbSize.FindStringExact(m_strSize);
    if (size >= 0) {
        m_cbSize.SetCurSel(size);
    } else {
        m_cbSize.SetCurSel(-1);
        m_cbSize.SetWindowText(m_strSize.c_str());
    }

    m_nStyle = varolin::kStyleRegular;
    const int styles = m_cbStyle.GetCount();
    int chosen = -1;
    for (int i = 0; i < styles && chosen < 0; ++i)
        if (static_cast<int>(m_cbStyle.GetItemData(i)) == m_nWantedStyle) chosen = i;
    if (chosen < 0 && styles > 0) chosen = 0;  // the face lacks the wanted style: its first
    if (chosen >= 0) {
        m_cbStyle.SetCurSel(chosen);
        m_nStyle = static_cast<int>(m_cbStyle.GetItemData(chosen));
    }
    RebuildSample();
}

void COptFont::AddStyleAndSize(const LOGFONTW& face, const TEXTMETRICW& metrics, DWORD fontType) {
    if (fontType & TRUETYPE_FONTTYPE) {
        // For TrueType faces the metrics are a NEWTEXTMETRIC with the style flags.
        const auto& newMetrics = reinterpret_cast<const NEWTEXTMETRICW&>(metrics);
        m_nStylesFound |= varolin::StyleBitsOfTrueType(newMetrics.ntmFlags);
        return;
    }
    if (fontType & RASTER_FONTTYPE) {
        // The screen's pixels: its points as they are, its height kept in 96-DPI pixels.
        const int height = metrics.tmHeight - metrics.tmInternalLeading;
        WindowDC screen(nullptr);
        const int screenDpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
        m_cbSize.AddSize(MulDiv(height, 72, screenDpi), varolin::ConvertDpi(height, screenDpi, varolin::kDefaultDpi));
    }
    m_nStylesFound |= varolin::StyleBitsOfFont(face.lfWeight, face.lfItalic != 0);
}

void COptFont::RebuildSample() {
    const FaceRecord* record = m_cbFaceName.GetFaceItem(-1);
    if (!record) return;
    m_logFont = record->logFont;
    m_logFont.lfHeight = m_cbSize.HeightOfText(m_strSize);
    m_logFont.lfWidth = 0;
    m_logFont.lfWeight = varolin::WeightOfStyle(m_nStyle);
    m_logFont.lfItalic = varolin::IsItalicStyle(m_nStyle) ? 1 : 0;
    m_logFont.lfUnderline = m_bUnderline ? 1 : 0;
    m_logFont.lfStrikeOut = m_bStrikeOut ? 1 : 0;
    MakeSampleFont();
    m_bFontChosen = true;
    Invalidate(false);
}

BOOL COptFont::OnCommand(WPARAM wp, LPARAM lp) {
    const int id = LOWORD(wp);
    const int code = HIWORD(wp);
    if (id == IDC_FACE_NAME && code == CBN_EDITUPDATE) OnEditupdateFaceName();
    else if (id == IDC_FACE_NAME && code == CBN_SELCHANGE) OnSelchangeFaceName();
    else if (id == IDC_FONT_SIZE && code == CBN_EDITUPDATE) OnEditupdateSize();
    else if (id == IDC_FONT_SIZE && code == CBN_SELCHANGE) OnSelchangeSize();
    else if (id == IDC_FONT_SIZE && code == CBN_KILLFOCUS) OnKillfocusSize();
    else if (id == IDC_FONT_STYLE && code == CBN_SELCHANGE) OnSelchangeStyle();
    else if ((id == IDC_STRIKEOUT || id == IDC_UNDERLINE) && code == BN_CLICKED) OnDecoration();
    else return CPropertyPage::OnCommand(wp, lp);
    return TRUE;
}

void COptFont::OnEditupdateFaceName() {
    UpdateData(true);
    const int index = m_cbFaceName.FindStringExact(m_strFaceName);
    if (index < 0) return;
    SelectKeepingCaret(m_cbFaceName, index);
    FillSizesAndStyles();
}

void COptFont::OnSelchangeFaceName() { FillSizesAndStyles(); }

void COptFont::OnEditupdateSize() {
    m_strSize = m_cbSize.GetText();
    const int index = m_cbSize.FindStringExact(m_strSize);
    if (index >= 0) SelectKeepingCaret(m_cbSize, index);
    RebuildSample();
}

void COptFont::OnSelchangeSize() {
    const int index = m_cbSize.GetCurSel();
    if (index >= 0) m_strSize = m_cbSize.GetLBText(index);
    RebuildSample();
}

bool COptFont::CorrectSize() {
    if (m_bCheckingSize || varolin::IsValidPointSize(m_strSize)) return true;
    m_bCheckingSize = true;  // the message box takes the focus: no second check meanwhile
    AppMessageBox(m_hWnd, IDS_FONT_SIZE_RANGE, MB_OK | MB_ICONEXCLAMATION);
    m_bCheckingSize = false;
    m_cbSize.SetCurSel(-1);
    m_strSize = std::to_wstring(varolin::kFallbackPointSize);
    m_cbSize.SetWindowText(m_strSize.c_str());
    m_cbSize.SetEditSel(0, -1);
    return false;
}

void COptFont::OnKillfocusSize() {
    CorrectSize();
    RebuildSample();
}

BOOL COptFont::OnKillActive() {
    // Enter or a tab change with a bad size typed: correct it where the user sees it rather
    // than while the sheet goes.
    if (IsWindowEnabled(m_cbSize.m_hWnd) && !m_bCheckingSize) {
        m_strSize = m_cbSize.GetText();
        if (!CorrectSize()) {
            RebuildSample();
            return FALSE;
        }
    }
    return CPropertyPage::OnKillActive();
}

void COptFont::OnSelchangeStyle() {
    const int index = m_cbStyle.GetCurSel();
    if (index < 0) return;
    m_nStyle = m_nWantedStyle = static_cast<int>(m_cbStyle.GetItemData(index));
    RebuildSample();
}

void COptFont::OnDecoration() {
    UpdateData(true);
    RebuildSample();
}

int COptFont::PageDpi() const {
    const UINT dpi = GetDpiForWindow(m_hWnd);
    return dpi ? static_cast<int>(dpi) : varolin::kDefaultDpi;
}

void COptFont::MakeSampleFont() {
    // The font as the buttons will show it on a screen of this page's DPI.
    LOGFONTW shown = m_logFont;
    shown.lfHeight = varolin::ScaleForDpi(shown.lfHeight, PageDpi());
    shown.lfWidth = varolin::ScaleForDpi(shown.lfWidth, PageDpi());
    m_fontSample.Reset(CreateFontIndirectW(&shown));
}

void COptFont::OnPaint() {
    PaintScope paint(m_hWnd);
    HDC dc = paint.Dc();
    RECT rc = GetClientRect();
    rc.top = (rc.bottom / 5) * 3;  // the lower two fifths
    const int margin = varolin::ScaleForDpi(8, PageDpi());
    const int inner = varolin::ScaleForDpi(4, PageDpi());
    InflateRect(&rc, -margin, -margin);
    OwnedBrush back(CreateSolidBrush(m_crBack));
    FillRect(dc, &rc, back.Get());
    InflateRect(&rc, -inner, -inner);
    SelectScope font(dc, m_fontSample ? static_cast<HGDIOBJ>(m_fontSample.Get()) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, m_crText);
    std::wstring sample = LoadStr(IDS_FONT_SAMPLE);
    DrawTextW(dc, sample.data(), static_cast<int>(sample.size()), &rc, DT_CENTER | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX);
}
