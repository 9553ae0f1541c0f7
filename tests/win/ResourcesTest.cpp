// The program's own resources as the code will meet them: string ranges the code walks and
// dialogs created from their templates.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "framework/Strings.h"
#include "framework/Wnd.h"
#include "resource.h"

namespace {

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
constexpr WORD kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// The program's resources of one type: those it has in Japanese (the tests' own dialogs have
// no Japanese version), with the languages each one exists in.
std::vector<std::pair<WORD, std::vector<WORD>>> ProgramResources(LPCWSTR type) {
    std::vector<std::pair<WORD, std::vector<WORD>>> found;
    EnumResourceNamesW(nullptr, type, [](HMODULE, LPCWSTR kind, LPWSTR name, LONG_PTR out) -> BOOL {
        if (!IS_INTRESOURCE(name)) return TRUE;
        std::vector<WORD> languages;
        EnumResourceLanguagesW(nullptr, kind, name, [](HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR list) -> BOOL {
            reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
            return TRUE;
        }, reinterpret_cast<LONG_PTR>(&languages));
        std::sort(languages.begin(), languages.end());
        if (std::find(languages.begin(), languages.end(), kJapanese) != languages.end())
            reinterpret_cast<std::vector<std::pair<WORD, std::vector<WORD>>>*>(out)->emplace_back(LOWORD(name), languages);
        return TRUE;
    }, reinterpret_cast<LONG_PTR>(&found));
    return found;
}

std::vector<BYTE> ResourceBytes(LPCWSTR type, WORD id, WORD language) {
    HRSRC info = FindResourceExW(nullptr, type, MAKEINTRESOURCEW(id), language);
    if (!info) return {};
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, info)));
    return std::vector<BYTE>(bytes, bytes + SizeofResource(nullptr, info));
}

// The sixteen counted strings of a string block, read without leaving it; a cut block gives
// fewer.
std::vector<std::wstring> BlockStrings(const std::vector<BYTE>& bytes) {
    std::vector<WORD> words(bytes.size() / 2);
    std::memcpy(words.data(), bytes.data(), words.size() * 2);
    std::vector<std::wstring> texts;
    for (size_t at = 0; texts.size() < 16 && at < words.size() && at + words[at] < words.size(); at += 1 + words[at])
        texts.emplace_back(words.begin() + static_cast<std::ptrdiff_t>(at) + 1, words.begin() + static_cast<std::ptrdiff_t>(at + 1 + words[at]));
    return texts;
}

// Item ids, separators and submenus in order; items without text are counted apart.
void MenuShape(HMENU menu, std::wstring& shape, int& untitled) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128]{};
        GetMenuStringW(menu, i, text, 128, MF_BYPOSITION);
        HMENU submenu = GetSubMenu(menu, i);  // a submenu keeps its item count where MF_SEPARATOR is
        const bool separator = !submenu && (GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR) != 0;
        if (!separator && text[0] == 0) ++untitled;
        shape += (separator ? L"-" : submenu ? L"(" : std::to_wstring(GetMenuItemID(menu, i))) + L" ";
        if (!submenu) continue;
        MenuShape(submenu, shape, untitled);
        shape += L") ";
    }
}

// The arguments a text takes: printf conversions in order, then the numbered inserts sorted
// (a translation may place those anywhere).
std::wstring Placeholders(const std::wstring& text) {
    std::wstring ordered;
    std::vector<std::wstring> numbered;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'%') continue;
        size_t j = i + 1;
        while (j < text.size() && wcschr(L"0123456789-+#.lhI", text[j])) ++j;
        if (text[i + 1] == L'%') {
            ++j;  // "%%" is a percent sign
        } else if (j < text.size() && wcschr(L"diouxXcCsSfeEgGp", text[j])) {
            ordered += text[j];  // "%4d" is printf's, not insert 4
        } else if (iswdigit(text[i + 1]) && text[i + 1] != L'0') {
            for (j = i + 1; j < text.size() && iswdigit(text[j]);) ++j;
            numbered.push_back(text.substr(i, j - i));
        }
        i = j - 1;
    }
    std::sort(numbered.begin(), numbered.end());
    for (const std::wstring& n : numbered) ordered += L" " + n;
    return ordered;
}

}  // namespace

