#include "buttons/DropBtn.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>

#include "settings/Settings.h"
#include "shell/ButtonStyle.h"
#include "shell/ShellHelpers.h"
#include "folders/FolderMonitor.h"
#include "framework/Strings.h"
#include "framework/Wnd.h"
#include "resource.h"

namespace {
// Sizes at 96 DPI, scaled to the DPI the button style was made for. Where the marks sit,
// from the right edge of the face:
constexpr int kRefuseMarkRight = 8;  // a 4 x 4 square at (W - 8, 4)
constexpr int kRefuseMarkTop = 4;
constexpr int kRefuseMarkSize = 4;
constexpr int kNewMarkGap = 3;       // the badge (23 x 12 at 96 DPI) 3 pixels from the top and right
constexpr int kIconOffset = 3;
constexpr int kIconSize = 16;
constexpr int kTextMarginRight = 6;

// A solid rectangle without making a brush.
void FillSolid(HDC dc, int x, int y, int cx, int cy, COLORREF color) {
    const COLORREF old = SetBkColor(dc, color);
    const RECT rc{x, y, x + cx, y + cy};
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

// An outline `line` pixels wide: top and left in one colour, right and bottom in the other.
void Draw3dRect(HDC dc, int x, int y, int cx, int cy, int line, COLORREF topLeft, COLORREF bottomRight) {
    FillSolid(dc, x, y, cx - line, line, topLeft);
    FillSolid(dc, x, y, line, cy - line, topLeft);
    FillSolid(dc, x + cx - line, y, line, cy, bottomRight);
    FillSolid(dc, x, y + cy - line, cx, line, bottomRight);
}

// The system's raised or sunken edge with each of its two lines `line` pixels wide.
void DrawScaledEdge(HDC dc, RECT rc, bool sunken, int line) {
    const UINT outer = sunken ? BDR_SUNKENOUTER : BDR_RAISEDOUTER;
    const UINT inner = sunken ? BDR_SUNKENINNER : BDR_RAISEDINNER;
    for (UINT part : {outer, inner}) {
        for (int i = 0; i < line; ++i) {
            DrawEdge(dc, &rc, part, BF_RECT);
            InflateRect(&rc, -1, -1);
        }
    }
}

// The size of a bitmap as it is, so that a badge is drawn at the size it was made for.
SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!GetObjectW(bitmap, sizeof(info), &info)) return SIZE{};
    return SIZE{info.bmWidth, std::abs(info.bmHeight)};
}

// Tall, narrow buttons: one line reading downwards, centred both ways.
void DrawTitleAlong(HDC dc, const ButtonStyle& style, const std::wstring& text, int width, int height) {
    const SelectScope font(dc, style.VerticalFont());
    SetTextAlign(dc, TA_BOTTOM | TA_CENTER);
    RECT measured{};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    const int lineHeight = measured.bottom - measured.top;
    TextOutW(dc, (width - lineHeight) / 2, height / 2, text.c_str(), static_cast<int>(text.size()));
}

// Other buttons: wrapped within the face less a margin, the block centred.
void DrawTitleAcross(HDC dc, const ButtonStyle& style, const std::wstring& text, int width, int height) {
    const SelectScope font(dc, style.Font());
    constexpr UINT kFlags = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;
    RECT box{0, 0, width - style.Scaled(kTextMarginRight), height};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CALCRECT | kFlags);
    OffsetRect(&box, (width - (box.right - box.left)) / 2, (height - (box.bottom - box.top)) / 2);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CENTER | kFlags);
}
}  // namespace

CDropBtn::CDropBtn(IButtonHost& host, UINT id, const varolin::ButtonRecord& record)
    : m_host(host), m_nId(id), m_record(record) {
    MakeBackBrush();
    UpdateDropTarget();
}

CDropBtn::~CDropBtn() {
    m_life.End();
    m_bShown = false;
    UpdateWatch();
    m_dropTarget.Revoke();
}

void CDropBtn::MakeBackBrush() { m_brBack.Reset(CreateSolidBrush(m_record.m_crBack)); }

void CDropBtn::UpdateDropTarget() {
    // Served through the view's one registration (see CPageView).
    if (m_record.m_bNoDrop) {
        m_dropTarget.Revoke();
    } else if (!m_dropTarget.IsAttached()) {
        if (CWnd* view = CWnd::FromHandle(HostWindow())) m_dropTarget.Attach(view);
    }
}

void CDropBtn::LoadProgramIcon() {
    m_strIconWanted.clear();
    m_nIconSizeWanted = 0;
    if (m_record.m_strProgram.empty()) {
        m_hIcon.Reset();
        return;
    }
    // The icon shown meanwhile stays until the new one comes.
    m_strIconWanted = m_record.m_strFolder + m_record.m_strProgram;
    m_nIconSizeWanted = m_host.Style().Scaled(kIconSize);
    Folders().Icons().Fetch(HostWindow(), m_nId, m_strIconWanted, m_nIconSizeWanted);
}

bool CDropBtn::OnProgramIcon(FetchedIcon& fetched) {
    if (fetched.path != m_strIconWanted || fetched.size != m_nIconSizeWanted) return false;
    // None: the program is gone.
    m_hIcon.Reset(fetched.icon);
    m_nIconSize = fetched.size;
    Invalidate();
    return true;
}

void CDropBtn::SetShown(bool shown) {
    // The icon is asked for as the page is shown; one that came while it was hidden found no
    // button to take it.
    if (shown && !m_bShown && !m_hIcon) LoadProgramIcon();
    m_bShown = shown;
    UpdateWatch();
}

void CDropBtn::SetPressed(bool pressed) {
    m_bPressed = pressed ? TRUE : FALSE;
    Invalidate();
}

