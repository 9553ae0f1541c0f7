#include <windows.h>
#include <gtest/gtest.h>

#include "shell/AppGlobals.h"
#include "bar/BarApp.h"
#include "shell/ShellHelpers.h"
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

// The NEW badge: its top-left pixel is pure blue, and drawn through its mask every pure-blue
// pixel shows what lies below while every other pixel shows the badge.
TEST(Startup, NewMarkBadgeIsDrawnWithItsBlueSurroundTransparent) {
    OwnedBitmap mark(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_NEW_MARK), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    ASSERT_TRUE(mark);
    BITMAP info{};
    GetObjectW(mark.Get(), sizeof(info), &info);
    ASSERT_EQ(info.bmWidth, 23);
    ASSERT_EQ(info.bmHeight, 12);
    OwnedBitmap mask;
    MakeMaskBitmap(mark.Get(), mask);
    ASSERT_TRUE(mask);

    WindowDC screen(nullptr);
    OwnedDC markDc(CreateCompatibleDC(screen.Get()));
    OwnedDC targetDc(CreateCompatibleDC(screen.Get()));
    OwnedBitmap target(CreateCompatibleBitmap(screen.Get(), 23, 12));
    const COLORREF below = RGB(200, 30, 90);
    {
        SelectScope selectTarget(targetDc.Get(), target.Get());
        OwnedBrush brush(CreateSolidBrush(below));
        RECT all{0, 0, 23, 12};
        FillRect(targetDc.Get(), &all, brush.Get());
        DrawTransparent(targetDc.Get(), mark.Get(), mask.Get(), 0, 0, 23, 12);
    }
    SelectScope selectMark(markDc.Get(), mark.Get());
    SelectScope selectTarget(targetDc.Get(), target.Get());
    EXPECT_EQ(GetPixel(markDc.Get(), 0, 0), RGB(0, 0, 255));
    int blue = 0, wrong = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 23; ++x) {
            const COLORREF pixel = GetPixel(markDc.Get(), x, y);
            const bool isBlue = pixel == RGB(0, 0, 255);
            blue += isBlue;
            const COLORREF expected = isBlue ? below : pixel;
            if (GetPixel(targetDc.Get(), x, y) != expected) ++wrong;
        }
    EXPECT_GT(blue, 4);        // at least the four rounded corners
    EXPECT_LT(blue, 23 * 12);  // and a plate
    EXPECT_EQ(wrong, 0);
}
