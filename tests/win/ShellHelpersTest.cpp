#include <windows.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "shell/AppGlobals.h"
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

    // A drive root keeps its backslash; an empty path preselects nothing.
    for (std::wstring root : {L"C:\\", L""}) {
        answerer.Answer(IDCANCEL);
        path = root;
        EXPECT_FALSE(BrowseForFolder(nullptr, path, L"title"));
        EXPECT_EQ(requests.Take(), root.empty() ? std::vector<std::wstring>{} : std::vector<std::wstring>{root});
        EXPECT_EQ(path, root);
    }
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
