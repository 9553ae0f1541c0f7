#include "pages/PageView.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "settings/PathUtil.h"
#include "settings/Settings.h"
#include "buttons/DropBtn.h"
#include "folders/IconFetcher.h"
#include "framework/DebugReport.h"
#include "framework/Handles.h"
#include "framework/OleDropTarget.h"
#include "framework/PrivateMessages.h"
#include "framework/Resources.h"
#include "framework/Strings.h"
#include "model/SystemCodePage.h"
#include "pages/GroupPage.h"
#include "pages/PageLayout.h"
#include "shell/ButtonStyle.h"
#include "resource.h"

namespace {
const wchar_t kViewClass[] = L"VarolinPage";

using ButtonPtr = std::unique_ptr<CDropBtn>;

// A button with its title as the system's ANSI string, converted once for the whole sort.
using TitledButton = std::pair<std::string, ButtonPtr>;

// Titles compare as the system's ANSI strings under its own locale, with no flags.
bool TitleLess(const TitledButton& a, const TitledButton& b) {
    const LCID locale = MAKELCID(GetSystemDefaultLangID(), SORT_DEFAULT);
    return CompareStringA(locale, 0, a.first.c_str(), static_cast<int>(a.first.size()), b.first.c_str(),
                          static_cast<int>(b.first.size())) == CSTR_LESS_THAN;
}
}  // namespace

void CPageView::RegisterWindowClass() {
    WNDCLASSW wc{};
    wc.style = CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW;
    wc.lpfnWndProc = &CWnd::StaticWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kViewClass;
    RegisterClassW(&wc);  // already registered by an earlier view of this process: fine
}

CPageView* CPageView::Make(AppSettings& settings, CTransferQueue& transfers, CFolderMonitor& folders,
                           const ButtonStyle& style, const RECT& rect, CWnd* bar, IDropTarget* barDropTarget) {
    RegisterWindowClass();
    auto* made = new CPageView(settings, transfers, folders, style, barDropTarget);
    const CWeakRef<CPageView> alive = made->m_life.Ref(made);
    if (made->CreateEx(WS_EX_NOPARENTNOTIFY, kViewClass, L"", WS_CHILD | WS_TABSTOP, rect, bar ? bar->m_hWnd : nullptr, 0)) return made;
    const DWORD error = GetLastError();
    // A window that was bound and then failed has freed its view already.
    delete alive.Get();
    ReportFailure(L"page view window", error);
    return nullptr;
}

CPageView::CPageView(AppSettings& settings, CTransferQueue& transfers, CFolderMonitor& folders, const ButtonStyle& style,
                     IDropTarget* barDropTarget)
    : m_settings(settings), m_transfers(transfers), m_folders(folders), m_style(style), m_pBarDropTarget(barDropTarget) {
    if (m_pBarDropTarget) m_pBarDropTarget->AddRef();
}

CPageView::~CPageView() {
    m_life.End();
    if (m_pBarDropTarget) m_pBarDropTarget->Release();
}

void CPageView::OnDestroy() {
    // The buttons outlive the view (their page is the bar's): they stop watching with it.
    SetButtonsShown(false);
    m_pPage = nullptr;
    // While the window exists, so that OLE lets go of the router with it.
    m_dropRouter.Revoke();
    m_accessible.Reset();
    m_tips.Destroy();
    CWnd::OnDestroy();
}

void CPageView::ShowGroup(CGroupPage* page) {
    if (page != m_pPage) {
        SetButtonsShown(false);
        if (m_nPressedId && GetCapture() == m_hWnd) ReleaseCapture();
        m_nPressedId = 0;
        m_nFocusId = 0;  // the new page's first
        m_pPage = page;
        if (m_pPage) m_pPage->MakeButtons(*this, m_nNextId);
        LayoutButtons();
        SetButtonsShown(true);
        NotifyReordered();
        if (FocusedButton() >= 0) NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, 1);
    }
    UpdateVisibility();
}

void CPageView::SetButtonsShown(bool shown) {
    if (!m_pPage) return;
    for (const auto& button : m_pPage->Buttons()) button->SetShown(shown);
}

