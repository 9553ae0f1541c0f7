#include <windows.h>
#include <prsht.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "appbar/RealAppBarShell.h"
#include "support/ButtonHost.h"
#include "support/MainBarFixture.h"
#include "support/TestDataObject.h"
#include "support/WindowMessageSink.h"

namespace {

using MainBarTest = MainBarFixture;

// Pixels of the pages' area (the rectangle of the page view, shown or not) that are not the face
// colour, as the bar shows it after a full repaint.
int InkInPagesArea(HWND bar, HWND page) {
    RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT area{};
    GetWindowRect(page, &area);
    MapWindowPoints(nullptr, bar, reinterpret_cast<POINT*>(&area), 2);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC window = GetDC(bar);
    HDC memory = CreateCompatibleDC(window);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, window, area.left, area.top, SRCCOPY);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const DWORD faceBits = (DWORD{GetRValue(face)} << 16) | (DWORD{GetGValue(face)} << 8) | GetBValue(face);
    const auto* pixels = static_cast<const DWORD*>(bits);
    const int ink = static_cast<int>(std::count_if(pixels, pixels + width * height, [&](DWORD p) { return (p & 0xFFFFFF) != faceBits; }));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(bar, window);
    return ink;
}

bool HasCaption(HWND wnd) {
    return (GetWindowLongW(wnd, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU)) == (WS_CAPTION | WS_SYSMENU);
}
// One edit on the sheet's page `index`, then a button.
SheetStep Edit(std::function<void(HWND page)> edit, int index = 0, int button = PSBTN_OK) {
    return [=](HWND sheet) {
        PropSheet_SetCurSel(sheet, nullptr, index);
        edit(PropSheet_GetCurrentPageHwnd(sheet));
        PropSheet_PressButton(sheet, button);
    };
}
SheetStep SetText(int id, const wchar_t* text, int button = PSBTN_OK) {
    return Edit([=](HWND page) { SetDlgItemTextW(page, id, text); }, 0, button);
}
SheetStep Toggle(int id, int index = 0) {
    return Edit([=](HWND page) {
        const bool ticked = SendDlgItemMessageW(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
        SendDlgItemMessageW(page, id, BM_SETCHECK, ticked ? BST_UNCHECKED : BST_CHECKED, 0);
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
    }, index);
}
std::optional<DWORD> StoredInt(const wchar_t* section, const wchar_t* name) {
    const auto value = ReadRegistryValue(section, name);
    if (!value || value->type != REG_DWORD) return std::nullopt;
    return value->AsDword();
}

}  // namespace

