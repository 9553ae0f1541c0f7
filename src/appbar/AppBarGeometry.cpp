#include "appbar/AppBarGeometry.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace varolin {

namespace {

int ClampToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// Coordinates of stored rectangles are untrusted: sums are formed wide and clamped.
int Add(int a, long long b) { return ClampToInt(a + b); }
int Sub(int a, long long b) { return ClampToInt(a - b); }

Rect RectAt(int x, int y, int w, int h) { return Rect{x, y, Add(x, w), Add(y, h)}; }

// Client size rounded to the nearest whole step, halves up; division truncates toward zero
// as the system's own sizing arithmetic does.
int RoundOuterSize(int outer, int frame, int step) {
    if (step < 1) return outer;
    const long long client = static_cast<long long>(outer) - frame;
    return ClampToInt((client + step / 2) / step * step + frame);
}

}  // namespace

int Rect::Width() const { return ClampToInt(static_cast<long long>(right) - left); }
int Rect::Height() const { return ClampToInt(static_cast<long long>(bottom) - top); }

Edge EdgeFromPoint(unsigned options, Point pt, const ScreenMetrics& m, const Rect& screen, const Rect& workArea) {
    const bool leftRight = (options & BAR_ALLOW_LEFTRIGHT) != 0;
    const bool topBottom = (options & BAR_ALLOW_TOPBOTTOM) != 0;
    if (options & BAR_ALLOW_FLOAT) {
        const Rect inner{workArea.left + m.cxVScroll, workArea.top + m.cyHScroll,
                         workArea.right - m.cxVScroll, workArea.bottom - m.cyHScroll};
        if (inner.Contains(pt) || (!leftRight && !topBottom)) return Edge::Float;
    }
    const long long cx = screen.Width();
    const long long cy = screen.Height();
    const long long dx = static_cast<long long>(pt.x) - screen.left - cx / 2;
    const long long dy = static_cast<long long>(pt.y) - screen.top - cy / 2;
    const Edge horizontal = dx < 0 ? Edge::Left : Edge::Right;
    const Edge vertical = dy < 0 ? Edge::Top : Edge::Bottom;
    // Nearer a horizontal edge, measured against the screen's proportions.
    if (std::llabs(dy) * cx > std::llabs(dx) * cy) {
        return topBottom ? vertical : horizontal;
    }
    if (leftRight) return horizontal;
    return topBottom ? vertical : horizontal;
}

Edge ProposedEdge(unsigned options, Point pt, bool ctrlDown, const ScreenMetrics& metrics,
                  const Rect& screen, const Rect& workArea) {
    if (ctrlDown && (options & BAR_ALLOW_FLOAT)) return Edge::Float;
    return EdgeFromPoint(options, pt, metrics, screen, workArea);
}

Rect DockStrip(Edge edge, const Rect& area, int thickness, const Rect& screen) {
    Rect rc = area;
    const int extent = IsHorizontalEdge(edge) ? screen.Height() : screen.Width();
    const int t = std::clamp(thickness, 0, std::max(extent, 0));
    switch (edge) {
    case Edge::Left: rc.right = Add(rc.left, t); break;
    case Edge::Top: rc.bottom = Add(rc.top, t); break;
    case Edge::Right: rc.left = Sub(rc.right, t); break;
    case Edge::Bottom: rc.top = Sub(rc.bottom, t); break;
    default: break;
    }
    return rc;
}

Rect FloatRectAtCursor(const Rect& rcFloat, Point cursor) {
    const int w = rcFloat.Width();
    return RectAt(Sub(cursor.x, w / 2), cursor.y, w, rcFloat.Height());
}

Rect RoundSizeToSteps(const Rect& proposed, int side, int frameW, int frameH, int stepX, int stepY) {
    const int w = RoundOuterSize(proposed.Width(), frameW, stepX);
    const int h = RoundOuterSize(proposed.Height(), frameH, stepY);
    const bool left = side == kSizeLeft || side == kSizeTopLeft || side == kSizeBottomLeft;
    const bool right = side == kSizeRight || side == kSizeTopRight || side == kSizeBottomRight;
    const bool top = side == kSizeTop || side == kSizeTopLeft || side == kSizeTopRight;
    const bool bottom = side == kSizeBottom || side == kSizeBottomLeft || side == kSizeBottomRight;
    Rect r = proposed;
    if (left) r.left = Sub(r.right, w);
    if (right) r.right = Add(r.left, w);
    if (top) r.top = Sub(r.bottom, h);
    if (bottom) r.bottom = Add(r.top, h);
    return r;
}

int BarHitTest(Edge edge, int defaultHit, bool primaryButtonDown, int stepX, int stepY,
               const Rect& client, Point cursor) {
    int hit = defaultHit;
    if (hit == kHitClient && primaryButtonDown) hit = kHitCaption;
    if (!IsScreenEdge(edge) || hit < kHitLeft || hit > kHitBottomRight) return hit;
    const int step = IsHorizontalEdge(edge) ? stepY : stepX;
    if (step < 1) return kHitBorder;
    switch (edge) {
    case Edge::Left: return cursor.x >= client.right ? kHitRight : kHitBorder;
    case Edge::Top: return cursor.y >= client.bottom ? kHitBottom : kHitBorder;
    case Edge::Right: return cursor.x < client.left ? kHitLeft : kHitBorder;
    default: return cursor.y < client.top ? kHitTop : kHitBorder;
    }
}

bool AutoHideRect(Edge edge, bool shown, Rect& rc, const Rect& screen, const ScreenMetrics& m) {
    if (!IsScreenEdge(edge)) return false;
    const int w = rc.Width();
    const int h = rc.Height();
    const int stripX = 2 * m.cxBorder;
    const int stripY = 2 * m.cyBorder;
    Point corner;
    switch (edge) {
    case Edge::Left: corner = {shown ? screen.left : Sub(Add(screen.left, stripX), w), screen.top}; break;
    case Edge::Top: corner = {screen.left, shown ? screen.top : Sub(Add(screen.top, stripY), h)}; break;
    case Edge::Right: corner = {Sub(screen.right, shown ? w : stripX), screen.top}; break;
    default: corner = {screen.left, Sub(screen.bottom, shown ? h : stripY)}; break;
    }
    rc = RectAt(corner.x, corner.y, w, h);
    return true;
}

bool SlideFrameDue(std::uint32_t t0, std::uint32_t t) {
    // Unsigned 32-bit arithmetic on purpose: both tests wrap with the tick counter.
    return t < t0 + kSlideDuration && t - t0 < kSlideDuration;
}

Rect SlideFrame(const Rect& from, const Rect& to, std::uint32_t elapsed) {
    const long long dt = std::min<std::uint32_t>(elapsed, kSlideDuration);
    const long long d = kSlideDuration;
    auto step = [&](long long a, long long b) { return ClampToInt(a - (a - b) * dt / d); };
    const int x = step(from.left, to.left);
    const int y = step(from.top, to.top);
    const int cx = step(from.Width(), to.Width());
    const int cy = step(from.Height(), to.Height());
    return RectAt(x, y, cx, cy);
}

bool TimerHidesBar(bool barIsActive, const Rect& window, Point cursor, const ScreenMetrics& m) {
    if (barIsActive) return false;
    const long long mx = 2LL * m.cxDoubleClk;
    const long long my = 2LL * m.cyDoubleClk;
    const Rect margin{Sub(window.left, mx), Sub(window.top, my), Add(window.right, mx),
                      Add(window.bottom, my)};
    return !margin.Contains(cursor);
}

}  // namespace varolin
