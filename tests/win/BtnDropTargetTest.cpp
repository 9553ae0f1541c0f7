#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/Settings.h"
#include "buttons/DropBtn.h"
#include "support/ButtonHost.h"
#include "support/DialogAnswerer.h"
#include "support/TempFolder.h"
#include "support/TestDataObject.h"

namespace {

const std::wstring kNoFolderDrop = L"フォルダはドロップできません";
const std::wstring kSameName = L"送り側と受け側のファイル名が同じです";
const std::wstring kNoTarget = L"保存先フォルダが存在しません";
const std::wstring kCannotHandle = L"ドロップされたデータを処理できません";

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

// Drops on the button through its registered OLE target.
DWORD Drop(CDropBtn* button, IDataObject* data, DWORD keyState) {
    return SimulateDrop(button->m_dropTarget.GetInterface(), data, button->m_hWnd, keyState);
}

DWORD DropFiles(CDropBtn* button, const std::vector<std::wstring>& paths, DWORD keyState) {
    IDataObject* data = TestDataObject::Create()->AddFiles(paths);
    const DWORD effect = Drop(button, data, keyState);
    data->Release();
    return effect;
}

class ButtonDrop : public testing::Test {
protected:
    CDropBtn* Button() { return m_button ? m_button : (m_button = m_host.Add(FolderRecord(m_target.Path(), L"Target"))); }
    std::wstring Source(const std::wstring& name) {
        EXPECT_TRUE(m_source.WriteFile(name, "data of " + std::string(name.begin(), name.end())));
        return m_source / name;
    }

    ButtonHost m_host;
    TempFolder m_source, m_target;
    CDropBtn* m_button = nullptr;
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
    DialogAnswerer answerer;
    m_host.Settings().nDisplayCount = 1;
    int index = 0;
    for (const Case& c : cases) {
        m_host.Settings().nCopyMove = c.copyMove;
        const std::wstring name = L"file" + std::to_wstring(index++) + L".txt";
        const std::wstring source = Source(name);
        EXPECT_EQ(Button()->m_dropTarget.OnDragOver(Button(), nullptr, MK_LBUTTON | c.keys, POINT{}), c.effect) << index;
        // The button moves by itself: the source is always told "copied", so it deletes nothing.
        EXPECT_EQ(DropFiles(Button(), {source}, MK_LBUTTON | c.keys), DWORD(DROPEFFECT_COPY)) << index;
        EXPECT_TRUE(Exists(m_target / name)) << index;
        EXPECT_EQ(Exists(source), c.effect == DROPEFFECT_COPY) << index;
        // The count is brought up to date after each drop.
        EXPECT_EQ(Button()->m_nFileCount, index);
        EXPECT_EQ(Button()->FaceText(), L"Target [" + std::to_wstring(index) + L"]");
    }
    EXPECT_EQ(answerer.Count(), 0u);
}

TEST_F(ButtonDrop, FilesGoLastToFirstAndAStopEndsTheWalk) {
    DialogAnswerer answerer;
    answerer.Answer(IDOK);
    // B already lies in the button's folder: dropping it there stops the drop.
    ASSERT_TRUE(m_target.WriteFile(L"B.txt", "B"));
    const std::wstring a = Source(L"A.txt"), c = Source(L"C.txt");
    EXPECT_EQ(DropFiles(Button(), {a, m_target / L"B.txt", c}, MK_LBUTTON), DWORD(DROPEFFECT_COPY));
    EXPECT_TRUE(Exists(m_target / L"C.txt"));
    EXPECT_FALSE(Exists(m_target / L"A.txt"));
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Last().text, kSameName);
    EXPECT_EQ(Button()->m_nFileCount, 2);
}

TEST_F(ButtonDrop, AFolderAmongFilesIsRefusedOnceAndTheFilesStillGo) {
    DialogAnswerer answerer;
    answerer.Answer(IDOK);
    const std::wstring folder = m_source.MakeFolder(L"Sub");
    const std::wstring file = Source(L"moved.txt");
    const std::wstring folderPath = folder.substr(0, folder.size() - 1);  // as file managers give it
    EXPECT_EQ(DropFiles(Button(), {folderPath, file}, MK_LBUTTON | MK_SHIFT), DWORD(DROPEFFECT_COPY));
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Last().text, kNoFolderDrop);
    EXPECT_TRUE(Exists(m_target / L"moved.txt"));
    EXPECT_FALSE(Exists(file));
    EXPECT_TRUE(Exists(folder));
    EXPECT_FALSE(Exists(m_target / L"Sub"));
}

