#include "folders/RescanPacing.h"

#include <gtest/gtest.h>

using varolin::RescanPacing;

TEST(RescanPacing, ABurstGivesOneRescanAndRescansStartHalfASecondApart) {
    RescanPacing pacing;
    EXPECT_FALSE(pacing.DueAt()) << "nothing changed";
    pacing.Changed(1000);
    pacing.Changed(1100);
    EXPECT_EQ(pacing.DueAt(), 1000 + RescanPacing::kSettleMs) << "after the burst's first change";
    pacing.Started(1250);
    EXPECT_FALSE(pacing.DueAt()) << "the scan sees the whole burst";
    pacing.Ended(1260);
    pacing.Changed(1300);
    EXPECT_EQ(pacing.DueAt(), 1250 + RescanPacing::kIntervalMs);
    // A change while a scan runs calls for another after it.
    pacing.Started(1750);
    pacing.Changed(1760);
    pacing.Ended(1770);
    EXPECT_EQ(pacing.DueAt(), 2250);
}

TEST(RescanPacing, AFolderRestsTwiceAsLongAsItsLastScanTook) {
    RescanPacing pacing;
    pacing.Started(10'000);
    pacing.Ended(13'000);  // three seconds
    pacing.Changed(13'100);
    EXPECT_EQ(pacing.DueAt(), 19'000);
    // A quick scan afterwards shortens the rest again.
    pacing.Started(19'000);
    pacing.Ended(19'010);
    pacing.Changed(19'600);
    EXPECT_EQ(pacing.DueAt(), 19'600 + RescanPacing::kSettleMs);
}
