#pragma once
// The displays a bar can dock to, and the rules that pick one: the monitor it was placed on
// when that is still there, the one under the cursor during a drag, and the nearest one for a
// floating bar that has lost its screen. Portable: monitors are plain rectangles with a DPI.
#include <string>
#include <vector>

#include "appbar/AppBarGeometry.h"
#include "appbar/Dpi.h"

namespace varolin {

struct Monitor {
    std::wstring device;  // the system's name for it, such as \\.\DISPLAY2
    Rect rect;            // in virtual-screen coordinates: the primary starts at (0, 0)
    Rect workArea;        // what the taskbar and other bars leave of it
    int dpi = kDefaultDpi;
};

// The monitors as the system lists them, the primary first; never empty.
using MonitorList = std::vector<Monitor>;

// Where a docked bar was placed, as it is stored: the monitor's name and rectangle.
struct MonitorPlace {
    std::wstring device;
    Rect rect;
    bool operator==(const MonitorPlace&) const = default;
};

inline MonitorPlace PlaceOf(const Monitor& monitor) { return {monitor.device, monitor.rect}; }

// The monitor of that name, else one with that rectangle (names can change when monitors are
// re-plugged), else the primary.
const Monitor& FindMonitor(const MonitorList& monitors, const MonitorPlace& place);

// The monitor holding `pt`, else the nearest one.
const Monitor& MonitorAt(const MonitorList& monitors, Point pt);

// A floating rectangle that overlaps no monitor's work area, moved into the work area of the
// nearest monitor (kept whole where it fits); any other rectangle unchanged.
Rect BringOntoMonitors(const MonitorList& monitors, const Rect& rc);

}  // namespace varolin
