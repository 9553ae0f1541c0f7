#pragma once
// Drives a modal property sheet from inside its own modal loop: the steps run one per timer
// tick, each while the sheet is up and not covered by a box or dialog of its own, so a step
// can fill fields, click, switch pages and press OK, and the next one sees the outcome.
//
//   DialogAnswerer answerer;
//   answerer.Answer(kLeaveSheetOpen);     // the sheet itself activates first
//   answerer.Answer(IDOK);                // a warning a step is expected to cause
//   SheetScript script(L"プロパティ", {
//       [](HWND sheet) { ...; PropSheet_PressButton(sheet, PSBTN_OK); },
//       [](HWND sheet) { ...fix the field...; PropSheet_PressButton(sheet, PSBTN_OK); },
//   });
//   RunTheSheet();
//   EXPECT_TRUE(script.AllRan());
//
// A sheet still open well after the last step is cancelled, so a broken script fails instead
// of hanging. Steps that open a modal dialog should post the click rather than send it.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

using SheetStep = std::function<void(HWND sheet)>;

// A DialogAnswerer reply for the sheet's own activation that leaves it alone: the sheet passes
// commands it does not know to its page, which ignores this one.
inline constexpr int kLeaveSheetOpen = 0;

class SheetScript {
public:
    SheetScript(std::wstring caption, std::vector<SheetStep> steps);
    ~SheetScript();
    SheetScript(const SheetScript&) = delete;
    SheetScript& operator=(const SheetScript&) = delete;

    // Every step ran and the sheet did not have to be cancelled.
    bool AllRan() const { return m_next == m_steps.size() && !m_cancelled; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    std::wstring m_caption;
    std::vector<SheetStep> m_steps;
    size_t m_next = 0;
    int m_idleTicks = 0;
    bool m_running = false;
    bool m_cancelled = false;
    UINT_PTR m_timer = 0;
};