// A first start docks the bar at the top, on top, with three pages, in copy mode.
TEST_F(MainBarTest, FirstStartAndTheMenuShowTheStateItsCommandsChangeAndStore) {
    WritePage(0, {L"C:\\Beta\\", L"C:\\Alpha\\"});
    WritePage(1, {L"C:\\Gamma\\"});
    StartBar();
    const varolin::Rect reserved = m_shell.ReservedRect(reinterpret_cast<std::uintptr_t>(Bar()));
    EXPECT_TRUE(reserved.top == 0 && reserved.bottom > 0 && reserved.Width() == 1024);
    EXPECT_TRUE(GetWindowLongW(Bar(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(Children(Bar()).size(), 3u) << "label, spin and one view for every page";
    EXPECT_EQ(Label(), L"1 / 3");
    EXPECT_EQ(LabelColor(), 0xC08000u) << "blue: copy";
    EXPECT_EQ(LabelName(), L"ページ 1 / 3、ドロップでコピー") << "the colour's meaning in words";
    EXPECT_EQ(OpenMenu(), (std::vector<UINT>{0, kRadio, 0, MF_CHECKED, 0, MF_CHECKED}));

    Command(ID_BAR_SORT);
    ASSERT_EQ(StoredButtons(0).size(), 2u);
    EXPECT_EQ(StoredButtons(0)[0].m_strTitle, L"Alpha");

    for (UINT id : {ID_BAR_DROP_MOVE, ID_BAR_SLIDE, ID_BAR_AUTO_HIDE, ID_BAR_ALWAYS_ON_TOP}) Command(id);
    EXPECT_EQ(LabelColor(), 0x0000FFu) << "red: move";
    EXPECT_EQ(LabelName(), L"ページ 1 / 3、ドロップで移動");
    EXPECT_EQ(StoredInt(L"Common", L"CopyMove"), 1u);
    EXPECT_EQ(StoredInt(L"Option", L"Slide"), 0u);
    EXPECT_EQ(m_shell.AutoHideBar(varolin::Edge::Top), reinterpret_cast<std::uintptr_t>(Bar()));
    EXPECT_LT(m_bar->GetWindowRect().top, 0) << "slid out of view";
    EXPECT_FALSE(GetWindowLongW(Bar(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    Step(1);  // a page of one button
    EXPECT_EQ(OpenMenu(), (std::vector<UINT>{MF_GRAYED, 0, kRadio, 0, MF_CHECKED, 0}));
    Command(ID_BAR_SLIDE);
    EXPECT_EQ(StoredInt(L"Option", L"Slide"), 1u);

    // Auto-hide and always on top are stored with the docking record when the bar ends.
    Command(ID_BAR_EXIT);
    const auto state = ReadRegistryValue(L"Common", L"AppBarState");
    ASSERT_TRUE(state && state->data.size() == 48u);
    EXPECT_EQ(state->data[8], 1) << "auto-hide";
    EXPECT_EQ(state->data[12], 0) << "always on top";
}

TEST_F(MainBarTest, AFloatingBarHasItsCaptionAndSystemMenuUntilDockedAgain) {
    varolin::AppBarState floating{48, varolin::Edge::Float, 0, 0, {60, 30, 60, 30}, varolin::Rect{100, 100, 500, 150}};
    const auto bytes = varolin::EncodeAppBarState(floating);
    WriteRegistryValue(L"Common", L"AppBarState", REG_BINARY, {bytes.begin(), bytes.end()});
    StartBar();
    EXPECT_EQ(FromRECT(m_bar->GetWindowRect()), floating.rcFloat);
    EXPECT_TRUE(HasCaption(Bar()));

    DragBar(Bar(), POINT{512, 5});
    EXPECT_EQ(m_bar->GetWindowRect().bottom, 30);
    EXPECT_FALSE(GetWindowLongW(Bar(), GWL_STYLE) & (WS_CAPTION | WS_SYSMENU));
    DragBar(Bar(), POINT{512, 384});
    EXPECT_TRUE(HasCaption(Bar()));
}

TEST_F(MainBarTest, PagesStepBothWaysAndOnlyPagesWithButtonsShow) {
    WritePage(1, {L"C:\\Data\\"});
    WriteRegistryDword(L"Common", L"SelGroup", 5);  // beyond the pages: none is shown
    StartBar();
    EXPECT_EQ(Label(), L"6 / 3");
    EXPECT_FALSE(ViewShown());
    EXPECT_EQ(OpenMenu().at(0), static_cast<UINT>(MF_GRAYED));
    Step(1);
    EXPECT_EQ(Label(), L"1 / 3");
    Step(-1);
    EXPECT_EQ(Label(), L"3 / 3");
    EXPECT_FALSE(ViewShown()) << "an empty page leaves the view hidden";
    Step(1);
    Step(1);
    EXPECT_EQ(Label(), L"2 / 3");
    EXPECT_TRUE(ViewShown());
    EXPECT_EQ(WindowText(Buttons(View()).at(0)), L"Data");
    Step(1);
    EXPECT_FALSE(ViewShown());
}

TEST_F(MainBarTest, AnEmptyPageShowsTheHintUntilItHasAButton) {
    WritePage(1, {L"C:\\Data\\"});
    StartBar();
    EXPECT_GT(InkInPagesArea(Bar(), View()->m_hWnd), 100) << "the hint's text on the empty first page";
    Step(1);
    ASSERT_TRUE(ViewShown());
    ShowWindow(View()->m_hWnd, SW_HIDE);  // uncovers the bar's own painting of the area
    EXPECT_EQ(InkInPagesArea(Bar(), View()->m_hWnd), 0) << "no hint behind a page with a button";
    Step(1);
    EXPECT_GT(InkInPagesArea(Bar(), View()->m_hWnd), 100);
}

TEST_F(MainBarTest, DroppedFoldersBecomeButtonsInReverseOrderAfterAYes) {
    StartBar();
    const std::vector<std::wstring> folders{m_dir.MakeFolder(L"A"), m_dir.MakeFolder(L"B"), m_dir.MakeFolder(L"C")};
    std::vector<std::wstring> paths;
    for (const std::wstring& folder : folders) paths.push_back(folder.substr(0, folder.size() - 1));  // as dragged

    ASSERT_TRUE(DropTarget());
    IDataObject* data = TestDataObject::Create()->AddFiles(paths);
    m_answerer->Answer(IDNO);
    SimulateDrop(DropTarget(), data, Bar(), MK_LBUTTON);
    EXPECT_EQ(View()->ButtonCount(), 0);

    m_answerer->Answer(IDYES);
    EXPECT_EQ(SimulateDrop(DropTarget(), data, Bar(), MK_LBUTTON), static_cast<DWORD>(DROPEFFECT_COPY));
    data->Release();
    EXPECT_EQ(View()->ButtonCount(), 3);
    EXPECT_TRUE(ViewShown());
    EXPECT_EQ(m_answerer->Dialogs()[1].text, L"フォルダボタンを追加しますか？");
    const auto stored = StoredButtons(0);
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].m_strTitle, L"C");
    EXPECT_EQ(stored[1].m_strTitle, L"B");
    EXPECT_EQ(stored[2].m_strFolder, folders[0]);
    EXPECT_EQ(Label(), L"1 / 3") << "the label is back after the drop";

    IDataObject* text = TestDataObject::Create()->AddText("not files");
    m_answerer->Answer(IDOK);
    EXPECT_EQ(SimulateDrop(DropTarget(), text, Bar(), MK_LBUTTON, DROPEFFECT_COPY), static_cast<DWORD>(DROPEFFECT_NONE));
    text->Release();
}

namespace {
// The button property sheets open on this thread.
int OpenSheets() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND wnd, LPARAM lp) {
        if (WindowText(wnd) == L"プロパティ") ++*reinterpret_cast<int*>(lp);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&count));
    return count;
}
// Handles every waiting message and those they post in turn, until none is left.
void HandleWaitingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
}  // namespace

// Each sheet opens after the one before has closed, none inside the drop; a sheet whose button
// went meanwhile, or whose bar ended, never opens.
TEST_F(MainBarTest, TheSheetsOfDroppedFoldersOpenOneAfterAnotherInTheOrderTheButtonsWereAdded) {
    StartBar();
    std::vector<std::wstring> paths;
    for (const wchar_t* name : {L"A", L"B", L"C", L"D"}) paths.push_back(m_dir.MakeFolder(name));
    std::vector<std::wstring> opened;  // each sheet's folder, and how many sheets were open with it
    std::vector<int> together;
    const auto cancel = [&](std::function<void()> meanwhile = nullptr) -> SheetStep {
        return [&opened, &together, meanwhile](HWND sheet) {
            opened.push_back(WindowText(GetDlgItem(PropSheet_GetCurrentPageHwnd(sheet), IDC_FOLDER)));
            together.push_back(OpenSheets());
            if (meanwhile) meanwhile();
            PropSheet_PressButton(sheet, PSBTN_CANCEL);
        };
    };
    const auto deleteB = [&] {
        for (const TestButton& b : Buttons(View()))
            if (WindowText(b) == L"B") ::Command(b, ID_BUTTON_DELETE);
    };

    m_answerer->Answer(IDYES);
    for (int i = 0; i < 4; ++i) m_answerer->Answer(kLeaveSheetOpen);
    {
        SheetScript script(L"プロパティ", {cancel(deleteB), cancel(), cancel()});
        IDataObject* data = TestDataObject::Create()->AddFiles(paths);
        SimulateDrop(DropTarget(), data, Bar(), MK_LBUTTON);
        data->Release();
        EXPECT_EQ(m_answerer->Count(), 1u) << "no sheet inside the drop";
        HandleWaitingMessages();
        EXPECT_TRUE(script.AllRan());
    }
    EXPECT_EQ(opened, (std::vector{paths[3], paths[2], paths[0]})) << "B's was due when it was deleted";
    EXPECT_EQ(together, (std::vector{1, 1, 1}));
    EXPECT_EQ(View()->ButtonCount(), 3);

    // The bar ends while the first of two sheets is open.
    m_answerer.emplace();
    m_answerer->Ignore(Bar());
    m_answerer->Answer(IDYES);
    m_answerer->Answer(kLeaveSheetOpen);
    const std::wstring last = m_dir.MakeFolder(L"F");
    SheetScript script(L"プロパティ", {cancel([this] { PostMessageW(Bar(), WM_COMMAND, ID_BAR_EXIT, 0); })});
    IDataObject* data = TestDataObject::Create()->AddFiles({m_dir.MakeFolder(L"E"), last});
    SimulateDrop(DropTarget(), data, Bar(), MK_LBUTTON);
    data->Release();
    HandleWaitingMessages();
    EXPECT_FALSE(IsWindow(Bar()));
    EXPECT_EQ(m_answerer->Count(), 2u) << "E's sheet never opens";
    EXPECT_EQ(opened.back(), last);
}

// A last name over the title's 100 bytes is cut at a character boundary (表 is double-byte);
// only a folder or program file name the page file cannot hold is refused, each in its words.
TEST_F(MainBarTest, ALongLastNameGivesACutTitleAndOnlyAnOverlongProgramOrFolderIsRefused) {
    const std::wstring name = L"a" + std::wstring(59, L'\x8868') + L"b";  // 120 bytes
    const std::wstring named = m_dir.MakeFolder(name);
    const std::wstring program = m_dir.Path() + std::wstring(129, L'\x8868') + L".exe";  // 262 bytes
    const std::wstring folder = L"C:\\" + std::wstring(129, L'\x8868') + L"\\";  // 261 bytes
    StartBar();
    m_answerer->Answer(IDYES);
    m_answerer->Answer(IDOK);
    m_answerer->Answer(IDOK);
    m_answerer->Answer(IDCANCEL);  // the sheet of the new button, after the drop
    IDataObject* data = TestDataObject::Create()->AddFiles({named, program, folder});
    SimulateDrop(DropTarget(), data, Bar(), MK_LBUTTON);
    data->Release();
    ASSERT_EQ(m_answerer->Count(), 3u);
    EXPECT_EQ(m_answerer->Dialogs()[1].text, L"フォルダのパスが長すぎるため、ボタンを追加できません（260 バイトまで）\n" + folder);
    EXPECT_EQ(m_answerer->Dialogs()[2].text,
              L"プログラムのファイル名が長すぎるため、ボタンを追加できません（256 バイトまで）\n" + program);
    HandleWaitingMessages();
    EXPECT_EQ(m_answerer->Count(), 4u);
    const auto stored = StoredButtons(0);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].m_strFolder, named);
    EXPECT_EQ(stored[0].m_strTitle, L"a" + std::wstring(49, L'\x8868')) << "99 bytes: a 50th would end at 101";
}

