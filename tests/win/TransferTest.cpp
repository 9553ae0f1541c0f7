#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/Settings.h"
#include "buttons/Transfer.h"
#include "resource.h"
#include "support/DialogAnswerer.h"
#include "support/TempFolder.h"

namespace {

constexpr DWORD kCopy = DROPEFFECT_COPY;
constexpr DWORD kMove = DROPEFFECT_MOVE;
constexpr TransferOutcome kGoOn = TransferOutcome::GoOn;
constexpr TransferOutcome kStop = TransferOutcome::StopDrop;
const std::wstring kClearReadOnly = L"書き込み禁止属性を解除しますか？";

void MakeReadOnly(const std::wstring& path) { SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY); }

bool SetLength(const std::wstring& path, long long size) {  // no data is written
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const bool ok = SetFilePointerEx(file, LARGE_INTEGER{{static_cast<DWORD>(size), static_cast<LONG>(size >> 32)}},
                                     nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

std::wstring ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

auto Post(UINT msg, WPARAM wp) {
    return [=](HWND dialog) { PostMessageW(dialog, msg, wp, 0); };
}

// Two folders with files in them; every dialog and message box answered from a queue.
class TransferTest : public ::testing::Test {
protected:
    // `name` in the source folder holding "new" and, unless `old` is null, in the target folder.
    void Files(const std::wstring& name, const char* old = "old") {
        ASSERT_TRUE(temp.WriteFile(L"from\\" + name, std::string("new")));
        if (old) {
            ASSERT_TRUE(temp.WriteFile(L"to\\" + name, std::string(old)));
        }
    }
    TransferOutcome Drop(DWORD effect, const std::wstring& name, bool confirm = true) {
        return TransferFile(TransferOptions{0, confirm, counter}, effect, from + name, to);
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

TEST_F(TransferTest, CopyAndMoveWithoutConflictWhateverTheNames) {
    const std::wstring copied = L"写真・表示ソ予.txt", moved = L"Ελληνικά \U0001F600 ñ.bin";
    Files(copied, nullptr);
    Files(moved, nullptr);
    Files(L"locked.bin", nullptr);
    MakeReadOnly(from + L"locked.bin");

    EXPECT_EQ(Drop(kCopy, copied), kGoOn);
    EXPECT_EQ(Drop(kMove, moved), kGoOn);
    EXPECT_EQ(Drop(kMove, L"locked.bin"), kGoOn);  // write protection cleared silently

    EXPECT_EQ(FileBytes(to + copied), "new");
    EXPECT_EQ(FileBytes(from + copied), "new");
    for (const std::wstring& name : {moved, std::wstring(L"locked.bin")}) {
        EXPECT_EQ(FileBytes(to + name), "new");
        EXPECT_FALSE(Exists(from + name));
    }
    EXPECT_EQ(answerer.Count(), 0u);
    EXPECT_EQ(counter.Peek(), 0);
}

TEST_F(TransferTest, OverwriteMovesAndEveryWayOfStoppingLeavesTheFileAlone) {
    const wchar_t* names[] = {L"a.txt", L"b.txt", L"c.txt", L"d.txt", L"Ελληνικά ñ.txt"};
    for (const wchar_t* name : names) Files(name);
    answerer.Answer(0, Post(WM_KEYDOWN, VK_RETURN));  // Ελληνικά: Enter renames
    answerer.Answer(0, Post(WM_KEYDOWN, VK_ESCAPE));  // d: Esc
    answerer.Answer(0, Post(WM_CLOSE, 0));            // c: the close box
    answerer.Answer(IDCANCEL);                        // b: 処理中止
    answerer.Answer(IDC_OVERWRITE);                   // a
    // As a drop walks its list: from the last file to the first. Skipping does not stop it.
    for (int i = 4; i >= 0; --i) EXPECT_EQ(Drop(kMove, names[i]), kGoOn) << i;

    ASSERT_EQ(answerer.Count(), 5u);
    EXPECT_EQ(FileBytes(to + L"Ελληνικά ñ_0000.txt"), "new");
    EXPECT_FALSE(Exists(from + names[4]));
    for (const wchar_t* name : {L"b.txt", L"c.txt", L"d.txt"}) {
        EXPECT_EQ(FileBytes(from + name), "new") << name;
        EXPECT_EQ(FileBytes(to + name), "old") << name;
    }
    EXPECT_EQ(FileBytes(to + L"a.txt"), "new");
    EXPECT_FALSE(Exists(from + L"a.txt"));
    EXPECT_EQ(counter.Peek(), 5);  // every dialog's candidate took a number
}

TEST_F(TransferTest, TheQuestionComesAgainForATakenCandidate) {
    Files(L"SAMPLE.jpg");
    ASSERT_TRUE(temp.WriteFile(L"to\\SAMPLE_0000.jpg", std::string("older")));
    std::vector<std::wstring> asked;
    for (int i = 0; i < 2; ++i)
        answerer.Answer(IDOK, [&](HWND dialog) { asked.push_back(WindowText(dialog) + ItemText(dialog, IDC_RENAME_TO)); });

    // How candidates are spelled is the portable rule's business; here the files on disk decide
    // which candidates are taken.
    EXPECT_EQ(Drop(kCopy, L"SAMPLE.jpg"), kGoOn);
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"SAMPLE.jpg が既に存在します( SAMPLE_0000.jpg )",
                                                L"SAMPLE_0000.jpg が既に存在します( SAMPLE_0000_0001.jpg )"}));
    EXPECT_EQ(FileBytes(to + L"SAMPLE_0000_0001.jpg"), "new");
    EXPECT_EQ(FileBytes(to + L"SAMPLE_0000.jpg"), "older");
}

TEST_F(TransferTest, TheQuestionShowsTheNewFileAndComparesWholeSizes) {
    Files(L"report.txt", "abc");  // as long as "new"
    ASSERT_TRUE(SetLocalWriteTime(from + L"report.txt", {2023, 11, 0, 30, 23, 59, 0, 0}));
    // Not by their low 32 bits.
    ASSERT_TRUE(SetLength(from + L"big.bin", 5000000000LL));
    ASSERT_TRUE(SetLength(to + L"big.bin", 5000000000LL & 0xFFFFFFFFLL));
    std::vector<std::wstring> shown;
    for (int i = 0; i < 2; ++i)
        answerer.Answer(IDCANCEL, [&](HWND d) { shown.push_back(ItemText(d, IDC_SIZE_COMPARISON) + L"|" + ItemText(d, IDC_SOURCE_FILE)); });

    Drop(kCopy, L"report.txt");
    Drop(kCopy, L"big.bin");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], L"○ サイズ一致|サイズ：3 バイト\n更新日時：2023年11月30日 23:59:00 （新）");
    EXPECT_EQ(shown[1].substr(0, shown[1].find(L'\n')), L"× サイズ相違|サイズ：5000000000 バイト");
    EXPECT_EQ(FileBytes(to + L"report.txt"), "abc");
}

