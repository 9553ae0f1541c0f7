#include "pages/PageTips.h"

#include <utility>

#include "appbar/Dpi.h"
#include "framework/DebugReport.h"
#include "framework/Wnd.h"

namespace {
// Wide enough for most folder paths on one line, narrow enough to stay near the button.
constexpr int kTipWidth = 480;

TTTOOLINFOW ToolInfo(HWND view, UINT id) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = view;
    info.uId = id;
    return info;
}
}  // namespace

CPageTips::CPageTips(const CWnd& view, std::function<std::wstring(UINT id)> text) : m_view(view), m_text(std::move(text)) {}

void CPageTips::Relay(UINT msg, WPARAM wp, LPARAM lp) {
    if (!m_wndTip) {
        if (msg != WM_MOUSEMOVE) return;
        Make();
        if (!m_wndTip) return;
    }
    MSG relayed{m_view.m_hWnd, msg, wp, lp, static_cast<DWORD>(GetMessageTime()), {}};
    GetCursorPos(&relayed.pt);
    SendMessageW(m_wndTip.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void CPageTips::Make() {
    // Owned by the view's top-level window; always shown, since a bar is seldom the active window.
    m_wndTip.Reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, m_view.m_hWnd, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!m_wndTip) {
        ReportFailure(L"tooltip window", GetLastError());
        return;
    }
    ApplyDpi();
    AddTools();
    if (m_bDragging) SendMessageW(m_wndTip.Get(), TTM_ACTIVATE, FALSE, 0);
}

void CPageTips::SetTools(std::vector<Tool> tools) {
    RemoveTools();
    m_tools = std::move(tools);
    AddTools();
}

void CPageTips::AddTools() const {
    if (!m_wndTip) return;
    for (const Tool& tool : m_tools) {
        TTTOOLINFOW info = ToolInfo(m_view.m_hWnd, tool.id);
        info.uFlags = TTF_TRANSPARENT;
        info.rect = tool.rect;
        info.lpszText = LPSTR_TEXTCALLBACKW;  // asked for when shown: a record may change meanwhile
        SendMessageW(m_wndTip.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void CPageTips::RemoveTools() const {
    if (!m_wndTip) return;
    for (const Tool& tool : m_tools) {
        TTTOOLINFOW info = ToolInfo(m_view.m_hWnd, tool.id);
        SendMessageW(m_wndTip.Get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void CPageTips::SetDpi(int dpi) {
    m_nDpi = dpi;
    ApplyDpi();
}

void CPageTips::ApplyDpi() {
    if (!m_wndTip || m_nFontDpi == m_nDpi) return;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(m_nDpi))) {
        OwnedFont font(CreateFontIndirectW(&metrics.lfMessageFont));
        if (font) {
            SendMessageW(m_wndTip.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
            m_font = std::move(font);  // the window has let go of the old one
        }
    }
    SendMessageW(m_wndTip.Get(), TTM_SETMAXTIPWIDTH, 0, MaxWidth());
    m_nFontDpi = m_nDpi;
}

int CPageTips::MaxWidth() const {
    const int width = varolin::ScaleForDpi(kTipWidth, m_nDpi);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(m_view.m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor)) return width;
    const int screen = monitor.rcWork.right - monitor.rcWork.left;
    return screen > 0 && width > screen ? screen : width;
}

void CPageTips::SetDragging(bool dragging) {
    m_bDragging = dragging;
    // Deactivating also takes a shown tip away.
    if (m_wndTip) SendMessageW(m_wndTip.Get(), TTM_ACTIVATE, dragging ? FALSE : TRUE, 0);
}

bool CPageTips::OnNotify(NMHDR& header) {
    if (!m_wndTip || header.hwndFrom != m_wndTip.Get() || header.code != TTN_GETDISPINFOW) return false;
    auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
    m_strShown = m_text(static_cast<UINT>(header.idFrom));
    info.lpszText = m_strShown.data();
    info.hinst = nullptr;
    return true;
}

void CPageTips::Destroy() {
    m_wndTip.Reset();
    m_nFontDpi = 0;
}
