#include "shell/AppGlobals.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

#include "framework/Strings.h"
#include "shell/ShellHelpers.h"

using varolin::ScaleForDpi;

OwnedFont g_fontButton;
OwnedFont g_fontButtonVert;
OwnedBitmap g_bmpNewMark;
OwnedBitmap g_bmpNewMarkMask;

namespace {

int g_nButtonDpi = varolin::kDefaultDpi;  // what g_fontButton was made for

constexpr int kNewMarkWidth = 23;
constexpr int kNewMarkHeight = 12;
constexpr COLORREF kNewMarkKey = RGB(0, 0, 255);
constexpr COLORREF kNewMarkPlate = RGB(255, 255, 0);
constexpr COLORREF kNewMarkInk = RGB(0, 0, 0);

// The badge's shapes in 96-DPI pixels: a stroke is one pixel wide, so at any scale its width
// is one scaled pixel and every letter keeps the same weight.
struct Stroke {
    int x, y, width, height;
};
// N, E and W between rows 3 and 9: upright strokes, then the slanted ones from top to bottom.
constexpr Stroke kUpright[] = {{4, 3, 1, 6}, {8, 3, 1, 6},                              // N
                               {10, 3, 1, 6}, {10, 3, 3, 1}, {10, 5, 3, 1}, {10, 8, 3, 1}};  // E
struct Slant {
    int topX, topY, bottomX, bottomY;
};
constexpr Slant kSlanted[] = {{4, 3, 8, 9},                                             // N
                              {14, 3, 15, 9}, {16, 5, 15, 9}, {16, 5, 17, 9}, {18, 3, 17, 9}};  // W

void DrawNewMark(HDC dc, int dpi) {
    auto s = [dpi](int v) { return ScaleForDpi(v, dpi); };
    const int line = std::max(1, s(1));
    const RECT all{0, 0, s(kNewMarkWidth), s(kNewMarkHeight)};
    OwnedBrush key(CreateSolidBrush(kNewMarkKey));
    OwnedBrush plate(CreateSolidBrush(kNewMarkPlate));
    OwnedBrush ink(CreateSolidBrush(kNewMarkInk));
    FillRect(dc, &all, key.Get());
    const SelectScope noPen(dc, GetStockObject(NULL_PEN));
    {
        // Without a pen the right and bottom sides fall one pixel short: the plate covers
        // pixels 1 to 21 across and 1 to 10 down at 96 DPI, its corners rounded off.
        const SelectScope fill(dc, plate.Get());
        RoundRect(dc, s(1), s(1), s(kNewMarkWidth - 1) + 1, s(kNewMarkHeight - 1) + 1, s(3), s(3));
    }
    for (const Stroke& k : kUpright) {
        const int x = s(k.x);
        const int y = s(k.y);
        const RECT rc{x, y, x + (k.width == 1 ? line : s(k.width)), y + (k.height == 1 ? line : s(k.height))};
        FillRect(dc, &rc, ink.Get());
    }
    const SelectScope fill(dc, ink.Get());
    for (const Slant& k : kSlanted) {
        const POINT corners[] = {{s(k.topX), s(k.topY)}, {s(k.topX) + line, s(k.topY)},
                                 {s(k.bottomX) + line, s(k.bottomY)}, {s(k.bottomX), s(k.bottomY)}};
        Polygon(dc, corners, 4);
    }
}

}  // namespace

void CreateButtonFonts(const varolin::LogFontRecord& logFont, int dpi) {
    g_fontButton.Reset();
    g_fontButtonVert.Reset();
    LOGFONTW font = ToLogFontW(logFont);
    font.lfHeight = ScaleForDpi(font.lfHeight, dpi);
    font.lfWidth = ScaleForDpi(font.lfWidth, dpi);
    g_fontButton.Reset(CreateFontIndirectW(&font));
    font.lfEscapement = -900;
    font.lfClipPrecision = CLIP_LH_ANGLES;
    g_fontButtonVert.Reset(CreateFontIndirectW(&font));
    g_nButtonDpi = dpi;
}

