#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/AppGlobals.h"
#include "bar/MainBar.h"
#include "settings/Settings.h"
#include "support/SimulatedShell.h"
#include "model/GroupCodec.h"
#include "pages/GroupWnd.h"
#include "model/SystemCodePage.h"
#include "resource.h"
#include "support/DialogAnswerer.h"
#include "support/SheetScript.h"
#include "support/TempFolder.h"
#include "support/TestRegistry.h"

namespace {

// The options command on a modeless bar against the simulated shell, with the group files in
// a temporary folder.
class OptionsOnTheBar : public CleanRegistryTest {
protected:
    void SetUp() override {
        CleanRegistryTest::SetUp();
        m_settings.strAppDir = m_dir.Path();
    }
    void TearDown() override {
        if (m_bar && m_bar->m_hWnd) m_bar->DestroyWindow();
        m_bar.reset();
        m_answerer.reset();
        CleanRegistryTest::TearDown();
    }

    CMainBar& StartBar() {
        m_bar = std::make_unique<CMainBar>(m_settings, nullptr, &m_shell);
        EXPECT_TRUE(m_bar->Create(nullptr));
        m_answerer.emplace();
        m_answerer->Ignore(m_bar->m_hWnd);
        return *m_bar;
    }

    void WritePage(int page, const std::wstring& folder) {
        const std::vector<varolin::ButtonRecord> records{varolin::ButtonRecord::ForPath(folder, 0, 0xFFFFFF)};
        ASSERT_TRUE(m_dir.WriteFile(PageFile(page), varolin::EncodeGroupFile(records, SystemAnsiCodePage())));
    }
    static std::wstring PageFile(int page) {
        wchar_t name[16];
        swprintf(name, 16, L"GRP%03d.VRL", page);
        return name;
    }

    // Runs the options command with one step on the sheet; false when the step did not run.
    bool Options(SheetStep step) {
        UpdateWindow(m_bar->m_hWnd);  // nothing left to paint but what the command invalidates
        m_answerer->Answer(kLeaveSheetOpen);
        SheetScript script(L"オプション", {std::move(step)});
        m_bar->SendMessage(WM_COMMAND, ID_BAR_OPTIONS);
        return script.AllRan();
    }

    // The page repaints when the command left it something to paint.
    bool PageWaitsForPaint(int page) {
        RECT rc{};
        return GetUpdateRect(m_bar->m_pages[page]->m_hWnd, &rc, FALSE) != FALSE;
    }

    std::wstring Label() const { return WindowText(m_bar->m_wndPageLabel.m_hWnd); }

    TempFolder m_dir;
    AppSettings m_settings;
    varolin::SimulatedShell m_shell;
    std::unique_ptr<CMainBar> m_bar;
    std::optional<DialogAnswerer> m_answerer;
};

void PressOk(HWND sheet) {
    SendMessageW(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(sheet, IDOK)));
}
HWND Page(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }
void Notify(HWND page, int id, int code) {
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}
void Toggle(HWND page, int id) {
    const bool ticked = SendDlgItemMessageW(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
    SendDlgItemMessageW(page, id, BM_SETCHECK, ticked ? BST_UNCHECKED : BST_CHECKED, 0);
    Notify(page, id, BN_CLICKED);
}
std::optional<DWORD> StoredInt(const wchar_t* name) {
    const auto value = ReadRegistryValue(L"Option", name);
    if (!value || value->type != REG_DWORD) return std::nullopt;
    return value->AsDword();
}

}  // namespace

TEST_F(OptionsOnTheBar, FewerPagesMakeTheLastOneCurrentAndMorePagesBringTheirButtonsBack) {
    WriteRegistryDword(L"Option", L"GroupCount", 5);
    WriteRegistryDword(L"Common", L"SelGroup", 4);
    WritePage(1, m_dir.MakeFolder(L"二"));
    WritePage(4, m_dir.MakeFolder(L"五"));
    CMainBar& bar = StartBar();
    ASSERT_EQ(bar.m_pages.size(), 5u);
    EXPECT_TRUE(bar.m_pages[4]->IsWindowVisible());

    ASSERT_TRUE(Options([](HWND sheet) {
        SetDlgItemTextW(Page(sheet), IDC_GROUP_COUNT, L"2");
        PressOk(sheet);
    }));
    ASSERT_EQ(bar.m_pages.size(), 2u);
    EXPECT_EQ(bar.m_nSelGroup, 1);
    EXPECT_EQ(Label(), L"2 / 2");
    EXPECT_TRUE(bar.m_pages[1]->IsWindowVisible());
    EXPECT_EQ(StoredInt(L"GroupCount"), 2u);
    EXPECT_NE(GetFileAttributesW((m_dir / PageFile(4)).c_str()), INVALID_FILE_ATTRIBUTES) << "a dropped page keeps its file";

    ASSERT_TRUE(Options([](HWND sheet) {
        SetDlgItemTextW(Page(sheet), IDC_GROUP_COUNT, L"5");
        PressOk(sheet);
    }));
    ASSERT_EQ(bar.m_pages.size(), 5u);
    EXPECT_EQ(bar.m_pages[4]->ButtonCount(), 1);
    EXPECT_EQ(bar.m_nSelGroup, 1);
    EXPECT_EQ(Label(), L"2 / 5");
    EXPECT_EQ(StoredInt(L"GroupCount"), 5u);
}

