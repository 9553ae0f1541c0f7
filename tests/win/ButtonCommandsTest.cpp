// What a user does to folder buttons and their page besides dropping: clicks, menu commands,
// properties, adding, moving, sorting and deleting.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/Settings.h"
#include "pages/GroupWnd.h"
#include "pages/PageLayout.h"
#include "resource.h"
#include "support/ButtonHost.h"
#include "support/DialogAnswerer.h"
#include "support/SheetScript.h"
#include "support/TempFolder.h"
#include "support/TestDataObject.h"
#include "support/TestRegistry.h"

namespace {

void Command(HWND button, UINT id) { SendMessageW(button, WM_COMMAND, id, 0); }

void Click(HWND button, POINT down, POINT up) {
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(up.x), static_cast<WORD>(up.y)));
}

// Whether the button's menu would offer Paste colours.
bool PasteOffered(HWND button) {
    OwnedMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_BUTTON_MENU)));
    HMENU popup = GetSubMenu(menu.Get(), 0);
    SendMessageW(button, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    return !(GetMenuState(popup, ID_BUTTON_PASTE_COLORS, MF_BYCOMMAND) & MF_GRAYED);
}

// The page's buttons sit where the layout rule puts them for the page's size.
void ExpectLaidOut(const CGroupWnd* page) {
    RECT client{};
    GetClientRect(page->m_hWnd, &client);
    const std::vector<HWND> buttons = Buttons(page);
    const auto places = varolin::LayoutButtonPlaces(client.right, client.bottom, buttons.size());
    for (size_t i = 0; i < buttons.size(); ++i) {
        RECT rc{};
        GetWindowRect(buttons[i], &rc);
        MapWindowPoints(nullptr, page->m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ((varolin::ButtonPlace{rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top}), places[i]) << i;
    }
}

varolin::ButtonRecord ForPath(const std::wstring& path) { return varolin::ButtonRecord::ForPath(path, 0, 0xFFFFFF); }

class ButtonCommands : public CleanRegistryTest {
protected:
    std::wstring PageFile() { return m_host.Settings().strAppDir + L"GRP000.VRL"; }

    ButtonHost m_host;
    TempFolder m_folder;
    DialogAnswerer m_answerer;  // a new button's property sheet opens once messages flow
};
class Page : public ButtonCommands {};

}  // namespace

TEST_F(ButtonCommands, AClickRunsTheProgramOrOpensTheFolderAndAClickDraggedOffDoesNothing) {
    varolin::ButtonRecord withProgram = FolderRecord(m_folder.Path(), L"Run");
    withProgram.m_strProgram = L"missing.exe";
    const HWND run = m_host.Add(withProgram);
    const HWND open = m_host.Add(FolderRecord(L"C:\\no such folder\\", L"Open"));
    const ButtonFace raised = RenderFace(run);

    Click(run, {5, 5}, {-40, -40});
    EXPECT_EQ(m_answerer.Count(), 0u) << "released off the button: cancelled";
    EXPECT_EQ(RenderFace(run), raised);

    m_answerer.Answer(IDOK);
    Click(run, {5, 5}, {6, 6});
    m_answerer.Answer(IDOK);
    Click(open, {5, 5}, {6, 6});
    ASSERT_EQ(m_answerer.Count(), 2u);
    EXPECT_EQ(m_answerer.Dialogs()[0].text, L"指定ファイルを実行できません");
    EXPECT_EQ(m_answerer.Dialogs()[1].text, L"フォルダを開けません");
    EXPECT_EQ(m_answerer.Dialogs()[1].caption, L"Varolin");
}

TEST_F(ButtonCommands, PasteIsOfferedOnlyAfterACopyAndTakesBothColours) {
    const HWND source = m_host.Add(FolderRecord(m_folder.Path(), L"A", RGB(1, 2, 3), RGB(4, 5, 6)));
    const HWND target = m_host.Add(FolderRecord(m_folder.Path(), L"B"));
    EXPECT_FALSE(PasteOffered(source));
    EXPECT_FALSE(PasteOffered(target));
    Command(source, ID_BUTTON_COPY_COLORS);
    EXPECT_TRUE(PasteOffered(target));
    Command(target, ID_BUTTON_PASTE_COLORS);
    EXPECT_EQ(m_host.Stored(1), std::vector{FolderRecord(m_folder.Path(), L"B", RGB(1, 2, 3), RGB(4, 5, 6))});
}

TEST_F(ButtonCommands, DefaultColoursGoToNewButtonsOnly) {
    const HWND model = m_host.Add(FolderRecord(m_folder.Path(), L"A", RGB(10, 20, 30), RGB(40, 50, 60)));
    m_host.Add(FolderRecord(m_folder.Path(), L"B"));
    Command(model, ID_BUTTON_DEFAULT_COLORS);
    EXPECT_EQ(ReadRegistryValue(L"Common", L"InitForeColor")->AsDword(), RGB(10, 20, 30));
    EXPECT_EQ(ReadRegistryValue(L"Common", L"InitBackColor")->AsDword(), RGB(40, 50, 60));
    EXPECT_EQ(m_host.Stored(1), std::vector{FolderRecord(m_folder.Path(), L"B")});
    std::wstring path = m_folder.Path();
    m_host.AddPage({})->AddFolder(path);
    EXPECT_EQ(m_host.Stored(2), std::vector{varolin::ButtonRecord::ForPath(path, RGB(10, 20, 30), RGB(40, 50, 60))});
}

