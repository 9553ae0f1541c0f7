#pragma once
// What a folder button needs from the page that holds it. The page implements it; the button
// never sees the page's class, so buttons sit below pages.
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
    // The window the button is a child of.
    virtual HWND HostWindow() const = 0;
    // One place earlier or later on the page; saves the page even when the order stays.
    virtual void MoveButton(CDropBtn& button, bool earlier) = 0;
    // Takes the button off the page (saving it, or deleting the page's file when it was the
    // last one). The button destroys its own window afterwards.
    virtual void RemoveButton(CDropBtn& button) = 0;
    // The button's record changed: writes the page's file.
    virtual void SaveButtons() = 0;

protected:
    ~IButtonHost() = default;
};
