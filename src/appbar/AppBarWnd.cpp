#include "appbar/AppBarWnd.h"

#include <shellapi.h>

#include <utility>

#include "appbar/RealAppBarShell.h"
#include "framework/PrivateMessages.h"
#include "framework/Strings.h"
#include "resource.h"

using namespace varolin;

const UINT g_uAppBarNotify = RegisterWindowMessageW(L"AppBarNotify");
const UINT g_uTaskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");

namespace {

constexpr UINT_PTR kAutoHideTimer = 1;
constexpr UINT kAutoHidePeriod = 400;
constexpr UINT kPlaceFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

// The cursor position when the message being handled was posted.
POINT MessageCursor() {
    const DWORD pos = GetMessagePos();
    return POINT{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
}

Point ToPoint(POINT pt) { return Point{pt.x, pt.y}; }

void Place(HWND wnd, const Rect& rc) {
    SetWindowPos(wnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(), kPlaceFlags);
    UpdateWindow(wnd);
}

// The dialog manager would resize the bar by itself on a DPI change and fight the docking; the
// bar scales and places itself. Looked up by name: Wine's user32 lacks the function, and a
// missing import would keep the program from starting at all.
void KeepDialogManagerOffDpiChanges(HWND wnd) {
    using Setter = BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS, DIALOG_DPI_CHANGE_BEHAVIORS);
    static const auto set = reinterpret_cast<Setter>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetDialogDpiChangeBehavior")));
    if (set) set(wnd, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
}

}  // namespace

CAppBarWnd::CAppBarWnd(UINT templateId, CWnd* parent, IAppBarShell* shell)
    : CDialog(templateId, parent), m_pShell(shell ? shell : &SystemAppBarShell()) {
    m_uTaskbarState = static_cast<unsigned>(AppBarMessage(ABM_GETSTATE));
    m_monitor = Shell().Monitors().front();
}

CAppBarWnd::~CAppBarWnd() {
    // While this is still a CAppBarWnd, so that WM_DESTROY unregisters the bar: the shell would
    // otherwise keep its strip reserved for a window that no object answers for.
    if (m_hWnd) ::DestroyWindow(m_hWnd);
}

UINT_PTR CAppBarWnd::AppBarMessage(unsigned msg, Edge edge, LPARAM lParam, RECT* rc) {
    AppBarData data;
    data.window = reinterpret_cast<std::uintptr_t>(m_hWnd);
    data.callbackMessage = g_uAppBarNotify;
    data.edge = ShellEdge(edge);
    data.rc = rc ? FromRECT(*rc) : Rect{};
    data.lParam = lParam;
    const UINT_PTR result = Shell().Message(msg, data);
    if (rc) *rc = ToRECT(data.rc);
    return result;
}

void CAppBarWnd::SetState(const AppBarState& rec) {
    const Edge previous = m_state.nEdge;
    m_state = MergeAppBarState(m_state, rec);
    // A damaged record must not unregister the bar or index past the dock sizes.
    auto placeable = [](Edge edge) { return IsScreenEdge(edge) || edge == Edge::Float; };
    if (!placeable(m_state.nEdge)) m_state.nEdge = placeable(previous) ? previous : Edge::Bottom;
    if (m_hWnd && IsWindow(m_hWnd)) ApplyEdge(GetCurrentEdge());
}

void CAppBarWnd::SetMonitorPlace(const MonitorPlace& place) { m_monitor = FindMonitor(Shell().Monitors(), place); }

void CAppBarWnd::SetCapabilities(unsigned options, int stepX, int stepY) {
    m_uOptions = options;
    m_nStepX = stepX;
    m_nStepY = stepY;
}

std::optional<Edge> CAppBarWnd::GetAutoHideEdge() {
    if (!m_hWnd) return std::nullopt;
    for (Edge edge : {Edge::Left, Edge::Top, Edge::Right, Edge::Bottom}) {
        if (reinterpret_cast<HWND>(AppBarMessage(ABM_GETAUTOHIDEBAR, edge)) == m_hWnd) return edge;
    }
    return std::nullopt;
}

void CAppBarWnd::ApplyEdge(Edge edge) {
    if (!IsScreenEdge(edge) && edge != Edge::Float && edge != Edge::None) return;
    if (m_bMayHoldAutoHide) {
        if (const auto held = GetAutoHideEdge()) AppBarMessage(ABM_SETAUTOHIDEBAR, *held);
        m_bMayHoldAutoHide = false;
    }
    m_state.nEdge = edge;
    m_rcDockTarget = RECT{};
    if (edge == Edge::None) {
        AppBarMessage(ABM_REMOVE);
        return;
    }
    // Each move below would tell the shell on its own (three or more round trips to the shell's
    // process); one notice once the bar is in place says the same.
    const bool nested = std::exchange(m_bPlacing, true);
    if (!nested) m_bMovedWhilePlacing = false;
    PlaceAt(edge);
    m_bPlacing = nested;
    if (!nested && m_bMovedWhilePlacing) AppBarMessage(ABM_WINDOWPOSCHANGED);
}

void CAppBarWnd::PlaceAt(Edge edge) {
    if (edge == Edge::Float) {
        RECT none{};
        AppBarMessage(ABM_SETPOS, Edge::Float, 0, &none);
        // A rectangle left on a monitor that is gone comes back where it can be reached.
        m_state.rcFloat = BringOntoMonitors(Shell().Monitors(), m_state.rcFloat);
        const Rect& rc = m_state.rcFloat;
        SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        PlaceDocked(edge);
    }
    // Behind a full-screen window whatever the setting, which itself stays as it is.
    HWND after = m_state.bAlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST;
    if (m_bFullScreenApp) after = HWND_BOTTOM;
    SetWindowPos(m_hWnd, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    AppBarMessage(ABM_ACTIVATE);
    OnEdgeChange(false, edge);
}

void CAppBarWnd::PlaceDocked(Edge edge) {
    const Edge current = GetCurrentEdge();
    // The monitor as it is now: its rectangle, work area and DPI may have changed.
    m_monitor = FindMonitor(Shell().Monitors(), PlaceOf(m_monitor));
    if (m_state.bAutoHide) {
        if (AppBarMessage(ABM_SETAUTOHIDEBAR, current, 1)) {
            m_bMayHoldAutoHide = true;
        } else {
            m_state.bAutoHide = 0;
            OnAutoHideDenied();
        }
    }
    RECT rc{};
    GetDockRect(current, rc);
    m_rcDockTarget = rc;
    if (m_state.bAutoHide) {
        // An auto-hide bar reserves no space.
        SetTimer(m_hWnd, kAutoHideTimer, kAutoHidePeriod, nullptr);
        RECT none{};
        AppBarMessage(ABM_SETPOS, Edge::Left, 0, &none);
    } else {
        KillTimer(m_hWnd, kAutoHideTimer);
        AppBarMessage(ABM_SETPOS, edge, 0, &rc);
    }
    GetAutoHideRect(m_bShown != FALSE, rc);
    SlideWindow(rc);
}

void CAppBarWnd::GetDockRect(Edge edge, RECT& rc) {
    if (!IsScreenEdge(edge)) return;
    RECT area = ToRECT(m_monitor.rect);
    if (!m_state.bAutoHide) AppBarMessage(ABM_QUERYPOS, edge, 0, &area);
    // At the monitor's own DPI, should the bar not have been told of it yet.
    const int thickness = ConvertDpi(m_state.anDockSize[DockIndex(edge)], m_nDpi, m_monitor.dpi);
    rc = ToRECT(DockStrip(edge, FromRECT(area), thickness, m_monitor.rect));
}

Edge CAppBarWnd::GetProposedEdge(POINT pt) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    m_monitor = MonitorAt(Shell().Monitors(), ToPoint(pt));
    return ProposedEdge(m_uOptions, ToPoint(pt), ctrl, Shell().Metrics(m_monitor.dpi), m_monitor.rect,
                        m_monitor.workArea);
}

void CAppBarWnd::ApplyTaskbarState(unsigned changed, unsigned state) {
    bool applied = false;
    const bool autoHide = (state & ABS_AUTOHIDE) != 0;
    if ((changed & ABS_AUTOHIDE) && (m_uOptions & BAR_FOLLOW_AUTOHIDE) && (m_state.bAutoHide != 0) != autoHide) {
        m_state.bAutoHide = autoHide ? 1 : 0;
        applied = true;
    }
    if ((changed & ABS_ALWAYSONTOP) && (m_uOptions & BAR_FOLLOW_TOPMOST)) {
        m_state.bAlwaysOnTop = (state & ABS_ALWAYSONTOP) ? 1 : 0;
        applied = true;
    }
    if (!applied) return;
    ApplyEdge(GetCurrentEdge());
    ShowAutoHideBar(false);
}

bool CAppBarWnd::GetAutoHideRect(bool shown, RECT& rc) {
    if (!m_state.bAutoHide) return false;
    Rect r = FromRECT(rc);
    if (!AutoHideRect(GetCurrentEdge(), shown, r, m_monitor.rect, Shell().Metrics(m_monitor.dpi))) return false;
    rc = ToRECT(r);
    return true;
}

void CAppBarWnd::ShowAutoHideBar(bool show) {
    if (show && m_bFullScreenApp) return;  // never out over a full-screen window
    RECT rc = GetWindowRect();
    m_bShown = TRUE;
    if (GetAutoHideRect(show, rc)) {
        m_bShown = show ? TRUE : FALSE;
        SlideWindow(rc);
    }
}

void CAppBarWnd::SlideWindow(const RECT& target) {
    const bool full = Shell().DragFullWindows();
    const RECT cur = GetWindowRect();
    const Rect to = FromRECT(target);
    if (SlideEnabled() && full && !EqualRect(&cur, &target)) {
        // As many frames as the time allows, each placed by the time elapsed since the start.
        const Rect from = FromRECT(cur);
        const std::uint32_t t0 = Shell().TickCount();
        for (std::uint32_t t = Shell().TickCount(); SlideFrameDue(t0, t); t = Shell().TickCount()) {
            Place(m_hWnd, SlideFrame(from, to, t - t0));
        }
    }
    Place(m_hWnd, to);
}

void CAppBarWnd::DragTo(POINT cursor, RECT& rc) {
    const Edge edge = GetProposedEdge(cursor);
    if (edge == Edge::Float) {
        // Coming off an edge: the floating rectangle hangs from the cursor by its top centre.
        if (m_nDragEdge != Edge::Float) rc = ToRECT(FloatRectAtCursor(m_state.rcFloat, ToPoint(cursor)));
        m_state.rcFloat = FromRECT(rc);
    }
    m_nDragEdge = edge;
    GetDockRect(edge, rc);
    OnEdgeChange(true, edge);
}

void CAppBarWnd::EndDrag() {
    const std::optional<Edge> edge = m_nDragEdge;
    m_bInSizeMove = FALSE;
    m_nDragEdge.reset();
    // The end of a move that never began proposes no edge.
    if (!edge) return;
    if (*edge == m_state.nEdge && IsScreenEdge(*edge)) {
        const RECT wr = GetWindowRect();
        const int size = IsHorizontalEdge(*edge) ? wr.bottom - wr.top : wr.right - wr.left;
        m_state.anDockSize[DockIndex(*edge)] = ConvertDpi(size, m_monitor.dpi, m_nDpi);
    }
    ApplyEdge(*edge);
}

void CAppBarWnd::SizeTo(UINT side, RECT& rc) {
    RECT frame{};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)));
    const Rect sized = RoundSizeToSteps(FromRECT(rc), static_cast<int>(side), frame.right - frame.left,
                                        frame.bottom - frame.top, m_nStepX, m_nStepY);
    rc = ToRECT(sized);
    if (m_nDragEdge == Edge::Float) m_state.rcFloat = sized;
}

