#include "pages/PageLayout.h"

#include <gtest/gtest.h>

#include <string>

using namespace varolin;

TEST(PageLayout, RowsColumnsAndTruncation) {
    EXPECT_EQ(LayoutButtonPlaces(300, 20, 4, 96),
              (std::vector<ButtonPlace>{{0, 0, 73, 20}, {75, 0, 73, 20}, {150, 0, 73, 20}, {225, 0, 73, 20}}));
    EXPECT_EQ(LayoutButtonPlaces(40, 500, 3, 96), (std::vector<ButtonPlace>{{0, 0, 40, 165}, {0, 167, 40, 165}, {0, 334, 40, 165}}));
    EXPECT_EQ(LayoutButtonPlaces(100, 100, 2, 96)[1].y, 0);  // a square page is a row
    EXPECT_EQ(LayoutButtonPlaces(90, 30, 1, 96)[0], (ButtonPlace{0, 0, 90, 30}));
    EXPECT_TRUE(LayoutButtonPlaces(90, 30, 0, 96).empty());
    // Too small for the gaps: empty buttons, not negative ones.
    for (const ButtonPlace& place : LayoutButtonPlaces(5, 2, 4, 96)) EXPECT_EQ(place.width, 0);
    for (const ButtonPlace& place : LayoutButtonPlaces(0, 0, 3, 144)) EXPECT_GE(place.width, 0);
}

TEST(PageLayout, GapsScaleWithTheDpi) {
    // 3 pixels at 144 DPI, 4 at 192; the lengths share what the gaps leave.
    EXPECT_EQ(LayoutButtonPlaces(450, 30, 4, 144),
              (std::vector<ButtonPlace>{{0, 0, 110, 30}, {113, 0, 110, 30}, {226, 0, 110, 30}, {339, 0, 110, 30}}));
    EXPECT_EQ(LayoutButtonPlaces(60, 750, 3, 144), (std::vector<ButtonPlace>{{0, 0, 60, 248}, {0, 251, 60, 248}, {0, 502, 60, 248}}));
    EXPECT_EQ(LayoutButtonPlaces(600, 40, 2, 192)[1], (ButtonPlace{302, 0, 298, 40}));
    // The same page at 96 DPI as ever.
    EXPECT_EQ(LayoutButtonPlaces(450, 30, 4, 96)[1], (ButtonPlace{113, 0, 111, 30}));
}

TEST(PageLayout, MovesStopAtTheEnds) {
    std::vector<int> items{1, 2, 3};
    EXPECT_TRUE(MoveOnePlace(items, 0, true));
    EXPECT_TRUE(MoveOnePlace(items, 2, false));
    EXPECT_EQ(items, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(MoveOnePlace(items, 1, false));
    EXPECT_EQ(items, (std::vector<int>{1, 3, 2}));
    EXPECT_TRUE(MoveOnePlace(items, 1, true));
    EXPECT_EQ(items, (std::vector<int>{3, 1, 2}));
    EXPECT_FALSE(MoveOnePlace(items, 3, true));
}

TEST(PageLayout, SortKeepsEqualTitlesInTheirOrder) {
    using Item = std::pair<std::string, std::string>;  // title, folder
    std::vector<Item> items{{"Docs", "X"}, {"Apps", "A"}, {"Docs", "Y"}, {"Bin", "B"}, {"Apps", "C"}};
    StableSelectionSort<Item>(items, [](const Item& a, const Item& b) { return a.first < b.first; });
    EXPECT_EQ(items, (std::vector<Item>{{"Apps", "A"}, {"Apps", "C"}, {"Bin", "B"}, {"Docs", "X"}, {"Docs", "Y"}}));
}

TEST(PageLayout, FocusFollowsTheLayoutsDirectionAndStopsAtTheEnds) {
    // A row: left and right step, up and down stay.
    EXPECT_EQ(StepFocus(1, 3, true, FocusKey::Right), 2);
    EXPECT_EQ(StepFocus(2, 3, true, FocusKey::Right), 2);
    EXPECT_EQ(StepFocus(1, 3, true, FocusKey::Left), 0);
    EXPECT_EQ(StepFocus(0, 3, true, FocusKey::Left), 0);
    EXPECT_EQ(StepFocus(1, 3, true, FocusKey::Down), 1);
    // A column: up and down step, left and right stay.
    EXPECT_EQ(StepFocus(1, 3, false, FocusKey::Down), 2);
    EXPECT_EQ(StepFocus(1, 3, false, FocusKey::Up), 0);
    EXPECT_EQ(StepFocus(1, 3, false, FocusKey::Right), 1);
    EXPECT_EQ(StepFocus(1, 5, false, FocusKey::Home), 0);
    EXPECT_EQ(StepFocus(1, 5, true, FocusKey::End), 4);
    // No focus yet (or a button gone): the first, or the last with End.
    EXPECT_EQ(StepFocus(-1, 3, true, FocusKey::Left), 0);
    EXPECT_EQ(StepFocus(7, 3, false, FocusKey::Down), 0);
    EXPECT_EQ(StepFocus(-1, 3, true, FocusKey::End), 2);
    EXPECT_EQ(StepFocus(-1, 0, true, FocusKey::Home), -1);
}
