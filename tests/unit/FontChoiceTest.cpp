#include "dialogs/FontChoice.h"

#include <gtest/gtest.h>

#include <utility>

using namespace varolin;

TEST(FontChoice, StylesOfferedFollowWhatTheFaceHas) {
    EXPECT_EQ(OfferedStyles(kStyleRegular), (std::vector<int>{kStyleRegular, kStyleBold, kStyleItalic, kStyleBoldItalic}));
    EXPECT_EQ(OfferedStyles(kStyleBold), (std::vector<int>{kStyleBold, kStyleBoldItalic}));
    EXPECT_EQ(OfferedStyles(kStyleItalic), (std::vector<int>{kStyleItalic, kStyleBoldItalic}));
    EXPECT_EQ(OfferedStyles(kStyleBold | kStyleItalic), (std::vector<int>{kStyleBold, kStyleItalic, kStyleBoldItalic}));
    EXPECT_TRUE(OfferedStyles(0).empty());

    // The ntmFlags bits: NTM_REGULAR 0x40, NTM_BOLD 0x20, NTM_ITALIC 0x01.
    for (auto [flags, bits] : {std::pair{0x40u, kStyleRegular}, {0u, kStyleRegular}, {0x20u, kStyleBold}, {0x21u, kStyleBoldItalic}})
        EXPECT_EQ(StyleBitsOfTrueType(flags), bits) << flags;
    EXPECT_EQ(StyleBitsOfFont(400, false), kStyleRegular);
    EXPECT_EQ(StyleBitsOfFont(400, true), kStyleItalic);
    EXPECT_EQ(StyleBitsOfFont(700, true), kStyleBold | kStyleItalic);

    EXPECT_EQ(StyleOfFont(400, false), kStyleRegular);
    EXPECT_EQ(StyleOfFont(800, false), kStyleBold);
    EXPECT_EQ(StyleOfFont(100, true), kStyleItalic);
    EXPECT_EQ(StyleOfFont(700, true), kStyleBoldItalic);
}

TEST(FontChoice, SizesStaySortedSmallToLargeForBothKindsOfHeight) {
    // Character heights are negative: a larger size has a smaller height. Raster sizes come as
    // cell heights, in any order.
    const std::vector<int> scalable = {-11, -12, -15}, raster = {8, 10, 13};
    for (auto [height, at] : {std::pair{-13, 2}, {-10, 0}, {-20, 3}, {-12, -1}})
        EXPECT_EQ(SizeInsertPosition(scalable, height), at) << height;
    for (auto [height, at] : {std::pair{11, 2}, {6, 0}, {16, 3}, {10, -1}})
        EXPECT_EQ(SizeInsertPosition(raster, height), at) << height;
    EXPECT_EQ(SizeInsertPosition({}, 5), 0);
}

TEST(FontChoice, TypedSizeIsReadLikeAtoiCheckedAgainstTheRangeAndRoundedHalfUp) {
    for (auto [text, value] : {std::pair{L"  12pt", 12}, {L"-5", -5}, {L"+7", 7}, {L"abc", 0}, {L"", 0},
                               {L"99999999999999", 2147483647}, {L"-99999999999999", -2147483647 - 1}})
        EXPECT_EQ(LeadingInt(text), value) << testing::PrintToString(std::wstring(text));
    for (auto [text, valid] : {std::pair{L"1", true}, {L"1638", true}, {L"10.5", true}, {L"1639", false}, {L"0", false},
                               {L"abc", false}, {L"-12", false}})
        EXPECT_EQ(IsValidPointSize(text), valid) << testing::PrintToString(std::wstring(text));
    // Currency units of 1/10000 point.
    for (auto [units, points] : {std::pair{105000LL, 11LL}, {104999LL, 10LL}, {120000LL, 12LL}, {4999LL, 0LL},
                                 {-25000LL, -2LL}, {-25001LL, -3LL}})
        EXPECT_EQ(RoundedPoints(units), points) << units;
}
