#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/ButtonRecord.h"
#include "dialogs/ColorSwatch.h"
#include "dialogs/PrpSheet.h"
#include "framework/Handles.h"
#include "resource.h"
#include "support/DialogAnswerer.h"
#include "support/SheetScript.h"
#include "support/TempFolder.h"

using namespace sheet;

namespace {

struct SheetRun {
    bool ok = false;
    std::vector<AnsweredDialog> dialogs;  // answered while the sheet ran, the sheet excepted
};

SheetRun RunSheet(varolin::ButtonRecord& record, std::vector<SheetStep> steps, std::vector<SheetAnswer> answers = {},
                  CWnd* button = nullptr) {
    SheetRun run;
    run.dialogs = RunScripted(L"プロパティ", std::move(steps), [&] { run.ok = RunButtonProperties(button, record, nullptr); },
                              std::move(answers));
    return run;
}

varolin::ButtonRecord SampleRecord() {
    varolin::ButtonRecord record;
    record.m_strTitle = L"作業";
    record.m_strFolder = L"C:\\Work\\";
    record.m_strProgram = L"tool.exe";
    record.m_crText = 0x000000;
    record.m_crBack = 0xC0C0C0;
    return record;
}

// Swatch control ids currently marked on the colour page.
std::vector<int> MarkedSwatches(HWND page) {
    std::vector<int> marked;
    for (int id = IDC_SWATCH_FIRST; id <= IDC_SWATCH_LAST; ++id) {
        auto* swatch = dynamic_cast<CColorSwatch*>(CWnd::FromHandle(GetDlgItem(page, id)));
        if (swatch && swatch->m_bMarked) marked.push_back(id);
    }
    return marked;
}

COLORREF SliderColor(HWND page) {
    const auto pos = [&](int id) { return static_cast<int>(SendDlgItemMessageW(page, id, TBM_GETPOS, 0, 0)); };
    return RGB(pos(IDC_RED_SLIDER), pos(IDC_GREEN_SLIDER), pos(IDC_BLUE_SLIDER));
}

// Moves a slider by keyboard, as a user would; the slider notifies the page itself.
void SliderKey(HWND page, int id, UINT key) {
    HWND slider = GetDlgItem(page, id);
    SendMessageW(slider, WM_KEYDOWN, key, 0);
    SendMessageW(slider, WM_KEYUP, key, 0);
}

// A pixel of a window as drawn on screen, after pending paints.
COLORREF Pixel(HWND wnd, int x, int y) {
    UpdateWindow(wnd);
    return GetPixel(WindowDC(wnd).Get(), x, y);
}

// A pixel inside the preview's filled rectangle, clear of its centred text.
COLORREF PreviewPixel(HWND page) {
    RECT rc;
    GetClientRect(page, &rc);
    return Pixel(page, rc.left + 10, rc.bottom / 5 * 3 + 10);
}

// Answers the folder browser with the folder g_browseChoice. The browser makes its own first
// choice while it starts, so the choice is made again on every tick until the browser shows it.
std::wstring g_browseChoice;
void CALLBACK ChooseInBrowser(HWND browser, UINT, UINT_PTR id, DWORD) {
    HWND tree = FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr);
    wchar_t name[MAX_PATH] = {};
    TVITEMW item{TVIF_TEXT, TreeView_GetSelection(tree), 0, 0, name, MAX_PATH, 0, 0, 0, 0};
    if (!IsWindowVisible(browser) || !TreeView_GetItem(tree, &item) || !g_browseChoice.ends_with(L"\\" + std::wstring(name))) {
        SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(g_browseChoice.c_str()));
        return;
    }
    KillTimer(browser, id);
    PostMessageW(browser, WM_COMMAND, IDOK, 0);
}

}  // namespace

