// The program's own resources as the code will meet them: string ranges the code walks,
// dialogs created from their templates, bitmaps keyed on their corner, icon and manifest.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "framework/Strings.h"
#include "framework/Wnd.h"
#include "resource.h"

namespace {

HINSTANCE Module() { return GetModuleHandleW(nullptr); }

std::vector<BYTE> ResourceBytes(LPCWSTR type, LPCWSTR name) {
    HRSRC info = FindResourceW(Module(), name, type);
    if (!info) return {};
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(Module(), info)));
    return data ? std::vector<BYTE>(data, data + SizeofResource(Module(), info)) : std::vector<BYTE>{};
}

INT_PTR CALLBACK IgnoreMessages(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A dialog made from its template and kept hidden: WS_VISIBLE is cleared on a copy of the
// template, and a hidden top-level window parents it, so the child-style pages load too.
class TemplateDialog {
public:
    explicit TemplateDialog(LPCWSTR name) {
        m_parent = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, Module(), nullptr);
        std::vector<BYTE> bytes = ResourceBytes(RT_DIALOG, name);
        // DLGTEMPLATEEX: version, signature 0xFFFF, help id, extended style, style.
        if (bytes.size() < 16 || bytes[2] != 0xFF || bytes[3] != 0xFF) return;
        std::vector<DWORD> aligned((bytes.size() + 3) / 4);
        memcpy(aligned.data(), bytes.data(), bytes.size());
        aligned[3] &= ~static_cast<DWORD>(WS_VISIBLE);
        m_hwnd = CreateDialogIndirectParamW(Module(), reinterpret_cast<LPCDLGTEMPLATEW>(aligned.data()), m_parent,
                                            IgnoreMessages, 0);
    }
    ~TemplateDialog() {
        if (m_hwnd) DestroyWindow(m_hwnd);
        if (m_parent) DestroyWindow(m_parent);
    }
    TemplateDialog(const TemplateDialog&) = delete;
    TemplateDialog& operator=(const TemplateDialog&) = delete;

    HWND Get() const { return m_hwnd; }
    HWND Item(int id) const { return GetDlgItem(m_hwnd, id); }

private:
    HWND m_parent = nullptr;
    HWND m_hwnd = nullptr;
};

BOOL CALLBACK CollectDialog(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR ids) {
    if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<WORD>*>(ids)->push_back(LOWORD(name));
    return TRUE;
}

}  // namespace

TEST(StringTable, TheRangesTheCodeWalksHaveNoGaps) {
    // The colour page and the font page walk these ranges; a missing entry would show blank.
    for (UINT id = IDS_SYSCOLOR_FIRST; id <= IDS_STYLE_BOLD_ITALIC; ++id) EXPECT_FALSE(LoadStr(id).empty()) << id;
    for (UINT id = IDS_RENAME_SAMPLE_FIRST; id <= IDS_RENAME_SAMPLE_LAST; ++id) EXPECT_FALSE(LoadStr(id).empty()) << id;
}

TEST(DialogTemplates, EveryTemplateCreatesWithEveryControlInside) {
    std::vector<WORD> ids;
    EnumResourceNamesW(Module(), RT_DIALOG, CollectDialog, reinterpret_cast<LONG_PTR>(&ids));
    ASSERT_GE(ids.size(), 7u);
    for (WORD id : ids) {
        SCOPED_TRACE(id);
        TemplateDialog dialog(MAKEINTRESOURCEW(id));
        ASSERT_NE(dialog.Get(), nullptr);
        RECT client{};
        GetClientRect(dialog.Get(), &client);
        // No control reaches outside the dialog (a mistyped rectangle).
        for (HWND child = GetWindow(dialog.Get(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            RECT rc{};
            GetWindowRect(child, &rc);
            MapWindowPoints(nullptr, dialog.Get(), reinterpret_cast<POINT*>(&rc), 2);
            EXPECT_TRUE(rc.left >= 0 && rc.top >= 0 && rc.right <= client.right && rc.bottom <= client.bottom)
                << "control " << GetDlgCtrlID(child);
        }
    }
}

TEST(DialogTemplates, SpinsWriteTheirPositionIntoTheirEdit) {
    TemplateDialog common(MAKEINTRESOURCEW(IDD_OPT_COMMON));
    for (auto [spin, edit] : {std::pair{IDC_GROUP_COUNT_SPIN, IDC_GROUP_COUNT}, std::pair{IDC_DAYS_NEW_SPIN, IDC_DAYS_NEW}}) {
        SendMessageW(common.Item(spin), UDM_SETRANGE32, 0, 99);
        SendMessageW(common.Item(spin), UDM_SETPOS32, 0, 42);
        EXPECT_EQ(WindowText(common.Item(edit)), L"42") << edit;
    }
}

TEST(Bitmaps, KeyedOnTheColourOfTheirTopLeftPixel) {
    OwnedDC dc(CreateCompatibleDC(nullptr));
    for (UINT id : {IDB_TRUETYPE_MARK, IDB_NEW_MARK}) {
        SCOPED_TRACE(id);
        OwnedBitmap bitmap(LoadBitmapW(Module(), MAKEINTRESOURCEW(id)));
        ASSERT_TRUE(bitmap);
        BITMAP info{};
        GetObjectW(bitmap.Get(), sizeof(info), &info);
        SelectScope select(dc.Get(), bitmap.Get());
        const COLORREF key = GetPixel(dc.Get(), 0, 0);
        EXPECT_EQ(key, RGB(0, 0, 255));
        int marked = 0;
        for (int y = 0; y < info.bmHeight; ++y)
            for (int x = 0; x < info.bmWidth; ++x) marked += GetPixel(dc.Get(), x, y) != key;
        EXPECT_GT(marked, info.bmWidth * info.bmHeight / 4);  // a picture, not an empty key field
    }
}

TEST(ProgramIdentity, IconInBothSizesAndAManifestForVisualStyles) {
    for (int size : {16, 32})
        EXPECT_TRUE(OwnedIcon(static_cast<HICON>(
            LoadImageW(Module(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, LR_DEFAULTCOLOR))))
            << size;
    const std::vector<BYTE> bytes = ResourceBytes(RT_MANIFEST, MAKEINTRESOURCEW(1));
    EXPECT_NE(std::string(bytes.begin(), bytes.end()).find("Microsoft.Windows.Common-Controls"), std::string::npos);
}
