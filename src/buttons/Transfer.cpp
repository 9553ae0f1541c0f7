#include "buttons/Transfer.h"

#include "settings/PathUtil.h"
#include "settings/Settings.h"
#include "shell/ShellHelpers.h"
#include "buttons/SameNameDlg.h"
#include "framework/Handles.h"
#include "framework/Strings.h"
#include "resource.h"

namespace {

bool SamePathText(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

bool FileIdentity(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
    OwnedHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file && GetFileInformationByHandle(file.Get(), &info);
}

// Two names of one file (another spelling of the folder, a hard link): overwriting one with
// the other would destroy it, and a move would then delete the only copy.
bool SameFile(const std::wstring& a, const std::wstring& b) {
    BY_HANDLE_FILE_INFORMATION infoA{}, infoB{};
    if (!FileIdentity(a, infoA) || !FileIdentity(b, infoB)) return false;
    return infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber &&
           infoA.nFileIndexHigh == infoB.nFileIndexHigh && infoA.nFileIndexLow == infoB.nFileIndexLow;
}

// One copy. While access is denied, offers to clear the target's write protection and copies
// again over it; the user's No leaves the file alone.
CopyResult CopyOnce(bool failIfExists, const std::wstring& source, const std::wstring& target) {
    if (CopyFileW(source.c_str(), target.c_str(), failIfExists)) return CopyResult::Done;
    DWORD error = GetLastError();
    while (error == ERROR_ACCESS_DENIED) {
        if (AppMessageBox(nullptr, IDS_CLEAR_READONLY_QUESTION, MB_YESNO) != IDYES) return CopyResult::Skipped;
        SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (CopyFileW(source.c_str(), target.c_str(), FALSE)) return CopyResult::Done;
        error = GetLastError();
    }
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return CopyResult::NameTaken;
    ShowSystemError(error);
    return CopyResult::Failed;
}

// CopyWithRename; with `refuseSource`, a target name taken by the source itself gives
// CopyResult::SourceIsTarget before anything else happens.
CopyResult CopyLoop(const TransferOptions& options, bool failIfExists, const std::wstring& source,
             const std::wstring& target, bool refuseSource) {
    // A loop rather than recursion: a long run of taken candidates cannot exhaust the stack.
    // It ends because every candidate carries a number never used before.
    std::wstring current = target;
    for (;;) {
        const CopyResult result = CopyOnce(failIfExists, source, current);
        if (result != CopyResult::NameTaken) return result;
        // Only a taken name can be the source, so the identity is compared only now: looking
        // up a name that is not there can cost a scan of the whole folder (it does on Wine).
        if (refuseSource) {
            refuseSource = false;
            if (SameFile(source, current)) return CopyResult::SourceIsTarget;
        }

        std::wstring candidate = varolin::MakeNumberedPath(current, options.nRenameFormat, options.counter);
        if (options.bRenameConfirm) {
            CSameNameDlg dialog;
            dialog.m_strSource = source;
            dialog.m_strExisting = current;
            dialog.m_strCandidate = candidate;
            dialog.DoModal();
            if (dialog.m_nResult == CSameNameDlg::kOverwrite) {
                failIfExists = false;
                continue;
            }
            if (dialog.m_nResult != CSameNameDlg::kRename) return CopyResult::Skipped;
        }
        current = std::move(candidate);
        failIfExists = true;
    }
}

}  // namespace

CopyResult CopyWithRename(const TransferOptions& options, bool failIfExists, const std::wstring& source,
                          const std::wstring& target) {
    return CopyLoop(options, failIfExists, source, target, false);
}

TransferOutcome TransferFile(const TransferOptions& options, DWORD dropEffect, const std::wstring& source,
                             const std::wstring& folder) {
    // The dropped name as it is: trimming it could name another file.
    const varolin::PathParts parts = varolin::SplitPathParts(source);
    std::wstring target = folder;
    if (!target.empty() && target.back() != L'\\' && target.back() != L'/') target += L'\\';
    target += parts.fname + parts.ext;

    // The same file under another name is caught once the copy finds the name taken.
    const CopyResult result =
        SamePathText(source, target) ? CopyResult::SourceIsTarget : CopyLoop(options, true, source, target, true);
    if (result == CopyResult::SourceIsTarget) {
        AppMessageBox(nullptr, IDS_SAME_FILE_NAME, MB_OK);
        return TransferOutcome::StopDrop;
    }
    if (result == CopyResult::Failed) return TransferOutcome::StopDrop;
    if (result == CopyResult::Done && dropEffect == DROPEFFECT_MOVE && !DeleteFileW(source.c_str())) {
        const DWORD error = GetLastError();
        if (error == ERROR_ACCESS_DENIED) {
            // Write-protected source: the copy is complete, so clearing the flag loses nothing.
            SetFileAttributesW(source.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(source.c_str());
        } else {
            ShowSystemError(error);
            return TransferOutcome::StopDrop;
        }
    }
    return TransferOutcome::GoOn;
}

TransferOptions CurrentTransferOptions(AppSettings& settings) {
    return TransferOptions{settings.nRenameFormat, settings.nRenameConfirm == 1, settings.renameCounter};
}
