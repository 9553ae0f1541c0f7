// Drops on a folder button: files copied or moved into its folder (taken names renamed after
// asking), text kept as a note there.
#include <windows.h>
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "bar/MainBar.h"
#include "settings/Settings.h"
#include "resource.h"
#include "shell/ShellHelpers.h"
#include "support/ButtonHost.h"
#include "support/DialogAnswerer.h"
#include "support/SimulatedShell.h"
#include "support/TempFolder.h"
#include "support/TestDataObject.h"
#include "support/TestRegistry.h"

using Names = std::vector<std::wstring>;

namespace {

const std::wstring kCannotHandle = L"ドロップされたデータを処理できません";
const std::wstring kSameName = L"送り側と受け側のファイル名が同じです";
const std::wstring kClearReadOnly = L"書き込み禁止属性を解除しますか？";
const std::string kHeader = R"(\*\*\* \d\d/\d\d/\d\d (Sun|Mon|Tue|Wed|Thu|Fri|Sat) \d\d:\d\d \*\*\*\r\n\r\n)";

// Keys queued for the right-drop menu: its loop takes them from the thread's queue.
void QueueMenuKeys(HWND wnd, std::initializer_list<WPARAM> keys) {
    for (WPARAM key : keys) {
        PostMessageW(wnd, WM_KEYDOWN, key, 1);
        PostMessageW(wnd, WM_KEYUP, key, 0xC0000001);
    }
}
constexpr std::initializer_list<WPARAM> kChooseMove = {VK_DOWN, VK_RETURN};
constexpr std::initializer_list<WPARAM> kChooseCopy = {VK_DOWN, VK_DOWN, VK_RETURN};
constexpr std::initializer_list<WPARAM> kChooseCancel = {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN};

// The foreground window when the right-drop menu's loop first looks at a message.
HWND g_frontDuringMenu = nullptr;
LRESULT CALLBACK RecordFrontInMenu(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_MENU && !g_frontDuringMenu) g_frontDuringMenu = GetForegroundWindow();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A file list whose last name has no terminator, as a faulty source could send it.
IDataObject* DamagedList() {
    std::vector<BYTE> bytes(20, 0);
    bytes[0] = 20;
    bytes[16] = 1;
    for (wchar_t c : std::wstring(L"C:\\x.txt")) bytes.insert(bytes.end(), {BYTE(c), BYTE(c >> 8)});
    return TestDataObject::Create()->AddBytes(CF_HDROP, bytes);
}

std::wstring ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

void MakeReadOnly(const std::wstring& path) { SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY); }

