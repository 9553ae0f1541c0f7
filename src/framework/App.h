#pragma once
// CWinApp: the program's entry and exit, and where its registry settings live.
#include <windows.h>

#include <string>

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Returns FALSE to end the program at once (after ExitInstance), TRUE to run a message loop.
    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return m_nExitCode; }

    // Settings then live under HKEY_CURRENT_USER\Software\<company>\<application name>.
    void SetRegistryKey(const wchar_t* company);

    CWnd* m_pMainWnd = nullptr;  // borrowed
    std::wstring m_strAppName;    // string 57344
    int m_nExitCode = 0;
};

// The application object of this process (the last one constructed), or nullptr.
CWinApp* AfxGetApp();

// Called from wWinMain: InitInstance, the message loop when it asked for one, ExitInstance.
int RunApplication(CWinApp& app);
