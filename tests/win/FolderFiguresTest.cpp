// A folder button's figures (file count and NEW badge) follow its folder by themselves, in
// the background: changes made by other programs, pages shown and hidden, slow and missing
// folders, and midnight.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/PrivateMessages.h"
#include "pages/PageView.h"
#include "resource.h"
#include "support/ButtonHost.h"
#include "support/MainBarFixture.h"
#include "support/ShownFiguresFixture.h"
#include "support/TempFolder.h"

namespace {

// Runs a command line of another program to its end.
void RunProgram(std::wstring commandLine) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi));
    WaitForSingleObject(pi.hProcess, 60000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

// A local time as UTC, the way clocks and file times hold it.
FILETIME FromLocal(WORD day, WORD hour, WORD minute, WORD second) {
    const SYSTEMTIME local{2024, 5, 0, day, hour, minute, second, 0};
    FILETIME localTime{}, utc{};
    SystemTimeToFileTime(&local, &localTime);
    LocalFileTimeToFileTime(&localTime, &utc);
    return utc;
}

class FolderFigures : public ShownFiguresFixture {};
class LiveBar : public MainBarFixture {};

}  // namespace

TEST_F(FolderFigures, AFileMadeAndDeletedByAnotherProgramChangesThemWithoutRefresh) {
    const TestButton button = m_host.Add(FolderRecord(m_folder.Path(), L"Live"));
    ASSERT_EQ(WaitForText(button, L"Live [0]"), L"Live [0]");
    const std::wstring file = m_folder / L"made elsewhere.txt";
    RunProgram(L"cmd.exe /c echo x> \"" + file + L"\"");
    EXPECT_EQ(WaitForText(button, L"Live [1] NEW"), L"Live [1] NEW");
    RunProgram(L"cmd.exe /c del \"" + file + L"\"");
    EXPECT_EQ(WaitForText(button, L"Live [0]"), L"Live [0]");
}