void CPageView::UpdateVisibility() {
    const bool wanted = ButtonCount() > 0;
    if (wanted && !m_bRegistered) {
        // One registration serves every button of every page shown here: registering a target
        // per button would cost about a millisecond each.
        m_bRegistered = true;
        m_dropRouter.Register(m_hWnd);
    }
    if (wanted == (IsWindowVisible() != FALSE)) return;
    // The keyboard focus is not left on a hidden view: it goes to the bar's next control.
    if (!wanted && GetFocus() == m_hWnd)
        if (HWND next = GetNextDlgTabItem(GetParent(m_hWnd), m_hWnd, FALSE); next && next != m_hWnd) ::SetFocus(next);
    ShowWindow(wanted ? SW_SHOWNA : SW_HIDE);
}

int CPageView::ButtonCount() const { return m_pPage ? static_cast<int>(m_pPage->Buttons().size()) : 0; }

UINT CPageView::ButtonId(int index) const { return m_pPage->Buttons().at(static_cast<size_t>(index))->Id(); }

RECT CPageView::ButtonRect(int index) const { return m_pPage->Buttons().at(static_cast<size_t>(index))->Rect(); }

std::wstring CPageView::ButtonText(int index) const {
    return m_pPage->Buttons().at(static_cast<size_t>(index))->ShownText();
}

std::wstring CPageView::ButtonTitle(int index) const {
    return m_pPage->Buttons().at(static_cast<size_t>(index))->Record().m_strTitle;
}

std::wstring CPageView::ButtonFigures(int index) const {
    return m_pPage->Buttons().at(static_cast<size_t>(index))->FiguresText();
}

bool CPageView::IsButtonPressed(int index) const { return m_pPage->Buttons().at(static_cast<size_t>(index))->IsPressed(); }

int CPageView::IndexOf(UINT id) const {
    if (!m_pPage) return -1;
    const auto& buttons = m_pPage->Buttons();
    const auto it = std::find_if(buttons.begin(), buttons.end(), [id](const ButtonPtr& b) { return b->Id() == id; });
    return it == buttons.end() ? -1 : static_cast<int>(it - buttons.begin());
}

CDropBtn* CPageView::Find(UINT id) const {
    const int index = IndexOf(id);
    return index < 0 ? nullptr : m_pPage->Buttons()[static_cast<size_t>(index)].get();
}

int CPageView::FocusIndex() const {
    const int index = IndexOf(m_nFocusId);
    if (index >= 0) return index;
    return ButtonCount() > 0 ? 0 : -1;
}

int CPageView::FocusedButton() const { return GetFocus() == m_hWnd ? FocusIndex() : -1; }

bool CPageView::FocusPage() {
    if (ButtonCount() == 0 || !IsWindowVisible()) return false;
    SendMessage(WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    if (GetFocus() != m_hWnd) ::SetFocus(m_hWnd);
    return true;
}

void CPageView::MoveFocus(int index) {
    const int before = FocusIndex();
    if (index < 0 || index >= ButtonCount()) return;
    m_nFocusId = ButtonId(index);
    if (index == before) return;
    if (before >= 0) InvalidateButton(*m_pPage->Buttons()[static_cast<size_t>(before)]);
    InvalidateButton(*m_pPage->Buttons()[static_cast<size_t>(index)]);
    if (GetFocus() == m_hWnd) NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, index + 1);
}