TEST_F(TransferTest, AccessDeniedAsksAgainUntilTheUserSaysNo) {
    // A folder of the target's name can never be overwritten: Yes must bring the question
    // back, and No must leave both sides as they were.
    Files(L"blocked.txt", nullptr);
    ASSERT_TRUE(CreateDirectoryW((to + L"blocked.txt").c_str(), nullptr));
    answerer.Answer(IDC_OVERWRITE);
    answerer.Answer(IDYES);
    answerer.Answer(IDNO);

    EXPECT_EQ(Drop(kMove, L"blocked.txt"), kGoOn);
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
    for (int answer : {IDC_OVERWRITE, IDNO, IDC_OVERWRITE, IDYES}) answerer.Answer(answer);

    EXPECT_EQ(Drop(kMove, L"kept.txt"), kGoOn);
    EXPECT_EQ(Drop(kMove, L"replaced.txt"), kGoOn);
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
    EXPECT_EQ(TransferFile({0, false, counter}, kMove, to + L"SAME.TXT", to), kStop);
    EXPECT_EQ(TransferFile({0, false, counter}, kMove, to + L"Same.txt", slashed), kStop);
    ASSERT_TRUE(CreateHardLinkW((from + L"Same.txt").c_str(), (to + L"Same.txt").c_str(), nullptr));
    EXPECT_EQ(Drop(kMove, L"Same.txt", false), kStop);
    for (size_t i = 0; i < 3 && i < answerer.Count(); ++i) {
        EXPECT_EQ(answerer.Dialogs()[i].caption, L"Varolin");
        EXPECT_EQ(answerer.Dialogs()[i].text, L"送り側と受け側のファイル名が同じです");
    }
    EXPECT_EQ(FileBytes(to + L"Same.txt"), "mine");
    EXPECT_EQ(FileBytes(from + L"Same.txt"), "mine");
    EXPECT_EQ(counter.Peek(), 0);

    // Any other copy error is the system's text, and the drop stops.
    EXPECT_EQ(Drop(kMove, L"vanished.txt"), kStop);
    ASSERT_EQ(answerer.Count(), 4u);
    EXPECT_FALSE(answerer.Dialogs()[3].text.empty());
    EXPECT_FALSE(Exists(to + L"vanished.txt"));
}

TEST_F(TransferTest, DropsUseTheSettingsAndTheProgramWideCounter) {
    Files(L"x.txt");
    AppSettings settings;
    settings.nRenameConfirm = 2;  // only 1 asks
    settings.nRenameFormat = 3;
    settings.renameCounter.Next();
    const int number = settings.renameCounter.Peek();

    EXPECT_EQ(TransferFile(CurrentTransferOptions(settings), kCopy, from + L"x.txt", to), kGoOn);
    EXPECT_EQ(FileBytes(to + L"x(" + std::to_wstring(number) + L").txt"), "new");
    EXPECT_EQ(settings.renameCounter.Peek(), number + 1);
    EXPECT_EQ(answerer.Count(), 0u);
}
