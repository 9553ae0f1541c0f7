// The bar from the keyboard: keys go through the bar's own message loop steps (its
// PreTranslateMessage, then the dialog's keyboard handling), as they do in the running bar.
#include <windows.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/MainBarFixture.h"

namespace {

class Keyboard : public MainBarFixture {
protected:
    void SetUp() override {
        MainBarFixture::SetUp();
        m_hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &OnFocusEvent, GetCurrentProcessId(), 0,
                                 WINEVENT_OUTOFCONTEXT);
        FocusEvents().clear();
    }
    void TearDown() override {
        UnhookWinEvent(m_hook);
        SetModifiers(false, false);
        MainBarFixture::TearDown();
    }

    // One key pressed where the focus is, with Shift and Ctrl as given.
    void Key(WPARAM key, bool control = false, bool shift = false, UINT message = WM_KEYDOWN, LPARAM flags = 1) {
        SetModifiers(control, shift);
        MSG msg{GetFocus(), message, key, flags, static_cast<DWORD>(GetMessageTime()), {}};
        if (!m_bar->PreTranslateMessage(&msg) && !IsDialogMessageW(Bar(), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        SetModifiers(false, false);
    }
    static void SetModifiers(bool control, bool shift) {
        BYTE keys[256]{};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = control ? 0x80 : 0;
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    // The child ids of the focus events raised on the view since the last call.
    std::vector<LONG> TakeFocusEvents() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        std::vector<LONG> ids;
        for (const auto& [wnd, child] : FocusEvents())
            if (wnd == View()->m_hWnd) ids.push_back(child);
        FocusEvents().clear();
        return ids;
    }
    HWND Spin() const { return GetDlgItem(Bar(), IDC_PAGE_SPIN); }
    // Starts the bar in front with the keyboard focus on its page.
    void StartInFront() {
        StartBar();
        SetForegroundWindow(Bar());
        ASSERT_TRUE(m_bar->FocusPage());
    }

private:
    static std::vector<std::pair<HWND, LONG>>& FocusEvents() {
        static std::vector<std::pair<HWND, LONG>> events;
        return events;
    }
    static void CALLBACK OnFocusEvent(HWINEVENTHOOK, DWORD, HWND wnd, LONG object, LONG child, DWORD, DWORD) {
        if (object == OBJID_CLIENT) FocusEvents().emplace_back(wnd, child);
    }
    HWINEVENTHOOK m_hook = nullptr;
};

// A clipboard holding `paths` as a file list.
void PutFilesOnClipboard(HWND owner, const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& path : paths) list += path + L'\0';
    list += L'\0';
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(GlobalLock(block));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    memcpy(files + 1, list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    SetClipboardData(CF_HDROP, block);
    CloseClipboard();
}

void PutTextOnClipboard(HWND owner, const std::string& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

// Handles messages until `path` exists (or not), for at most half a minute.
bool WaitForFile(const std::wstring& path, bool exists = true) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 30000) {
        if ((GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) == exists) return true;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(20);
    }
    return false;
}

}  // namespace

TEST_F(Keyboard, TheFocusMovesAlongTheRowAndAcrossPagesAndTellsScreenReaders) {
    WritePage(0, {L"C:\\A\\", L"C:\\B\\", L"C:\\C\\"});
    WritePage(1, {L"C:\\D\\"});
    StartBar();
    SetForegroundWindow(Bar());
    ASSERT_TRUE(m_bar->FocusPage());
    EXPECT_EQ(View()->FocusedButton(), 0);
    TakeFocusEvents();

    Key(VK_RIGHT);
    EXPECT_EQ(View()->FocusedButton(), 1);
    Key(VK_DOWN);  // across a row: stays
    Key(VK_END);
    EXPECT_EQ(View()->FocusedButton(), 2);
    Key(VK_RIGHT);  // stops at the end
    EXPECT_EQ(View()->FocusedButton(), 2);
    Key(VK_HOME);
    EXPECT_EQ(View()->FocusedButton(), 0);
    Key(VK_LEFT);
    EXPECT_EQ(View()->FocusedButton(), 0);
    EXPECT_EQ(TakeFocusEvents(), (std::vector<LONG>{2, 3, 1}));

    Key(VK_NEXT, true);
    EXPECT_EQ(Label(), L"2 / 3");
    EXPECT_EQ(View()->FocusedButton(), 0);
    EXPECT_EQ(View()->ButtonText(0), L"D");
    EXPECT_EQ(TakeFocusEvents(), std::vector<LONG>{1});
    Key(VK_NEXT);  // without Ctrl: nothing
    EXPECT_EQ(Label(), L"2 / 3");
    Key(VK_NEXT, true);
    EXPECT_EQ(Label(), L"3 / 3");
    EXPECT_FALSE(ViewShown());
    EXPECT_EQ(GetFocus(), Spin()) << "not left on the hidden view";
    Key(VK_PRIOR, true);  // from the spin too
    Key(VK_PRIOR, true);
    EXPECT_EQ(Label(), L"1 / 3");
    EXPECT_EQ(GetFocus(), Spin());
}

