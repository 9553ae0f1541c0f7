#pragma once
// CMainBar: the bar itself. It docks through CAppBarWnd, shows one page of folder buttons at a
// time with a page label and spin, carries the main menu, adds buttons for folders and files
// dropped on it, and comes forward on its global hotkey.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "settings/SettingsRecords.h"
#include "appbar/AppBarWnd.h"
#include "bar/FolderWriteForwarder.h"
#include "bar/PageLabel.h"
#include "folders/FolderMonitor.h"
#include "shell/ButtonStyle.h"
#include "transfer/TransferQueue.h"
#include "framework/Handles.h"
#include "framework/OleDropTarget.h"
#include "pages/GroupPage.h"

struct AppSettings;
class CPageView;
class CMainBar;

class CBarDropTarget : public COleDropTarget {
public:
    explicit CBarDropTarget(CMainBar* bar) : m_pBar(bar) {}
    DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, POINT point) override;
    DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, POINT point) override;
    BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, POINT point) override;
    void OnDragLeave(CWnd* wnd) override;

private:
    CMainBar* m_pBar;           // borrowed: the bar that owns this target
    std::wstring m_strSavedLabel;  // the page label's text while a drag is over the bar
};

class CMainBar : public CAppBarWnd {
public:
    // `settings` (borrowed: the program's) are the settings in force; `shell` (borrowed)
    // answers the appbar messages, nullptr: the system's shell.
    explicit CMainBar(AppSettings& settings, CWnd* parent = nullptr, varolin::IAppBarShell* shell = nullptr);
    ~CMainBar() override;

    BOOL PreTranslateMessage(MSG* msg) override;
    // What its buttons draw with: made for the bar's DPI and font, again when either changes.
    const ButtonStyle& Style() const { return m_style; }
    // Whether Windows' high contrast is on: asked whenever the style is made and at each
    // WM_SETTINGCHANGE and WM_SYSCOLORCHANGE; the system's answer unless replaced.
    void SetHighContrastQuery(std::function<bool()> query) { m_highContrastQuery = std::move(query); }
    // The window that shows the current page's buttons; null until the bar is made, or when
    // the window could not be made.
    CPageView* View() const { return m_pView; }
    // Puts the keyboard focus on the shown page's focused (or first) button; false when the
    // page has none. For the bar's activation from the keyboard.
    bool FocusPage();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnOK() override {}
    void OnDestroy() override;
    void OnEdgeChange(bool proposed, varolin::Edge edge) override;
    void OnRescale(int oldDpi) override;

    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnContextMenu(HWND wnd, POINT point) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnGetMinMaxInfo(MINMAXINFO* info) override;
    void OnSysCommand(UINT id, LPARAM lp) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT msg) override;
    BOOL OnNotify(WPARAM wp, LPARAM lp, LRESULT* result) override;
    BOOL OnCommand(WPARAM wp, LPARAM lp) override;
    void OnPaint() override;
    void OnActivate(UINT state, HWND other, BOOL minimized) override;

private:
    friend class CBarDropTarget;

    // The current page's commands. Each does nothing when there is no page at the current
    // index (a stored page number beyond the count).
    void ShowPage();
    void RepaintPage();
    // Adds a button for a folder path (ending in a backslash) or a program path; false when
    // there is no current page.
    bool AddButton(std::wstring& path);
    void SortPage();

    // Reads every page's file again (the buttons made anew when shown).
    void RebuildPages();
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    // Label, spin and page view for a client area of cx x cy.
    void LayOutControls(int cx, int cy);
    void UpdatePageLabel();
    // On a horizontal bar whose shown page has no buttons, tells how to add one.
    void DrawEmptyPageHint(HDC dc);
    CGroupPage* CurrentPage() const;
    varolin::AppBarState DefaultState();
    // The page label's size as made from the template, at the bar's DPI now.
    int LabelWidth() const;
    int LabelHeight() const;
    // m_style from m_logFont at the bar's DPI, in high contrast or not.
    void MakeStyle();
    // High contrast or the system's colours changed: everything is drawn again.
    void OnSystemColors(bool always);
    void LoadSettings(varolin::AppBarState& state);
    void SaveState();
    void OnAddButton();
    void OnToggleState(bool alwaysOnTop);
    void OnOptions();
    void OnAbout();
    // Registers the hotkey of m_settings.nHotKey in place of the bar's last one: false when
    // a chord is wanted and the system refused it (another program holds it).
    bool RegisterBarHotKey();
    void ReportHotKeyTaken();
    // Brings the bar (or the dialog it has open) to the foreground, slid out when auto-hidden.
    void OnHotKey();
    // Escape: the window that was active before the bar gets the focus back.
    void ReturnFocus();
    // Ctrl+Page Up and Ctrl+Page Down: the page before or after.
    void StepPage(int delta);
    // Stops the transfers, stores the bar's state and ends it.
    void EndBar();

    AppSettings& m_settings;
    // Drops' file work; its questions and progress window belong to the bar.
    CTransferQueue m_transfers{m_settings, [this] { return m_hWnd; }};
    // The shown page's folder figures, kept up to date in the background.
    CFolderMonitor m_folders{m_settings};
    CFolderWriteForwarder m_folderWrites{m_folders};  // the queue's listener while the bar lives
    int m_nLabelWidth = 0;   // measured at initialisation, in pixels at m_nInitDpi
    int m_nLabelHeight = 0;
    int m_nInitDpi = varolin::kDefaultDpi;  // the DPI the template was laid out and its font made at
    LOGFONTW m_lfLabel{};     // the template's font, at m_nInitDpi
    OwnedFont m_fontLabel;    // the label's font once the DPI has changed
    int m_nGroupCount = 3;
    int m_nSelGroup = 0;
    std::vector<std::unique_ptr<CGroupPage>> m_pages;  // page order; every page's buttons as data
    CPageView* m_pView = nullptr;  // the current page's window; it deletes itself
    RECT m_rcPages{};  // where the page view goes
    varolin::LogFontRecord m_logFont;
    std::function<bool()> m_highContrastQuery;
    ButtonStyle m_style;  // from m_logFont at the bar's DPI; lent to every page
    CBarDropTarget m_dropTarget{this};
    OwnedBrush m_brCopy;
    OwnedBrush m_brMove;
    CPageLabel m_wndPageLabel;
    CWnd m_wndPageSpin;
    HWND m_hWndBefore = nullptr;  // borrowed: active before the bar was, outside it
};
