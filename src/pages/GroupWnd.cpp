#include "pages/GroupWnd.h"

#include <algorithm>

#include "settings/PathUtil.h"
#include "settings/Settings.h"
#include "buttons/DropBtn.h"
#include "shell/ButtonStyle.h"
#include "framework/DebugReport.h"
#include "framework/Strings.h"
#include "framework/PrivateMessages.h"
#include "model/SystemCodePage.h"
#include "pages/PageLayout.h"
#include "resource.h"

namespace {

// Titles compare as the system's ANSI strings under its own locale, with no flags.
bool TitleLess(const CDropBtn* a, const CDropBtn* b) {
    const std::string left = WideToAnsi(a->Record().m_strTitle);
    const std::string right = WideToAnsi(b->Record().m_strTitle);
    const LCID locale = MAKELCID(GetSystemDefaultLangID(), SORT_DEFAULT);
    return CompareStringA(locale, 0, left.c_str(), static_cast<int>(left.size()), right.c_str(),
                          static_cast<int>(right.size())) == CSTR_LESS_THAN;
}
}  // namespace

CGroupWnd* CGroupWnd::Make(AppSettings& settings, CTransferQueue& transfers, CFolderMonitor& folders,
                           const ButtonStyle& style, int page,
                           const std::wstring& pageClass, const std::wstring& buttonClass, const RECT& rect, CWnd* bar,
                           IDropTarget* barDropTarget) {
    auto* made = new CGroupWnd(settings, transfers, folders, style, page, buttonClass, barDropTarget);
    const CWeakRef<CGroupWnd> alive = made->m_life.Ref(made);
    if (made->CreateEx(WS_EX_NOPARENTNOTIFY, pageClass.c_str(), L"", WS_CHILD, rect, bar ? bar->m_hWnd : nullptr, 0))
        return made;
    const DWORD error = GetLastError();
    // A window that was bound and then failed has freed its page already.
    delete alive.Get();
    ReportFailure(L"page window", error);
    return nullptr;
}

CGroupWnd::CGroupWnd(AppSettings& settings, CTransferQueue& transfers, CFolderMonitor& folders, const ButtonStyle& style,
                     int page, const std::wstring& buttonClass, IDropTarget* barDropTarget)
    : m_strButtonClass(buttonClass),
      m_settings(settings),
      m_transfers(transfers),
      m_folders(folders),
      m_style(style),
      m_file(settings.strAppDir, page),
      m_pBarDropTarget(barDropTarget) {
    if (m_pBarDropTarget) m_pBarDropTarget->AddRef();
}

CGroupWnd::~CGroupWnd() {
    m_life.End();
    if (m_pBarDropTarget) m_pBarDropTarget->Release();
}

int CGroupWnd::OnCreate(CREATESTRUCTW* cs) {
    if (CWnd::OnCreate(cs) == -1) return -1;
    // Read now, so that a damaged file is reported at start and the bar knows the count.
    m_unmade = m_file.Load(m_hWnd);
    m_nCount = static_cast<int>(m_unmade.size());
    return 0;
}

void CGroupWnd::OnDestroy() {
    // While the window exists, so that OLE lets go of the router with it.
    m_dropRouter.Revoke();
    CWnd::OnDestroy();
}

IDropTarget* CGroupWnd::DropTargetAt(POINTL screen) const {
    POINT point{screen.x, screen.y};
    ScreenToClient(m_hWnd, &point);
    const HWND child = ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
    for (const CDropBtn* button : m_buttons) {
        if (button->m_hWnd != child) continue;
        if (IDropTarget* target = button->DropTarget()) return target;
        break;
    }
    return m_pBarDropTarget;
}

void CGroupWnd::MakeButtons() {
    if (m_bMade) return;
    m_bMade = true;
    // Registering every button's target costs about a millisecond each; the page's router
    // hands a drag to the button under it instead.
    m_dropRouter.Register(m_hWnd);
    // Made where they go: moving each one after would cost a window move per button.
    const RECT client = GetClientRect();
    const auto places = varolin::LayoutButtonPlaces(client.right, client.bottom, m_unmade.size(), m_style.Dpi());
    for (size_t i = 0; i < m_unmade.size(); ++i) {
        const varolin::ButtonPlace& place = places[i];
        if (!MakeButton(m_unmade[i], RECT{place.x, place.y, place.x + place.width, place.y + place.height}))
            m_bButtonMissing = true;
    }
    m_unmade = {};
    m_nCount = static_cast<int>(m_buttons.size());
    // The places were worked out for every record: close the gap a missing one left.
    m_bLayoutDue = IsRectEmpty(&client) != FALSE || m_bButtonMissing;
}

bool CGroupWnd::MakeButton(const varolin::ButtonRecord& record, const RECT& rect) {
    CDropBtn* button = CDropBtn::Make(*this, record, m_strButtonClass, rect);
    if (!button) return false;
    m_buttons.push_back(button);
    return true;
}

