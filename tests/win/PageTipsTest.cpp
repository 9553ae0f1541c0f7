// The buttons' tooltips, on the bar as a user points at it: one tool over each face through
// every change of the faces, the folder (and program) in full, the width and font for the
// bar's DPI, and no tip while a drag is over the buttons.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/MainBarFixture.h"
#include "support/TestDataObject.h"

namespace {

class PageTipsTest : public MainBarFixture {
protected:
    HWND Tip() const { return View()->TipWindow(); }
    // The mouse comes to rest over the middle of button `index`. Returns the tip's text once it
    // shows, or empty when none has shown a while later.
    std::wstring Hover(int index) const {
        const RECT face = View()->ButtonRect(index);
        POINT point{(face.left + face.right) / 2, (face.top + face.bottom) / 2};
        POINT screen = point;
        ClientToScreen(View()->m_hWnd, &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageW(View()->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        if (!Tip()) return {};
        Pump([this] { return IsWindowVisible(Tip()) != FALSE; });
        return IsWindowVisible(Tip()) ? WindowText(Tip()) : std::wstring();
    }
    // The mouse leaves the bar; the tip goes.
    void Unhover() const {
        SetCursorPos(640, 600);
        if (Tip()) Pump([this] { return !IsWindowVisible(Tip()); });
    }
    // Handles messages until `done` (a tip follows the mouse on its own timers), for eight seconds at
    // most: a loaded machine delivers the tip's timers late.
    template <typename Done>
    static void Pump(Done done) {
        for (const DWORD start = GetTickCount(); !done() && GetTickCount() - start < 8000;) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(10);
        }
    }
    // Every tool of the tip window as (id, rectangle), and every face of the view the same way.
    struct Place {
        UINT id;
        RECT rect;
        bool operator==(const Place& other) const { return id == other.id && EqualRect(&rect, &other.rect); }
    };
    std::vector<Place> Tools() const {
        std::vector<Place> tools;
        const int count = static_cast<int>(SendMessageW(Tip(), TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            TTTOOLINFOW info{};
            info.cbSize = sizeof(info);
            if (SendMessageW(Tip(), TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&info)) && info.hwnd == View()->m_hWnd)
                tools.push_back({static_cast<UINT>(info.uId), info.rect});
        }
        return tools;
    }
    std::vector<Place> Faces() const {
        std::vector<Place> faces;
        for (int i = 0; i < View()->ButtonCount(); ++i) faces.push_back({View()->ButtonId(i), View()->ButtonRect(i)});
        return faces;
    }
    static int FontHeight(HWND wnd) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(wnd, WM_GETFONT, 0, 0)), sizeof(font), &font);
        return font.lfHeight;
    }
    static int MessageFontHeight(int dpi) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi));
        return metrics.lfMessageFont.lfHeight;
    }
};

}  // namespace

TEST_F(PageTipsTest, OneToolOverEachFaceThroughLayoutMovesDeletionsAndPageChanges) {
    WritePage(0, {L"C:\\Alpha\\", L"C:\\Beta\\", L"C:\\Gamma\\"});
    WritePage(1, {L"C:\\Delta\\", L"C:\\Epsilon\\"});
    StartBar();
    ASSERT_TRUE(ViewShown());
    EXPECT_EQ(Tip(), nullptr) << "made at the first mouse move, not at start";
    ASSERT_FALSE(Hover(0).empty());
    ASSERT_NE(Tip(), nullptr);
    EXPECT_EQ(Tools(), Faces());
    ASSERT_EQ(Faces().size(), 3u);

    // The faces move: a button moved, one deleted, the view made narrower.
    ASSERT_TRUE(View()->ButtonCommand(View()->ButtonId(0), ID_BUTTON_MOVE_LATER));
    EXPECT_EQ(Tools(), Faces());
    ASSERT_TRUE(View()->ButtonCommand(View()->ButtonId(2), ID_BUTTON_DELETE));
    EXPECT_EQ(Tools(), Faces());
    EXPECT_EQ(Faces().size(), 2u);
    const RECT view = View()->GetClientRect();
    SetWindowPos(View()->m_hWnd, nullptr, 0, 0, view.right / 2, view.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Tools(), Faces());

    // Another page's buttons, then an empty page's none.
    Step(1);
    EXPECT_EQ(Tools(), Faces());
    EXPECT_EQ(Faces().size(), 2u);
    EXPECT_EQ(Hover(1), L"C:\\Epsilon\\");
    Step(1);
    EXPECT_TRUE(Tools().empty());
}

