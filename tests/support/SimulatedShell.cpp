#include "support/SimulatedShell.h"

#include <algorithm>

namespace varolin {

namespace {

bool Intersect(const Rect& a, const Rect& b) {
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

// Removes from `rc` the side that a strip reserved at `edge` covers.
void CutAway(Rect& rc, int edge, const Rect& strip) {
    if (strip.IsEmpty() || !Intersect(rc, strip)) return;
    switch (edge) {
    case kEdgeLeft: rc.left = std::max(rc.left, strip.right); break;
    case kEdgeTop: rc.top = std::max(rc.top, strip.bottom); break;
    case kEdgeRight: rc.right = std::min(rc.right, strip.left); break;
    case kEdgeBottom: rc.bottom = std::min(rc.bottom, strip.top); break;
    default: break;
    }
}

}  // namespace

SimulatedShell::SimulatedShell() {
    m_metrics.cxScreen = 1024;
    m_metrics.cyScreen = 768;
    m_metrics.cxVScroll = 16;
    m_metrics.cyHScroll = 16;
    m_metrics.cxBorder = 1;
    m_metrics.cyBorder = 1;
    m_metrics.cxDoubleClk = 4;
    m_metrics.cyDoubleClk = 4;
}

std::uintptr_t SimulatedShell::Message(unsigned message, AppBarData& data) {
    Call call{message, data, 0};
    call.result = Answer(message, data);
    m_calls.push_back(call);
    return call.result;
}

std::uintptr_t SimulatedShell::Answer(unsigned message, AppBarData& data) {
    Bar* bar = Find(data.window);
    const int edge = static_cast<int>(data.edge);
    switch (message) {
    case kAbmNew:
        if (bar || data.window == 0) return 0;
        m_bars.push_back(Bar{data.window, data.callbackMessage});
        return 1;
    case kAbmRemove:
        if (!bar) return 0;
        Remove(data.window);
        return 1;
    case kAbmQueryPos: {
        const std::size_t limit = bar ? static_cast<std::size_t>(bar - m_bars.data()) : m_bars.size();
        data.rc = ClipAgainstOthers(data.rc, limit);
        return 1;
    }
    case kAbmSetPos:
        if (!bar) return 0;
        if (IsScreenEdge(edge) && !data.rc.IsEmpty()) {
            data.rc = ClipAgainstOthers(data.rc, static_cast<std::size_t>(bar - m_bars.data()));
            bar->edge = edge;
            bar->reserved = data.rc;
        } else {
            bar->edge = EDGE_NONE;
            bar->reserved = Rect{};
        }
        return 1;
    case kAbmGetState:
        return m_taskbarState;
    case kAbmGetAutoHideBar:
        return IsScreenEdge(edge) ? m_autoHide[static_cast<std::size_t>(edge)] : 0;
    case kAbmSetAutoHideBar: {
        if (!bar || !IsScreenEdge(edge)) return 0;
        std::uintptr_t& holder = m_autoHide[static_cast<std::size_t>(edge)];
        if (data.lParam != 0) {
            if (holder != 0 && holder != data.window) return 0;
            holder = data.window;
            return 1;
        }
        if (holder != data.window) return 0;
        holder = 0;
        return 1;
    }
    case kAbmActivate:
    case kAbmWindowPosChanged:
        return bar ? 1 : 0;
    default:
        return 0;
    }
}

Rect SimulatedShell::WorkArea() {
    return ClipAgainstOthers(Rect{0, 0, m_metrics.cxScreen, m_metrics.cyScreen}, m_bars.size());
}

std::uint32_t SimulatedShell::TickCount() {
    const std::uint32_t now = m_now;
    m_now += m_tickStep;
    return now;
}

void SimulatedShell::SetTaskbar(int edge, int thickness) {
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

bool SimulatedShell::IsRegistered(std::uintptr_t window) const { return Find(window) != nullptr; }

Rect SimulatedShell::ReservedRect(std::uintptr_t window) const {
    const Bar* bar = Find(window);
    return bar ? bar->reserved : Rect{};
}

std::uintptr_t SimulatedShell::AutoHideBar(int edge) const {
    return IsScreenEdge(edge) ? m_autoHide[static_cast<std::size_t>(edge)] : 0;
}

std::size_t SimulatedShell::CountCalls(unsigned message) const {
    return static_cast<std::size_t>(std::count_if(m_calls.begin(), m_calls.end(),
                                                  [&](const Call& c) { return c.message == message; }));
}

SimulatedShell::Bar* SimulatedShell::Find(std::uintptr_t window) {
    auto it = std::find_if(m_bars.begin(), m_bars.end(), [&](const Bar& b) { return b.window == window; });
    return it == m_bars.end() ? nullptr : &*it;
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
    for (std::size_t i = 0; i < limit && i < m_bars.size(); ++i) {
        CutAway(rc, m_bars[i].edge, m_bars[i].reserved);
    }
    return rc;
}

void SimulatedShell::Remove(std::uintptr_t window) {
    for (std::uintptr_t& holder : m_autoHide) {
        if (holder == window) holder = 0;
    }
    m_bars.erase(std::remove_if(m_bars.begin(), m_bars.end(), [&](const Bar& b) { return b.window == window; }),
                 m_bars.end());
}

}  // namespace varolin
