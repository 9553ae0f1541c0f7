#pragma once
// The application object: single-copy guard, OLE, the registry key, the process-wide drawing
// objects, then the main bar run modally. The program ends when the bar ends.
#include <windows.h>

#include "framework/App.h"
#include "framework/Handles.h"
#include "settings/Settings.h"

// Sets the language of every text for the process: the stored "Language" when it names one,
// else the user's interface language. The registry key must be set first.
void ChooseProgramLanguage();

class CBarApp : public CWinApp {
public:
    // Runs the whole program; always FALSE, so no message loop follows.
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    // True when no other copy holds the mutex; this copy then holds it.
    bool ClaimSingleInstance();

    AppSettings m_settings;  // the settings in force, handed to the bar
    OwnedHandle m_hMutex;  // "hPrevInstVRL", only ever found by a later copy, never waited on
    bool m_bOleInitialized = false;
};
