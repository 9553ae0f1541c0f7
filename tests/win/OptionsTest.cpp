#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/Settings.h"
#include "dialogs/FontNameCombo.h"
#include "dialogs/OptionSheet.h"
#include "framework/Handles.h"
#include "framework/Profile.h"
#include "framework/Strings.h"
#include "resource.h"
#include "support/SheetScript.h"
#include "support/TestRegistry.h"

using namespace sheet;
using varolin::LogFontRecord;
using varolin::OptionValues;

namespace {

struct SheetRun {
    bool ok = false;
    OptionValues edited;
    std::vector<AnsweredDialog> dialogs;
};

// Runs the options sheet with one step, which ends it; `answers` go to the boxes it causes.
SheetRun RunSheet(const OptionValues& inForce, SheetStep step, std::vector<SheetAnswer> answers = {}) {
    SheetRun run;
    run.edited.groupCount = -1;  // to tell whether the function wrote it
    run.dialogs = RunScripted(L"オプション", {std::move(step)}, [&] {
        run.ok = RunOptionsSheet(nullptr, inForce, RGB(255, 255, 255), RGB(0, 0x60, 0x80), run.edited);
    }, std::move(answers));
    return run;
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
const FaceRecord* FaceAt(HWND page, int index) {
    return reinterpret_cast<const FaceRecord*>(SendDlgItemMessageW(page, IDC_FACE_NAME, CB_GETITEMDATA, index, 0));
}
void SelectText(HWND page, int id, const std::wstring& text) {
    Select(page, id, static_cast<int>(SendDlgItemMessageW(page, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                          reinterpret_cast<LPARAM>(text.c_str()))));
}
// A font height in pixels for a size in points on this screen.
int Height(int points) { return MulDiv(-GetDeviceCaps(WindowDC(nullptr).Get(), LOGPIXELSY), points, 72); }

OptionValues Stored() {
    OptionValues v;
    v.groupCount = 5;
    v.daysNew = 3;
    v.displayCount = 1;
    v.renameConfirm = 1;
    v.renameFormat = 2;
    return v;
}

}  // namespace

TEST(OptionsSheet, TheFontComesBackByteForByteWhenTheFontPageWasNotOpenedOrLacksItsFace) {
    OptionValues stored = Stored();
    stored.logFont.lfQuality = 5;
    stored.logFont.lfFaceName[31] = 'z';  // behind the terminator: still part of the record
    bool noApply = false, noHelp = false;
    const SheetRun run = RunSheet(stored, [&](HWND sheet) {
        noApply = !IsWindowVisible(GetDlgItem(sheet, 0x3021));  // the sheet's Apply button
        noHelp = !IsWindowVisible(GetDlgItem(sheet, IDHELP));
        PressOk(sheet);
    });
    ASSERT_TRUE(run.ok);
    EXPECT_TRUE(noApply);
    EXPECT_TRUE(noHelp);
    EXPECT_EQ(run.edited.groupCount, 5);  // written at all
    EXPECT_EQ(run.edited.logFont.ToBytes(), stored.logFont.ToBytes());
    EXPECT_FALSE(varolin::ComputeOptionChanges(stored, run.edited, 4).Any());

    // A face the screen lacks: the font page shows it, disabled.
    stored.logFont.SetFaceName("No Such Face On Screen");
    stored.logFont.lfHeight = -40;
    std::vector<bool> enabled;
    std::wstring face;
    const SheetRun missing = RunSheet(stored, [&](HWND sheet) {
        const HWND page = ShowPage(sheet, 1);
        for (int id : {IDC_FACE_NAME, IDC_FONT_SIZE, IDC_FONT_STYLE, IDC_STRIKEOUT, IDC_UNDERLINE})
            enabled.push_back(Enabled(page, id));
        face = Text(page, IDC_FACE_NAME);
        ShowPage(sheet, 0);
        PressOk(sheet);
    });
    ASSERT_TRUE(missing.ok);
    EXPECT_EQ(enabled, std::vector<bool>(5, false));
    EXPECT_EQ(face, L"No Such Face On Screen");
    EXPECT_EQ(missing.edited.logFont.ToBytes(), stored.logFont.ToBytes());
    EXPECT_TRUE(run.dialogs.empty() && missing.dialogs.empty());
}

TEST(OptionsSheet, BadPageCountOrDaysKeepTheSheetOpenWithTheFrameworkWarning) {
    const struct {
        int id;
        const wchar_t* typed;
        const wchar_t* warning;
    } bad[] = {
        {IDC_GROUP_COUNT, L"100", L"1 から 99 までの整数を入力してください。"},
        {IDC_GROUP_COUNT, L"0", L"1 から 99 までの整数を入力してください。"},
        {IDC_DAYS_NEW, L"100", L"0 から 99 までの整数を入力してください。"},
        {IDC_DAYS_NEW, L"abc", L"整数を入力してください。"},
    };
    int ranges[4] = {-1, -1, -1, -1};
    const SheetRun run = RunSheet(Stored(), [&](HWND sheet) {
        const HWND page = Page(sheet);
        for (int i : {0, 1}) {
            SendDlgItemMessageW(page, i ? IDC_DAYS_NEW_SPIN : IDC_GROUP_COUNT_SPIN, UDM_GETRANGE32,
                                reinterpret_cast<WPARAM>(&ranges[2 * i]), reinterpret_cast<LPARAM>(&ranges[2 * i + 1]));
        }
        for (const auto& b : bad) {
            SetText(page, b.id, b.typed);
            PressOk(sheet);
            SetText(page, b.id, b.id == IDC_GROUP_COUNT ? L"2" : L"0");
        }
        PressOk(sheet);
    }, std::vector<SheetAnswer>(std::size(bad), {IDOK}));
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(std::vector<int>(ranges, ranges + 4), (std::vector<int>{1, 99, 0, 99}));
    ASSERT_EQ(run.dialogs.size(), std::size(bad));
    for (size_t i = 0; i < std::size(bad); ++i) EXPECT_EQ(run.dialogs[i].text, bad[i].warning);
    EXPECT_EQ(run.edited.groupCount, 2);
    EXPECT_EQ(run.edited.daysNew, 0);
    const varolin::OptionChanges changes = varolin::ComputeOptionChanges(Stored(), run.edited, 4);
    EXPECT_EQ(changes.refresh, varolin::kRefreshRebuild);
    EXPECT_EQ(changes.currentPage, 1);
}

TEST(FontPage, DefaultFontShowsElevenPointsAndATypedSizeOutsideOneTo1638IsReportedAndReset) {
    const OptionValues stored = Stored();  // the default font: "ＭＳ Ｐゴシック", height -15
    std::wstring face, size;
    std::vector<std::wstring> afterReset;
    const SheetRun run = RunSheet(stored, [&](HWND sheet) {
        const HWND page = ShowPage(sheet, 1);
        face = Text(page, IDC_FACE_NAME);
        size = Text(page, IDC_FONT_SIZE);
        for (const wchar_t* typed : {L"1639", L"0", L"abc"}) {
            TypeInto(page, IDC_FONT_SIZE, typed);
            Notify(page, IDC_FONT_SIZE, CBN_KILLFOCUS);
            afterReset.push_back(Text(page, IDC_FONT_SIZE));
        }
        TypeInto(page, IDC_FONT_SIZE, L"0");
        PressOk(sheet);  // Enter while typing: no focus change
        TypeInto(page, IDC_FONT_SIZE, L"10.5");
        Click(page, IDC_STRIKEOUT);
        Click(page, IDC_UNDERLINE);
        PressOk(sheet);
    }, std::vector<SheetAnswer>(4, {IDOK}));
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(face, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(size, L"11");
    EXPECT_EQ(afterReset, (std::vector<std::wstring>{L"10", L"10", L"10"}));
    ASSERT_EQ(run.dialogs.size(), 4u);
    for (const AnsweredDialog& box : run.dialogs) {
        EXPECT_EQ(box.caption, L"Varolin");
        EXPECT_EQ(box.text, L"1から1638までの数値を入力して下さい");
    }
    const LogFontRecord& font = run.edited.logFont;
    EXPECT_EQ(font.FaceName(), WideToAnsi(L"ＭＳ Ｐゴシック"));
    EXPECT_EQ(font.lfHeight, Height(11));  // 10.5 rounded up
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfStrikeOut, 1);
    EXPECT_EQ(font.lfUnderline, 1);
    EXPECT_EQ(varolin::ComputeOptionChanges(stored, run.edited, 0).refresh, varolin::kRefreshRepaint);
}

TEST(FontPage, FacesListedOnceWithoutVerticalOnesRasterFacesWithTheirOwnSizesAndABoldItalicChoiceStored) {
    DWORD fontType = 0;
    size_t styles = 0;
    int verticalFaces = 0, duplicates = 0;
    std::vector<std::wstring> rasterSizes;
    const SheetRun run = RunSheet(Stored(), [&](HWND sheet) {
        const HWND page = ShowPage(sheet, 1);
        const std::vector<std::wstring> faces = Items(page, IDC_FACE_NAME);
        std::wstring rasterFace;
        for (size_t i = 0; i < faces.size(); ++i) {
            if (!faces[i].empty() && faces[i][0] == L'@') ++verticalFaces;
            if (i > 0 && CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, faces[i].c_str(), -1,
                                        faces[i - 1].c_str(), -1) == CSTR_EQUAL)
                ++duplicates;
            if (FaceAt(page, static_cast<int>(i))->fontType == RASTER_FONTTYPE) rasterFace = faces[i];
        }
        if (!rasterFace.empty()) {
            SelectText(page, IDC_FACE_NAME, rasterFace);
            rasterSizes = Items(page, IDC_FONT_SIZE);
        }
        SelectText(page, IDC_FACE_NAME, L"Tahoma");
        fontType = FaceAt(page, Selected(page, IDC_FACE_NAME))->fontType;
        styles = Items(page, IDC_FONT_STYLE).size();
        Select(page, IDC_FONT_STYLE, 3);  // bold italic
        SelectText(page, IDC_FONT_SIZE, L"14");
        PressOk(sheet);
    });
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(verticalFaces, 0);
    EXPECT_EQ(duplicates, 0);
    // A raster face offers only its own sizes, small to large: fewer than the standard ones.
    ASSERT_FALSE(rasterSizes.empty()) << "no raster face on this screen";
    EXPECT_LT(rasterSizes.size(), 16u);
    for (size_t i = 1; i < rasterSizes.size(); ++i) EXPECT_LT(std::stoi(rasterSizes[i - 1]), std::stoi(rasterSizes[i]));
    EXPECT_TRUE(fontType & TRUETYPE_FONTTYPE);
    EXPECT_EQ(styles, 4u);
    const LogFontRecord& font = run.edited.logFont;
    EXPECT_EQ(font.FaceName(), "Tahoma");
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_EQ(font.lfHeight, Height(14));
    EXPECT_EQ(font.lfStrikeOut, 0);
}

