#include "support/ButtonHost.h"

#include <algorithm>
#include <utility>

#include "model/GroupFile.h"
#include "framework/Strings.h"
#include "support/TestDataObject.h"

namespace {
const wchar_t kBarClass[] = L"VarolinTestBar";

void HandleMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
}  // namespace

CPageView* TestButton::View() const { return IsWindow(view) ? static_cast<CPageView*>(CWnd::FromHandle(view)) : nullptr; }

int TestButton::Index() const {
    const CPageView* shown = View();
    return shown ? shown->IndexOf(id) : -1;
}

RECT TestButton::Rect() const {
    const int index = Index();
    return index < 0 ? RECT{} : View()->ButtonRect(index);
}

RECT TestButton::ScreenRect() const {
    RECT rc = Rect();
    MapWindowPoints(view, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

POINTL TestButton::ScreenMiddle() const {
    const RECT rc = ScreenRect();
    return POINTL{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

ButtonHost::ButtonHost(CFolderMonitor::Clock clock) : m_folders(m_settings, std::move(clock)) {
    m_transfers.SetListener(&m_folderWrites);
    WNDCLASSW wc{};
    wc.lpfnWndProc = CWnd::StaticWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kBarClass;
    RegisterClassW(&wc);  // fails harmlessly once an earlier host has registered it
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

void ButtonHost::DropPages() {
    for (HWND view : m_views) DestroyWindow(view);
    m_views.clear();
    m_pages.clear();
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

CPageView* ButtonHost::AddPage(const std::vector<varolin::ButtonRecord>& records, const RECT& rect) {
    const int index = static_cast<int>(m_pages.size());
    GroupFile(m_appDir.Path(), index).Save(nullptr, records);
    m_pages.push_back(std::make_unique<CGroupPage>(m_appDir.Path(), index, m_bar.m_hWnd));
    CPageView* view = CPageView::Make(m_settings, m_transfers, m_folders, m_style, rect, &m_bar, nullptr);
    m_views.push_back(view->m_hWnd);
    view->ShowGroup(m_pages.back().get());
    return view;
}

TestButton ButtonHost::Add(const varolin::ButtonRecord& record, const RECT& rect) { return Buttons(AddPage({record}, rect)).at(0); }

std::vector<varolin::ButtonRecord> ButtonHost::Stored(int page) const {
    return GroupFile(m_appDir.Path(), page).Load(nullptr);
}

namespace {
template <class Target>
std::wstring WaitUntilShown(const Target& target, const std::wstring& text, DWORD timeoutMs) {
    const ULONGLONG until = GetTickCount64() + timeoutMs;
    while (WindowText(target) != text && GetTickCount64() < until) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        HandleMessages();
    }
    return WindowText(target);
}
}  // namespace

std::wstring WaitForText(HWND window, const std::wstring& text, DWORD timeoutMs) { return WaitUntilShown(window, text, timeoutMs); }

std::wstring WaitForText(const TestButton& button, const std::wstring& text, DWORD timeoutMs) {
    return WaitUntilShown(button, text, timeoutMs);
}

std::wstring WindowText(const TestButton& button) {
    const int index = button.Index();
    return index < 0 ? std::wstring() : button.View()->ButtonText(index);
}

bool Exists(const TestButton& button) { return button.Index() >= 0; }

std::vector<TestButton> Buttons(const CPageView* view) {
    std::vector<TestButton> buttons;
    for (int i = 0; i < view->ButtonCount(); ++i) buttons.push_back(TestButton{view->m_hWnd, view->ButtonId(i)});
    return buttons;
}

void Command(const TestButton& button, UINT id) {
    if (CPageView* view = button.View()) view->ButtonCommand(button.id, id);
}

void Click(const TestButton& button, POINT down, POINT up) {
    const RECT rc = button.Rect();
    const auto at = [&](POINT p) { return MAKELPARAM(static_cast<WORD>(rc.left + p.x), static_cast<WORD>(rc.top + p.y)); };
    SendMessageW(button.view, WM_LBUTTONDOWN, MK_LBUTTON, at(down));
    SendMessageW(button.view, WM_LBUTTONUP, 0, at(up));
}

DWORD OfferedOver(const TestButton& button, DWORD keyState) { return OfferedAt(button.view, button.ScreenMiddle(), keyState); }

DWORD DropOn(const TestButton& button, IDataObject* data, DWORD keyState, DWORD allowed) {
    return DropAt(button.view, button.ScreenMiddle(), data, keyState, allowed);
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

ButtonFace RenderFace(const TestButton& button) {
    RECT client{};
    GetClientRect(button.view, &client);
    const PixelBitmap image(client.right, client.bottom);
    OwnedDC dc(CreateCompatibleDC(nullptr));
    {
        const SelectScope select(dc.Get(), image.bitmap.Get());
        SendMessageW(button.view, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
    }
    const RECT rc = button.Rect();
    ButtonFace face{rc.right - rc.left, rc.bottom - rc.top, {}};
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x) {
            const DWORD pixel = image.bits[y * client.right + x];
            face.pixels.push_back(RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF));
        }
    return face;
}