TEST_F(Keyboard, TabGoesBetweenTheSpinAndThePageAndTheFocusRectangleFollowsTheFocus) {
    WritePage(0, {L"C:\\A\\", L"C:\\B\\"});
    StartBar();
    SetForegroundWindow(Bar());
    SetFocus(Spin());
    const std::vector<TestButton> buttons = Buttons(View());
    const ButtonFace plain = RenderFace(buttons[0]);
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), View()->m_hWnd);
    EXPECT_EQ(View()->FocusedButton(), 0);
    EXPECT_NE(RenderFace(buttons[0]), plain) << "the focus rectangle";
    // (Wine keeps the focus cues on whatever WM_UPDATEUISTATE says, so hiding them after the
    // mouse is not seen here.)
    Key(VK_RIGHT);
    EXPECT_EQ(RenderFace(buttons[0]), plain) << "left behind by the arrow";
    Key(VK_TAB, false, true);
    EXPECT_EQ(GetFocus(), Spin());
    EXPECT_EQ(View()->FocusedButton(), -1);
    EXPECT_EQ(RenderFace(buttons[0]), plain) << "none without the focus";
}

TEST_F(Keyboard, EnterAndSpaceClickTheFocusedButtonAndNeitherEnterNorEscapeEndsTheBar) {
    WritePage(0, {L"C:\\A\\", L"C:\\no such folder\\"});
    StartInFront();
    Key(VK_RIGHT);
    m_answerer->Answer(IDOK);
    Key(VK_RETURN);
    m_answerer->Answer(IDOK);
    Key(VK_SPACE);
    Key(VK_SPACE, false, false, WM_KEYDOWN, 1 | (1L << 30));  // held down: one click only
    ASSERT_EQ(m_answerer->Count(), 2u);
    EXPECT_EQ(m_answerer->Dialogs()[0].text, L"フォルダを開けません");
    EXPECT_EQ(m_answerer->Dialogs()[1].text, L"フォルダを開けません");

    Key(VK_ESCAPE);
    EXPECT_TRUE(IsWindow(Bar()));
    SetFocus(Spin());
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    EXPECT_TRUE(IsWindow(Bar()));
    EXPECT_EQ(m_answerer->Count(), 2u) << "Enter on the spin clicks nothing";
}

TEST_F(Keyboard, EscapeGivesTheFocusBackToTheWindowActiveBefore) {
    WritePage(0, {L"C:\\A\\"});
    StartBar();
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 300, 300, 100, 100, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_TRUE(other);
    SetForegroundWindow(other);
    SetForegroundWindow(Bar());
    ASSERT_TRUE(m_bar->FocusPage());
    Key(VK_ESCAPE);
    EXPECT_EQ(GetForegroundWindow(), other);
    EXPECT_TRUE(IsWindow(Bar()));
    DestroyWindow(other);
}

namespace {
bool g_menu = false;
RECT g_menuRect{};
// Notes where the menu window shows; the menu is closed unchosen once it is up.
LRESULT CALLBACK WatchMenu(int code, WPARAM wp, LPARAM lp) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && call->message == WM_INITMENUPOPUP) {
        g_menu = true;
        PostMessageW(call->hwnd, WM_CANCELMODE, 0, 0);
    }
    wchar_t name[16]{};
    if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED && GetClassNameW(call->hwnd, name, 16) &&
        std::wstring(name) == L"#32768")
        GetWindowRect(call->hwnd, &g_menuRect);
    return CallNextHookEx(nullptr, code, wp, lp);
}
}  // namespace

TEST_F(Keyboard, ShiftF10AndTheMenuKeyOpenTheFocusedButtonsMenuAtTheButton) {
    WritePage(0, {L"C:\\A\\", L"C:\\B\\"});
    StartInFront();
    Key(VK_RIGHT);
    const RECT face = Buttons(View())[1].ScreenRect();
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &WatchMenu, nullptr, GetCurrentThreadId());
    for (const auto& [key, message, shift] : {std::tuple{VK_F10, WM_SYSKEYDOWN, true}, std::tuple{VK_APPS, WM_KEYDOWN, false}}) {
        g_menu = false;
        g_menuRect = RECT{};
        Key(key, false, shift, message);
        EXPECT_TRUE(g_menu) << key;
        EXPECT_EQ(g_menuRect.left, face.left) << key;
        EXPECT_NEAR(g_menuRect.top, face.bottom, 2) << key;
    }
    UnhookWindowsHookEx(hook);
    EXPECT_TRUE(IsWindow(Bar()));
}

TEST_F(Keyboard, CtrlVPastesFilesWithTheBarsCopyOrMoveChoiceAndTextAsANote) {
    const std::wstring target = m_dir.MakeFolder(L"T");
    const std::wstring source = m_dir.MakeFolder(L"S");
    ASSERT_TRUE(m_dir.WriteFile(L"S\\a.txt", std::string("a")));
    ASSERT_TRUE(m_dir.WriteFile(L"S\\b.txt", std::string("b")));
    WritePage(0, {m_dir.MakeFolder(L"Other"), target});
    StartInFront();
    Key(VK_END);

    PutFilesOnClipboard(Bar(), {source + L"a.txt"});
    Key('V', true);
    EXPECT_TRUE(WaitForFile(target + L"a.txt"));
    EXPECT_TRUE(WaitForFile(source + L"a.txt")) << "copied";
    Key('V');  // without Ctrl: nothing
    m_settings.nCopyMove = 1;
    PutFilesOnClipboard(Bar(), {source + L"b.txt"});
    Key('V', true);
    EXPECT_TRUE(WaitForFile(target + L"b.txt"));
    EXPECT_TRUE(WaitForFile(source + L"b.txt", false)) << "moved";

    PutTextOnClipboard(Bar(), "pasted");
    m_answerer->Answer(IDOK);  // the Save As dialog, with the name it proposes
    Key('V', true);
    EXPECT_TRUE(WaitForFile(target + L"VRL_Text.txt"));
    EXPECT_NE(FileBytes(m_dir / L"T\\VRL_Text.txt").find("pasted\r\n"), std::string::npos);
    EXPECT_EQ(m_answerer->Count(), 1u);
}
