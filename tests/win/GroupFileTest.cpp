#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "model/GroupFile.h"
#include "support/DialogAnswerer.h"
#include "support/TempFolder.h"

using varolin::ButtonRecord;
using Bytes = std::vector<std::uint8_t>;

namespace {

const Bytes kExample = {
    0x02, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x08, 0x00, 0x43, 0x44, 0x72, 0x6F, 0x70, 0x42, 0x74, 0x6E,
    0x00, 0x08, 0x43, 0x3A, 0x5C, 0x44, 0x61, 0x74, 0x61, 0x5C, 0x04, 0x44, 0x61, 0x74, 0x61,
    0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x60, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x01, 0x80, 0x00, 0x03, 0x44, 0x3A, 0x5C, 0x02, 0x44, 0x3A,
    0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x60, 0x80, 0x00, 0x01, 0x00, 0x00, 0x00,
};
const std::vector<ButtonRecord> kExampleRecords = {
    {L"", L"C:\\Data\\", L"Data", 0x00FFFFFF, 0x00806000, 0},
    {L"", L"D:\\", L"D:", 0x00FFFFFF, 0x00806000, 1},
};

std::optional<Bytes> ReadBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    Bytes bytes(1 << 16);
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

bool Contains(const Bytes& bytes, const Bytes& part) {
    return std::search(bytes.begin(), bytes.end(), part.begin(), part.end()) != bytes.end();
}

// Each test gets an empty folder of its own as the program directory.
class GroupFileTest : public testing::Test {
protected:
    std::vector<std::wstring> Files() const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((m_dir + L"*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            const std::wstring name = data.cFileName;
            if (name != L"." && name != L"..") names.push_back(name);
        } while (FindNextFileW(find, &data));
        FindClose(find);
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder m_folder;
    const std::wstring m_dir = m_folder.Path();
};

constexpr wchar_t kCannotSave[] = L"データファイルが保存できません";
constexpr wchar_t kUnknownSchema[] = L"スキーマバージョン不明";

using Names = std::vector<std::wstring>;

}  // namespace

TEST_F(GroupFileTest, MissingFileGivesAnEmptyPageSilentlyAndCreatesNothing) {
    GroupFile file(m_dir, 3);
    EXPECT_EQ(file.Path(), m_dir + L"GRP003.VRL");
    EXPECT_EQ(GroupFile(L"C:\\Bar", 1000).Path(), L"C:\\Bar\\GRP1000.VRL");
    DialogAnswerer boxes;
    EXPECT_TRUE(file.Load(nullptr).empty());
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_TRUE(Files().empty());
}

TEST_F(GroupFileTest, WritesTheClassicBytesAndReadsThemBack) {
    GroupFile file(m_dir, 0);
    DialogAnswerer boxes;
    ASSERT_TRUE(file.Save(nullptr, kExampleRecords));
    EXPECT_EQ(ReadBytes(file.Path()), kExample);
    EXPECT_EQ(file.Load(nullptr), kExampleRecords);
    // Saving over an existing file replaces it, and nothing else is left in the folder.
    ASSERT_TRUE(file.Save(nullptr, std::vector<ButtonRecord>{kExampleRecords[1]}));
    EXPECT_EQ(file.Load(nullptr), std::vector<ButtonRecord>{kExampleRecords[1]});
    EXPECT_EQ(Files(), Names{L"GRP000.VRL"});
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(GroupFileTest, JapaneseIsStoredInCp932AndOtherScriptsSurvive) {
    const std::vector<ButtonRecord> records = {
        {L"\x8868.exe", L"C:\\\x30C7\x30FC\x30BF\\", L"\x30C7\x30FC\x30BF", 0, 0, 0},  // 表.exe in C:\データ\ .
        {L"", L"C:\\k\\", L"\xD55C\xAD6D", 0, 0, 0},                                   // 한국
        {L"", L"C:\\e\\", L"\xD83D\xDE00", 0, 0, 0},                                   // an emoji
        {L"", L"C:\\y\\", L"\x00A5" L"100 \x301C", 0, 0, 0},                           // yen sign, wave dash
        {L"", L"C:\\caf\x00E9\\", L"caf\x00E9", 0, 0, 0},
    };
    GroupFile file(m_dir, 1);
    ASSERT_TRUE(file.Save(nullptr, records));
    const Bytes bytes = ReadBytes(file.Path()).value();
    EXPECT_TRUE(Contains(bytes, {0x06, 0x95, 0x5C, 0x2E, 0x65, 0x78, 0x65,
                                 0x0A, 0x43, 0x3A, 0x5C, 0x83, 0x66, 0x81, 0x5B, 0x83, 0x5E, 0x5C,
                                 0x06, 0x83, 0x66, 0x81, 0x5B, 0x83, 0x5E}));
    EXPECT_TRUE(Contains(bytes, {0xFF, 0xFE, 0xFF, 0x02, 0x5C, 0xD5, 0x6D, 0xAD}));
    // The system conversion quietly turns these into "\\" and "e"; they must stay UTF-16.
    EXPECT_TRUE(Contains(bytes, {0xFF, 0xFE, 0xFF, 0x06, 0xA5, 0x00, 0x31, 0x00}));
    EXPECT_TRUE(Contains(bytes, {0xFF, 0xFE, 0xFF, 0x04, 0x63, 0x00, 0x61, 0x00, 0x66, 0x00, 0xE9, 0x00}));
    EXPECT_EQ(file.Load(nullptr), records);
}

TEST_F(GroupFileTest, FailedSaveKeepsTheOldBytesAndSaysSo) {
    const std::vector<ButtonRecord> changed = {{L"", L"E:\\", L"E:", 1, 2, 0}};
    GroupFile readOnly(m_dir, 0);
    ASSERT_TRUE(m_folder.WriteFile(L"GRP000.VRL", kExample));
    SetFileAttributesW(readOnly.Path().c_str(), FILE_ATTRIBUTE_READONLY);
    GroupFile blocked(m_dir, 1);  // its temporary file cannot be made: a folder has that name
    ASSERT_TRUE(m_folder.WriteFile(L"GRP001.VRL", kExample));
    ASSERT_TRUE(CreateDirectoryW((blocked.Path() + L".tmp").c_str(), nullptr));
    GroupFile noFolder(m_dir + L"missing\\", 0);

    DialogAnswerer boxes;
    EXPECT_FALSE(readOnly.Save(nullptr, changed));
    EXPECT_FALSE(blocked.Save(nullptr, changed));
    EXPECT_FALSE(noFolder.Save(nullptr, changed));

    EXPECT_EQ(ReadBytes(readOnly.Path()), kExample);
    EXPECT_EQ(ReadBytes(blocked.Path()), kExample);
    EXPECT_EQ(Files(), (Names{L"GRP000.VRL", L"GRP001.VRL", L"GRP001.VRL.tmp"}));
    ASSERT_EQ(boxes.Count(), 3u);
    for (const AnsweredDialog& box : boxes.Dialogs()) {
        EXPECT_EQ(box.caption, L"Varolin");
        EXPECT_EQ(box.text, kCannotSave);
    }
    SetFileAttributesW(readOnly.Path().c_str(), FILE_ATTRIBUTE_NORMAL);  // so the folder can go
}

TEST_F(GroupFileTest, EmptiedPageDeletesItsFile) {
    GroupFile file(m_dir, 2);
    DialogAnswerer boxes;
    ASSERT_TRUE(file.Save(nullptr, kExampleRecords));
    EXPECT_TRUE(file.Save(nullptr, {}));
    EXPECT_TRUE(Files().empty());
    EXPECT_TRUE(file.Save(nullptr, {}));  // already gone: still quiet
    ASSERT_TRUE(file.Save(nullptr, std::vector<ButtonRecord>{kExampleRecords[0]}));
    EXPECT_EQ(ReadBytes(file.Path()).value().at(0), 0x01);
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(GroupFileTest, UnknownSchemaIsReportedAndDamageIsNot) {
    GroupFile schema2(m_dir, 0);
    Bytes bytes = kExample;
    bytes[4] = 0x02;
    ASSERT_TRUE(m_folder.WriteFile(L"GRP000.VRL", bytes));
    GroupFile truncated(m_dir, 1);
    ASSERT_TRUE(m_folder.WriteFile(L"GRP001.VRL", Bytes(kExample.begin(), kExample.end() - 5)));

    DialogAnswerer boxes;
    boxes.Answer(IDOK);
    EXPECT_EQ(schema2.Load(nullptr), std::vector<ButtonRecord>(1));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, L"Varolin");
    EXPECT_EQ(boxes.Last().text, kUnknownSchema);
    EXPECT_EQ(truncated.Load(nullptr), std::vector<ButtonRecord>{kExampleRecords[0]});
    EXPECT_EQ(boxes.Count(), 1u);
}
