#include "framework/App.h"

#include "framework/Profile.h"
#include "framework/Strings.h"
#include "framework/FrameworkIds.h"

namespace {
CWinApp* g_currentApp = nullptr;  // the framework's single application object
}

CWinApp::CWinApp() : m_strAppName(LoadStr(IDS_APP_TITLE)) { g_currentApp = this; }

CWinApp::~CWinApp() {
    if (g_currentApp == this) g_currentApp = nullptr;
}

void CWinApp::SetRegistryKey(const wchar_t* company) { profile::SetProfileRegistryKey(company, m_strAppName); }

CWinApp* AfxGetApp() { return g_currentApp; }

int RunApplication(CWinApp& app) {
    if (app.InitInstance()) {
        MSG msg{};
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        app.m_nExitCode = static_cast<int>(msg.wParam);
    }
    return app.ExitInstance();
}