bool CPageView::ShowsFocus() const {
    return GetFocus() == m_hWnd && !(::SendMessageW(m_hWnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

void CPageView::OnSetFocus() {
    const int index = FocusIndex();
    if (index < 0) return;
    m_nFocusId = ButtonId(index);
    InvalidateButton(*m_pPage->Buttons()[static_cast<size_t>(index)]);
    NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, index + 1);
}

UINT CPageView::OnGetDlgCode(const MSG* msg) const {
    UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    // Enter clicks the focused button rather than the dialog's default push button.
    if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
    return code;
}

bool CPageView::OnKeyDown(UINT key, LPARAM flags) {
    const int index = FocusIndex();
    if (index < 0) return false;
    const bool repeated = (flags & (1L << 30)) != 0;
    std::optional<varolin::FocusKey> step;
    switch (key) {
    case VK_LEFT: step = varolin::FocusKey::Left; break;
    case VK_RIGHT: step = varolin::FocusKey::Right; break;
    case VK_UP: step = varolin::FocusKey::Up; break;
    case VK_DOWN: step = varolin::FocusKey::Down; break;
    case VK_HOME: step = varolin::FocusKey::Home; break;
    case VK_END: step = varolin::FocusKey::End; break;
    case VK_RETURN:
    case VK_SPACE:
        if (!repeated) ClickButton(*m_pPage->Buttons()[static_cast<size_t>(index)]);
        return true;
    case VK_F10:
        if (GetKeyState(VK_SHIFT) >= 0) return false;
        [[fallthrough]];
    case VK_APPS: {
        const RECT rc = ButtonRect(index);
        POINT at{rc.left, rc.bottom};
        ClientToScreen(m_hWnd, &at);
        OpenButtonMenu(ButtonId(index), at);
        return true;
    }
    case 'V':
        if (GetKeyState(VK_CONTROL) >= 0) return false;
        if (!repeated) PasteOnFocused();
        return true;
    default: return false;
    }
    // Moving with the keys shows where the focus is.
    SendMessage(WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    const RECT client = GetClientRect();
    MoveFocus(varolin::StepFocus(index, ButtonCount(), client.right >= client.bottom, *step));
    return true;
}

void CPageView::PasteOnFocused() {
    const int index = FocusIndex();
    if (index < 0) return;
    const CDropBtn& button = *m_pPage->Buttons()[static_cast<size_t>(index)];
    IDropTarget* target = button.DropTarget();
    IDataObject* data = nullptr;
    if (!target || FAILED(OleGetClipboard(&data)) || !data) {
        MessageBeep(MB_OK);
        return;
    }
    const COleDataObject offered(data);
    if (!offered.IsDataAvailable(CF_HDROP) && !offered.IsDataAvailable(CF_TEXT)) {
        MessageBeep(MB_OK);
        data->Release();
        return;
    }
    // Dropped at the middle of the face with no key held: the bar's copy or move choice holds.
    POINT middle{(button.Rect().left + button.Rect().right) / 2, (button.Rect().top + button.Rect().bottom) / 2};
    ClientToScreen(m_hWnd, &middle);
    const POINTL at{middle.x, middle.y};
    // The button may go while a question of the drop is open; its target stays until released.
    target->AddRef();
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    if (SUCCEEDED(target->DragEnter(data, 0, at, &effect)) && effect != DROPEFFECT_NONE) {
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        target->Drop(data, 0, at, &effect);
    } else {
        target->DragLeave();
    }
    target->Release();
    data->Release();
}

int CPageView::ButtonAt(POINT point) const {
    for (int i = 0; i < ButtonCount(); ++i) {
        const RECT rc = ButtonRect(i);
        if (PtInRect(&rc, point)) return i;
    }
    return -1;
}

void CPageView::PrepareButtonMenu(UINT id, HMENU menu) const {
    if (CDropBtn* button = Find(id)) button->OnInitMenuPopup(menu);
}

bool CPageView::ButtonCommand(UINT id, UINT command) {
    CDropBtn* button = Find(id);
    return button && button->OnCommand(command);
}

void CPageView::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    LayoutButtons();
}

void CPageView::LayoutButtons() {
    if (ButtonCount() > 0) {
        const RECT rc = GetClientRect();
        auto& buttons = m_pPage->Buttons();
        const auto places = varolin::LayoutButtonPlaces(rc.right, rc.bottom, buttons.size(), Style().Dpi());
        for (size_t i = 0; i < buttons.size(); ++i)
            buttons[i]->SetRect(RECT{places[i].x, places[i].y, places[i].x + places[i].width, places[i].y + places[i].height});
    }
    UpdateTips();
    Invalidate(false);
}

void CPageView::InvalidateButton(const CDropBtn& button) { InvalidateRect(m_hWnd, &button.Rect(), FALSE); }

BOOL CPageView::OnEraseBkgnd(HDC) {
    // Painted whole, gaps included, from the buffer.
    return TRUE;
}

void CPageView::OnPaint() {
    const PaintScope paint(m_hWnd);
    const RECT& area = paint.Area();
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    // Drawn off screen first, so a face never shows half drawn.
    const OwnedDC memory(CreateCompatibleDC(paint.Dc()));
    const OwnedBitmap bitmap(CreateCompatibleBitmap(paint.Dc(), width, height));
    if (!memory || !bitmap) {
        PaintArea(paint.Dc(), area);
        return;
    }
    const SelectScope select(memory.Get(), bitmap.Get());
    SetViewportOrgEx(memory.Get(), -area.left, -area.top, nullptr);
    PaintArea(memory.Get(), area);
    SetViewportOrgEx(memory.Get(), 0, 0, nullptr);
    BitBlt(paint.Dc(), area.left, area.top, width, height, memory.Get(), 0, 0, SRCCOPY);
}

void CPageView::PaintArea(HDC dc, const RECT& area) {
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    if (!m_pPage) return;
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    for (const auto& button : m_pPage->Buttons()) {
        const RECT& rc = button->Rect();
        RECT meet{};
        if (!IntersectRect(&meet, &rc, &area)) continue;
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, rc.left, rc.top, rc.right, rc.bottom);
        SetViewportOrgEx(dc, origin.x + rc.left, origin.y + rc.top, nullptr);
        button->Paint(dc);
        if (button->Id() == m_nFocusId && ShowsFocus()) {
            // Inside the face's two edge lines.
            const int inset = 2 * std::max(1, m_style.Scaled(1)) + 1;
            RECT focus{inset, inset, rc.right - rc.left - inset, rc.bottom - rc.top - inset};
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkColor(dc, RGB(255, 255, 255));
            DrawFocusRect(dc, &focus);
        }
        RestoreDC(dc, saved);
    }
}

void CPageView::OnLButtonDown(UINT, POINT point) {
    const int index = ButtonAt(point);
    if (index < 0) return;
    CDropBtn& button = *m_pPage->Buttons()[static_cast<size_t>(index)];
    if (GetFocus() == m_hWnd) MoveFocus(index);
    m_nPressedId = button.Id();
    button.SetPressed(true);
    SetCapture(m_hWnd);
}

void CPageView::OnLButtonUp(UINT, POINT point) { EndPress(point, true); }

void CPageView::OnCaptureChanged() { EndPress(POINT{}, false); }

void CPageView::EndPress(POINT point, bool click) {
    const UINT id = m_nPressedId;
    if (!id) return;
    m_nPressedId = 0;  // first: releasing the capture comes back here
    if (GetCapture() == m_hWnd) ReleaseCapture();
    CDropBtn* button = Find(id);
    if (!button) return;
    button->SetPressed(false);
    // Released outside the button: the click is cancelled.
    if (!click || !PtInRect(&button->Rect(), point)) return;
    ClickButton(*button);
}

void CPageView::ClickButton(UINT id) {
    if (CDropBtn* button = Find(id)) ClickButton(*button);
}

void CPageView::ClickButton(CDropBtn& button) {
    button.OnCommand(button.Record().m_strProgram.empty() ? ID_BUTTON_OPEN_FOLDER : ID_BUTTON_RUN_PROGRAM);
}

void CPageView::OnRButtonDown(UINT, POINT point) {
    const int index = ButtonAt(point);
    if (index < 0) return;
    ClientToScreen(m_hWnd, &point);
    OpenButtonMenu(ButtonId(index), point);
}

void CPageView::OpenButtonMenu(UINT id, POINT screen) {
    OwnedMenu menu(LoadLocalizedMenu(IDR_BUTTON_MENU));
    HMENU popup = GetSubMenu(menu.Get(), 0);
    if (!popup) return;
    PrepareButtonMenu(id, popup);
    // The command goes to the button the menu was opened on, if it is still there.
    const UINT chosen = TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.x, screen.y, 0, m_hWnd, nullptr);
    if (chosen) ButtonCommand(id, chosen);
}

