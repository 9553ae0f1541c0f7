#pragma once
// A shell that answers appbar messages as the system's does, without one: it keeps the
// registered bars and the strips they reserve, clips positions against a taskbar, allows one
// auto-hide bar per edge, reports a taskbar state that can be changed, and delivers the bars'
// callback messages when asked to. Its drag setting and tick counter are set by the test.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>

#include "appbar/AppBarShell.h"

namespace varolin {

class SimulatedShell : public IAppBarShell {
public:
    // Delivers a bar's callback message (ABN_* code in `code`) to its window.
    using NotifySink = std::function<void(std::uintptr_t window, unsigned message,
                                          std::uintptr_t code, std::intptr_t lParam)>;

    // A 1024 x 768 screen, 16-pixel scroll bars, 1-pixel borders, a 4-pixel double-click
    // rectangle, full-window dragging on, no taskbar, a clock at 0 advancing 16 ms per read.
    std::uintptr_t Message(unsigned message, AppBarData& data) override;
    ScreenMetrics Metrics() override { return m_metrics; }
    Rect WorkArea() override { return ClipToTaskbar(Rect{0, 0, m_metrics.cxScreen, m_metrics.cyScreen}); }
    bool DragFullWindows() override { return m_dragFullWindows; }
    std::uint32_t TickCount() override;

    // A taskbar reserving `thickness` pixels at `edge`.
    void SetTaskbar(Edge edge, int thickness) { m_taskbarEdge = edge; m_taskbarThickness = thickness; }
    void SetDragFullWindows(bool on) { m_dragFullWindows = on; }
    // The tick counter answers `start` first, then advances by `step` on every read.
    void SetClock(std::uint32_t start, std::uint32_t step) { m_now = start; m_tickStep = step; }
    void SetNotifySink(NotifySink sink) { m_sink = std::move(sink); }
    // Changes the state ABM_GETSTATE answers (ABS_* bits) and tells every bar, as the shell
    // does when the user changes it.
    void ChangeTaskbarState(unsigned state);
    // Sends every registered bar its callback message with `code` and `lParam`.
    void Notify(unsigned code, std::intptr_t lParam = 0);

    bool IsRegistered(std::uintptr_t window) const { return m_bars.count(window) != 0; }
    Rect ReservedRect(std::uintptr_t window) const;  // empty when the bar reserves nothing
    std::uintptr_t AutoHideBar(Edge edge) const { return m_autoHide[DockIndex(edge)]; }  // 0: none
    // How many ABM_SETPOS messages the bars have sent.
    std::size_t SetPosCount() const { return m_setPosCount; }

private:
    struct Bar {
        unsigned callbackMessage = 0;
        Rect reserved{};
    };

    std::uintptr_t SetAutoHideBar(const AppBarData& data);
    Rect ClipToTaskbar(Rect rc) const;

    ScreenMetrics m_metrics{1024, 768, 16, 16, 1, 1, 4, 4};
    Edge m_taskbarEdge = Edge::Bottom;
    int m_taskbarThickness = 0;
    unsigned m_taskbarState = 0;
    bool m_dragFullWindows = true;
    std::uint32_t m_now = 0;
    std::uint32_t m_tickStep = 16;
    NotifySink m_sink;
    std::map<std::uintptr_t, Bar> m_bars;  // by window
    std::array<std::uintptr_t, 4> m_autoHide{};
    std::size_t m_setPosCount = 0;
};

}  // namespace varolin