bool CAppBarWnd::HoldsActivation(HWND active) const {
    // A sheet or question the bar opened keeps the user with the bar.
    return active && (active == m_hWnd || GetAncestor(active, GA_ROOTOWNER) == m_hWnd);
}

void CAppBarWnd::CheckAutoHide(POINT cursor) {
    const bool active = HoldsActivation(GetActiveWindow());
    if (TimerHidesBar(active, FromRECT(GetWindowRect()), ToPoint(cursor), Shell().Metrics(m_monitor.dpi))) {
        ShowAutoHideBar(false);
    }
}

void CAppBarWnd::OnDpiChanged(int dpi, const RECT* suggested) {
    // A docked bar's own placement may bring the message with the DPI it already took over.
    if (dpi < 1 || dpi == m_nDpi) return;
    const int oldDpi = m_nDpi;
    m_state = ConvertAppBarStateDpi(m_state, oldDpi, dpi);
    const bool floating = GetCurrentEdge() == Edge::Float;
    if (floating && suggested) m_state.rcFloat = FromRECT(*suggested);
    m_nDpi = dpi;
    OnRescale(oldDpi);
    if (!m_bInSizeMove) {
        ApplyEdge(GetCurrentEdge());
    } else if (floating && suggested) {
        // The move goes on: the floating window takes the size the system proposes at once.
        SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CAppBarWnd::OnTaskbarCreated() {
    // A restarted shell has forgotten the bar; one that still knows it would refuse a second
    // ABM_NEW. Registered afresh either way, then the edge, size and auto-hide state again.
    AppBarMessage(ABM_REMOVE);
    AppBarMessage(ABM_NEW);
    m_bMayHoldAutoHide = false;
    const Edge edge = GetCurrentEdge();
    if (IsScreenEdge(edge) || edge == Edge::Float) ApplyEdge(edge);
}

void CAppBarWnd::ScheduleRedock() {
    if (!m_bRedockPosted) m_bRedockPosted = PostMessage(kRedockMessage);
}

void CAppBarWnd::Redock() {
    m_bRedockPosted = false;
    if (m_nDragEdge) return;  // the end of the drag places the bar
    const MonitorList monitors = Shell().Monitors();
    m_monitor = FindMonitor(monitors, PlaceOf(m_monitor));
    const Edge edge = m_state.nEdge;
    if (edge == Edge::Float) {
        if (BringOntoMonitors(monitors, m_state.rcFloat) != m_state.rcFloat) ApplyEdge(edge);
        return;
    }
    if (!IsScreenEdge(edge)) return;
    RECT rc{};
    GetDockRect(edge, rc);
    // The bar's own ABM_SETPOS changes the work area too: a strip that is what was last asked
    // for needs no new one, so the change the bar caused itself ends here.
    if (EqualRect(&rc, &m_rcDockTarget)) return;
    ApplyEdge(edge);
}

BOOL CAppBarWnd::OnInitDialog() {
    KeepDialogManagerOffDpiChanges(m_hWnd);
    const UINT dpi = GetDpiForWindow(m_hWnd);
    m_nDpi = dpi ? static_cast<int>(dpi) : kDefaultDpi;
    // A dialog's procedure sees no WM_CREATE: the bar registers as its dialog starts.
    AppBarMessage(ABM_NEW);
    ApplyTaskbarState(ABS_AUTOHIDE | ABS_ALWAYSONTOP, m_uTaskbarState);
    return CDialog::OnInitDialog();
}

void CAppBarWnd::OnDestroy() {
    CDialog::OnDestroy();
    KillTimer(m_hWnd, kAutoHideTimer);
    ApplyEdge(Edge::None);
}

void CAppBarWnd::OnTimer(UINT_PTR id) {
    // The bar's only timer is the auto-hide poll.
    CheckAutoHide(MessageCursor());
    CDialog::OnTimer(id);
}

void CAppBarWnd::OnActivate(UINT state, HWND other, BOOL minimized) {
    CDialog::OnActivate(state, other, minimized);
    if (state == WA_INACTIVE && !HoldsActivation(other)) ShowAutoHideBar(false);
    AppBarMessage(ABM_ACTIVATE);
}

void CAppBarWnd::OnWindowPosChanging(WINDOWPOS* pos) {
    CDialog::OnWindowPosChanging(pos);
    // A move that jumps to another edge changes the size as well.
    if (m_bInSizeMove) pos->flags &= ~static_cast<UINT>(SWP_NOSIZE);
}

void CAppBarWnd::OnWindowPosChanged(WINDOWPOS* pos) {
    CDialog::OnWindowPosChanged(pos);
    if (m_bPlacing) m_bMovedWhilePlacing = true;
    else AppBarMessage(ABM_WINDOWPOSCHANGED);
}

LRESULT CAppBarWnd::OnNcHitTest(POINT screenPoint) {
    const LRESULT hit = CDialog::OnNcHitTest(screenPoint);
    const int button = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    const bool down = GetAsyncKeyState(button) < 0;
    RECT client = GetClientRect();
    MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return BarHitTest(GetCurrentEdge(), static_cast<int>(hit), down, m_nStepX, m_nStepY, FromRECT(client),
                      ToPoint(screenPoint));
}

LRESULT CAppBarWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == g_uAppBarNotify && msg != 0) {
        OnAppBarNotify(wp, lp);
        return 0;
    }
    if (msg == g_uTaskbarCreated && msg != 0) {
        OnTaskbarCreated();
        return 0;
    }
    switch (msg) {
    case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wp), reinterpret_cast<const RECT*>(lp));
        return 0;
    case WM_DISPLAYCHANGE:
        ScheduleRedock();
        return Default();
    case WM_SETTINGCHANGE:
        if (wp == SPI_SETWORKAREA) ScheduleRedock();
        return Default();
    case kRedockMessage:
        Redock();
        return 0;
    case WM_NCMOUSEMOVE:
        ShowAutoHideBar(true);
        return Default();
    case WM_ENTERSIZEMOVE:
        m_nDragEdge = GetCurrentEdge();
        m_bInSizeMove = TRUE;
        return 0;
    case WM_MOVING:
        Default();
        DragTo(MessageCursor(), *reinterpret_cast<RECT*>(lp));
        return TRUE;
    case WM_SIZING:
        Default();
        SizeTo(static_cast<UINT>(wp), *reinterpret_cast<RECT*>(lp));
        return TRUE;
    case WM_EXITSIZEMOVE:
        EndDrag();
        return 0;
    default:
        return CDialog::WindowProc(msg, wp, lp);
    }
}

