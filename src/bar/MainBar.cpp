#include "bar/MainBar.h"

#include <commctrl.h>
#include <shellapi.h>

#include <utility>

#include "bar/AboutDlg.h"
#include "bar/BarLayout.h"
#include "settings/Settings.h"
#include "shell/ShellHelpers.h"
#include "dialogs/OptionSheet.h"
#include "framework/App.h"
#include "framework/PrivateMessages.h"
#include "framework/Profile.h"
#include "framework/Resources.h"
#include "framework/Strings.h"
#include "pages/PageView.h"
#include "resource.h"

namespace {
constexpr COLORREF kCopyColor = 0xC08000;
constexpr COLORREF kMoveColor = 0x0000FF;
constexpr int kBarHotKeyId = 1;

// "Ctrl + Shift + Y": the chord as the hotkey control writes it.
std::wstring HotKeyName(int stored) {
    const UINT key = LOBYTE(stored);
    const UINT flags = HIBYTE(stored);
    std::wstring name;
    if (flags & HOTKEYF_CONTROL) name += L"Ctrl + ";
    if (flags & HOTKEYF_SHIFT) name += L"Shift + ";
    if (flags & HOTKEYF_ALT) name += L"Alt + ";
    LONG scan = static_cast<LONG>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    if (flags & HOTKEYF_EXT) scan |= 1L << 24;
    wchar_t keyName[64]{};
    if (GetKeyNameTextW(scan, keyName, 64) > 0) name += keyName;
    else name += std::to_wstring(key);
    return name;
}

int Width(const RECT& rc) { return rc.right - rc.left; }
int Height(const RECT& rc) { return rc.bottom - rc.top; }
}  // namespace

CMainBar::CMainBar(AppSettings& settings, CWnd* parent, varolin::IAppBarShell* shell)
    : CAppBarWnd(IDD_MAIN_BAR, parent, shell),
      m_settings(settings),
      m_highContrastQuery(&IsHighContrastOn),
      m_brCopy(CreateSolidBrush(kCopyColor)),
      m_brMove(CreateSolidBrush(kMoveColor)) {
    SetSlideSetting(&m_settings.nSlide);
    m_transfers.SetListener(&m_folderWrites);
}

CMainBar::~CMainBar() {
    // The page view goes with the window while what it borrows from the bar (its style, queue
    // and monitor) is still here; the base class would destroy it only after these.
    if (m_hWnd) DestroyWindow();
    m_pages.clear();  // the buttons sign off from the monitor
    m_transfers.SetListener(nullptr);  // the monitor goes before the queue
}

void CMainBar::DoDataExchange(CDataExchange* dx) {
    CAppBarWnd::DoDataExchange(dx);
    DDX_Control(dx, IDC_PAGE_LABEL, m_wndPageLabel);
    DDX_Control(dx, IDC_PAGE_SPIN, m_wndPageSpin);
}

BOOL CMainBar::PreTranslateMessage(MSG* msg) {
    if (msg->message != WM_KEYDOWN) return CAppBarWnd::PreTranslateMessage(msg);
    const bool inBar = msg->hwnd == m_hWnd || IsChild(m_hWnd, msg->hwnd);
    const bool control = GetKeyState(VK_CONTROL) < 0;
    switch (msg->wParam) {
    // Neither key may end the bar the way they end a dialog. Enter clicks the page's focused
    // button; Escape leaves the bar.
    case VK_ESCAPE:
        if (inBar) ReturnFocus();
        return TRUE;
    case VK_RETURN: return !(m_pView && msg->hwnd == m_pView->m_hWnd);
    case VK_PRIOR:
    case VK_NEXT:
        if (!inBar || !control) break;
        StepPage(msg->wParam == VK_NEXT ? 1 : -1);
        return TRUE;
    default: break;
    }
    return CAppBarWnd::PreTranslateMessage(msg);
}

void CMainBar::OnActivate(UINT state, HWND other, BOOL minimized) {
    CAppBarWnd::OnActivate(state, other, minimized);
    // The bar's own boxes and sheets come and go; the window to go back to is the one before.
    if (state != WA_INACTIVE && other && GetAncestor(other, GA_ROOTOWNER) != m_hWnd) m_hWndBefore = other;
}

