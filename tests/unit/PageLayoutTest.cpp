#include "pages/PageLayout.h"

#include <gtest/gtest.h>

#include <string>

using namespace varolin;

TEST(PageLayout, RowsColumnsAndTruncation) {
    const auto row = LayoutButtonPlaces(300, 20, 4);
    ASSERT_EQ(row.size(), 4u);
    EXPECT_EQ(row[0], (ButtonPlace{0, 0, 73, 20}));
    EXPECT_EQ(row[1].x, 75);
    EXPECT_EQ(row[2].x, 150);
    EXPECT_EQ(row[3], (ButtonPlace{225, 0, 73, 20}));

    const auto column = LayoutButtonPlaces(40, 500, 3);
    ASSERT_EQ(column.size(), 3u);
    EXPECT_EQ(column[0], (ButtonPlace{0, 0, 40, 165}));
    EXPECT_EQ(column[1].y, 167);
    EXPECT_EQ(column[2], (ButtonPlace{0, 334, 40, 165}));

    EXPECT_EQ(LayoutButtonPlaces(100, 100, 2)[1].y, 0);  // a square page is a row
    EXPECT_EQ(LayoutButtonPlaces(90, 30, 1)[0], (ButtonPlace{0, 0, 90, 30}));
    EXPECT_TRUE(LayoutButtonPlaces(90, 30, 0).empty());
}

TEST(PageLayout, TooSmallForTheGapsGivesEmptyButtonsNotNegativeOnes) {
    for (const ButtonPlace& place : LayoutButtonPlaces(5, 2, 4)) EXPECT_EQ(place.width, 0);
    for (const ButtonPlace& place : LayoutButtonPlaces(0, 0, 3)) EXPECT_GE(place.width, 0);
}

TEST(PageLayout, MovesStopAtTheEnds) {
    std::vector<int> items{1, 2, 3};
    EXPECT_TRUE(MoveOnePlace(items, 0, true));
    EXPECT_EQ(items, (std::vector<int>{1, 2, 3}));
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