TEST_F(ButtonDrop, RightDragAsksAndTheMenuDecides) {
    m_host.Settings().nCopyMove = 1;
    const HWND wnd = Button()->m_hWnd;

    // Copy copies even though a plain drop would move.
    const std::wstring copied = Source(L"copied.txt");
    QueueMenuKeys(wnd, kChooseCopy);
    EXPECT_NE(DropFiles(Button(), {copied}, MK_RBUTTON), DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(Button()->m_dropTarget.m_nDropChoice, 1);
    EXPECT_TRUE(Exists(copied));
    EXPECT_TRUE(Exists(m_target / L"copied.txt"));

    m_host.Settings().nCopyMove = 0;
    const std::wstring moved = Source(L"moved.txt");
    QueueMenuKeys(wnd, kChooseMove);
    EXPECT_NE(DropFiles(Button(), {moved}, MK_RBUTTON), DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(Button()->m_dropTarget.m_nDropChoice, 2);
    EXPECT_FALSE(Exists(moved));
    EXPECT_TRUE(Exists(m_target / L"moved.txt"));

    // Cancel, and a menu closed with Escape after Move was highlighted, do nothing.
    const std::wstring kept = Source(L"kept.txt");
    for (auto keys : {kChooseCancel, std::initializer_list<WPARAM>{VK_DOWN, VK_ESCAPE}}) {
        QueueMenuKeys(wnd, keys);
        EXPECT_EQ(DropFiles(Button(), {kept}, MK_RBUTTON | MK_SHIFT), DWORD(DROPEFFECT_NONE));
        EXPECT_EQ(Button()->m_dropTarget.m_nDropChoice, 0);
        EXPECT_TRUE(Exists(kept));
        EXPECT_FALSE(Exists(m_target / L"kept.txt"));
        EXPECT_FALSE(Button()->m_dropTarget.m_bDragOver);
    }

    // Data with neither text nor files: the menu first, then the message.
    DialogAnswerer answerer;
    answerer.Answer(IDOK);
    IDataObject* other = TestDataObject::Create()->AddBytes(CF_DIB, {1, 2, 3, 4});
    QueueMenuKeys(wnd, kChooseMove);
    EXPECT_EQ(Drop(Button(), other, MK_RBUTTON), DWORD(DROPEFFECT_NONE));
    other->Release();
    EXPECT_EQ(Button()->m_dropTarget.m_nDropChoice, 2);
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Last().text, kCannotHandle);
}

TEST_F(ButtonDrop, TheBarTakesTheForegroundForTheDropAndGivesItBack) {
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, L"VarolinTestBar", L"file manager", WS_POPUP | WS_VISIBLE, RECT{0, 500, 200, 600},
                               nullptr, 0));
    SetForegroundWindow(other.m_hWnd);
    ASSERT_EQ(GetForegroundWindow(), other.m_hWnd);

    // A dropped folder makes a message come up during the drop.
    DialogAnswerer answerer;
    HWND during = nullptr;
    answerer.Answer(IDOK, [&during](HWND) { during = GetForegroundWindow(); });
    DropFiles(Button(), {m_source.MakeFolder(L"Sub")}, MK_LBUTTON);
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(during, m_host.Bar());
    EXPECT_EQ(GetForegroundWindow(), other.m_hWnd);
}

TEST_F(ButtonDrop, DeletedFolderIsReportedAndTheSourcesStay) {
    const std::wstring gone = m_target.MakeFolder(L"gone");
    CDropBtn* button = m_host.Add(FolderRecord(gone, L"Gone"));
    ASSERT_TRUE(RemoveDirectoryW(gone.c_str()));
    const std::wstring source = Source(L"stays.txt");

    DialogAnswerer answerer;
    answerer.Answer(IDOK);
    answerer.Answer(IDOK);
    EXPECT_EQ(DropFiles(button, {source}, MK_LBUTTON | MK_SHIFT), DWORD(DROPEFFECT_NONE));
    IDataObject* text = TestDataObject::Create()->AddText("note");
    EXPECT_EQ(Drop(button, text, MK_LBUTTON), DWORD(DROPEFFECT_NONE));
    text->Release();
    // Two messages and no Save As dialog.
    ASSERT_EQ(answerer.Count(), 2u);
    EXPECT_EQ(answerer.Dialogs()[0].text, kNoTarget);
    EXPECT_EQ(answerer.Dialogs()[1].text, kNoTarget);
    EXPECT_TRUE(Exists(source));
    EXPECT_FALSE(button->m_dropTarget.m_bDragOver);
}

TEST_F(ButtonDrop, ListsRunningOffTheirBlockAreNotRead) {
    // A file list whose last name has no terminator, as a faulty source could send it.
    std::vector<BYTE> bytes(20, 0);
    bytes[0] = 20;
    bytes[16] = 1;
    for (wchar_t c : std::wstring(L"C:\\x.txt")) {
        bytes.push_back(static_cast<BYTE>(c));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
    DialogAnswerer answerer;
    answerer.Answer(IDOK);
    IDataObject* data = TestDataObject::Create()->AddBytes(CF_HDROP, bytes);
    EXPECT_EQ(Drop(Button(), data, MK_LBUTTON), DWORD(DROPEFFECT_NONE));
    data->Release();
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Last().text, kCannotHandle);
}