void CGroupWnd::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    LayoutWhenShown();
}

LRESULT CGroupWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kNextSheetMessage) {
        OnNextSheet();
        return 0;
    }
    // Not for the bar's own showing and hiding (lp set), which leaves the page as it is.
    if (msg == WM_SHOWWINDOW && lp == 0) OnShowPage(wp != FALSE);
    // No frame and no scroll bars: nothing to paint there, and the default is not free.
    if (msg == WM_NCPAINT) return 0;
    return CWnd::WindowProc(msg, wp, lp);
}

void CGroupWnd::OnShowPage(bool shown) {
    // Sent before the page becomes visible, so its buttons are in place when it first paints.
    if (shown) {
        MakeButtons();
        if (m_bLayoutDue) LayoutButtons();
    }
    for (CDropBtn* button : m_buttons) button->SetShown(shown);
}

void CGroupWnd::LayoutWhenShown() {
    // Only one page is shown at a time; laying out every hidden page on each size change of
    // the bar would cost a window move per button of every page.
    if (IsShown()) LayoutButtons();
    else m_bLayoutDue = true;
}

void CGroupWnd::LayoutButtons() {
    m_bLayoutDue = false;
    if (m_nCount < 1) return;
    const RECT rc = GetClientRect();
    const auto places = varolin::LayoutButtonPlaces(rc.right, rc.bottom, m_buttons.size(), m_style.Dpi());
    for (size_t i = 0; i < m_buttons.size(); ++i)
        MoveWindow(m_buttons[i]->m_hWnd, places[i].x, places[i].y, places[i].width, places[i].height, TRUE);
}

void CGroupWnd::AddFolder(std::wstring& path) {
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
    MakeButtons();
    if (!MakeButton(record, RECT{})) return;
    CDropBtn* button = m_buttons.back();
    ++m_nCount;
    LayoutButtons();
    Save();
    // A hidden page starts watching all its buttons as it is shown.
    if (IsShown()) button->SetShown(true);
    ShowWindow(SW_SHOW);
    m_sheetsDue.push_back(button->m_hWnd);
    PostNextSheet();
}

void CGroupWnd::HoldSheets(bool hold) {
    m_bSheetsHeld = hold;
    PostNextSheet();
}

void CGroupWnd::PostNextSheet() {
    // One message at a time; an open sheet asks for the next when it closes.
    if (m_bSheetsHeld || m_bSheetOpen || m_bNextSheetPosted || m_sheetsDue.empty()) return;
    m_bNextSheetPosted = PostMessage(kNextSheetMessage);
}

void CGroupWnd::OnNextSheet() {
    m_bNextSheetPosted = false;
    if (m_bSheetsHeld || m_bSheetOpen) return;
    while (!m_sheetsDue.empty()) {
        const HWND wanted = m_sheetsDue.front();
        m_sheetsDue.pop_front();
        const auto it = std::find_if(m_buttons.begin(), m_buttons.end(), [wanted](const CDropBtn* b) { return b->m_hWnd == wanted; });
        if (it == m_buttons.end()) continue;  // deleted meanwhile
        const CWeakRef<CGroupWnd> alive = m_life.Ref(this);
        m_bSheetOpen = true;
        (*it)->SendMessage(WM_COMMAND, ID_BUTTON_PROPERTIES);
        if (!alive) return;  // the page went while the sheet was open
        m_bSheetOpen = false;
        PostNextSheet();
        return;
    }
}

void CGroupWnd::RemoveButton(CDropBtn& button) {
    const auto it = std::find(m_buttons.begin(), m_buttons.end(), &button);
    if (it == m_buttons.end()) return;
    m_buttons.erase(it);
    m_nCount = static_cast<int>(m_buttons.size());
    if (m_nCount > 0)
        LayoutButtons();
    else
        ShowWindow(SW_HIDE);
    Save();  // the last button takes the page's file with it
}

void CGroupWnd::MoveButton(CDropBtn& button, bool earlier) {
    const auto it = std::find(m_buttons.begin(), m_buttons.end(), &button);
    if (it == m_buttons.end()) return;
    varolin::MoveOnePlace(m_buttons, static_cast<size_t>(it - m_buttons.begin()), earlier);
    LayoutButtons();
    Save();
}

void CGroupWnd::SortByTitle() {
    if (m_nCount < 2) return;
    MakeButtons();
    varolin::StableSelectionSort<CDropBtn*>(m_buttons, &TitleLess);
    LayoutButtons();
    Save();
}

bool CGroupWnd::Save() {
    if (!m_bMade) return m_file.Save(m_hWnd, m_unmade);
    if (m_bButtonMissing) return false;
    std::vector<varolin::ButtonRecord> records;
    records.reserve(m_buttons.size());
    for (const CDropBtn* button : m_buttons) records.push_back(button->Record());
    return m_file.Save(m_hWnd, records);
}