TEST(ButtonPropertySheet, ClearingTheProgramCheckDropsTheProgramAndKeepsTheFolder) {
    varolin::ButtonRecord record = SampleRecord();
    RunSheet(record, {[](HWND sheet) {
        HWND page = Page(sheet);
        EXPECT_TRUE(Checked(page, IDC_HAS_PROGRAM));
        EXPECT_EQ(Text(page, IDC_PROGRAM), L"tool.exe");
        EXPECT_FALSE(Enabled(page, IDC_FOLDER));
        EXPECT_FALSE(Enabled(page, IDC_BROWSE_FOLDER));
        EXPECT_TRUE(Enabled(page, IDC_BROWSE_PROGRAM));
        Click(page, IDC_HAS_PROGRAM);
        EXPECT_EQ(Text(page, IDC_PROGRAM), L"");
        EXPECT_TRUE(Enabled(page, IDC_FOLDER));
        EXPECT_FALSE(Enabled(page, IDC_PROGRAM));
        EXPECT_FALSE(Enabled(page, IDC_BROWSE_PROGRAM));
        PressOk(sheet);
    }});
    EXPECT_EQ(record.m_strProgram, L"");
    EXPECT_EQ(record.m_strFolder, L"C:\\Work\\");
}

TEST(ButtonPropertySheet, OverlongTextIsRefusedWithTheSheetLeftOpenAndTheFolderGetsItsBackslash) {
    varolin::ButtonRecord record = SampleRecord();
    const SheetRun run = RunSheet(record, {[](HWND sheet) {
        HWND page = Page(sheet);
        SetText(page, IDC_TITLE, std::wstring(101, L'a'));
        PressOk(sheet);
        EXPECT_EQ(GetFocus(), GetDlgItem(page, IDC_TITLE));  // the refused edit, selected
        SetText(page, IDC_TITLE, std::wstring(51, L'あ'));  // 102 bytes in code page 932
        PressOk(sheet);
        SetText(page, IDC_TITLE, std::wstring(50, L'あ') + L" \t");  // blanks go before the count
        Click(page, IDC_HAS_PROGRAM);
        SetText(page, IDC_FOLDER, L"C:\\" + std::wstring(257, L'f'));  // 261 bytes with its backslash
        PressOk(sheet);
        EXPECT_TRUE(IsWindowVisible(sheet));
        EXPECT_EQ(GetFocus(), GetDlgItem(page, IDC_FOLDER));
        SetText(page, IDC_FOLDER, L"C:\\" + std::wstring(256, L'f'));  // 260 bytes stored
        PressOk(sheet);
    }}, {{IDOK}, {IDOK}, {IDOK}});
    ASSERT_EQ(run.dialogs.size(), 3u);
    EXPECT_EQ(run.dialogs[0].text, L"100 バイト以内で入力してください。");
    EXPECT_EQ(run.dialogs[1].text, L"100 バイト以内で入力してください。");
    EXPECT_EQ(run.dialogs[2].text, L"260 バイト以内で入力してください。");
    EXPECT_TRUE(run.ok);
    EXPECT_EQ(record.m_strTitle, std::wstring(50, L'あ'));
    EXPECT_EQ(record.m_strFolder, L"C:\\" + std::wstring(256, L'f') + L"\\");
}

TEST(ButtonPropertySheet, OkWithoutChangesKeepsTheRecordAndCancelDropsEveryEdit) {
    varolin::ButtonRecord record = SampleRecord();
    record.m_crBack = 0x00ABCDEF;
    record.m_crText = 0x00123456;
    record.m_bNoDrop = 1;
    const varolin::ButtonRecord before = record;
    bool refuses = false;
    EXPECT_TRUE(RunSheet(record, {[&](HWND sheet) {
        refuses = Checked(Page(sheet), IDC_NO_DROP);
        PressOk(sheet);
    }}).ok);
    EXPECT_TRUE(refuses);
    EXPECT_EQ(record, before);

    // Cancel drops every edit, on both pages.
    EXPECT_FALSE(RunSheet(record, {[](HWND sheet) {
        SetText(Page(sheet), IDC_TITLE, L"別名");
        Click(Page(sheet), IDC_HAS_PROGRAM);
        Click(Page(sheet), IDC_NO_DROP);
        Click(ShowPage(sheet, 1), IDC_SWATCH_FIRST + 2);
        PropSheet_PressButton(sheet, PSBTN_CANCEL);
    }}).ok);
    EXPECT_EQ(record, before);

    // Turning the refusal off comes back as a changed flag.
    RunSheet(record, {[](HWND sheet) {
        Click(Page(sheet), IDC_NO_DROP);
        PressOk(sheet);
    }});
    EXPECT_EQ(record.m_bNoDrop, 0);
}

