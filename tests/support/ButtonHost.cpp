#include "support/ButtonHost.h"

#include <algorithm>
#include <utility>

#include "model/GroupFile.h"
#include "pages/GroupWnd.h"

namespace {
const wchar_t kBarClass[] = L"VarolinTestBar";
const wchar_t kPageClass[] = L"VarolinTestPage";
const wchar_t kButtonClass[] = L"VarolinTestButton";
}  // namespace

ButtonHost::ButtonHost(CFolderMonitor::Clock clock) : m_folders(m_settings, std::move(clock)) {
    m_transfers.SetListener(&m_folderWrites);
    for (const wchar_t* name : {kBarClass, kPageClass, kButtonClass}) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = CWnd::StaticWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = name;
        RegisterClassW(&wc);  // fails harmlessly once an earlier host has registered it
    }
    m_settings.strAppDir = m_appDir.Path();
    m_settings.nCopyMove = 0;
    m_settings.nDisplayCount = 0;
    m_settings.nDaysNew = 0;
    m_settings.nRenameConfirm = 0;
    m_settings.nRenameFormat = 0;
    m_bar.CreateEx(WS_EX_TOOLWINDOW, kBarClass, L"Varolin test bar", WS_POPUP | WS_VISIBLE, RECT{100, 100, 700, 400},
                   nullptr, 0);
    m_style = ButtonStyle(varolin::LogFontRecord::Default(), static_cast<int>(GetDpiForWindow(m_bar.m_hWnd)));
}

ButtonHost::~ButtonHost() {
    m_transfers.SetListener(nullptr);
    m_bar.DestroyWindow();
}

bool ButtonHost::WaitForTransfers() {
    const ULONGLONG until = GetTickCount64() + 60000;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (!m_transfers.Busy()) break;
        if (GetTickCount64() > until) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    // The job's end comes as a posted message after it.
    for (int round = 0; round < 3; ++round) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
    return true;
}

CGroupWnd* ButtonHost::AddPage(const std::vector<varolin::ButtonRecord>& records, const RECT& rect) {
    const int index = m_nPages++;
    GroupFile(m_appDir.Path(), index).Save(nullptr, records);
    CGroupWnd* page = CGroupWnd::Make(m_settings, m_transfers, m_folders, m_style, index, kPageClass, kButtonClass, rect, &m_bar, nullptr);
    page->ShowWindow(SW_SHOW);
    return page;
}

HWND ButtonHost::Add(const varolin::ButtonRecord& record, const RECT& rect) {
    return GetWindow(AddPage({record}, rect)->m_hWnd, GW_CHILD);
}

std::vector<varolin::ButtonRecord> ButtonHost::Stored(int page) const {
    return GroupFile(m_appDir.Path(), page).Load(nullptr);
}

std::wstring WaitForText(HWND window, const std::wstring& text, DWORD timeoutMs) {
    const ULONGLONG until = GetTickCount64() + timeoutMs;
    while (WindowText(window) != text && GetTickCount64() < until) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return WindowText(window);
}

std::vector<HWND> Buttons(const CGroupWnd* page) {
    std::vector<HWND> buttons;
    for (HWND child = GetWindow(page->m_hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        buttons.push_back(child);
    const auto place = [](HWND wnd) {
        RECT rc{};
        GetWindowRect(wnd, &rc);
        return std::pair(rc.left, rc.top);
    };
    std::stable_sort(buttons.begin(), buttons.end(), [&](HWND a, HWND b) { return place(a) < place(b); });
    return buttons;
}

varolin::ButtonRecord FolderRecord(const std::wstring& folder, const std::wstring& title, COLORREF text,
                                   COLORREF back, bool noDrop) {
    return {L"", folder, title, text, back, noDrop ? 1 : 0};
}

PixelBitmap::PixelBitmap(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* memory = nullptr;
    bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    bits = static_cast<DWORD*>(memory);
}

ButtonFace RenderFace(HWND button) {
    RECT client{};
    GetClientRect(button, &client);
    const PixelBitmap image(client.right, client.bottom);
    OwnedDC dc(CreateCompatibleDC(nullptr));
    {
        const SelectScope select(dc.Get(), image.bitmap.Get());
        SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
    }
    ButtonFace face{client.right, client.bottom, {}};
    for (int i = 0; i < client.right * client.bottom; ++i)
        face.pixels.push_back(RGB(image.bits[i] >> 16 & 0xFF, image.bits[i] >> 8 & 0xFF, image.bits[i] & 0xFF));
    return face;
}
