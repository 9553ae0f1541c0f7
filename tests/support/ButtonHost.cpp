#include "support/ButtonHost.h"

#include <utility>

#include "shell/AppGlobals.h"
#include "settings/Settings.h"
#include "shell/ShellHelpers.h"
#include "buttons/DropBtn.h"
#include "pages/GroupWnd.h"
#include "resource.h"

namespace {
const wchar_t kBarClass[] = L"VarolinTestBar";
const wchar_t kPageClass[] = L"VarolinTestPage";
const wchar_t kButtonClass[] = L"VarolinTestButton";

void RegisterClasses() {
    static const bool registered = [] {
        for (const wchar_t* name : {kBarClass, kPageClass, kButtonClass}) {
            WNDCLASSW wc{};
            wc.lpfnWndProc = CWnd::StaticWndProc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            wc.lpszClassName = name;
            RegisterClassW(&wc);
        }
        return true;
    }();
    (void)registered;
}

void MakeDrawingObjects() {
    CreateButtonFonts(varolin::LogFontRecord::Default());
    g_bmpNewMark.Reset(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_NEW_MARK), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    MakeMaskBitmap(g_bmpNewMark.Get(), g_bmpNewMarkMask);
}
}  // namespace

ButtonHost::ButtonHost()
    : m_oldFont(std::move(g_fontButton)),
      m_oldFontVert(std::move(g_fontButtonVert)),
      m_oldNewMark(std::move(g_bmpNewMark)),
      m_oldNewMarkMask(std::move(g_bmpNewMarkMask)) {
    RegisterClasses();
    MakeDrawingObjects();
    m_settings.strAppDir = m_appDir.Path();
    m_settings.nCopyMove = 0;
    m_settings.nDisplayCount = 0;
    m_settings.nDaysNew = 0;
    m_settings.nRenameConfirm = 0;
    m_settings.nRenameFormat = 0;
    m_bar.CreateEx(WS_EX_TOOLWINDOW, kBarClass, L"Varolin test bar", WS_POPUP | WS_VISIBLE, RECT{100, 100, 700, 400},
                   nullptr, 0);
    m_page = new CGroupWnd(m_settings, 0, kPageClass, kButtonClass, RECT{0, 0, 600, 300}, &m_bar);
    m_page->ShowWindow(SW_SHOW);
}

ButtonHost::~ButtonHost() {
    m_bar.DestroyWindow();
    g_fontButton = std::move(m_oldFont);
    g_fontButtonVert = std::move(m_oldFontVert);
    g_bmpNewMark = std::move(m_oldNewMark);
    g_bmpNewMarkMask = std::move(m_oldNewMarkMask);
}

CDropBtn* ButtonHost::Add(const varolin::ButtonRecord& record, const RECT& rect) {
    auto* button = new CDropBtn(*m_page, record);
    button->CreateButton(kButtonClass, rect);
    // Listed on its page, as loaded buttons are, but left where the test put it.
    m_page->m_buttons.push_back(button);
    m_page->m_nCount = static_cast<int>(m_page->m_buttons.size());
    return button;
}

varolin::ButtonRecord FolderRecord(const std::wstring& folder, const std::wstring& title, COLORREF text,
                                   COLORREF back, bool noDrop) {
    varolin::ButtonRecord record;
    record.m_strFolder = folder;
    record.m_strTitle = title;
    record.m_crText = text;
    record.m_crBack = back;
    record.m_bNoDrop = noDrop ? 1 : 0;
    return record;
}

ButtonFace RenderFace(const CDropBtn* button) {
    ButtonFace face;
    const RECT client = button->GetClientRect();
    face.width = client.right;
    face.height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = face.width;
    info.bmiHeader.biHeight = -face.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    OwnedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    OwnedDC dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc) return face;
    {
        const SelectScope select(dc.Get(), bitmap.Get());
        SendMessageW(button->m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
    }
    const auto* bits = static_cast<const DWORD*>(memory);
    face.pixels.reserve(static_cast<size_t>(face.width) * face.height);
    for (int i = 0; i < face.width * face.height; ++i) {
        const DWORD p = bits[i];  // 0x00RRGGBB
        face.pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
    return face;
}
