#include "support/SimulatedShell.h"

#include <algorithm>

namespace varolin {

std::uintptr_t SimulatedShell::Message(unsigned message, AppBarData& data) {
    m_calls.push_back(message);
    return Answer(message, data);
}

std::uintptr_t SimulatedShell::Answer(unsigned message, AppBarData& data) {
    const auto bar = m_bars.find(data.window);
    const bool known = bar != m_bars.end();
    const auto edge = static_cast<Edge>(data.edge);
    switch (message) {
    case kAbmNew:
        if (known || data.window == 0) return 0;
        m_bars[data.window] = Bar{data.callbackMessage};
        return 1;
    case kAbmRemove:
        for (std::uintptr_t& holder : m_autoHide) holder = holder == data.window ? 0 : holder;
        return m_bars.erase(data.window);
    case kAbmQueryPos:
        data.rc = ClipToTaskbar(data.rc);
        return 1;
    case kAbmSetPos:
        if (!known) return 0;
        // Another edge (floating) or an empty rectangle gives the strip up.
        data.rc = IsScreenEdge(edge) && !data.rc.IsEmpty() ? ClipToTaskbar(data.rc) : Rect{};
        bar->second.reserved = data.rc;
        return 1;
    case kAbmGetState: return m_taskbarState;
    case kAbmGetAutoHideBar: return IsScreenEdge(edge) ? AutoHideBar(edge) : 0;
    case kAbmSetAutoHideBar: return known && IsScreenEdge(edge) ? SetAutoHideBar(data) : 0;
    case kAbmActivate:
    case kAbmWindowPosChanged: return known ? 1 : 0;
    default: return 0;
    }
}

std::uintptr_t SimulatedShell::SetAutoHideBar(const AppBarData& data) {
    std::uintptr_t& holder = m_autoHide[data.edge];
    // One auto-hide bar per edge; only the holder can give its registration up.
    if (holder != 0 && holder != data.window) return 0;
    holder = data.lParam != 0 ? data.window : 0;
    return 1;
}

std::uint32_t SimulatedShell::TickCount() {
    const std::uint32_t now = m_now;
    m_now += m_tickStep;
    return now;
}

void SimulatedShell::SetTaskbar(Edge edge, int thickness) {
    m_taskbar = DockStrip(edge, Rect{0, 0, m_metrics.cxScreen, m_metrics.cyScreen}, thickness, m_metrics);
}

void SimulatedShell::SetClock(std::uint32_t start, std::uint32_t step) {
    m_now = start;
    m_tickStep = step;
}

void SimulatedShell::ChangeTaskbarState(unsigned state) {
    m_taskbarState = state;
    Notify(kAbnStateChange);
}

void SimulatedShell::Notify(unsigned code, std::intptr_t lParam) {
    if (!m_sink) return;
    // A bar's answer may register or remove bars: deliver to those present now and still
    // registered when their turn comes.
    const auto bars = m_bars;
    for (const auto& [window, bar] : bars) {
        if (IsRegistered(window)) m_sink(window, bar.callbackMessage, code, lParam);
    }
}

Rect SimulatedShell::ReservedRect(std::uintptr_t window) const {
    const auto bar = m_bars.find(window);
    return bar == m_bars.end() ? Rect{} : bar->second.reserved;
}

std::size_t SimulatedShell::CountCalls(unsigned message) const {
    return static_cast<std::size_t>(std::count(m_calls.begin(), m_calls.end(), message));
}

// Cuts away the side of `rc` that the taskbar's strip covers.
Rect SimulatedShell::ClipToTaskbar(Rect rc) const {
    const Rect& t = m_taskbar;
    if (t.IsEmpty() || std::max(rc.left, t.left) >= std::min(rc.right, t.right) ||
        std::max(rc.top, t.top) >= std::min(rc.bottom, t.bottom))
        return rc;
    if (t.left <= rc.left && t.right >= rc.right) {  // across the whole width: top or bottom
        if (t.top <= rc.top) rc.top = t.bottom;
        else rc.bottom = t.top;
    } else if (t.left <= rc.left) {
        rc.left = t.right;
    } else {
        rc.right = t.left;
    }
    return rc;
}

}  // namespace varolin
