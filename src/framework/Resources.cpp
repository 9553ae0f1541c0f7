#include "framework/Resources.h"

#include <string>

#include "framework/UiLanguage.h"

namespace {
LANGID g_language = uilang::kJapanese;  // written once at start, before any window

HRSRC FindIn(LPCWSTR type, LPCWSTR name, LANGID language) {
    return FindResourceExW(GetModuleHandleW(nullptr), type, name, language);
}

// Entry `index` of a string block: sixteen counted strings, one after another.
std::wstring BlockEntry(HRSRC block, UINT index) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const DWORD bytes = SizeofResource(module, block);
    HGLOBAL loaded = LoadResource(module, block);
    const auto* words = static_cast<const WCHAR*>(loaded ? LockResource(loaded) : nullptr);
    if (!words) return {};
    const size_t count = bytes / sizeof(WCHAR);
    size_t at = 0;
    for (UINT i = 0; i < index && at < count; ++i) at += 1 + words[at];
    if (at >= count || at + 1 + words[at] > count) return {};  // a cut block reads as missing
    return std::wstring(words + at + 1, words[at]);
}

// The resource in the chosen language, else Japanese, else whatever the module has.
HRSRC FindLocalizedResource(LPCWSTR type, LPCWSTR name) {
    if (HRSRC found = FindIn(type, name, g_language)) return found;
    if (HRSRC found = FindIn(type, name, uilang::kJapanese)) return found;
    return FindResourceW(GetModuleHandleW(nullptr), name, type);
}

// Its bytes (read-only, living as long as the module), or nullptr.
const void* LockLocalizedResource(LPCWSTR type, LPCWSTR name) {
    const HRSRC found = FindLocalizedResource(type, name);
    HGLOBAL loaded = found ? LoadResource(GetModuleHandleW(nullptr), found) : nullptr;
    return loaded ? LockResource(loaded) : nullptr;
}
}  // namespace

void SetResourceLanguage(LANGID language) { g_language = language; }

LANGID ResourceLanguage() { return g_language; }

bool ResourcesAreJapanese() { return g_language == uilang::kJapanese; }

std::wstring LoadLocalizedString(UINT id) {
    // An entry missing from one language's block is looked for in the next, like a whole block.
    const LPCWSTR block = MAKEINTRESOURCEW(id / 16 + 1);
    const UINT index = id % 16;
    for (LANGID language : {g_language, static_cast<LANGID>(uilang::kJapanese)}) {
        if (HRSRC found = FindIn(RT_STRING, block, language)) {
            std::wstring text = BlockEntry(found, index);
            if (!text.empty()) return text;
        }
    }
    const HRSRC any = FindResourceW(GetModuleHandleW(nullptr), block, RT_STRING);
    return any ? BlockEntry(any, index) : std::wstring{};
}

HMENU LoadLocalizedMenu(UINT id) {
    const void* menu = LockLocalizedResource(RT_MENU, MAKEINTRESOURCEW(id));
    return menu ? LoadMenuIndirectW(menu) : nullptr;
}

const DLGTEMPLATE* LocalizedDialogTemplate(UINT id) {
    return static_cast<const DLGTEMPLATE*>(LockLocalizedResource(RT_DIALOG, MAKEINTRESOURCEW(id)));
}
