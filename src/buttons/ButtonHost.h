#pragma once
// What a folder button needs from the view that shows it. The view implements it; the button
// never sees the view's class, so buttons sit below pages.
#include <windows.h>

struct AppSettings;
class ButtonStyle;
class CDropBtn;
class CFolderMonitor;
class CTransferQueue;

class IButtonHost {
public:
    // The settings in force for the whole program.
    virtual AppSettings& Settings() = 0;
    // Where the button's drops hand their files.
    virtual CTransferQueue& Transfers() = 0;
    // Where the button gets its folder's figures.
    virtual CFolderMonitor& Folders() = 0;
    // What the button draws with, made for the DPI it draws at.
    virtual const ButtonStyle& Style() const = 0;
    // The window the button is drawn in: its rectangle is in this window's client area, and its
    // figures and icon are sent here with its id.
    virtual HWND HostWindow() const = 0;
    // The button's face changed: it is drawn again.
    virtual void InvalidateButton(const CDropBtn& button) = 0;
    // One place earlier or later on the page; saves the page even when the order stays.
    virtual void MoveButton(CDropBtn& button, bool earlier) = 0;
    // Takes the button off the page (saving it, or deleting the page's file when it was the
    // last one) and frees it: nothing of the button may be used afterwards.
    virtual void RemoveButton(CDropBtn& button) = 0;
    // The button's record changed: writes the page's file.
    virtual void SaveButtons() = 0;

protected:
    ~IButtonHost() = default;
};
