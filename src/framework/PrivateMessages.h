#pragma once
// Every private window message of the program, numbered from one base, so that no two meet on
// a window and a new one is added where the others are seen. The framework gives the numbers
// only; what each carries is told where it is handled.
#include <windows.h>

enum PrivateMessage : UINT {
    kPrivateMessageBase = WM_APP,
    // Work handed to the UI thread (CUiDispatcher).
    kDispatcherPostedMessage = kPrivateMessageBase,
    // The bar docks again once a change of the displays has settled.
    kRedockMessage,
    // A folder's figures, and a program's icon, for a folder button.
    kFolderFiguresMessage,
    kProgramIconMessage,
    // A page opens the next queued property sheet of its new buttons.
    kNextSheetMessage,
    // The bar tells, once it shows, that its hotkey could not be registered.
    kHotKeyTakenMessage,
    // A button is clicked, as a screen reader's default action asks.
    kButtonClickMessage,
};
