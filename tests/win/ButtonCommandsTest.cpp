#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/AppGlobals.h"
#include "settings/Settings.h"
#include "buttons/DropBtn.h"
#include "model/GroupFile.h"
#include "pages/GroupWnd.h"
#include "resource.h"
#include "support/ButtonHost.h"
#include "support/DialogAnswerer.h"
#include "support/SheetScript.h"
#include "support/TempFolder.h"
#include "support/TestRegistry.h"

namespace {

void Command(CDropBtn* button, UINT id) { button->SendMessage(WM_COMMAND, id, 0); }

void Click(CDropBtn* button, POINT down, POINT up) {
    button->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
    button->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(up.x), static_cast<WORD>(up.y)));
}

// Whether the button's menu would offer Paste colours.
bool PasteOffered(CDropBtn* button) {
    OwnedMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_BUTTON_MENU)));
    HMENU popup = GetSubMenu(menu.Get(), 0);
    button->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    return !(GetMenuState(popup, ID_BUTTON_PASTE_COLORS, MF_BYCOMMAND) & MF_GRAYED);
}

class ButtonCommands : public CleanRegistryTest {
protected:
    void SetUp() override {
        CleanRegistryTest::SetUp();
    }
    std::vector<varolin::ButtonRecord> Stored() { return GroupFile(m_host.Settings().strAppDir, 0).Load(nullptr); }

    ButtonHost m_host;
    TempFolder m_folder;
    DialogAnswerer m_answerer;
};

}  // namespace

TEST_F(ButtonCommands, AClickRunsTheProgramOrOpensTheFolderAndAClickDraggedOffDoesNothing) {
    varolin::ButtonRecord withProgram = FolderRecord(m_folder.Path(), L"Run");
    withProgram.m_strProgram = L"missing.exe";
    CDropBtn* run = m_host.Add(withProgram);
    CDropBtn* open = m_host.Add(FolderRecord(L"C:\\no such folder\\", L"Open"));

    Click(run, {5, 5}, {-40, -40});
    EXPECT_EQ(m_answerer.Count(), 0u) << "released off the button: cancelled";
    EXPECT_FALSE(run->m_bPressed);

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
    CDropBtn* source = m_host.Add(FolderRecord(m_folder.Path(), L"A", RGB(1, 2, 3), RGB(4, 5, 6)));
    CDropBtn* target = m_host.Add(FolderRecord(m_folder.Path(), L"B"));
    EXPECT_FALSE(PasteOffered(source));
    EXPECT_FALSE(PasteOffered(target));
    Command(source, ID_BUTTON_COPY_COLORS);
    EXPECT_TRUE(PasteOffered(target));
    Command(target, ID_BUTTON_PASTE_COLORS);
    EXPECT_EQ(target->Record().m_crText, RGB(1, 2, 3));
    EXPECT_EQ(target->Record().m_crBack, RGB(4, 5, 6));
    const auto stored = Stored();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].m_crBack, RGB(4, 5, 6)) << "the page is saved after a paste";
}

TEST_F(ButtonCommands, DefaultColoursGoToNewButtonsOnly) {
    CDropBtn* model = m_host.Add(FolderRecord(m_folder.Path(), L"A", RGB(10, 20, 30), RGB(40, 50, 60)));
    CDropBtn* other = m_host.Add(FolderRecord(m_folder.Path(), L"B"));
    Command(model, ID_BUTTON_DEFAULT_COLORS);
    EXPECT_EQ(ReadRegistryValue(L"Common", L"InitForeColor")->AsDword(), RGB(10, 20, 30));
    EXPECT_EQ(ReadRegistryValue(L"Common", L"InitBackColor")->AsDword(), RGB(40, 50, 60));
    EXPECT_EQ(other->Record().m_crBack, RGB(255, 255, 255));
    m_answerer.Answer(IDCANCEL);  // the new button's property sheet
    std::wstring path = m_folder.Path();
    m_host.Page()->AddFolder(path);
    EXPECT_EQ(m_host.Page()->m_buttons.back()->Record().m_crText, RGB(10, 20, 30));
    EXPECT_EQ(m_host.Page()->m_buttons.back()->Record().m_crBack, RGB(40, 50, 60));
}

TEST_F(ButtonCommands, DeleteTakesOnlyTheButtonAndTheLastOneTakesThePageFile) {
    ASSERT_TRUE(m_folder.WriteFile(L"keep.txt", std::string("kept")));
    CDropBtn* first = m_host.Add(FolderRecord(m_folder.Path(), L"A"));
    CDropBtn* second = m_host.Add(FolderRecord(m_folder.Path(), L"B"));
    m_host.Page()->Save();
    Command(first, ID_BUTTON_DELETE);
    EXPECT_EQ(m_host.Page()->m_nCount, 1);
    EXPECT_EQ(Stored().size(), 1u);
    Command(second, ID_BUTTON_DELETE);
    EXPECT_EQ(m_host.Page()->m_nCount, 0);
    EXPECT_FALSE(Exists(m_host.Settings().strAppDir + L"GRP000.VRL"));
    EXPECT_TRUE(Exists(m_folder / L"keep.txt"));
}

TEST_F(ButtonCommands, RefusingDropsInThePropertiesRevokesTheTargetAtOnceAndOkAlwaysSaves) {
    ASSERT_TRUE(m_folder.WriteFile(L"a.txt", std::string("a")));
    CDropBtn* button = m_host.Add(FolderRecord(m_folder.Path(), L"A"));
    ASSERT_TRUE(button->m_dropTarget.IsRegistered());
    ASSERT_EQ(button->m_nFileCount, 1);

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
    EXPECT_EQ(button->Record().m_bNoDrop, 1);
    EXPECT_FALSE(button->m_dropTarget.IsRegistered());
    EXPECT_EQ(Stored().at(0).m_bNoDrop, 1);

    ASSERT_TRUE(m_folder.WriteFile(L"b.txt", std::string("b")));
    DeleteFileW((m_host.Settings().strAppDir + L"GRP000.VRL").c_str());
    setRefusal(false);
    EXPECT_TRUE(button->m_dropTarget.IsRegistered());
    EXPECT_EQ(button->m_nFileCount, 2) << "the folder is scanned again";
    EXPECT_TRUE(Exists(m_host.Settings().strAppDir + L"GRP000.VRL"));

    DeleteFileW((m_host.Settings().strAppDir + L"GRP000.VRL").c_str());
    m_answerer.Answer(IDCANCEL);
    Command(button, ID_BUTTON_PROPERTIES);
    EXPECT_FALSE(Exists(m_host.Settings().strAppDir + L"GRP000.VRL")) << "Cancel saves nothing";
}
