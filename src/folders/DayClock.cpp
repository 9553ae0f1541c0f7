#include "folders/DayClock.h"

#include "folders/NewMark.h"

namespace {
std::int64_t Ticks(const FILETIME& time) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime);
}
}  // namespace

DayClock::DayClock(Clock clock) : m_clock(std::move(clock)), m_dayAndOffset(DayAndOffset()) {}

DayClock::~DayClock() {
    if (m_hWnd) KillTimer(m_hWnd, m_nTimerId);
}

void DayClock::Start(HWND window, UINT_PTR timerId) {
    m_hWnd = window;
    m_nTimerId = timerId;
    Schedule();
}

FILETIME DayClock::Now() const {
    if (m_clock) return m_clock();
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return now;
}

std::pair<std::int64_t, std::int64_t> DayClock::DayAndOffset() const {
    const FILETIME now = Now();
    FILETIME local = now;
    FileTimeToLocalFileTime(&now, &local);
    return {varolin::LocalDayOf(Ticks(local)), Ticks(local) - Ticks(now)};
}

bool DayClock::Take(bool always) {
    const auto now = DayAndOffset();
    if (!always && now == m_dayAndOffset) return false;
    m_dayAndOffset = now;
    Schedule();  // midnight may have moved
    return true;
}

void DayClock::Schedule() {
    if (!m_hWnd) return;
    const FILETIME now = Now();
    FILETIME local = now;
    FileTimeToLocalFileTime(&now, &local);
    SetTimer(m_hWnd, m_nTimerId, static_cast<UINT>(varolin::MsToDayCheck(Ticks(local))), nullptr);
}

bool DayClock::OnTimer() {
    if (Take(false)) return true;
    Schedule();
    return false;
}
// Set back within the day, the marks would not change; taken again all the same, the clock
// being what "new" is counted from.
bool DayClock::OnClockSet() { return Take(true); }
bool DayClock::OnSettingChange() { return Take(false); }
// Asleep, the machine may have missed midnight and any number of changes.
bool DayClock::OnResume() { return Take(true); }
