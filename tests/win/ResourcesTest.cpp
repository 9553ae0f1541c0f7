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
    LONG_PTR Style(int id) const { return GetWindowLongPtrW(Item(id), GWL_STYLE); }
    LONG_PTR ExStyle(int id) const { return GetWindowLongPtrW(Item(id), GWL_EXSTYLE); }

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
    int widthDu, heightDu;
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
        {102, 125, 12, L"Varolin", {{1009, L"static"}, {1006, L"msctls_updown32"}}},
        {103, 226, 173, L"配色", colour},
        {104, 227, 175, L"設定",
         {{1013, L"edit"}, {1012, L"edit"}, {1008, L"button"}, {1022, L"button"},
          {1014, L"edit"}, {1011, L"button"}, {1023, L"button"}}},
        {105, 227, 175, L"各種設定",
         {{1015, L"edit"}, {1016, L"msctls_updown32"}, {1018, L"edit"},
          {1020, L"msctls_updown32"}, {1026, L"button"}, {1025, L"combobox"}, {1024, L"button"}}},
        {106, 226, 173, L"フォルダボタンのフォント",
         {{1001, L"combobox"}, {1003, L"combobox"}, {1002, L"combobox"}, {1004, L"button"},
          {1005, L"button"}}},
        {107, 150, 62, L"バージョン情報", {{IDOK, L"button"}, {1027, L"button"}}},
        {134, 187, 117, L"同名ファイルの処理",
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

std::wstring MenuText(HMENU menu, UINT item, UINT flags = MF_BYCOMMAND) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, item, text, 128, flags);
    return text;
}

}  // namespace

TEST(StringTable, TextsSurviveCompilationExactly) {
    EXPECT_EQ(LoadStr(IDS_APP_TITLE), L"Varolin");
    // Two lines in the message box.
    EXPECT_EQ(LoadStr(IDS_OLE_INIT_FAILED),
              L"OLEの初期化に失敗しました。\nOLEﾗｲﾌﾞﾗﾘが正しいﾊﾞｰｼﾞｮﾝのものか確認してください。");
    EXPECT_EQ(LoadStr(IDS_FILE_UNUSABLE), L"ファイル（ %1 ）が使用できません");
    EXPECT_EQ(LoadStr(IDS_CLEAR_READONLY_QUESTION), L"書き込み禁止属性を解除しますか？");
    EXPECT_EQ(LoadStr(IDS_DDX_PARSE_INT), L"整数を入力してください。");
    EXPECT_EQ(LoadStr(IDS_DDX_INT_RANGE), L"%1 から %2 までの整数を入力してください。");
    EXPECT_EQ(LoadStr(IDS_DDX_TEXT_TOO_LONG), L"%1 バイト以内で入力してください。");
    // Leading blanks and formats are part of the text.
    EXPECT_EQ(LoadStr(IDS_ALREADY_EXISTS), L" が既に存在します");
    EXPECT_EQ(LoadStr(IDS_FILE_DESCRIPTION),
              L"サイズ：%d バイト\n更新日時：%4d年%2d月%2d日 %d:%02d:%02d");
    EXPECT_EQ(LoadStr(IDS_ALL_FILES_FILTER), L"全てのﾌｧｲﾙ (*.*)|*.*||");
    EXPECT_EQ(LoadStr(65032), L"ﾒﾆｭｰ ﾊﾞｰ");
    EXPECT_EQ(LoadStr(IDS_STYLE_BOLD_ITALIC), L"太字斜体");
}

