#include "buttons/BtnDropTarget.h"

#include "settings/Settings.h"
#include "buttons/DropBtn.h"
#include "shell/ShellHelpers.h"
#include "transfer/TextDrop.h"
#include "transfer/TextNote.h"
#include "transfer/TransferQueue.h"
#include "framework/Handles.h"
#include "framework/Resources.h"
#include "framework/Strings.h"
#include "resource.h"

namespace {
// Reads CF_TEXT up to its first NUL, never past the memory block it came in.
bool FetchText(COleDataObject* data, std::string& text) {
    const CGlobalData block = data->GetGlobalData(CF_TEXT);
    if (!block) return false;
    const void* bytes = GlobalLock(block.Get());
    if (!bytes) return false;
    text = varolin::TextFromBlock(static_cast<const char*>(bytes), block.Size());
    GlobalUnlock(block.Get());
    return true;
}
}  // namespace

DROPEFFECT CBtnDropTarget::OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, POINT point) {
    m_bDragOver = TRUE;
    m_button.Invalidate();
    m_bRightDrag = (keyState & MK_RBUTTON) ? TRUE : FALSE;
    return OnDragOver(wnd, data, keyState, point);
}

DROPEFFECT CBtnDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD keyState, POINT) {
    if (keyState & MK_CONTROL) return DROPEFFECT_COPY;
    if (keyState & MK_SHIFT) return DROPEFFECT_MOVE;
    return m_button.Settings().nCopyMove == 1 ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

void CBtnDropTarget::OnDragLeave(CWnd*) {
    if (m_pPrevForeground) {
        SetForegroundWindow(m_pPrevForeground);
        m_pPrevForeground = nullptr;
    }
    m_bDragOver = FALSE;
    m_button.Invalidate();
}

BOOL CBtnDropTarget::OnDrop(CWnd*, COleDataObject* data, DROPEFFECT effect, POINT point) {
    // Text wins over files, and never asks for move or copy. It is small and stays on this
    // thread: the Save As dialog opens in front of the program the drag came from.
    std::string text;
    if (data->IsDataAvailable(CF_TEXT) && FetchText(data, text)) {
        TakeForeground();
        if (!IsFolder(m_button.Folder())) {
            AppMessageBox(m_button.HostWindow(), IDS_NO_TARGET_FOLDER, MB_OK);
            OnDragLeave(nullptr);
            return FALSE;
        }
        const bool saved = SaveDroppedText(text, m_button.Folder(), m_strTextFile, m_button.HostWindow());
        // A saved note reports the effect it used (a move may then remove the text at its
        // source); a note not saved reports nothing done.
        return Finish(saved ? TRUE : FALSE);
    }
    if (m_bRightDrag) {
        effect = AskDropEffect(point);
        if (effect == DROPEFFECT_NONE) {
            OnDragLeave(nullptr);
            return FALSE;
        }
    }
    // A damaged list is treated like no list: nothing of it is read.
    if (auto paths = DroppedFiles(data)) {
        // The button moves files itself, deleting a source only after its copy is complete: a
        // source told "moved" would delete the files this drop skipped or stopped before.
        ReportEffect(DROPEFFECT_COPY);
        QueueFiles(std::move(*paths), effect);
        OnDragLeave(nullptr);
        return TRUE;
    }
    OnDragLeave(nullptr);
    AppMessageBox(m_button.HostWindow(), IDS_CANNOT_HANDLE_DROP, MB_OK);
    return FALSE;
}

DROPEFFECT CBtnDropTarget::AskDropEffect(POINT point) {
    ClientToScreen(m_button.HostWindow(), &point);
    const OwnedMenu menu(LoadLocalizedMenu(IDR_RIGHT_DROP_MENU));
    if (!menu) return DROPEFFECT_NONE;
    // The item the menu ends with decides (TPM_RETURNCMD sends no command), so a menu closed
    // with Escape or a click elsewhere cancels even after an item was highlighted.
    // A menu of a window that is not in front would not close on a click elsewhere: the bar
    // takes the foreground first, and the posted WM_NULL lets the menu end properly.
    TakeForeground();
    const UINT chosen = TrackPopupMenu(GetSubMenu(menu.Get(), 0), TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y,
                                       0, m_button.HostWindow(), nullptr);
    PostMessageW(m_button.HostWindow(), WM_NULL, 0, 0);
    switch (chosen) {
    case ID_DROP_MOVE: return DROPEFFECT_MOVE;
    case ID_DROP_COPY: return DROPEFFECT_COPY;
    default: return DROPEFFECT_NONE;
    }
}

void CBtnDropTarget::TakeForeground() {
    // The drag source is in front during a drop; OnDragLeave gives the foreground back to it.
    if (!m_pPrevForeground) m_pPrevForeground = GetForegroundWindow();
    SetForegroundWindow(GetAncestor(m_button.HostWindow(), GA_ROOT));
}

void CBtnDropTarget::QueueFiles(std::vector<std::wstring> paths, DROPEFFECT effect) {
    // The job takes copies of what it needs: the button may be gone before it runs.
    const AppSettings& settings = m_button.Settings();
    TransferJob job;
    job.sources = std::move(paths);
    job.folder = m_button.Folder();
    job.move = effect == DROPEFFECT_MOVE;
    job.renameFormat = settings.nRenameFormat;
    job.renameConfirm = settings.nRenameConfirm == 1;
    m_button.Transfers().Add(std::move(job));
}

BOOL CBtnDropTarget::Finish(BOOL handled) {
    m_button.RescanFolder();
    OnDragLeave(nullptr);
    return handled;
}
