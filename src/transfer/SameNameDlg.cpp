#include "transfer/SameNameDlg.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "settings/PathUtil.h"
#include "transfer/FileDescription.h"
#include "framework/App.h"
#include "framework/Resources.h"
#include "framework/Strings.h"
#include "framework/Wnd.h"
#include "resource.h"
#include "settings/LongPath.h"

namespace {

// Sizes and times as the user's locale writes them, for the English text.
std::wstring LocaleSize(std::uint64_t size) {
    wchar_t text[64] = {};
    // The Ex form aborts under some Wine versions; this one rounds the same way.
    return StrFormatByteSizeW(static_cast<LONGLONG>(size), text, 64) ? text : std::to_wstring(size);
}

std::wstring LocaleDate(const SYSTEMTIME& fields) {
    wchar_t text[96] = {};
    return GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &fields, nullptr, text, 96, nullptr) ? text : L"";
}

std::wstring LocaleTime(const SYSTEMTIME& fields) {
    wchar_t text[96] = {};
    return GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &fields, nullptr, text, 96) ? text : L"";
}

std::wstring FileNamePart(const std::wstring& path) {
    const varolin::PathParts parts = varolin::SplitPathParts(path);
    return parts.fname + parts.ext;
}

}  // namespace

FileDescription DescribeFile(const std::wstring& path) {
    // Attributes rather than a directory search: a name with wildcard characters cannot then
    // describe some other file.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !GetFileAttributesExW(varolin::ExtendedPath(path).c_str(), GetFileExInfoStandard, &data)) return {};
    FileDescription description;
    description.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    FILETIME local{};
    SYSTEMTIME fields{};
    if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &fields))
        fields = SYSTEMTIME{};
    const std::wstring format = LoadStr(IDS_FILE_DESCRIPTION);
    if (!ResourcesAreJapanese()) {
        // Other languages put the fields in other orders: the locale writes them out.
        description.text = varolin::DescribeFileWithLabels(format, LocaleSize(description.size), LocaleDate(fields),
                                                           LocaleTime(fields));
        return description;
    }
    const varolin::LocalTimeFields time{fields.wYear, fields.wMonth, fields.wDay,
                                        fields.wHour, fields.wMinute, fields.wSecond};
    description.text = varolin::DescribeFileText(format, description.size, time);
    return description;
}

CSameNameDlg::CSameNameDlg(CWnd* parent) : CDialog(IDD_SAME_NAME, parent) {}

BOOL CSameNameDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText((FileNamePart(m_strExisting) + LoadStr(IDS_ALREADY_EXISTS)).c_str());
    SetDlgItemTextW(m_hWnd, IDC_RENAME_TO, (L"( " + FileNamePart(m_strCandidate) + L" )").c_str());

    const FileDescription source = DescribeFile(m_strSource);
    const FileDescription existing = DescribeFile(m_strExisting);
    SetDlgItemTextW(m_hWnd, IDC_SIZE_COMPARISON,
                    LoadStr(source.size == existing.size ? IDS_SIZES_MATCH : IDS_SIZES_DIFFER).c_str());
    SetDlgItemTextW(m_hWnd, IDC_SOURCE_FILE, (source.text + LoadStr(IDS_NEW_FILE_SUFFIX)).c_str());
    SetDlgItemTextW(m_hWnd, IDC_EXISTING_FILE, (existing.text + LoadStr(IDS_OLD_FILE_SUFFIX)).c_str());
    return TRUE;
}

void CSameNameDlg::OnOK() {
    m_nResult = kRename;
    CDialog::OnOK();
}

BOOL CSameNameDlg::OnCommand(WPARAM wp, LPARAM lp) {
    switch (LOWORD(wp)) {
    case IDC_OVERWRITE:
        m_nResult = kOverwrite;
        EndDialog(IDOK);
        return TRUE;
    case IDC_SOURCE_FILE:
        OpenWithShell(m_strSource);
        return TRUE;
    case IDC_EXISTING_FILE:
        OpenWithShell(m_strExisting);
        return TRUE;
    default:
        return CDialog::OnCommand(wp, lp);
    }
}

void CSameNameDlg::OpenWithShell(const std::wstring& path) const {
    const CWinApp* app = AfxGetApp();
    HWND owner = (app && app->m_pMainWnd) ? app->m_pMainWnd->m_hWnd : nullptr;
    // A file that cannot be opened is not reported: the user still has to decide.
    ShellExecuteW(owner, nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
