#pragma once
// CBtnDropTarget: the drop target of one folder button. Files dropped on the button are
// copied or moved into its folder, text is appended to a note there.
#include <windows.h>
#include <shellapi.h>

#include <string>

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

    BOOL m_bDragOver = FALSE;              // a drag is over the button: it paints inverted
    int m_nDropChoice = 0;                 // right-drop menu: 2 move, 1 copy, 0 cancel
    std::wstring m_strTextFile = L"VRL_Text.txt";  // name the next text drop proposes
    HWND m_pPrevForeground = nullptr;      // borrowed: the foreground window before the drop
    BOOL m_bRightDrag = FALSE;             // the drag came in with the right mouse button

private:
    // The right-drop menu at `point` (client): the effect chosen, or DROPEFFECT_NONE.
    DROPEFFECT AskDropEffect(POINT point);
    void DropFiles(HDROP drop, DROPEFFECT effect);
    // Rescans the folder for the count and badge, then ends the drop like a leave.
    BOOL Finish(BOOL handled);

    CDropBtn& m_button;  // the button this target belongs to
};
