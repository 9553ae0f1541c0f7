#pragma once
// Folder buttons under test: a top-level window standing in for the bar, holding one real
// page, with settings of its own (program directory in a temporary folder, counts off, no NEW
// days, no rename question) and fresh process-wide drawing objects (the default font, the NEW
// badge), which are put back at scope end.
//
//   ButtonHost host;
//   CDropBtn* button = host.Add(record, RECT{0, 0, 50, 100});
//   const ButtonFace face = RenderFace(button);
#include <windows.h>

#include <string>
#include <vector>

#include "model/ButtonRecord.h"
#include "framework/Handles.h"
#include "framework/Wnd.h"
#include "settings/Settings.h"
#include "support/TempFolder.h"

class CDropBtn;
class CGroupWnd;

class ButtonHost {
public:
    ButtonHost();
    ~ButtonHost();
    ButtonHost(const ButtonHost&) = delete;
    ButtonHost& operator=(const ButtonHost&) = delete;

    // A button made the way a page makes one from its group file.
    CDropBtn* Add(const varolin::ButtonRecord& record, const RECT& rect = RECT{0, 0, 120, 60});
    HWND Bar() const { return m_bar.m_hWnd; }
    CGroupWnd* Page() const { return m_page; }
    AppSettings& Settings() { return m_settings; }

private:
    TempFolder m_appDir;
    AppSettings m_settings;
    OwnedFont m_oldFont, m_oldFontVert;
    OwnedBitmap m_oldNewMark, m_oldNewMarkMask;
    CWnd m_bar;
    CGroupWnd* m_page = nullptr;  // deletes itself with the bar's window
};

// A record for a folder (ending in a backslash) with the given colours.
varolin::ButtonRecord FolderRecord(const std::wstring& folder, const std::wstring& title,
                                   COLORREF text = RGB(0, 0, 0), COLORREF back = RGB(255, 255, 255),
                                   bool noDrop = false);

// A button's face as WM_PRINTCLIENT draws it (background included), pixel by pixel.
struct ButtonFace {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool operator==(const ButtonFace&) const = default;
};
ButtonFace RenderFace(const CDropBtn* button);
