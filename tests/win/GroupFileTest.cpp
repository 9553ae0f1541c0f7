#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "framework/Strings.h"
#include "groups/GroupFile.h"
#include "resource.h"

using varolin::ButtonRecord;
using Bytes = std::vector<std::uint8_t>;

namespace {

// Answers every message box of this thread with OK and records its caption and text.
class MessageBoxLog {
public:
    struct Box {
        std::wstring caption, text;
    };
    MessageBoxLog() {
        s_boxes = &m_boxes;
        m_hook = SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
    }
    ~MessageBoxLog() {
        UnhookWindowsHookEx(m_hook);
        s_boxes = nullptr;
    }
    MessageBoxLog(const MessageBoxLog&) = delete;
    MessageBoxLog& operator=(const MessageBoxLog&) = delete;
    const std::vector<Box>& Boxes() const { return m_boxes; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
        if (code == HCBT_ACTIVATE && s_boxes) {
            HWND wnd = reinterpret_cast<HWND>(wp);
            wchar_t cls[16]{};
            GetClassNameW(wnd, cls, 16);
            if (std::wstring(cls) == L"#32770") {
                wchar_t caption[256]{}, text[1024]{};
                GetWindowTextW(wnd, caption, 256);
                GetDlgItemTextW(wnd, 0xFFFF, text, 1024);
                s_boxes->push_back({caption, text});
                PostMessageW(wnd, WM_COMMAND, IDOK, 0);
            }
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static inline thread_local std::vector<Box>* s_boxes = nullptr;
    std::vector<Box> m_boxes;
    HHOOK m_hook;
};

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

void WriteBytes(const std::wstring& path, const Bytes& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

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
    void SetUp() override {
        wchar_t temp[MAX_PATH]{};
        GetTempPathW(MAX_PATH, temp);
        static int serial = 0;
        m_dir = std::wstring(temp) + L"varolin-groups-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++serial) + L"\\";
        ASSERT_TRUE(CreateDirectoryW(m_dir.c_str(), nullptr));
    }
    void TearDown() override {
        for (const std::wstring& name : Files()) {
            const std::wstring path = m_dir + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
        }
        RemoveDirectoryW(m_dir.c_str());
    }
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

    std::wstring m_dir;
};

using Names = std::vector<std::wstring>;

}  // namespace

TEST_F(GroupFileTest, MissingFileGivesAnEmptyPageSilentlyAndCreatesNothing) {
    GroupFile file(m_dir, 3);
    EXPECT_EQ(file.Path(), m_dir + L"GRP003.VRL");
    EXPECT_EQ(GroupFile(L"C:\\Bar", 1000).Path(), L"C:\\Bar\\GRP1000.VRL");
    MessageBoxLog boxes;
    EXPECT_TRUE(file.Load(nullptr).empty());
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_TRUE(Files().empty());
}

TEST_F(GroupFileTest, WritesTheClassicBytesAndReadsThemBack) {
    GroupFile file(m_dir, 0);
    MessageBoxLog boxes;
    ASSERT_TRUE(file.Save(nullptr, kExampleRecords));
    EXPECT_EQ(ReadBytes(file.Path()), kExample);
    EXPECT_EQ(file.Load(nullptr), kExampleRecords);
    // Saving over an existing file replaces it, and nothing else is left in the folder.
    ASSERT_TRUE(file.Save(nullptr, std::vector<ButtonRecord>{kExampleRecords[1]}));
    EXPECT_EQ(file.Load(nullptr), std::vector<ButtonRecord>{kExampleRecords[1]});
    EXPECT_EQ(Files(), Names{L"GRP000.VRL"});
    EXPECT_TRUE(boxes.Boxes().empty());
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
    WriteBytes(readOnly.Path(), kExample);
    SetFileAttributesW(readOnly.Path().c_str(), FILE_ATTRIBUTE_READONLY);
    GroupFile blocked(m_dir, 1);  // its temporary file cannot be made: a folder has that name
    WriteBytes(blocked.Path(), kExample);
    ASSERT_TRUE(CreateDirectoryW((blocked.Path() + L".tmp").c_str(), nullptr));
    GroupFile noFolder(m_dir + L"missing\\", 0);

    MessageBoxLog boxes;
    EXPECT_FALSE(readOnly.Save(nullptr, changed));
    EXPECT_FALSE(blocked.Save(nullptr, changed));
    EXPECT_FALSE(noFolder.Save(nullptr, changed));

    EXPECT_EQ(ReadBytes(readOnly.Path()), kExample);
    EXPECT_EQ(ReadBytes(blocked.Path()), kExample);
    EXPECT_EQ(Files(), (Names{L"GRP000.VRL", L"GRP001.VRL", L"GRP001.VRL.tmp"}));
    ASSERT_EQ(boxes.Boxes().size(), 3u);
    for (const MessageBoxLog::Box& box : boxes.Boxes()) {
        EXPECT_EQ(box.caption, L"Varolin");
        EXPECT_EQ(box.text, LoadStr(IDS_CANNOT_SAVE_DATA));
    }
}

TEST_F(GroupFileTest, EmptiedPageDeletesItsFile) {
    GroupFile file(m_dir, 2);
    MessageBoxLog boxes;
    ASSERT_TRUE(file.Save(nullptr, kExampleRecords));
    EXPECT_TRUE(file.Save(nullptr, {}));
    EXPECT_TRUE(Files().empty());
    EXPECT_TRUE(file.Save(nullptr, {}));  // already gone: still quiet
    ASSERT_TRUE(file.Save(nullptr, std::vector<ButtonRecord>{kExampleRecords[0]}));
    EXPECT_EQ(ReadBytes(file.Path()).value().at(0), 0x01);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(GroupFileTest, UnknownSchemaIsReportedAndDamageIsNot) {
    GroupFile schema2(m_dir, 0);
    Bytes bytes = kExample;
    bytes[4] = 0x02;
    WriteBytes(schema2.Path(), bytes);
    GroupFile truncated(m_dir, 1);
    WriteBytes(truncated.Path(), Bytes(kExample.begin(), kExample.end() - 5));

    MessageBoxLog boxes;
    EXPECT_EQ(schema2.Load(nullptr), std::vector<ButtonRecord>(1));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, L"Varolin");
    EXPECT_EQ(boxes.Boxes()[0].text, LoadStr(IDS_UNKNOWN_SCHEMA));
    EXPECT_EQ(truncated.Load(nullptr), std::vector<ButtonRecord>{kExampleRecords[0]});
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}
