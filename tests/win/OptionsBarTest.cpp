#include <windows.h>
#include <prsht.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "shell/AppGlobals.h"
#include "support/MainBarFixture.h"
#include "support/SheetScript.h"

namespace {

// The options command on the bar.
class OptionsOnTheBar : public MainBarFixture {
protected:
    // Runs the options command with one step on the sheet; false when the step did not run.
    bool Options(SheetStep step) {
        UpdateWindow(Bar());  // nothing left to paint but what the command invalidates
        m_answerer->Answer(kLeaveSheetOpen);
        SheetScript script(L"オプション", {std::move(step)});
        Command(ID_BAR_OPTIONS);
        return script.AllRan();
    }

    // The page repaints when the command left it something to paint.
    bool PageWaitsForPaint(int page) {
        RECT rc{};
        return GetUpdateRect(Pages()[page], &rc, FALSE) != FALSE;
    }
};

void PressOk(HWND sheet) {
    SendMessageW(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(sheet, IDOK)));
}
HWND Page(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }
void Toggle(HWND page, int id) {
    const bool ticked = SendDlgItemMessageW(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
    SendDlgItemMessageW(page, id, BM_SETCHECK, ticked ? BST_UNCHECKED : BST_CHECKED, 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}
std::optional<DWORD> StoredInt(const wchar_t* name) {
    const auto value = ReadRegistryValue(L"Option", name);
    if (!value || value->type != REG_DWORD) return std::nullopt;
    return value->AsDword();
}
SheetStep SetGroupCount(const wchar_t* count, int button = PSBTN_OK) {
    return [=](HWND sheet) {
        SetDlgItemTextW(Page(sheet), IDC_GROUP_COUNT, count);
        PropSheet_PressButton(sheet, button);
    };
}

}  // namespace

TEST_F(OptionsOnTheBar, FewerPagesMakeTheLastOneCurrentAndMorePagesBringTheirButtonsBack) {
    WriteRegistryDword(L"Option", L"GroupCount", 5);
    WriteRegistryDword(L"Common", L"SelGroup", 4);
    WritePage(1, {m_dir.MakeFolder(L"二")});
    WritePage(4, {m_dir.MakeFolder(L"五")});
    StartBar();
    const HWND lastPage = Pages()[4];
    EXPECT_TRUE(IsWindowVisible(lastPage));
    ASSERT_TRUE(Options(SetGroupCount(L"7", PSBTN_CANCEL)));
    EXPECT_EQ(Pages()[4], lastPage) << "cancelled: nothing changes";
    EXPECT_EQ(StoredInt(L"GroupCount"), 5u);

    ASSERT_TRUE(Options(SetGroupCount(L"2")));
    ASSERT_EQ(Pages().size(), 2u);
    EXPECT_EQ(Label(), L"2 / 2");
    EXPECT_TRUE(IsWindowVisible(Pages()[1]));
    EXPECT_EQ(StoredInt(L"GroupCount"), 2u);
    EXPECT_TRUE(Exists(m_dir / varolin::GroupFileName(4))) << "a dropped page keeps its file";

    ASSERT_TRUE(Options(SetGroupCount(L"5")));
    ASSERT_EQ(Pages().size(), 5u);
    EXPECT_EQ(Children(Pages()[4]).size(), 1u);
    EXPECT_EQ(Label(), L"2 / 5");
    EXPECT_EQ(StoredInt(L"GroupCount"), 5u);
}

TEST_F(OptionsOnTheBar, RenameSettingsNeitherRepaintNorRebuildFileCountAndFontRepaintDaysRebuild) {
    WritePage(0, {m_dir.MakeFolder(L"Data")});
    StartBar();
    const HWND firstPage = Pages()[0];
    ASSERT_TRUE(Options([](HWND sheet) {
        Toggle(Page(sheet), IDC_RENAME_CONFIRM);
        PressOk(sheet);
    }));
    EXPECT_EQ(Pages()[0], firstPage);
    EXPECT_FALSE(PageWaitsForPaint(0));
    EXPECT_EQ(StoredInt(L"RenameConfirm"), 0u);
    EXPECT_FALSE(StoredInt(L"DisplayCount")) << "unchanged values are not written";

    ASSERT_TRUE(Options([](HWND sheet) {
        Toggle(Page(sheet), IDC_DISPLAY_COUNT);
        PressOk(sheet);
    }));
    EXPECT_EQ(Pages()[0], firstPage);
    EXPECT_TRUE(PageWaitsForPaint(0));
    EXPECT_EQ(StoredInt(L"DisplayCount"), 0u);

    const HFONT oldFont = g_fontButton.Get();
    ASSERT_TRUE(Options([](HWND sheet) {
        PropSheet_SetCurSel(sheet, nullptr, 1);
        Toggle(Page(sheet), IDC_UNDERLINE);
        PressOk(sheet);
    }));
    EXPECT_EQ(Pages()[0], firstPage);
    EXPECT_TRUE(PageWaitsForPaint(0));
    EXPECT_NE(g_fontButton.Get(), oldFont);
    LOGFONTW made{};
    GetObjectW(g_fontButton.Get(), sizeof(made), &made);
    EXPECT_EQ(made.lfUnderline, 1);
    const auto stored = ReadRegistryValue(L"Option", L"LogFont");
    ASSERT_TRUE(stored && stored->data.size() == 60u);
    EXPECT_EQ(stored->data[21], 1) << "lfUnderline";

    ASSERT_TRUE(Options([](HWND sheet) {
        SetDlgItemTextW(Page(sheet), IDC_DAYS_NEW, L"0");
        PressOk(sheet);
    }));
    EXPECT_NE(Pages()[0], firstPage);
    EXPECT_TRUE(IsWindowVisible(Pages()[0]));
    EXPECT_EQ(StoredInt(L"DaysNew"), 0u);
}
