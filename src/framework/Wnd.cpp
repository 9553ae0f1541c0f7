#include "framework/Wnd.h"

std::wstring WindowText(HWND wnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(wnd)) + 1, L'\0');
    const int length = GetWindowTextW(wnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(length > 0 ? length : 0));
    return text;
}


namespace {
const wchar_t kBindingProp[] = L"Varolin.CWnd";

// Signed client or screen coordinates packed into a message's lParam.
POINT PointFromLParam(LPARAM lp) {
    return POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
}

bool IsCtlColor(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

// Clears the user data of a window of our own classes when it names `wnd`; any other
// window's user data is its own business.
void Unbind(HWND hwnd, const CWnd* wnd) {
    if (GetWindowLongPtrW(hwnd, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(wnd)) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
}
}  // namespace

CWnd::~CWnd() {
    if (!m_hWnd) return;
    // The object goes before its window: unbind so no message reaches a dead object.
    RemovePropW(m_hWnd, kBindingProp);
    if (m_oldProc) {
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldProc));
    } else {
        Unbind(m_hWnd, this);
        ::DestroyWindow(m_hWnd);
    }
    m_hWnd = nullptr;
}

CWnd* CWnd::FromHandle(HWND wnd) {
    return wnd ? static_cast<CWnd*>(GetPropW(wnd, kBindingProp)) : nullptr;
}

void CWnd::Attach(HWND wnd) {
    m_hWnd = wnd;
    SetPropW(wnd, kBindingProp, this);
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        if (auto* wnd = static_cast<CWnd*>(cs->lpCreateParams)) {
            wnd->Attach(hwnd);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(wnd));
        }
    }
    // Classes registered with this procedure are ours alone, so their user data can carry the
    // object as well. Reading it is a plain memory read; a property read is a round trip to
    // the window server on some systems (Wine), and this runs for every message.
    auto* wnd = reinterpret_cast<CWnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!wnd) return DefWindowProcW(hwnd, msg, wp, lp);
    return Route(wnd, hwnd, msg, wp, lp);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    CWnd* wnd = FromHandle(hwnd);
    if (!wnd) return DefWindowProcW(hwnd, msg, wp, lp);
    return Route(wnd, hwnd, msg, wp, lp);
}

namespace {
// Windows of this thread that reached WM_NCDESTROY through the framework: when the count moves
// during a handler, the handler's own window may be among them.
thread_local unsigned t_destroyedWindows = 0;
}  // namespace

LRESULT CWnd::Route(CWnd* wnd, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    const unsigned destroyedBefore = t_destroyedWindows;
    const CurrentMessage saved = wnd->m_current;
    wnd->m_current = {msg, wp, lp};
    LRESULT result = 0;
    try {
        result = wnd->WindowProc(msg, wp, lp);
    } catch (...) {
        // Nothing may unwind through the system's window procedures.
        result = 0;
    }
    // A handler may have destroyed the window, and a self-owned object with it: then nothing
    // of `wnd` may be touched any more.
    if (msg != WM_NCDESTROY && t_destroyedWindows != destroyedBefore && FromHandle(hwnd) != wnd) return result;
    wnd->m_current = saved;
    if (msg == WM_NCDESTROY) {
        ++t_destroyedWindows;
        RemovePropW(hwnd, kBindingProp);
        Unbind(hwnd, wnd);
        wnd->m_hWnd = nullptr;
        wnd->m_oldProc = nullptr;
        wnd->PostNcDestroy();
    }
    return result;
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                    const RECT& rect, HWND parent, UINT id) {
    const HMENU menuOrId = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    HWND wnd = CreateWindowExW(exStyle, className, title, style, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, parent, menuOrId,
                               GetModuleHandleW(nullptr), this);
    return wnd != nullptr;
}