void CMainBar::ReturnFocus() {
    if (m_hWndBefore && ::IsWindow(m_hWndBefore) && ::IsWindowVisible(m_hWndBefore)) SetForegroundWindow(m_hWndBefore);
}

void CMainBar::StepPage(int delta) {
    m_nSelGroup = varolin::StepPage(m_nSelGroup, delta, PageCount());
    ShowPage();
}

bool CMainBar::FocusPage() { return m_pView && m_pView->FocusPage(); }

BOOL CMainBar::OnInitDialog() {
    CAppBarWnd::OnInitDialog();
    m_dropTarget.Register(this);
    m_nInitDpi = Dpi();
    const RECT label = m_wndPageLabel.GetWindowRect();
    m_nLabelWidth = Width(label);
    m_nLabelHeight = Height(label);
    if (const auto font = reinterpret_cast<HFONT>(m_wndPageLabel.SendMessage(WM_GETFONT)))
        GetObjectW(font, sizeof(m_lfLabel), &m_lfLabel);
    SetCapabilities(varolin::BAR_ALLOW_LEFTRIGHT | varolin::BAR_ALLOW_TOPBOTTOM | varolin::BAR_ALLOW_FLOAT |
                        varolin::BAR_FOLLOW_AUTOHIDE | varolin::BAR_FOLLOW_TOPMOST,
                    1, 1);
    varolin::AppBarState state = DefaultState();
    LoadSettings(state);
    m_pView = CPageView::Make(m_settings, m_transfers, m_folders, m_style, RECT{}, this, m_dropTarget.GetInterface());
    // First in the tab order: activating the bar from the keyboard lands on the page.
    if (m_pView) SetWindowPos(m_pView->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RebuildPages();
    SetState(state);
    m_wndPageSpin.SendMessage(UDM_SETRANGE, 0, MAKELPARAM(1, 0));
    ShowPage();  // with the page label
    // Told once the bar shows; the bar works on without it.
    if (!RegisterBarHotKey()) PostMessage(kHotKeyTakenMessage);
    return TRUE;
}

bool CMainBar::RegisterBarHotKey() {
    UnregisterHotKey(m_hWnd, kBarHotKeyId);
    const auto chord = varolin::HotKeyChordOf(m_settings.nHotKey);
    return !chord || RegisterHotKey(m_hWnd, kBarHotKeyId, chord->modifiers, chord->virtualKey);
}

void CMainBar::ReportHotKeyTaken() {
    std::wstring text = LoadStr(IDS_HOT_KEY_TAKEN);
    if (const size_t at = text.find(L"%1"); at != std::wstring::npos) text.replace(at, 2, HotKeyName(m_settings.nHotKey));
    AppMessageBox(m_hWnd, text, MB_OK | MB_ICONWARNING);
}

void CMainBar::OnHotKey() {
    // With a sheet or a question of the bar's open, that is what the user is brought back to.
    HWND target = GetLastActivePopup(m_hWnd);
    ShowAutoHideBar(true);
    SetForegroundWindow(target ? target : m_hWnd);
    // Called up by the keyboard: the page takes the keys, its focus rectangle showing.
    if (!target || target == m_hWnd) FocusPage();
}

void CMainBar::OnDestroy() {
    UnregisterHotKey(m_hWnd, kBarHotKeyId);
    CAppBarWnd::OnDestroy();
}

varolin::AppBarState CMainBar::DefaultState() {
    varolin::AppBarState state;
    state.cbSize = varolin::AppBarState::kSize;
    state.nEdge = varolin::Edge::Top;
    state.bAutoHide = 0;
    state.bAlwaysOnTop = 1;
    const RECT window = GetWindowRect();
    state.rcFloat = {window.left, window.top, window.right + Width(window), window.bottom};
    // The docked thickness is the frame around today's client area, without the caption that
    // only a floating bar shows.
    RECT client = GetClientRect();
    const DWORD style = static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE)) & ~(WS_CAPTION | WS_SYSMENU);
    const UINT dpi = static_cast<UINT>(Dpi());
    AdjustWindowRectExForDpi(&client, style, FALSE, static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_EXSTYLE)), dpi);
    state.anDockSize[1] = state.anDockSize[3] = Height(client);
    state.anDockSize[0] = state.anDockSize[2] = GetSystemMetricsForDpi(SM_CXFRAME, dpi) + LabelWidth();
    return state;
}