TEST(StringTable, TheRangesTheCodeWalksHaveNoGaps) {
    // The colour page and the font page walk these ranges; a missing entry would show blank.
    for (UINT id = IDS_SYSCOLOR_FIRST; id <= IDS_STYLE_BOLD_ITALIC; ++id) EXPECT_FALSE(LoadStr(id).empty()) << id;
    for (UINT id = IDS_RENAME_SAMPLE_FIRST; id <= IDS_RENAME_SAMPLE_LAST; ++id) EXPECT_FALSE(LoadStr(id).empty()) << id;
}

TEST(DialogTemplates, EveryTemplateCreatesInBothLanguagesWithTheSameControlsAllInside) {
    // What must agree between the languages: the dialog's styles, then each control's id,
    // class and styles, in order.
    std::map<std::pair<WORD, WORD>, std::vector<std::wstring>> shapes;  // id, language
    // Each is made hidden (WS_VISIBLE cleared on a copy of its template) under a hidden window,
    // so the child-style pages load too.
    HWND parent = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    for (const auto& [id, languages] : ProgramResources(RT_DIALOG)) {
        EXPECT_EQ(languages, (std::vector<WORD>{kEnglish, kJapanese})) << id;
        for (WORD language : languages) {
            SCOPED_TRACE(std::to_string(id) + " in language " + std::to_string(language));
            const std::vector<BYTE> bytes = ResourceBytes(RT_DIALOG, id, language);
            std::vector<DWORD> copy((bytes.size() + 3) / 4);
            ASSERT_GE(copy.size(), 4u);
            std::memcpy(copy.data(), bytes.data(), bytes.size());
            ASSERT_EQ(HIWORD(copy[0]), 0xFFFF);  // DLGTEMPLATEEX: version, signature, help id, extended style, style
            std::vector<std::wstring>& shape = shapes[{id, language}];
            shape.push_back(std::to_wstring(copy[3]) + L" " + std::to_wstring(copy[2]));
            copy[3] &= ~static_cast<DWORD>(WS_VISIBLE);
            HWND dialog = CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(copy.data()), parent,
                                                     [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
            ASSERT_NE(dialog, nullptr);
            RECT client{};
            GetClientRect(dialog, &client);
            for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                wchar_t kind[64]{};
                GetClassNameW(child, kind, 64);
                shape.push_back(std::to_wstring(GetDlgCtrlID(child)) + L" " + kind + L" " + std::to_wstring(GetWindowLongW(child, GWL_STYLE)) +
                                L" " + std::to_wstring(GetWindowLongW(child, GWL_EXSTYLE)));
                // No control reaches outside the dialog (a mistyped rectangle).
                RECT rc{};
                GetWindowRect(child, &rc);
                MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
                EXPECT_TRUE(rc.left >= 0 && rc.top >= 0 && rc.right <= client.right && rc.bottom <= client.bottom)
                    << "control " << GetDlgCtrlID(child);
            }
            DestroyWindow(dialog);
        }
        EXPECT_EQ(shapes[std::make_pair(id, kJapanese)], shapes[std::make_pair(id, kEnglish)]) << id;
    }
    DestroyWindow(parent);
    EXPECT_GE(shapes.size(), 16u);
    // The bar's label size is stored with the docking state: one template for both.
    EXPECT_TRUE(ResourceBytes(RT_DIALOG, IDD_MAIN_BAR, kJapanese) == ResourceBytes(RT_DIALOG, IDD_MAIN_BAR, kEnglish));
}

