#include "folders/NewMark.h"

#include <gtest/gtest.h>

#include <limits>

using varolin::kTicksPerDay;
using varolin::NewMarkRule;

namespace {
constexpr std::int64_t kHour = kTicksPerDay / 24;
// Some local midnight (the scale starts at one); the tests only count days from it.
constexpr std::int64_t kToday = 154'000 * kTicksPerDay;
constexpr std::int64_t kOld = kToday - 400 * kTicksPerDay;
}  // namespace

TEST(NewMark, WholeLocalDaysDecideAtMidnight) {
    const NewMarkRule oneDay(kToday + 10 * kHour, 1), twoDays(kToday + 10 * kHour, 2);
    EXPECT_TRUE(oneDay.IsNew(kToday, kOld));  // written at midnight today
    EXPECT_FALSE(oneDay.IsNew(kToday - 1, kToday - 1));
    EXPECT_TRUE(twoDays.IsNew(kToday - kTicksPerDay, kOld));
    EXPECT_FALSE(twoDays.IsNew(kToday - kTicksPerDay - 1, kOld));
    // The time of day of "now" does not matter, only its date.
    EXPECT_FALSE(NewMarkRule(kToday, 1).IsNew(kToday - 1, kOld));
    EXPECT_TRUE(NewMarkRule(kToday + kTicksPerDay - 1, 1).IsNew(kToday, kOld));
    // An old file copied today keeps its write time but is created now; future dates are new.
    EXPECT_TRUE(NewMarkRule(kToday + 12 * kHour, 3).IsNew(kOld, kToday + 11 * kHour));
    EXPECT_TRUE(oneDay.IsNew(kToday + 30 * kTicksPerDay, kOld));
}

TEST(NewMark, ZeroOrLessMarksNothingAndLargeLimitsMarkEverything) {
    for (int days : {0, -1, std::numeric_limits<int>::min()}) {
        EXPECT_TRUE(NewMarkRule(kToday, days).MarksNothing()) << days;
        EXPECT_FALSE(NewMarkRule(kToday, days).IsNew(kToday + 5 * kTicksPerDay, kToday + 5 * kTicksPerDay)) << days;
    }
    const NewMarkRule everything(kToday, std::numeric_limits<int>::max());
    EXPECT_FALSE(everything.MarksNothing());
    EXPECT_TRUE(everything.IsNew(0, 0));
    // A file time before 1601 after the local shift (west of UTC) is just old.
    EXPECT_FALSE(NewMarkRule(kToday, 1).IsNew(-5 * kHour, -5 * kHour));
}

TEST(NewMark, TheDayEndsAtLocalMidnight) {
    EXPECT_EQ(varolin::TicksToMidnight(kToday + 23 * kHour), kHour);
    EXPECT_EQ(varolin::TicksToMidnight(kToday), kTicksPerDay) << "midnight itself starts a whole day";
    EXPECT_EQ(varolin::LocalDayOf(kToday + kTicksPerDay - 1), varolin::LocalDayOf(kToday));
    EXPECT_EQ(varolin::LocalDayOf(kToday + kTicksPerDay), varolin::LocalDayOf(kToday) + 1);
    // The day is looked at after midnight, never before it (which would find the old day and
    // look again at once), and at least hourly.
    const std::int64_t justBefore = kToday + kTicksPerDay - 1;
    EXPECT_GT(justBefore + varolin::MsToDayCheck(justBefore) * 10'000, kToday + kTicksPerDay);
    EXPECT_LE(varolin::MsToDayCheck(justBefore), 1'000);
    EXPECT_EQ(varolin::MsToDayCheck(kToday + 10 * kHour), 3'600'000);
    EXPECT_EQ(varolin::MsToDayCheck(kToday + 23 * kHour + 30 * 60 * 10'000'000LL), 30 * 60 * 1000 + 200);
}
