#include <windows.h>
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "settings/Settings.h"
#include "buttons/DropBtn.h"
#include "support/ButtonHost.h"
#include "support/DialogAnswerer.h"
#include "support/TempFolder.h"
#include "support/TestDataObject.h"

namespace {

const std::string kHeader = R"(\*\*\* \d\d/\d\d/\d\d (Sun|Mon|Tue|Wed|Thu|Fri|Sat) \d\d:\d\d \*\*\*\r\n\r\n)";

int FileCount(const std::wstring& folder) {
    int count = 0;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return count;
}

// The Save As dialog's file name box (a combo box in some versions, an edit in others).
HWND FileNameBox(HWND dialog) {
    for (int id : {0x47c /* cmb13 */, 0x480 /* edt1 */})
        if (HWND box = GetDlgItem(dialog, id)) return box;
    return nullptr;
}

class TextDrop : public testing::Test {
protected:
    // Drops `text` and answers the Save As dialog: OK with `typed` as the file name (when not
    // empty), or Cancel. The name the dialog proposed goes to m_proposed.
    DWORD DropText(CDropBtn* button, const std::string& text, int answer = IDOK, const std::wstring& typed = L"",
                   DWORD keys = MK_LBUTTON, bool terminate = true, int thenAnswer = 0) {
        m_answerer.Answer(answer, [this, typed](HWND dialog) {
            HWND box = FileNameBox(dialog);
            m_proposed = box ? WindowText(box) : L"<no box>";
            if (box && !typed.empty()) SetWindowTextW(box, typed.c_str());
        });
        if (thenAnswer) m_answerer.Answer(thenAnswer);  // a message after the dialog
        IDataObject* data = TestDataObject::Create()->AddText(text, terminate);
        const DWORD effect = SimulateDrop(button->m_dropTarget.GetInterface(), data, button->m_hWnd, keys);
        data->Release();
        return effect;
    }

    ButtonHost m_host;
    TempFolder m_folder;
    DialogAnswerer m_answerer;
    std::wstring m_proposed;
};

}  // namespace

TEST_F(TextDrop, EntriesAppendBehindEarlierContents) {
    CDropBtn* button = m_host.Add(FolderRecord(m_folder.Path(), L"Notes"));
    ASSERT_TRUE(m_folder.WriteFile(L"VRL_Text.txt", "earlier\r\n"));

    EXPECT_EQ(DropText(button, "first"), DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(m_proposed, L"VRL_Text.txt");
    EXPECT_EQ(DropText(button, "second\r\n"), DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(m_proposed, L"VRL_Text.txt");

    // Without a final line break two pairs follow the text; with one, it stays in front of them.
    const std::string content = FileBytes(m_folder / L"VRL_Text.txt");
    EXPECT_TRUE(std::regex_match(content, std::regex("earlier\r\n" + kHeader + "first\r\n\r\n" + kHeader +
                                                     "second\r\n\r\n\r\n")))
        << content;
    EXPECT_EQ(m_answerer.Count(), 2u);
    EXPECT_EQ(button->m_nFileCount, 1);
}

TEST_F(TextDrop, ProposedNameFollowsTheLastChoiceOnEachButton) {
    CDropBtn* first = m_host.Add(FolderRecord(m_folder.Path(), L"First"));
    CDropBtn* second = m_host.Add(FolderRecord(m_folder.Path(), L"Second"));

    // A name that does not exist yet is created.
    EXPECT_EQ(DropText(first, "one", IDOK, L"notes.txt"), DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(m_proposed, L"VRL_Text.txt");
    EXPECT_TRUE(std::regex_match(FileBytes(m_folder / L"notes.txt"), std::regex(kHeader + "one\r\n\r\n")));

    DropText(first, "two");
    EXPECT_EQ(m_proposed, L"notes.txt");
    DropText(second, "three");
    EXPECT_EQ(m_proposed, L"VRL_Text.txt");
    EXPECT_TRUE(std::regex_match(FileBytes(m_folder / L"notes.txt"),
                                 std::regex(kHeader + "one\r\n\r\n" + kHeader + "two\r\n\r\n")));

    // Cancel writes nothing, keeps the name, and the source keeps its text.
    const std::string before = FileBytes(m_folder / L"notes.txt");
    const int files = FileCount(m_folder.Path());
    EXPECT_EQ(DropText(first, "never", IDCANCEL, L"other.txt", MK_LBUTTON | MK_SHIFT), DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(FileBytes(m_folder / L"notes.txt"), before);
    EXPECT_EQ(FileCount(m_folder.Path()), files);
    EXPECT_EQ(first->m_dropTarget.m_strTextFile, L"notes.txt");
    EXPECT_FALSE(first->m_dropTarget.m_bDragOver);
}

TEST_F(TextDrop, TextWithoutTerminatorStopsAtItsBlock) {
    CDropBtn* button = m_host.Add(FolderRecord(m_folder.Path(), L"Notes"));
    DropText(button, "tail", IDOK, L"", MK_LBUTTON, false);
    EXPECT_TRUE(std::regex_match(FileBytes(m_folder / L"VRL_Text.txt"), std::regex(kHeader + "tail\r\n\r\n")));
}

TEST_F(TextDrop, TextWinsOverFilesAndARightDragAsksNothing) {
    TempFolder source;
    ASSERT_TRUE(source.WriteFile(L"file.txt", "f"));
    CDropBtn* button = m_host.Add(FolderRecord(m_folder.Path(), L"Notes"));
    button->m_dropTarget.m_nDropChoice = 7;

    m_answerer.Answer(IDOK);
    IDataObject* data = TestDataObject::Create()->AddFiles({source / L"file.txt"})->AddText("\x83\x81\x83\x82");
    EXPECT_NE(SimulateDrop(button->m_dropTarget.GetInterface(), data, button->m_hWnd, MK_RBUTTON), DWORD(DROPEFFECT_NONE));
    data->Release();
    EXPECT_EQ(button->m_dropTarget.m_nDropChoice, 7) << "no menu";
    EXPECT_FALSE(Exists(m_folder / L"file.txt"));
    // Double-byte text goes into the note as it came.
    EXPECT_TRUE(std::regex_match(FileBytes(m_folder / L"VRL_Text.txt"), std::regex(kHeader + "\x83\x81\x83\x82\r\n\r\n")));
    EXPECT_EQ(m_answerer.Count(), 1u);
}

TEST_F(TextDrop, FileThatCannotBeOpenedIsReportedWithItsPath) {
    CDropBtn* button = m_host.Add(FolderRecord(m_folder.Path(), L"Notes"));
    ASSERT_TRUE(m_folder.WriteFile(L"locked.txt", "keep"));
    // Held open by another program that shares nothing.
    HANDLE holder = CreateFileW((m_folder / L"locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);

    EXPECT_EQ(DropText(button, "lost?", IDOK, L"locked.txt", MK_LBUTTON, true, IDOK), DWORD(DROPEFFECT_NONE));
    CloseHandle(holder);
    ASSERT_EQ(m_answerer.Count(), 2u);
    EXPECT_EQ(m_answerer.Last().text, L"ファイル（ " + m_folder.Path() + L"locked.txt ）が使用できません");
    EXPECT_EQ(FileBytes(m_folder / L"locked.txt"), "keep");
    // The chosen name is proposed next time all the same.
    EXPECT_EQ(button->m_dropTarget.m_strTextFile, L"locked.txt");
}
