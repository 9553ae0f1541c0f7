#include "transfer/Transfer.h"

#include "transfer/FileCopy.h"
#include "transfer/SameNameDlg.h"
#include "framework/Handles.h"
#include "framework/Strings.h"
#include "framework/Wnd.h"
#include "model/NumberedPath.h"
#include "resource.h"
#include "settings/LongPath.h"
#include "settings/PathUtil.h"
#include "shell/ShellHelpers.h"

namespace {

std::wstring Long(const std::wstring& path) { return varolin::ExtendedPath(path); }

bool SamePathText(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

bool FileIdentity(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
    OwnedHandle file(CreateFileW(Long(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
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

void ShowMessage(ITransferContext& context, UINT textId) {
    context.Ask([textId](HWND owner) { return AppMessageBox(owner, textId, MB_OK); }, IDOK);
}

void ShowError(ITransferContext& context, DWORD error) {
    context.Ask([error](HWND owner) {
        ShowSystemError(error, owner);
        return IDOK;
    }, IDOK);
}

// One copy. While access is denied, offers to clear the target's write protection and copies
// again over it; the user's No leaves the file alone. Over an existing file the copy writes
// beside it first, so a stop or a full disk never costs the old file.
CopyResult CopyOnce(bool failIfExists, const std::wstring& source, const std::wstring& target,
                    ITransferContext& context, const CopyControl& control) {
    DWORD error = CopyFileInChunks(source, target, failIfExists, control);
    while (error == ERROR_ACCESS_DENIED) {
        const int answer = context.Ask(
            [](HWND owner) { return AppMessageBox(owner, IDS_CLEAR_READONLY_QUESTION, MB_YESNO); }, IDNO);
        if (answer != IDYES) return CopyResult::Skipped;
        SetFileAttributesW(Long(target).c_str(), FILE_ATTRIBUTE_NORMAL);
        error = CopyFileInChunks(source, target, false, control);
    }
    if (error == ERROR_SUCCESS) return CopyResult::Done;
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return CopyResult::NameTaken;
    // A cancelled copy has removed what it wrote; the user asked for it, so nothing is said.
    if (error != ERROR_CANCELLED) ShowError(context, error);
    return CopyResult::Failed;
}

// The same-name dialog on the UI thread; CSameNameDlg's result.
int AskSameName(ITransferContext& context, const std::wstring& source, const std::wstring& existing,
                const std::wstring& candidate) {
    return context.Ask(
        [&](HWND owner) {
            CSameNameDlg dialog(CWnd::FromHandle(owner));
            dialog.m_strSource = source;
            dialog.m_strExisting = existing;
            dialog.m_strCandidate = candidate;
            dialog.DoModal();
            return dialog.m_nResult;
        },
        CSameNameDlg::kAbort);
}

// CopyWithRename; with `refuseSource`, a target name taken by the source itself gives
// CopyResult::SourceIsTarget before anything else happens.
CopyResult CopyLoop(const TransferOptions& options, bool failIfExists, const std::wstring& source,
                    const std::wstring& target, bool refuseSource, ITransferContext& context,
                    const CopyControl& control) {
    // A loop rather than recursion: a long run of taken candidates cannot exhaust the stack.
    // It ends because every candidate carries a number never used before.
    std::wstring current = target;
    for (;;) {
        const CopyResult result = CopyOnce(failIfExists, source, current, context, control);
        if (result != CopyResult::NameTaken) return result;
        // Only a taken name can be the source, so the identity is compared only now: looking
        // up a name that is not there can cost a scan of the whole folder (it does on Wine).
        if (refuseSource) {
            refuseSource = false;
            if (SameFile(source, current)) return CopyResult::SourceIsTarget;
        }
        std::wstring candidate = varolin::MakeNumberedPath(current, options.nRenameFormat, context.NextRenameNumber());
        if (options.bRenameConfirm) {
            const int answer = AskSameName(context, source, current, candidate);
            if (answer == CSameNameDlg::kOverwrite) {
                failIfExists = false;
                continue;
            }
            if (answer != CSameNameDlg::kRename) return context.Cancelled() ? CopyResult::Failed : CopyResult::Skipped;
        }
        current = std::move(candidate);
        failIfExists = true;
    }
}

// What the job knows of a dropped path before it starts: read once, for the totals and the
// folder check both.
struct SourceInfo {
    std::uint64_t size = 0;
    bool folder = false;
};

SourceInfo Inspect(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Long(path).c_str(), GetFileExInfoStandard, &data)) return {};
    return {static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow,
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
}

std::wstring NameOf(const std::wstring& path) {
    const varolin::PathParts parts = varolin::SplitPathParts(path);
    return parts.fname + parts.ext;
}

}  // namespace

CopyResult CopyWithRename(const TransferOptions& options, bool failIfExists, const std::wstring& source,
                          const std::wstring& target, ITransferContext& context, const CopyControl& control) {
    return CopyLoop(options, failIfExists, source, target, false, context, control);
}

TransferOutcome TransferFile(const TransferOptions& options, bool move, const std::wstring& source,
                             const std::wstring& folder, ITransferContext& context, const CopyControl& control) {
    // The dropped name as it is: trimming it could name another file.
    std::wstring target = folder;
    if (!target.empty() && target.back() != L'\\' && target.back() != L'/') target += L'\\';
    target += NameOf(source);

    // The same file under another name is caught once the copy finds the name taken.
    const CopyResult result = SamePathText(source, target)
                                  ? CopyResult::SourceIsTarget
                                  : CopyLoop(options, true, source, target, true, context, control);
    if (result == CopyResult::SourceIsTarget) {
        ShowMessage(context, IDS_SAME_FILE_NAME);
        return TransferOutcome::StopDrop;
    }
    if (result == CopyResult::Failed) return TransferOutcome::StopDrop;
    if (result == CopyResult::Done && move && !DeleteFileW(Long(source).c_str())) {
        const DWORD error = GetLastError();
        if (error == ERROR_ACCESS_DENIED) {
            // Write-protected source: the copy is complete, so clearing the flag loses nothing.
            SetFileAttributesW(Long(source).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(Long(source).c_str());
        } else {
            ShowError(context, error);
            return TransferOutcome::StopDrop;
        }
    }
    return TransferOutcome::GoOn;
}

void RunTransferJob(const TransferJob& job, ITransferContext& context) {
    // Checked here, not in the drop: a folder on a share that does not answer must not hold up
    // the bar.
    if (!IsFolder(Long(job.folder))) {
        ShowMessage(context, IDS_NO_TARGET_FOLDER);
        return;
    }
    const TransferOptions options{job.renameFormat, job.renameConfirm};
    TransferProgress progress;
    progress.move = job.move;
    progress.filesTotal = job.sources.size();
    std::vector<SourceInfo> sources;
    sources.reserve(job.sources.size());
    for (const std::wstring& source : job.sources) {
        sources.push_back(Inspect(source));
        progress.bytesTotal += sources.back().size;
    }
    context.Report(progress);

    // Last to first, as the list has always been taken.
    for (size_t index = job.sources.size(); index-- > 0 && !context.Cancelled();) {
        const std::wstring* source = &job.sources[index];
        const std::uint64_t before = progress.bytesDone;
        const std::uint64_t size = sources[index].size;
        progress.file = NameOf(*source);
        context.Report(progress);
        if (sources[index].folder) {
            ShowMessage(context, IDS_NO_FOLDER_DROP);
            ++progress.filesDone;
            continue;
        }
        CopyControl control;
        control.cancel = &context.CancelFlag();
        control.progress = [&](std::uint64_t written) {
            progress.bytesDone = before + written;
            context.Report(progress);
        };
        const TransferOutcome outcome = TransferFile(options, job.move, *source, job.folder, context, control);
        progress.bytesDone = before + size;
        ++progress.filesDone;
        context.Report(progress);
        if (outcome == TransferOutcome::StopDrop) break;
    }
}
