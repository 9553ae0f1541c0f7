#include "dialogs/FontChoice.h"

#include <gtest/gtest.h>

using namespace varolin;

TEST(FontChoice, StylesOfferedFollowWhatTheFaceHas) {
    EXPECT_EQ(OfferedStyles(kStyleRegular), (std::vector<int>{kStyleRegular, kStyleBold, kStyleItalic, kStyleBoldItalic}));
    EXPECT_EQ(OfferedStyles(kStyleBold), (std::vector<int>{kStyleBold, kStyleBoldItalic}));
    EXPECT_EQ(OfferedStyles(kStyleItalic), (std::vector<int>{kStyleItalic, kStyleBoldItalic}));
    EXPECT_EQ(OfferedStyles(kStyleBold | kStyleItalic), (std::vector<int>{kStyleBold, kStyleItalic, kStyleBoldItalic}));
    EXPECT_TRUE(OfferedStyles(0).empty());
}

TEST(FontChoice, StyleBitsFromTrueTypeFlagsAndFromWeights) {
    EXPECT_EQ(StyleBitsOfTrueType(0x40), kStyleRegular);  // NTM_REGULAR
    EXPECT_EQ(StyleBitsOfTrueType(0), kStyleRegular);
    EXPECT_EQ(StyleBitsOfTrueType(0x20), kStyleBold);
    EXPECT_EQ(StyleBitsOfTrueType(0x21), kStyleBold | kStyleItalic);
    EXPECT_EQ(StyleBitsOfFont(400, false), kStyleRegular);
    EXPECT_EQ(StyleBitsOfFont(400, true), kStyleItalic);
    EXPECT_EQ(StyleBitsOfFont(700, true), kStyleBold | kStyleItalic);

    EXPECT_EQ(StyleOfFont(400, false), kStyleRegular);
    EXPECT_EQ(StyleOfFont(800, false), kStyleBold);
    EXPECT_EQ(StyleOfFont(100, true), kStyleItalic);
    EXPECT_EQ(StyleOfFont(700, true), kStyleBoldItalic);
}

TEST(FontChoice, SizesStaySortedSmallToLargeForBothKindsOfHeight) {
    // Character heights are negative: a larger size has a smaller height.
    const std::vector<int> scalable = {-11, -12, -15};
    EXPECT_EQ(SizeInsertPosition(scalable, -13), 2);
    EXPECT_EQ(SizeInsertPosition(scalable, -10), 0);
    EXPECT_EQ(SizeInsertPosition(scalable, -20), 3);
    EXPECT_EQ(SizeInsertPosition(scalable, -12), -1);
    // Raster sizes come as cell heights, in any order.
    const std::vector<int> raster = {8, 10, 13};
    EXPECT_EQ(SizeInsertPosition(raster, 11), 2);
    EXPECT_EQ(SizeInsertPosition(raster, 6), 0);
    EXPECT_EQ(SizeInsertPosition(raster, 16), 3);
    EXPECT_EQ(SizeInsertPosition(raster, 10), -1);
    EXPECT_EQ(SizeInsertPosition({}, 5), 0);
}

TEST(FontChoice, TypedSizeIsReadLikeAtoiAndCheckedAgainstTheRange) {
    EXPECT_EQ(LeadingInt(L"  12pt"), 12);
    EXPECT_EQ(LeadingInt(L"-5"), -5);
    EXPECT_EQ(LeadingInt(L"+7"), 7);
    EXPECT_EQ(LeadingInt(L"abc"), 0);
    EXPECT_EQ(LeadingInt(L""), 0);
    EXPECT_EQ(LeadingInt(L"99999999999999"), 2147483647);
    EXPECT_EQ(LeadingInt(L"-99999999999999"), -2147483647 - 1);

    EXPECT_TRUE(IsValidPointSize(L"1"));
    EXPECT_TRUE(IsValidPointSize(L"1638"));
    EXPECT_TRUE(IsValidPointSize(L"10.5"));
    EXPECT_FALSE(IsValidPointSize(L"1639"));
    EXPECT_FALSE(IsValidPointSize(L"0"));
    EXPECT_FALSE(IsValidPointSize(L"abc"));
    EXPECT_FALSE(IsValidPointSize(L"-12"));
}

TEST(FontChoice, CurrencyRoundsHalvesUp) {
    EXPECT_EQ(RoundedPoints(105000), 11);  // 10.5
    EXPECT_EQ(RoundedPoints(104999), 10);
    EXPECT_EQ(RoundedPoints(120000), 12);
    EXPECT_EQ(RoundedPoints(4999), 0);
    EXPECT_EQ(RoundedPoints(-25000), -2);  // -2.5
    EXPECT_EQ(RoundedPoints(-25001), -3);
}
