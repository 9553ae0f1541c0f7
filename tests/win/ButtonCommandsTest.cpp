// The folder button besides drops: its face, what a user does to it (clicks, menu
// commands, properties), and its page (layout, adding, moving, sorting, deleting).
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/Settings.h"
#include "pages/PageView.h"
#include "pages/PageLayout.h"
#include "resource.h"
#include "support/ButtonHost.h"
#include "support/DialogAnswerer.h"
#include "support/SheetScript.h"
#include "support/TempFolder.h"
#include "support/TestDataObject.h"
#include "support/TestRegistry.h"

namespace {

constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kSteel = RGB(0, 96, 128);

// The box around everything inside the edge (2 pixels) that is not the back colour.
RECT FindInk(const ButtonFace& face) {
    RECT box{};
    for (int y = 3; y < face.height - 3; ++y)
        for (int x = 3; x < face.width - 3; ++x)
            if (face.At(x, y) != kPaper) {
                const RECT pixel{x, y, x + 1, y + 1};
                UnionRect(&box, &box, &pixel);
            }
    return box;
}
LONG Width(const RECT& rc) { return rc.right - rc.left; }
LONG Height(const RECT& rc) { return rc.bottom - rc.top; }

// Whether the NEW badge (yellow on the bitmap's blue key colour) is at its place on an 80 wide face.
bool HasBadge(const ButtonFace& face) {
    for (int y = 3; y < 15; ++y)
        for (int x = 80 - 26; x < 80 - 3; ++x) {
            const COLORREF c = face.At(x, y);
            if (GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) < 80) return true;
        }
    return false;
}

// Whether the button's menu would offer Paste colours.
bool PasteOffered(const TestButton& button) {
    OwnedMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_BUTTON_MENU)));
    HMENU popup = GetSubMenu(menu.Get(), 0);
    button.View()->PrepareButtonMenu(button.id, popup);
    return !(GetMenuState(popup, ID_BUTTON_PASTE_COLORS, MF_BYCOMMAND) & MF_GRAYED);
}

