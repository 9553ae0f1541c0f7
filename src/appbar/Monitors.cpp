#include "appbar/Monitors.h"

#include <algorithm>
#include <climits>

namespace varolin {

namespace {

// How far apart two ranges with exclusive ends lie along one axis: 0 only where they overlap,
// so that a point next to a monitor is never counted as on it.
long long Gap(long long a0, long long a1, long long b0, long long b1) {
    if (a1 <= b0) return b0 - a1 + 1;
    if (b1 <= a0) return a0 - b1 + 1;
    return 0;
}

long long Distance(const Rect& a, const Rect& b) {
    const long long dx = Gap(a.left, a.right, b.left, b.right);
    const long long dy = Gap(a.top, a.bottom, b.top, b.bottom);
    return dx * dx + dy * dy;
}

long long Overlap(const Rect& a, const Rect& b) {
    const long long w = std::min<long long>(a.right, b.right) - std::max<long long>(a.left, b.left);
    const long long h = std::min<long long>(a.bottom, b.bottom) - std::max<long long>(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// The best monitor by `score` (higher wins, the earlier listed on a tie).
template <typename Score>
const Monitor& Best(const MonitorList& monitors, Score score) {
    return *std::max_element(monitors.begin(), monitors.end(),
                             [&](const Monitor& a, const Monitor& b) { return score(a) < score(b); });
}

// `start` moved so that `length` from it lies within [lo, hi) where it fits, else to lo.
int FitInto(int start, int length, int lo, int hi) {
    const long long end = static_cast<long long>(start) + length;
    if (end > hi) start = static_cast<int>(std::max<long long>(lo, static_cast<long long>(hi) - length));
    return std::max(start, lo);
}

int Add(int a, int b) { return static_cast<int>(std::min<long long>(INT_MAX, static_cast<long long>(a) + b)); }

}  // namespace

const Monitor& FindMonitor(const MonitorList& monitors, const MonitorPlace& place) {
    for (const Monitor& m : monitors)
        if (!place.device.empty() && m.device == place.device) return m;
    for (const Monitor& m : monitors)
        if (m.rect == place.rect) return m;
    return monitors.front();
}

const Monitor& MonitorAt(const MonitorList& monitors, Point pt) {
    const Rect point{pt.x, pt.y, pt.x + 1, pt.y + 1};
    return Best(monitors, [&](const Monitor& m) { return -Distance(m.rect, point); });
}

Rect BringOntoMonitors(const MonitorList& monitors, const Rect& rc) {
    for (const Monitor& m : monitors)
        if (Overlap(m.workArea, rc) > 0) return rc;
    const Rect& area = Best(monitors, [&](const Monitor& m) { return -Distance(m.workArea, rc); }).workArea;
    const int w = rc.Width();
    const int h = rc.Height();
    const int left = FitInto(rc.left, w, area.left, area.right);
    const int top = FitInto(rc.top, h, area.top, area.bottom);
    return Rect{left, top, Add(left, w), Add(top, h)};
}

}  // namespace varolin
