#include "support/SimulatedShell.h"

#include <algorithm>

namespace varolin {

SimulatedShell::SimulatedShell(int dpi) {
    const Rect screen{0, 0, 1024, 768};
    m_monitors.push_back(Monitor{L"\\\\.\\DISPLAY1", screen, screen, dpi});
}

std::uintptr_t SimulatedShell::Message(unsigned message, AppBarData& data) {
    m_received.push_back(message);
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
    case kAbmSetPos: {
        if (!known) return 0;
        // Another edge (floating) or an empty rectangle gives the strip up.
        data.rc = IsScreenEdge(edge) && !data.rc.IsEmpty() ? ClipToTaskbar(data.rc) : Rect{};
        bar->second.reserved = data.rc;
        if (m_workAreaSink) {
            const auto bars = m_bars;
            for (const auto& [window, registered] : bars) m_workAreaSink(window);
        }
        return 1;
    }
    case kAbmGetState: return m_taskbarState;
    case kAbmGetAutoHideBar: return IsScreenEdge(edge) ? AutoHideBar(edge) : 0;
    case kAbmSetAutoHideBar: return known && IsScreenEdge(edge) ? SetAutoHideBar(data) : 0;
    default: return known ? 1 : 0;  // ABM_ACTIVATE, ABM_WINDOWPOSCHANGED
    }
}

MonitorList SimulatedShell::Monitors() {
    MonitorList monitors = m_monitors;
    monitors.front().workArea = ClipToTaskbar(monitors.front().rect);
    return monitors;
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

void SimulatedShell::Restart() {
    m_bars.clear();
    m_autoHide.fill(0);
}

Rect SimulatedShell::ReservedRect(std::uintptr_t window) const {
    const auto bar = m_bars.find(window);
    return bar == m_bars.end() ? Rect{} : bar->second.reserved;
}

std::size_t SimulatedShell::Count(unsigned message) const {
    return static_cast<std::size_t>(std::count(m_received.begin(), m_received.end(), message));
}

// Cuts away the side of `rc` that the taskbar's strip covers, where `rc` is on the primary.
Rect SimulatedShell::ClipToTaskbar(Rect rc) const {
    const Rect& primary = m_monitors.front().rect;
    if (rc.right <= primary.left || rc.left >= primary.right || rc.bottom <= primary.top || rc.top >= primary.bottom)
        return rc;
    const int t = m_taskbarThickness;
    switch (m_taskbarEdge) {
    case Edge::Left: rc.left = std::max(rc.left, primary.left + t); break;
    case Edge::Top: rc.top = std::max(rc.top, primary.top + t); break;
    case Edge::Right: rc.right = std::min(rc.right, primary.right - t); break;
    default: rc.bottom = std::min(rc.bottom, primary.bottom - t); break;
    }
    return rc;
}

}  // namespace varolin