TEST(ButtonPropertySheet, BrowsingFillsFolderOrProgramAndFolderAndCancellingKeepsWhatWasTyped) {
    TempFolder temp;
    const std::wstring first = temp.MakeFolder(L"first"), second = temp.MakeFolder(L"second");
    const std::wstring tools = temp.MakeFolder(L"tools"), typed = first.substr(0, first.size() - 1);
    ASSERT_TRUE(temp.WriteFile(L"tools\\run.exe", std::string("MZ")));
    g_browseChoice = second.substr(0, second.size() - 1);
    varolin::ButtonRecord record = SampleRecord();
    record.m_strProgram.clear();
    record.m_strFolder = first;
    std::wstring chosen, afterCancel;
    wchar_t before[MAX_PATH] = {}, after[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, before);
    const SheetRun run = RunSheet(record, {
        [&](HWND sheet) {
            EXPECT_FALSE(Checked(Page(sheet), IDC_HAS_PROGRAM));  // a button without a program
            EXPECT_TRUE(Enabled(Page(sheet), IDC_BROWSE_FOLDER));
            PostClick(Page(sheet), IDC_BROWSE_FOLDER);
        },
        [&](HWND sheet) {
            chosen = Text(Page(sheet), IDC_FOLDER);
            SetText(Page(sheet), IDC_FOLDER, typed);
            PostClick(Page(sheet), IDC_BROWSE_FOLDER);
        },
        [&](HWND sheet) {
            afterCancel = Text(Page(sheet), IDC_FOLDER);
            Click(Page(sheet), IDC_HAS_PROGRAM);
            PostClick(Page(sheet), IDC_BROWSE_PROGRAM);
        },
        [&](HWND sheet) {
            // The program moves the folder with it.
            EXPECT_EQ(Text(Page(sheet), IDC_PROGRAM), L"run.exe");
            EXPECT_EQ(Text(Page(sheet), IDC_FOLDER), tools);
            PressOk(sheet);
        },
    }, {{kLeaveSheetOpen, [](HWND browser) { SetTimer(browser, 1, 20, &ChooseInBrowser); }}, {IDCANCEL}, {IDOK, [&](HWND open) {
        // The file name field of the Open dialog, whichever form the system uses.
        for (int id : {cmb13, edt1}) SetDlgItemTextW(open, id, (tools + L"run.exe").c_str());
    }}});
    ASSERT_EQ(run.dialogs.size(), 3u);
    GetCurrentDirectoryW(MAX_PATH, after);
    EXPECT_STREQ(after, before);  // held on a chosen folder, it would keep the folder from deletion
    EXPECT_EQ(chosen, second);
    EXPECT_EQ(afterCancel, typed);
    EXPECT_EQ(record.m_strProgram, L"run.exe");
    EXPECT_EQ(record.m_strFolder, tools);
}

