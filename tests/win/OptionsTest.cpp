#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "shell/AppGlobals.h"
#include "settings/Settings.h"
#include "dialogs/FontNameCombo.h"
#include "dialogs/OptionSheet.h"
#include "framework/Strings.h"
#include "resource.h"
#include "support/DialogAnswerer.h"
#include "support/SheetScript.h"
#include "support/TestRegistry.h"

using varolin::LogFontRecord;
using varolin::OptionValues;

namespace {

// Runs the options sheet; `script` runs once the sheet is up and ends it. The test queues the
// sheet in its answerer first (ExpectSheet), then the answers to the message boxes the
// script causes.
struct SheetRun {
    bool ok = false;
    bool scriptRan = false;
    OptionValues edited;
};
SheetRun RunSheet(const OptionValues& inForce, SheetStep script, COLORREF text = RGB(255, 255, 255),
                  COLORREF back = RGB(0, 0x60, 0x80)) {
    SheetScript driver(L"オプション", {std::move(script)});
    SheetRun run;
    run.edited.groupCount = -1;  // to tell whether the function wrote it
    run.ok = RunOptionsSheet(nullptr, inForce, text, back, run.edited);
    run.scriptRan = driver.AllRan();
    return run;
}

void ExpectSheet(DialogAnswerer& answerer) { answerer.Answer(kLeaveSheetOpen); }

HWND Page(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }
HWND ShowFontPage(HWND sheet) {
    PropSheet_SetCurSel(sheet, nullptr, 1);
    return Page(sheet);
}
// OK as a click does it, synchronously: validation messages are answered before it returns.
void PressOk(HWND sheet) {
    SendMessageW(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(sheet, IDOK)));
}
void Notify(HWND page, int id, int code) {
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}
void Click(HWND page, int id) {
    SendDlgItemMessageW(page, id, BM_SETCHECK, BST_CHECKED, 0);
    Notify(page, id, BN_CLICKED);
}
// Typing over the text of a combo box's edit field, key by key.
void TypeInto(HWND page, int id, const std::wstring& text) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(GetDlgItem(page, id), &info);
    SendMessageW(info.hwndItem, EM_SETSEL, 0, -1);
    SendMessageW(info.hwndItem, WM_CHAR, VK_BACK, 0);
    for (wchar_t c : text) SendMessageW(info.hwndItem, WM_CHAR, c, 1);
}
int Count(HWND page, int id) { return static_cast<int>(SendDlgItemMessageW(page, id, CB_GETCOUNT, 0, 0)); }
int Selected(HWND page, int id) { return static_cast<int>(SendDlgItemMessageW(page, id, CB_GETCURSEL, 0, 0)); }
std::wstring ItemText(HWND page, int id, int index) {
    wchar_t text[64] = {};
    SendDlgItemMessageW(page, id, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}
std::vector<std::wstring> Items(HWND page, int id) {
    std::vector<std::wstring> items;
    for (int i = 0; i < Count(page, id); ++i) items.push_back(ItemText(page, id, i));
    return items;
}
std::wstring Text(HWND page, int id) { return WindowText(GetDlgItem(page, id)); }
bool Checked(HWND page, int id) { return SendDlgItemMessageW(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
void SelectFace(HWND page, const std::wstring& face) {
    const LRESULT index = SendDlgItemMessageW(page, IDC_FACE_NAME, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(face.c_str()));
    SendDlgItemMessageW(page, IDC_FACE_NAME, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Notify(page, IDC_FACE_NAME, CBN_SELCHANGE);
}
const FaceRecord* FaceAt(HWND page, int index) {
    return reinterpret_cast<const FaceRecord*>(SendDlgItemMessageW(page, IDC_FACE_NAME, CB_GETITEMDATA, index, 0));
}

OptionValues Stored() {
    OptionValues v;
    v.groupCount = 5;
    v.daysNew = 3;
    v.displayCount = 1;
    v.renameConfirm = 1;
    v.renameFormat = 2;
    return v;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

std::string Ansi(const std::wstring& text) { return WideToAnsi(text); }

}  // namespace

TEST(OptionsSheet, OkWithoutTheFontPageHandsBackEveryValueAndTheFontBytes) {
    OptionValues stored = Stored();
    stored.logFont.lfQuality = 5;
    stored.logFont.lfFaceName[31] = 'z';  // behind the terminator: still part of the record
    DialogAnswerer answerer;
    ExpectSheet(answerer);
    bool noApply = false, noHelp = false;
    std::wstring caption;
    const SheetRun run = RunSheet(stored, [&](HWND sheet) {
        caption = WindowText(sheet);
        noApply = !IsWindowVisible(GetDlgItem(sheet, 0x3021));  // the sheet's Apply button
        noHelp = !IsWindowVisible(GetDlgItem(sheet, IDHELP));
        PressOk(sheet);
    });
    ASSERT_TRUE(run.scriptRan);
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(caption, L"オプション");
    EXPECT_TRUE(noApply);
    EXPECT_TRUE(noHelp);
    EXPECT_EQ(run.edited.groupCount, 5);  // written at all
    EXPECT_EQ(run.edited.logFont.ToBytes(), stored.logFont.ToBytes());
    EXPECT_FALSE(varolin::ComputeOptionChanges(stored, run.edited, 4).Any());
    EXPECT_EQ(answerer.Count(), 1u);  // the sheet, nothing else
}

TEST(OptionsSheet, BadPageCountOrDaysKeepTheSheetOpenWithTheFrameworkWarning) {
    DialogAnswerer answerer;
    ExpectSheet(answerer);
    answerer.Answer(IDOK);
    answerer.Answer(IDOK);
    answerer.Answer(IDOK);
    bool openAfterBadCount = false, openAfterBadDays = false;
    int low = -1, high = -1, daysLow = -1, daysHigh = -1;
    const SheetRun run = RunSheet(Stored(), [&](HWND sheet) {
        const HWND page = Page(sheet);
        SendDlgItemMessageW(page, IDC_GROUP_COUNT_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                            reinterpret_cast<LPARAM>(&high));
        SendDlgItemMessageW(page, IDC_DAYS_NEW_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&daysLow),
                            reinterpret_cast<LPARAM>(&daysHigh));
        SetDlgItemTextW(page, IDC_GROUP_COUNT, L"100");
        PressOk(sheet);
        openAfterBadCount = IsWindow(sheet) && IsWindowVisible(sheet);
        SetDlgItemTextW(page, IDC_GROUP_COUNT, L"0");
        PressOk(sheet);
        SetDlgItemTextW(page, IDC_GROUP_COUNT, L"2");
        SetDlgItemTextW(page, IDC_DAYS_NEW, L"abc");
        PressOk(sheet);
        openAfterBadDays = IsWindow(sheet) && IsWindowVisible(sheet);
        SetDlgItemTextW(page, IDC_DAYS_NEW, L"0");
        PressOk(sheet);
    });
    ASSERT_TRUE(run.scriptRan);
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(low, 1);
    EXPECT_EQ(high, 99);
    EXPECT_EQ(daysLow, 0);
    EXPECT_EQ(daysHigh, 99);
    EXPECT_TRUE(openAfterBadCount);
    EXPECT_TRUE(openAfterBadDays);
    ASSERT_EQ(answerer.Count(), 4u);
    EXPECT_EQ(answerer.Dialogs()[1].text, L"1 から 99 までの整数を入力してください。");
    EXPECT_EQ(answerer.Dialogs()[2].text, L"1 から 99 までの整数を入力してください。");
    EXPECT_EQ(answerer.Dialogs()[3].text, L"整数を入力してください。");
    EXPECT_EQ(run.edited.groupCount, 2);
    EXPECT_EQ(run.edited.daysNew, 0);
    const varolin::OptionChanges changes = varolin::ComputeOptionChanges(Stored(), run.edited, 4);
    EXPECT_EQ(changes.refresh, varolin::kRefreshRebuild);
    EXPECT_EQ(changes.currentPage, 1);
}

TEST(FontPage, DefaultFontShowsAsElevenPointsAndTakesStrikeoutAndUnderline) {
    ASSERT_EQ(ScreenDpi(), 96);
    const OptionValues stored = Stored();  // the default font: "ＭＳ Ｐゴシック", height -15
    DialogAnswerer answerer;
    ExpectSheet(answerer);
    std::wstring face, size;
    bool enabled = false;
    const SheetRun run = RunSheet(stored, [&](HWND sheet) {
        const HWND page = ShowFontPage(sheet);
        face = Text(page, IDC_FACE_NAME);
        size = Text(page, IDC_FONT_SIZE);
        enabled = Enabled(page, IDC_FACE_NAME);
        Click(page, IDC_STRIKEOUT);
        Click(page, IDC_UNDERLINE);
        PressOk(sheet);
    });
    ASSERT_TRUE(run.scriptRan);
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(face, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(size, L"11");
    ASSERT_TRUE(enabled);
    const LogFontRecord& font = run.edited.logFont;
    EXPECT_EQ(font.FaceName(), Ansi(L"ＭＳ Ｐゴシック"));
    EXPECT_EQ(font.lfHeight, -15);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfItalic, 0);
    EXPECT_EQ(font.lfStrikeOut, 1);
    EXPECT_EQ(font.lfUnderline, 1);
    EXPECT_EQ(varolin::ComputeOptionChanges(stored, run.edited, 0).refresh, varolin::kRefreshRepaint);
}

TEST(FontPage, TrueTypeFaceOffersFourStylesAndTheSixteenStandardSizes) {
    DialogAnswerer answerer;
    ExpectSheet(answerer);
    std::vector<std::wstring> styles, sizes;
    DWORD fontType = 0;
    int faceItemHeight = 0, styleItemHeight = 0, verticalFaces = 0, duplicates = 0;
    const SheetRun run = RunSheet(Stored(), [&](HWND sheet) {
        const HWND page = ShowFontPage(sheet);
        SelectFace(page, L"Tahoma");
        if (const FaceRecord* record = FaceAt(page, Selected(page, IDC_FACE_NAME))) fontType = record->fontType;
        styles = Items(page, IDC_FONT_STYLE);
        sizes = Items(page, IDC_FONT_SIZE);
        faceItemHeight = static_cast<int>(SendDlgItemMessageW(page, IDC_FACE_NAME, CB_GETITEMHEIGHT, 0, 0));
        styleItemHeight = static_cast<int>(SendDlgItemMessageW(page, IDC_FONT_STYLE, CB_GETITEMHEIGHT, 0, 0));
        const std::vector<std::wstring> faces = Items(page, IDC_FACE_NAME);
        for (size_t i = 0; i < faces.size(); ++i) {
            if (!faces[i].empty() && faces[i][0] == L'@') ++verticalFaces;
            if (i > 0 && CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, faces[i].c_str(), -1,
                                        faces[i - 1].c_str(), -1) == CSTR_EQUAL)
                ++duplicates;
        }
        // Bold italic, 14 points.
        SendDlgItemMessageW(page, IDC_FONT_STYLE, CB_SETCURSEL, 3, 0);
        Notify(page, IDC_FONT_STYLE, CBN_SELCHANGE);
        SendDlgItemMessageW(page, IDC_FONT_SIZE, CB_SETCURSEL, 5, 0);
        Notify(page, IDC_FONT_SIZE, CBN_SELCHANGE);
        PressOk(sheet);
    });
    ASSERT_TRUE(run.scriptRan);
    ASSERT_TRUE(run.ok);
    EXPECT_TRUE(fontType & TRUETYPE_FONTTYPE);
    EXPECT_EQ(styles, (std::vector<std::wstring>{L"標準", L"太字", L"斜体", L"太字斜体"}));
    EXPECT_EQ(sizes, (std::vector<std::wstring>{L"8", L"9", L"10", L"11", L"12", L"14", L"16", L"18", L"20", L"22",
                                                L"24", L"26", L"28", L"36", L"48", L"72"}));
    EXPECT_EQ(faceItemHeight, styleItemHeight + 2);
    EXPECT_EQ(verticalFaces, 0);
    EXPECT_EQ(duplicates, 0);
    const LogFontRecord& font = run.edited.logFont;
    EXPECT_EQ(font.FaceName(), "Tahoma");
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_EQ(font.lfHeight, MulDiv(-ScreenDpi(), 14, 72));
    EXPECT_EQ(font.lfStrikeOut, 0);
}

TEST(FontPage, SizeOutsideOneTo1638IsReportedAndResetToTenAndATypedSizeIsRounded) {
    DialogAnswerer answerer;
    ExpectSheet(answerer);
    for (int i = 0; i < 4; ++i) answerer.Answer(IDOK);
    std::vector<std::wstring> afterReset;
    bool openAfterBadSize = false;
    const SheetRun run = RunSheet(Stored(), [&](HWND sheet) {
        const HWND page = ShowFontPage(sheet);
        for (const wchar_t* typed : {L"1639", L"0", L"abc"}) {
            TypeInto(page, IDC_FONT_SIZE, typed);
            Notify(page, IDC_FONT_SIZE, CBN_KILLFOCUS);
            afterReset.push_back(Text(page, IDC_FONT_SIZE));
        }
        TypeInto(page, IDC_FONT_SIZE, L"0");
        PressOk(sheet);  // Enter while typing: no focus change
        openAfterBadSize = IsWindow(sheet) && IsWindowVisible(sheet);
        TypeInto(page, IDC_FONT_SIZE, L"10.5");
        PressOk(sheet);
    });
    ASSERT_TRUE(run.scriptRan);
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(afterReset, (std::vector<std::wstring>{L"10", L"10", L"10"}));
    EXPECT_TRUE(openAfterBadSize);
    ASSERT_EQ(answerer.Count(), 5u);
    for (size_t i = 1; i < 5; ++i) {
        EXPECT_EQ(answerer.Dialogs()[i].caption, L"Varolin");
        EXPECT_EQ(answerer.Dialogs()[i].text, L"1から1638までの数値を入力して下さい");
    }
    EXPECT_EQ(run.edited.logFont.lfHeight, MulDiv(-ScreenDpi(), 11, 72));
}

TEST(FontPage, FaceMissingFromTheScreenDisablesThePageAndKeepsTheFont) {
    OptionValues stored = Stored();
    stored.logFont.SetFaceName("No Such Face On Screen");
    stored.logFont.lfHeight = -40;
    stored.logFont.lfUnderline = 1;
    DialogAnswerer answerer;
    ExpectSheet(answerer);
    std::vector<bool> enabled;
    std::wstring face;
    const SheetRun run = RunSheet(stored, [&](HWND sheet) {
        const HWND page = ShowFontPage(sheet);
        for (int id : {IDC_FACE_NAME, IDC_FONT_SIZE, IDC_FONT_STYLE, IDC_STRIKEOUT, IDC_UNDERLINE})
            enabled.push_back(Enabled(page, id));
        face = Text(page, IDC_FACE_NAME);
        PropSheet_SetCurSel(sheet, nullptr, 0);
        PressOk(sheet);
    });
    ASSERT_TRUE(run.scriptRan);
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(enabled, std::vector<bool>(5, false));
    EXPECT_EQ(face, L"No Such Face On Screen");
    EXPECT_EQ(run.edited.logFont.ToBytes(), stored.logFont.ToBytes());
    EXPECT_EQ(answerer.Count(), 1u);
}

TEST(FontPage, RasterFaceOffersOnlyItsOwnSizesSmallToLarge) {
    DialogAnswerer answerer;
    ExpectSheet(answerer);
    std::wstring rasterFace;
    std::vector<std::wstring> sizes;
    RunSheet(Stored(), [&](HWND sheet) {
        const HWND page = ShowFontPage(sheet);
        for (int i = 0; i < Count(page, IDC_FACE_NAME) && rasterFace.empty(); ++i)
            if (const FaceRecord* record = FaceAt(page, i); record && record->fontType == RASTER_FONTTYPE)
                rasterFace = ItemText(page, IDC_FACE_NAME, i);
        if (!rasterFace.empty()) {
            SelectFace(page, rasterFace);
            sizes = Items(page, IDC_FONT_SIZE);
        }
        PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
    });
    if (rasterFace.empty()) GTEST_SKIP() << "no raster face on this screen";
    ASSERT_FALSE(sizes.empty()) << testing::PrintToString(rasterFace);
    EXPECT_LT(sizes.size(), 16u);
    for (size_t i = 1; i < sizes.size(); ++i) EXPECT_LT(std::stoi(sizes[i - 1]), std::stoi(sizes[i]));
}

namespace {
class OptionsStore : public CleanRegistryTest {};

std::optional<DWORD> StoredInt(const wchar_t* name) {
    const auto value = ReadRegistryValue(L"Option", name);
    if (!value || value->type != REG_DWORD) return std::nullopt;
    return value->AsDword();
}
}  // namespace

TEST_F(OptionsStore, OkWritesOnlyWhatChangedAndBoxesStoredAsTwoComeBackAsZero) {
    WriteRegistryDword(L"Option", L"DisplayCount", 2);
    WriteRegistryDword(L"Option", L"RenameConfirm", 2);
    WriteRegistryDword(L"Option", L"RenameFormat", 7);
    AppSettings settings;
    const BarSettings bar = LoadSettings(settings);
    const OptionValues inForce = OptionsInForce(settings, bar.nGroupCount, bar.logFont);
    EXPECT_EQ(inForce.displayCount, 2);

    DialogAnswerer answerer;
    ExpectSheet(answerer);
    bool displayTicked = true, confirmTicked = true;
    int selection = 0;
    std::vector<std::wstring> formats;
    const SheetRun run = RunSheet(inForce, [&](HWND sheet) {
        const HWND page = Page(sheet);
        displayTicked = Checked(page, IDC_DISPLAY_COUNT);
        confirmTicked = Checked(page, IDC_RENAME_CONFIRM);
        selection = Selected(page, IDC_RENAME_FORMAT);
        formats = Items(page, IDC_RENAME_FORMAT);
        PressOk(sheet);
    });
    ASSERT_TRUE(run.scriptRan);
    ASSERT_TRUE(run.ok);
    EXPECT_FALSE(displayTicked);
    EXPECT_FALSE(confirmTicked);
    EXPECT_EQ(selection, CB_ERR);
    EXPECT_EQ(formats, (std::vector<std::wstring>{L"SAMPLE_0001.jpg", L"SAMPLE_1.jpg", L"SAMPLE(0001).jpg", L"SAMPLE(1).jpg"}));
    const varolin::OptionChanges changes = varolin::ComputeOptionChanges(inForce, run.edited, bar.nSelGroup);
    StoreOptionChanges(settings, changes, run.edited);

    EXPECT_EQ(StoredInt(L"DisplayCount"), 0u);
    EXPECT_EQ(StoredInt(L"RenameConfirm"), 0u);
    EXPECT_EQ(StoredInt(L"RenameFormat"), 7u);
    EXPECT_EQ(settings.nDisplayCount, 0);
    EXPECT_EQ(settings.nRenameConfirm, 0);
    EXPECT_EQ(settings.nRenameFormat, 7);
    for (const wchar_t* untouched : {L"DaysNew", L"GroupCount", L"LogFont"})
        EXPECT_FALSE(ReadRegistryValue(L"Option", untouched)) << testing::PrintToString(std::wstring(untouched));
}