TEST_F(OptionsOnTheBar, RenameSettingsNeitherRepaintNorRebuildFileCountAndFontRepaintDaysRebuild) {
    WritePage(0, m_dir.MakeFolder(L"Data"));
    CMainBar& bar = StartBar();
    const HWND firstPage = bar.m_pages[0]->m_hWnd;

    ASSERT_TRUE(Options([](HWND sheet) {
        const HWND page = Page(sheet);
        SendDlgItemMessageW(page, IDC_RENAME_FORMAT, CB_SETCURSEL, 2, 0);
        Notify(page, IDC_RENAME_FORMAT, CBN_SELCHANGE);
        Toggle(page, IDC_RENAME_CONFIRM);
        PressOk(sheet);
    }));
    EXPECT_EQ(bar.m_pages[0]->m_hWnd, firstPage);
    EXPECT_FALSE(PageWaitsForPaint(0));
    EXPECT_EQ(StoredInt(L"RenameFormat"), 2u);
    EXPECT_EQ(StoredInt(L"RenameConfirm"), 0u);
    EXPECT_EQ(m_settings.nRenameFormat, 2);
    EXPECT_EQ(m_settings.nRenameConfirm, 0);
    EXPECT_FALSE(StoredInt(L"DisplayCount"));
    EXPECT_FALSE(StoredInt(L"GroupCount"));

    ASSERT_TRUE(Options([](HWND sheet) {
        Toggle(Page(sheet), IDC_DISPLAY_COUNT);
        PressOk(sheet);
    }));
    EXPECT_EQ(bar.m_pages[0]->m_hWnd, firstPage);
    EXPECT_TRUE(PageWaitsForPaint(0));
    EXPECT_EQ(m_settings.nDisplayCount, 0);
    EXPECT_EQ(StoredInt(L"DisplayCount"), 0u);

    const HFONT oldFont = g_fontButton.Get();
    ASSERT_TRUE(Options([](HWND sheet) {
        PropSheet_SetCurSel(sheet, nullptr, 1);
        Toggle(Page(sheet), IDC_UNDERLINE);
        PressOk(sheet);
    }));
    EXPECT_EQ(bar.m_pages[0]->m_hWnd, firstPage);
    EXPECT_TRUE(PageWaitsForPaint(0));
    EXPECT_EQ(bar.m_logFont.lfUnderline, 1);
    EXPECT_NE(g_fontButton.Get(), oldFont);
    LOGFONTW made{};
    GetObjectW(g_fontButton.Get(), sizeof(made), &made);
    EXPECT_EQ(made.lfUnderline, 1);
    const auto stored = ReadRegistryValue(L"Option", L"LogFont");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->data.size(), 60u);

    ASSERT_TRUE(Options([](HWND sheet) {
        SetDlgItemTextW(Page(sheet), IDC_DAYS_NEW, L"0");
        PressOk(sheet);
    }));
    EXPECT_NE(bar.m_pages[0]->m_hWnd, firstPage);
    EXPECT_TRUE(bar.m_pages[0]->IsWindowVisible());
    EXPECT_EQ(m_settings.nDaysNew, 0);
    EXPECT_EQ(StoredInt(L"DaysNew"), 0u);
}

TEST_F(OptionsOnTheBar, CancelChangesNothing) {
    CMainBar& bar = StartBar();
    const HWND firstPage = bar.m_pages[0]->m_hWnd;
    ASSERT_TRUE(Options([](HWND sheet) {
        SetDlgItemTextW(Page(sheet), IDC_GROUP_COUNT, L"7");
        PropSheet_PressButton(sheet, PSBTN_CANCEL);
    }));
    EXPECT_EQ(bar.m_pages.size(), 3u);
    EXPECT_EQ(bar.m_pages[0]->m_hWnd, firstPage);
    EXPECT_FALSE(ReadRegistryValue(L"Option", L"GroupCount"));
}
