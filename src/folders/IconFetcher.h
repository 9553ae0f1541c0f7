#pragma once
// IconFetcher: loads program icons for the buttons on the folder work pool, as the folders are
// listed: a program on a share that does not answer must not hold up the bar.
#include <windows.h>

#include <memory>
#include <string>

#include "folders/FolderWorkPool.h"

// kProgramIconMessage is sent to the window of a button with an icon it asked for: wParam is the
// button's id, lParam points to a FetchedIcon, whose icon is null when there is none. A window
// that takes the icon returns TRUE; otherwise it is destroyed.
struct FetchedIcon {
    std::wstring path;
    int size = 0;
    HICON icon = nullptr;
};

class IconFetcher {
public:
    // Icons reach the buttons through `dispatcher` (a CUiDispatcher's window, borrowed): once it
    // is gone, a loaded icon is destroyed unseen.
    IconFetcher(std::shared_ptr<FolderWorkPool> pool, HWND dispatcher);

    // Loads the icon of the file `path` at `size` pixels and sends it to button `id` of `view`
    // if the window is still there.
    void Fetch(HWND view, UINT id, const std::wstring& path, int size);

private:
    std::shared_ptr<FolderWorkPool> m_pool;
    HWND m_hDispatcher;
};