void CPageView::OnContextMenu(HWND wnd, POINT screenPoint) {
    // From the keyboard (no point): the focused button's menu, at the button.
    if (screenPoint.x == -1 && screenPoint.y == -1 && FocusIndex() >= 0) {
        OnKeyDown(VK_APPS, 0);
        return;
    }
    // A button's menu came with the press; elsewhere the bar's menu opens.
    POINT point = screenPoint;
    ScreenToClient(m_hWnd, &point);
    if (ButtonAt(point) >= 0) return;
    CWnd::OnContextMenu(wnd, screenPoint);
}

LRESULT CPageView::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) RelayToTips(msg, wp, lp);
    switch (msg) {
    case kNextSheetMessage:
        OnNextSheet();
        return 0;
    case kFolderFiguresMessage:
        // A button gone since it signed on (its page hidden or it deleted) takes nothing.
        if (CDropBtn* button = Find(static_cast<UINT>(wp))) {
            const std::wstring before = button->FiguresText();
            button->OnFolderFigures(*reinterpret_cast<const FolderScan*>(lp));
            if (button->FiguresText() != before)
                NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, m_hWnd, OBJID_CLIENT, IndexOf(button->Id()) + 1);
        }
        return 0;
    case kButtonClickMessage:
        ClickButton(static_cast<UINT>(wp));
        return 0;
    case WM_GETOBJECT:
        return OnGetObject(wp, lp);
    case kProgramIconMessage: {
        CDropBtn* button = Find(static_cast<UINT>(wp));
        return button && button->OnProgramIcon(*reinterpret_cast<FetchedIcon*>(lp)) ? TRUE : FALSE;
    }
    case WM_PRINTCLIENT: {
        const RECT client = GetClientRect();
        PaintArea(reinterpret_cast<HDC>(wp), client);
        return 0;
    }
    case WM_CAPTURECHANGED:
        OnCaptureChanged();
        return 0;
    case WM_DPICHANGED_AFTERPARENT:
        UpdateTips();
        return 0;
    case WM_GETDLGCODE:
        return OnGetDlgCode(reinterpret_cast<const MSG*>(lp));
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (OnKeyDown(static_cast<UINT>(wp), lp)) return 0;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        // The menu opened on the key going down; the default would open the bar's on its release.
        if (wp == VK_APPS || (wp == VK_F10 && GetKeyState(VK_SHIFT) < 0 && FocusIndex() >= 0)) return 0;
        break;
    case WM_SETFOCUS:
        OnSetFocus();
        break;
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
        if (FocusIndex() >= 0) InvalidateButton(*m_pPage->Buttons()[static_cast<size_t>(FocusIndex())]);
        break;
    case WM_NCPAINT:
        // No frame and no scroll bars: nothing to paint there, and the default is not free.
        return 0;
    default:
        break;
    }
    return CWnd::WindowProc(msg, wp, lp);
}