bool CWnd::SubclassWindow(HWND wnd) {
    if (!wnd || m_hWnd) return false;
    Attach(wnd);
    m_oldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
    return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

bool CWnd::DestroyWindow() { return m_hWnd && ::DestroyWindow(m_hWnd) != FALSE; }

RECT CWnd::GetClientRect() const {
    RECT rc{};
    ::GetClientRect(m_hWnd, &rc);
    return rc;
}

RECT CWnd::GetWindowRect() const {
    RECT rc{};
    ::GetWindowRect(m_hWnd, &rc);
    return rc;
}

LRESULT CWnd::Default() {
    if (m_oldProc) return CallWindowProcW(m_oldProc, m_hWnd, m_current.msg, m_current.wp, m_current.lp);
    return DefWindowProcW(m_hWnd, m_current.msg, m_current.wp, m_current.lp);
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) { return Dispatch(msg, wp, lp); }

LRESULT CWnd::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    if (IsCtlColor(msg))
        return reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), msg));
    switch (msg) {
    case WM_CREATE: return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lp));
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return OnEraseBkgnd(reinterpret_cast<HDC>(wp));
    case WM_SIZE: OnSize(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp)); return 0;
    case WM_TIMER: OnTimer(wp); return 0;
    case WM_COMMAND: return OnCommand(wp, lp) ? 0 : Default();
    case WM_NOTIFY: {
        LRESULT result = 0;
        return OnNotify(wp, lp, &result) ? result : Default();
    }
    case WM_CONTEXTMENU: OnContextMenu(reinterpret_cast<HWND>(wp), PointFromLParam(lp)); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(static_cast<UINT>(wp), PointFromLParam(lp)); return 0;
    case WM_LBUTTONUP: OnLButtonUp(static_cast<UINT>(wp), PointFromLParam(lp)); return 0;
    case WM_RBUTTONDOWN: OnRButtonDown(static_cast<UINT>(wp), PointFromLParam(lp)); return 0;
    case WM_ACTIVATE: OnActivate(LOWORD(wp), reinterpret_cast<HWND>(lp), HIWORD(wp)); return 0;
    case WM_WINDOWPOSCHANGING: OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lp)); return 0;
    case WM_WINDOWPOSCHANGED: OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lp)); return 0;
    case WM_NCHITTEST: return OnNcHitTest(PointFromLParam(lp));
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lp)); return 0;
    case WM_SYSCOMMAND: OnSysCommand(static_cast<UINT>(wp), lp); return 0;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM: return ReflectOwnerDraw(msg, wp, lp) ? TRUE : Default();
    default: return Default();
    }
}

bool CWnd::ReflectOwnerDraw(UINT msg, WPARAM, LPARAM lp) {
    switch (msg) {
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        CWnd* control = dis->CtlType == ODT_MENU ? nullptr : FromHandle(dis->hwndItem);
        if (!control) return false;
        control->DrawItem(dis);
        return true;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        CWnd* control = mis->CtlType == ODT_MENU ? nullptr : FromHandle(GetDlgItem(static_cast<int>(mis->CtlID)));
        if (!control) return false;
        control->MeasureItem(mis);
        return true;
    }
    case WM_DELETEITEM: {
        auto* dis = reinterpret_cast<DELETEITEMSTRUCT*>(lp);
        CWnd* control = FromHandle(dis->hwndItem);
        if (!control) return false;
        control->DeleteItem(dis);
        return true;
    }
    default: return false;
    }
}

int CWnd::OnCreate(CREATESTRUCTW*) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(HDC) { return static_cast<BOOL>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
BOOL CWnd::OnCommand(WPARAM, LPARAM) { return FALSE; }
BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) { return FALSE; }
void CWnd::OnContextMenu(HWND, POINT) { Default(); }
void CWnd::OnLButtonDown(UINT, POINT) { Default(); }
void CWnd::OnLButtonUp(UINT, POINT) { Default(); }
void CWnd::OnRButtonDown(UINT, POINT) { Default(); }
HBRUSH CWnd::OnCtlColor(HDC, HWND, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
void CWnd::OnActivate(UINT, HWND, BOOL) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
LRESULT CWnd::OnNcHitTest(POINT) { return Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
