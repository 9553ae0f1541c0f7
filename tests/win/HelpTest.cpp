#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "shell/ShellHelpers.h"

TEST(Help, ContentsOpenInAWindowTitledAsTheHelpFile) {
    // The build puts Varolin.chm beside the test program, as beside the exe.
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    folder.resize(folder.find_last_of(L'\\') + 1);
    ASSERT_NE(GetFileAttributesW((folder + L"Varolin.chm").c_str()), INVALID_FILE_ATTRIBUTES);

    ShowHelp(folder, L"intro.htm");
    // The help window belongs to this thread; let it come up.
    HWND help = nullptr;
    for (int round = 0; round < 50 && !help; ++round) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        help = FindWindowW(nullptr, L"Varolin ヘルプ");
        if (!help) Sleep(20);
    }
    ASSERT_TRUE(help);
    EXPECT_EQ(GetWindowThreadProcessId(help, nullptr), GetCurrentThreadId());
    EXPECT_TRUE(IsWindowVisible(help));
    DestroyWindow(help);
}