LRESULT CPageView::OnGetObject(WPARAM wp, LPARAM lp) {
    // OBJID_CLIENT arrives as a 32-bit value: compare it as one.
    if (static_cast<LONG>(lp) != static_cast<LONG>(OBJID_CLIENT)) return Default();
    if (!m_accessible) m_accessible.Reset(CPageAccessible::Make(m_life.Ref(this), m_hWnd));
    if (!m_accessible) return Default();
    return LresultFromObject(__uuidof(IAccessible), wp, static_cast<IAccessible*>(m_accessible.Get()));
}

void CPageView::NotifyReordered() const { NotifyWinEvent(EVENT_OBJECT_REORDER, m_hWnd, OBJID_CLIENT, CHILDID_SELF); }

IDropTarget* CPageView::DropTargetAt(POINTL screen) const {
    POINT point{screen.x, screen.y};
    ScreenToClient(m_hWnd, &point);
    const int index = ButtonAt(point);
    if (index >= 0)
        if (IDropTarget* target = m_pPage->Buttons()[static_cast<size_t>(index)]->DropTarget()) return target;
    return m_pBarDropTarget;
}

void CPageView::AddFolder(std::wstring& path) {
    if (!m_pPage) return;
    path = varolin::Trim(path);
    varolin::ButtonRecord record = varolin::ButtonRecord::ForPath(path, m_settings.crInitForeColor, m_settings.crInitBackColor);
    // A folder or program name the page file cannot hold is refused, never cut or stored
    // whole; the title is only a label and is cut.
    using OverLimit = varolin::ButtonRecord::OverLimit;
    if (const OverLimit over = record.PathOverLimit(SystemAnsiCodePage()); over != OverLimit::None) {
        const UINT id = over == OverLimit::Folder ? IDS_FOLDER_PATH_TOO_LONG : IDS_PROGRAM_NAME_TOO_LONG;
        std::wstring text = LoadStr(id);
        if (const size_t at = text.find(L"%1"); at != std::wstring::npos) text.replace(at, 2, path);
        AppMessageBox(m_hWnd, text, MB_OK);
        return;
    }
    record.CutTitle(SystemAnsiCodePage());
    auto& buttons = m_pPage->Buttons();
    IButtonHost& host = *this;
    buttons.push_back(std::make_unique<CDropBtn>(host, m_nNextId++, record));
    CDropBtn& button = *buttons.back();
    LayoutButtons();
    Save();
    button.SetShown(true);
    UpdateVisibility();
    NotifyReordered();
    m_sheetsDue.push_back(button.Id());
    PostNextSheet();
}