// One registration serves a page: a drag is handed to the button under the cursor, with a leave
// and an enter between buttons, and to the bar between them.
TEST_F(MainBarTest, APageHandsADragToTheButtonUnderItAndTheGapsToTheBar) {
    WritePage(0, {m_dir.MakeFolder(L"A"), m_dir.MakeFolder(L"B")});
    StartBar();
    const std::vector<TestButton> buttons = Buttons(View());
    ASSERT_EQ(buttons.size(), 2u);
    IDropTarget* page = RegisteredDropTarget(View()->m_hWnd);
    ASSERT_TRUE(page);
    EXPECT_NE(page, DropTarget()) << "the view's own registration";
    const ButtonFace first = RenderFace(buttons[0]);
    const ButtonFace second = RenderFace(buttons[1]);
    const std::wstring label = Label();
    const RECT rc = buttons[0].ScreenRect();
    const LONG middleY = (rc.top + rc.bottom) / 2;
    const auto over = [&](const TestButton& button) { return POINTL{button.ScreenMiddle().x, middleY}; };

    IDataObject* data = TestDataObject::Create()->AddFiles({L"C:\\a.txt"});
    DWORD effect = DROPEFFECT_COPY;
    page->DragEnter(data, MK_LBUTTON, over(buttons[0]), &effect);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_COPY));
    EXPECT_NE(RenderFace(buttons[0]), first) << "inverted under the cursor";
    effect = DROPEFFECT_COPY;
    page->DragOver(MK_LBUTTON, over(buttons[1]), &effect);
    EXPECT_EQ(RenderFace(buttons[0]), first) << "left behind";
    EXPECT_NE(RenderFace(buttons[1]), second);
    EXPECT_EQ(Label(), label);

    effect = DROPEFFECT_COPY;
    page->DragOver(MK_LBUTTON, POINTL{rc.right, middleY}, &effect);  // the gap after the first
    EXPECT_EQ(RenderFace(buttons[1]), second);
    EXPECT_EQ(Label(), L"MAKE") << "the bar's own target";
    EXPECT_EQ(effect, DWORD(DROPEFFECT_COPY));
    page->DragLeave();
    EXPECT_EQ(Label(), label);
    data->Release();
}

