#pragma once
// CPageView: the one window that shows a page of folder buttons. The buttons are objects of
// their page (CGroupPage); the view lays them out edge to edge, paints them (double-buffered),
// turns the mouse into their clicks and menus, hands drags over them to their drop targets
// through one registration, routes their folders' figures and icons to them by id, and saves
// the page after every change. It is shown only while its page has buttons; the bar paints
// behind it.
//
// The keyboard works on one button of the page at a time (the focus): the arrows along the
// layout, Home and End move it; Enter and Space click it; Shift+F10 and the Menu key open its
// menu; Ctrl+V pastes the clipboard's files or text on it as a drop would. Focus moves are
// told to screen readers (EVENT_OBJECT_FOCUS, child id: index + 1).
//
// Besides the mouse, the buttons are reached by index (display order) through ButtonCount,
// ButtonId, ButtonRect and ButtonText, and by id (stable while the button lives) through
// IndexOf and ButtonCommand.
#include <windows.h>

#include <deque>
#include <string>

#include "buttons/ButtonHost.h"
#include "framework/DropTargetRouter.h"
#include "framework/Lifetime.h"
#include "framework/Wnd.h"
#include "pages/PageAccessible.h"
#include "pages/PageTips.h"

struct AppSettings;
class ButtonStyle;
class CDropBtn;
class CFolderMonitor;
class CGroupPage;

// The view is its buttons' host; only the view itself hands that interface to them.
class CPageView : public CWnd, private IButtonHost {
public:
    // The window class of every view (once per process).
    static void RegisterWindowClass();
    // Makes the hidden view as a child of `bar` over `rect`. `settings`, `transfers` and
    // `folders` are the program's, `style` the bar's (all borrowed: they outlive the view; the
    // style may be made again meanwhile, in place). `barDropTarget` (may be null) takes drags
    // between the buttons and over those that refuse drops, as the bar's own target would if
    // the view had none; the view holds a reference. The view frees itself with its window;
    // null (reported, nothing left over) when the window could not be made.
    static CPageView* Make(AppSettings& settings, CTransferQueue& transfers, CFolderMonitor& folders,
                           const ButtonStyle& style, const RECT& rect, CWnd* bar, IDropTarget* barDropTarget);
    ~CPageView() override;

    // Shows `page` (borrowed; null: none), making its buttons on its first showing. Its buttons
    // follow their folders while it is shown. The view is visible while the page has buttons.
    void ShowGroup(CGroupPage* page);
    CGroupPage* Group() const { return m_pPage; }

    int ButtonCount() const;
    // Of the button at `index` in display order: its id, its face in the client area and the
    // text the face shows in words.
    UINT ButtonId(int index) const;
    RECT ButtonRect(int index) const;
    std::wstring ButtonText(int index) const;
    // Its title, its figures in words (empty: none) and whether the mouse holds it down.
    std::wstring ButtonTitle(int index) const;
    std::wstring ButtonFigures(int index) const;
    bool IsButtonPressed(int index) const;
    // The index of button `id`, or -1 when it is gone.
    int IndexOf(UINT id) const;
    // The index of the button whose face holds `point` (client), or -1.
    int ButtonAt(POINT point) const;
    // The index of the button the keyboard works on while the view has the keyboard focus;
    // -1 while it has not, or has no button.
    int FocusedButton() const;
    // Gives the view the keyboard focus on its focused button (the first when none), showing
    // the focus rectangle as keyboard use does; false when the page has no button.
    bool FocusPage();
    // Sets up `menu` (the button menu's popup) for button `id` before it opens.
    void PrepareButtonMenu(UINT id, HMENU menu) const;
    // Carries out a command of button `id`'s menu (ID_BUTTON_*); false when the button is gone
    // or the id is no such command.
    bool ButtonCommand(UINT id, UINT command);

    // Adds a button for a folder path (ending in a backslash) or a program path to the shown
    // page; trims `path`. A path the page file cannot hold (a folder over 260 bytes, a program
    // file name over 256) is refused with a message; a title over 100 bytes is cut.
    void AddFolder(std::wstring& path);
    void SortByTitle();
    // The property sheets of added buttons open one after another, in the order the buttons
    // were added, each from a posted message once the one before has closed: never inside the
    // drop or command that added them, never nested. While held (a drop adding several buttons,
    // with messages between them), none opens; the release lets the first one come.
    void HoldSheets(bool hold);
    // The sheets not yet opened never open (the bar is ending).
    void DropQueuedSheets() { m_sheetsDue.clear(); }
    // The buttons' tooltip window; null until the mouse first moves over the view.
    HWND TipWindow() const { return m_tips.Window(); }

protected:
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnRButtonDown(UINT flags, POINT point) override;
    void OnContextMenu(HWND wnd, POINT screenPoint) override;
    BOOL OnNotify(WPARAM wp, LPARAM lp, LRESULT* result) override;
    // WM_KEYDOWN and WM_SYSKEYDOWN: true when the key was the view's.
    bool OnKeyDown(UINT key, LPARAM flags);
    void OnSetFocus();
    UINT OnGetDlgCode(const MSG* msg) const;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void PostNcDestroy() override { delete this; }

private:
    CPageView(AppSettings& settings, CTransferQueue& transfers, CFolderMonitor& folders, const ButtonStyle& style,
              IDropTarget* barDropTarget);

