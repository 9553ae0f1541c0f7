#pragma once
// CGroupWnd: one page of folder buttons. It loads its group file when created, lays its
// buttons out edge to edge and saves the file after every change.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Wnd.h"
#include "groups/GroupFile.h"

class CDropBtn;

class CGroupWnd : public CWnd {
public:
    // Creates the hidden page window; the page's buttons are loaded when this returns.
    CGroupWnd(int page, const std::wstring& pageClass, const std::wstring& buttonClass, const RECT& rect,
              CWnd* bar);

    void LayoutButtons();
    // Adds a button for a folder path (ending in a backslash) or a program path; trims `path`.
    void AddFolder(std::wstring& path);
    void RemoveButton(CDropBtn* button);
    // ID_BUTTON_MOVE_EARLIER or ID_BUTTON_MOVE_LATER; saves even when the order stays.
    void MoveButton(CDropBtn* button, unsigned command);
    void SortByTitle();
    bool Save();

    std::vector<CDropBtn*> m_buttons;  // display order; each button deletes itself
    int m_nCount = 0;
    std::wstring m_strButtonClass;
    std::wstring m_strFileName;

protected:
    int OnCreate(CREATESTRUCTW* cs) override;
    void OnSize(UINT type, int cx, int cy) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void PostNcDestroy() override { delete this; }

private:
    // Lays the buttons out now when the page is shown, else when it is next shown.
    void LayoutWhenShown();

    GroupFile m_file;
    bool m_bLayoutDue = false;  // a size change came while the page was hidden
};
