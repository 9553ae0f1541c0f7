#include "support/SimulatedShell.h"

#include <algorithm>

namespace varolin {

namespace {

bool Intersect(const Rect& a, const Rect& b) {
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

// Removes from `rc` the side that a strip reserved at `edge` covers.
void CutAway(Rect& rc, Edge edge, const Rect& strip) {
    if (strip.IsEmpty() || !Intersect(rc, strip)) return;
    switch (edge) {
    case Edge::Left: rc.left = std::max(rc.left, strip.right); break;
    case Edge::Top: rc.top = std::max(rc.top, strip.bottom); break;
    case Edge::Right: rc.right = std::min(rc.right, strip.left); break;
    case Edge::Bottom: rc.bottom = std::min(rc.bottom, strip.top); break;
    default: break;
    }
}

}  // namespace

std::uintptr_t SimulatedShell::Message(unsigned message, AppBarData& data) {
    m_calls.push_back(message);
    return Answer(message, data);
}

std::uintptr_t SimulatedShell::Answer(unsigned message, AppBarData& data) {
    auto it = std::find_if(m_bars.begin(), m_bars.end(), [&](const Bar& b) { return b.window == data.window; });
    Bar* bar = it == m_bars.end() ? nullptr : &*it;
    const auto earlier = static_cast<std::size_t>(it - m_bars.begin());  // the bars that keep their strips
    const auto edge = static_cast<Edge>(data.edge);
    switch (message) {
    case kAbmNew:
        if (bar || data.window == 0) return 0;
        m_bars.push_back(Bar{data.window, data.callbackMessage});
        return 1;
    case kAbmRemove:
        if (!bar) return 0;
        Remove(data.window);
        return 1;
    case kAbmQueryPos:
        data.rc = ClipAgainstOthers(data.rc, earlier);
        return 1;
    case kAbmSetPos:
        if (!bar) return 0;
        if (IsScreenEdge(edge) && !data.rc.IsEmpty()) {
            data.rc = ClipAgainstOthers(data.rc, earlier);
            *bar = Bar{bar->window, bar->callbackMessage, edge, data.rc};
        } else {
            *bar = Bar{bar->window, bar->callbackMessage};
        }
        return 1;
    case kAbmGetState: return m_taskbarState;
    case kAbmGetAutoHideBar: return IsScreenEdge(edge) ? AutoHideBar(edge) : 0;
    case kAbmSetAutoHideBar: return bar && IsScreenEdge(edge) ? SetAutoHideBar(data) : 0;
    case kAbmActivate:
    case kAbmWindowPosChanged: return bar ? 1 : 0;
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

Rect SimulatedShell::WorkArea() {
    return ClipAgainstOthers(Rect{0, 0, m_metrics.cxScreen, m_metrics.cyScreen}, m_bars.size());
}

std::uint32_t SimulatedShell::TickCount() {
    const std::uint32_t now = m_now;
    m_now += m_tickStep;
    return now;
}

void SimulatedShell::SetTaskbar(Edge edge, int thickness) {
    m_taskbarEdge = edge;
    m_taskbarThickness = thickness;
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
    const std::vector<Bar> bars = m_bars;
    for (const Bar& bar : bars) {
        if (IsRegistered(bar.window)) m_sink(bar.window, bar.callbackMessage, code, lParam);
    }
}

Rect SimulatedShell::ReservedRect(std::uintptr_t window) const {
    const Bar* bar = Find(window);
    return bar ? bar->reserved : Rect{};
}

std::size_t SimulatedShell::CountCalls(unsigned message) const {
    return static_cast<std::size_t>(std::count(m_calls.begin(), m_calls.end(), message));
}

const SimulatedShell::Bar* SimulatedShell::Find(std::uintptr_t window) const {
    auto it = std::find_if(m_bars.begin(), m_bars.end(), [&](const Bar& b) { return b.window == window; });
    return it == m_bars.end() ? nullptr : &*it;
}

Rect SimulatedShell::ClipAgainstOthers(Rect rc, std::size_t limit) const {
    if (m_taskbarThickness > 0) {
        const Rect screen{0, 0, m_metrics.cxScreen, m_metrics.cyScreen};
        CutAway(rc, m_taskbarEdge, DockStrip(m_taskbarEdge, screen, m_taskbarThickness, m_metrics));
    }
    for (std::size_t i = 0; i < limit && i < m_bars.size(); ++i) CutAway(rc, m_bars[i].edge, m_bars[i].reserved);
    return rc;
}

void SimulatedShell::Remove(std::uintptr_t window) {
    for (std::uintptr_t& holder : m_autoHide) {
        if (holder == window) holder = 0;
    }
    std::erase_if(m_bars, [&](const Bar& b) { return b.window == window; });
}

}  // namespace varolin
