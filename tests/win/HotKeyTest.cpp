// The bar's global hotkey: registered from "HotKey" (missing: Ctrl+Shift+Y, 0: none), fired by
// real keyboard input (SendInput, which Wine matches against registered hotkeys as Windows
// does), told once when another window holds it, and changed or cleared on the options page.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/MainBarFixture.h"

namespace {

constexpr WORD kCtrlShiftY = MAKEWORD('Y', HOTKEYF_CONTROL | HOTKEYF_SHIFT);
constexpr WORD kCtrlShiftF11 = MAKEWORD(VK_F11, HOTKEYF_CONTROL | HOTKEYF_SHIFT);
const wchar_t kTakenText[] =
    L"ホットキー（ Ctrl + Shift + Y ）はほかのプログラムが使用しているため登録できません\n"
    L"「その他のオプション」の「各種設定」で別のキーを指定できます";

// Handles this thread's messages until `done` holds, for two seconds at most.
bool PumpUntil(const std::function<bool()>& done) {
    const DWORD start = GetTickCount();
    for (MSG msg; !done() && GetTickCount() - start < 2000;) {
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        } else {
            Sleep(10);
        }
    }
    return done();
}

// Presses and releases Ctrl+Shift+`key` as the keyboard would.
void Type(WORD key) {
    std::vector<INPUT> inputs;
    for (WORD vk : {WORD{VK_CONTROL}, WORD{VK_SHIFT}, key, key, WORD{VK_SHIFT}, WORD{VK_CONTROL}}) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = inputs.size() < 3 ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Whether another window can take the chord now, which it cannot while the bar holds it.
bool ChordFree(WORD value) {
    HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    const auto chord = varolin::HotKeyChordOf(value);
    const bool free = chord && RegisterHotKey(probe, 1, chord->modifiers, chord->virtualKey);
    DestroyWindow(probe);
    return free;
}

SheetStep OnCommonPage(std::function<void(HWND page)> edit) {
    return [=](HWND sheet) {
        PropSheet_SetCurSel(sheet, nullptr, 0);
        edit(PropSheet_GetCurrentPageHwnd(sheet));
        PropSheet_PressButton(sheet, PSBTN_OK);
    };
}
SheetStep SetChord(WORD value) {
    return OnCommonPage([=](HWND page) { SendDlgItemMessageW(page, IDC_HOT_KEY, HKM_SETHOTKEY, value, 0); });
}

class BarHotKey : public MainBarFixture {
protected:
    void SetUp() override {
        MainBarFixture::SetUp();
        SetCursorPos(1200, 700);  // beyond the simulated screen: away from the bar
        m_other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 500, 500, 40, 40, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        MainBarFixture::TearDown();
        DestroyWindow(m_other);
    }
    RECT BarRect() const {
        RECT rc{};
        GetWindowRect(Bar(), &rc);
        return rc;
    }
    // The value the page's hotkey control shows when the options sheet opens.
    std::optional<WORD> ShownChord() {
        WORD shown = 0xFFFF;
        if (!Options(OnCommonPage([&](HWND page) {
                shown = LOWORD(SendDlgItemMessageW(page, IDC_HOT_KEY, HKM_GETHOTKEY, 0, 0));
            })))
            return std::nullopt;
        return shown;
    }

    HWND m_other = nullptr;  // the window the user works in when the hotkey is pressed
};

}  // namespace

TEST_F(BarHotKey, TheDefaultChordBringsAnAutoHiddenBarOutAndItStaysOutWhileActive) {
    StartBar();
    Command(ID_BAR_AUTO_HIDE);
    SetForegroundWindow(m_other);
    ASSERT_EQ(GetForegroundWindow(), m_other);
    PumpUntil([] { return false; });  // the auto-hide timer's ticks
    ASSERT_LE(BarRect().bottom, 8) << "slid in at the top edge";
    EXPECT_TRUE(m_answerer->Dialogs().empty()) << "nothing to tell: the chord was free";

    Type('Y');
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == Bar(); }));
    EXPECT_EQ(BarRect().top, 0);
    EXPECT_GT(BarRect().bottom, 8);
    PumpUntil([] { return false; });
    EXPECT_EQ(BarRect().top, 0) << "the timer leaves the active bar out, the cursor far from it";

    SetForegroundWindow(m_other);
    EXPECT_LE(BarRect().bottom, 8) << "in again once the user works elsewhere";
    Type('U');  // another chord does nothing
    PumpUntil([] { return false; });
    EXPECT_EQ(GetForegroundWindow(), m_other);
}

TEST_F(BarHotKey, AChordHeldElsewhereIsToldOnceAtStartAndOnOkWhenChosenAgain) {
    const auto chord = varolin::HotKeyChordOf(kCtrlShiftY);
    ASSERT_TRUE(RegisterHotKey(m_other, 1, chord->modifiers, chord->virtualKey));
    StartBar();
    PumpUntil([&] { return m_answerer->Count() > 1; });
    ASSERT_EQ(m_answerer->Count(), 1u);
    EXPECT_EQ(m_answerer->Last().caption, L"Varolin");
    EXPECT_EQ(m_answerer->Last().text, kTakenText);
    EXPECT_TRUE(IsWindowVisible(Bar())) << "the bar works on without it";

    ASSERT_TRUE(Options(OnCommonPage([](HWND) {})));
    EXPECT_EQ(m_answerer->Count(), 2u) << "the sheet only: the chord was not changed";
    EXPECT_FALSE(ReadRegistryValue(L"Common", L"HotKey")) << "an unchanged chord is not written";

    ASSERT_TRUE(Options(SetChord(kCtrlShiftF11)));
    EXPECT_EQ(m_answerer->Count(), 3u) << "a free chord is taken without a word";
    EXPECT_FALSE(ChordFree(kCtrlShiftF11));

    ASSERT_TRUE(Options(SetChord(kCtrlShiftY)));
    ASSERT_EQ(m_answerer->Count(), 5u);
    EXPECT_EQ(m_answerer->Last().text, kTakenText);
    EXPECT_TRUE(ChordFree(kCtrlShiftF11)) << "the chord given up is free again";
    UnregisterHotKey(m_other, 1);
}

TEST_F(BarHotKey, MissingMeansTheDefaultAndThePageChangesOrClearsTheChord) {
    StartBar();
    EXPECT_FALSE(ChordFree(kCtrlShiftY));
    EXPECT_EQ(ShownChord(), kCtrlShiftY);
    EXPECT_FALSE(ReadRegistryValue(L"Common", L"HotKey")) << "still the default, not written";

    ASSERT_TRUE(Options(SetChord(kCtrlShiftF11)));
    EXPECT_EQ(ReadRegistryValue(L"Common", L"HotKey")->AsDword(), kCtrlShiftF11);
    EXPECT_TRUE(ChordFree(kCtrlShiftY));
    EXPECT_FALSE(ChordFree(kCtrlShiftF11));

    ASSERT_TRUE(Options(OnCommonPage([](HWND page) { SendDlgItemMessageW(page, IDC_HOT_KEY_CLEAR, BM_CLICK, 0, 0); })));
    const auto stored = ReadRegistryValue(L"Common", L"HotKey");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(stored->AsDword(), 0u);
    EXPECT_TRUE(ChordFree(kCtrlShiftF11));
    EXPECT_EQ(ShownChord(), 0);
}
