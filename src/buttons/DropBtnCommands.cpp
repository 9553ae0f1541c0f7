// What a user does to a folder button besides dropping on it: its menu and commands.
#include <windows.h>
#include <shellapi.h>

#include "settings/Settings.h"
#include "buttons/DropBtn.h"
#include "dialogs/PrpSheet.h"
#include "shell/ButtonStyle.h"
#include "framework/App.h"
#include "framework/Strings.h"
#include "resource.h"

void CDropBtn::OnInitMenuPopup(HMENU menu) {
    EnableMenuItem(menu, ID_BUTTON_PASTE_COLORS, MF_BYCOMMAND | (Settings().colorClipboard.filled ? MF_ENABLED : MF_GRAYED));
}

void CDropBtn::OnOpen(bool program) {
    const std::wstring path = program ? m_record.m_strFolder + m_record.m_strProgram : m_record.m_strFolder;
    const CWinApp* app = AfxGetApp();
    HWND owner = app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(owner, nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // The shell reports success with a value above 32; 32 itself is one of its error codes.
    if (result <= 32) AppMessageBox(owner, program ? IDS_CANNOT_RUN : IDS_CANNOT_OPEN_FOLDER);
}

void CDropBtn::Refresh() {
    RescanFolder();
    LoadProgramIcon();
    Invalidate();
}

void CDropBtn::OnProperties() {
    // Edited on a copy: the button may go while its sheet is open (its page rebuilt by the
    // options, or deleted some other way), and then the sheet's OK changes nothing.
    varolin::ButtonRecord edited = m_record;
    const CWeakRef<CDropBtn> self = m_life.Ref(this);
    // Owned by the bar, so that it stays in front of it.
    CWnd* owner = CWnd::FromHandle(GetAncestor(HostWindow(), GA_ROOT));
    const bool ok = RunButtonProperties(owner, edited, m_host.Style().Font());
    if (!self || !ok) return;
    m_record = edited;
    MakeBackBrush();
    UpdateDropTarget();
    // A new folder is watched instead of the old one.
    UpdateWatch();
    Refresh();
    m_host.SaveButtons();
}

void CDropBtn::OnPasteColors() {
    const ColorClipboard& clipboard = Settings().colorClipboard;
    if (!clipboard.filled) return;
    m_record.m_crBack = clipboard.crBack;
    MakeBackBrush();
    m_record.m_crText = clipboard.crText;
    Refresh();
    m_host.SaveButtons();
}

void CDropBtn::OnMakeDefaultColors() {
    AppSettings& settings = Settings();
    settings.crInitForeColor = m_record.m_crText;
    settings.crInitBackColor = m_record.m_crBack;
    WriteIntSetting(varolin::kInitForeColor, static_cast<int>(m_record.m_crText));
    WriteIntSetting(varolin::kInitBackColor, static_cast<int>(m_record.m_crBack));
}
