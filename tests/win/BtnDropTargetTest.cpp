// Drops on a folder button: files copied or moved into its folder, text kept as a note there.
#include <windows.h>
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "bar/MainBar.h"
#include "settings/Settings.h"
#include "resource.h"
#include "support/ButtonHost.h"
#include "support/DialogAnswerer.h"
#include "support/SimulatedShell.h"
#include "support/TempFolder.h"
#include "support/TestDataObject.h"
#include "support/TestRegistry.h"

using Names = std::vector<std::wstring>;

namespace {

const std::wstring kNoFolderDrop = L"フォルダはドロップできません";
const std::wstring kSameName = L"送り側と受け側のファイル名が同じです";
const std::wstring kNoTarget = L"保存先フォルダが存在しません";
const std::wstring kCannotHandle = L"ドロップされたデータを処理できません";
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

DWORD DropFiles(HWND button, const std::vector<std::wstring>& paths, DWORD keyState) {
    return DropOn(button, TestDataObject::Create()->AddFiles(paths), keyState);
}

// The effect a drag source is shown over the window, then the drag leaves.
DWORD DragOverEffect(HWND wnd, DWORD keyState) {
    IDataObject* data = TestDataObject::Create()->AddText("x");
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    RegisteredDropTarget(wnd)->DragEnter(data, keyState, POINTL{}, &effect);
    RegisteredDropTarget(wnd)->DragLeave();
    data->Release();
    return effect;
}

// A file list whose last name has no terminator, as a faulty source could send it.
IDataObject* DamagedList() {
    std::vector<BYTE> bytes(20, 0);
    bytes[0] = 20;
    bytes[16] = 1;
    for (wchar_t c : std::wstring(L"C:\\x.txt")) bytes.insert(bytes.end(), {BYTE(c), BYTE(c >> 8)});
    return TestDataObject::Create()->AddBytes(CF_HDROP, bytes);
}

// The Save As dialog's file name box (a combo box in some versions, an edit in others).
HWND FileNameBox(HWND dialog) {
    for (int id : {0x47c /* cmb13 */, 0x480 /* edt1 */})
        if (HWND box = GetDlgItem(dialog, id)) return box;
    return nullptr;
}

class ButtonDrop : public testing::Test {
protected:
    HWND Button() { return m_button ? m_button : (m_button = m_host.Add(FolderRecord(m_target.Path(), L"Target"))); }
    std::wstring Source(const std::wstring& name) {
        EXPECT_TRUE(m_source.WriteFile(name, "data of " + std::string(name.begin(), name.end())));
        return m_source / name;
    }
    // Drops `text` and answers the Save As dialog: `answer` with `typed` as the file name (when
    // not empty), then `thenAnswer` for a message after it. The proposed name goes to m_proposed.
    DWORD DropText(HWND button, const std::string& text, int answer = IDOK, const std::wstring& typed = L"",
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
    HWND m_button = nullptr;
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
        const std::wstring name = L"file" + std::to_wstring(index++) + L".txt";
        const std::wstring source = Source(name);
        EXPECT_EQ(DragOverEffect(Button(), MK_LBUTTON | c.keys), c.effect) << index;
        // The button moves by itself: the source is always told "copied", so it deletes nothing.
        EXPECT_EQ(DropFiles(Button(), {source}, MK_LBUTTON | c.keys), DWORD(DROPEFFECT_COPY)) << index;
        EXPECT_TRUE(Exists(m_target / name)) << index;
        EXPECT_EQ(Exists(source), c.effect == DROPEFFECT_COPY) << index;
        // The count is brought up to date after each drop.
        EXPECT_EQ(WindowText(Button()), L"Target [" + std::to_wstring(index) + L"]");
    }
    EXPECT_EQ(m_answerer.Count(), 0u);
}

TEST_F(ButtonDrop, FilesGoLastToFirstAFolderIsRefusedAndAStopEndsTheWalk) {
    m_answerer.Answer(IDOK);
    m_answerer.Answer(IDOK);
    // B already lies in the button's folder: dropping it there stops the drop.
    ASSERT_TRUE(m_target.WriteFile(L"B.txt", "B"));
    const std::wstring a = Source(L"A.txt"), c = Source(L"C.txt");
    const std::wstring folder = m_source.MakeFolder(L"Sub");
    const std::wstring folderPath = folder.substr(0, folder.size() - 1);  // as file managers give it
    EXPECT_EQ(DropFiles(Button(), {a, m_target / L"B.txt", folderPath, c}, MK_LBUTTON | MK_SHIFT), DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(m_target.Names(), (Names{L"B.txt", L"C.txt"}));
    EXPECT_FALSE(Exists(c));
    EXPECT_TRUE(Exists(a) && Exists(folder));
    ASSERT_EQ(m_answerer.Count(), 2u);
    EXPECT_EQ(m_answerer.Dialogs()[0].text, kNoFolderDrop);
    EXPECT_EQ(m_answerer.Dialogs()[1].text, kSameName);
}

TEST_F(ButtonDrop, RightDragAsksAndTheMenuDecides) {
    m_host.Settings().nCopyMove = 1;
    const HWND wnd = Button();
    const ButtonFace idle = RenderFace(wnd);

    // Copy copies even though a plain drop would move.
    const std::wstring copied = Source(L"copied.txt");
    QueueMenuKeys(wnd, kChooseCopy);
    EXPECT_NE(DropFiles(wnd, {copied}, MK_RBUTTON), DWORD(DROPEFFECT_NONE));
    EXPECT_TRUE(Exists(copied) && Exists(m_target / L"copied.txt"));

    m_host.Settings().nCopyMove = 0;
    const std::wstring moved = Source(L"moved.txt");
    QueueMenuKeys(wnd, kChooseMove);
    EXPECT_NE(DropFiles(wnd, {moved}, MK_RBUTTON), DWORD(DROPEFFECT_NONE));
    EXPECT_FALSE(Exists(moved));
    EXPECT_TRUE(Exists(m_target / L"moved.txt"));

    // Cancel, and a menu closed with Escape after Move was highlighted, do nothing.
    const std::wstring kept = Source(L"kept.txt");
    for (auto keys : {kChooseCancel, std::initializer_list<WPARAM>{VK_DOWN, VK_ESCAPE}}) {
        QueueMenuKeys(wnd, keys);
        EXPECT_EQ(DropFiles(wnd, {kept}, MK_RBUTTON | MK_SHIFT), DWORD(DROPEFFECT_NONE));
        EXPECT_TRUE(Exists(kept));
        EXPECT_FALSE(Exists(m_target / L"kept.txt"));
        EXPECT_EQ(RenderFace(wnd), idle) << "the highlight is gone";
    }

    // Data with neither text nor files: the menu first, then the message.
    m_answerer.Answer(IDOK);
    QueueMenuKeys(wnd, kChooseMove);
    EXPECT_EQ(DropOn(wnd, TestDataObject::Create()->AddBytes(CF_DIB, {1, 2, 3, 4}), MK_RBUTTON), DWORD(DROPEFFECT_NONE));
    ASSERT_EQ(m_answerer.Count(), 1u);
    EXPECT_EQ(m_answerer.Last().text, kCannotHandle);
}

TEST_F(ButtonDrop, TheBarTakesTheForegroundForTheDropAndGivesItBack) {
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, L"VarolinTestBar", L"file manager", WS_POPUP | WS_VISIBLE, RECT{0, 500, 200, 600},
                               nullptr, 0));
    SetForegroundWindow(other.m_hWnd);
    ASSERT_EQ(GetForegroundWindow(), other.m_hWnd);