TEST(VersionResources, TheAboutLineAndTheManifestCarryTheFileVersion) {
    // The fixed part of the version resource, found by its signature.
    HRSRC version = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16));  // RT_VERSION
    ASSERT_NE(version, nullptr);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, version)));
    const DWORD signature = VS_FFI_SIGNATURE;
    const BYTE* found = std::search(bytes, bytes + SizeofResource(nullptr, version), reinterpret_cast<const BYTE*>(&signature),
                                    reinterpret_cast<const BYTE*>(&signature) + sizeof(signature));
    ASSERT_NE(found, bytes + SizeofResource(nullptr, version));
    VS_FIXEDFILEINFO info{};
    std::memcpy(&info, found, sizeof(info));
    const VS_FIXEDFILEINFO* fixed = &info;
    const unsigned major = HIWORD(fixed->dwFileVersionMS), minor = LOWORD(fixed->dwFileVersionMS);
    const unsigned patch = HIWORD(fixed->dwFileVersionLS);

    HWND about = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(IDD_ABOUT), nullptr,
                                    [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(about, nullptr);
    std::vector<std::wstring> texts;
    for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) texts.push_back(WindowText(child));
    DestroyWindow(about);
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Varolin　Ver" + std::to_wstring(major) + L"." + std::to_wstring(minor)),
              texts.end());

    HRSRC manifest = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(manifest, nullptr);
    const std::string xml(static_cast<const char*>(LockResource(LoadResource(nullptr, manifest))), SizeofResource(nullptr, manifest));
    const std::string identity = "name=\"Ovelia.Varolin\" version=\"" + std::to_string(major) + "." + std::to_string(minor) + "." +
                                 std::to_string(patch) + ".0\"";
    EXPECT_NE(xml.find(identity), std::string::npos);
}

TEST(EnglishResources, EveryStringExistsInBothLanguagesWithTheSameInserts) {
    const auto blocks = ProgramResources(RT_STRING);
    ASSERT_GE(blocks.size(), 5u);
    for (const auto& [block, languages] : blocks) {
        SCOPED_TRACE(block);
        EXPECT_EQ(languages, (std::vector<WORD>{kEnglish, kJapanese}));
        const std::vector<BYTE> japanese = ResourceBytes(RT_STRING, block, kJapanese), english = ResourceBytes(RT_STRING, block, kEnglish);
        const std::vector<std::wstring> ja = BlockStrings(japanese), en = BlockStrings(english);
        ASSERT_TRUE(ja.size() == 16 && en.size() == 16);
        // The id of a block's first string is (block - 1) * 16.
        for (UINT i = 0; i < 16; ++i) {
            EXPECT_EQ(ja[i].empty(), en[i].empty()) << (block - 1u) * 16u + i;
            EXPECT_EQ(Placeholders(ja[i]), Placeholders(en[i])) << (block - 1u) * 16u + i;
        }
    }
}

TEST(EnglishResources, EveryMenuHasTheSameItemsInBothLanguages) {
    const auto menus = ProgramResources(RT_MENU);
    ASSERT_EQ(menus.size(), 3u);
    for (const auto& [id, languages] : menus) {
        SCOPED_TRACE(id);
        EXPECT_EQ(languages, (std::vector<WORD>{kEnglish, kJapanese}));
        std::wstring shapes[2];
        int untitled[2]{};
        const WORD both[2]{kJapanese, kEnglish};
        for (int i = 0; i < 2; ++i) {
            const std::vector<BYTE> bytes = ResourceBytes(RT_MENU, id, both[i]);
            HMENU menu = bytes.empty() ? nullptr : LoadMenuIndirectW(bytes.data());
            ASSERT_NE(menu, nullptr);
            MenuShape(menu, shapes[i], untitled[i]);
            DestroyMenu(menu);
        }
        EXPECT_EQ(shapes[0], shapes[1]);
        EXPECT_EQ(untitled[1], 0);
    }
}
