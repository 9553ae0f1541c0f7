#include "transfer/TransferProgressDlg.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <string>

#include "framework/DebugReport.h"
#include "framework/Strings.h"
#include "resource.h"

namespace {
constexpr UINT_PTR kShowTimer = 1;
constexpr UINT kShowAfterMs = 500;

std::wstring Replace(std::wstring text, const wchar_t* marker, const std::wstring& value) {
    const size_t at = text.find(marker);
    if (at != std::wstring::npos) text.replace(at, 2, value);
    return text;
}

std::wstring ByteSize(std::uint64_t bytes) {
    wchar_t text[64] = {};
    StrFormatByteSizeW(static_cast<LONGLONG>(bytes), text, 64);
    return text;
}
}  // namespace

CTransferProgressDlg::CTransferProgressDlg(std::function<void()> onCancel)
    : CDialog(IDD_TRANSFER_PROGRESS), m_onCancel(std::move(onCancel)) {}

BOOL CTransferProgressDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SendDlgItemMessageW(m_hWnd, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, 1000);
    // No focus for a control: that would activate the hidden window and take the foreground.
    return FALSE;
}

void CTransferProgressDlg::JobStarted(HWND owner) {
    // Without it the job runs all the same, with no progress shown and no cancel.
    if (!m_hWnd && !Create(owner)) {
        ReportFailure(L"progress window", GetLastError());
        return;
    }
    m_last = {};
    Update(m_last);
    SetTimer(m_hWnd, kShowTimer, kShowAfterMs, nullptr);
}

void CTransferProgressDlg::JobEnded() {
    if (!m_hWnd) return;
    KillTimer(m_hWnd, kShowTimer);
    ShowWindow(SW_HIDE);
}

void CTransferProgressDlg::OnTimer(UINT_PTR id) {
    if (id != kShowTimer) return CDialog::OnTimer(id);
    KillTimer(m_hWnd, kShowTimer);
    // Shown without activation: the user may be working in another program.
    SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CTransferProgressDlg::Update(const TransferProgress& progress) {
    m_last = progress;
    if (!m_hWnd) return;
    SetDlgItemTextW(m_hWnd, IDC_PROGRESS_OPERATION,
                    LoadStr(progress.move ? IDS_PROGRESS_MOVING : IDS_PROGRESS_COPYING).c_str());
    SetDlgItemTextW(m_hWnd, IDC_PROGRESS_FILE, progress.file.c_str());
    std::wstring files = Replace(LoadStr(IDS_PROGRESS_FILES), L"%1", std::to_wstring(progress.filesDone));
    SetDlgItemTextW(m_hWnd, IDC_PROGRESS_FILES, Replace(files, L"%2", std::to_wstring(progress.filesTotal)).c_str());
    std::wstring bytes = Replace(LoadStr(IDS_PROGRESS_BYTES), L"%1", ByteSize(progress.bytesDone));
    SetDlgItemTextW(m_hWnd, IDC_PROGRESS_BYTES, Replace(bytes, L"%2", ByteSize(progress.bytesTotal)).c_str());
    const std::wstring waiting =
        progress.jobsWaiting ? Replace(LoadStr(IDS_PROGRESS_WAITING), L"%1", std::to_wstring(progress.jobsWaiting)) : L"";
    SetDlgItemTextW(m_hWnd, IDC_PROGRESS_WAITING, waiting.c_str());
    const std::uint64_t total = progress.bytesTotal ? progress.bytesTotal : 1;
    const auto permille = static_cast<WPARAM>(progress.bytesTotal ? progress.bytesDone * 1000 / total : 0);
    SendDlgItemMessageW(m_hWnd, IDC_PROGRESS_BAR, PBM_SETPOS, permille, 0);
}

void CTransferProgressDlg::OnCancel() {
    // The window stays until the job has stopped; the queue hides it then.
    if (m_onCancel) m_onCancel();
}
