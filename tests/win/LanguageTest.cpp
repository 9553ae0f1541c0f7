// Every window, menu and box speaks the language set at start, whatever the thread's locale: run
// under Japanese and English locales, these catch a text loaded past the helper either way.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "bar/BarApp.h"
#include "dialogs/PrpSheet.h"
#include "framework/Resources.h"
#include "framework/Strings.h"
#include "framework/UiLanguage.h"
#include "shell/ShellHelpers.h"
#include "support/MainBarFixture.h"

namespace {
using Texts = std::vector<std::wstring>;  // menu items, box, sheet captions and tabs, same-name dialog
const Texts kJapanese{L"フォルダボタンの追加(&A)...", L"Varolinの終了(&X)", L"既に起動されています", L"オプション",
                      L"各種設定", L"フォルダボタンのフォント", L"プロパティ", L"設定", L"配色", L"同名ファイルの処理"};
const Texts kEnglish{L"&Add Folder Button...", L"E&xit Varolin", L"Varolin is already running.", L"Options",
                     L"General", L"Font", L"Properties", L"Text", L"Colors", L"Confirm File Replace"};

// A sheet step that notes the two tabs' texts and closes the sheet.
SheetStep ReadTabs(Texts& shown) {
    return [&shown](HWND sheet) {
        for (int index : {0, 1}) {
            wchar_t text[64]{};
            TCITEMW item{TCIF_TEXT, 0, 0, text, 64, 0, 0};
            SendMessageW(PropSheet_GetTabControl(sheet), TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
            shown.push_back(text);
        }
        PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
    };
}
}  // namespace

class Language : public MainBarFixture, public testing::WithParamInterface<LANGID> {
protected:
    void TearDown() override {
        MainBarFixture::TearDown();
        SetResourceLanguage(uilang::kJapanese);  // what every other test expects
    }
};

TEST_P(Language, MenusBoxesSheetsAndDialogsSpeakIt) {
    SetResourceLanguage(GetParam());
    StartBar();
    OpenMenu();
    Texts shown = MenuTexts();
    AppMessageBox(nullptr, IDS_ALREADY_RUNNING);
    shown.push_back(m_answerer->Last().text);

    m_answerer->Answer(kLeaveSheetOpen);
    shown.push_back(LoadStr(IDS_OPTIONS_CAPTION));
    {
        SheetScript script(shown.back(), {ReadTabs(shown)});
        Command(ID_BAR_OPTIONS);
        EXPECT_TRUE(script.AllRan());
    }
    shown.push_back(LoadStr(IDS_PROPERTIES_CAPTION));
    varolin::ButtonRecord record = varolin::ButtonRecord::ForPath(m_dir.Path(), 0, 0xFFFFFF);
    RunScripted(shown.back(), {ReadTabs(shown)}, [&] { RunButtonProperties(nullptr, record, nullptr); });

    CDialog sameName(IDD_SAME_NAME);
    ASSERT_TRUE(sameName.Create(nullptr));  // its template's caption, before the file is named
    shown.push_back(WindowText(sameName.m_hWnd));
    sameName.DestroyWindow();
    EXPECT_EQ(shown, GetParam() == uilang::kJapanese ? kJapanese : kEnglish);
}

INSTANTIATE_TEST_SUITE_P(Each, Language, testing::Values(uilang::kJapanese, uilang::kEnglish),
                         [](const auto& info) { return info.param == uilang::kJapanese ? "Japanese" : "English"; });

TEST_F(CleanRegistryTest, LanguageIsTheStoredOneOrTheSystemsAndPicksTheHelpFile) {
    // The run under an English locale says so; Wine's own runs are otherwise Japanese.
    const char* system = std::getenv("VAROLIN_TEST_SYSTEM_LANGUAGE");
    const LANGID expected = system && std::string(system) == "0409" ? uilang::kEnglish : uilang::kJapanese;
    ChooseProgramLanguage();  // nothing stored
    EXPECT_EQ(ResourceLanguage(), expected);
    for (DWORD stored : {0x0409, 0x0411, 0}) {
        WriteRegistryDword(L"Common", L"Language", stored);
        ChooseProgramLanguage();
        EXPECT_EQ(ResourceLanguage(), stored ? stored : expected) << stored;
    }

    // English help where it exists.
    TempFolder dir;
    SetResourceLanguage(uilang::kEnglish);
    EXPECT_EQ(HelpFilePath(dir.Path()), dir.Path() + L"Varolin.chm");  // none there: the Japanese one
    ASSERT_TRUE(dir.WriteFile(L"Varolin.en.chm", std::string("en")));
    EXPECT_EQ(HelpFilePath(dir.Path()), dir.Path() + L"Varolin.en.chm");
    DialogAnswerer answerer;
    ShowHelp(L"C:\\no such folder\\", L"intro.htm");  // missing: silent
    EXPECT_EQ(answerer.Count(), 0u);
    SetResourceLanguage(uilang::kJapanese);
    EXPECT_EQ(HelpFilePath(dir.Path()), dir.Path() + L"Varolin.chm");
}