TEST_F(MainBarTest, EveryWayOfEndingSavesThePositionAndPage) {
    const auto endings = std::vector<std::pair<UINT, WPARAM>>{
        {WM_COMMAND, ID_BAR_EXIT}, {WM_SYSCOMMAND, SC_CLOSE}, {WM_QUERYENDSESSION, 0}};
    for (const auto& [message, wp] : endings) {
        DeleteVarolinKey();
        StartBar();
        Step(1);
        Step(1);
        m_bar->SendMessage(message, wp, 0);
        EXPECT_FALSE(IsWindow(Bar())) << message;
        const auto state = ReadRegistryValue(L"Common", L"AppBarState");
        ASSERT_TRUE(state && state->type == REG_BINARY && state->data.size() == 48u) << message;
        EXPECT_EQ(state->data[4], 1) << "the top edge";
        EXPECT_EQ(StoredInt(L"Common", L"SelGroup"), 2u) << message;
        m_bar.reset();
        m_answerer.reset();
    }
}

TEST_F(MainBarTest, FewerPagesMakeTheLastOneCurrentAndMorePagesBringTheirButtonsBack) {
    WriteRegistryDword(L"Option", L"GroupCount", 5);
    WriteRegistryDword(L"Common", L"SelGroup", 4);
    WritePage(1, {m_dir.MakeFolder(L"二")});
    WritePage(4, {m_dir.MakeFolder(L"五")});
    StartBar();
    EXPECT_EQ(Label(), L"5 / 5");
    ASSERT_TRUE(ViewShown());
    const UINT lastPage = View()->ButtonId(0);
    ASSERT_TRUE(Options(SetText(IDC_GROUP_COUNT, L"7", PSBTN_CANCEL)));
    EXPECT_EQ(View()->ButtonId(0), lastPage) << "cancelled: nothing changes";
    EXPECT_EQ(StoredInt(L"Option", L"GroupCount"), 5u);

    ASSERT_TRUE(Options(SetText(IDC_GROUP_COUNT, L"2")));
    EXPECT_EQ(Label(), L"2 / 2");
    EXPECT_TRUE(ViewShown());
    EXPECT_EQ(WindowText(Buttons(View()).at(0)), L"二");
    EXPECT_EQ(StoredInt(L"Option", L"GroupCount"), 2u);
    EXPECT_TRUE(Exists(m_dir / varolin::GroupFileName(4))) << "a dropped page keeps its file";

    ASSERT_TRUE(Options(SetText(IDC_GROUP_COUNT, L"5")));
    EXPECT_EQ(Label(), L"2 / 5");
    EXPECT_EQ(StoredInt(L"Option", L"GroupCount"), 5u);
    for (int step = 0; step < 3; ++step) Step(1);
    EXPECT_EQ(Label(), L"5 / 5");
    ASSERT_EQ(View()->ButtonCount(), 1);
    EXPECT_EQ(WindowText(Buttons(View())[0]), L"五");
}

