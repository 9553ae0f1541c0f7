#include "shell/ButtonStyle.h"

#include <algorithm>
#include <utility>

#include "shell/LogFontW.h"
#include "shell/ShellHelpers.h"

using varolin::ScaleForDpi;

namespace {

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

OwnedBitmap MakeNewMark(int dpi) {
    WindowDC screen(nullptr);
    OwnedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), ScaleForDpi(kNewMarkWidth, dpi), ScaleForDpi(kNewMarkHeight, dpi)));
    OwnedDC dc(CreateCompatibleDC(screen.Get()));
    if (!bitmap || !dc) return {};
    {
        const SelectScope select(dc.Get(), bitmap.Get());
        DrawNewMark(dc.Get(), dpi);
    }
    return bitmap;
}

}  // namespace

ButtonStyle::ButtonStyle(const varolin::LogFontRecord& logFont, int dpi) : m_nDpi(dpi) {
    LOGFONTW font = ToLogFontW(logFont);
    font.lfHeight = ScaleForDpi(font.lfHeight, dpi);
    font.lfWidth = ScaleForDpi(font.lfWidth, dpi);
    m_fontButton.Reset(CreateFontIndirectW(&font));
    font.lfEscapement = -900;
    font.lfClipPrecision = CLIP_LH_ANGLES;
    m_fontButtonVert.Reset(CreateFontIndirectW(&font));
    m_bmpNewMark = MakeNewMark(dpi);
    MakeMaskBitmap(m_bmpNewMark.Get(), m_bmpNewMarkMask);
}

HFONT ButtonStyle::Font() const {
    return m_fontButton ? m_fontButton.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT ButtonStyle::VerticalFont() const {
    return m_fontButtonVert ? m_fontButtonVert.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}
