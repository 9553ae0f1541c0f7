#include "shell/AppGlobals.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <utility>

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
// N, E and W between rows 3 and 8, each stroke through the pixels of its ends and corners;
// {-1, -1} ends a shorter one.
constexpr std::pair<int, int> kNewMarkLetters[][5] = {
    {{4, 8}, {4, 3}, {8, 8}, {8, 3}, {-1, -1}},                  // N
    {{12, 3}, {10, 3}, {10, 8}, {12, 8}, {-1, -1}},              // E
    {{10, 5}, {12, 5}, {-1, -1}, {-1, -1}, {-1, -1}},
    {{14, 3}, {14, 7}, {15, 8}, {16, 7}, {16, 5}},               // W
    {{16, 7}, {17, 8}, {18, 7}, {18, 3}, {-1, -1}},
};

void DrawNewMark(HDC dc, int dpi) {
    auto s = [dpi](int v) { return ScaleForDpi(v, dpi); };
    const RECT all{0, 0, s(kNewMarkWidth), s(kNewMarkHeight)};
    OwnedBrush key(CreateSolidBrush(kNewMarkKey));
    OwnedBrush plate(CreateSolidBrush(kNewMarkPlate));
    FillRect(dc, &all, key.Get());
    {
        // Without a pen the right and bottom sides fall one pixel short: the plate covers
        // pixels 1 to 21 across and 1 to 10 down at 96 DPI, its corners rounded off.
        const SelectScope noPen(dc, GetStockObject(NULL_PEN));
        const SelectScope fill(dc, plate.Get());
        RoundRect(dc, s(1), s(1), s(kNewMarkWidth - 1) + 1, s(kNewMarkHeight - 1) + 1, s(3), s(3));
    }
    // The letters as strokes through pixels of the 96-DPI picture, drawn with a pen one
    // scaled pixel wide: the same weight everywhere at every scale, no picture stretched.
    const int line = std::max(1, s(1));
    const LOGBRUSH ink{BS_SOLID, kNewMarkInk, 0};
    const UniqueHandle<HPEN, GdiCloser<HPEN>> pen(
        ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE | PS_JOIN_BEVEL, static_cast<DWORD>(line), &ink, 0, nullptr));
    const SelectScope select(dc, pen.Get());
    // A wide pen is centred on its points: half its width further on, it starts at the pixel.
    auto at = [&](int v) { return s(v) + line / 2; };
    for (const auto& stroke : kNewMarkLetters) {
        POINT points[5];
        int count = 0;
        for (const auto& [x, y] : stroke) {
            if (x < 0) break;
            points[count++] = POINT{at(x), at(y)};
        }
        Polyline(dc, points, count);
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
    // From the file that holds the icon, at the size asked: the best of its images, not a
    // small one stretched. A program holds its own; other files name where theirs is.
    const UINT sizes = MAKELONG(size, size);
    HICON icon = nullptr;
    if (SHDefExtractIconW(path.c_str(), 0, 0, &icon, nullptr, sizes) == S_OK && icon) return icon;
    SHFILEINFOW info{};
    if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_ICONLOCATION) && info.szDisplayName[0] &&
        SHDefExtractIconW(info.szDisplayName, info.iIcon, 0, &icon, nullptr, sizes) == S_OK && icon)
        return icon;
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
