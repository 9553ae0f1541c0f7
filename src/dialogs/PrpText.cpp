#include "dialogs/PrpText.h"


#include <algorithm>
#include <vector>

#include "shell/ShellHelpers.h"
#include "model/ButtonRecord.h"
#include "framework/CommonDialogs.h"
#include "framework/Strings.h"
#include "resource.h"

namespace {

// Room for any path the Open dialog can hand back.
constexpr size_t kFileNameBuffer = 32768;

// A filter string from the string table: parts separated by '|' become NUL-separated.
std::wstring OpenFilter(UINT id) {
    std::wstring filter = LoadStr(id);
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    return filter;
}

}  // namespace

CPrpText::CPrpText() : CPropertyPage(IDD_PRP_TEXT) {}

BOOL CPrpText::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    // The check box is not stored: it shows whether the button has a program.
    m_chkProgram.SendMessage(BM_SETCHECK, m_strProgram.empty() ? BST_UNCHECKED : BST_CHECKED);
    UpdateProgramControls();
    return TRUE;
}

void CPrpText::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_PROGRAM, m_editProgram);
    DDX_Control(dx, IDC_FOLDER, m_editFolder);
    DDX_Control(dx, IDC_BROWSE_FOLDER, m_btnBrowseFolder);
    DDX_Control(dx, IDC_BROWSE_PROGRAM, m_btnBrowseProgram);
    DDX_Control(dx, IDC_HAS_PROGRAM, m_chkProgram);
    DDX_Control(dx, IDC_NO_DROP, m_chkNoDrop);

    DDX_Text(dx, IDC_TITLE, m_strTitle);
    DDX_Text(dx, IDC_PROGRAM, m_strProgram);
    DDX_Text(dx, IDC_FOLDER, m_strFolder);
    DDX_Check(dx, IDC_NO_DROP, m_bNoDrop);

    // After loading too: the controls show the values as given, the members as they will be
    // stored.
    AddTrailingBackslash(m_strFolder);
    m_strTitle = varolin::TrimRight(std::move(m_strTitle));
    m_strProgram = varolin::TrimRight(std::move(m_strProgram));

    // The limits are those of the group file, in ANSI bytes, so they apply to the values as
    // stored: a folder typed at the limit would pass it with its backslash added.
    dx->PrepareEditCtrl(IDC_TITLE);
    DDV_MaxBytes(dx, m_strTitle, static_cast<int>(varolin::kMaxTitleBytes));
    dx->PrepareEditCtrl(IDC_PROGRAM);
    DDV_MaxBytes(dx, m_strProgram, static_cast<int>(varolin::kMaxProgramBytes));
    dx->PrepareEditCtrl(IDC_FOLDER);
    DDV_MaxBytes(dx, m_strFolder, static_cast<int>(varolin::kMaxFolderBytes));
}

BOOL CPrpText::OnCommand(WPARAM wp, LPARAM lp) {
    if (HIWORD(wp) == BN_CLICKED) {
        switch (LOWORD(wp)) {
        case IDC_BROWSE_FOLDER: OnBrowseFolder(); return TRUE;
        case IDC_BROWSE_PROGRAM: OnBrowseProgram(); return TRUE;
        case IDC_HAS_PROGRAM: OnProgramCheck(); return TRUE;
        default: break;
        }
    }
    return CPropertyPage::OnCommand(wp, lp);
}

void CPrpText::OnProgramCheck() { UpdateProgramControls(); }

void CPrpText::UpdateProgramControls() {
    // With a program the folder is the program's own and changes only with it.
    const bool hasProgram = m_chkProgram.SendMessage(BM_GETCHECK) == BST_CHECKED;
    if (!hasProgram) m_editProgram.SetWindowText(L"");
    EnableWindow(m_editFolder.m_hWnd, !hasProgram);
    EnableWindow(m_btnBrowseFolder.m_hWnd, !hasProgram);
    EnableWindow(m_editProgram.m_hWnd, hasProgram);
    EnableWindow(m_btnBrowseProgram.m_hWnd, hasProgram);
}

void CPrpText::OnBrowseFolder() {
    UpdateData(true);  // a refused value still goes on to the browser
    if (BrowseForFolder(m_hWnd, m_strFolder, LoadStr(IDS_CHOOSE_FOLDER))) UpdateData(false);
}

void CPrpText::OnBrowseProgram() {
    UpdateData(true);
    std::vector<wchar_t> file(kFileNameBuffer, L'\0');
    std::copy_n(m_strProgram.begin(), std::min(m_strProgram.size(), file.size() - 1), file.begin());
    const std::wstring filter = OpenFilter(IDS_ALL_FILES_FILTER);

    OPENFILENAMEW open{};
    open.lStructSize = sizeof(open);
    open.hwndOwner = m_hWnd;
    open.lpstrFilter = filter.c_str();
    open.lpstrFile = file.data();
    open.nMaxFile = static_cast<DWORD>(file.size());
    open.lpstrInitialDir = m_strFolder.c_str();
    // The process's current directory stays where it was: held on the chosen folder, it would
    // keep that folder from being deleted or renamed while the bar runs.
    open.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    if (!ShowOpenFileDialog(&open)) return;

    // The program moves the folder with it: the button runs folder + program.
    std::wstring path(file.data());
    SplitPath(path, m_strProgram, &m_strFolder);
    UpdateData(false);
}
