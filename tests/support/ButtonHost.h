#pragma once
// Folder buttons under test: a window standing in for the bar, holding real pages loaded from
// group files, each shown by a page view of its own, with settings of their own (program
// directory in a temporary folder, counts off, no NEW days, no rename question), its own
// transfer queue and folder monitor (on the system's clock unless given one) and its own button
// style (the default font at its bar's DPI). Tests see the buttons as a user would: through the
// view that shows them (texts, faces, presses at their places, drags over them) and files.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "bar/FolderWriteForwarder.h"
#include "folders/FolderMonitor.h"
#include "transfer/TransferQueue.h"
#include "model/ButtonRecord.h"
#include "shell/ButtonStyle.h"
#include "framework/Handles.h"
#include "framework/Wnd.h"
#include "pages/GroupPage.h"
#include "pages/PageView.h"
#include "settings/Settings.h"
#include "support/TempFolder.h"

// A folder button as a test holds it: the view that shows it and its id there.
struct TestButton {
    HWND view = nullptr;
    UINT id = 0;
    // The view, or null once its window is gone.
    CPageView* View() const;
    // The button's index on its view, or -1 when it is gone.
    int Index() const;
    // Its face in the view's client area, and on the screen.
    RECT Rect() const;
    RECT ScreenRect() const;
    POINTL ScreenMiddle() const;
};

class ButtonHost {
public:
    explicit ButtonHost(CFolderMonitor::Clock clock = nullptr);
    ~ButtonHost();

    // The next page (GRP000.VRL first), loaded from a group file holding `records` and shown
    // by a view of its own over `rect` of the bar.
    CPageView* AddPage(const std::vector<varolin::ButtonRecord>& records, const RECT& rect = RECT{0, 0, 600, 60});
    // A button made the way a page makes one from its group file, alone on a page of its own
    // whose view covers `rect`, so that the button covers it too.
    TestButton Add(const varolin::ButtonRecord& record, const RECT& rect = RECT{0, 0, 120, 60});
    // Every view and page goes, as when the bar rebuilds its pages; the files stay.
    void DropPages();
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
    std::vector<std::unique_ptr<CGroupPage>> m_pages;  // go before the monitor
    std::vector<HWND> m_views;
};

// The text the button's face shows in words (empty once it is gone).
std::wstring WindowText(const TestButton& button);
bool Exists(const TestButton& button);
// Handles messages until `window` (or `button`) shows `text` (a button's figures come from a
// background scan), for at most `timeoutMs`; returns the text it shows then.
std::wstring WaitForText(HWND window, const std::wstring& text, DWORD timeoutMs = 30000);
std::wstring WaitForText(const TestButton& button, const std::wstring& text, DWORD timeoutMs = 30000);

// The view's buttons in display order.
std::vector<TestButton> Buttons(const CPageView* view);

// A command of the button's menu, as choosing it there does.
void Command(const TestButton& button, UINT id);
// The left button pressed at `down` and released at `up`, both relative to the face's top left.
void Click(const TestButton& button, POINT down, POINT up);
// Drags over the middle of the button, as OLE delivers them to the view's registration.
DWORD OfferedOver(const TestButton& button, DWORD keyState = MK_LBUTTON);
DWORD DropOn(const TestButton& button, IDataObject* data, DWORD keyState, DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE);

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

// A button's face as its view paints it (WM_PRINTCLIENT), pixel by pixel.
struct ButtonFace {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool operator==(const ButtonFace&) const = default;
};
ButtonFace RenderFace(const TestButton& button);