int ButtonDrawingDpi() { return g_nButtonDpi; }

void CreateNewMark(int dpi) {
    WindowDC screen(nullptr);
    OwnedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), ScaleForDpi(kNewMarkWidth, dpi), ScaleForDpi(kNewMarkHeight, dpi)));
    OwnedDC dc(CreateCompatibleDC(screen.Get()));
    if (!bitmap || !dc) return;
    {
        const SelectScope select(dc.Get(), bitmap.Get());
        DrawNewMark(dc.Get(), dpi);
    }
    g_bmpNewMark = std::move(bitmap);
    MakeMaskBitmap(g_bmpNewMark.Get(), g_bmpNewMarkMask);
}

HICON LoadFileIcon(const std::wstring& path, int size) {
    SHFILEINFOW info{};
    // From the file that holds the icon, at the size asked: the best of its images, not a
    // small one stretched.
    if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_ICONLOCATION) && info.szDisplayName[0]) {
        HICON icon = nullptr;
        const UINT sizes = MAKELONG(size, size);
        if (SHDefExtractIconW(info.szDisplayName, info.iIcon, 0, &icon, nullptr, sizes) == S_OK && icon) return icon;
    }
    // Icons the shell makes itself: its large one, brought down to the size.
    SHFILEINFOW large{};
    if (!SHGetFileInfoW(path.c_str(), 0, &large, sizeof large, SHGFI_ICON | SHGFI_LARGEICON) || !large.hIcon)
        return nullptr;
    const OwnedIcon owned(large.hIcon);
    return static_cast<HICON>(CopyImage(owned.Get(), IMAGE_ICON, size, size, 0));
}

LOGFONTW ToLogFontW(const varolin::LogFontRecord& record) {
    LOGFONTW font{};
    font.lfHeight = record.lfHeight;
    font.lfWidth = record.lfWidth;
    font.lfEscapement = record.lfEscapement;
    font.lfOrientation = record.lfOrientation;
    font.lfWeight = record.lfWeight;
    font.lfItalic = record.lfItalic;
    font.lfUnderline = record.lfUnderline;
    font.lfStrikeOut = record.lfStrikeOut;
    font.lfCharSet = record.lfCharSet;
    font.lfOutPrecision = record.lfOutPrecision;
    font.lfClipPrecision = record.lfClipPrecision;
    font.lfQuality = record.lfQuality;
    font.lfPitchAndFamily = record.lfPitchAndFamily;
    const std::wstring face = AnsiToWide(record.FaceName());
    std::copy_n(face.begin(), std::min<size_t>(face.size(), LF_FACESIZE - 1), font.lfFaceName);
    return font;
}

varolin::LogFontRecord FromLogFontW(const LOGFONTW& font) {
    varolin::LogFontRecord record;
    record.lfHeight = font.lfHeight;
    record.lfWidth = font.lfWidth;
    record.lfEscapement = font.lfEscapement;
    record.lfOrientation = font.lfOrientation;
    record.lfWeight = font.lfWeight;
    record.lfItalic = font.lfItalic;
    record.lfUnderline = font.lfUnderline;
    record.lfStrikeOut = font.lfStrikeOut;
    record.lfCharSet = font.lfCharSet;
    record.lfOutPrecision = font.lfOutPrecision;
    record.lfClipPrecision = font.lfClipPrecision;
    record.lfQuality = font.lfQuality;
    record.lfPitchAndFamily = font.lfPitchAndFamily;
    std::wstring face(font.lfFaceName, std::find(font.lfFaceName, font.lfFaceName + LF_FACESIZE, L'\0'));
    std::string ansi = WideToAnsi(face);
    // Drop whole characters until the name fits, so no lead byte is left alone.
    while (ansi.size() > varolin::kFaceNameSize - 1) {
        face.pop_back();
        ansi = WideToAnsi(face);
    }
    record.SetFaceName(ansi);
    return record;
}