TEST_F(FolderFigures, SlowAndMissingFoldersHoldUpNeitherThePageNorTheOtherButtons) {
    const std::wstring big = m_folder.MakeFolder(L"big");
    for (int i = 0; i < 2000; ++i) ASSERT_TRUE(m_folder.WriteFile(L"big\\" + std::to_wstring(i), ""));
    ASSERT_TRUE(m_folder.WriteFile(L"one.txt", "x"));
    CPageView* page = m_host.AddPage({FolderRecord(big, L"Big"), FolderRecord(m_folder / L"gone\\", L"Gone"),
                                      FolderRecord(m_folder.Path(), L"Small")});
    // The page is up before any folder is listed: nothing shows figures yet.
    const std::vector<TestButton> buttons = Buttons(page);
    const std::vector<std::wstring> titles{L"Big", L"Gone", L"Small"};
    ASSERT_EQ(buttons.size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(WindowText(buttons[i]), titles[i]);
    EXPECT_EQ(WaitForText(buttons[2], L"Small [1] NEW"), L"Small [1] NEW");
    EXPECT_EQ(WaitForText(buttons[1], L"Gone [0]"), L"Gone [0]");
    EXPECT_EQ(WaitForText(buttons[0], L"Big [2000] NEW"), L"Big [2000] NEW");
}

// Figures are addressed to the view by button id: they reach that button alone, and those for a
// button deleted meanwhile reach none.
TEST_F(FolderFigures, FiguresReachTheButtonOfTheirIdAndThoseOfADeletedButtonAreIgnored) {
    const std::wstring gone = m_folder / L"gone\\";
    CPageView* page = m_host.AddPage({FolderRecord(gone, L"A"), FolderRecord(gone, L"B"), FolderRecord(gone, L"C")});
    std::vector<TestButton> buttons = Buttons(page);
    ASSERT_EQ(WaitForText(buttons[2], L"C [0]"), L"C [0]");
    ::Command(buttons[0], ID_BUTTON_DELETE);
    FolderScan scan{7, true, ScanOutcome::Listed};
    SendMessageW(page->m_hWnd, kFolderFiguresMessage, buttons[0].id, reinterpret_cast<LPARAM>(&scan));
    EXPECT_EQ(WindowText(buttons[1]), L"B [0]");
    EXPECT_EQ(WindowText(buttons[2]), L"C [0]");
    SendMessageW(page->m_hWnd, kFolderFiguresMessage, buttons[2].id, reinterpret_cast<LPARAM>(&scan));
    EXPECT_EQ(WindowText(buttons[1]), L"B [0]");
    EXPECT_EQ(WindowText(buttons[2]), L"C [7] NEW");
}

TEST(FolderFiguresAtMidnight, AFileFrom2359LosesItsMarkAtMidnightWhenOneDayIsNew) {
    FILETIME now = FromLocal(10, 23, 59, 59);
    ButtonHost host([&now] { return now; });
    host.Settings().nDaysNew = 1;
    TempFolder folder;
    ASSERT_TRUE(folder.WriteFile(L"late.txt", "x"));
    const FILETIME late = FromLocal(10, 23, 59, 0);
    HANDLE file = CreateFileW((folder / L"late.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_TRUE(SetFileTime(file, &late, nullptr, &late));
    CloseHandle(file);
    const TestButton button = host.Add(FolderRecord(folder.Path(), L"Day"));
    ASSERT_EQ(WaitForText(button, L"Day NEW"), L"Day NEW");
    now = FromLocal(11, 0, 0, 0);
    EXPECT_EQ(WaitForText(button, L"Day"), L"Day") << "taken again at midnight, without a change in the folder";

    // The clock set back, and the machine waking up later: the marks are taken again at once
    // (the next look at the day would be an hour away). The system tells every top-level window.
    HWND monitor = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND wnd, LPARAM found) {
        wchar_t name[64] = {};
        GetClassNameW(wnd, name, 64);
        if (std::wstring(name) == L"VarolinFolderMonitor") *reinterpret_cast<HWND*>(found) = wnd;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&monitor));
    ASSERT_TRUE(monitor);
    now = FromLocal(10, 23, 59, 30);
    SendMessageW(monitor, WM_TIMECHANGE, 0, 0);
    EXPECT_EQ(WaitForText(button, L"Day NEW", 5000), L"Day NEW") << "the clock was set";
    now = FromLocal(12, 8, 0, 0);
    SendMessageW(monitor, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_EQ(WaitForText(button, L"Day", 5000), L"Day") << "resumed from sleep";
}

TEST_F(LiveBar, OnlyTheShownPageIsMadeAndWatchedAndAPageShownAgainIsRescanned) {
    // The hidden page's folder sorts first: had it a watch, its rescan would come first.
    const std::wstring shown = m_dir.MakeFolder(L"Z"), hidden = m_dir.MakeFolder(L"A");
    WritePage(0, {shown});
    WritePage(1, {hidden});
    StartBar();
    EXPECT_EQ(Label(), L"1 / 3");
    const TestButton z = Buttons(View()).at(0);
    Step(1);
    const TestButton a = Buttons(View()).at(0);
    ASSERT_EQ(WaitForText(a, L"A [0]"), L"A [0]");
    Step(-1);
    ::Command(z, ID_BUTTON_REFRESH);  // its last scan the later one
    ASSERT_EQ(WaitForText(z, L"Z [0]"), L"Z [0]");
    // The hidden page's folder changes first: by the time the shown one has its new figures, a
    // watch on the hidden one would have brought its figures too.
    ASSERT_TRUE(m_dir.WriteFile(L"A\\new.txt", "x"));
    ASSERT_TRUE(m_dir.WriteFile(L"Z\\new.txt", "x"));
    EXPECT_EQ(WaitForText(z, L"Z [1] NEW"), L"Z [1] NEW");
    Step(1);
    EXPECT_EQ(WindowText(a), L"A [0]") << "a hidden page is not watched";
    EXPECT_EQ(WaitForText(a, L"A [1] NEW"), L"A [1] NEW") << "rescanned when shown again";
}
