#pragma once
// Folder buttons under test: a window standing in for the bar, holding real pages loaded from
// group files, with settings of their own (program directory in a temporary folder, counts off,
// no NEW days, no rename question), its own transfer queue and folder monitor (on the system's
// clock unless given one) and its own button style (the default font at its bar's DPI). Tests
// see the buttons as a user would: child windows, texts, faces, files.
#include <windows.h>

#include <string>
#include <vector>

#include "bar/FolderWriteForwarder.h"
#include "folders/FolderMonitor.h"
#include "transfer/TransferQueue.h"
#include "model/ButtonRecord.h"
#include "shell/ButtonStyle.h"
#include "framework/Handles.h"
#include "framework/Wnd.h"
#include "settings/Settings.h"
#include "support/TempFolder.h"

class CGroupWnd;

class ButtonHost {
public:
    explicit ButtonHost(CFolderMonitor::Clock clock = nullptr);
    ~ButtonHost();

    // The next page (GRP000.VRL first), loaded from a group file holding `records` and shown
    // over `rect` of the bar.
    CGroupWnd* AddPage(const std::vector<varolin::ButtonRecord>& records, const RECT& rect = RECT{0, 0, 600, 60});
    // A button made the way a page makes one from its group file, alone on a page of its own
    // that covers `rect`, so that the button covers it too.
    HWND Add(const varolin::ButtonRecord& record, const RECT& rect = RECT{0, 0, 120, 60});
    // What page `page` holds in its group file.
    std::vector<varolin::ButtonRecord> Stored(int page) const;
    HWND Bar() const { return m_bar.m_hWnd; }
    AppSettings& Settings() { return m_settings; }
    CTransferQueue& Transfers() { return m_transfers; }
    // Handles messages (the jobs' questions among them) until every dropped file's job has
    // ended; false after a minute without that. The folder's figures follow later (WaitForText).
    bool WaitForTransfers();

private:
    TempFolder m_appDir;
    AppSettings m_settings;
    CWnd m_bar;
    ButtonStyle m_style;  // made once the bar has its DPI
    CTransferQueue m_transfers{m_settings, [this] { return m_bar.m_hWnd; }};
    CFolderMonitor m_folders;
    CFolderWriteForwarder m_folderWrites{m_folders};
    int m_nPages = 0;
};

// Handles messages until `window` shows `text` (a button's figures come from a background
// scan), for at most `timeoutMs`; returns the text it shows then.
std::wstring WaitForText(HWND window, const std::wstring& text, DWORD timeoutMs = 30000);

// The page's buttons in display order: as laid out, left to right, then top to bottom.
std::vector<HWND> Buttons(const CGroupWnd* page);

// A record for a folder (ending in a backslash) with the given colours.
varolin::ButtonRecord FolderRecord(const std::wstring& folder, const std::wstring& title,
                                   COLORREF text = RGB(0, 0, 0), COLORREF back = RGB(255, 255, 255),
                                   bool noDrop = false);

// A 32-bit top-down DIB section whose pixels (0x00RRGGBB) a test reads and writes directly.
struct PixelBitmap {
    PixelBitmap(int width, int height);
    OwnedBitmap bitmap;
    DWORD* bits = nullptr;
};

// A button's face as WM_PRINTCLIENT draws it (background included), pixel by pixel.
struct ButtonFace {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool operator==(const ButtonFace&) const = default;
};
ButtonFace RenderFace(HWND button);
