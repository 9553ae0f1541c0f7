#include <windows.h>
#include <gtest/gtest.h>

TEST(WineEnvironment, AnsiCodePageIsJapanese) { EXPECT_EQ(GetACP(), 932u); }
