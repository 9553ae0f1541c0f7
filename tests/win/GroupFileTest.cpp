#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/GroupFile.h"
#include "support/DialogAnswerer.h"
#include "support/ExampleGroupFile.h"
#include "support/TempFolder.h"

using example_group_file::kRecords;
using varolin::ButtonRecord;
using Names = std::vector<std::wstring>;

namespace {

const std::string kExample(example_group_file::kBytes.begin(), example_group_file::kBytes.end());

// Each test gets an empty folder of its own as the program directory; no box is expected.
class GroupFileTest : public testing::Test {
protected:
    TempFolder m_folder;
    const std::wstring m_dir = m_folder.Path();
    DialogAnswerer m_boxes;
};

}  // namespace

TEST_F(GroupFileTest, MissingFileGivesAnEmptyPageSilentlyAndCreatesNothing) {
    EXPECT_TRUE(GroupFile(m_dir, 3).Load(nullptr).empty());
    EXPECT_EQ(m_boxes.Count(), 0u);
    EXPECT_TRUE(m_folder.Names().empty());
}

TEST_F(GroupFileTest, WritesTheClassicBytesAndReadsThemBack) {
    GroupFile file(m_dir.substr(0, m_dir.size() - 1), 1000);  // pages from 1000 take four digits
    ASSERT_TRUE(file.Save(nullptr, kRecords));
    EXPECT_EQ(FileBytes(m_folder / L"GRP1000.VRL"), kExample);
    EXPECT_EQ(file.Load(nullptr), kRecords);
    // Saving over an existing file replaces it, and nothing else is left in the folder.
    ASSERT_TRUE(file.Save(nullptr, std::vector<ButtonRecord>{kRecords[1]}));
    EXPECT_EQ(file.Load(nullptr), std::vector<ButtonRecord>{kRecords[1]});
    EXPECT_EQ(m_folder.Names(), Names{L"GRP1000.VRL"});
}

TEST_F(GroupFileTest, JapaneseIsStoredInTheSystemCodePageAndOtherScriptsSurvive) {
    const std::vector<ButtonRecord> records = {
        {L"\x8868.exe", L"C:\\\x30C7\x30FC\x30BF\\", L"\x30C7\x30FC\x30BF", 0, 0, 0},  // 表.exe in C:\データ\ .
        {L"", L"C:\\k\\", L"\xD55C\xAD6D", 0, 0, 0},                                   // 한국: no ANSI form
        {L"", L"C:\\y\\", L"\x00A5" L"100", 0, 0, 0},  // the system's best fit would make it "\100"
    };
    GroupFile file(m_dir, 1);
    ASSERT_TRUE(file.Save(nullptr, records));
    EXPECT_NE(FileBytes(m_folder / L"GRP001.VRL").find("\x06\x95\x5C.exe\x0A" "C:\\\x83\x66\x81\x5B\x83\x5E\\\x06\x83\x66\x81\x5B\x83\x5E"),
              std::string::npos);
    EXPECT_EQ(file.Load(nullptr), records);
}

TEST_F(GroupFileTest, FailedSaveKeepsTheOldBytesAndSaysSo) {
    const std::vector<ButtonRecord> changed = {{L"", L"E:\\", L"E:", 1, 2, 0}};
    GroupFile readOnly(m_dir, 0);
    ASSERT_TRUE(m_folder.WriteFile(L"GRP000.VRL", kExample));
    SetFileAttributesW((m_folder / L"GRP000.VRL").c_str(), FILE_ATTRIBUTE_READONLY);
    GroupFile blocked(m_dir, 1);  // its temporary file cannot be made: a folder has that name
    ASSERT_TRUE(m_folder.WriteFile(L"GRP001.VRL", kExample));
    ASSERT_TRUE(CreateDirectoryW((m_folder / L"GRP001.VRL.tmp").c_str(), nullptr));

    EXPECT_FALSE(readOnly.Save(nullptr, changed));
    EXPECT_FALSE(blocked.Save(nullptr, changed));

    EXPECT_EQ(FileBytes(m_folder / L"GRP000.VRL"), kExample);
    EXPECT_EQ(FileBytes(m_folder / L"GRP001.VRL"), kExample);
    EXPECT_EQ(m_folder.Names(), (Names{L"GRP000.VRL", L"GRP001.VRL", L"GRP001.VRL.tmp"}));
    ASSERT_EQ(m_boxes.Count(), 2u);
    for (const AnsweredDialog& box : m_boxes.Dialogs()) {
        EXPECT_EQ(box.caption, L"Varolin");
        EXPECT_EQ(box.text, L"データファイルが保存できません");
    }
}

TEST_F(GroupFileTest, UnknownSchemaIsReportedAndDamageIsNot) {
    GroupFile schema2(m_dir, 0);
    std::string bytes = kExample;
    bytes[4] = 0x02;
    ASSERT_TRUE(m_folder.WriteFile(L"GRP000.VRL", bytes));
    GroupFile truncated(m_dir, 1);
    ASSERT_TRUE(m_folder.WriteFile(L"GRP001.VRL", kExample.substr(0, kExample.size() - 5)));

    m_boxes.Answer(IDOK);
    EXPECT_EQ(schema2.Load(nullptr), std::vector<ButtonRecord>(1));
    ASSERT_EQ(m_boxes.Count(), 1u);
    EXPECT_EQ(m_boxes.Last().caption, L"Varolin");
    EXPECT_EQ(m_boxes.Last().text, L"スキーマバージョン不明");
    EXPECT_EQ(truncated.Load(nullptr), std::vector<ButtonRecord>{kRecords[0]});
    EXPECT_EQ(m_boxes.Count(), 1u);
}
