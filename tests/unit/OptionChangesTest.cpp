#include "dialogs/OptionChanges.h"

#include <gtest/gtest.h>

using namespace varolin;

namespace {
OptionValues Stored() {
    OptionValues v;
    v.groupCount = 5;
    v.daysNew = 3;
    v.displayCount = 1;
    v.renameConfirm = 1;
    v.renameFormat = 0;
    return v;
}
}  // namespace

TEST(OptionChanges, NothingChangedWritesNothingAndRefreshesNothing) {
    const OptionChanges changes = ComputeOptionChanges(Stored(), SheetInputs(Stored()), 4);
    EXPECT_FALSE(changes.Any());
    EXPECT_EQ(changes.refresh, kRefreshNone);
    EXPECT_EQ(changes.currentPage, 4);
}

TEST(OptionChanges, RenameSettingsAreWrittenWithoutAnyRefresh) {
    OptionValues edited = Stored();
    edited.renameConfirm = 0;
    edited.renameFormat = 3;
    const OptionChanges changes = ComputeOptionChanges(Stored(), edited, 0);
    EXPECT_TRUE(changes.renameConfirm);
    EXPECT_TRUE(changes.renameFormat);
    EXPECT_FALSE(changes.displayCount || changes.daysNew || changes.groupCount || changes.logFont);
    EXPECT_EQ(changes.refresh, kRefreshNone);
}

TEST(OptionChanges, FileCountOrFontRepaintsDaysOrPageCountRebuild) {
    OptionValues counts = Stored();
    counts.displayCount = 0;
    EXPECT_EQ(ComputeOptionChanges(Stored(), counts, 0).refresh, kRefreshRepaint);

    OptionValues font = Stored();
    font.logFont.lfWeight = 700;
    OptionChanges fontChanges = ComputeOptionChanges(Stored(), font, 0);
    EXPECT_TRUE(fontChanges.logFont);
    EXPECT_EQ(fontChanges.refresh, kRefreshRepaint);

    OptionValues days = Stored();
    days.daysNew = 0;
    EXPECT_EQ(ComputeOptionChanges(Stored(), days, 0).refresh, kRefreshRebuild);

    // A font change after a rebuild-worthy one does not lower the level.
    days.logFont.lfItalic = 1;
    EXPECT_EQ(ComputeOptionChanges(Stored(), days, 0).refresh, kRefreshRebuild);

    OptionValues pages = Stored();
    pages.groupCount = 7;
    const OptionChanges more = ComputeOptionChanges(Stored(), pages, 4);
    EXPECT_TRUE(more.groupCount);
    EXPECT_EQ(more.refresh, kRefreshRebuild);
    EXPECT_EQ(more.currentPage, 4);
}

TEST(OptionChanges, FewerPagesThanTheCurrentOneMakeTheLastPageCurrent) {
    OptionValues edited = Stored();
    edited.groupCount = 2;
    EXPECT_EQ(ComputeOptionChanges(Stored(), edited, 4).currentPage, 1);  // page 5 of 5 -> 2 of 2
    EXPECT_EQ(ComputeOptionChanges(Stored(), edited, 1).currentPage, 1);
    EXPECT_EQ(ComputeOptionChanges(Stored(), edited, 0).currentPage, 0);
}

TEST(OptionChanges, CheckBoxesShowOnlyAStoredOneAndWriteBackZeroOrOne) {
    OptionValues stored = Stored();
    stored.displayCount = 2;
    stored.renameConfirm = 2;
    const OptionValues shown = SheetInputs(stored);
    EXPECT_EQ(shown.displayCount, 0);
    EXPECT_EQ(shown.renameConfirm, 0);

    // OK without touching them writes both back as 0; the file count option repaints.
    const OptionChanges changes = ComputeOptionChanges(stored, shown, 0);
    EXPECT_TRUE(changes.displayCount);
    EXPECT_TRUE(changes.renameConfirm);
    EXPECT_EQ(changes.refresh, kRefreshRepaint);
    EXPECT_EQ(NormalisedOptions(shown).displayCount, 0);

    // Any ticked state counts as 1.
    OptionValues ticked = Stored();
    ticked.displayCount = 0;
    OptionValues edited = ticked;
    edited.displayCount = 3;
    EXPECT_EQ(NormalisedOptions(edited).displayCount, 1);
    EXPECT_TRUE(ComputeOptionChanges(ticked, edited, 0).displayCount);
    EXPECT_FALSE(ComputeOptionChanges(Stored(), edited, 0).displayCount);
}

TEST(OptionChanges, UnknownRenameFormatIsKeptUnlessPicked) {
    OptionValues stored = Stored();
    stored.renameFormat = 7;
    EXPECT_EQ(SheetInputs(stored).renameFormat, 7);
    EXPECT_FALSE(ComputeOptionChanges(stored, SheetInputs(stored), 0).renameFormat);
    OptionValues picked = SheetInputs(stored);
    picked.renameFormat = 1;
    EXPECT_TRUE(ComputeOptionChanges(stored, picked, 0).renameFormat);
}

TEST(OptionChanges, FontDiffersWhenAnyStoredByteDiffers) {
    OptionValues edited = Stored();
    // A byte behind the face name's terminator still counts: the 60 bytes are compared.
    edited.logFont.lfFaceName[30] = 'x';
    EXPECT_TRUE(ComputeOptionChanges(Stored(), edited, 0).logFont);
}