TEST_F(MainBarTest, RenameSettingsNeitherRepaintNorRebuildFileCountAndFontRepaintDaysRebuild) {
    WritePage(0, {m_dir.MakeFolder(L"Data")});
    StartBar();
    // Its figures come first: they repaint the button.
    ASSERT_EQ(WaitForText(Buttons(View()).at(0), L"Data [0]"), L"Data [0]");
    // A rebuilt page has new buttons, and new buttons new ids.
    const UINT firstPage = View()->ButtonId(0);
    const HWND view = View()->m_hWnd;
    // The focus rectangle would go and come back with the sheet.
    SetFocus(GetDlgItem(Bar(), IDC_PAGE_SPIN));
    ASSERT_TRUE(Options(Edit([](HWND page) {
        SendDlgItemMessageW(page, IDC_RENAME_FORMAT, CB_SETCURSEL, 2, 0);
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_RENAME_FORMAT, CBN_SELCHANGE), 0);
    })));
    EXPECT_EQ(View()->ButtonId(0), firstPage);
    EXPECT_FALSE(GetUpdateRect(view, nullptr, FALSE)) << "nothing to repaint";
    EXPECT_EQ(StoredInt(L"Option", L"RenameFormat"), 2u);
    EXPECT_EQ(m_settings.nRenameFormat, 2) << "in force at once";
    EXPECT_FALSE(StoredInt(L"Option", L"DisplayCount")) << "unchanged values are not written";

    ASSERT_TRUE(Options(Toggle(IDC_DISPLAY_COUNT)));
    EXPECT_EQ(View()->ButtonId(0), firstPage);
    EXPECT_TRUE(GetUpdateRect(view, nullptr, FALSE));
    EXPECT_EQ(StoredInt(L"Option", L"DisplayCount"), 0u);

    const HFONT oldFont = m_bar->Style().Font();
    ASSERT_TRUE(Options(Toggle(IDC_UNDERLINE, 1)));
    EXPECT_EQ(View()->ButtonId(0), firstPage);
    EXPECT_TRUE(GetUpdateRect(view, nullptr, FALSE));
    EXPECT_NE(m_bar->Style().Font(), oldFont);
    LOGFONTW made{};
    GetObjectW(m_bar->Style().Font(), sizeof(made), &made);
    EXPECT_EQ(made.lfUnderline, 1);
    const auto stored = ReadRegistryValue(L"Option", L"LogFont");
    ASSERT_TRUE(stored && stored->data.size() == 60u);
    EXPECT_EQ(stored->data[21], 1) << "lfUnderline";

    ASSERT_TRUE(Options(SetText(IDC_DAYS_NEW, L"0")));
    EXPECT_NE(View()->ButtonId(0), firstPage);
    EXPECT_TRUE(ViewShown());
    EXPECT_EQ(StoredInt(L"Option", L"DaysNew"), 0u);
    EXPECT_EQ(m_settings.nDaysNew, 0);
}

