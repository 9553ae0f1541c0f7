#pragma once
// Screen geometry of a desktop tool bar: which edge a drag proposes, the docked strip, sizing
// in steps, the sizing borders a docked bar offers, auto-hide placement, the slide frames and
// the auto-hide timer's decision. Pure functions over plain rectangles; no window involved.
// Edges are those of one monitor, given by its rectangle in virtual-screen coordinates (a
// monitor left of or above the primary has negative ones).
#include <cstddef>
#include <cstdint>

namespace varolin {

struct Point {
    int x = 0;
    int y = 0;
};

// A rectangle with exclusive right and bottom sides, as the system's RECT.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // Widths and heights of damaged rectangles (stored ones) are clamped instead of overflowing.
    int Width() const;
    int Height() const;
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(Point pt) const { return pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom; }
    bool operator==(const Rect&) const = default;
};

// The edge a bar is docked to: the shell's four screen edges with their values, floating, and
// "not registered" (only once the window is gone). Stored as a signed 32-bit value.
enum class Edge : std::int32_t { Left = 0, Top = 1, Right = 2, Bottom = 3, None = -1, Float = -2 };

inline bool IsScreenEdge(Edge edge) { return edge >= Edge::Left && edge <= Edge::Bottom; }
inline bool IsHorizontalEdge(Edge edge) { return edge == Edge::Top || edge == Edge::Bottom; }
// The slot of a screen edge in the dock sizes, and its value in the shell's messages.
inline std::size_t DockIndex(Edge edge) { return static_cast<std::size_t>(edge); }
inline unsigned ShellEdge(Edge edge) { return static_cast<unsigned>(edge); }

// Capability flags of a bar.
inline constexpr unsigned BAR_ALLOW_LEFTRIGHT = 0x01;
inline constexpr unsigned BAR_ALLOW_TOPBOTTOM = 0x02;
inline constexpr unsigned BAR_ALLOW_FLOAT = 0x04;
inline constexpr unsigned BAR_FOLLOW_AUTOHIDE = 0x10;
inline constexpr unsigned BAR_FOLLOW_TOPMOST = 0x20;

// The system metrics the bar's geometry depends on, at the bar's DPI.
struct ScreenMetrics {
    int cxVScroll = 0;    // width of a vertical scroll bar
    int cyHScroll = 0;    // height of a horizontal scroll bar
    int cxBorder = 0;
    int cyBorder = 0;
    int cxDoubleClk = 0;  // double-click rectangle
    int cyDoubleClk = 0;
};

// The edge of the monitor `screen` (with its work area) that a bar dragged with the cursor at
// `pt` takes. The bar floats when the cursor is inside the work area shrunk by a scroll bar's
// width; otherwise the point is compared with the monitor's centre in the monitor's
// proportions (ties go to left or right).
Edge EdgeFromPoint(unsigned options, Point pt, const ScreenMetrics& metrics, const Rect& screen,
                   const Rect& workArea);

// As EdgeFromPoint, except that holding Ctrl floats a bar that may float.
Edge ProposedEdge(unsigned options, Point pt, bool ctrlDown, const ScreenMetrics& metrics,
                  const Rect& screen, const Rect& workArea);

// The strip of `area` at `edge` that is `thickness` pixels thick. The thickness is kept
// between 0 and the monitor's extent across the edge, so stored sizes cannot overflow.
Rect DockStrip(Edge edge, const Rect& area, int thickness, const Rect& screen);

// A floating rectangle moved so that the cursor is at the middle of its top side.
Rect FloatRectAtCursor(const Rect& rcFloat, Point cursor);

// Window sizing sides (WMSZ_*) and hit-test codes (HT*), with the system's values.
inline constexpr int kSizeLeft = 1;
inline constexpr int kSizeRight = 2;
inline constexpr int kSizeTop = 3;
inline constexpr int kSizeTopLeft = 4;
inline constexpr int kSizeTopRight = 5;
inline constexpr int kSizeBottom = 6;
inline constexpr int kSizeBottomLeft = 7;
inline constexpr int kSizeBottomRight = 8;

inline constexpr int kHitClient = 1;
inline constexpr int kHitCaption = 2;
inline constexpr int kHitLeft = 10;
inline constexpr int kHitRight = 11;
inline constexpr int kHitTop = 12;
inline constexpr int kHitBottom = 15;
inline constexpr int kHitBottomRight = 17;
inline constexpr int kHitBorder = 18;

// Rounds the client size of a window being sized to whole steps (nearest, halves up) and
// keeps the side opposite the dragged one. `frameW`/`frameH` are what the frame adds. A step
// below 1 leaves that dimension as proposed.
Rect RoundSizeToSteps(const Rect& proposed, int side, int frameW, int frameH, int stepX, int stepY);

// The hit-test answer of a bar. The uncovered client area drags the bar while the primary
// button is down; a docked bar is sized only from the side facing the screen's centre, and
// not at all when the step across its edge is 0.
int BarHitTest(Edge edge, int defaultHit, bool primaryButtonDown, int stepX, int stepY,
               const Rect& clientOnScreen, Point cursor);

// Places `rc` (keeping its size) where an auto-hide bar at `edge` of the monitor `screen` is
// shown or hidden; a hidden bar keeps two borders' width on the monitor. Returns false,
// leaving `rc`, for other edges.
bool AutoHideRect(Edge edge, bool shown, Rect& rc, const Rect& screen, const ScreenMetrics& metrics);

// The slide animation runs this long, in milliseconds.
inline constexpr std::uint32_t kSlideDuration = 400;

// Whether a slide that started at tick `t0` draws another frame at tick `t`. A start whose end
// would pass the tick counter's wrap-around draws none. The elapsed time is checked as well, so
// that a counter wrapping between two frames can never keep the loop running.
bool SlideFrameDue(std::uint32_t t0, std::uint32_t t);

// The frame `elapsed` milliseconds into a linear slide from `from` to `to`.
Rect SlideFrame(const Rect& from, const Rect& to, std::uint32_t elapsed);

// Whether the auto-hide timer hides a shown bar: never while it is the active window,
// otherwise once the cursor leaves the window enlarged by twice the double-click rectangle.
bool TimerHidesBar(bool barIsActive, const Rect& window, Point cursor, const ScreenMetrics& metrics);

}  // namespace varolin
