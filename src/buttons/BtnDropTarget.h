#pragma once
// CBtnDropTarget: the drop target of one folder button. Files dropped on the button are
// copied or moved into its folder, text is appended to a note there.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/OleDropTarget.h"

class CDropBtn;

class CBtnDropTarget : public COleDropTarget {
public:
    explicit CBtnDropTarget(CDropBtn& button) : m_button(button) {}

    DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, POINT point) override;
    // Ctrl copies (also with Shift), Shift moves, otherwise "CopyMove" decides. The data is
    // not looked at: whether it can be used is only known on the drop.
    DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, POINT point) override;
    // Gives the foreground back to whoever had it before the drop and drops the highlight.
    void OnDragLeave(CWnd* wnd) override;
    BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, POINT point) override;

    // A drag is over the button: it paints inverted.
    bool IsDragOver() const { return m_bDragOver != FALSE; }

private:
    // The right-drop menu at `point` (in the view's client area): the effect chosen, or
    // DROPEFFECT_NONE.
    DROPEFFECT AskDropEffect(POINT point);
    // Brings the bar to the front for what the drop shows (the right-drop menu, Save As),
    // remembering the window that was there.
    void TakeForeground();
    // Hands the files to the transfer queue; the drop returns at once.
    void QueueFiles(std::vector<std::wstring> paths, DROPEFFECT effect);
    // Rescans the folder for the count and badge, then ends the drop like a leave.
    BOOL Finish(BOOL handled);

    BOOL m_bDragOver = FALSE;
    std::wstring m_strTextFile = L"VRL_Text.txt";  // name the next text drop proposes
    HWND m_pPrevForeground = nullptr;      // borrowed: the foreground window before the drop
    BOOL m_bRightDrag = FALSE;             // the drag came in with the right mouse button
    CDropBtn& m_button;                    // the button this target belongs to
};