namespace {
int FontHeight(HGDIOBJ font) {
    LOGFONTW made{};
    GetObjectW(font, sizeof(made), &made);
    return made.lfHeight;
}
}  // namespace

// Also run at 144 DPI ("LogPixels"), where every size below is one and a half times its own.
// Docked at the top of a second monitor, which the bar comes back to.
TEST_F(MainBarTest, AStoredNinetySixDpiRecordAndFontScaleToTheDpiAndFollowEachDpiChange) {
    const varolin::AppBarState at96{48, varolin::Edge::Top, 0, 1, {40, 30, 40, 30}, varolin::Rect{100, 100, 500, 140}};
    const auto bytes = varolin::EncodeAppBarState(at96);  // from an older build: no DPI beside it
    WriteRegistryValue(L"Common", L"AppBarState", REG_BINARY, {bytes.begin(), bytes.end()});
    const varolin::MonitorPlace second{L"\\\\.\\DISPLAY2", varolin::Rect{1024, 0, 1280, 768}};
    WriteAppBarMonitor(second);
    m_shell.Screens().push_back(varolin::Monitor{second.device, second.rect, second.rect, m_shell.Screens()[0].dpi});
    varolin::LogFontRecord font = varolin::LogFontRecord::Default();
    font.lfHeight = -16;
    WriteLogFont(font);
    StartBar();
    EXPECT_EQ(m_shell.ReservedRect(reinterpret_cast<std::uintptr_t>(Bar())).left, 1024);
    const int dpi = static_cast<int>(GetDpiForSystem());
    const HWND label = GetDlgItem(Bar(), IDC_PAGE_LABEL);
    for (int now : {dpi, 2 * dpi}) {
        EXPECT_EQ(m_bar->GetWindowRect().bottom, MulDiv(30, now, 96)) << now;
        EXPECT_EQ(FontHeight(m_bar->Style().Font()), MulDiv(-16, now, 96)) << now;
        EXPECT_EQ(m_bar->Style().Dpi(), now);
        BITMAP badge{};
        GetObjectW(m_bar->Style().Badge(), sizeof(badge), &badge);
        EXPECT_EQ(badge.bmWidth * 100 + badge.bmHeight, MulDiv(23, now, 96) * 100 + MulDiv(12, now, 96)) << now;
        if (now == 2 * dpi) break;
        RECT before{}, after{};
        GetWindowRect(label, &before);
        const int labelFont = FontHeight(reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
        // Its monitor now at twice the DPI: the system says so, Wine's window keeps its own.
        m_shell.Screens()[1].dpi = 2 * dpi;
        RECT suggested = m_bar->GetWindowRect();
        SendMessageW(Bar(), WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi), reinterpret_cast<LPARAM>(&suggested));
        GetWindowRect(label, &after);
        EXPECT_EQ(after.right - after.left, 2 * (before.right - before.left));
        EXPECT_EQ(FontHeight(reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0))), 2 * labelFont);
    }
    // Stored with the DPI its sizes are in, and the monitor it is docked to.
    Command(ID_BAR_EXIT);
    const auto state = ReadRegistryValue(L"Common", L"AppBarState");
    const auto recorded = ReadRegistryValue(L"Common", L"AppBarDpi");
    ASSERT_TRUE(state && recorded && recorded->data.size() == 52u);
    EXPECT_EQ(state->data[20], MulDiv(30, 2 * dpi, 96));
    EXPECT_EQ(recorded->AsDword(), static_cast<DWORD>(2 * dpi));
    EXPECT_TRUE(std::equal(state->data.begin(), state->data.end(), recorded->data.begin() + 4));
    EXPECT_EQ(ReadAppBarMonitor(), second);
}