TEST(ButtonPropertySheet, PureColoursAreMarkedHoweverReachedAndSwitchingTheEditedColourChangesNeither) {
    varolin::ButtonRecord record = SampleRecord();
    record.m_crBack = 0x000000;
    record.m_crText = 0x123456;
    COLORREF systemColor = 0;
    const SheetRun run = RunSheet(record, {
        [&](HWND sheet) {
            HWND page = ShowPage(sheet, 1);
            EXPECT_TRUE(Checked(page, IDC_EDIT_BACK_COLOR));
            EXPECT_EQ(MarkedSwatches(page), std::vector<int>{IDC_SWATCH_FIRST + 0});
            EXPECT_EQ(Selected(page, IDC_SYSTEM_COLOR), CB_ERR);

            SliderKey(page, IDC_RED_SLIDER, VK_END);  // red 255, green and blue 0
            EXPECT_EQ(SliderColor(page), RGB(255, 0, 0));
            EXPECT_EQ(MarkedSwatches(page), std::vector<int>{1102});
            EXPECT_EQ(PreviewPixel(page), RGB(255, 0, 0));
            // Swatches paint their colour; only the marked one is raised by a bevel.
            HWND red = GetDlgItem(page, 1102), black = GetDlgItem(page, IDC_SWATCH_FIRST);
            EXPECT_EQ(Pixel(red, 8, 8), RGB(255, 0, 0));
            EXPECT_EQ(Pixel(red, 2, 2), GetSysColor(COLOR_BTNHIGHLIGHT));
            EXPECT_EQ(Pixel(black, 2, 2), RGB(0, 0, 0));

            // The text colour shows in sliders and mark; the back colour stays red.
            Click(page, IDC_EDIT_TEXT_COLOR);
            EXPECT_EQ(SliderColor(page), 0x123456u);
            EXPECT_TRUE(MarkedSwatches(page).empty());
            EXPECT_EQ(PreviewPixel(page), RGB(255, 0, 0));
            Select(page, IDC_SYSTEM_COLOR, 0);  // the entry carries its GetSysColor index
            systemColor = GetSysColor(static_cast<int>(SendDlgItemMessageW(page, IDC_SYSTEM_COLOR, CB_GETITEMDATA, 0, 0)));
            EXPECT_EQ(SliderColor(page), systemColor);
            EXPECT_NE(Selected(page, IDC_SYSTEM_COLOR), CB_ERR);  // the list keeps its choice
            Click(page, IDC_EDIT_BACK_COLOR);
            EXPECT_EQ(SliderColor(page), RGB(255, 0, 0));
            EXPECT_EQ(MarkedSwatches(page), std::vector<int>{1102});
            EXPECT_EQ(Selected(page, IDC_SYSTEM_COLOR), CB_ERR);

            SliderKey(page, IDC_GREEN_SLIDER, VK_RIGHT);
            EXPECT_EQ(SliderColor(page), RGB(255, 1, 0));
            EXPECT_TRUE(MarkedSwatches(page).empty());
            Click(page, IDC_SWATCH_FIRST + 4);
            EXPECT_EQ(SliderColor(page), RGB(0, 0, 255));
            EXPECT_EQ(MarkedSwatches(page), std::vector<int>{IDC_SWATCH_FIRST + 4});
            PostClick(page, IDC_COLOR_DETAILS);
        },
        [](HWND sheet) {
            EXPECT_EQ(SliderColor(Page(sheet)), RGB(0, 128, 0));
            EXPECT_EQ(MarkedSwatches(Page(sheet)), std::vector<int>{IDC_SWATCH_FIRST + 11});
            PressOk(sheet);
        },
    }, {{IDOK, [](HWND colorDialog) {
        // The dialog's red, green and blue fields.
        SetDlgItemTextW(colorDialog, 706, L"0");
        SetDlgItemTextW(colorDialog, 707, L"128");
        SetDlgItemTextW(colorDialog, 708, L"0");
    }}});
    EXPECT_TRUE(run.ok);
    EXPECT_EQ(record.m_crBack, RGB(0, 128, 0));
    EXPECT_EQ(record.m_crText, systemColor);
}

TEST(ButtonPropertySheet, TheWholeBarWaitsWhileOneOfItsButtonsIsEdited) {
    HWND bar = CreateWindowExW(0, L"Static", L"bar", WS_POPUP | WS_VISIBLE, 0, 0, 200, 40, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    HWND other = CreateWindowExW(0, L"Button", L"other", WS_CHILD | WS_VISIBLE, 0, 0, 90, 40, bar, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    CWnd button;
    ASSERT_TRUE(button.SubclassWindow(CreateWindowExW(0, L"Button", L"this", WS_CHILD | WS_VISIBLE, 100, 0, 90, 40,
                                                      bar, nullptr, GetModuleHandleW(nullptr), nullptr)));
    varolin::ButtonRecord record = SampleRecord();
    EXPECT_TRUE(RunSheet(record, {[&](HWND sheet) {
        // The other buttons cannot be used (to delete this one, say) while the sheet is up.
        EXPECT_FALSE(IsWindowEnabled(bar));
        EXPECT_EQ(GetWindow(sheet, GW_OWNER), bar);
        EXPECT_TRUE(IsWindowEnabled(other));  // disabled through the bar, not one by one
        PressOk(sheet);
    }}, {}, &button).ok);
    EXPECT_TRUE(IsWindowEnabled(bar));
    DestroyWindow(bar);
}
