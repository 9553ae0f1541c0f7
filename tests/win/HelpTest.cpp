#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "shell/AppGlobals.h"
#include "shell/ShellHelpers.h"
#include "support/DialogAnswerer.h"

namespace {
// The folder of the running test program: the build puts Varolin.chm there, beside the exe.
std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

struct HelpWindowSearch {
    const wchar_t* title;
    HWND found = nullptr;
};

BOOL CALLBACK FindTitled(HWND wnd, LPARAM lp) {
    auto* search = reinterpret_cast<HelpWindowSearch*>(lp);
    if (GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId() && WindowText(wnd) == search->title) {
        search->found = wnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

TEST(Help, ContentsOpenInAWindowTitledAsTheHelpFile) {
    const std::wstring folder = ProgramFolder();
    ASSERT_NE(GetFileAttributesW((folder + L"Varolin.chm").c_str()), INVALID_FILE_ATTRIBUTES);

    ShowHelp(folder, L"intro.htm");
    HelpWindowSearch search{L"Varolin ヘルプ"};
    // The help window belongs to this thread; let it come up.
    for (int round = 0; round < 50 && !search.found; ++round) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        EnumWindows(&FindTitled, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(20);
    }
    ASSERT_TRUE(search.found);
    EXPECT_TRUE(IsWindowVisible(search.found));
    DestroyWindow(search.found);
}

TEST(Help, MissingHelpFileIsSilent) {
    DialogAnswerer answerer;
    ShowHelp(L"C:\\no such folder\\", L"intro.htm");
    EXPECT_EQ(answerer.Count(), 0u);
}
