#include <windows.h>
#include <gtest/gtest.h>

#include "shell/AppGlobals.h"
#include "bar/BarApp.h"
#include "framework/Handles.h"
#include "framework/Profile.h"
#include "resource.h"
#include "support/DialogAnswerer.h"

// While another copy holds the mutex, start-up says so once and ends without touching the
// program's state.
TEST(Startup, SecondCopyShowsAlreadyRunningOnceAndTouchesNothing) {
    OwnedHandle other(CreateMutexW(nullptr, FALSE, L"hPrevInstVRL"));
    ASSERT_TRUE(other);
    profile::SetProfileRegistryKey(L"Untouched", L"Untouched");

    DialogAnswerer answerer;
    answerer.Answer(IDOK);
    {
        CBarApp app;
        EXPECT_FALSE(app.InitInstance());
        EXPECT_EQ(app.m_pMainWnd, nullptr);
        app.ExitInstance();
    }
    ASSERT_EQ(answerer.Count(), 1u);
    EXPECT_EQ(answerer.Last().caption, L"Varolin");
    EXPECT_EQ(answerer.Last().text, L"既に起動されています");
    EXPECT_EQ(profile::GetProfileRegistryPath(), L"Software\\Untouched\\Untouched");
    EXPECT_FALSE(g_bmpNewMark);
}
