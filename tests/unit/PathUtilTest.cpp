#include "app/PathUtil.h"
#include <gtest/gtest.h>

using namespace varolin;

TEST(ProgramDir, QuotedPathWithArgumentsAndUnquotedPath) {
    EXPECT_EQ(ProgramDirFromCommandLine(L"\"C:\\Tools\\Bar\\Varolin.exe\" -x \"D:\\a\\b\""), L"C:\\Tools\\Bar\\");
    EXPECT_EQ(ProgramDirFromCommandLine(L"C:\\Tools\\Bar\\Varolin.exe"), L"C:\\Tools\\Bar\\");
    EXPECT_EQ(ProgramDirFromCommandLine(L"  \"C:\\My Tools\\Varolin.exe\"  "), L"C:\\My Tools\\");
}
