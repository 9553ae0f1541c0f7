// The parts the folder monitor is made of, where they decide something on their own: the work
// pool growing by itself, and the day clock telling when the NEW marks are to be taken again.
#include <windows.h>
#include <gtest/gtest.h>

#include "folders/DayClock.h"
#include "folders/FolderWorkPool.h"
#include "framework/Handles.h"

namespace {
// A local time as UTC, the way clocks hold it.
FILETIME FromLocal(WORD day, WORD hour) {
    const SYSTEMTIME local{2024, 5, 0, day, hour, 0, 0, 0};
    FILETIME localTime{}, utc{};
    SystemTimeToFileTime(&local, &localTime);
    LocalFileTimeToFileTime(&localTime, &utc);
    return utc;
}
}  // namespace

TEST(FolderWorkPool, WorkQueuedBehindSlowWorkRunsWithoutAnyoneLookingAfterThePool) {
    const auto pool = FolderWorkPool::Create();
    OwnedHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr)), done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const HANDLE releaseEvent = release.Get(), doneEvent = done.Get();
    // One thread serves the pool; a share that does not answer holds it up.
    ASSERT_TRUE(pool->Submit([releaseEvent] { WaitForSingleObject(releaseEvent, 60000); }));
    ASSERT_TRUE(pool->Submit([doneEvent] { SetEvent(doneEvent); }));
    // No message is handled meanwhile: the pool grows by itself.
    EXPECT_EQ(WaitForSingleObject(doneEvent, 30000), WAIT_OBJECT_0);
    SetEvent(releaseEvent);
    pool->Quit();
}

TEST(FolderDayClock, TheMarksAreTakenAgainOnANewDayAClockSetOrAResumeAndOnlyOnce) {
    FILETIME now = FromLocal(10, 12);
    DayClock day([&now] { return now; });
    EXPECT_FALSE(day.OnSettingChange()) << "another setting: the day and the time zone are as they were";
    EXPECT_FALSE(day.OnTimer()) << "the hourly look, nothing moved";
    now = FromLocal(11, 0);
    EXPECT_TRUE(day.OnSettingChange()) << "midnight passed unseen";
    EXPECT_FALSE(day.OnTimer()) << "the new day is already taken";
    now = FromLocal(11, 1);
    EXPECT_TRUE(day.OnClockSet()) << "set within the day";
    EXPECT_TRUE(day.OnResume());
    now = FromLocal(12, 0);
    EXPECT_TRUE(day.OnTimer());
    EXPECT_FALSE(day.OnSettingChange());
}
