#include <windows.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "shell/AppGlobals.h"
#include "bar/MainBar.h"
#include "settings/Settings.h"
#include "buttons/DropBtn.h"
#include "model/GroupCodec.h"
#include "pages/GroupWnd.h"
#include "model/SystemCodePage.h"
#include "resource.h"
#include "support/DialogAnswerer.h"
#include "support/TempFolder.h"

namespace {

// A page window on a plain parent, with the program directory in a temporary folder.
class GroupWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        CMainBar::RegisterWindowClasses();
        m_settings.strAppDir = m_dir.Path();
        m_parent = CreateWindowExW(0, L"VarolinPage", L"", WS_POPUP, 0, 0, 400, 600, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    }
    void TearDown() override { DestroyWindow(m_parent); }

    CGroupWnd* MakePage(int width, int height) {
        CParentStub parent(m_parent);
        auto* page = new CGroupWnd(m_settings, 0, L"VarolinPage", L"VarolinButton", RECT{0, 0, width, height}, &parent);
        return page;
    }

    std::vector<varolin::ButtonRecord> StoredRecords() const {
        std::ifstream in(std::filesystem::path(m_dir / L"GRP000.VRL"), std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return varolin::DecodeGroupFile(bytes, SystemAnsiCodePage()).records;
    }

    static std::vector<std::wstring> Titles(const CGroupWnd* page) {
        std::vector<std::wstring> titles;
        for (const CDropBtn* button : page->m_buttons) titles.push_back(button->Record().m_strTitle);
        return titles;
    }

    static RECT ButtonRect(const CDropBtn* button) {
        RECT rc{};
        GetWindowRect(button->m_hWnd, &rc);
        MapWindowPoints(nullptr, GetParent(button->m_hWnd), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }

    // Only the window handle of the parent matters to a page.
    struct CParentStub : CWnd {
        explicit CParentStub(HWND wnd) { m_hWnd = wnd; }
        ~CParentStub() override { m_hWnd = nullptr; }
    };

    TempFolder m_dir;
    AppSettings m_settings;
    HWND m_parent = nullptr;
    DialogAnswerer m_answerer;  // the property sheet of a new button is not part of these tests
};

// The page's own visibility, whatever its (hidden) parent's.
bool Shown(const CWnd* wnd) { return (GetWindowLongW(wnd->m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0; }

void AddFolders(CGroupWnd* page, const std::vector<std::wstring>& paths) {
    for (std::wstring path : paths) page->AddFolder(path);
}

}  // namespace

TEST_F(GroupWndTest, ButtonsFillRowsAndColumnsEdgeToEdge) {
    CGroupWnd* row = MakePage(300, 20);
    AddFolders(row, {L"C:\\a\\", L"C:\\b\\", L"C:\\c\\", L"C:\\d\\"});
    const int expectedX[] = {0, 75, 150, 225};
    for (int i = 0; i < 4; ++i) {
        const RECT rc = ButtonRect(row->m_buttons[static_cast<size_t>(i)]);
        EXPECT_EQ(rc.left, expectedX[i]);
        EXPECT_EQ(rc.right - rc.left, 73);
        EXPECT_EQ(rc.bottom - rc.top, 20);
    }
    SetWindowPos(row->m_hWnd, nullptr, 0, 0, 40, 500, SWP_NOZORDER | SWP_NOMOVE);
    row->RemoveButton(*row->m_buttons.back());
    const int expectedY[] = {0, 167, 334};
    for (int i = 0; i < 3; ++i) {
        const RECT rc = ButtonRect(row->m_buttons[static_cast<size_t>(i)]);
        EXPECT_EQ(rc.top, expectedY[i]);
        EXPECT_EQ(rc.bottom - rc.top, 165);
        EXPECT_EQ(rc.right - rc.left, 40);
    }
    row->DestroyWindow();
}

TEST_F(GroupWndTest, NewButtonsTakeTheirTitleFolderAndProgramFromThePath) {
    m_settings.crInitForeColor = 0x112233;
    m_settings.crInitBackColor = 0x445566;
    CGroupWnd* page = MakePage(300, 20);
    AddFolders(page, {L"  C:\\ ", L"C:\\Tools\\run.exe"});
    ASSERT_EQ(page->m_nCount, 2);
    EXPECT_TRUE(Shown(page));
    const auto stored = StoredRecords();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].m_strTitle, L"C:");
    EXPECT_EQ(stored[0].m_strFolder, L"C:\\");
    EXPECT_EQ(stored[0].m_strProgram, L"");
    EXPECT_EQ(stored[0].m_crText, 0x112233u);
    EXPECT_EQ(stored[0].m_crBack, 0x445566u);
    EXPECT_EQ(stored[1].m_strProgram, L"run.exe");
    EXPECT_EQ(stored[1].m_strFolder, L"C:\\Tools\\");
    EXPECT_EQ(stored[1].m_strTitle, L"Tools");
    page->DestroyWindow();
}

TEST_F(GroupWndTest, MoveSortAndRemoveAreSavedAndTheEmptiedPageLosesItsFile) {
    CGroupWnd* page = MakePage(300, 20);
    AddFolders(page, {L"C:\\X\\Docs\\", L"C:\\Apps\\", L"C:\\Y\\Docs\\"});

    DeleteFileW((m_dir / L"GRP000.VRL").c_str());
    page->MoveButton(*page->m_buttons.front(), true);  // already first
    EXPECT_EQ(StoredRecords().size(), 3u) << "an unchanged order is still written";
    page->MoveButton(*page->m_buttons.front(), false);
    EXPECT_EQ(Titles(page), (std::vector<std::wstring>{L"Apps", L"Docs", L"Docs"}));
    EXPECT_EQ(StoredRecords()[1].m_strFolder, L"C:\\X\\Docs\\");

    page->MoveButton(*page->m_buttons.front(), false);  // Docs(X), Apps, Docs(Y)
    page->SortByTitle();
    const auto sorted = StoredRecords();
    ASSERT_EQ(sorted.size(), 3u);
    EXPECT_EQ(sorted[0].m_strTitle, L"Apps");
    EXPECT_EQ(sorted[1].m_strFolder, L"C:\\X\\Docs\\");
    EXPECT_EQ(sorted[2].m_strFolder, L"C:\\Y\\Docs\\");

    while (!page->m_buttons.empty()) {
        CDropBtn* button = page->m_buttons.front();
        page->RemoveButton(*button);
        button->DestroyWindow();
    }
    EXPECT_EQ(page->m_nCount, 0);
    EXPECT_FALSE(Shown(page));
    EXPECT_EQ(GetFileAttributesW((m_dir / L"GRP000.VRL").c_str()), INVALID_FILE_ATTRIBUTES);

    AddFolders(page, {L"D:\\"});
    EXPECT_TRUE(Shown(page));
    EXPECT_EQ(StoredRecords().size(), 1u);
    page->DestroyWindow();
}

TEST_F(GroupWndTest, APageLoadsItsFileWhenCreated) {
    varolin::ButtonRecord record = varolin::ButtonRecord::ForPath(L"C:\\Data\\", 0xFFFFFF, 0x806000);
    const std::vector<varolin::ButtonRecord> records{record, record};
    const auto bytes = varolin::EncodeGroupFile(records, SystemAnsiCodePage());
    ASSERT_TRUE(m_dir.WriteFile(L"GRP000.VRL", bytes));
    CGroupWnd* page = MakePage(200, 20);
    EXPECT_EQ(page->m_nCount, 2);
    EXPECT_EQ(Titles(page), (std::vector<std::wstring>{L"Data", L"Data"}));
    EXPECT_FALSE(Shown(page)) << "pages start hidden";
    page->DestroyWindow();
}