TEST(StringTable, ListsTheCodeFillsHaveNoGaps) {
    // The colour page and the font page walk these ranges; a missing entry would show blank.
    for (UINT id = IDS_SYSCOLOR_FIRST; id <= IDS_STYLE_BOLD_ITALIC; ++id)
        EXPECT_FALSE(LoadStr(id).empty()) << id;
    for (UINT id = IDS_RENAME_SAMPLE_FIRST; id <= IDS_RENAME_SAMPLE_LAST; ++id)
        EXPECT_FALSE(LoadStr(id).empty()) << id;
    EXPECT_EQ(LoadStr(IDS_RENAME_SAMPLE_FIRST + 2), L"SAMPLE(0001).jpg");
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
        RECT expected{0, 0, c.widthDu, c.heightDu};
        MapDialogRect(dialog.Get(), &expected);
        EXPECT_EQ(client.right, expected.right);
        EXPECT_EQ(client.bottom, expected.bottom);
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
    {
        TemplateDialog bar(IDD_MAIN_BAR);
        EXPECT_TRUE(GetWindowLongPtrW(bar.Get(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        EXPECT_EQ(bar.Style(IDC_PAGE_LABEL) & SS_TYPEMASK, SS_CENTER);
        EXPECT_TRUE(bar.Style(IDC_PAGE_SPIN) & UDS_HORZ);
    }
    {
        // File names must show as written; the default button is Rename, then Tab walks
        // 1, 2, 1028, 1031, 1032.
        TemplateDialog same(IDD_SAME_NAME);
        EXPECT_TRUE(same.Style(IDC_RENAME_TO) & SS_NOPREFIX);
        EXPECT_TRUE(same.ExStyle(IDC_SIZE_COMPARISON) & WS_EX_RIGHT);
        EXPECT_TRUE(same.Style(IDC_SOURCE_FILE) & BS_MULTILINE);
        EXPECT_TRUE(same.Style(IDC_EXISTING_FILE) & BS_MULTILINE);
        EXPECT_EQ(LOWORD(SendMessageW(same.Get(), DM_GETDEFID, 0, 0)), IDOK);
        std::vector<int> tabs;
        HWND at = same.Item(IDOK);
        for (int i = 0; i < 5; ++i, at = GetNextDlgTabItem(same.Get(), at, FALSE))
            tabs.push_back(GetDlgCtrlID(at));
        EXPECT_EQ(tabs, (std::vector<int>{IDOK, IDCANCEL, IDC_OVERWRITE, IDC_SOURCE_FILE,
                                          IDC_EXISTING_FILE}));
    }
    {
        // Each spin buddies its own edit and writes its position there.
        TemplateDialog common(IDD_OPT_COMMON);
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(common.Item(IDC_GROUP_COUNT_SPIN), UDM_GETBUDDY, 0, 0)),
                  common.Item(IDC_GROUP_COUNT));
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(common.Item(IDC_DAYS_NEW_SPIN), UDM_GETBUDDY, 0, 0)),
                  common.Item(IDC_DAYS_NEW));
        SendMessageW(common.Item(IDC_DAYS_NEW_SPIN), UDM_SETRANGE32, 0, 99);
        SendMessageW(common.Item(IDC_DAYS_NEW_SPIN), UDM_SETPOS32, 0, 42);
        EXPECT_EQ(WindowText(common.Item(IDC_DAYS_NEW)), L"42");
        EXPECT_EQ(common.Style(IDC_RENAME_FORMAT) & 3, CBS_DROPDOWNLIST);
    }
    {
        TemplateDialog font(IDD_OPT_FONT);
        EXPECT_EQ(font.Style(IDC_FACE_NAME) & (CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS | 3),
                  CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS | CBS_SIMPLE);
        EXPECT_EQ(font.Style(IDC_FONT_SIZE) & 3, CBS_SIMPLE);
        EXPECT_EQ(font.Style(IDC_FONT_STYLE) & 3, CBS_DROPDOWNLIST);
    }
    {
        TemplateDialog colour(IDD_PRP_COLOR);
        EXPECT_EQ(colour.Style(IDC_EDIT_BACK_COLOR) & BS_TYPEMASK, BS_AUTORADIOBUTTON);
        EXPECT_EQ(colour.Style(IDC_EDIT_TEXT_COLOR) & BS_TYPEMASK, BS_AUTORADIOBUTTON);
        EXPECT_TRUE(colour.Style(IDC_RED_SLIDER) & TBS_NOTICKS);
        for (int id = IDC_SWATCH_FIRST; id <= IDC_SWATCH_LAST; ++id)
            EXPECT_EQ(colour.Style(id) & BS_TYPEMASK, BS_OWNERDRAW) << id;
    }
    {
        // The About box shows the program icon.
        TemplateDialog about(IDD_ABOUT);
        HWND icon = nullptr;
        for (HWND child = GetWindow(about.Get(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) icon = child;
        ASSERT_NE(icon, nullptr);
        EXPECT_NE(SendMessageW(icon, STM_GETICON, 0, 0), 0);
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
    HMENU popup = GetSubMenu(main.Get(), 0);
    EXPECT_EQ(MenuText(popup, ID_BAR_SORT), L"表示タイトル順に並べ替え(&S)");
    EXPECT_EQ(MenuText(popup, 3, MF_BYPOSITION), L"オプション(&O)");
    EXPECT_EQ(MenuText(popup, ID_BAR_EXIT), L"Varolinの終了(&X)");

    OwnedMenu button(LoadMenuW(Module(), MAKEINTRESOURCEW(IDR_BUTTON_MENU)));
    ASSERT_TRUE(button);
    EXPECT_EQ(MenuLayout(button.Get()),
              (std::vector<int>{-1, 32776, 32778, 0, 32779, 32780, 0, 32793, 32794, 32789, 0,
                                32775, 0, 32791, -2}));
    EXPECT_EQ(MenuText(button.Get(), ID_BUTTON_DEFAULT_COLORS), L"デフォルト色に設定(&S)");

    OwnedMenu drop(LoadMenuW(Module(), MAKEINTRESOURCEW(IDR_RIGHT_DROP_MENU)));
    ASSERT_TRUE(drop);
    EXPECT_EQ(MenuLayout(drop.Get()), (std::vector<int>{-1, 32785, 32786, 0, 32787, -2}));
    EXPECT_EQ(MenuText(drop.Get(), ID_DROP_CANCEL), L"キャンセル");
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

    // The badge: blue all around and in the plate's corners, never inside the plate, so the
    // mask cuts out exactly the rounded plate.
    OwnedBitmap badge(LoadBitmapW(Module(), MAKEINTRESOURCEW(IDB_NEW_MARK)));  // as start-up loads it
    ASSERT_TRUE(badge);
    SelectScope select(dc.Get(), badge.Get());
    auto isBlue = [&](int x, int y) { return GetPixel(dc.Get(), x, y) == blue; };
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 23; ++x) {
            const bool ring = x == 0 || y == 0 || x == 22 || y == 11;
            const bool corner = (x == 1 || x == 21) && (y == 1 || y == 10);
            EXPECT_EQ(isBlue(x, y), ring || corner) << x << "," << y;
        }
    }
    EXPECT_EQ(GetPixel(dc.Get(), 2, 2), RGB(255, 255, 0));
    EXPECT_EQ(GetPixel(dc.Get(), 4, 3), RGB(0, 0, 0));  // the N's first stroke
}

TEST(ProgramIdentity, IconInBothSizesAndAManifestForVisualStylesWithoutDpiAwareness) {
    for (int size : {16, 32}) {
        OwnedIcon icon(static_cast<HICON>(
            LoadImageW(Module(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, 0)));
        ASSERT_TRUE(icon) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.Get(), &info));
        OwnedBitmap colour(info.hbmColor), mask(info.hbmMask);
        BITMAP bm{};
        GetObjectW(colour.Get(), sizeof(bm), &bm);
        EXPECT_EQ(bm.bmWidth, size);
        EXPECT_EQ(bm.bmHeight, size);
    }

    const std::vector<BYTE> bytes = ResourceBytes(RT_MANIFEST, 1);
    const std::string manifest(bytes.begin(), bytes.end());
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"), std::string::npos);  // 10/11
    EXPECT_EQ(manifest.find("dpiAware"), std::string::npos);
}