// The page's buttons sit where the layout rule puts them for the page's size.
void ExpectLaidOut(const CPageView* page) {
    RECT client{};
    GetClientRect(page->m_hWnd, &client);
    const std::vector<TestButton> buttons = Buttons(page);
    const auto places = varolin::LayoutButtonPlaces(client.right, client.bottom, buttons.size(),
                                                    static_cast<int>(GetDpiForWindow(page->m_hWnd)));
    for (size_t i = 0; i < buttons.size(); ++i) {
        const RECT rc = buttons[i].Rect();
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
class ButtonPaint : public ButtonCommands {
protected:
    void TearDown() override {
        EXPECT_EQ(m_answerer.Count(), 0u) << "painting and scanning never ask anything";
        ButtonCommands::TearDown();
    }
};

}  // namespace

TEST_F(ButtonCommands, AClickRunsTheProgramOrOpensTheFolderAndAClickDraggedOffDoesNothing) {
    varolin::ButtonRecord withProgram = FolderRecord(m_folder.Path(), L"Run");
    withProgram.m_strProgram = L"missing.exe";
    const TestButton run = m_host.Add(withProgram);
    const TestButton open = m_host.Add(FolderRecord(L"C:\\no such folder\\", L"Open"));
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
}

TEST_F(ButtonCommands, ColoursArePastedOnlyAfterACopyAndMadeTheDefaultForNewButtons) {
    const TestButton source = m_host.Add(FolderRecord(m_folder.Path(), L"A", RGB(1, 2, 3), RGB(4, 5, 6)));
    const TestButton target = m_host.Add(FolderRecord(m_folder.Path(), L"B"));
    EXPECT_FALSE(PasteOffered(target));
    Command(source, ID_BUTTON_COPY_COLORS);
    EXPECT_TRUE(PasteOffered(target));
    Command(target, ID_BUTTON_PASTE_COLORS);
    EXPECT_EQ(m_host.Stored(1), std::vector{FolderRecord(m_folder.Path(), L"B", RGB(1, 2, 3), RGB(4, 5, 6))});

    // The default colours go to new buttons.
    Command(source, ID_BUTTON_DEFAULT_COLORS);
    EXPECT_EQ(ReadRegistryValue(L"Common", L"InitForeColor")->AsDword(), RGB(1, 2, 3));
    EXPECT_EQ(ReadRegistryValue(L"Common", L"InitBackColor")->AsDword(), RGB(4, 5, 6));
    std::wstring path = m_folder.Path();
    m_host.AddPage({})->AddFolder(path);
    EXPECT_EQ(m_host.Stored(2), std::vector{varolin::ButtonRecord::ForPath(path, RGB(1, 2, 3), RGB(4, 5, 6))});
}

TEST_F(ButtonCommands, RefusingDropsInThePropertiesRevokesTheTargetAtOnceAndOkAlwaysSaves) {
    ASSERT_TRUE(m_folder.WriteFile(L"a.txt", std::string("a")));
    m_host.Settings().nDisplayCount = 1;
    m_host.Settings().nDaysNew = 1;
    const TestButton button = m_host.Add(FolderRecord(m_folder.Path(), L"A"));
    ASSERT_EQ(WaitForText(button, L"A [1] NEW"), L"A [1] NEW");

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
    EXPECT_EQ(OfferedOver(button), DWORD(DROPEFFECT_NONE)) << "the page's router passes it by";
    EXPECT_EQ(WindowText(button), L"A") << "neither count nor badge";
    EXPECT_EQ(m_host.Stored(0).at(0).m_bNoDrop, 1);

    ASSERT_TRUE(m_folder.WriteFile(L"b.txt", std::string("b")));
    DeleteFileW(PageFile().c_str());
    setRefusal(false);
    EXPECT_EQ(OfferedOver(button, MK_LBUTTON | MK_CONTROL), DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(WaitForText(button, L"A [2] NEW"), L"A [2] NEW") << "the folder is scanned again";
    EXPECT_TRUE(Exists(PageFile()));

    DeleteFileW(PageFile().c_str());
    m_answerer.Answer(IDCANCEL);
    Command(button, ID_BUTTON_PROPERTIES);
    EXPECT_FALSE(Exists(PageFile())) << "Cancel saves nothing";
}

// A button deleted while its own sheet is open (its page rebuilt by the options, or deleted
// some other way): OK afterwards changes and saves nothing.
TEST_F(ButtonCommands, OkOnTheSheetOfAButtonGoneMeanwhileChangesNothing) {
    const auto a = FolderRecord(m_folder.Path(), L"A"), b = FolderRecord(m_folder.Path(), L"B");
    CPageView* page = m_host.AddPage({a, b});
    const TestButton first = Buttons(page)[0];
    m_answerer.Answer(kLeaveSheetOpen);
    SheetScript script(L"プロパティ", {[&](HWND sheet) {
                           SetDlgItemTextW(sheet::Page(sheet), IDC_TITLE, L"Changed");
                           m_host.DropPages();  // the page and its buttons are freed
                           PropSheet_PressButton(sheet, PSBTN_OK);
                       }});
    Command(first, ID_BUTTON_PROPERTIES);
    EXPECT_TRUE(script.AllRan());
    EXPECT_FALSE(Exists(first));
    EXPECT_EQ(m_host.Stored(0), (std::vector{a, b}));
}

TEST_F(Page, MoveSortResizeAndDeleteAreSavedAndLaidOutAndTheEmptiedPageLosesItsFile) {
    m_host.Settings().crInitForeColor = 0;
    m_host.Settings().crInitBackColor = 0xFFFFFF;
    const auto docsX = ForPath(L"C:\\X\\Docs\\"), apps = ForPath(L"C:\\Apps\\"), docsY = ForPath(L"C:\\Y\\Docs\\");
    CPageView* page = m_host.AddPage({docsX, apps, docsY});
    EXPECT_EQ(WindowText(Buttons(page)[0]), L"Docs");
    EXPECT_EQ(GetWindow(page->m_hWnd, GW_CHILD), nullptr) << "the view draws its buttons; none is a window";

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

    // The page lays its buttons out again when it is resized and when it loses one.
    SetWindowPos(page->m_hWnd, nullptr, 0, 0, 40, 500, SWP_NOZORDER | SWP_NOMOVE);
    ExpectLaidOut(page);
    const TestButton first = Buttons(page)[0];
    Command(first, ID_BUTTON_DELETE);
    EXPECT_FALSE(Exists(first));
    ExpectLaidOut(page);
    EXPECT_EQ(m_host.Stored(0), (std::vector{docsX, docsY}));
    for (const TestButton& button : Buttons(page)) Command(button, ID_BUTTON_DELETE);
    EXPECT_EQ(page->ButtonCount(), 0);
    EXPECT_FALSE(page->IsWindowVisible());
    EXPECT_FALSE(Exists(PageFile()));
    std::wstring path = L"  D:\\ ";
    page->AddFolder(path);
    EXPECT_TRUE(page->IsWindowVisible());
    EXPECT_EQ(m_host.Stored(0), std::vector{ForPath(L"D:\\")}) << "in the colours for new buttons";
}

TEST_F(ButtonPaint, TallNarrowButtonsWriteDownwardsOthersAcrossLongTitlesWrap) {
    const RECT along = FindInk(RenderFace(m_host.Add(FolderRecord(m_folder.Path(), L"MMM"), RECT{0, 0, 40, 100})));
    EXPECT_GT(Height(along), Width(along) * 3 / 2);
    // One line centred both ways.
    EXPECT_NEAR((along.top + along.bottom) / 2, 50, 3);
    EXPECT_NEAR((along.left + along.right) / 2, 20, 3);

    // 50 is not less than 100 / 2: across.
    const RECT across = FindInk(RenderFace(m_host.Add(FolderRecord(m_folder.Path(), L"MMM"), RECT{50, 0, 100, 100})));
    EXPECT_GT(Width(across), Height(across) * 3 / 2);

    // A long title wraps inside the face less its margins and stays centred.
    const RECT box = FindInk(RenderFace(m_host.Add(FolderRecord(m_folder.Path(), L"ab cd ef gh ij kl mn"), RECT{0, 0, 60, 120})));
    EXPECT_LE(Width(box), 60 - 6);
    EXPECT_GT(Height(box), 40);  // several lines
    EXPECT_NEAR((box.top + box.bottom) / 2, 60, 3);
    EXPECT_NEAR((box.left + box.right) / 2, 30, 3);
}

TEST_F(ButtonPaint, CountFollowsTheTitleOnlyWhenShownAndDropsAreTaken) {
    // Hidden and system files count; folders and what they hold do not.
    for (const wchar_t* name : {L"plain", L"hidden.txt", L"system.txt"}) ASSERT_TRUE(m_folder.WriteFile(name, "x"));
    SetFileAttributesW((m_folder / L"hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((m_folder / L"system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);
    m_folder.MakeFolder(L"sub1");
    ASSERT_TRUE(m_folder.WriteFile(L"sub1\\inner.txt", "x"));

    m_host.Settings().nDisplayCount = 1;
    const TestButton counted = m_host.Add(FolderRecord(m_folder.Path(), L"Docs"));
    EXPECT_EQ(WaitForText(counted, L"Docs [3]"), L"Docs [3]");
    const ButtonFace withCount = RenderFace(counted);
    // A missing folder holds nothing and makes no message.
    EXPECT_EQ(WaitForText(m_host.Add(FolderRecord(m_folder / L"gone\\", L"Gone")), L"Gone [0]"), L"Gone [0]");

    // The same face as a button whose title is the text with the count; only 1 shows the count.
    m_host.Settings().nDisplayCount = 0;
    EXPECT_EQ(RenderFace(m_host.Add(FolderRecord(m_folder.Path(), L"Docs [3]"))), withCount);
    EXPECT_EQ(WindowText(counted), L"Docs");
    EXPECT_NE(RenderFace(counted), withCount);
    m_host.Settings().nDisplayCount = 2;
    EXPECT_EQ(WindowText(counted), L"Docs");
}

TEST_F(ButtonPaint, BadgeForFilesOfTheDayAndTheGreySquareOnRefusingButtons) {
    ASSERT_TRUE(m_folder.WriteFile(L"today.txt", "x"));
    m_host.Settings().nDaysNew = 1;
    const TestButton marked = m_host.Add(FolderRecord(m_folder.Path(), L"New", kInk, kSteel), RECT{0, 0, 80, 50});
    EXPECT_EQ(WaitForText(marked, L"New NEW"), L"New NEW");
    const ButtonFace face = RenderFace(marked);
    EXPECT_TRUE(HasBadge(face));
    EXPECT_EQ(face.At(80 - 26, 3), kSteel) << "the badge's blue corner lets the face through";

    // A button that refuses drops shows neither count nor badge, only its square.
    m_host.Settings().nDisplayCount = 1;
    const TestButton refusing = m_host.Add(FolderRecord(m_folder.Path(), L"Docs", kInk, kSteel, true), RECT{0, 0, 80, 50});
    EXPECT_EQ(OfferedOver(refusing), DWORD(DROPEFFECT_NONE)) << "drags over it go to the bar (none here)";
    EXPECT_EQ(WindowText(refusing), L"Docs");
    const ButtonFace square = RenderFace(refusing);
    EXPECT_EQ(square.At(80 - 6, 6), RGB(192, 192, 192));
    EXPECT_EQ(square.At(80 - 9, 9), kSteel);
    EXPECT_FALSE(HasBadge(square));

    // With no days the mark never comes.
    m_host.Settings().nDaysNew = 0;
    Command(marked, ID_BUTTON_REFRESH);
    EXPECT_EQ(WaitForText(marked, L"New [1]"), L"New [1]");
}

TEST_F(ButtonPaint, FaceIsInvertedWhileADragIsOver) {
    const TestButton button = m_host.Add(FolderRecord(m_folder.Path(), L"", kInk, kSteel), RECT{0, 0, 80, 50});
    const ButtonFace normal = RenderFace(button);
    ButtonFace inverted = normal;
    for (COLORREF& pixel : inverted.pixels) pixel ^= 0xFFFFFF;
    IDataObject* data = TestDataObject::Create()->AddText("dragged");
    DWORD effect = DROPEFFECT_COPY;
    const RECT rc = button.ScreenRect();
    RegisteredDropTarget(button.view)->DragEnter(data, MK_LBUTTON, POINTL{rc.left + 1, rc.top + 1}, &effect);
    EXPECT_EQ(RenderFace(button), inverted) << "every pixel, edge included";
    RegisteredDropTarget(button.view)->DragLeave();
    EXPECT_EQ(RenderFace(button), normal);
    data->Release();
}

TEST_F(ButtonPaint, ProgramIconAtTheTopLeftWhenTheProgramExists) {
    ASSERT_TRUE(m_folder.WriteFile(L"notes.txt", "x"));
    varolin::ButtonRecord record = FolderRecord(m_folder.Path(), L"", kInk, kSteel);
    record.m_strProgram = L"notes.txt";
    const TestButton button = m_host.Add(record, RECT{0, 0, 80, 50});
    const auto iconPixels = [&] {
        const ButtonFace face = RenderFace(button);
        int pixels = 0;
        for (int y = 3; y < 19; ++y)
            for (int x = 3; x < 19; ++x) pixels += face.At(x, y) != kSteel;
        return pixels;
    };
    // The icon is read in the background, as the folder is listed.
    for (const ULONGLONG until = GetTickCount64() + 10000; iconPixels() <= 20 && GetTickCount64() < until;)
        WaitForText(button, L"(no such text)", 50);
    EXPECT_GT(iconPixels(), 20);

    // Refreshed once the program has gone: the icon goes too.
    ASSERT_TRUE(DeleteFileW((m_folder / L"notes.txt").c_str()));
    Command(button, ID_BUTTON_REFRESH);
    for (const ULONGLONG until = GetTickCount64() + 10000; iconPixels() > 0 && GetTickCount64() < until;)
        WaitForText(button, L"(no such text)", 50);
    EXPECT_EQ(iconPixels(), 0);
}
