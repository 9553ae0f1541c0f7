#include "framework/Strings.h"

#include "framework/FrameworkIds.h"
#include "framework/Resources.h"

std::wstring LoadStr(UINT id) { return LoadLocalizedString(id); }

int AppMessageBox(HWND owner, const std::wstring& text, UINT type) {
    return MessageBoxW(owner, text.c_str(), LoadStr(IDS_APP_TITLE).c_str(), type);
}

int AppMessageBox(HWND owner, UINT textId, UINT type) {
    return AppMessageBox(owner, LoadStr(textId), type);
}

std::string WideToAnsi(const std::wstring& text, bool* lossy) {
    if (lossy) *lossy = false;
    if (text.empty()) return {};
    BOOL usedDefault = FALSE;
    const int wideLength = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, out.data(), bytes, nullptr,
                            lossy ? &usedDefault : nullptr);
    if (lossy) *lossy = usedDefault != FALSE;
    return out;
}

std::wstring AnsiToWide(const std::string& text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int chars = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring out(static_cast<size_t>(chars > 0 ? chars : 0), L'\0');
    if (chars > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), length, out.data(), chars);
    return out;
}
