// The program's own resources as the code will meet them: texts loaded from the string table,
// dialogs created from their templates, menus, bitmaps, icon and manifest.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <cwctype>
#include <string>
#include <utility>
#include <vector>

#include "framework/Handles.h"
#include "framework/Strings.h"
#include "resource.h"

namespace {

HINSTANCE Module() { return GetModuleHandleW(nullptr); }

std::vector<BYTE> ResourceBytes(LPCWSTR type, UINT id) {
    HRSRC info = FindResourceW(Module(), MAKEINTRESOURCEW(id), type);
    if (!info) return {};
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(Module(), info)));
    return data ? std::vector<BYTE>(data, data + SizeofResource(Module(), info)) : std::vector<BYTE>{};
}

INT_PTR CALLBACK IgnoreMessages(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A dialog made from its template and kept hidden: WS_VISIBLE is cleared on a copy of the
// template, and a hidden top-level window parents it, so the child-style pages load too.
class TemplateDialog {
public:
    explicit TemplateDialog(UINT id) {
        m_parent = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   Module(), nullptr);
        std::vector<BYTE> bytes = ResourceBytes(RT_DIALOG, id);
        // DLGTEMPLATEEX: version, signature 0xFFFF, help id, extended style, style.
        if (bytes.size() < 16 || bytes[2] != 0xFF || bytes[3] != 0xFF) return;
        std::vector<DWORD> aligned((bytes.size() + 3) / 4);
        memcpy(aligned.data(), bytes.data(), bytes.size());
        aligned[3] &= ~static_cast<DWORD>(WS_VISIBLE);
        m_hwnd = CreateDialogIndirectParamW(Module(), reinterpret_cast<LPCDLGTEMPLATEW>(aligned.data()),
                                            m_parent, IgnoreMessages, 0);
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

std::wstring WindowText(HWND wnd) {
    wchar_t text[256] = {};
    GetWindowTextW(wnd, text, 256);
    return text;
}

std::wstring ClassOf(HWND wnd) {
    wchar_t name[64] = {};
    GetClassNameW(wnd, name, 64);
    std::wstring lower = name;
    for (auto& c : lower) c = static_cast<wchar_t>(towlower(c));
    return lower;
}

using Control = std::pair<int, std::wstring>;  // id, window class in lower case

// The controls that carry an id, in the dialog's child order (which is the tab order).
std::vector<Control> ControlsWithIds(HWND dialog) {
    std::vector<Control> out;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (id != IDC_STATIC) out.emplace_back(id, ClassOf(child));
    }
    return out;
}

struct DialogCase {
    UINT id;
    const wchar_t* caption;
    std::vector<Control> controls;
};

std::vector<Control> Swatches() {
    std::vector<Control> out;
    for (int id : {0, 4, 7, 12, 15, 11, 14, 8, 10, 3, 13, 9, 6, 2, 1, 5})
        out.emplace_back(IDC_SWATCH_FIRST + id, L"button");
    return out;
}

std::vector<DialogCase> DialogCases() {
    std::vector<Control> colour = {{1001, L"button"}, {1002, L"button"}, {1010, L"button"},
                                   {1003, L"msctls_trackbar32"}, {1004, L"msctls_trackbar32"},
                                   {1005, L"msctls_trackbar32"}, {1117, L"combobox"}};
    for (auto& swatch : Swatches()) colour.push_back(swatch);
    return {
        {102, L"Varolin", {{1009, L"static"}, {1006, L"msctls_updown32"}}},
        {103, L"配色", colour},
        {104, L"設定",
         {{1013, L"edit"}, {1012, L"edit"}, {1008, L"button"}, {1022, L"button"},
          {1014, L"edit"}, {1011, L"button"}, {1023, L"button"}}},
        {105, L"各種設定",
         {{1015, L"edit"}, {1016, L"msctls_updown32"}, {1018, L"edit"},
          {1020, L"msctls_updown32"}, {1026, L"button"}, {1025, L"combobox"}, {1024, L"button"}}},
        {106, L"フォルダボタンのフォント",
         {{1001, L"combobox"}, {1003, L"combobox"}, {1002, L"combobox"}, {1004, L"button"},
          {1005, L"button"}}},
        {107, L"バージョン情報", {{IDOK, L"button"}, {1027, L"button"}}},
        {134, L"同名ファイルの処理",
         {{IDOK, L"button"}, {IDCANCEL, L"button"}, {1028, L"button"}, {1030, L"static"},
          {1031, L"button"}, {1032, L"button"}, {1033, L"static"}}},
    };
}

// Menu items flattened: command ids, 0 for a separator, -1 / -2 around a submenu.
std::vector<int> MenuLayout(HMENU menu) {
    std::vector<int> out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            out.push_back(-1);
            for (int id : MenuLayout(sub)) out.push_back(id);
            out.push_back(-2);
        } else {
            out.push_back(static_cast<int>(GetMenuItemID(menu, i)));
        }
    }
    return out;
}


}  // namespace

