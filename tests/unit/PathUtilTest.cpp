#include "settings/PathUtil.h"
#include "settings/LongPath.h"
#include <gtest/gtest.h>

using namespace varolin;

TEST(ProgramDir, QuotedPathWithArgumentsAndUnquotedPath) {
    EXPECT_EQ(ProgramDirFromCommandLine(L"\"C:\\Tools\\Bar\\Varolin.exe\" -x \"D:\\a\\b\""), L"C:\\Tools\\Bar\\");
    EXPECT_EQ(ProgramDirFromCommandLine(L"C:\\Tools\\Bar\\Varolin.exe"), L"C:\\Tools\\Bar\\");
    EXPECT_EQ(ProgramDirFromCommandLine(L"  \"C:\\My Tools\\Varolin.exe\"  "), L"C:\\My Tools\\");
}

TEST(ProgramDir, UnquotedLineWithArgumentsTakesTheModuleDirectory) {
    const std::wstring module = L"C:\\Tools\\Bar\\Varolin.exe";
    EXPECT_EQ(ProgramDirFromCommandLine(L"C:\\Tools\\Bar\\Varolin.exe D:\\x\\y", module), L"C:\\Tools\\Bar\\");
    EXPECT_EQ(ProgramDirFromCommandLine(L"\"C:\\Other\\Varolin.exe\" D:\\x\\y", module), L"C:\\Other\\");
    EXPECT_EQ(ProgramDirFromCommandLine(L"C:\\Elsewhere\\Varolin.exe", module), L"C:\\Elsewhere\\");
}

TEST(SplitPath, TrimsThenSplitsIntoNameAndDirectory) {
    struct Case {
        const wchar_t *path, *trimmed, *name, *dir;
    };
    const Case cases[] = {
        {L"  \t C:\\Data\\report.txt \r\n", L"C:\\Data\\report.txt", L"report.txt", L"C:\\Data\\"},
        {L"C:\\Data\\", L"C:\\Data\\", L"", L"C:\\Data\\"},
        {L"C:\\", L"C:\\", L"", L"C:\\"},
        // 表 is 0x95 0x5C in code page 932: its second byte must not act as a separator.
        {L"C:\\年表\\", L"C:\\年表\\", L"", L"C:\\年表\\"},
        {L"C:\\年表", L"C:\\年表", L"年表", L"C:\\"},
        {L"archive.tar.gz", L"archive.tar.gz", L"archive.tar.gz", L""},
    };
    for (const Case& c : cases) {
        std::wstring path = c.path, name, dir;
        SplitPath(path, name, &dir);
        EXPECT_EQ(path, c.trimmed);
        EXPECT_EQ(name, c.name);
        EXPECT_EQ(dir, c.dir);
    }
}

TEST(AddTrailingBackslash, AppendsOnlyWhenTheLastCharacterIsNoBackslash) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"C:\\Data", L"C:\\Data\\"},
        {L"C:\\Data\\", L"C:\\Data\\"},
        {L"C:\\", L"C:\\"},
        {L"C:\\Data  \t", L"C:\\Data\\"},
        {L"C:\\年表", L"C:\\年表\\"},
    };
    for (const auto& [in, out] : cases) {
        std::wstring path = in;
        AddTrailingBackslash(path);
        EXPECT_EQ(path, out) << "for " << testing::PrintToString(in);
    }
}

TEST(ExtendedPath, LongAbsolutePathsGetTheNormalisedPrefixedFormOthersStayAsTheyAre) {
    const std::wstring name(250, L'n');
    EXPECT_EQ(ExtendedPath(L"C:\\a\\" + name), L"\\\\?\\C:\\a\\" + name);
    EXPECT_EQ(ExtendedPath(L"c:/a//b/./c/../" + name), L"\\\\?\\c:\\a\\b\\" + name);
    EXPECT_EQ(ExtendedPath(L"C:\\..\\..\\" + name + L"\\"), L"\\\\?\\C:\\" + name + L"\\");
    EXPECT_EQ(ExtendedPath(L"\\\\server\\share\\dir\\..\\" + name), L"\\\\?\\UNC\\server\\share\\" + name);
    for (const std::wstring& unchanged : {std::wstring(L"C:\\short\\a.txt"), L"\\\\?\\C:\\" + name, L"\\\\.\\pipe\\" + name,
                                          L"relative\\" + name, L"C:" + name})
        EXPECT_EQ(ExtendedPath(unchanged), unchanged);
}
