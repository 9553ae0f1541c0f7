#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "settings/Settings.h"
#include "buttons/SameNameDlg.h"
#include "buttons/Transfer.h"
#include "resource.h"
#include "support/DialogAnswerer.h"
#include "support/TempFolder.h"

namespace {

constexpr DWORD kCopy = DROPEFFECT_COPY;
constexpr DWORD kMove = DROPEFFECT_MOVE;
const std::wstring kClearReadOnly = L"書き込み禁止属性を解除しますか？";

void MakeReadOnly(const std::wstring& path) { SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY); }

bool SetLength(const std::wstring& path, long long size) {  // sparse where the system can
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD unused = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &unused, nullptr);
    const bool ok = SetFilePointerEx(file, LARGE_INTEGER{{static_cast<DWORD>(size), static_cast<LONG>(size >> 32)}},
                                     nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

bool SetLocalWriteTime(const std::wstring& path, const SYSTEMTIME& fields) {
    FILETIME local{}, utc{};
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const BOOL ok = SystemTimeToFileTime(&fields, &local) && LocalFileTimeToFileTime(&local, &utc) &&
                    SetFileTime(file, nullptr, nullptr, &utc);
    CloseHandle(file);
    return ok;
}

std::wstring ItemText(HWND dialog, int id) {
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog, id, text, 512);
    return text;
}

auto Post(UINT msg, WPARAM wp) {
    return [=](HWND dialog) { PostMessageW(dialog, msg, wp, 0); };
}