TEST(StringTable, KeyTextsExactAndTheListsTheCodeWalksWithoutGaps) {
    EXPECT_EQ(LoadStr(IDS_APP_TITLE), L"Varolin");
    // Two lines in the message box.
    EXPECT_EQ(LoadStr(IDS_OLE_INIT_FAILED),
              L"OLEの初期化に失敗しました。\nOLEﾗｲﾌﾞﾗﾘが正しいﾊﾞｰｼﾞｮﾝのものか確認してください。");
    EXPECT_EQ(LoadStr(IDS_CLEAR_READONLY_QUESTION), L"書き込み禁止属性を解除しますか？");
    // Leading blanks and formats are part of the text.
    EXPECT_EQ(LoadStr(IDS_ALREADY_EXISTS), L" が既に存在します");
    EXPECT_EQ(LoadStr(IDS_FILE_DESCRIPTION),
              L"サイズ：%d バイト\n更新日時：%4d年%2d月%2d日 %d:%02d:%02d");
    EXPECT_EQ(LoadStr(IDS_ALL_FILES_FILTER), L"全てのﾌｧｲﾙ (*.*)|*.*||");
    // The colour page and the font page walk these ranges; a missing entry would show blank.
    for (UINT id = IDS_SYSCOLOR_FIRST; id <= IDS_STYLE_BOLD_ITALIC; ++id)
        EXPECT_FALSE(LoadStr(id).empty()) << id;
    for (UINT id = IDS_RENAME_SAMPLE_FIRST; id <= IDS_RENAME_SAMPLE_LAST; ++id)
        EXPECT_FALSE(LoadStr(id).empty()) << id;
}

