#pragma once
// DayClock: what "today" the NEW marks were taken on, and when it moves on. It knows the local
// day and the local time's offset from UTC at the marks (the offset decides the local day of
// each file's time), looks again a moment after midnight and at least hourly, and is told by
// its owner's window when the clock was set, a setting changed (among them the time zone) or
// the machine resumed: the system tells those to top-level windows only. Each of these says
// whether the marks are to be taken again; the day is then taken as it is now.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <utility>

class DayClock {
public:
    // The current time (UTC); the system's clock when empty.
    using Clock = std::function<FILETIME()>;

    explicit DayClock(Clock clock = nullptr);
    ~DayClock();
    DayClock(const DayClock&) = delete;
    DayClock& operator=(const DayClock&) = delete;

    // Starts the looks at the day: `window` (borrowed, it outlives the clock) gets them as its
    // timer `timerId` and hands them to OnTimer.
    void Start(HWND window, UINT_PTR timerId);
    FILETIME Now() const;

    bool OnTimer();
    bool OnClockSet();       // WM_TIMECHANGE
    bool OnSettingChange();  // WM_SETTINGCHANGE
    bool OnResume();         // WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC

private:
    // The local day and the local time's offset from UTC, now.
    std::pair<std::int64_t, std::int64_t> DayAndOffset() const;
    // Takes the day as now, and looks again later, when it moved (or `always`).
    bool Take(bool always);
    void Schedule();

    Clock m_clock;
    std::pair<std::int64_t, std::int64_t> m_dayAndOffset;  // when the marks were taken
    HWND m_hWnd = nullptr;
    UINT_PTR m_nTimerId = 0;
};