namespace {
std::optional<DWORD> StoredInt(const wchar_t* name) {
    const auto value = ReadRegistryValue(L"Option", name);
    if (!value || value->type != REG_DWORD) return std::nullopt;
    return value->AsDword();
}
}  // namespace

using OptionsStore = CleanRegistryTest;

TEST_F(OptionsStore, OkWritesOnlyWhatChangedAndBoxesStoredAsTwoComeBackAsZero) {
    WriteRegistryDword(L"Option", L"DisplayCount", 2);
    WriteRegistryDword(L"Option", L"RenameConfirm", 2);
    WriteRegistryDword(L"Option", L"RenameFormat", 7);
    AppSettings settings;
    const BarSettings bar = LoadSettings(settings);
    const OptionValues inForce = OptionsInForce(settings, bar.nGroupCount, bar.logFont);
    EXPECT_EQ(inForce.displayCount, 2);

    bool displayTicked = true, confirmTicked = true;
    int selection = 0;
    const SheetRun run = RunSheet(inForce, [&](HWND sheet) {
        displayTicked = Checked(Page(sheet), IDC_DISPLAY_COUNT);
        confirmTicked = Checked(Page(sheet), IDC_RENAME_CONFIRM);
        selection = Selected(Page(sheet), IDC_RENAME_FORMAT);
        PressOk(sheet);
    });
    ASSERT_TRUE(run.ok);
    EXPECT_FALSE(displayTicked);
    EXPECT_FALSE(confirmTicked);
    EXPECT_EQ(selection, CB_ERR);
    StoreOptionChanges(settings, varolin::ComputeOptionChanges(inForce, run.edited, bar.nSelGroup), run.edited);

    EXPECT_EQ(StoredInt(L"DisplayCount"), 0u);
    EXPECT_EQ(StoredInt(L"RenameConfirm"), 0u);
    EXPECT_EQ(StoredInt(L"RenameFormat"), 7u);
    EXPECT_EQ(settings.nDisplayCount, 0);
    EXPECT_EQ(settings.nRenameConfirm, 0);
    EXPECT_EQ(settings.nRenameFormat, 7);
    for (const wchar_t* untouched : {L"DaysNew", L"GroupCount", L"LogFont"})
        EXPECT_FALSE(ReadRegistryValue(L"Option", untouched)) << testing::PrintToString(std::wstring(untouched));
    std::vector<BYTE> bytes;  // a binary read finds nothing in a value of another type
    EXPECT_FALSE(profile::GetProfileBinary(L"Option", L"DisplayCount", bytes));
}