// Two folders with files in them; every dialog and message box answered from a queue.
class TransferTest : public ::testing::Test {
protected:
    ~TransferTest() override {
        for (const std::wstring& dir : {from, to}) {  // read-only files would outlive the folder
            WIN32_FIND_DATAW data;
            HANDLE find = FindFirstFileW((dir + L"*").c_str(), &data);
            if (find == INVALID_HANDLE_VALUE) continue;
            do SetFileAttributesW((dir + data.cFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
            while (FindNextFileW(find, &data));
            FindClose(find);
        }
    }

    // `name` in the source folder holding "new" and, unless `old` is null, in the target folder.
    void Files(const std::wstring& name, const char* old = "old") {
        ASSERT_TRUE(temp.WriteFile(L"from\\" + name, std::string("new")));
        if (old) {
            ASSERT_TRUE(temp.WriteFile(L"to\\" + name, std::string(old)));
        }
    }
    int Drop(DWORD effect, const std::wstring& name, bool confirm = true, int format = 0) {
        return TransferFile(TransferOptions{format, confirm, counter}, effect, from + name, to);
    }
    bool ReadOnlyIsEnforced() {  // root under Wine may write to read-only files
        const std::wstring probe = temp / L"probe";
        temp.WriteFile(L"probe", std::string("x"));
        MakeReadOnly(probe);
        HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        SetFileAttributesW(probe.c_str(), FILE_ATTRIBUTE_NORMAL);
        return file == INVALID_HANDLE_VALUE;
    }

    TempFolder temp;
    std::wstring from = temp.MakeFolder(L"from");
    std::wstring to = temp.MakeFolder(L"to");
    varolin::RenameCounter counter;
    DialogAnswerer answerer;
};

}  // namespace

TEST_F(TransferTest, CopyAndMoveWithoutConflict) {
    Files(L"copied.txt", nullptr);
    Files(L"moved.bin", nullptr);
    Files(L"locked.bin", nullptr);
    MakeReadOnly(from + L"locked.bin");

    EXPECT_EQ(Drop(kCopy, L"copied.txt"), 1);
    EXPECT_EQ(Drop(kMove, L"moved.bin"), 1);
    EXPECT_EQ(Drop(kMove, L"locked.bin"), 1);  // write protection cleared silently

    EXPECT_EQ(FileBytes(to + L"copied.txt"), "new");
    EXPECT_EQ(FileBytes(from + L"copied.txt"), "new");
    for (const wchar_t* name : {L"moved.bin", L"locked.bin"}) {
        EXPECT_EQ(FileBytes(to + name), "new");
        EXPECT_FALSE(Exists(from + name));
    }
    EXPECT_EQ(answerer.Count(), 0u);
    EXPECT_EQ(counter.Peek(), 0);
}

TEST_F(TransferTest, OverwriteMovesAndEveryWayOfStoppingLeavesTheFileAlone) {
    const wchar_t* names[] = {L"a.txt", L"b.txt", L"c.txt", L"d.txt", L"e.txt"};
    for (const wchar_t* name : names) Files(name);
    answerer.Answer(0, Post(WM_KEYDOWN, VK_RETURN));  // e: Enter renames
    answerer.Answer(0, Post(WM_KEYDOWN, VK_ESCAPE));  // d: Esc
    answerer.Answer(0, Post(WM_CLOSE, 0));            // c: the close box
    answerer.Answer(IDCANCEL);                        // b: 処理中止
    answerer.Answer(IDC_OVERWRITE);                   // a
    // As a drop walks its list: from the last file to the first. Skipping does not stop it.
    for (int i = 4; i >= 0; --i) EXPECT_EQ(Drop(kMove, names[i]), 1) << i;

    ASSERT_EQ(answerer.Count(), 5u);
    EXPECT_EQ(answerer.Dialogs()[0].caption, L"e.txt が既に存在します");
    EXPECT_EQ(FileBytes(to + L"e_0000.txt"), "new");
    EXPECT_FALSE(Exists(from + L"e.txt"));
    for (const wchar_t* name : {L"b.txt", L"c.txt", L"d.txt"}) {
        EXPECT_EQ(FileBytes(from + name), "new") << name;
        EXPECT_EQ(FileBytes(to + name), "old") << name;
    }
    EXPECT_EQ(FileBytes(to + L"a.txt"), "new");
    EXPECT_FALSE(Exists(from + L"a.txt"));
    EXPECT_EQ(counter.Peek(), 5);  // every dialog's candidate took a number
}

TEST_F(TransferTest, RenamesWithoutAskingAndNumbersATakenCandidateAgain) {
    // How candidates are spelled is the portable rule's business (NumberedPath tests); here the
    // files on disk decide which candidates are taken.
    for (const wchar_t* name : {L"SAMPLE.jpg", L"a.tar.gz"}) Files(name);
    ASSERT_TRUE(temp.WriteFile(L"to\\SAMPLE_0000.jpg", std::string("older")));

    EXPECT_EQ(Drop(kCopy, L"SAMPLE.jpg", false), 1);
    EXPECT_EQ(FileBytes(to + L"SAMPLE_0000_0001.jpg"), "new");
    EXPECT_EQ(Drop(kMove, L"a.tar.gz", false), 1);
    EXPECT_EQ(FileBytes(to + L"a.tar_0002.gz"), "new");
    EXPECT_FALSE(Exists(from + L"a.tar.gz"));

    EXPECT_EQ(FileBytes(to + L"SAMPLE.jpg"), "old");
    EXPECT_EQ(FileBytes(to + L"SAMPLE_0000.jpg"), "older");
    EXPECT_EQ(answerer.Count(), 0u);
}

TEST_F(TransferTest, ConfirmationAsksAgainForATakenCandidate) {
    Files(L"SAMPLE.jpg");
    ASSERT_TRUE(temp.WriteFile(L"to\\SAMPLE_0000.jpg", std::string("older")));
    std::wstring renameTo[2];
    answerer.Answer(IDOK, [&](HWND dialog) { renameTo[0] = ItemText(dialog, IDC_RENAME_TO); });
    answerer.Answer(IDOK, [&](HWND dialog) { renameTo[1] = ItemText(dialog, IDC_RENAME_TO); });

    EXPECT_EQ(Drop(kCopy, L"SAMPLE.jpg"), 1);

    ASSERT_EQ(answerer.Count(), 2u);
    EXPECT_EQ(answerer.Dialogs()[0].caption, L"SAMPLE.jpg が既に存在します");
    EXPECT_EQ(renameTo[0], L"( SAMPLE_0000.jpg )");
    EXPECT_EQ(answerer.Dialogs()[1].caption, L"SAMPLE_0000.jpg が既に存在します");
    EXPECT_EQ(renameTo[1], L"( SAMPLE_0000_0001.jpg )");
    EXPECT_EQ(FileBytes(to + L"SAMPLE_0000_0001.jpg"), "new");
    EXPECT_EQ(FileBytes(to + L"SAMPLE_0000.jpg"), "older");
}

TEST_F(TransferTest, AccessDeniedAsksAgainUntilTheUserSaysNo) {
    // A folder of the target's name can never be overwritten: Yes must bring the question
    // back, and No must leave both sides as they were.
    Files(L"blocked.txt", nullptr);
    ASSERT_TRUE(CreateDirectoryW((to + L"blocked.txt").c_str(), nullptr));
    answerer.Answer(IDC_OVERWRITE);
    answerer.Answer(IDYES);
    answerer.Answer(IDNO);

    EXPECT_EQ(Drop(kMove, L"blocked.txt"), 1);
    ASSERT_EQ(answerer.Count(), 3u);
    EXPECT_EQ(answerer.Dialogs()[1].caption, L"Varolin");
    EXPECT_EQ(answerer.Dialogs()[1].text, kClearReadOnly);
    EXPECT_EQ(answerer.Dialogs()[2].text, kClearReadOnly);
    EXPECT_EQ(FileBytes(from + L"blocked.txt"), "new");
    EXPECT_TRUE(GetFileAttributesW((to + L"blocked.txt").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(TransferTest, ReadOnlyTargetReplacedOnlyWhenTheUserAgrees) {
    if (!ReadOnlyIsEnforced()) GTEST_SKIP() << "this account may write to read-only files (root under Wine)";
    Files(L"kept.txt");
    Files(L"replaced.txt");
    MakeReadOnly(to + L"kept.txt");
    MakeReadOnly(to + L"replaced.txt");
    answerer.Answer(IDC_OVERWRITE);
    answerer.Answer(IDNO);
    answerer.Answer(IDC_OVERWRITE);
    answerer.Answer(IDYES);

    EXPECT_EQ(Drop(kMove, L"kept.txt"), 1);
    EXPECT_EQ(Drop(kMove, L"replaced.txt"), 1);
    ASSERT_EQ(answerer.Count(), 4u);
    EXPECT_EQ(answerer.Dialogs()[1].text, kClearReadOnly);
    EXPECT_EQ(FileBytes(from + L"kept.txt"), "new");
    EXPECT_EQ(FileBytes(to + L"kept.txt"), "old");
    EXPECT_TRUE(GetFileAttributesW((to + L"kept.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(FileBytes(to + L"replaced.txt"), "new");
    EXPECT_FALSE(Exists(from + L"replaced.txt"));
}

TEST_F(TransferTest, DropOntoTheFileItselfOrAFailedCopyStopsTheDrop) {
    ASSERT_TRUE(temp.WriteFile(L"to\\Same.txt", std::string("mine")));
    for (int i = 0; i < 4; ++i) answerer.Answer(IDOK);
    std::wstring slashed = to;
    for (wchar_t& c : slashed)
        if (c == L'\\') c = L'/';

    // Another case; another spelling of the folder; a hard link (the same file under another
    // name, which an overwrite followed by the move's delete would lose).
    EXPECT_EQ(TransferFile({0, false, counter}, kMove, to + L"SAME.TXT", to), 0);
    EXPECT_EQ(TransferFile({0, false, counter}, kMove, to + L"Same.txt", slashed), 0);
    ASSERT_TRUE(CreateHardLinkW((from + L"Same.txt").c_str(), (to + L"Same.txt").c_str(), nullptr));
    EXPECT_EQ(Drop(kMove, L"Same.txt", false), 0);
    for (size_t i = 0; i < 3 && i < answerer.Count(); ++i) {
        EXPECT_EQ(answerer.Dialogs()[i].caption, L"Varolin");
        EXPECT_EQ(answerer.Dialogs()[i].text, L"送り側と受け側のファイル名が同じです");
    }
    EXPECT_EQ(FileBytes(to + L"Same.txt"), "mine");
    EXPECT_EQ(FileBytes(from + L"Same.txt"), "mine");
    EXPECT_EQ(counter.Peek(), 0);

    // Any other copy error is the system's text, and the drop stops.
    EXPECT_EQ(Drop(kMove, L"vanished.txt"), 0);
    ASSERT_EQ(answerer.Count(), 4u);
    EXPECT_EQ(answerer.Dialogs()[3].caption, L"Varolin");
    EXPECT_FALSE(answerer.Dialogs()[3].text.empty());
    EXPECT_FALSE(Exists(to + L"vanished.txt"));
}

TEST_F(TransferTest, NamesBeyondTheAnsiCodePageSurvive) {
    const std::wstring japanese = L"写真・表示ソ予.txt";
    const std::wstring foreign = L"Ελληνικά \U0001F600 ñ.txt";
    Files(japanese, nullptr);
    Files(foreign);

    EXPECT_EQ(Drop(kCopy, japanese, false), 1);
    EXPECT_EQ(Drop(kMove, foreign, false), 1);
    EXPECT_EQ(FileBytes(to + japanese), "new");
    EXPECT_EQ(FileBytes(to + L"Ελληνικά \U0001F600 ñ_0000.txt"), "new");
    EXPECT_FALSE(Exists(from + foreign));
}

TEST_F(TransferTest, DropsUseTheSettingsAndTheProgramWideCounter) {
    Files(L"x.txt");
    AppSettings settings;
    settings.nRenameConfirm = 2;  // only 1 asks
    settings.nRenameFormat = 3;
    settings.renameCounter.Next();
    const int number = settings.renameCounter.Peek();

    EXPECT_EQ(TransferFile(CurrentTransferOptions(settings), kCopy, from + L"x.txt", to), 1);
    EXPECT_EQ(FileBytes(to + L"x(" + std::to_wstring(number) + L").txt"), "new");
    EXPECT_EQ(settings.renameCounter.Peek(), number + 1);
    EXPECT_EQ(answerer.Count(), 0u);
}

// The dialog on its own: what it shows, and its file buttons.
class SameNameDlgTest : public TransferTest {
protected:
    struct Shown {
        std::wstring caption, renameTo, sizes, newFile, oldFile;
    };
    // Runs the dialog; `answer` is posted once its texts are read and `more` has run.
    int Run(const std::wstring& source, const std::wstring& existing, int answer = IDCANCEL,
            std::function<void(HWND)> more = nullptr) {
        answerer.Answer(answer, [this, more](HWND d) {
            shown = {WindowText(d), ItemText(d, IDC_RENAME_TO), ItemText(d, IDC_SIZE_COMPARISON),
                     ItemText(d, IDC_SOURCE_FILE), ItemText(d, IDC_EXISTING_FILE)};
            if (more) more(d);
        });
        CSameNameDlg dialog;
        dialog.m_strSource = source;
        dialog.m_strExisting = existing;
        dialog.m_strCandidate = to + L"report_0007.txt";
        dialog.DoModal();
        return dialog.m_nResult;
    }
    Shown shown;
};

TEST_F(SameNameDlgTest, ShowsBothFilesAndComparesSizesOnly) {
    Files(L"report.txt", "abc");  // as long as "new"
    ASSERT_TRUE(SetLocalWriteTime(to + L"report.txt", {2001, 1, 0, 14, 9, 5, 7, 0}));
    ASSERT_TRUE(SetLocalWriteTime(from + L"report.txt", {2023, 11, 0, 30, 23, 59, 0, 0}));

    EXPECT_EQ(Run(from + L"report.txt", to + L"report.txt"), CSameNameDlg::kAbort);
    EXPECT_EQ(shown.caption, L"report.txt が既に存在します");
    EXPECT_EQ(shown.renameTo, L"( report_0007.txt )");
    EXPECT_EQ(shown.sizes, L"○ サイズ一致");
    EXPECT_EQ(shown.newFile, L"サイズ：3 バイト\n更新日時：2023年11月30日 23:59:00 （新）");
    EXPECT_EQ(shown.oldFile, L"サイズ：3 バイト\n更新日時：2001年 1月14日 9:05:07 （旧）");

    // A vanished file shows nothing and counts as empty.
    ASSERT_TRUE(temp.WriteFile(L"to\\empty.dat", std::string()));
    Run(from + L"gone.dat", to + L"empty.dat");
    EXPECT_EQ(shown.newFile, L" （新）");
    EXPECT_EQ(shown.sizes, L"○ サイズ一致");

    // Sizes are compared whole, not by their low 32 bits.
    ASSERT_TRUE(SetLength(from + L"big.bin", 5000000000LL));
    ASSERT_TRUE(SetLength(to + L"big.bin", 5000000000LL & 0xFFFFFFFFLL));
    Run(from + L"big.bin", to + L"big.bin");
    EXPECT_EQ(shown.sizes, L"× サイズ相違");
    EXPECT_EQ(shown.newFile.substr(0, shown.newFile.find(L'\n')), L"サイズ：5000000000 バイト");
}

