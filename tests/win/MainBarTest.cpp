#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/AppGlobals.h"
#include "bar/MainBar.h"
#include "settings/Settings.h"
#include "support/SimulatedShell.h"
#include "buttons/DropBtn.h"
#include "model/GroupCodec.h"
#include "model/GroupFile.h"
#include "pages/GroupWnd.h"
#include "model/SystemCodePage.h"
#include "resource.h"
#include "support/DialogAnswerer.h"
#include "support/TempFolder.h"
#include "support/TestDataObject.h"
#include "support/TestRegistry.h"

namespace {

// A modeless bar against the simulated shell, with its group files in a temporary folder.
class MainBarTest : public CleanRegistryTest {
protected:
    void SetUp() override {
        CleanRegistryTest::SetUp();
        m_settings.strAppDir = m_dir.Path();
        m_settings.nCopyMove = 0;
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
        // The bar is a dialog too: only the boxes it opens are to be answered.
        m_answerer.emplace();
        m_answerer->Ignore(m_bar->m_hWnd);
        return *m_bar;
    }

    void WritePage(int page, const std::vector<std::wstring>& folders) {
        std::vector<varolin::ButtonRecord> records;
        for (const std::wstring& folder : folders) records.push_back(varolin::ButtonRecord::ForPath(folder, 0, 0xFFFFFF));
        wchar_t name[16];
        swprintf(name, 16, L"GRP%03d.VRL", page);
        ASSERT_TRUE(m_dir.WriteFile(name, varolin::EncodeGroupFile(records, SystemAnsiCodePage())));
    }

    void Step(int delta) {
        NMUPDOWN change{};
        change.hdr.hwndFrom = m_bar->m_wndPageSpin.m_hWnd;
        change.hdr.idFrom = IDC_PAGE_SPIN;
        change.hdr.code = UDN_DELTAPOS;
        change.iDelta = delta;
        m_bar->SendMessage(WM_NOTIFY, IDC_PAGE_SPIN, reinterpret_cast<LPARAM>(&change));
    }

    std::wstring Label() const { return WindowText(m_bar->m_wndPageLabel.m_hWnd); }

    HBRUSH LabelBrush() const {
        HDC dc = GetDC(m_bar->m_hWnd);
        const auto brush = reinterpret_cast<HBRUSH>(m_bar->SendMessage(
            WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(m_bar->m_wndPageLabel.m_hWnd)));
        ReleaseDC(m_bar->m_hWnd, dc);
        return brush;
    }

    TempFolder m_dir;
    AppSettings m_settings;
    varolin::SimulatedShell m_shell;
    std::unique_ptr<CMainBar> m_bar;
    std::optional<DialogAnswerer> m_answerer;
};

}  // namespace

