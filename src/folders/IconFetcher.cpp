#include "folders/IconFetcher.h"

#include <objbase.h>

#include "framework/Handles.h"
#include "framework/PrivateMessages.h"
#include "framework/UiDispatcher.h"
#include "shell/FileIcon.h"

IconFetcher::IconFetcher(std::shared_ptr<FolderWorkPool> pool, HWND dispatcher)
    : m_pool(std::move(pool)), m_hDispatcher(dispatcher) {}

void IconFetcher::Fetch(HWND view, UINT id, const std::wstring& path, int size) {
    const HWND dispatcher = m_hDispatcher;
    m_pool->Submit([dispatcher, view, id, path, size] {
        // The shell's icon calls want COM on the thread that makes them.
        const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        // Destroyed unless a button takes it, also when the dispatcher goes before it is sent.
        const auto icon = std::make_shared<OwnedIcon>(LoadFileIcon(path, size));
        if (SUCCEEDED(com)) CoUninitialize();
        // Sent without one too: the button then shows none (the program has gone).
        CUiDispatcher::PostTo(dispatcher, [view, id, path, size, icon] {
            FetchedIcon fetched{path, size, icon->Get()};
            if (IsWindow(view) && ::SendMessageW(view, kProgramIconMessage, id, reinterpret_cast<LPARAM>(&fetched)))
                icon->Release();
        });
    });
}