void CAppBarWnd::OnAppBarNotify(WPARAM code, LPARAM lp) {
    switch (code) {
    case ABN_STATECHANGE: {
        const auto state = static_cast<unsigned>(AppBarMessage(ABM_GETSTATE));
        const unsigned differs = state ^ m_uTaskbarState;
        const unsigned changed = (differs & ABS_AUTOHIDE ? 1u : 0u) | (differs & ABS_ALWAYSONTOP ? 2u : 0u);
        OnTaskbarStateChange(changed, state);
        m_uTaskbarState = state;
        break;
    }
    case ABN_POSCHANGED: OnTaskbarPosChanged(); break;
    case ABN_FULLSCREENAPP: OnFullScreenApp(lp != 0); break;
    case ABN_WINDOWARRANGE: OnWindowArrange(lp != 0); break;
    default: break;
    }
}

void CAppBarWnd::OnEdgeChange(bool, Edge) {}

void CAppBarWnd::OnAutoHideDenied() { AppMessageBox(m_hWnd, IDS_AUTOHIDE_DENIED, MB_OK); }

void CAppBarWnd::OnFullScreenApp(bool open) {
    m_bFullScreenApp = open;
    if (open) m_bShown = FALSE;  // an auto-hide bar goes out of the way
    ApplyEdge(GetCurrentEdge());
}

void CAppBarWnd::OnTaskbarPosChanged() {
    if (GetCurrentEdge() != Edge::Float && !m_state.bAutoHide) ApplyEdge(GetCurrentEdge());
}

void CAppBarWnd::OnTaskbarStateChange(unsigned changed, unsigned state) { ApplyTaskbarState(changed, state); }

void CAppBarWnd::OnWindowArrange(bool) {}

void CAppBarWnd::OnRescale(int) {}
