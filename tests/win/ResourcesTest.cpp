// The program's own resources as the code will meet them: string ranges the code walks and
// dialogs created from their templates.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "framework/Strings.h"
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