// Also run at 144 DPI: the font page reads and writes sizes in 96-DPI pixels, not in its screen's,
// and the buttons' fonts it makes are at the bar's DPI.
TEST_F(MainBarTest, OkOnTheFontPageKeepsLogFontInNinetySixDpiPixelsAndDrawsAtTheBarsDpi) {
    StartBar();
    ASSERT_TRUE(Options(Edit([](HWND) {}, 1)));
    const auto first = ReadRegistryValue(L"Option", L"LogFont");
    ASSERT_TRUE(first && first->data.size() == 60u);
    EXPECT_EQ(static_cast<int>(first->AsDword()), -15) << "11 points";
    ASSERT_TRUE(Options(Edit([](HWND) {}, 1)));
    EXPECT_EQ(ReadRegistryValue(L"Option", L"LogFont")->data, first->data);

    const int dpi = static_cast<int>(GetDpiForSystem());
    ASSERT_TRUE(Options(Toggle(IDC_UNDERLINE, 1)));
    EXPECT_EQ(static_cast<int>(ReadRegistryValue(L"Option", L"LogFont")->AsDword()), -15);
    EXPECT_EQ(FontHeight(m_bar->Style().Font()), MulDiv(-15, dpi, 96));
    EXPECT_EQ(FontHeight(m_bar->Style().VerticalFont()), MulDiv(-15, dpi, 96));
    EXPECT_EQ(m_bar->Style().Dpi(), dpi) << "margins, icon and marks";
}


