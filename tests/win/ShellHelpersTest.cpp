#include <windows.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "shell/AppGlobals.h"
#include "shell/ShellHelpers.h"
#include "support/DialogAnswerer.h"
#include "support/TempFolder.h"

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);

// A 32-bit top-down DIB section whose pixels the test reads and writes directly.
struct PixelBitmap {
    OwnedBitmap bitmap;
    DWORD* bits = nullptr;
    int width = 0, height = 0;

    PixelBitmap(int w, int h) : width(w), height(h) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* memory = nullptr;
        bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
        bits = static_cast<DWORD*>(memory);
    }
    // DIB pixels are 0x00RRGGBB; COLORREF is 0x00BBGGRR.
    void Set(int x, int y, COLORREF c) {
        bits[y * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    COLORREF Get(int x, int y) const {
        const DWORD p = bits[y * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

std::wstring SystemText(DWORD code) {
    wchar_t* buffer = nullptr;
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT),
                   reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    std::wstring text = buffer ? buffer : L"";
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return text;
}

}  // namespace

// The image's key colour is pure blue (its top-left pixel). Every pure-blue pixel, at edges,
// corners and inside, must show the background; every other pixel, near-blue ones included,
// must show the image.
TEST(TransparentDrawing, PureBlueShowsTheBackgroundEverywhereAndNothingElseDoes) {
    const int w = 23, h = 12;
    PixelBitmap image(w, h);
    ASSERT_TRUE(image.bitmap);
    const COLORREF others[] = {RGB(255, 255, 0), RGB(0, 0, 0), RGB(0, 0, 254), RGB(1, 0, 255),
                               RGB(0, 1, 255), RGB(255, 255, 255), RGB(255, 0, 0)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool blue = (x * 7 + y * 3) % 5 == 0 || x == w - 1 || y == h - 1;
            image.Set(x, y, blue ? kBlue : others[(x + y) % 7]);
        }
    image.Set(0, 0, kBlue);

    OwnedBitmap mask;
    MakeMaskBitmap(image.bitmap.Get(), mask);
    ASSERT_TRUE(mask);

    const COLORREF background = RGB(10, 200, 30);
    const int dx = 3, dy = 4;
    PixelBitmap target(w + 8, h + 8);
    for (int y = 0; y < target.height; ++y)
        for (int x = 0; x < target.width; ++x) target.Set(x, y, background);
    OwnedDC dc(CreateCompatibleDC(nullptr));
    {
        SelectScope select(dc.Get(), target.bitmap.Get());
        SetBkColor(dc.Get(), RGB(1, 2, 3));
        SetTextColor(dc.Get(), RGB(4, 5, 6));
        DrawTransparent(dc.Get(), image.bitmap.Get(), mask.Get(), dx, dy, w, h);
        // The DC's colours are put back.
        EXPECT_EQ(GetBkColor(dc.Get()), RGB(1, 2, 3));
        EXPECT_EQ(GetTextColor(dc.Get()), RGB(4, 5, 6));
        GdiFlush();
    }
    int wrong = 0;
    for (int y = 0; y < target.height; ++y)
        for (int x = 0; x < target.width; ++x) {
            const int ix = x - dx, iy = y - dy;
            const bool inside = ix >= 0 && iy >= 0 && ix < w && iy < h;
            COLORREF expected = background;
            if (inside && image.Get(ix, iy) != kBlue) expected = image.Get(ix, iy);
            if (target.Get(x, y) != expected && ++wrong <= 5)
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << target.Get(x, y)
                              << ", expected " << expected;
        }
    EXPECT_EQ(wrong, 0);
}

TEST(SystemError, ShowsTheSystemTextOrTheCodeWithAStopIcon) {
    DialogAnswerer answerer;
    answerer.Answer(IDOK);
    answerer.Answer(IDOK);
    ShowSystemError(ERROR_FILE_NOT_FOUND);
    ShowSystemError(0x2000ABCD);  // an application-defined code: the system has no text
    ASSERT_EQ(answerer.Count(), 2u);
    EXPECT_EQ(answerer.Dialogs()[0].caption, L"Varolin");
    ASSERT_FALSE(SystemText(ERROR_FILE_NOT_FOUND).empty());
    EXPECT_EQ(answerer.Dialogs()[0].text, SystemText(ERROR_FILE_NOT_FOUND));
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
    const std::wstring withoutBackslash = folder.substr(0, folder.size() - 1);
    SelectionRequests requests;
    DialogAnswerer answerer;

    answerer.Answer(IDOK);
    std::wstring path = folder;
    EXPECT_TRUE(BrowseForFolder(nullptr, path, L"フォルダを選択して下さい"));
    EXPECT_EQ(requests.Take(), std::vector<std::wstring>{withoutBackslash});
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.back(), L'\\');
    EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_NE(answerer.Last().text.find(L"フォルダを選択して下さい"), std::wstring::npos);

    // A drive root keeps its backslash; an empty path preselects nothing.
    answerer.Answer(IDCANCEL);
    path = L"C:\\";
    EXPECT_FALSE(BrowseForFolder(nullptr, path, L"title"));
    EXPECT_EQ(requests.Take(), std::vector<std::wstring>{L"C:\\"});
    EXPECT_EQ(path, L"C:\\");

    answerer.Answer(IDCANCEL);
    path.clear();
    EXPECT_FALSE(BrowseForFolder(nullptr, path, L"title"));
    EXPECT_TRUE(requests.Take().empty());
    EXPECT_EQ(path, L"");
    EXPECT_EQ(answerer.Count(), 3u);
}

TEST(ButtonFonts, MadeTogetherFromTheStoredFontTheSecondTurnedDownwards) {
    CreateButtonFonts(varolin::LogFontRecord::Default());
    ASSERT_TRUE(g_fontButton);
    ASSERT_TRUE(g_fontButtonVert);
    LOGFONTW font{}, vert{};
    GetObjectW(g_fontButton.Get(), sizeof(font), &font);
    GetObjectW(g_fontButtonVert.Get(), sizeof(vert), &vert);
    EXPECT_EQ(font.lfHeight, -15);
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"ＭＳ Ｐゴシック");
    EXPECT_EQ(font.lfEscapement, 0);
    EXPECT_EQ(vert.lfEscapement, -900);
    EXPECT_EQ(vert.lfClipPrecision, CLIP_LH_ANGLES);
    EXPECT_EQ(std::wstring(vert.lfFaceName), L"ＭＳ Ｐゴシック");

    varolin::LogFontRecord bigger = varolin::LogFontRecord::Default();
    bigger.lfHeight = -30;
    CreateButtonFonts(bigger);
    GetObjectW(g_fontButton.Get(), sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, -30);
}

TEST(ButtonFonts, FaceNamesConvertWithoutSplittingADoubleByteCharacter) {
    const varolin::LogFontRecord record = varolin::LogFontRecord::Default();
    EXPECT_EQ(FromLogFontW(ToLogFontW(record)), record);

    LOGFONTW font{};
    const std::wstring longFace = L"表表表表表表表表表表表表表表表表表表表表";  // 40 bytes in code page 932
    longFace.copy(font.lfFaceName, longFace.size());
    const varolin::LogFontRecord cut = FromLogFontW(font);
    EXPECT_EQ(cut.FaceName().size(), 30u);
    EXPECT_EQ(std::wstring(ToLogFontW(cut).lfFaceName), std::wstring(15, L'表'));
}
