#include "buttons/DropBtn.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>

#include "settings/Settings.h"
#include "shell/ButtonStyle.h"
#include "shell/ShellHelpers.h"
#include "folders/FolderMonitor.h"
#include "framework/DebugReport.h"
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

CDropBtn::CDropBtn(IButtonHost& host, const varolin::ButtonRecord& record) : m_host(host), m_record(record) {
    MakeBackBrush();
}

void CDropBtn::MakeBackBrush() { m_brBack.Reset(CreateSolidBrush(m_record.m_crBack)); }

CDropBtn* CDropBtn::Make(IButtonHost& host, const varolin::ButtonRecord& record, const std::wstring& className,
                         const RECT& rect) {
    auto* button = new CDropBtn(host, record);
    const CWeakRef<CDropBtn> alive = button->m_life.Ref(button);
    if (button->CreateEx(WS_EX_NOPARENTNOTIFY, className.c_str(), L"", WS_CHILD | WS_VISIBLE, rect, host.HostWindow(), 0)) {
        button->LoadProgramIcon();
        return button;
    }
    const DWORD error = GetLastError();
    // A window that was bound and then failed has freed its button already.
    delete alive.Get();
    ReportFailure(L"button window", error);
    return nullptr;
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
    Folders().Icons().Fetch(m_hWnd, m_strIconWanted, m_nIconSizeWanted);
}

bool CDropBtn::OnProgramIcon(FetchedIcon& fetched) {
    if (fetched.path != m_strIconWanted || fetched.size != m_nIconSizeWanted) return false;
    // None: the program is gone.
    m_hIcon.Reset(fetched.icon);
    m_nIconSize = fetched.size;
    Invalidate(true);
    return true;
}

void CDropBtn::SetShown(bool shown) {
    m_bShown = shown;
    UpdateWatch();
}

void CDropBtn::UpdateWatch() {
    const std::wstring wanted = m_hWnd && m_bShown && !m_record.m_bNoDrop ? m_record.m_strFolder : std::wstring();
    if (wanted == m_strWatched) return;
    if (!m_strWatched.empty()) Folders().Unwatch(m_hWnd, m_strWatched);
    m_strWatched = wanted;
    if (!wanted.empty()) Folders().Watch(m_hWnd, wanted);
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
    if (ShownText() == before) return;
    Invalidate(true);
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, m_hWnd, OBJID_WINDOW, CHILDID_SELF);
}

std::wstring CDropBtn::FaceText() const {
    if (Settings().nDisplayCount != 1 || m_record.m_bNoDrop || !m_bScanned) return m_record.m_strTitle;
    return m_record.m_strTitle + L" [" + std::to_wstring(m_nFileCount) + L"]";
}

std::wstring CDropBtn::ShownText() const {
    // The badge's own letters: it is a picture of the word.
    return ShowsNewMark() ? FaceText() + L" NEW" : FaceText();
}

LRESULT CDropBtn::OnGetText(size_t size, wchar_t* buffer) const {
    if (size == 0 || !buffer) return 0;
    const std::wstring text = ShownText();
    const size_t copied = text.copy(buffer, size - 1);
    buffer[copied] = L'\0';
    return static_cast<LRESULT>(copied);
}

LRESULT CDropBtn::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCPAINT:
        // No frame and no scroll bars: nothing to paint, and the default costs as much as the face.
        return 0;
    case WM_PRINTCLIENT:
        OnPrintClient(reinterpret_cast<HDC>(wp), static_cast<UINT>(lp));
        return 0;
    case WM_GETTEXT:
        return OnGetText(static_cast<size_t>(wp), reinterpret_cast<wchar_t*>(lp));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(ShownText().size());
    case kFolderFiguresMessage:
        OnFolderFigures(*reinterpret_cast<const FolderScan*>(lp));
        return 0;
    case kProgramIconMessage:
        return OnProgramIcon(*reinterpret_cast<FetchedIcon*>(lp)) ? TRUE : FALSE;
    case WM_INITMENUPOPUP:
        Default();
        OnInitMenuPopup(reinterpret_cast<HMENU>(wp));
        return 0;
    default:
        return CWnd::WindowProc(msg, wp, lp);
    }
}

int CDropBtn::OnCreate(CREATESTRUCTW* cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    // Served through the page's one registration (see CGroupWnd).
    if (!m_record.m_bNoDrop) m_dropTarget.Attach(this);
    return 0;
}

void CDropBtn::OnDestroy() {
    m_bShown = false;
    UpdateWatch();
    m_dropTarget.Revoke();
    CWnd::OnDestroy();
}

BOOL CDropBtn::OnEraseBkgnd(HDC dc) {
    // The class has no brush: each button fills its face with its own back colour.
    const RECT rc = GetClientRect();
    FillRect(dc, &rc, m_host.Style().FaceBrush(m_brBack.Get()));
    return TRUE;
}

void CDropBtn::OnPaint() {
    const PaintScope paint(m_hWnd);
    Paint(paint.Dc());
}

void CDropBtn::OnPrintClient(HDC dc, UINT flags) {
    if (flags & PRF_ERASEBKGND) OnEraseBkgnd(dc);
    if (flags & PRF_CLIENT) Paint(dc);
}

void CDropBtn::Paint(HDC dc) {
    RECT client = GetClientRect();
    const int width = client.right;
    const int height = client.bottom;
    const ButtonStyle& style = m_host.Style();
    const int saved = SaveDC(dc);
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

BOOL CDropBtn::OnCommand(WPARAM wp, LPARAM lp) {
    switch (LOWORD(wp)) {
    case ID_BUTTON_OPEN_FOLDER: OnOpen(false); return TRUE;
    case ID_BUTTON_RUN_PROGRAM: OnOpen(true); return TRUE;
    case ID_BUTTON_PROPERTIES: OnProperties(); return TRUE;
    case ID_BUTTON_MOVE_EARLIER:
    case ID_BUTTON_MOVE_LATER:
        m_host.MoveButton(*this, LOWORD(wp) == ID_BUTTON_MOVE_EARLIER);
        return TRUE;
    case ID_BUTTON_COPY_COLORS: Settings().colorClipboard = {m_record.m_crText, m_record.m_crBack, true}; return TRUE;
    case ID_BUTTON_PASTE_COLORS: OnPasteColors(); return TRUE;
    case ID_BUTTON_DEFAULT_COLORS: OnMakeDefaultColors(); return TRUE;
    case ID_BUTTON_DELETE: OnDelete(); return TRUE;
    case ID_BUTTON_REFRESH: Refresh(); return TRUE;
    default:
        return CWnd::OnCommand(wp, lp);
    }
}
