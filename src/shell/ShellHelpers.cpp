#include "shell/ShellHelpers.h"

#include <htmlhelp.h>
#include <shlobj.h>

#include <cstdlib>
#include <cwchar>

#include "framework/Resources.h"
#include "framework/Strings.h"
#include "settings/LongPath.h"
#include "model/SystemCodePage.h"
#include "shell/DropList.h"

namespace {

int CALLBACK BrowseCallback(HWND wnd, UINT msg, LPARAM, LPARAM data) {
    if (msg == BFFM_INITIALIZED) {
        const auto* initial = reinterpret_cast<const std::wstring*>(data);
        if (!initial->empty())
            SendMessageW(wnd, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(initial->c_str()));
    }
    return 0;
}

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

HtmlHelpFunction LoadHtmlHelp() {
    // Loaded once and kept: the help window runs inside this process. Taken from the system
    // directory by full path so that no file beside the program can stand in for it.
    static const HtmlHelpFunction function = []() -> HtmlHelpFunction {
        wchar_t system[MAX_PATH] = {};
        const UINT length = GetSystemDirectoryW(system, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return nullptr;
        const std::wstring path = std::wstring(system, length) + L"\\hhctrl.ocx";
        HMODULE module = LoadLibraryW(path.c_str());
        if (!module) return nullptr;
        FARPROC proc = GetProcAddress(module, "HtmlHelpW");
        return reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void (*)()>(proc));
    }();
    return function;
}

}  // namespace

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(varolin::ExtendedPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::vector<std::wstring>> DroppedFiles(COleDataObject* data) {
    const CGlobalData block = data->GetGlobalData(CF_HDROP);
    if (!block) return std::nullopt;
    const void* bytes = GlobalLock(block.Get());
    if (!bytes) return std::nullopt;
    auto paths = varolin::ParseDropList(static_cast<const std::uint8_t*>(bytes), block.Size(), SystemAnsiCodePage());
    GlobalUnlock(block.Get());
    return paths;
}

bool BrowseForFolder(HWND owner, std::wstring& path, const std::wstring& title) {
    // The browser preselects a folder given without its trailing backslash; a root keeps it.
    std::wstring initial = path;
    if (initial.size() > 3 && initial.back() == L'\\') initial.pop_back();
    if (initial.size() >= MAX_PATH) initial.clear();  // too long to preselect: start at the top

    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&initial);
    PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
    if (!item) return false;

    wchar_t chosen[MAX_PATH] = {};
    const bool isPath = SHGetPathFromIDListW(item, chosen) != FALSE;
    CoTaskMemFree(item);
    if (!isPath) return false;
    path = chosen;
    AddTrailingBackslash(path);
    return true;
}

void ShowSystemError(DWORD code, HWND owner) {
    wchar_t* buffer = nullptr;
    // Inserts are ignored: a system text with %1 and no arguments must not read past them.
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT),
        reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    std::wstring text;
    if (length > 0 && buffer) text.assign(buffer, length);
    if (buffer) LocalFree(buffer);
    text = varolin::TrimRight(std::move(text));
    if (text.empty()) {
        wchar_t number[32] = {};
        std::swprintf(number, 32, L"%lu (0x%08lX)", static_cast<unsigned long>(code),
                      static_cast<unsigned long>(code));
        text = number;
    }
    AppMessageBox(owner, text, MB_OK | MB_ICONSTOP);
}

std::wstring HelpFilePath(const std::wstring& appDir) {
    if (!ResourcesAreJapanese()) {
        std::wstring english = appDir + L"Varolin.en.chm";
        if (GetFileAttributesW(varolin::ExtendedPath(english).c_str()) != INVALID_FILE_ATTRIBUTES) return english;
    }
    return appDir + L"Varolin.chm";
}

void ShowHelp(const std::wstring& appDir, const std::wstring& topic) {
    const HtmlHelpFunction htmlHelp = LoadHtmlHelp();
    if (!htmlHelp) return;
    const std::wstring location = HelpFilePath(appDir) + L"::/" + topic;
    htmlHelp(nullptr, location.c_str(), HH_DISPLAY_TOPIC, 0);
}

void MakeMaskBitmap(HBITMAP image, OwnedBitmap& mask) {
    mask.Reset();
    BITMAP info{};
    if (!image || GetObjectW(image, sizeof(info), &info) == 0) return;
    const int width = info.bmWidth;
    const int height = std::abs(info.bmHeight);
    OwnedBitmap made(CreateBitmap(width, height, 1, 1, nullptr));
    OwnedDC maskDc(CreateCompatibleDC(nullptr));
    OwnedDC imageDc(CreateCompatibleDC(nullptr));
    if (!made || !maskDc || !imageDc) return;
    {
        SelectScope selectMask(maskDc.Get(), made.Get());
        SelectScope selectImage(imageDc.Get(), image);
        // Colour to monochrome: pixels of the background colour become 1, then inverted to 0.
        const COLORREF oldBack = SetBkColor(imageDc.Get(), GetPixel(imageDc.Get(), 0, 0));
        BitBlt(maskDc.Get(), 0, 0, width, height, imageDc.Get(), 0, 0, NOTSRCCOPY);
        SetBkColor(imageDc.Get(), oldBack);
    }
    mask = std::move(made);
}

void DrawTransparent(HDC dc, HBITMAP image, HBITMAP mask, int x, int y, int width, int height) {
    OwnedDC memory(CreateCompatibleDC(dc));
    if (!memory) return;
    // Monochrome to colour: 1 becomes the background colour (white), 0 the text colour (black).
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    {
        constexpr DWORD kAndNotSource = 0x220326;  // destination AND NOT source
        SelectScope restore(memory.Get(), image);
        // dest ^ image, then cleared where the mask is 1, then ^ image: the image where the
        // mask is 1, the destination where it is 0.
        BitBlt(dc, x, y, width, height, memory.Get(), 0, 0, SRCINVERT);
        SelectObject(memory.Get(), mask);
        BitBlt(dc, x, y, width, height, memory.Get(), 0, 0, kAndNotSource);
        SelectObject(memory.Get(), image);
        BitBlt(dc, x, y, width, height, memory.Get(), 0, 0, SRCINVERT);
    }
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

bool IsHighContrastOn() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) && (contrast.dwFlags & HCF_HIGHCONTRASTON);
}
