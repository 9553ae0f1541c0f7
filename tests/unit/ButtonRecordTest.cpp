#include "model/ButtonRecord.h"

#include <gtest/gtest.h>

#include "support/Cp932TestCodePage.h"

using namespace varolin;

TEST(ButtonRecord, SettersRemoveTrailingSingleByteWhiteSpaceOnly) {
    ButtonRecord record;
    record.SetTitle(L"  Data \t\r\n ");
    EXPECT_EQ(record.m_strTitle, L"  Data");
    record.SetTitle(L"\x30C7\x30FC\x30BF\x3000");  // a full-width blank is text here
    EXPECT_EQ(record.m_strTitle, L"\x30C7\x30FC\x30BF\x3000");
    record.SetFolder(L"C:\\Data\\ \r\n");
    record.SetProgram(L"run.exe\t");
    EXPECT_EQ(record, (ButtonRecord{L"run.exe", L"C:\\Data\\", L"\x30C7\x30FC\x30BF\x3000", 0, 0, 0}));
}

TEST(ButtonRecord, NewButtonFromAPath) {
    const std::pair<const wchar_t*, ButtonRecord> cases[] = {
        {L"C:\\", {L"", L"C:\\", L"C:", 1, 2, 0}},
        {L"C:\\Tools\\run.exe", {L"run.exe", L"C:\\Tools\\", L"Tools", 1, 2, 0}},
        {L"  D:\\\x5199\x771F\\2024\\ \r\n", {L"", L"D:\\\x5199\x771F\\2024\\", L"2024", 1, 2, 0}},
        {L"E:\\\x8868\\", {L"", L"E:\\\x8868\\", L"\x8868", 1, 2, 0}},  // 表: its CP932 trail byte is "\"
        {L"\\\\server\\share\\", {L"", L"\\\\server\\share\\", L"share", 1, 2, 0}},
        {L"C:\\My Docs \\notes.txt", {L"notes.txt", L"C:\\My Docs \\", L"My Docs", 1, 2, 0}},
        {L"", {L"", L"", L"", 1, 2, 0}},
        {L"run.exe", {L"run.exe", L"", L"", 1, 2, 0}},
    };
    for (const auto& [path, expected] : cases) EXPECT_EQ(ButtonRecord::ForPath(path, 1, 2), expected) << path;
}

TEST(ButtonRecord, ByteLimitsAreCountedInAnsiBytes) {
    const AnsiCodePage cp932 = cp932_test::CodePage();
    ButtonRecord atLimit;
    atLimit.m_strTitle = std::wstring(50, L'\x30C7');  // 50 double-byte characters: 100 bytes
    atLimit.m_strProgram = std::wstring(252, L'p') + L".exe";
    atLimit.m_strFolder = L"C:\\" + std::wstring(256, L'f') + L"\\";
    EXPECT_TRUE(atLimit.WithinByteLimits(cp932));
    for (auto field : {&ButtonRecord::m_strTitle, &ButtonRecord::m_strProgram, &ButtonRecord::m_strFolder}) {
        ButtonRecord over = atLimit;
        over.*field += L"x";
        EXPECT_FALSE(over.WithinByteLimits(cp932));
    }
}
