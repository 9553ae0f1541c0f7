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

TEST(ButtonRecord, AFolderOrProgramOverItsAnsiByteLimitIsReportedALongTitleIsNot) {
    const AnsiCodePage cp932 = cp932_test::CodePage();
    ButtonRecord atLimit;
    atLimit.m_strTitle = std::wstring(200, L'\x30C7');  // cut, never refused
    atLimit.m_strProgram = std::wstring(125, L'\x30C7') + L"pp.exe";  // 250 + 6 bytes
    atLimit.m_strFolder = L"C:\\" + std::wstring(128, L'\x8868') + L"\\";  // 3 + 256 + 1 bytes
    EXPECT_EQ(atLimit.PathOverLimit(cp932), ButtonRecord::OverLimit::None);
    ButtonRecord over = atLimit;
    over.m_strProgram += L"x";
    EXPECT_EQ(over.PathOverLimit(cp932), ButtonRecord::OverLimit::Program);
    over.m_strFolder += L"x";
    EXPECT_EQ(over.PathOverLimit(cp932), ButtonRecord::OverLimit::Folder) << "the folder is named first";
}

TEST(ButtonRecord, ALongTitleIsCutToItsByteLimitAtACharacterBoundary) {
    const AnsiCodePage cp932 = cp932_test::CodePage();
    const auto cut = [&](std::wstring title) {
        ButtonRecord record;
        record.m_strTitle = std::move(title);
        record.CutTitle(cp932);
        return record.m_strTitle;
    };
    // The 50th double-byte character would end at byte 101: it goes whole.
    EXPECT_EQ(cut(L"a" + std::wstring(60, L'\x30C7')), L"a" + std::wstring(49, L'\x30C7'));
    EXPECT_EQ(cut(std::wstring(60, L'\x30C7')), std::wstring(50, L'\x30C7'));
    EXPECT_EQ(cut(std::wstring(120, L'x')), std::wstring(100, L'x'));
    EXPECT_EQ(cut(std::wstring(100, L'x')), std::wstring(100, L'x'));
    // A character the code page lacks counts as its replacement; a surrogate pair (wchar_t of
    // Windows) counts two and is never split.
    const std::wstring smile = L"\U0001F600";
    EXPECT_EQ(cut(std::wstring(99, L'x') + smile), std::wstring(99, L'x') + (smile.size() == 2 ? L"" : smile));
    EXPECT_EQ(cut(std::wstring(98, L'x') + L"\x4E02\x4E02\x4E02"), std::wstring(98, L'x') + L"\x4E02\x4E02");
}
