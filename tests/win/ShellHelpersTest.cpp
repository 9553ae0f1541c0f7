#include <windows.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "shell/AppGlobals.h"
#include "shell/ShellHelpers.h"
#include "support/ButtonHost.h"
#include "support/DialogAnswerer.h"
#include "support/TempFolder.h"

// The image's key colour is the colour of its top-left pixel (pure blue here): exactly those
// pixels show the background, near-blue ones show the image.
TEST(TransparentDrawing, OnlyTheKeyColourShowsTheBackground) {
    const std::vector<DWORD> pixels = {0x0000FF, 0xFFFF00, 0x0000FE, 0x0000FF, 0x000000, 0x0100FF, 0x0000FF, 0xFFFFFF};
    PixelBitmap image(4, 2), target(6, 4);
    std::copy(pixels.begin(), pixels.end(), image.bits);
    std::fill(target.bits, target.bits + 24, 0x0AC81E);
    OwnedBitmap mask;
    MakeMaskBitmap(image.bitmap.Get(), mask);
    ASSERT_TRUE(mask);

    OwnedDC dc(CreateCompatibleDC(nullptr));
    {
        SelectScope select(dc.Get(), target.bitmap.Get());
        SetBkColor(dc.Get(), RGB(1, 2, 3));
        SetTextColor(dc.Get(), RGB(4, 5, 6));
        DrawTransparent(dc.Get(), image.bitmap.Get(), mask.Get(), 1, 1, 4, 2);
        EXPECT_EQ(GetBkColor(dc.Get()), RGB(1, 2, 3)) << "the DC's colours are put back";
        EXPECT_EQ(GetTextColor(dc.Get()), RGB(4, 5, 6));
        GdiFlush();
    }
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 1 && x < 5 && y >= 1 && y < 3;
            const DWORD drawn = inside ? pixels[(y - 1) * 4 + x - 1] : 0x0000FF;  // outside: as if keyed
            EXPECT_EQ(target.bits[y * 6 + x], drawn == 0x0000FF ? 0x0AC81E : drawn) << x << "," << y;
        }
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

// Records the folders that the browser is asked to preselect on this thread. Wine's browser
// does not always walk its tree to a preselected folder, so the request itself is checked.
class SelectionRequests {
public:
    SelectionRequests() : m_hook(SetWindowsHookExW(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId())) {
        t_requests = &m_paths;
    }
    ~SelectionRequests() {
        UnhookWindowsHookEx(m_hook);
        t_requests = nullptr;
    }
    std::vector<std::wstring> Take() { return std::exchange(m_paths, {}); }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
        if (code == HC_ACTION && t_requests && call->message == BFFM_SETSELECTIONW && call->wParam)
            t_requests->push_back(reinterpret_cast<const wchar_t*>(call->lParam));
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static inline thread_local std::vector<std::wstring>* t_requests = nullptr;
    HHOOK m_hook;
    std::vector<std::wstring> m_paths;
};

TEST(FolderBrowser, PreselectsTheFolderWithoutItsBackslashAndReturnsTheChoiceWithOne) {
    TempFolder temp;
    const std::wstring folder = temp.MakeFolder(L"年表");
    SelectionRequests requests;
    DialogAnswerer answerer;

    answerer.Answer(IDOK);
    std::wstring path = folder;
    EXPECT_TRUE(BrowseForFolder(nullptr, path, L"フォルダを選択して下さい"));
    EXPECT_EQ(requests.Take(), std::vector<std::wstring>{folder.substr(0, folder.size() - 1)});
    EXPECT_TRUE(IsFolder(path));
    EXPECT_EQ(path.back(), L'\\');
    EXPECT_NE(answerer.Last().text.find(L"フォルダを選択して下さい"), std::wstring::npos);

    // A drive root keeps its backslash; an empty path preselects nothing.
    for (std::wstring root : {L"C:\\", L""}) {
        answerer.Answer(IDCANCEL);
        path = root;
        EXPECT_FALSE(BrowseForFolder(nullptr, path, L"title"));
        EXPECT_EQ(requests.Take(), root.empty() ? std::vector<std::wstring>{} : std::vector<std::wstring>{root});
        EXPECT_EQ(path, root);
    }
}

TEST(ButtonFonts, TheSecondFontIsTheFirstTurnedDownwards) {
    varolin::LogFontRecord record = varolin::LogFontRecord::Default();
    record.lfHeight = -30;
    CreateButtonFonts(record);
    LOGFONTW font{}, vert{};
    GetObjectW(g_fontButton.Get(), sizeof(font), &font);
    GetObjectW(g_fontButtonVert.Get(), sizeof(vert), &vert);
    EXPECT_EQ(font.lfHeight, -30);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"ＭＳ Ｐゴシック");
    EXPECT_EQ(font.lfEscapement, 0);
    EXPECT_EQ(vert.lfEscapement, -900);
    EXPECT_EQ(vert.lfClipPrecision, CLIP_LH_ANGLES);
    font.lfEscapement = -900;
    font.lfClipPrecision = CLIP_LH_ANGLES;
    EXPECT_EQ(std::memcmp(&font, &vert, sizeof font), 0) << "otherwise the same";
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
