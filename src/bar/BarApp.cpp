#include "bar/BarApp.h"

#include <commctrl.h>
#include <ole2.h>

#include <string>

#include "bar/MainBar.h"
#include "shell/ShellHelpers.h"
#include "framework/Resources.h"
#include "framework/Strings.h"
#include "framework/UiLanguage.h"
#include "resource.h"

namespace {
constexpr wchar_t kMutexName[] = L"hPrevInstVRL";

std::wstring ModuleFileName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
}  // namespace

void ChooseProgramLanguage() {
    const auto forced = static_cast<std::uint32_t>(ReadIntSetting(varolin::kLanguage));
    SetResourceLanguage(uilang::ChooseLanguage(forced, GetUserDefaultUILanguage()));
}

bool CBarApp::ClaimSingleInstance() {
    if (OwnedHandle other{OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kMutexName)}) return false;
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutexName);
    const DWORD error = GetLastError();
    m_hMutex.Reset(mutex);
    // Two copies started at the same moment both miss each other above; the later creator
    // is told that the mutex already exists and steps back as well.
    return !(mutex && error == ERROR_ALREADY_EXISTS);
}

BOOL CBarApp::InitInstance() {
    // The key first: it holds the language, and even the message below speaks it.
    SetRegistryKey(L"Ovelia");
    ChooseProgramLanguage();
    if (!ClaimSingleInstance()) {
        m_hMutex.Reset();
        AppMessageBox(nullptr, IDS_ALREADY_RUNNING, MB_OK);
        return FALSE;
    }
    if (FAILED(OleInitialize(nullptr))) {
        AppMessageBox(nullptr, IDS_OLE_INIT_FAILED, MB_OK);
        return FALSE;
    }
    m_bOleInitialized = true;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    m_settings.strAppDir = varolin::ProgramDirFromCommandLine(GetCommandLineW(), ModuleFileName());
    // The button fonts and the NEW badge are made by the bar, for the DPI it is drawn at.

    {
        CMainBar bar(m_settings);
        m_pMainWnd = &bar;
        bar.DoModal();
        m_pMainWnd = nullptr;
    }
    return FALSE;
}

int CBarApp::ExitInstance() {
    m_hMutex.Reset();
    if (m_bOleInitialized) OleUninitialize();
    m_bOleInitialized = false;
    return CWinApp::ExitInstance();
}
