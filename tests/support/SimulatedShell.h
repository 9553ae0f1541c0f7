#pragma once
// A shell that answers appbar messages as the system's does, without one: it keeps the
// registered bars and the strips they reserve (refusing a second ABM_NEW for a bar it knows),
// clips positions against a taskbar on the primary monitor, allows one auto-hide bar per edge,
// reports a taskbar state that can be changed, and delivers the bars' callback messages and
// work-area changes when asked to. It can forget every bar, as a restarted shell does. Its
// monitors, drag setting and tick counter are set by the test.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "appbar/AppBarShell.h"

namespace varolin {

class SimulatedShell : public IAppBarShell {
public:
    // Delivers a bar's callback message (ABN_* code in `code`) to its window.
    using NotifySink = std::function<void(std::uintptr_t window, unsigned message,
                                          std::uintptr_t code, std::intptr_t lParam)>;
    // Tells a bar's window that the work area has changed.
    using WorkAreaSink = std::function<void(std::uintptr_t window)>;

    // One 1024 x 768 monitor at `dpi`, 16-pixel scroll bars, 1-pixel borders, a 4-pixel
    // double-click rectangle, full-window dragging on, no taskbar, a clock at 0 advancing 16 ms
    // per read.
    explicit SimulatedShell(int dpi = kDefaultDpi);

    std::uintptr_t Message(unsigned message, AppBarData& data) override;
    ScreenMetrics Metrics(int) override { return m_metrics; }
    MonitorList Monitors() override;  // the primary's work area stops at the taskbar
    bool DragFullWindows() override { return m_dragFullWindows; }
    std::uint32_t TickCount() override;

    // The monitors, the primary first; a test adds, moves and rescales them here.
    MonitorList& Screens() { return m_monitors; }
    // A taskbar reserving `thickness` pixels at `edge` of the primary monitor.
    void SetTaskbar(Edge edge, int thickness) { m_taskbarEdge = edge; m_taskbarThickness = thickness; }
    void SetDragFullWindows(bool on) { m_dragFullWindows = on; }
    // The tick counter answers `start` first, then advances by `step` on every read.
    void SetClock(std::uint32_t start, std::uint32_t step) { m_now = start; m_tickStep = step; }
    void SetNotifySink(NotifySink sink) { m_sink = std::move(sink); }
    // While set, every ABM_SETPOS is followed by a work-area change sent to each bar, as the
    // system's shell broadcasts one whenever a bar's strip changes the work area.
    void SetWorkAreaSink(WorkAreaSink sink) { m_workAreaSink = std::move(sink); }
    // Changes the state ABM_GETSTATE answers (ABS_* bits) and tells every bar, as the shell
    // does when the user changes it.
    void ChangeTaskbarState(unsigned state);
    // Sends every registered bar its callback message with `code` and `lParam`.
    void Notify(unsigned code, std::intptr_t lParam = 0);
    // Forgets every bar and auto-hide registration, as a shell that has restarted.
    void Restart();

    bool IsRegistered(std::uintptr_t window) const { return m_bars.count(window) != 0; }
    Rect ReservedRect(std::uintptr_t window) const;  // empty when the bar reserves nothing
    std::uintptr_t AutoHideBar(Edge edge) const { return m_autoHide[DockIndex(edge)]; }  // 0: none
    // The appbar messages received (ABM_*), oldest first, and how many of one kind.
    const std::vector<unsigned>& Received() const { return m_received; }
    std::size_t Count(unsigned message) const;
    void ClearReceived() { m_received.clear(); }

private:
    struct Bar {
        unsigned callbackMessage = 0;
        Rect reserved{};
    };

    std::uintptr_t SetAutoHideBar(const AppBarData& data);
    Rect ClipToTaskbar(Rect rc) const;

    ScreenMetrics m_metrics{16, 16, 1, 1, 4, 4};
    MonitorList m_monitors;
    Edge m_taskbarEdge = Edge::Bottom;
    int m_taskbarThickness = 0;
    unsigned m_taskbarState = 0;
    bool m_dragFullWindows = true;
    std::uint32_t m_now = 0;
    std::uint32_t m_tickStep = 16;
    NotifySink m_sink;
    WorkAreaSink m_workAreaSink;
    std::map<std::uintptr_t, Bar> m_bars;  // by window
    std::array<std::uintptr_t, 4> m_autoHide{};
    std::vector<unsigned> m_received;
};

}  // namespace varolin
