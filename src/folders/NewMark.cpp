#include "folders/NewMark.h"

#include <algorithm>
#include <limits>

namespace varolin {

namespace {
constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
}  // namespace

std::int64_t LocalDayOf(std::int64_t ticks) {
    const std::int64_t day = ticks / kTicksPerDay;
    return (ticks % kTicksPerDay < 0) ? day - 1 : day;
}

std::int64_t TicksToMidnight(std::int64_t nowLocal) { return (LocalDayOf(nowLocal) + 1) * kTicksPerDay - nowLocal; }

std::int64_t MsToDayCheck(std::int64_t nowLocal) {
    constexpr std::int64_t kTicksPerMs = 10'000;
    constexpr std::int64_t kLateMs = 200;  // timers may come a little early
    constexpr std::int64_t kMostMs = 3'600'000;
    const std::int64_t toMidnight = (TicksToMidnight(nowLocal) + kTicksPerMs - 1) / kTicksPerMs;
    return std::min(toMidnight + kLateMs, kMostMs);
}

NewMarkRule::NewMarkRule(std::int64_t nowLocal, int daysNew) {
    if (daysNew <= 0) {
        m_since = kNever;
        return;
    }
    // age = today - day < daysNew  <=>  day >= today - daysNew + 1
    const std::int64_t firstDay = LocalDayOf(nowLocal) - daysNew + 1;
    constexpr std::int64_t kFirstDayInRange = std::numeric_limits<std::int64_t>::min() / kTicksPerDay;
    m_since = firstDay > kFirstDayInRange ? firstDay * kTicksPerDay : std::numeric_limits<std::int64_t>::min();
}

bool NewMarkRule::MarksNothing() const { return m_since == kNever; }

}  // namespace varolin
