#pragma once
// CPageTips: the tooltips of a page view's buttons. Hovering a button shows what its face
// leaves out: its folder, and its program on a line of its own, in full, wrapped at a width
// for the view's DPI in the system's message font at that DPI. One tool per button, over its
// face, made again whenever the faces move; no tip while a drag is over the view.
//
// The tooltip window is made at the first mouse move over the view, so a start-up (and a bar
// nobody points at) pays nothing for it. Until then the calls below only remember.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Handles.h"

class CWnd;

class CPageTips {
public:
    struct Tool {
        UINT id;    // the button's id: the tool's id
        RECT rect;  // its face in the view's client area
    };
    // Tips for the buttons of `view` (it owns this; its window may come later); `text` gives
    // the tip of a button by id.
    CPageTips(const CWnd& view, std::function<std::wstring(UINT id)> text);

    // A mouse message of the view: the first move makes the window, every one reaches it.
    void Relay(UINT msg, WPARAM wp, LPARAM lp);
    // The buttons' faces now, in display order.
    void SetTools(std::vector<Tool> tools);
    // The DPI the view draws at: the font and the wrapping width follow it.
    void SetDpi(int dpi);
    // A drag came over the view (true) or left it (false): no tip meanwhile.
    void SetDragging(bool dragging);
    // TTN_GETDISPINFOW from the tooltip window; false for any other notification.
    bool OnNotify(NMHDR& header);
    // The view goes: the window goes first.
    void Destroy();

    // The tooltip window; null until the first mouse move.
    HWND Window() const { return m_wndTip.Get(); }

private:
    // The widest line before the text wraps: kTipWidth at the DPI, within the view's monitor.
    int MaxWidth() const;
    void Make();
    void AddTools() const;
    void RemoveTools() const;
    void ApplyDpi();

    const CWnd& m_view;
    std::function<std::wstring(UINT)> m_text;
    OwnedFont m_font;             // the system's message font at m_nFontDpi; outlives the window
    OwnedWindow m_wndTip;
    std::vector<Tool> m_tools;    // what the window holds once made
    std::wstring m_strShown;      // the text last handed out: the window reads it after we return
    int m_nDpi = 96;
    int m_nFontDpi = 0;           // 0: no font made yet
    bool m_bDragging = false;
};