TEST_F(MainBarTest, FirstStartDocksAtTheTopWithThreePagesInCopyMode) {
    CMainBar& bar = StartBar();
    EXPECT_EQ(bar.m_state.nEdge, varolin::kEdgeTop);
    EXPECT_EQ(bar.m_state.bAlwaysOnTop, 1);
    EXPECT_EQ(bar.m_state.bAutoHide, 0);
    EXPECT_TRUE(GetWindowLongW(bar.m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongW(bar.m_hWnd, GWL_STYLE) & WS_CAPTION) << "a docked bar shows no caption";
    EXPECT_EQ(bar.m_pages.size(), 3u);
    EXPECT_EQ(bar.m_nSelGroup, 0);
    EXPECT_EQ(Label(), L"1 / 3");
    EXPECT_EQ(LabelBrush(), bar.m_brCopy.Get());

    bar.SendMessage(WM_COMMAND, ID_BAR_DROP_MOVE);
    EXPECT_EQ(LabelBrush(), bar.m_brMove.Get());
    EXPECT_EQ(ReadRegistryValue(L"Common", L"CopyMove")->AsDword(), 1u);
}

TEST_F(MainBarTest, StepsWrapAndOnlyPagesWithButtonsShow) {
    WritePage(1, {L"C:\\Data\\"});
    CMainBar& bar = StartBar();
    Step(-1);
    EXPECT_EQ(Label(), L"3 / 3");
    EXPECT_FALSE(bar.m_pages[2]->IsWindowVisible()) << "an empty page stays hidden";
    Step(1);
    EXPECT_EQ(Label(), L"1 / 3");
    Step(1);
    EXPECT_EQ(Label(), L"2 / 3");
    EXPECT_TRUE(bar.m_pages[1]->IsWindowVisible());
    Step(1);
    EXPECT_FALSE(bar.m_pages[1]->IsWindowVisible());
}

TEST_F(MainBarTest, AStoredPageBeyondTheCountShowsNothingUntilStepped) {
    WritePage(0, {L"C:\\Data\\"});
    WriteRegistryDword(L"Common", L"SelGroup", 5);
    CMainBar& bar = StartBar();
    EXPECT_EQ(bar.m_nSelGroup, 5);
    EXPECT_FALSE(bar.m_pages[0]->IsWindowVisible());
    EXPECT_EQ(bar.PageCommand(PAGE_SHOW), 0);
    Step(1);
    EXPECT_EQ(bar.m_nSelGroup, 0);
    EXPECT_TRUE(bar.m_pages[0]->IsWindowVisible());
}

TEST_F(MainBarTest, DroppedFoldersBecomeButtonsInReverseOrderAfterAYes) {
    CMainBar& bar = StartBar();
    const std::vector<std::wstring> folders{m_dir.MakeFolder(L"A"), m_dir.MakeFolder(L"B"), m_dir.MakeFolder(L"C")};
    std::vector<std::wstring> paths;
    for (const std::wstring& folder : folders) paths.push_back(folder.substr(0, folder.size() - 1));  // as dragged

    IDataObject* data = TestDataObject::Create()->AddFiles(paths);
    m_answerer->Answer(IDNO);
    SimulateDrop(bar.m_dropTarget.GetInterface(), data, bar.m_hWnd, MK_LBUTTON);
    EXPECT_EQ(bar.m_pages[0]->ButtonCount(), 0);

    m_answerer->Answer(IDYES);
    EXPECT_EQ(SimulateDrop(bar.m_dropTarget.GetInterface(), data, bar.m_hWnd, MK_LBUTTON),
              static_cast<DWORD>(DROPEFFECT_COPY));
    data->Release();
    ASSERT_EQ(bar.m_pages[0]->ButtonCount(), 3);
    EXPECT_EQ(m_answerer->Dialogs()[1].text, L"フォルダボタンを追加しますか？");
    const auto stored = GroupFile(m_dir.Path(), 0).Load(nullptr);
    EXPECT_EQ(stored[0].m_strTitle, L"C");
    EXPECT_EQ(stored[1].m_strTitle, L"B");
    EXPECT_EQ(stored[2].m_strFolder, folders[0]);
    EXPECT_EQ(Label(), L"1 / 3") << "the label is back after the drop";

    IDataObject* text = TestDataObject::Create()->AddText("not files");
    m_answerer->Answer(IDOK);
    EXPECT_EQ(SimulateDrop(bar.m_dropTarget.GetInterface(), text, bar.m_hWnd, MK_LBUTTON, DROPEFFECT_COPY),
              static_cast<DWORD>(DROPEFFECT_NONE));
    text->Release();
}

TEST_F(MainBarTest, EveryWayOfEndingSavesThePositionAndPage) {
    const auto endings = std::vector<std::pair<UINT, WPARAM>>{
        {WM_COMMAND, ID_BAR_EXIT}, {WM_SYSCOMMAND, SC_CLOSE}, {WM_QUERYENDSESSION, 0}};
    for (const auto& [message, wp] : endings) {
        DeleteVarolinKey();
        CMainBar& bar = StartBar();
        Step(1);
        Step(1);
        bar.SendMessage(message, wp, 0);
        EXPECT_FALSE(IsWindow(bar.m_hWnd)) << message;
        const auto state = ReadRegistryValue(L"Common", L"AppBarState");
        ASSERT_TRUE(state.has_value()) << message;
        EXPECT_EQ(state->type, static_cast<DWORD>(REG_BINARY));
        EXPECT_EQ(state->data.size(), 48u);
        EXPECT_EQ(state->data[4], varolin::kEdgeTop);
        EXPECT_EQ(ReadRegistryValue(L"Common", L"SelGroup")->AsDword(), 2u) << message;
        m_bar.reset();
        m_answerer.reset();
    }
}

TEST_F(MainBarTest, EscapeAndEnterDoNotEndTheBar) {
    CMainBar& bar = StartBar();
    for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
        MSG msg{bar.m_hWnd, WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(bar.PreTranslateMessage(&msg));
    }
}
