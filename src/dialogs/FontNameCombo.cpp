#include "dialogs/FontNameCombo.h"

#include <cwchar>
#include <memory>
#include <new>

#include "appbar/Dpi.h"
#include "framework/Handles.h"

namespace {
constexpr int kMarkWidth = 20;   // at 96 DPI
constexpr int kMarkHeight = 12;

// The TrueType mark in 96-DPI pixels: two stepped T's, grey behind, black in front. Drawn as
// rectangles at every scale, so it stays sharp where a small picture would blur.
struct Bar {
    int left, top, right, bottom;
};
constexpr Bar kBackT[] = {{2, 1, 11, 3}, {5, 3, 8, 9}, {4, 9, 9, 10}};
constexpr Bar kFrontT[] = {{9, 3, 18, 5}, {12, 5, 15, 11}, {11, 11, 16, 12}};

void DrawTrueTypeMark(HDC dc, int x, int y, int dpi) {
    auto fill = [&](const Bar (&bars)[3], COLORREF color) {
        OwnedBrush brush(CreateSolidBrush(color));
        for (const Bar& b : bars) {
            const RECT rc{x + varolin::ScaleForDpi(b.left, dpi), y + varolin::ScaleForDpi(b.top, dpi),
                          x + varolin::ScaleForDpi(b.right, dpi), y + varolin::ScaleForDpi(b.bottom, dpi)};
            FillRect(dc, &rc, brush.Get());
        }
    };
    fill(kBackT, RGB(128, 128, 128));
    fill(kFrontT, RGB(0, 0, 0));
}
}  // namespace

bool CFontNameCombo::AddFace(const LOGFONTW& face, DWORD fontType, BYTE preferredCharSet) {
    const std::wstring name(face.lfFaceName, wcsnlen(face.lfFaceName, LF_FACESIZE));
    if (name.empty()) return false;
    if (name[0] == L'@' && GetSystemMetrics(SM_DBCSENABLED)) return false;
    const int existing = FindStringExact(name);
    if (existing != CB_ERR) {
        // The same face comes once per character set; keep the system's own where it has one.
        auto* record = reinterpret_cast<FaceRecord*>(GetItemData(existing));
        if (record && record != reinterpret_cast<FaceRecord*>(CB_ERR) && face.lfCharSet == preferredCharSet &&
            record->logFont.lfCharSet != preferredCharSet) {
            record->logFont = face;
            record->fontType = fontType;
        }
        return false;
    }
    std::unique_ptr<FaceRecord> record(new (std::nothrow) FaceRecord{fontType, face});
    if (!record) return false;
    const int index = AddString(name);
    if (index < 0) return false;
    if (!SetItemData(index, reinterpret_cast<LPARAM>(record.get()))) {
        SendMessage(CB_DELETESTRING, static_cast<WPARAM>(index));
        return false;
    }
    static_cast<void>(record.release());  // the entry owns it now
    return true;
}

const FaceRecord* CFontNameCombo::GetFaceItem(int index) const {
    if (GetCount() <= 0) return nullptr;
    if (index == -1) {
        index = GetCurSel();
        if (index < 0) index = FindString(GetText());
        if (index < 0) index = 0;
    }
    const LRESULT data = GetItemData(index);
    if (data == CB_ERR) return nullptr;
    return reinterpret_cast<const FaceRecord*>(data);
}

LRESULT CFontNameCombo::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    // Free the records while this object still receives its entries, whatever happens to
    // the reflection of WM_DELETEITEM while the windows go.
    if (msg == WM_DESTROY) FreeAllRecords();
    return CComboBox::WindowProc(msg, wp, lp);
}

void CFontNameCombo::FreeAllRecords() {
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        const LRESULT data = GetItemData(i);
        if (data == CB_ERR || data == 0) continue;
        SetItemData(i, 0);
        delete reinterpret_cast<FaceRecord*>(data);
    }
}

void CFontNameCombo::DrawItem(DRAWITEMSTRUCT* dis) {
    if (dis->itemID == static_cast<UINT>(-1)) return;  // an empty list draws nothing
    const auto* record = reinterpret_cast<const FaceRecord*>(dis->itemData);
    HDC dc = dis->hDC;
    const RECT& rc = dis->rcItem;
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    const COLORREF oldBack = SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const COLORREF oldText = SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));

    const int unit = LOWORD(GetDialogBaseUnits()) / 4;
    const UINT windowDpi = GetDpiForWindow(m_hWnd);
    const int dpi = windowDpi ? static_cast<int>(windowDpi) : varolin::kDefaultDpi;
    const std::wstring name = GetLBText(static_cast<int>(dis->itemID));
    {
        HFONT boxFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
        SelectScope font(dc, boxFont ? static_cast<HGDIOBJ>(boxFont) : GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        const int y = (rc.top + rc.bottom - tm.tmHeight) / 2;
        ExtTextOutW(dc, rc.left + 2 * unit + varolin::ScaleForDpi(kMarkWidth, dpi), y, ETO_OPAQUE | ETO_CLIPPED, &rc, name.c_str(),
                    static_cast<UINT>(name.size()), nullptr);
    }
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
    if (record && (record->fontType & TRUETYPE_FONTTYPE)) {
        const int height = rc.bottom - rc.top;
        DrawTrueTypeMark(dc, unit, rc.top + (height - varolin::ScaleForDpi(kMarkHeight, dpi)) / 2, dpi);
    }
    if (dis->itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
}

void CFontNameCombo::MeasureItem(MEASUREITEMSTRUCT* mis) { mis->itemHeight = static_cast<UINT>(m_nItemHeight); }

void CFontNameCombo::DeleteItem(DELETEITEMSTRUCT* dis) {
    delete reinterpret_cast<FaceRecord*>(dis->itemData);
}
