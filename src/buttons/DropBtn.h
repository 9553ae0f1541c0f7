#pragma once
// CDropBtn: one folder button, a child window of its page. It holds its stored record, paints
// its face with the file count and NEW badge, takes drops through its own drop target, and
// frees itself when its window is destroyed.
//
// Its window text is what the face shows in words, for screen readers and anyone else who asks:
// the title, " [count]" when counts are shown and the button accepts drops, and " NEW" while
// the badge is painted. It is made on each WM_GETTEXT, so it never lags behind the face.
//
// The figures (count and badge) come from CFolderMonitor while the button's page is shown:
// none before the folder's first scan has ended, then those of the last scan that could list
// the folder (a missing folder holds no files).
#include <windows.h>

#include <string>

#include "buttons/BtnDropTarget.h"
#include "buttons/ButtonHost.h"
#include "folders/FolderScan.h"
#include "model/ButtonRecord.h"
#include "framework/Handles.h"
#include "framework/Lifetime.h"
#include "framework/Wnd.h"

struct AppSettings;
struct FetchedIcon;

class CDropBtn : public CWnd {
public:
    // A button of `host`'s page showing `record`, its window a child of the host's window
    // (id 0); a button that accepts drops attaches its drop target on creation. The button
    // frees itself with its window; null (reported, nothing left over) when the window could
    // not be made.
    static CDropBtn* Make(IButtonHost& host, const varolin::ButtonRecord& record, const std::wstring& className,
                          const RECT& rect);
    const varolin::ButtonRecord& Record() const { return m_record; }
    // The target its page hands a drag over it to; null while the button refuses drops.
    IDropTarget* DropTarget() const { return m_dropTarget.IsAttached() ? m_dropTarget.GetInterface() : nullptr; }
    const std::wstring& Folder() const { return m_record.m_strFolder; }
    AppSettings& Settings() const { return m_host.Settings(); }
    CTransferQueue& Transfers() const { return m_host.Transfers(); }
    CFolderMonitor& Folders() const { return m_host.Folders(); }

    // Its page is shown or hidden: while shown, a button that accepts drops follows its
    // folder's figures.
    void SetShown(bool shown);
    // Has the folder listed again at once, for the file count and the new mark.
    void RescanFolder();

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    int OnCreate(CREATESTRUCTW* cs) override;
    void OnDestroy() override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnPaint() override;
    BOOL OnCommand(WPARAM wp, LPARAM lp) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnRButtonDown(UINT flags, POINT point) override;
    void OnInitMenuPopup(HMENU menu);
    // Opens the folder, or starts the program, with the shell.
    void OnOpen(bool program);
    void OnProperties();
    void OnPasteColors();
    void OnMakeDefaultColors();
    // Takes the button off its page and destroys it: nothing of `this` may be used afterwards.
    void OnDelete();
    // WM_PRINTCLIENT: the face drawn into a caller's DC.
    void OnPrintClient(HDC dc, UINT flags);
    // WM_GETTEXT: the shown text, cut to `size` characters with its NUL.
    LRESULT OnGetText(size_t size, wchar_t* buffer) const;
    // The figures of the folder's latest scan.
    void OnFolderFigures(const FolderScan& scan);
    void PostNcDestroy() override { delete this; }

private:
    CDropBtn(IButtonHost& host, const varolin::ButtonRecord& record);
    ~CDropBtn() override { m_life.End(); }

    // Asks for the small icon of the button's program (m_strFolder + m_strProgram) at the size
    // it is drawn at; it comes from the background (OnProgramIcon). No program: no icon.
    void LoadProgramIcon();
    // kProgramIconMessage: takes the icon if it is still the one wanted.
    bool OnProgramIcon(FetchedIcon& fetched);
    // Rescans the folder (unless drops are refused), reloads the icon and repaints.
    void Refresh();
    // Signs on with the monitor when shown and accepting drops, off otherwise.
    void UpdateWatch();
    void MakeBackBrush();
    // The text painted on the face: the title, with " [count]" when counts are shown, the
    // button accepts drops and its folder has been scanned.
    std::wstring FaceText() const;
    // The badge is painted only on buttons that accept drops.
    bool ShowsNewMark() const { return m_bNewMark && !m_record.m_bNoDrop; }
    // The window text: FaceText, and " NEW" while the badge shows.
    std::wstring ShownText() const;
    // The whole face except the background, into any DC.
    void Paint(HDC dc);

    IButtonHost& m_host;  // the page that lists this button
    varolin::ButtonRecord m_record;
    OwnedBrush m_brBack;
    OwnedIcon m_hIcon;
    int m_nIconSize = 0;            // the size m_hIcon was made at
    std::wstring m_strIconWanted;   // the file whose icon was last asked for; empty: none
    int m_nIconSizeWanted = 0;      // and the size
    BOOL m_bPressed = FALSE;
    int m_nFileCount = 0;
    BOOL m_bNewMark = FALSE;
    bool m_bScanned = false;  // figures came at least once
    bool m_bShown = false;    // the page is shown
    std::wstring m_strWatched;  // the folder signed on with the monitor; empty: none
    // Ends with the button: its page may be rebuilt, or the button deleted, while its own
    // property sheet is open.
    CLifetime m_life;
    CBtnDropTarget m_dropTarget{*this};
};
