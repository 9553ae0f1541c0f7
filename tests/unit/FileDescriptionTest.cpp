#include "transfer/FileDescription.h"

#include <gtest/gtest.h>

using namespace varolin;

namespace {
const std::wstring kFormat = L"サイズ：%d バイト\n更新日時：%4d年%2d月%2d日 %d:%02d:%02d";
}

TEST(FileDescription, PadsYearMonthDayWithBlanksAndMinutesWithZeros) {
    EXPECT_EQ(DescribeFileText(kFormat, 1234, {2001, 1, 14, 9, 5, 7}),
              L"サイズ：1234 バイト\n更新日時：2001年 1月14日 9:05:07");
    EXPECT_EQ(DescribeFileText(kFormat, 0, {999, 12, 3, 23, 59, 0}),
              L"サイズ：0 バイト\n更新日時： 999年12月 3日 23:59:00");
}

TEST(FileDescription, LocaleFiguresFollowEachLinesLabel) {
    EXPECT_EQ(DescribeFileWithLabels(L"Size: %d bytes\nModified: %d/%02d/%02d %d:%02d", L"1.20 KB", L"6/5/2024", L"3:04 PM"),
              L"Size: 1.20 KB\nModified: 6/5/2024 3:04 PM");
}

TEST(FileDescription, FormatterTakesOnlyIntegerConversions) {
    EXPECT_EQ(FormatIntegers(L"100%% %d", {5}), L"100% 5");
    EXPECT_EQ(FormatIntegers(L"%03d|%3d|%d", {-5, -5, -9223372036854775807LL - 1}),
              L"-05| -5|-9223372036854775808");
    // Nothing else is interpreted, and missing values print nothing.
    EXPECT_EQ(FormatIntegers(L"%s %n %d %d %", {1}), L"%s %n 1  %");
    EXPECT_EQ(FormatIntegers(L"%99999999999999999999d", {1}), L"%99999999999999999999d");
}
