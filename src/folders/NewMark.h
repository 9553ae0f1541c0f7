#pragma once
// Which folder entries make a button's NEW badge. Portable: times come in as local times.
#include <cstdint>

namespace varolin {

// Times are 100-nanosecond ticks since 1601-01-01 (the file-time scale), taken as local time,
// so that a whole number of days ends at local midnight.
inline constexpr std::int64_t kTicksPerDay = 864'000'000'000;

// An entry is new when its last-write date, else its creation date, lies fewer than
// `daysNew` whole local days before today: with 1 only today counts, with 2 today and
// yesterday. Dates after today count as new. A `daysNew` of 0 or less marks nothing.
// Built once per scan so that each entry costs two comparisons.
class NewMarkRule {
public:
    NewMarkRule(std::int64_t nowLocal, int daysNew);

    bool IsNew(std::int64_t lastWriteLocal, std::int64_t creationLocal) const {
        return lastWriteLocal >= m_since || creationLocal >= m_since;
    }
    // True when no entry can be new, so a scan need not look at times at all.
    bool MarksNothing() const;

private:
    std::int64_t m_since;  // local midnight starting the oldest day that still counts
};

// The local day a time falls on (whole days since 1601-01-01, rounding down also before it):
// the marks are taken again when it changes.
std::int64_t LocalDayOf(std::int64_t nowLocal);
// Ticks from `nowLocal` to the next local midnight (more than zero).
std::int64_t TicksToMidnight(std::int64_t nowLocal);
// Milliseconds from `nowLocal` to the next look at the day: a moment after midnight, and no
// later than an hour, so a change of the time zone (or of summer time) that nobody announces
// still shows within the hour.
std::int64_t MsToDayCheck(std::int64_t nowLocal);

}  // namespace varolin
