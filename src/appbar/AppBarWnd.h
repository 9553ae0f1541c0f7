#pragma once
// CAppBarWnd: a dialog that is a shell application desktop toolbar. It registers with the shell,
// docks to an edge of a monitor (the shell reserves the strip) or floats, is dragged from edge
// to edge and monitor to monitor and sized from its inner edge in steps, stays on top on
// request, follows the shell's notifications, auto-hides at its edge and slides whenever it
// moves. It registers again when the shell restarts, docks again when the displays change,
// steps back behind full-screen windows, and rescales itself when its DPI changes.
#include <windows.h>

#include <optional>

#include "appbar/AppBarGeometry.h"
#include "appbar/AppBarShell.h"
#include "appbar/AppBarState.h"
#include "framework/Dialog.h"

// The callback message every bar gives the shell ("AppBarNotify"), registered at program start.
extern const UINT g_uAppBarNotify;
// What the shell broadcasts when it has (re)started and forgotten every bar ("TaskbarCreated").
extern const UINT g_uTaskbarCreated;

class CAppBarWnd : public CDialog {
public:
    // `shell` (borrowed, must outlive the bar) answers the appbar messages and system metrics;
    // nullptr: the system's shell.
    CAppBarWnd(UINT templateId, CWnd* parent = nullptr, varolin::IAppBarShell* shell = nullptr);
    // Unregisters the bar if its window still exists.
    ~CAppBarWnd() override;

    // Takes over the first min(rec.cbSize, 48) bytes of `rec` and, once the window exists,
    // applies the result.
    void SetState(const varolin::AppBarState& rec);
    // Slides an auto-hide bar into view or out of it; any other bar only counts as shown.
    void ShowAutoHideBar(bool show);
    // The process-wide "Slide" setting the bar follows (borrowed; nullptr: sliding on).
    void SetSlideSetting(const int* slide) { m_pnSlide = slide; }
    // The monitor a docked bar goes to: the one of `place` while it is there, else the primary.
    void SetMonitorPlace(const varolin::MonitorPlace& place);
    varolin::MonitorPlace GetMonitorPlace() const { return varolin::PlaceOf(m_monitor); }

protected:
    // The record in force: what a subclass saves, and what it changes one field of before
    // handing it back to SetState. Its sizes are pixels at Dpi().
    const varolin::AppBarState& State() const { return m_state; }
    // The DPI the bar is drawn at: its window's when it was made, then each WM_DPICHANGED's.
    int Dpi() const { return m_nDpi; }
    // BAR_* capability flags and sizing steps (a step of 0 forbids sizing across that dimension).
    void SetCapabilities(unsigned options, int stepX, int stepY);
    // The edge proposed by a drag in progress, else the state's edge.
    varolin::Edge GetCurrentEdge() const { return m_nDragEdge.value_or(m_state.nEdge); }
    // Makes `edge` the bar's edge and brings registration, reserved space, position, timer and
    // z-order in line with the state.
    void ApplyEdge(varolin::Edge edge);
    void ApplyTaskbarState(unsigned changed, unsigned state);

    // Overridables, called as the bar's state changes and as the shell notifies.
    virtual void OnEdgeChange(bool proposed, varolin::Edge edge);
    virtual void OnAutoHideDenied();
    virtual void OnFullScreenApp(bool open);
    virtual void OnTaskbarPosChanged();
    virtual void OnTaskbarStateChange(unsigned changed, unsigned state);
    virtual void OnWindowArrange(bool beginning);
    // After the DPI changed (the record is converted already) and before the bar is placed
    // again: a subclass scales its own fonts and sizes.
    virtual void OnRescale(int oldDpi);

    BOOL OnInitDialog() override;
    void OnDestroy() override;
    void OnTimer(UINT_PTR id) override;
    void OnActivate(UINT state, HWND other, BOOL minimized) override;
    void OnWindowPosChanging(WINDOWPOS* pos) override;
    void OnWindowPosChanged(WINDOWPOS* pos) override;
    LRESULT OnNcHitTest(POINT screenPoint) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnAppBarNotify(WPARAM code, LPARAM lp);

private:
    // Sends one appbar message; `edge` is the shell's edge field (0 where the message has none).
    UINT_PTR AppBarMessage(unsigned msg, varolin::Edge edge = varolin::Edge::Left, LPARAM lParam = 0,
                           RECT* rc = nullptr);
    // The strip of the bar's monitor at `edge`.
    void GetDockRect(varolin::Edge edge, RECT& rc);
    // The edge of the monitor under `pt`, which becomes the bar's monitor.
    varolin::Edge GetProposedEdge(POINT pt);
    // The edge the shell names this bar the auto-hide bar of, if any.
    std::optional<varolin::Edge> GetAutoHideEdge();
    bool GetAutoHideRect(bool shown, RECT& rc);
    void SlideWindow(const RECT& target);
    // ApplyEdge's moves for a floating or docked edge.
    void PlaceAt(varolin::Edge edge);
    void PlaceDocked(varolin::Edge edge);
    // The steps of a drag, with the cursor position of the message that reports them.
    void DragTo(POINT cursor, RECT& rc);
    void EndDrag();
    void SizeTo(UINT side, RECT& rc);
    // Whether `active` is the bar or a window it owns: an auto-hide bar stays out meanwhile.
    bool HoldsActivation(HWND active) const;
    // One tick of the auto-hide timer with the cursor at `cursor`.
    void CheckAutoHide(POINT cursor);
    void OnDpiChanged(int dpi, const RECT* suggested);
    void OnTaskbarCreated();
    // Display and work-area changes arrive in bursts, some while the bar itself is talking to
    // the shell: they are gathered into one posted re-dock.
    void ScheduleRedock();
    void Redock();
    varolin::IAppBarShell& Shell() const { return *m_pShell; }
    bool SlideEnabled() const { return m_pnSlide == nullptr || *m_pnSlide != 0; }

    unsigned m_uTaskbarState;  // last known ABM_GETSTATE answer
    varolin::AppBarState m_state;
    unsigned m_uOptions = 0;   // BAR_* capability flags
    int m_nStepX = 0;          // sizing steps; 0 forbids sizing across that dimension
    int m_nStepY = 0;
    std::optional<varolin::Edge> m_nDragEdge;  // edge proposed during a drag; empty outside one
    BOOL m_bShown = FALSE;     // an auto-hide bar is slid into view
    BOOL m_bInSizeMove = FALSE;
    int m_nDpi = varolin::kDefaultDpi;
    varolin::Monitor m_monitor;   // the monitor whose edges the bar docks to
    RECT m_rcDockTarget{};        // the strip last asked of the shell; empty unless docked
    bool m_bFullScreenApp = false;  // the shell reports a full-screen window on the bar's monitor
    bool m_bRedockPosted = false;
    // The shell may hold an auto-hide edge for the bar: not since it registered or let go of
    // one, so that placing the bar need not ask about all four edges.
    bool m_bMayHoldAutoHide = false;
    bool m_bPlacing = false;        // inside ApplyEdge: the shell hears of the moves once, at its end
    bool m_bMovedWhilePlacing = false;
    varolin::IAppBarShell* m_pShell;  // borrowed
    const int* m_pnSlide = nullptr;   // borrowed
};