void CPageView::HoldSheets(bool hold) {
    m_bSheetsHeld = hold;
    PostNextSheet();
}

void CPageView::PostNextSheet() {
    // One message at a time; an open sheet asks for the next when it closes.
    if (m_bSheetsHeld || m_bSheetOpen || m_bNextSheetPosted || m_sheetsDue.empty()) return;
    m_bNextSheetPosted = PostMessage(kNextSheetMessage);
}

void CPageView::OnNextSheet() {
    m_bNextSheetPosted = false;
    if (m_bSheetsHeld || m_bSheetOpen) return;
    while (!m_sheetsDue.empty()) {
        const UINT wanted = m_sheetsDue.front();
        m_sheetsDue.pop_front();
        if (!Find(wanted)) continue;  // deleted meanwhile, or its page no longer shown
        const CWeakRef<CPageView> alive = m_life.Ref(this);
        m_bSheetOpen = true;
        ButtonCommand(wanted, ID_BUTTON_PROPERTIES);
        if (!alive) return;  // the view went while the sheet was open
        m_bSheetOpen = false;
        PostNextSheet();
        return;
    }
}

void CPageView::RemoveButton(CDropBtn& button) {
    if (!m_pPage) return;
    auto& buttons = m_pPage->Buttons();
    const auto it = std::find_if(buttons.begin(), buttons.end(), [&](const ButtonPtr& b) { return b.get() == &button; });
    if (it == buttons.end()) return;
    const bool wasFocus = button.Id() == m_nFocusId;
    const size_t place = static_cast<size_t>(it - buttons.begin());
    buttons.erase(it);
    // The button that takes the deleted one's place takes its focus.
    if (wasFocus && !buttons.empty()) {
        m_nFocusId = buttons[std::min(place, buttons.size() - 1)]->Id();
        if (GetFocus() == m_hWnd) NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, FocusIndex() + 1);
    }
    LayoutButtons();
    UpdateVisibility();
    NotifyReordered();
    Save();  // the last button takes the page's file with it
}

void CPageView::MoveButton(CDropBtn& button, bool earlier) {
    if (!m_pPage) return;
    auto& buttons = m_pPage->Buttons();
    const auto it = std::find_if(buttons.begin(), buttons.end(), [&](const ButtonPtr& b) { return b.get() == &button; });
    if (it == buttons.end()) return;
    varolin::MoveOnePlace(buttons, static_cast<size_t>(it - buttons.begin()), earlier);
    LayoutButtons();
    NotifyReordered();
    Save();
}

void CPageView::SortByTitle() {
    if (ButtonCount() < 2) return;
    auto& buttons = m_pPage->Buttons();
    std::vector<TitledButton> titled;
    titled.reserve(buttons.size());
    for (ButtonPtr& button : buttons) titled.emplace_back(WideToAnsi(button->Record().m_strTitle), std::move(button));
    varolin::StableSelectionSort<TitledButton>(titled, &TitleLess);
    for (size_t i = 0; i < titled.size(); ++i) buttons[i] = std::move(titled[i].second);
    LayoutButtons();
    NotifyReordered();
    Save();
}

bool CPageView::Save() { return m_pPage && m_pPage->Save(m_hWnd); }