TEST(DialogTemplates, EveryTemplateCreatesWithItsControlsInTabOrder) {
    for (const DialogCase& c : DialogCases()) {
        SCOPED_TRACE(c.id);
        TemplateDialog dialog(c.id);
        ASSERT_NE(dialog.Get(), nullptr);
        EXPECT_EQ(WindowText(dialog.Get()), c.caption);
        EXPECT_EQ(ControlsWithIds(dialog.Get()), c.controls);

        RECT client{};
        GetClientRect(dialog.Get(), &client);
        // No control reaches outside the dialog (a mistyped rectangle).
        for (HWND child = GetWindow(dialog.Get(), GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            RECT rc{};
            GetWindowRect(child, &rc);
            MapWindowPoints(nullptr, dialog.Get(), reinterpret_cast<POINT*>(&rc), 2);
            EXPECT_TRUE(rc.left >= 0 && rc.top >= 0 && rc.right <= client.right &&
                        rc.bottom <= client.bottom)
                << "control " << GetDlgCtrlID(child);
        }
    }
}

TEST(DialogTemplates, StylesTheBehaviourDependsOn) {
    // The bar stays out of the task list; the spins write their position into their own edit.
    TemplateDialog bar(IDD_MAIN_BAR);
    EXPECT_TRUE(GetWindowLongPtrW(bar.Get(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    TemplateDialog common(IDD_OPT_COMMON);
    for (auto [spin, edit] : {std::pair{IDC_GROUP_COUNT_SPIN, IDC_GROUP_COUNT}, std::pair{IDC_DAYS_NEW_SPIN, IDC_DAYS_NEW}}) {
        SendMessageW(common.Item(spin), UDM_SETRANGE32, 0, 99);
        SendMessageW(common.Item(spin), UDM_SETPOS32, 0, 42);
        EXPECT_EQ(WindowText(common.Item(edit)), L"42") << edit;
    }
}

TEST(Menus, CommandsInMenuOrder) {
    OwnedMenu main(LoadMenuW(Module(), MAKEINTRESOURCEW(IDR_MAIN_MENU)));
    ASSERT_TRUE(main);
    ASSERT_EQ(GetMenuItemCount(main.Get()), 1);
    EXPECT_EQ(MenuLayout(main.Get()),
              (std::vector<int>{-1, 32774, 32788, 0,
                                -1, 32783, 32784, 0, 32771, 32772, 32792, 0, 32781, -2,
                                -1, 32790, 32782, -2, 0, 32773, -2}));

    OwnedMenu button(LoadMenuW(Module(), MAKEINTRESOURCEW(IDR_BUTTON_MENU)));
    ASSERT_TRUE(button);
    EXPECT_EQ(MenuLayout(button.Get()),
              (std::vector<int>{-1, 32776, 32778, 0, 32779, 32780, 0, 32793, 32794, 32789, 0,
                                32775, 0, 32791, -2}));

    OwnedMenu drop(LoadMenuW(Module(), MAKEINTRESOURCEW(IDR_RIGHT_DROP_MENU)));
    ASSERT_TRUE(drop);
    EXPECT_EQ(MenuLayout(drop.Get()), (std::vector<int>{-1, 32785, 32786, 0, 32787, -2}));
}

TEST(Bitmaps, SixteenColoursKeyedOnPureBlueAtTheTopLeft) {
    const COLORREF blue = RGB(0, 0, 255);
    struct Case { UINT id; int width, height; } cases[] = {{IDB_TRUETYPE_MARK, 20, 12},
                                                           {IDB_NEW_MARK, 23, 12}};
    OwnedDC dc(CreateCompatibleDC(nullptr));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        OwnedBitmap bitmap(static_cast<HBITMAP>(
            LoadImageW(Module(), MAKEINTRESOURCEW(c.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        ASSERT_TRUE(bitmap);
        DIBSECTION dib{};
        ASSERT_EQ(GetObjectW(bitmap.Get(), sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
        EXPECT_EQ(dib.dsBm.bmWidth, c.width);
        EXPECT_EQ(dib.dsBm.bmHeight, c.height);
        EXPECT_EQ(dib.dsBmih.biBitCount, 4);

        SelectScope select(dc.Get(), bitmap.Get());
        EXPECT_EQ(GetPixel(dc.Get(), 0, 0), blue);
        int marked = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) marked += GetPixel(dc.Get(), x, y) != blue;
        EXPECT_GT(marked, c.width * c.height / 4);  // a picture, not an empty key field
    }

    // The badge is loaded the way start-up loads it; its plate is yellow inside the blue key.
    OwnedBitmap badge(LoadBitmapW(Module(), MAKEINTRESOURCEW(IDB_NEW_MARK)));
    ASSERT_TRUE(badge);
    SelectScope select(dc.Get(), badge.Get());
    EXPECT_EQ(GetPixel(dc.Get(), 0, 0), blue);
    EXPECT_EQ(GetPixel(dc.Get(), 2, 2), RGB(255, 255, 0));
}

TEST(ProgramIdentity, IconInBothSizesAndAManifestForVisualStylesWithoutDpiAwareness) {
    for (int size : {16, 32})
        EXPECT_TRUE(OwnedIcon(static_cast<HICON>(LoadImageW(Module(), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                                            IMAGE_ICON, size, size, LR_DEFAULTCOLOR))))
            << size;

    const std::vector<BYTE> bytes = ResourceBytes(RT_MANIFEST, 1);
    const std::string manifest(bytes.begin(), bytes.end());
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"), std::string::npos);  // 10/11
    EXPECT_EQ(manifest.find("dpiAware"), std::string::npos);
}