    // A dropped folder makes a message come up during the drop.
    HWND during = nullptr;
    m_answerer.Answer(IDOK, [&during](HWND) { during = GetForegroundWindow(); });
    DropFiles(Button(), {m_source.MakeFolder(L"Sub")}, MK_LBUTTON);
    ASSERT_EQ(m_answerer.Count(), 1u);
    EXPECT_EQ(during, m_host.Bar());
    EXPECT_EQ(GetForegroundWindow(), other.m_hWnd);
}

TEST_F(ButtonDrop, DeletedFolderIsReportedAndTheSourcesStay) {
    const std::wstring gone = m_target.MakeFolder(L"gone");
    const HWND button = m_host.Add(FolderRecord(gone, L"Gone"));
    const ButtonFace idle = RenderFace(button);
    ASSERT_TRUE(RemoveDirectoryW(gone.c_str()));
    const std::wstring source = Source(L"stays.txt");

    m_answerer.Answer(IDOK);
    m_answerer.Answer(IDOK);
    EXPECT_EQ(DropFiles(button, {source}, MK_LBUTTON | MK_SHIFT), DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(DropOn(button, TestDataObject::Create()->AddText("note"), MK_LBUTTON), DWORD(DROPEFFECT_NONE));
    // Two messages and no Save As dialog.
    ASSERT_EQ(m_answerer.Count(), 2u);
    EXPECT_EQ(m_answerer.Dialogs()[0].text, kNoTarget);
    EXPECT_EQ(m_answerer.Dialogs()[1].text, kNoTarget);
    EXPECT_TRUE(Exists(source));
    EXPECT_EQ(RenderFace(button), idle);
}

TEST_F(ButtonDrop, TextIsAppendedBehindEarlierContents) {
    m_host.Settings().nDisplayCount = 1;
    ASSERT_TRUE(m_target.WriteFile(L"VRL_Text.txt", "earlier\r\n"));
    // Text without a terminating zero ends with its memory block.
    EXPECT_EQ(DropText(Button(), "first", IDOK, L"", false), DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(m_proposed, L"VRL_Text.txt");
    EXPECT_EQ(DropText(Button(), "second\r\n"), DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(m_proposed, L"VRL_Text.txt");

    const std::string content = FileBytes(m_target / L"VRL_Text.txt");
    EXPECT_TRUE(std::regex_match(content, std::regex("earlier\r\n" + kHeader + "first\r\n\r\n" + kHeader +
                                                     "second\r\n\r\n\r\n")))
        << content;
    EXPECT_EQ(m_answerer.Count(), 2u);
    EXPECT_EQ(WindowText(Button()), L"Target [1]") << "the folder is scanned after the drop";
}

TEST_F(ButtonDrop, TheProposedNameFollowsTheLastChoiceOnEachButton) {
    const HWND other = m_host.Add(FolderRecord(m_target.Path(), L"Other"));
    // A name that does not exist yet is created.
    EXPECT_EQ(DropText(Button(), "one", IDOK, L"notes.txt"), DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(m_proposed, L"VRL_Text.txt");
    // Cancel writes nothing, keeps the name, and the source keeps its text.
    EXPECT_EQ(DropText(Button(), "never", IDCANCEL, L"other.txt"), DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(m_target.Names(), Names{L"notes.txt"});

    DropText(Button(), "two");
    EXPECT_EQ(m_proposed, L"notes.txt");
    DropText(other, "three");
    EXPECT_EQ(m_proposed, L"VRL_Text.txt");
    EXPECT_TRUE(std::regex_match(FileBytes(m_target / L"notes.txt"),
                                 std::regex(kHeader + "one\r\n\r\n" + kHeader + "two\r\n\r\n")));
}

TEST_F(ButtonDrop, TextWinsOverFilesAndARightDragAsksNothing) {
    // A right-drop menu, had it opened, would take this Escape and cancel.
    PostMessageW(Button(), WM_KEYDOWN, VK_ESCAPE, 1);
    m_answerer.Answer(IDOK);
    IDataObject* data = TestDataObject::Create()->AddFiles({Source(L"file.txt")})->AddText("\x83\x81\x83\x82");
    EXPECT_EQ(DropOn(Button(), data, MK_RBUTTON), DWORD(DROPEFFECT_COPY));
    // Double-byte text goes into the note as it came.
    EXPECT_EQ(m_target.Names(), Names{L"VRL_Text.txt"});
    EXPECT_TRUE(std::regex_match(FileBytes(m_target / L"VRL_Text.txt"), std::regex(kHeader + "\x83\x81\x83\x82\r\n\r\n")));
    EXPECT_EQ(m_answerer.Count(), 1u);
}

TEST_F(ButtonDrop, ANoteThatCannotBeOpenedIsReportedWithItsPath) {
    ASSERT_TRUE(m_target.WriteFile(L"locked.txt", "keep"));
    // Held open by another program that shares nothing.
    HANDLE holder = CreateFileW((m_target / L"locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(DropText(Button(), "lost?", IDOK, L"locked.txt", true, IDOK), DWORD(DROPEFFECT_NONE));
    CloseHandle(holder);
    ASSERT_EQ(m_answerer.Count(), 2u);
    EXPECT_EQ(m_answerer.Last().text, L"ファイル（ " + m_target.Path() + L"locked.txt ）が使用できません");
    EXPECT_EQ(FileBytes(m_target / L"locked.txt"), "keep");
    // The chosen name is proposed next time all the same.
    DropText(Button(), "again", IDCANCEL);
    EXPECT_EQ(m_proposed, L"locked.txt");
}

// Both drop targets read file lists the same way: a damaged one is reported and nothing of it
// is used.
class DamagedDropList : public CleanRegistryTest {};

TEST_F(DamagedDropList, NeitherTargetReadsIt) {
    ButtonHost host;
    TempFolder target;
    {
        DialogAnswerer answerer;
        answerer.Answer(IDOK);
        EXPECT_EQ(DropOn(host.Add(FolderRecord(target.Path(), L"Target")), DamagedList(), MK_LBUTTON), DWORD(DROPEFFECT_NONE));
        EXPECT_EQ(answerer.Last().text, kCannotHandle);
        EXPECT_TRUE(target.Names().empty());
    }
    host.Settings().strAppDir = target.Path();
    varolin::SimulatedShell shell;
    CMainBar bar(host.Settings(), nullptr, &shell);
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
    EXPECT_TRUE(target.Names().empty()) << "no page file";
    bar.DestroyWindow();
}