    // IButtonHost
    AppSettings& Settings() override { return m_settings; }
    CTransferQueue& Transfers() override { return m_transfers; }
    CFolderMonitor& Folders() override { return m_folders; }
    const ButtonStyle& Style() const override { return m_style; }
    HWND HostWindow() const override { return m_hWnd; }
    void InvalidateButton(const CDropBtn& button) override;
    void MoveButton(CDropBtn& button, bool earlier) override;
    void RemoveButton(CDropBtn& button) override;
    void SaveButtons() override { Save(); }

    CDropBtn* Find(UINT id) const;
    // The index of the focused button, even while the view has no keyboard focus; -1: none.
    int FocusIndex() const;
    // Moves the focus to button `index`, redrawing both faces and telling screen readers.
    void MoveFocus(int index);
    // The focus rectangle shows: the view has the keyboard focus, and the focus cues are on.
    bool ShowsFocus() const;
    // A click on the button: its folder opens, or its program starts.
    void ClickButton(CDropBtn& button);
    // The button's menu at `screen`; its command goes to the button if it is still there.
    void OpenButtonMenu(UINT id, POINT screen);
    // The clipboard's files or text handed to the focused button's drop target, as a drop.
    void PasteOnFocused();
    // Every button of the shown page watches its folder (or stops).
    void SetButtonsShown(bool shown);
    // Shown while the page has buttons; the drop registration is made on the first showing.
    void UpdateVisibility();
    void LayoutButtons();
    // Every face that meets `area` into `dc` (client coordinates), the gaps in the bar's colour.
    void PaintArea(HDC dc, const RECT& area);
    // The press ends; a release inside the pressed button is its click.
    void EndPress(POINT point, bool click);
    // Opens the folder or starts the program of button `id`, if it is still here.
    void ClickButton(UINT id);
    // WM_GETOBJECT: the buttons for screen readers.
    LRESULT OnGetObject(WPARAM wp, LPARAM lp);
    // Screen readers read the page again: its buttons changed order, came or went.
    void NotifyReordered() const;
    // WM_CAPTURECHANGED: a press that lost the mouse is no click.
    void OnCaptureChanged();
    bool Save();
    // The target for a drag at `screen`: the button's under it, else the bar's.
    IDropTarget* DropTargetAt(POINTL screen) const;
    // Tooltips (PageViewTips.cpp). The text of button `id`'s tip: its folder, and its program
    // on a second line.
    std::wstring TipText(UINT id) const;
    // The tools follow the faces and the DPI the view draws at.
    void UpdateTips();
    // A mouse message of the view, before it is handled.
    void RelayToTips(UINT msg, WPARAM wp, LPARAM lp);
    void PostNextSheet();
    // The posted kNextSheetMessage: opens the first queued sheet whose button is still here.
    void OnNextSheet();

    AppSettings& m_settings;
    CTransferQueue& m_transfers;
    CFolderMonitor& m_folders;
    const ButtonStyle& m_style;
    CGroupPage* m_pPage = nullptr;  // borrowed: the bar holds every page
    UINT m_nNextId = 1;             // for the buttons made next; never reused
    UINT m_nPressedId = 0;          // the button the left button went down on; 0: none
    UINT m_nFocusId = 0;            // the button the keyboard works on; 0: the first
    std::deque<UINT> m_sheetsDue;   // buttons whose sheet is still to open, first first
    bool m_bSheetOpen = false;
    bool m_bSheetsHeld = false;
    bool m_bNextSheetPosted = false;
    // Ends with the view: a sheet's modal loop may outlive it.
    CLifetime m_life;
    // Made at a screen reader's first question; disconnected with the window.
    OwnedPageAccessible m_accessible;
    CPageTips m_tips{*this, [this](UINT id) { return TipText(id); }};
    IDropTarget* m_pBarDropTarget;  // a reference held for the view's life
    // One registration for all the buttons, made when the view is first shown; it asks the
    // view only while registered, and the view revokes it in OnDestroy.
    CDropTargetRouter m_dropRouter{[this](POINTL screen) { return DropTargetAt(screen); },
                                   [this](bool dragging) { m_tips.SetDragging(dragging); }};
    bool m_bRegistered = false;
};