TEST_F(PageTipsTest, TheTipShowsTheFolderAndProgramInFullAndNoneWhileADragIsOver) {
    // 233 bytes in the ANSI code page: near what a page file holds.
    std::wstring deep = L"C:\\";
    for (int i = 0; i < 10; ++i) deep += L"Projects 2026 長い名前\\";
    WritePage(0, {deep, L"C:\\Tools\\run.exe"});
    StartBar();
    EXPECT_EQ(Hover(1), L"C:\\Tools\\\r\nrun.exe");
    RECT twoLines{};
    GetWindowRect(Tip(), &twoLines);
    Unhover();
    EXPECT_EQ(Hover(0), deep);
    // Far longer than the widest line: wrapped onto more lines, not cut or widened past it.
    RECT wrapped{};
    GetWindowRect(Tip(), &wrapped);
    EXPECT_LE(wrapped.right - wrapped.left, static_cast<int>(SendMessageW(Tip(), TTM_GETMAXTIPWIDTH, 0, 0)) + 20);
    EXPECT_GT(wrapped.bottom - wrapped.top, twoLines.bottom - twoLines.top);
    Unhover();

    // A drag comes over the buttons: the tip goes and none comes until it has left. (Wine's
    // tooltip shows nothing when the mouse comes back to the button it left: another first.)
    ASSERT_FALSE(Hover(1).empty());
    IDropTarget* target = RegisteredDropTarget(View()->m_hWnd);
    ASSERT_NE(target, nullptr);
    IDataObject* data = TestDataObject::Create()->AddFiles({L"C:\\a.txt"});
    RECT face = View()->ButtonRect(0);
    POINT middle{(face.left + face.right) / 2, (face.top + face.bottom) / 2};
    ClientToScreen(View()->m_hWnd, &middle);
    DWORD effect = DROPEFFECT_COPY;
    target->DragEnter(data, MK_LBUTTON, POINTL{middle.x, middle.y}, &effect);
    EXPECT_FALSE(IsWindowVisible(Tip()));
    EXPECT_EQ(Hover(0), L"");
    target->DragLeave();
    EXPECT_EQ(Hover(1), L"C:\\Tools\\\r\nrun.exe");
    data->Release();
}

// Also run at 144 DPI: the tip wraps at 480 pixels at the bar's DPI, in the system's message font
// at that DPI, and both follow the bar to a monitor of another DPI.
TEST_F(PageTipsTest, TheTipsWrappingWidthAndFontFollowTheBarsDpi) {
    WritePage(0, {L"C:\\Alpha\\"});
    StartBar();
    const int dpi = static_cast<int>(GetDpiForSystem());
    for (int now : {dpi, dpi * 3 / 2}) {
        if (now != dpi) {
            Unhover();
            m_shell.Screens()[0].dpi = now;
            RECT suggested = m_bar->GetWindowRect();
            SendMessageW(Bar(), WM_DPICHANGED, MAKEWPARAM(now, now), reinterpret_cast<LPARAM>(&suggested));
            ASSERT_EQ(m_bar->Style().Dpi(), now);
        }
        ASSERT_EQ(Hover(0), L"C:\\Alpha\\") << now;
        EXPECT_EQ(SendMessageW(Tip(), TTM_GETMAXTIPWIDTH, 0, 0), MulDiv(480, now, 96)) << now;
        EXPECT_EQ(FontHeight(Tip()), MessageFontHeight(now)) << now;
    }
    EXPECT_NE(MessageFontHeight(dpi), MessageFontHeight(dpi * 3 / 2));
}
