#include "bar/BarLayout.h"

namespace varolin {

BarLayout LayOutBar(bool sideEdge, int cx, int cy, int lw, int lh, int gap) {
    if (sideEdge)
        return {{0, 0, cx, lh}, {0, lh + gap, cx, lh}, {0, 2 * (lh + gap), cx, cy - 2 * (lh + gap)}};
    return {{0, 0, lw, cy}, {lw + gap, 0, lw, cy}, {2 * (lw + gap), 0, cx - 2 * (lw + gap), cy}};
}

int StepPage(int current, int delta, int pageCount) {
    if (delta == 1) {
        const int next = current + 1;
        return next >= pageCount ? 0 : next;
    }
    const int previous = current - 1;
    return previous < 0 ? pageCount - 1 : previous;
}

std::wstring PageLabelText(int currentPage, int pageCount, bool narrow) {
    if (narrow) return std::to_wstring(currentPage + 1);
    return std::to_wstring(currentPage + 1) + L" / " + std::to_wstring(pageCount);
}

TrackLimits BarTrackLimits(Edge edge, int screenWidth, int screenHeight, int frameX, int frameY, int captionHeight,
                           int dpi) {
    TrackLimits limits;
    limits.maxWidth = screenWidth;
    limits.maxHeight = screenHeight;
    switch (edge) {
    case Edge::Float:
        limits.minWidth = ScaleForDpi(200, dpi);
        limits.minHeight = captionHeight + ScaleForDpi(22, dpi);
        break;
    case Edge::Top:
    case Edge::Bottom:
        limits.minHeight = 2 * frameY + ScaleForDpi(20, dpi);
        limits.maxHeight = screenHeight / 2;
        break;
    case Edge::Left:
    case Edge::Right:
        limits.minWidth = 2 * frameX + ScaleForDpi(20, dpi);
        limits.maxWidth = screenWidth / 2;
        break;
    default:
        break;
    }
    return limits;
}

}  // namespace varolin
