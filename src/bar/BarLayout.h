#pragma once
// The main bar's arithmetic: where its label, spin and pages go, how far it may be sized, how
// the pages step and what the label says. Portable.
#include <string>

#include "appbar/AppBarGeometry.h"
#include "appbar/Dpi.h"

namespace varolin {

struct BarRect {
    int x, y, width, height;
    bool operator==(const BarRect&) const = default;
};

struct BarLayout {
    BarRect label, spin, pages;
};

// Docked left or right the controls stack; otherwise (top, bottom, floating) they line up,
// `gap` pixels apart (2 at 96 DPI).
BarLayout LayOutBar(bool sideEdge, int clientWidth, int clientHeight, int labelWidth, int labelHeight, int gap = 2);

// The page after (delta +1) or before (any other delta) `current`, wrapping around.
int StepPage(int current, int delta, int pageCount);

// "%d" when the label is narrower than it was made, else "%d / %d".
std::wstring PageLabelText(int currentPage, int pageCount, bool narrow);

struct TrackLimits {
    int minWidth = 0, minHeight = 0;  // 0: no limit of its own
    int maxWidth = 0, maxHeight = 0;
};

// The screen is the bar's monitor; `captionHeight` is the outer height of an empty client area
// with the current styles; frames and caption at the bar's `dpi`, which the fixed minimums
// are scaled to.
TrackLimits BarTrackLimits(Edge edge, int screenWidth, int screenHeight, int frameX, int frameY, int captionHeight,
                           int dpi = kDefaultDpi);

}  // namespace varolin
