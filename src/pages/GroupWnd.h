#pragma once
// CGroupWnd: one page of folder buttons. It loads its group file when created, makes its
// buttons when first shown (a hidden page's buttons cannot take drops, and making them costs
// the start), lays them out edge to edge and saves the file after every change. While it is
// shown its buttons follow their folders' figures.
#include <windows.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "buttons/ButtonHost.h"
#include "framework/DropTargetRouter.h"
#include "framework/Lifetime.h"
#include "framework/Wnd.h"
#include "model/GroupFile.h"

struct AppSettings;
class ButtonStyle;
class CFolderMonitor;

// The page is its buttons' host; only the page itself hands that interface to them.
class CGroupWnd : public CWnd, private IButtonHost {
public:
    // Makes the hidden page window; the page's file is read when this returns. `settings`,
    // `transfers` and `folders` are the program's, `style` the bar's (all borrowed: they outlive
    // every page; the style may be made again meanwhile, in place).
    // `barDropTarget` (may be null) takes drags between the buttons and over those that refuse
    // drops, as the bar's own target would if the page had none; the page holds a reference.
    // The page frees itself with its window; null (reported, nothing left over) when the
    // window could not be made.
    static CGroupWnd* Make(AppSettings& settings, CTransferQueue& transfers, CFolderMonitor& folders,
                           const ButtonStyle& style, int page,
                           const std::wstring& pageClass, const std::wstring& buttonClass, const RECT& rect, CWnd* bar,
                           IDropTarget* barDropTarget);
    ~CGroupWnd() override;

    int ButtonCount() const { return m_nCount; }
    // Adds a button for a folder path (ending in a backslash) or a program path; trims `path`.
    // A path the page file cannot hold (a folder over 260 bytes, a program file name over 256)
    // is refused with a message; a title over 100 bytes is cut.
    void AddFolder(std::wstring& path);
    void SortByTitle();
    // The property sheets of added buttons open one after another, in the order the buttons
    // were added, each from a posted message once the one before has closed: never inside the
    // drop or command that added them, never nested. While held (a drop adding several buttons,
    // with messages between them), none opens; the release lets the first one come.
    void HoldSheets(bool hold);
    // The sheets not yet opened never open (the bar is ending).
    void DropQueuedSheets() { m_sheetsDue.clear(); }

protected:
    int OnCreate(CREATESTRUCTW* cs) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void PostNcDestroy() override { delete this; }

private:
    CGroupWnd(AppSettings& settings, CTransferQueue& transfers, CFolderMonitor& folders, const ButtonStyle& style, int page,
              const std::wstring& buttonClass, IDropTarget* barDropTarget);

    // IButtonHost
    AppSettings& Settings() override { return m_settings; }
    CTransferQueue& Transfers() override { return m_transfers; }
    CFolderMonitor& Folders() override { return m_folders; }
    const ButtonStyle& Style() const override { return m_style; }
    HWND HostWindow() const override { return m_hWnd; }
    void MoveButton(CDropBtn& button, bool earlier) override;
    void RemoveButton(CDropBtn& button) override;
    void SaveButtons() override { Save(); }

    // WM_SHOWWINDOW of the page itself: its buttons are made on the first showing; they watch
    // their folders while it is shown.
    void OnShowPage(bool shown);
    void MakeButtons();
    // A button of `record` at `rect`, listed last; false (reported) when its window was not made.
    bool MakeButton(const varolin::ButtonRecord& record, const RECT& rect);
    bool IsShown() const { return (GetWindowLongW(m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0; }
    void LayoutButtons();
    // Lays the buttons out now when the page is shown, else when it is next shown.
    void LayoutWhenShown();
    bool Save();
    // The target for a drag at `screen`: the button's under it, else the bar's.
    IDropTarget* DropTargetAt(POINTL screen) const;
    void PostNextSheet();
    // The posted kNextSheetMessage: opens the first queued sheet whose button is still here.
    void OnNextSheet();

    std::vector<CDropBtn*> m_buttons;  // display order; each button deletes itself
    std::vector<varolin::ButtonRecord> m_unmade;  // the page as loaded, until its buttons are made
    bool m_bMade = false;
    // A button of the file could not be made: saving would lose it, so the file is left alone.
    bool m_bButtonMissing = false;
    int m_nCount = 0;
    std::wstring m_strButtonClass;
    AppSettings& m_settings;
    CTransferQueue& m_transfers;
    CFolderMonitor& m_folders;
    const ButtonStyle& m_style;
    GroupFile m_file;
    bool m_bLayoutDue = false;  // a size change came while the page was hidden
    std::deque<HWND> m_sheetsDue;  // buttons whose sheet is still to open, first first
    bool m_bSheetOpen = false;
    bool m_bSheetsHeld = false;
    bool m_bNextSheetPosted = false;
    // Ends with the page: a sheet's modal loop may outlive it.
    CLifetime m_life;
    IDropTarget* m_pBarDropTarget;  // a reference held for the page's life
    // One registration for all the buttons, made with them; it asks the page only while
    // registered, and the page revokes it in OnDestroy.
    CDropTargetRouter m_dropRouter{[this](POINTL screen) { return DropTargetAt(screen); }};
};