int CMainBar::LabelWidth() const { return varolin::ConvertDpi(m_nLabelWidth, m_nInitDpi, Dpi()); }
int CMainBar::LabelHeight() const { return varolin::ConvertDpi(m_nLabelHeight, m_nInitDpi, Dpi()); }

void CMainBar::LoadSettings(varolin::AppBarState& state) {
    const BarSettings settings = ::LoadSettings(m_settings, state, Dpi());
    m_nSelGroup = settings.nSelGroup;
    m_nGroupCount = settings.nGroupCount;
    m_logFont = settings.logFont;
    state = settings.state;
    if (settings.monitor) SetMonitorPlace(*settings.monitor);
    MakeStyle();
}

void CMainBar::MakeStyle() {
    m_style = ButtonStyle(m_logFont, Dpi());
    m_style.SetHighContrast(m_highContrastQuery());
}

void CMainBar::OnSystemColors(bool always) {
    const bool before = m_style.HighContrast();
    m_style.SetHighContrast(m_highContrastQuery());
    if (always || m_style.HighContrast() != before)
        RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CMainBar::SaveState() {
    WriteAppBarState(State(), Dpi());
    WriteAppBarMonitor(GetMonitorPlace());
    WriteIntSetting(varolin::kSelGroup, m_nSelGroup);
}

CGroupPage* CMainBar::CurrentPage() const {
    if (m_nSelGroup < 0 || m_nSelGroup >= static_cast<int>(m_pages.size())) return nullptr;
    return m_pages[static_cast<size_t>(m_nSelGroup)].get();
}

void CMainBar::ShowPage() {
    // An empty page leaves the view hidden; the label still shows its number.
    if (m_pView) m_pView->ShowGroup(CurrentPage());
    UpdatePageLabel();
}

void CMainBar::RepaintPage() {
    if (m_pView && m_pView->ButtonCount() > 0) m_pView->Invalidate(false);
}

bool CMainBar::AddButton(std::wstring& path) {
    CGroupPage* page = CurrentPage();
    if (!page || !m_pView) return false;
    m_pView->ShowGroup(page);
    m_pView->AddFolder(path);
    return true;
}

void CMainBar::SortPage() {
    if (m_pView && CurrentPage()) m_pView->SortByTitle();
}

void CMainBar::RebuildPages() {
    // The view lets go of the old pages' buttons before they go.
    if (m_pView) m_pView->ShowGroup(nullptr);
    m_pages.clear();
    // Read now, so that a damaged file is reported at start and the bar knows the count.
    for (int i = 0; i < m_nGroupCount; ++i) m_pages.push_back(std::make_unique<CGroupPage>(m_settings.strAppDir, i, m_hWnd));
}

void CMainBar::UpdatePageLabel() {
    m_wndPageLabel.Invalidate(true);
    const bool narrow = Width(m_wndPageLabel.GetWindowRect()) < LabelWidth();
    m_wndPageLabel.SetWindowText(varolin::PageLabelText(m_nSelGroup, PageCount(), narrow).c_str());
    // Readers hear the whole number and, in words, what the label's colour shows.
    std::wstring name = LoadStr(IDS_ACC_PAGE_LABEL);
    if (const size_t at = name.find(L"%1"); at != std::wstring::npos) name.replace(at, 2, varolin::PageLabelText(m_nSelGroup, PageCount(), false));
    if (const size_t at = name.find(L"%2"); at != std::wstring::npos)
        name.replace(at, 2, LoadStr(m_settings.nCopyMove == 1 ? IDS_ACC_DROP_MOVES : IDS_ACC_DROP_COPIES));
    m_wndPageLabel.SetAccessibleName(std::move(name));
}

void CMainBar::OnPaint() {
    PaintScope paint(m_hWnd);
    DrawEmptyPageHint(paint.Dc());
}

void CMainBar::DrawEmptyPageHint(HDC dc) {
    const CGroupPage* page = CurrentPage();
    const varolin::Edge edge = GetCurrentEdge();
    if (!page || page->ButtonCount() > 0 || edge == varolin::Edge::Left || edge == varolin::Edge::Right) return;
    RECT area = m_rcPages;
    InflateRect(&area, -4, 0);
    SelectScope font(dc, reinterpret_cast<HGDIOBJ>(m_wndPageLabel.SendMessage(WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    const std::wstring hint = LoadStr(IDS_EMPTY_PAGE_HINT);
    DrawTextW(dc, hint.c_str(), -1, &area, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CMainBar::OnSize(UINT type, int cx, int cy) {
    CAppBarWnd::OnSize(type, cx, cy);
    LayOutControls(cx, cy);
}

void CMainBar::LayOutControls(int cx, int cy) {
    if (!m_wndPageLabel.m_hWnd) return;
    const varolin::Edge edge = GetCurrentEdge();
    const varolin::BarLayout layout = varolin::LayOutBar(edge == varolin::Edge::Left || edge == varolin::Edge::Right, cx, cy,
                                                         LabelWidth(), LabelHeight(), varolin::ScaleForDpi(2, Dpi()));
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(m_wndPageLabel.m_hWnd, nullptr, layout.label.x, layout.label.y, layout.label.width, layout.label.height, flags);
    SetWindowPos(m_wndPageSpin.m_hWnd, nullptr, layout.spin.x, layout.spin.y, layout.spin.width, layout.spin.height, flags);
    UpdatePageLabel();
    m_rcPages = {layout.pages.x, layout.pages.y, layout.pages.x + layout.pages.width, layout.pages.y + layout.pages.height};
    if (m_pView)
        SetWindowPos(m_pView->m_hWnd, nullptr, m_rcPages.left, m_rcPages.top, Width(m_rcPages), Height(m_rcPages), flags);
}

void CMainBar::OnGetMinMaxInfo(MINMAXINFO* info) {
    const UINT dpi = static_cast<UINT>(Dpi());
    RECT frame{};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_EXSTYLE)), dpi);
    const varolin::Rect screen = GetMonitorPlace().rect;
    const varolin::TrackLimits limits =
        varolin::BarTrackLimits(GetCurrentEdge(), screen.Width(), screen.Height(), GetSystemMetricsForDpi(SM_CXFRAME, dpi),
                                GetSystemMetricsForDpi(SM_CYFRAME, dpi), Height(frame), Dpi());
    if (limits.minWidth) info->ptMinTrackSize.x = limits.minWidth;
    if (limits.minHeight) info->ptMinTrackSize.y = limits.minHeight;
    info->ptMaxTrackSize = {limits.maxWidth, limits.maxHeight};
    CAppBarWnd::OnGetMinMaxInfo(info);
}

void CMainBar::OnSysCommand(UINT id, LPARAM lp) {
    // Closing is ending the bar, asked about once when a copy runs.
    if ((id & 0xFFF0) == SC_CLOSE) return OnCancel();
    CAppBarWnd::OnSysCommand(id, lp);
}

LRESULT CMainBar::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_QUERYENDSESSION) {
        if (!Default()) return FALSE;
        // Windows is ending the session: a copy in progress is stopped without asking.
        EndBar();
        return TRUE;
    }
    if (msg == WM_HOTKEY && wp == kBarHotKeyId) {
        OnHotKey();
        return 0;
    }
    if (msg == kHotKeyTakenMessage) {
        ReportHotKeyTaken();
        return 0;
    }
    // Most setting changes leave the colours alone; a new colour scheme comes as both.
    if (msg == WM_SETTINGCHANGE) OnSystemColors(false);
    if (msg == WM_SYSCOLORCHANGE) OnSystemColors(true);
    return CAppBarWnd::WindowProc(msg, wp, lp);
}

HBRUSH CMainBar::OnCtlColor(HDC dc, HWND control, UINT msg) {
    if (msg != WM_CTLCOLORSTATIC || control != m_wndPageLabel.m_hWnd) return CAppBarWnd::OnCtlColor(dc, control, msg);
    SetBkMode(dc, TRANSPARENT);
    const bool move = m_settings.nCopyMove == 1;
    if (m_style.HighContrast()) {
        // Still two looks for the two modes, both from the user's scheme.
        SetTextColor(dc, GetSysColor(move ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
        return GetSysColorBrush(move ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    }
    SetTextColor(dc, RGB(255, 255, 255));
    return move ? m_brMove.Get() : m_brCopy.Get();
}

BOOL CMainBar::OnNotify(WPARAM wp, LPARAM lp, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lp);
    if (header->idFrom != IDC_PAGE_SPIN || header->code != UDN_DELTAPOS) return CAppBarWnd::OnNotify(wp, lp, result);
    const auto* delta = reinterpret_cast<const NMUPDOWN*>(lp);
    StepPage(delta->iDelta);
    *result = 0;
    return TRUE;
}

void CMainBar::OnEdgeChange(bool, varolin::Edge edge) {
    // Only a floating bar (or one being dragged to floating) shows its caption.
    const LONG style = GetWindowLongW(m_hWnd, GWL_STYLE);
    const LONG wanted = edge == varolin::Edge::Float ? (style | WS_CAPTION | WS_SYSMENU) : (style & ~(WS_CAPTION | WS_SYSMENU));
    SetWindowLongW(m_hWnd, GWL_STYLE, wanted);
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainBar::OnRescale(int) {
    MakeStyle();
    // The template's font was made once, at m_nInitDpi; the label's own takes its place.
    LOGFONTW font = m_lfLabel;
    font.lfHeight = varolin::ConvertDpi(font.lfHeight, m_nInitDpi, Dpi());
    font.lfWidth = varolin::ConvertDpi(font.lfWidth, m_nInitDpi, Dpi());
    m_fontLabel.Reset(CreateFontIndirectW(&font));
    m_wndPageLabel.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fontLabel.Get()), TRUE);
    const RECT client = GetClientRect();
    LayOutControls(client.right, client.bottom);
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CMainBar::OnContextMenu(HWND, POINT point) {
    OwnedMenu menu(LoadLocalizedMenu(IDR_MAIN_MENU));
    HMENU popup = GetSubMenu(menu.Get(), 0);
    if (!popup) return;
    const CGroupPage* page = CurrentPage();
    EnableMenuItem(popup, ID_BAR_SORT, MF_BYCOMMAND | (page && page->ButtonCount() >= 2 ? MF_ENABLED : MF_GRAYED));
    if (m_settings.nCopyMove == 0 || m_settings.nCopyMove == 1)
        CheckMenuRadioItem(popup, ID_BAR_DROP_COPY, ID_BAR_DROP_MOVE, m_settings.nCopyMove == 1 ? ID_BAR_DROP_MOVE : ID_BAR_DROP_COPY,
                           MF_BYCOMMAND);
    CheckMenuItem(popup, ID_BAR_ALWAYS_ON_TOP, MF_BYCOMMAND | (State().bAlwaysOnTop ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(popup, ID_BAR_AUTO_HIDE, MF_BYCOMMAND | (State().bAutoHide ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(popup, ID_BAR_SLIDE, MF_BYCOMMAND | (m_settings.nSlide ? MF_CHECKED : MF_UNCHECKED));
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, point.x, point.y, 0, m_hWnd, nullptr);
}

BOOL CMainBar::OnCommand(WPARAM wp, LPARAM lp) {
    switch (LOWORD(wp)) {
    case ID_BAR_ADD_BUTTON: OnAddButton(); return TRUE;
    case ID_BAR_SORT: SortPage(); return TRUE;
    case ID_BAR_DROP_COPY:
    case ID_BAR_DROP_MOVE:
        m_settings.nCopyMove = LOWORD(wp) == ID_BAR_DROP_MOVE ? 1 : 0;
        UpdatePageLabel();
        WriteIntSetting(varolin::kCopyMove, m_settings.nCopyMove);
        return TRUE;
    case ID_BAR_ALWAYS_ON_TOP: OnToggleState(true); return TRUE;
    case ID_BAR_AUTO_HIDE: OnToggleState(false); return TRUE;
    case ID_BAR_SLIDE:
        m_settings.nSlide = m_settings.nSlide ? 0 : 1;
        WriteIntSetting(varolin::kSlide, m_settings.nSlide);
        return TRUE;
    case ID_BAR_OPTIONS: OnOptions(); return TRUE;
    case ID_BAR_HELP_CONTENTS: ShowHelp(m_settings.strAppDir, L"intro.htm"); return TRUE;
    case ID_BAR_ABOUT: OnAbout(); return TRUE;
    case ID_BAR_EXIT: OnCancel(); return TRUE;
    default: return CAppBarWnd::OnCommand(wp, lp);
    }
}

void CMainBar::OnAddButton() {
    std::wstring path;
    if (BrowseForFolder(m_hWnd, path, LoadStr(IDS_CHOOSE_FOLDER))) AddButton(path);
}

void CMainBar::OnToggleState(bool alwaysOnTop) {
    varolin::AppBarState state = State();
    state.cbSize = varolin::AppBarState::kSize;
    std::int32_t& flag = alwaysOnTop ? state.bAlwaysOnTop : state.bAutoHide;
    flag = flag == 0 ? 1 : 0;
    SetState(state);
}

void CMainBar::OnOptions() {
    const varolin::OptionValues inForce = OptionsInForce(m_settings, m_nGroupCount, m_logFont);
    varolin::OptionValues edited;
    if (!RunOptionsSheet(this, inForce, m_settings.crInitForeColor, m_settings.crInitBackColor, edited)) return;
    const varolin::OptionChanges changes = varolin::ComputeOptionChanges(inForce, edited, m_nSelGroup);
    StoreOptionChanges(m_settings, changes, edited);
    m_nGroupCount = edited.groupCount;
    m_nSelGroup = changes.currentPage;
    if (changes.logFont) {
        m_logFont = edited.logFont;
        MakeStyle();
    }
    if (changes.refresh == varolin::kRefreshRepaint) {
        RepaintPage();
    } else if (changes.refresh == varolin::kRefreshRebuild) {
        RebuildPages();
        ShowPage();
    }
    if (changes.hotKey && !RegisterBarHotKey()) ReportHotKeyTaken();
}

void CMainBar::OnAbout() {
    CAboutDlg about(this, m_settings.strAppDir);
    about.DoModal();
}

void CMainBar::OnCancel() {
    // A copy in progress is stopped only when the user says so; No keeps it (and the bar) going.
    if (m_transfers.Busy() && AppMessageBox(m_hWnd, IDS_STOP_TRANSFER_QUESTION, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    EndBar();
}

void CMainBar::EndBar() {
    // Stopped cleanly first: no file is left half written, no source of an unfinished move lost.
    m_transfers.CancelAndWait();
    SaveState();
    // A sheet open now closes as the user leaves it; those queued after it never open.
    if (m_pView) m_pView->DropQueuedSheets();
    EndDialog(IDCANCEL);
}

DROPEFFECT CBarDropTarget::OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, POINT point) {
    m_strSavedLabel = WindowText(m_pBar->m_wndPageLabel.m_hWnd);
    m_pBar->m_wndPageLabel.SetWindowText(L"MAKE");
    m_pBar->Invalidate(true);
    m_pBar->ShowAutoHideBar(true);
    return OnDragOver(wnd, data, keyState, point);
}

DROPEFFECT CBarDropTarget::OnDragOver(CWnd*, COleDataObject* data, DWORD, POINT) {
    return data->IsDataAvailable(CF_HDROP) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

void CBarDropTarget::OnDragLeave(CWnd*) {
    m_pBar->m_wndPageLabel.SetWindowText(m_strSavedLabel.c_str());
    m_pBar->Invalidate(true);
}

BOOL CBarDropTarget::OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT, POINT) {
    SetForegroundWindow(m_pBar->m_hWnd);
    // A damaged list is treated like no list: nothing of it is read.
    const auto paths = DroppedFiles(data);
    if (!paths) {
        OnDragLeave(wnd);
        AppMessageBox(m_pBar->m_hWnd, IDS_CANNOT_HANDLE_DROP);
        return FALSE;
    }
    if (!paths->empty() && AppMessageBox(m_pBar->m_hWnd, IDS_ADD_BUTTONS_QUESTION, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        // A refused path's message box must not open the sheet of a button added before it.
        CPageView* view = m_pBar->m_pView;
        if (view) view->HoldSheets(true);
        for (auto it = paths->rbegin(); it != paths->rend(); ++it) {
            std::wstring path = *it;
            if (IsFolder(path)) AddTrailingBackslash(path);
            if (!m_pBar->AddButton(path)) break;
        }
        if (view) view->HoldSheets(false);
    }
    OnDragLeave(wnd);
    return TRUE;
}