void CDropBtn::UpdateWatch() {
    const std::wstring wanted = m_bShown && !m_record.m_bNoDrop ? m_record.m_strFolder : std::wstring();
    if (wanted == m_strWatched) return;
    if (!m_strWatched.empty()) Folders().Unwatch(HostWindow(), m_nId, m_strWatched);
    m_strWatched = wanted;
    if (!wanted.empty()) Folders().Watch(HostWindow(), m_nId, wanted);
}

void CDropBtn::RescanFolder() {
    if (!m_strWatched.empty()) Folders().Rescan(m_strWatched);
}

void CDropBtn::OnFolderFigures(const FolderScan& scan) {
    const std::wstring before = ShownText();
    m_nFileCount = scan.nFileCount;
    m_bNewMark = scan.bNewMark ? TRUE : FALSE;
    m_bScanned = true;
    // A program dropped or saved into the folder gets its icon.
    if (!m_hIcon && !m_record.m_strProgram.empty() && scan.nFileCount > 0) LoadProgramIcon();
    if (ShownText() != before) Invalidate();
}

std::wstring CDropBtn::FaceText() const {
    if (Settings().nDisplayCount != 1 || m_record.m_bNoDrop || !m_bScanned) return m_record.m_strTitle;
    return m_record.m_strTitle + L" [" + std::to_wstring(m_nFileCount) + L"]";
}

std::wstring CDropBtn::ShownText() const {
    // The badge's own letters: it is a picture of the word.
    return ShowsNewMark() ? FaceText() + L" NEW" : FaceText();
}

std::wstring CDropBtn::FiguresText() const {
    std::wstring text;
    const auto add = [&text](const std::wstring& part) {
        if (!text.empty()) text += LoadStr(IDS_ACC_LIST_SEPARATOR);
        text += part;
    };
    if (Settings().nDisplayCount == 1 && !m_record.m_bNoDrop && m_bScanned) {
        std::wstring count = LoadStr(IDS_ACC_FILE_COUNT);
        if (const size_t at = count.find(L"%1"); at != std::wstring::npos) count.replace(at, 2, std::to_wstring(m_nFileCount));
        add(count);
    }
    if (ShowsNewMark()) add(LoadStr(IDS_ACC_NEW_FILES));
    if (m_record.m_bNoDrop) add(LoadStr(IDS_ACC_REFUSES_DROPS));
    return text;
}

void CDropBtn::Paint(HDC dc) {
    const int width = m_rect.right - m_rect.left;
    const int height = m_rect.bottom - m_rect.top;
    RECT client{0, 0, width, height};
    const ButtonStyle& style = m_host.Style();
    const int saved = SaveDC(dc);
    FillRect(dc, &client, style.FaceBrush(m_brBack.Get()));
    SetMapMode(dc, MM_TEXT);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, style.FaceText(m_record.m_crText));

    // The title first: the edge, marks and icon cover it where they overlap.
    const std::wstring text = FaceText();
    if (width < height / 2) {
        DrawTitleAlong(dc, style, text, width, height);
    } else {
        DrawTitleAcross(dc, style, text, width, height);
    }
    const int line = std::max(1, style.Scaled(1));
    DrawScaledEdge(dc, client, m_bPressed != FALSE, line);

    if (m_record.m_bNoDrop) {
        const int x = width - style.Scaled(kRefuseMarkRight);
        const int size = style.Scaled(kRefuseMarkSize);
        FillSolid(dc, x, style.Scaled(kRefuseMarkTop), size, size, RGB(192, 192, 192));
        Draw3dRect(dc, x, style.Scaled(kRefuseMarkTop), size, size, line, RGB(255, 255, 255), RGB(128, 128, 128));
    } else if (ShowsNewMark() && style.Badge() && style.BadgeMask()) {
        const SIZE badge = BitmapSize(style.Badge());
        const int gap = style.Scaled(kNewMarkGap);
        DrawTransparent(dc, style.Badge(), style.BadgeMask(), width - gap - badge.cx, gap, badge.cx, badge.cy);
    }
    const int iconSize = style.Scaled(kIconSize);
    // An icon made for another DPI is fetched again at this one rather than stretched for long.
    if (m_hIcon && m_nIconSize != iconSize && m_nIconSizeWanted != iconSize) LoadProgramIcon();
    if (m_hIcon)
        DrawIconEx(dc, style.Scaled(kIconOffset), style.Scaled(kIconOffset), m_hIcon.Get(), iconSize, iconSize, 0, nullptr, DI_NORMAL);
    if (m_dropTarget.IsDragOver()) InvertRect(dc, &client);
    RestoreDC(dc, saved);
}

bool CDropBtn::OnCommand(UINT id) {
    switch (id) {
    case ID_BUTTON_OPEN_FOLDER: OnOpen(false); return true;
    case ID_BUTTON_RUN_PROGRAM: OnOpen(true); return true;
    case ID_BUTTON_PROPERTIES: OnProperties(); return true;
    case ID_BUTTON_MOVE_EARLIER:
    case ID_BUTTON_MOVE_LATER:
        m_host.MoveButton(*this, id == ID_BUTTON_MOVE_EARLIER);
        return true;
    case ID_BUTTON_COPY_COLORS: Settings().colorClipboard = {m_record.m_crText, m_record.m_crBack, true}; return true;
    case ID_BUTTON_PASTE_COLORS: OnPasteColors(); return true;
    case ID_BUTTON_DEFAULT_COLORS: OnMakeDefaultColors(); return true;
    case ID_BUTTON_DELETE: m_host.RemoveButton(*this); return true;  // frees this button
    case ID_BUTTON_REFRESH: Refresh(); return true;
    default: return false;
    }
}
