#pragma once
// Drives a modal property sheet from inside its own modal loop: the steps run one per timer
// tick, each while the sheet is up and not covered by a box or dialog of its own, so a step
// can fill fields, click, switch pages and press OK, and the next one sees the outcome.
//
//   const std::vector<AnsweredDialog> boxes = RunScripted(L"プロパティ", {
//       [](HWND sheet) { ...; sheet::PressOk(sheet); },            // causes a warning
//       [](HWND sheet) { ...fix the field...; sheet::PressOk(sheet); },
//   }, [&] { ok = RunTheSheet(); }, {{IDOK}});                    // the warning's answer
//
// A sheet still open well after the last step is cancelled, so a broken script fails instead
// of hanging. Steps that open a modal dialog should post the click rather than send it.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "support/DialogAnswerer.h"

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

// An answer for a dialog that a step causes: the control id to press, after an optional action
// on the dialog (see DialogAnswerer).
struct SheetAnswer {
    SheetAnswer(int id, std::function<void(HWND dialog)> before = nullptr) : id(id), before(std::move(before)) {}
    int id;
    std::function<void(HWND dialog)> before;
};

// Runs `run`, which shows the sheet captioned `caption` modally, under a script of `steps`;
// the dialogs the steps cause get `answers` in turn. Expects every step and answer to be used,
// and returns the dialogs answered (the sheet not among them).
std::vector<AnsweredDialog> RunScripted(const std::wstring& caption, std::vector<SheetStep> steps,
                                        const std::function<void()>& run, std::vector<SheetAnswer> answers = {});

// What a step does to a sheet and its pages, as a user would.
namespace sheet {
inline HWND Page(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }
inline HWND ShowPage(HWND sheet, int index) {
    PropSheet_SetCurSel(sheet, nullptr, index);
    return Page(sheet);
}
// OK as a click does it, synchronously: warnings it causes are answered before it returns.
inline void PressOk(HWND sheet) {
    SendMessageW(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(sheet, IDOK)));
}
inline void Notify(HWND page, int id, int code) {
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}
// A click that completes at once (check boxes, radio buttons, swatches).
inline void Click(HWND page, int id) { SendDlgItemMessageW(page, id, BM_CLICK, 0, 0); }
// A click whose handler opens a modal dialog: it runs from the sheet's loop, not from the step.
inline void PostClick(HWND page, int id) {
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}
inline void SetText(HWND page, int id, const std::wstring& text) { SetDlgItemTextW(page, id, text.c_str()); }
inline std::wstring Text(HWND page, int id) { return WindowText(GetDlgItem(page, id)); }
inline bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }
inline bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
// A combo box's entries, and the one selected (CB_ERR for none).
std::vector<std::wstring> Items(HWND page, int id);
inline int Selected(HWND page, int id) { return static_cast<int>(SendDlgItemMessageW(page, id, CB_GETCURSEL, 0, 0)); }
// Chooses a combo box entry and tells the page, as a pick from the list does.
inline void Select(HWND page, int id, int index) {
    SendDlgItemMessageW(page, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Notify(page, id, CBN_SELCHANGE);
}
}  // namespace sheet