bool SetLength(const std::wstring& path, long long size) {  // no data is written
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const bool ok = SetFilePointerEx(file, LARGE_INTEGER{{static_cast<DWORD>(size), static_cast<LONG>(size >> 32)}},
                                     nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

// The Save As dialog's file name box (a combo box in some versions, an edit in others).
HWND FileNameBox(HWND dialog) {
    for (int id : {0x47c /* cmb13 */, 0x480 /* edt1 */})
        if (HWND box = GetDlgItem(dialog, id)) return box;
    return nullptr;
}

class ButtonDrop : public testing::Test {
protected:
    // Drops files and lets their job run to its end (its questions answered meanwhile).
    DWORD DropFiles(const TestButton& button, const std::vector<std::wstring>& paths, DWORD keyState) {
        const DWORD effect = DropOn(button, TestDataObject::Create()->AddFiles(paths), keyState);
        EXPECT_TRUE(m_host.WaitForTransfers());
        return effect;
    }
    TestButton Button() { return m_button.view ? m_button : (m_button = m_host.Add(FolderRecord(m_target.Path(), L"Target"))); }
    // A file holding "new" in the source folder; with `old`, one of that name in the button's too.
    std::wstring Source(const std::wstring& name, const char* old = nullptr) {
        EXPECT_TRUE(m_source.WriteFile(name, std::string("new")));
        if (old) {
            EXPECT_TRUE(m_target.WriteFile(name, std::string(old)));
        }
        return m_source / name;
    }
    // Drops `text` and answers the Save As dialog: `answer` with `typed` as the file name (when
    // not empty), then `thenAnswer` for a message after it. The proposed name goes to m_proposed.
    DWORD DropText(const TestButton& button, const std::string& text, int answer = IDOK, const std::wstring& typed = L"",
                   bool terminate = true, int thenAnswer = 0) {
        m_answerer.Answer(answer, [this, typed](HWND dialog) {
            HWND box = FileNameBox(dialog);
            m_proposed = box ? WindowText(box) : L"<no box>";
            if (box && !typed.empty()) SetWindowTextW(box, typed.c_str());
        });
        if (thenAnswer) m_answerer.Answer(thenAnswer);
        return DropOn(button, TestDataObject::Create()->AddText(text, terminate), MK_LBUTTON);
    }

    ButtonHost m_host;
    TempFolder m_source, m_target;
    DialogAnswerer m_answerer;
    TestButton m_button;
    std::wstring m_proposed;
};

}  // namespace

TEST_F(ButtonDrop, KeysAndTheBarModeChooseCopyOrMove) {
    struct Case {
        int copyMove;
        DWORD keys;
        DWORD effect;
    };
    const Case cases[] = {
        {0, 0, DROPEFFECT_COPY}, {0, MK_SHIFT, DROPEFFECT_MOVE}, {0, MK_CONTROL, DROPEFFECT_COPY},
        {0, MK_CONTROL | MK_SHIFT, DROPEFFECT_COPY}, {1, 0, DROPEFFECT_MOVE}, {1, MK_SHIFT, DROPEFFECT_MOVE},
        {1, MK_CONTROL, DROPEFFECT_COPY}, {1, MK_CONTROL | MK_SHIFT, DROPEFFECT_COPY},
    };
    m_host.Settings().nDisplayCount = 1;
    int index = 0;
    for (const Case& c : cases) {
        m_host.Settings().nCopyMove = c.copyMove;
        const std::wstring name = L"写真・Ελληνικά \U0001F600 ñ" + std::to_wstring(index++) + L".txt";
        const std::wstring source = Source(name);
        // The button moves by itself: the source is always told "copied", so it deletes nothing.
        EXPECT_EQ(DropFiles(Button(), {source}, MK_LBUTTON | c.keys), DWORD(DROPEFFECT_COPY)) << index;
        EXPECT_TRUE(Exists(m_target / name)) << index;
        EXPECT_EQ(Exists(source), c.effect == DROPEFFECT_COPY) << index;
        // The count is brought up to date after each drop.
        const std::wstring counted = L"Target [" + std::to_wstring(index) + L"]";
        EXPECT_EQ(WaitForText(Button(), counted), counted);
    }
    EXPECT_EQ(m_answerer.Count(), 0u);
}

TEST_F(ButtonDrop, FilesGoLastToFirstAFolderIsRefusedAndAStopEndsTheWalk) {
    m_answerer.Answer(IDOK);
    m_answerer.Answer(IDOK);
    // B already lies in the button's folder: dropping it there stops the drop. A write-protected
    // source is moved all the same.
    ASSERT_TRUE(m_target.WriteFile(L"B.txt", "B"));
    const std::wstring a = Source(L"A.txt"), c = Source(L"C.txt");
    MakeReadOnly(c);
    const std::wstring folder = m_source.MakeFolder(L"Sub");
    const std::wstring folderPath = folder.substr(0, folder.size() - 1);  // as file managers give it
    EXPECT_EQ(DropFiles(Button(), {a, m_target / L"B.txt", folderPath, c}, MK_LBUTTON | MK_SHIFT), DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(m_target.Names(), (Names{L"B.txt", L"C.txt"}));
    EXPECT_FALSE(Exists(c));
    EXPECT_TRUE(Exists(a) && Exists(folder));
    ASSERT_EQ(m_answerer.Count(), 2u);
    EXPECT_EQ(m_answerer.Dialogs()[0].text, L"フォルダはドロップできません");
    EXPECT_EQ(m_answerer.Dialogs()[1].text, kSameName);
}

TEST_F(ButtonDrop, RightDragAsksAndTheMenuDecidesADamagedListIsNotRead) {
    m_host.Settings().nCopyMove = 1;
    const TestButton wnd = Button();
    const ButtonFace idle = RenderFace(wnd);
    // Copy copies even though a plain drop would move.
    const std::wstring copied = Source(L"copied.txt"), moved = Source(L"moved.txt"), kept = Source(L"kept.txt");
    // The menu is tracked with the bar in front; the program the drag came from is in front
    // again afterwards.
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, L"VarolinTestBar", L"file manager", WS_POPUP | WS_VISIBLE, RECT{0, 500, 200, 600},
                               nullptr, 0));
    SetForegroundWindow(other.m_hWnd);
    g_frontDuringMenu = nullptr;
    HHOOK hook = SetWindowsHookExW(WH_MSGFILTER, RecordFrontInMenu, nullptr, GetCurrentThreadId());
    QueueMenuKeys(wnd.view, kChooseCopy);
    EXPECT_NE(DropFiles(wnd, {copied}, MK_RBUTTON), DWORD(DROPEFFECT_NONE));
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(g_frontDuringMenu, m_host.Bar());
    EXPECT_EQ(GetForegroundWindow(), other.m_hWnd);
    m_host.Settings().nCopyMove = 0;
    QueueMenuKeys(wnd.view, kChooseMove);
    EXPECT_NE(DropFiles(wnd, {moved}, MK_RBUTTON), DWORD(DROPEFFECT_NONE));
    // Cancel, and a menu closed with Escape after Move was highlighted, do nothing.
    for (auto keys : {kChooseCancel, std::initializer_list<WPARAM>{VK_DOWN, VK_ESCAPE}}) {
        QueueMenuKeys(wnd.view, keys);
        EXPECT_EQ(DropFiles(wnd, {kept}, MK_RBUTTON | MK_SHIFT), DWORD(DROPEFFECT_NONE));
        EXPECT_EQ(RenderFace(wnd), idle) << "the highlight is gone";
    }
    // A damaged file list is reported, and nothing of it is read.
    m_answerer.Answer(IDOK);
    EXPECT_EQ(DropOn(wnd, DamagedList(), MK_LBUTTON), DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(m_answerer.Last().text, kCannotHandle);
    EXPECT_EQ(m_target.Names(), (Names{L"copied.txt", L"moved.txt"}));
    EXPECT_TRUE(Exists(copied) && Exists(kept));
    EXPECT_FALSE(Exists(moved));
    EXPECT_EQ(m_answerer.Count(), 1u);
}

TEST_F(ButtonDrop, ADeletedFolderIsReportedInFrontOfTheBarAndTheSourcesStay) {
    // Never made: a watched folder that is deleted stays until its watch lets go (under Wine).
    const TestButton button = m_host.Add(FolderRecord(m_target / L"gone\\", L"Gone"));
    const ButtonFace idle = RenderFace(button);
    const std::wstring source = Source(L"stays.txt");
    CWnd other;  // the program the drag comes from
    ASSERT_TRUE(other.CreateEx(0, L"VarolinTestBar", L"file manager", WS_POPUP | WS_VISIBLE, RECT{0, 500, 200, 600},
                               nullptr, 0));
    SetForegroundWindow(other.m_hWnd);

    HWND during = nullptr;
    m_answerer.Answer(IDOK, [&during](HWND) { during = GetForegroundWindow(); });
    m_answerer.Answer(IDOK);
    // The drop has returned by the time its job finds the folder gone.
    EXPECT_EQ(DropFiles(button, {source}, MK_LBUTTON | MK_SHIFT), DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(during, m_host.Bar());
    EXPECT_EQ(GetForegroundWindow(), other.m_hWnd);
    EXPECT_EQ(DropOn(button, TestDataObject::Create()->AddText("note"), MK_LBUTTON), DWORD(DROPEFFECT_NONE));
    // Two messages and no Save As dialog.
    ASSERT_EQ(m_answerer.Count(), 2u);
    for (const AnsweredDialog& box : m_answerer.Dialogs()) EXPECT_EQ(box.text, L"保存先フォルダが存在しません");
    EXPECT_TRUE(Exists(source));
    EXPECT_EQ(RenderFace(button), idle);
}

TEST_F(ButtonDrop, TextIsAppendedBehindEarlierContentsAndWinsOverFilesWithoutAMenu) {
    m_host.Settings().nDisplayCount = 1;
    ASSERT_TRUE(m_target.WriteFile(L"VRL_Text.txt", "earlier\r\n"));
    // Text without a terminating zero ends with its memory block.
    EXPECT_EQ(DropText(Button(), "first", IDOK, L"", false), DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(m_proposed, L"VRL_Text.txt");
    // A right-drop menu, had it opened, would take this Escape and cancel.
    PostMessageW(Button().view, WM_KEYDOWN, VK_ESCAPE, 1);
    m_answerer.Answer(IDOK);
    IDataObject* data = TestDataObject::Create()->AddFiles({Source(L"file.txt")})->AddText("\x83\x81\r\n");
    // A saved note reports the effect it used: the source may then take the text away.
    EXPECT_EQ(DropOn(Button(), data, MK_RBUTTON | MK_SHIFT), DWORD(DROPEFFECT_MOVE));

    // Double-byte text goes in as it came; a final line break stays in front of the two pairs.
    const std::string content = FileBytes(m_target / L"VRL_Text.txt");
    EXPECT_TRUE(std::regex_match(content, std::regex("earlier\r\n" + kHeader + "first\r\n\r\n" + kHeader +
                                                     "\x83\x81\r\n\r\n\r\n")))
        << content;
    EXPECT_EQ(m_answerer.Count(), 2u);
    EXPECT_EQ(WaitForText(Button(), L"Target [1]"), L"Target [1]") << "the file list is left alone, the folder scanned again";
}

TEST_F(ButtonDrop, ANoteGoesInWhileAnEditorHoldsTheFileOpenForWritingAndKeepsItsLines) {
    const std::wstring notes = m_target / L"VRL_Text.txt";
    ASSERT_TRUE(m_target.WriteFile(L"VRL_Text.txt", "earlier\r\n"));
    HANDLE editor = CreateFileW(notes.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(editor, INVALID_HANDLE_VALUE);
    auto editorAppends = [editor](const char* line) {
        DWORD written = 0;
        EXPECT_TRUE(SetFilePointerEx(editor, LARGE_INTEGER{}, nullptr, FILE_END));
        EXPECT_TRUE(WriteFile(editor, line, static_cast<DWORD>(strlen(line)), &written, nullptr));
    };
    // The editor writes while the Save As dialog is open and again after the note.
    m_answerer.Answer(IDOK, [&](HWND) { editorAppends("editor 1\r\n"); });
    EXPECT_EQ(DropOn(Button(), TestDataObject::Create()->AddText("note"), MK_LBUTTON), DWORD(DROPEFFECT_COPY));
    editorAppends("editor 2\r\n");
    CloseHandle(editor);
    EXPECT_EQ(m_answerer.Count(), 1u) << "no message that the file cannot be used";
    const std::string content = FileBytes(notes);
    EXPECT_TRUE(std::regex_match(content, std::regex("earlier\r\neditor 1\r\n" + kHeader + "note\r\n\r\neditor 2\r\n")))
        << content;
}

TEST_F(ButtonDrop, TheChosenNoteFileIsProposedNextOnThatButtonEvenWhenItCannotBeOpened) {
    ASSERT_TRUE(m_target.WriteFile(L"locked.txt", "keep"));
    // Held open by another program that shares nothing.
    HANDLE holder = CreateFileW((m_target / L"locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(DropText(Button(), "lost?", IDOK, L"locked.txt", true, IDOK), DWORD(DROPEFFECT_NONE));
    CloseHandle(holder);
    EXPECT_EQ(m_answerer.Last().text, L"ファイル（ " + m_target.Path() + L"locked.txt ）が使用できません");
    EXPECT_EQ(FileBytes(m_target / L"locked.txt"), "keep");

    // Cancel writes nothing; another button proposes its own name, and a new name is created.
    EXPECT_EQ(DropText(Button(), "never", IDCANCEL), DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(m_proposed, L"locked.txt");
    EXPECT_EQ(DropText(m_host.Add(FolderRecord(m_target.Path(), L"Other")), "new", IDOK, L"notes.txt"), DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(m_proposed, L"VRL_Text.txt");
    EXPECT_EQ(m_target.Names(), (Names{L"locked.txt", L"notes.txt"}));
}

TEST_F(ButtonDrop, TakenNamesAreAskedAboutAndEveryAnswerIsFollowed) {
    m_host.Settings().nRenameConfirm = 1;
    m_host.Settings().nRenameFormat = 1;
    const std::wstring a = Source(L"a.txt", "old"), b = Source(L"b.txt", "old"), sample = Source(L"SAMPLE.jpg", "old");
    ASSERT_TRUE(m_target.WriteFile(L"SAMPLE_0.jpg", "older"));
    std::vector<std::wstring> asked;
    for (int answer : {IDOK, IDOK, IDCANCEL /* 処理中止 */, IDC_OVERWRITE})
        m_answerer.Answer(answer, [&](HWND dialog) { asked.push_back(WindowText(dialog) + ItemText(dialog, IDC_RENAME_TO)); });
    EXPECT_EQ(DropFiles(Button(), {a, b, sample}, MK_LBUTTON | MK_SHIFT), DWORD(DROPEFFECT_COPY));

    // Last to first; a taken candidate is asked about again, and every candidate takes a number
    // of the program's counter.
    EXPECT_EQ(asked, (Names{L"SAMPLE.jpg が既に存在します( SAMPLE_0.jpg )", L"SAMPLE_0.jpg が既に存在します( SAMPLE_0_1.jpg )",
                            L"b.txt が既に存在します( b_2.txt )", L"a.txt が既に存在します( a_3.txt )"}));
    EXPECT_EQ(m_host.Settings().renameCounter.Peek(), 4);
    EXPECT_EQ(FileBytes(m_target / L"SAMPLE_0_1.jpg"), "new");
    EXPECT_EQ(FileBytes(m_target / L"SAMPLE_0.jpg"), "older");
    EXPECT_FALSE(Exists(sample));
    // Skipping leaves the file alone and goes on; overwriting moves.
    EXPECT_EQ(FileBytes(b), "new");
    EXPECT_EQ(FileBytes(m_target / L"b.txt"), "old");
    EXPECT_EQ(FileBytes(m_target / L"a.txt"), "new");
    EXPECT_FALSE(Exists(a));
}

TEST_F(ButtonDrop, TheQuestionShowsTheNewFileAndComparesWholeSizes) {
    m_host.Settings().nRenameConfirm = 1;
    const std::wstring report = Source(L"report.txt", "abc");  // as long as "new"
    ASSERT_TRUE(SetLocalWriteTime(report, {2023, 11, 0, 30, 23, 59, 0, 0}));
    // Not by their low 32 bits.
    ASSERT_TRUE(SetLength(m_source / L"big.bin", 5000000000LL));
    ASSERT_TRUE(SetLength(m_target / L"big.bin", 5000000000LL & 0xFFFFFFFFLL));
    std::vector<std::wstring> shown;
    for (int i = 0; i < 2; ++i)
        m_answerer.Answer(IDCANCEL, [&](HWND d) { shown.push_back(ItemText(d, IDC_SIZE_COMPARISON) + L"|" + ItemText(d, IDC_SOURCE_FILE)); });
    DropFiles(Button(), {m_source / L"big.bin", report}, MK_LBUTTON);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], L"○ サイズ一致|サイズ：3 バイト\n更新日時：2023年11月30日 23:59:00 （新）");
    EXPECT_EQ(shown[1].substr(0, shown[1].find(L'\n')), L"× サイズ相違|サイズ：5000000000 バイト");
}

TEST_F(ButtonDrop, WriteProtectionIsClearedOnlyWhenTheUserAgrees) {
    // A folder of the target's name can never be overwritten: Yes must bring the question
    // back, and No must leave both sides as they were.
    m_host.Settings().nRenameConfirm = 1;
    const std::wstring blocked = Source(L"blocked.txt");
    m_target.MakeFolder(L"blocked.txt");
    for (int answer : {IDC_OVERWRITE, IDYES, IDNO}) m_answerer.Answer(answer);
    EXPECT_EQ(DropFiles(Button(), {blocked}, MK_LBUTTON | MK_SHIFT), DWORD(DROPEFFECT_COPY));
    ASSERT_EQ(m_answerer.Count(), 3u);
    EXPECT_EQ(m_answerer.Dialogs()[1].text, kClearReadOnly);
    EXPECT_EQ(m_answerer.Dialogs()[2].text, kClearReadOnly);
    EXPECT_EQ(FileBytes(blocked), "new");
    EXPECT_TRUE(IsFolder(m_target / L"blocked.txt"));

    // A write-protected file is replaced after a Yes (root under Wine writes to it unasked).
    const std::wstring replaced = Source(L"replaced.txt", "old");
    MakeReadOnly(m_target / L"replaced.txt");
    for (int answer : {IDC_OVERWRITE, IDYES}) m_answerer.Answer(answer);
    DropFiles(Button(), {replaced}, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(FileBytes(m_target / L"replaced.txt"), "new");
    EXPECT_FALSE(Exists(replaced));
}

TEST_F(ButtonDrop, TheFileItselfUnderAnotherNameOrAFailedCopyStopsTheDrop) {
    ASSERT_TRUE(m_target.WriteFile(L"Same.txt", "mine"));
    ASSERT_TRUE(CreateHardLinkW((m_source / L"Same.txt").c_str(), (m_target / L"Same.txt").c_str(), nullptr));
    for (int i = 0; i < 3; ++i) m_answerer.Answer(IDOK);
    // Another case; a hard link (the same file under another name, which an overwrite followed
    // by the move's delete would lose).
    DropFiles(Button(), {m_target / L"SAME.TXT"}, MK_LBUTTON | MK_SHIFT);
    DropFiles(Button(), {m_source / L"Same.txt"}, MK_LBUTTON | MK_SHIFT);
    // Any other copy error is the system's text, and the drop stops.
    const std::wstring kept = Source(L"kept.txt");
    DropFiles(Button(), {kept, m_source / L"vanished.txt"}, MK_LBUTTON | MK_SHIFT);

    ASSERT_EQ(m_answerer.Count(), 3u);
    EXPECT_EQ(m_answerer.Dialogs()[0].text, kSameName);
    EXPECT_EQ(m_answerer.Dialogs()[1].text, kSameName);
    EXPECT_NE(m_answerer.Dialogs()[2].text, kSameName) << "the system's text";
    EXPECT_EQ(FileBytes(m_target / L"Same.txt"), "mine");
    EXPECT_EQ(FileBytes(m_source / L"Same.txt"), "mine");
    EXPECT_TRUE(Exists(kept));
    EXPECT_EQ(m_host.Settings().renameCounter.Peek(), 0);
}

// The bar reads dropped lists through the same parser: a damaged one adds no button.
class BarDrop : public CleanRegistryTest {};

TEST_F(BarDrop, ADamagedListIsReportedAndNotRead) {
    TempFolder appDir;
    AppSettings settings;
    settings.strAppDir = appDir.Path();
    varolin::SimulatedShell shell;
    CMainBar bar(settings, nullptr, &shell);
    ASSERT_TRUE(bar.Create(nullptr));
    DialogAnswerer answerer;  // the bar is a dialog too: only its boxes are answered
    answerer.Ignore(bar.m_hWnd);
    answerer.Answer(IDOK);
    const HWND label = GetDlgItem(bar.m_hWnd, IDC_PAGE_LABEL);
    const std::wstring before = WindowText(label);
    EXPECT_EQ(DropOn(bar.m_hWnd, DamagedList(), MK_LBUTTON), DWORD(DROPEFFECT_NONE));
    ASSERT_EQ(answerer.Count(), 1u) << "no question to add buttons";
    EXPECT_EQ(answerer.Last().text, kCannotHandle);
    EXPECT_EQ(WindowText(label), before);
    EXPECT_TRUE(appDir.Names().empty()) << "no page file";
    bar.DestroyWindow();
}
