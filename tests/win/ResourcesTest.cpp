// The program's own resources as the code will meet them: string ranges the code walks and
// dialogs created from their templates.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "framework/Strings.h"
#include "framework/Wnd.h"
#include "resource.h"

TEST(StringTable, TheRangesTheCodeWalksHaveNoGaps) {
    // The colour page and the font page walk these ranges; a missing entry would show blank.
    for (UINT id = IDS_SYSCOLOR_FIRST; id <= IDS_STYLE_BOLD_ITALIC; ++id) EXPECT_FALSE(LoadStr(id).empty()) << id;
    for (UINT id = IDS_RENAME_SAMPLE_FIRST; id <= IDS_RENAME_SAMPLE_LAST; ++id) EXPECT_FALSE(LoadStr(id).empty()) << id;
}

TEST(DialogTemplates, EveryTemplateCreatesWithEveryControlInside) {
    std::vector<WORD> ids;
    EnumResourceNamesW(nullptr, RT_DIALOG, [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
        if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<WORD>*>(found)->push_back(LOWORD(name));
        return TRUE;
    }, reinterpret_cast<LONG_PTR>(&ids));
    ASSERT_GE(ids.size(), 7u);
    // Each is made hidden (WS_VISIBLE cleared on a copy of its template) under a hidden window,
    // so the child-style pages load too.
    HWND parent = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    for (WORD id : ids) {
        SCOPED_TRACE(id);
        HRSRC info = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_DIALOG);
        std::vector<DWORD> copy((SizeofResource(nullptr, info) + 3) / 4);
        std::memcpy(copy.data(), LockResource(LoadResource(nullptr, info)), SizeofResource(nullptr, info));
        ASSERT_EQ(HIWORD(copy[0]), 0xFFFF);  // DLGTEMPLATEEX: version, signature, help id, extended style, style
        copy[3] &= ~static_cast<DWORD>(WS_VISIBLE);
        HWND dialog = CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(copy.data()), parent,
                                                 [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
        ASSERT_NE(dialog, nullptr);
        RECT client{};
        GetClientRect(dialog, &client);
        // No control reaches outside the dialog (a mistyped rectangle).
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            RECT rc{};
            GetWindowRect(child, &rc);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
            EXPECT_TRUE(rc.left >= 0 && rc.top >= 0 && rc.right <= client.right && rc.bottom <= client.bottom)
                << "control " << GetDlgCtrlID(child);
        }
        DestroyWindow(dialog);
    }
    DestroyWindow(parent);
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
