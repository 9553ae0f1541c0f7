#include <windows.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "shell/LogFontW.h"
#include "shell/ShellHelpers.h"
#include "support/ButtonHost.h"
#include "support/DialogAnswerer.h"
#include "support/TempFolder.h"

// The image's key colour is the colour of its top-left pixel (pure blue here): exactly those
// pixels show what was there, near-blue ones show the image.
TEST(TransparentDrawing, OnlyTheKeyColourShowsTheBackground) {
    const std::vector<DWORD> pixels = {0x0000FF, 0xFFFF00, 0x0000FE, 0x0100FF, 0x0000FF};  // 0x00RRGGBB
    PixelBitmap image(5, 1), target(5, 1);
    std::copy(pixels.begin(), pixels.end(), image.bits);
    std::fill(target.bits, target.bits + 5, 0x0AC81E);
    OwnedBitmap mask;
    MakeMaskBitmap(image.bitmap.Get(), mask);
    OwnedDC dc(CreateCompatibleDC(nullptr));
    {
        SelectScope select(dc.Get(), target.bitmap.Get());
        SetBkColor(dc.Get(), RGB(1, 2, 3));
        SetTextColor(dc.Get(), RGB(4, 5, 6));
        DrawTransparent(dc.Get(), image.bitmap.Get(), mask.Get(), 0, 0, 5, 1);
        EXPECT_EQ(GetBkColor(dc.Get()), RGB(1, 2, 3)) << "the DC's colours are put back";
        EXPECT_EQ(GetTextColor(dc.Get()), RGB(4, 5, 6));
        GdiFlush();
    }
    EXPECT_EQ(std::vector<DWORD>(target.bits, target.bits + 5),
              (std::vector<DWORD>{0x0AC81E, 0xFFFF00, 0x0000FE, 0x0100FF, 0x0AC81E}));
}

TEST(SystemError, ShowsTheSystemTextOrTheCodeWithAStopIcon) {
    DialogAnswerer answerer;
    answerer.Answer(IDOK);
    answerer.Answer(IDOK);
    ShowSystemError(ERROR_FILE_NOT_FOUND);
    ShowSystemError(0x2000ABCD);  // an application-defined code: the system has no text
    ASSERT_EQ(answerer.Count(), 2u);
    EXPECT_EQ(answerer.Dialogs()[0].caption, L"Varolin");
    EXPECT_FALSE(answerer.Dialogs()[0].text.empty());
    EXPECT_NE(answerer.Dialogs()[1].text.find(L"0x2000ABCD"), std::wstring::npos)
        << testing::PrintToString(answerer.Dialogs()[1].text);
}

namespace {
// The folders a browser on this thread was asked to preselect. Wine's browser does not always
// walk its tree to a preselected folder, so the request itself is checked.
thread_local std::vector<std::wstring> t_selections;

LRESULT CALLBACK RecordSelection(int code, WPARAM wp, LPARAM lp) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && call->message == BFFM_SETSELECTIONW && call->wParam)
        t_selections.push_back(reinterpret_cast<const wchar_t*>(call->lParam));
    return CallNextHookEx(nullptr, code, wp, lp);
}
}  // namespace

TEST(FolderBrowser, PreselectsTheFolderWithoutItsBackslashAndReturnsTheChoiceWithOne) {
    TempFolder temp;
    const std::wstring folder = temp.MakeFolder(L"年表");
    const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, RecordSelection, nullptr, GetCurrentThreadId());
    DialogAnswerer answerer;

    answerer.Answer(IDOK);
    std::wstring path = folder;
    EXPECT_TRUE(BrowseForFolder(nullptr, path, L"フォルダを選択して下さい"));
    EXPECT_EQ(std::exchange(t_selections, {}), std::vector<std::wstring>{folder.substr(0, folder.size() - 1)});
    EXPECT_TRUE(IsFolder(path));
    EXPECT_EQ(path.back(), L'\\');

    // A drive root keeps its backslash; an empty path preselects nothing.
    for (std::wstring root : {L"C:\\", L""}) {
        answerer.Answer(IDCANCEL);
        path = root;
        EXPECT_FALSE(BrowseForFolder(nullptr, path, L"title"));
        EXPECT_EQ(std::exchange(t_selections, {}), root.empty() ? std::vector<std::wstring>{} : std::vector{root});
        EXPECT_EQ(path, root);
    }
    UnhookWindowsHookEx(hook);
}

TEST(ButtonFonts, FaceNamesConvertWithoutSplittingADoubleByteCharacter) {
    const varolin::LogFontRecord record = varolin::LogFontRecord::Default();
    EXPECT_EQ(FromLogFontW(ToLogFontW(record)), record);

    LOGFONTW font{};
    const std::wstring longFace(20, L'表');  // 40 bytes in code page 932
    longFace.copy(font.lfFaceName, longFace.size());
    const varolin::LogFontRecord cut = FromLogFontW(font);
    EXPECT_EQ(cut.FaceName().size(), 30u);
    EXPECT_EQ(std::wstring(ToLogFontW(cut).lfFaceName), std::wstring(15, L'表'));
}
