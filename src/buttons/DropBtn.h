#pragma once
// CDropBtn: one folder button, an object of its page drawn by the view that shows the page. It
// holds its stored record, its rectangle in the view, its folder's figures and program icon and
// its pressed and drag-over state; it paints its face into a DC it is given and takes drops
// through its own drop target, which the view's one registration hands drags over it to.
//
// Its shown text is what the face shows in words, for screen readers and anyone else who asks:
// the title, " [count]" when counts are shown and the button accepts drops, and " NEW" while
// the badge is painted. It is made on each call, so it never lags behind the face.
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

struct AppSettings;
struct FetchedIcon;

class CDropBtn {
public:
    // A button of `host`'s view showing `record`, known there by `id` (never reused while the
    // view lives). Its program's icon is asked for when its page is first shown.
    CDropBtn(IButtonHost& host, UINT id, const varolin::ButtonRecord& record);
    ~CDropBtn();
    CDropBtn(const CDropBtn&) = delete;
    CDropBtn& operator=(const CDropBtn&) = delete;

    UINT Id() const { return m_nId; }
    const varolin::ButtonRecord& Record() const { return m_record; }
    // Where the face is, in the view's client area.
    const RECT& Rect() const { return m_rect; }
    void SetRect(const RECT& rect) { m_rect = rect; }
    // The target the view hands a drag over the button to; null while the button refuses drops.
    IDropTarget* DropTarget() const { return m_dropTarget.IsAttached() ? m_dropTarget.GetInterface() : nullptr; }
    const std::wstring& Folder() const { return m_record.m_strFolder; }
    AppSettings& Settings() const { return m_host.Settings(); }
    CTransferQueue& Transfers() const { return m_host.Transfers(); }
    CFolderMonitor& Folders() const { return m_host.Folders(); }
    HWND HostWindow() const { return m_host.HostWindow(); }
    // Has the view draw the face again.
    void Invalidate() const { m_host.InvalidateButton(*this); }

    // Its page is shown or hidden: while shown, a button that accepts drops follows its
    // folder's figures.
    void SetShown(bool shown);
    // Has the folder listed again at once, for the file count and the new mark.
    void RescanFolder();
    // The text the face shows in words: FaceText, and " NEW" while the badge shows.
    std::wstring ShownText() const;
    // The figures the face shows, in words from the string table, for screen readers: the
    // count, the new mark, a refusal of drops ("12 個のファイル、新着あり"); empty when none.
    std::wstring FiguresText() const;
    // The whole face, background included, with the face's top left at the DC's origin.
    void Paint(HDC dc);
    // The left button went down on the face (true) or the press ended (false).
    void SetPressed(bool pressed);
    bool IsPressed() const { return m_bPressed != FALSE; }

    // A command of the button's menu (ID_BUTTON_*); false for another id. After
    // ID_BUTTON_DELETE the button is gone.
    bool OnCommand(UINT id);
    // The button's menu is about to open.
    void OnInitMenuPopup(HMENU menu);
    // The figures of the folder's latest scan.
    void OnFolderFigures(const FolderScan& scan);
    // kProgramIconMessage: takes the icon if it is still the one wanted.
    bool OnProgramIcon(FetchedIcon& fetched);

private:
    // Opens the folder, or starts the program, with the shell.
    void OnOpen(bool program);
    void OnProperties();
    void OnPasteColors();
    void OnMakeDefaultColors();
    // Asks for the small icon of the button's program (m_strFolder + m_strProgram) at the size
    // it is drawn at; it comes from the background (OnProgramIcon). No program: no icon.
    void LoadProgramIcon();
    // Rescans the folder (unless drops are refused), reloads the icon and repaints.
    void Refresh();
    // Signs on with the monitor when shown and accepting drops, off otherwise.
    void UpdateWatch();
    // Attaches the drop target to the view while the button accepts drops.
    void UpdateDropTarget();
    void MakeBackBrush();
    // The text painted on the face: the title, with " [count]" when counts are shown, the
    // button accepts drops and its folder has been scanned.
    std::wstring FaceText() const;
    // The badge is painted only on buttons that accept drops.
    bool ShowsNewMark() const { return m_bNewMark && !m_record.m_bNoDrop; }

    IButtonHost& m_host;  // the view that shows this button's page
    UINT m_nId;
    varolin::ButtonRecord m_record;
    RECT m_rect{};
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