TEST_F(ButtonCommands, RefusingDropsInThePropertiesRevokesTheTargetAtOnceAndOkAlwaysSaves) {
    ASSERT_TRUE(m_folder.WriteFile(L"a.txt", std::string("a")));
    m_host.Settings().nDisplayCount = 1;
    m_host.Settings().nDaysNew = 1;
    const HWND button = m_host.Add(FolderRecord(m_folder.Path(), L"A"));
    ASSERT_NE(RegisteredDropTarget(button), nullptr);
    ASSERT_EQ(WindowText(button), L"A [1] NEW");

    const auto setRefusal = [&](bool refuse) {
        m_answerer.Answer(kLeaveSheetOpen);
        SheetScript script(L"プロパティ", {[refuse](HWND sheet) {
                               CheckDlgButton(PropSheet_GetCurrentPageHwnd(sheet), IDC_NO_DROP,
                                              refuse ? BST_CHECKED : BST_UNCHECKED);
                               PropSheet_PressButton(sheet, PSBTN_OK);
                           }});
        Command(button, ID_BUTTON_PROPERTIES);
        EXPECT_TRUE(script.AllRan());
    };

    setRefusal(true);
    EXPECT_EQ(RegisteredDropTarget(button), nullptr);
    EXPECT_EQ(WindowText(button), L"A") << "neither count nor badge";
    EXPECT_EQ(m_host.Stored(0).at(0).m_bNoDrop, 1);

    ASSERT_TRUE(m_folder.WriteFile(L"b.txt", std::string("b")));
    DeleteFileW(PageFile().c_str());
    setRefusal(false);
    EXPECT_NE(RegisteredDropTarget(button), nullptr);
    EXPECT_EQ(WindowText(button), L"A [2] NEW") << "the folder is scanned again";
    EXPECT_TRUE(Exists(PageFile()));

    DeleteFileW(PageFile().c_str());
    m_answerer.Answer(IDCANCEL);
    Command(button, ID_BUTTON_PROPERTIES);
    EXPECT_FALSE(Exists(PageFile())) << "Cancel saves nothing";
}

TEST_F(Page, ButtonsFollowThePageSizeAndItsRemovals) {
    CGroupWnd* page = m_host.AddPage({ForPath(L"C:\\a\\"), ForPath(L"C:\\b\\"), ForPath(L"C:\\c\\"), ForPath(L"C:\\d\\")},
                                     RECT{0, 0, 300, 20});
    ExpectLaidOut(page);
    SetWindowPos(page->m_hWnd, nullptr, 0, 0, 40, 500, SWP_NOZORDER | SWP_NOMOVE);
    Command(Buttons(page).back(), ID_BUTTON_DELETE);
    ASSERT_EQ(Buttons(page).size(), 3u);
    ExpectLaidOut(page);
}

TEST_F(Page, MoveSortAndDeleteAreSavedAndTheEmptiedPageLosesItsFile) {
    m_host.Settings().crInitForeColor = 0;
    m_host.Settings().crInitBackColor = 0xFFFFFF;
    const auto docsX = ForPath(L"C:\\X\\Docs\\"), apps = ForPath(L"C:\\Apps\\"), docsY = ForPath(L"C:\\Y\\Docs\\");
    CGroupWnd* page = m_host.AddPage({docsX, apps, docsY});
    EXPECT_EQ(WindowText(Buttons(page)[0]), L"Docs");

    DeleteFileW(PageFile().c_str());
    Command(Buttons(page)[0], ID_BUTTON_MOVE_EARLIER);  // already first
    EXPECT_EQ(m_host.Stored(0).size(), 3u) << "an unchanged order is still written";
    Command(Buttons(page)[0], ID_BUTTON_MOVE_LATER);
    const std::vector<varolin::ButtonRecord> sorted{apps, docsX, docsY};
    EXPECT_EQ(m_host.Stored(0), sorted);
    EXPECT_EQ(WindowText(Buttons(page)[0]), L"Apps") << "laid out in the new order";
    Command(Buttons(page)[0], ID_BUTTON_MOVE_LATER);  // Docs(X), Apps, Docs(Y)
    page->SortByTitle();
    EXPECT_EQ(m_host.Stored(0), sorted);

    const HWND first = Buttons(page)[0];
    Command(first, ID_BUTTON_DELETE);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(m_host.Stored(0), (std::vector{docsX, docsY}));
    for (HWND button : Buttons(page)) Command(button, ID_BUTTON_DELETE);
    EXPECT_EQ(page->ButtonCount(), 0);
    EXPECT_FALSE(page->IsWindowVisible());
    EXPECT_FALSE(Exists(PageFile()));
    std::wstring path = L"  D:\\ ";
    page->AddFolder(path);
    EXPECT_TRUE(page->IsWindowVisible());
    EXPECT_EQ(m_host.Stored(0), std::vector{ForPath(L"D:\\")}) << "in the colours for new buttons";
}