// Also run at 144 DPI: the gaps between buttons are 2 pixels at 96 DPI, 3 at 144.
TEST_F(MainBarTest, TheGapsBetweenButtonsScaleWithTheBarsDpi) {
    WritePage(0, {L"C:\\one\\", L"C:\\two\\", L"C:\\three\\"});
    StartBar();
    const int dpi = static_cast<int>(GetDpiForWindow(Bar()));
    ASSERT_EQ(m_bar->Style().Dpi(), dpi);
    std::vector<RECT> faces;
    for (const TestButton& button : Buttons(View())) faces.push_back(button.Rect());
    ASSERT_EQ(faces.size(), 3u);
    std::sort(faces.begin(), faces.end(), [](const RECT& a, const RECT& b) { return a.left + a.top < b.left + b.top; });
    const bool row = faces[1].left > faces[0].left;
    for (size_t i = 1; i < faces.size(); ++i)
        EXPECT_EQ(row ? faces[i].left - faces[i - 1].right : faces[i].top - faces[i - 1].bottom, MulDiv(2, dpi, 96)) << i;
}

// Wine cannot turn high contrast on, so the bar is given the answer. While it is on, a face
// looks exactly like one whose stored colours are the system's button colours, the label keeps
// two looks from the scheme, and the group file keeps every stored colour.
TEST_F(MainBarTest, HighContrastPaintsInTheSystemsColoursAndKeepsTheStoredOnes) {
    const COLORREF text = RGB(0, 160, 0), back = RGB(200, 0, 0);
    const std::vector<varolin::ButtonRecord> records{varolin::ButtonRecord::ForPath(L"C:\\x\\Same\\", text, back),
                                                     varolin::ButtonRecord::ForPath(L"C:\\y\\Same\\", GetSysColor(COLOR_BTNTEXT),
                                                                                    GetSysColor(COLOR_BTNFACE))};
    ASSERT_TRUE(m_dir.WriteFile(varolin::GroupFileName(0), varolin::EncodeGroupFile(records, SystemAnsiCodePage())));
    bool highContrast = false;
    StartBar();
    m_bar->SetHighContrastQuery([&highContrast] { return highContrast; });
    // Faces compared without the keyboard focus, whose rectangle would tell them apart.
    SetFocus(GetDlgItem(Bar(), IDC_PAGE_SPIN));
    const std::vector<TestButton> buttons = Buttons(View());
    ASSERT_EQ(buttons.size(), 2u);
    const ButtonFace stored = RenderFace(buttons[0]);
    ASSERT_NE(stored, RenderFace(buttons[1]));
    const COLORREF copyLabel = LabelColor();

    // Each change is drawn again at once: the button has something to paint.
    auto redrawnOn = [&](UINT msg, WPARAM wp) {
        RedrawWindow(Bar(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        SendMessageW(Bar(), msg, wp, 0);
        RECT dirty{};
        const RECT face = buttons[0].Rect();
        return GetUpdateRect(View()->m_hWnd, &dirty, FALSE) && IntersectRect(&dirty, &dirty, &face);
    };
    highContrast = true;
    EXPECT_TRUE(redrawnOn(WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST));
    EXPECT_EQ(RenderFace(buttons[0]), RenderFace(buttons[1]));
    EXPECT_EQ(LabelColor(), GetSysColor(COLOR_BTNFACE)) << "copy";
    Command(ID_BAR_DROP_MOVE);
    EXPECT_EQ(LabelColor(), GetSysColor(COLOR_HIGHLIGHT)) << "move";
    EXPECT_TRUE(redrawnOn(WM_SYSCOLORCHANGE, 0)) << "the scheme's colours may be new";

    // Saved while it is on (a move saves the page): the stored colours, not the shown ones.
    ::Command(buttons[0], ID_BUTTON_MOVE_LATER);
    const auto saved = StoredButtons(0);
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[1].m_crText, text);
    EXPECT_EQ(saved[1].m_crBack, back);

    highContrast = false;
    EXPECT_TRUE(redrawnOn(WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST));
    EXPECT_EQ(RenderFace(buttons[0]), stored);
    Command(ID_BAR_DROP_COPY);
    EXPECT_EQ(LabelColor(), copyLabel);
}
