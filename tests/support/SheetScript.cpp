#include "support/SheetScript.h"

#include <gtest/gtest.h>

namespace {
thread_local SheetScript* t_script = nullptr;
constexpr UINT kTickMs = 40;
constexpr int kIdleTicksBeforeCancel = 50;
}  // namespace

SheetScript::SheetScript(std::wstring caption, std::vector<SheetStep> steps)
    : m_caption(std::move(caption)), m_steps(std::move(steps)) {
    t_script = this;
    m_timer = SetTimer(nullptr, 0, kTickMs, &SheetScript::Tick);
}

SheetScript::~SheetScript() {
    KillTimer(nullptr, m_timer);
    t_script = nullptr;
}

void CALLBACK SheetScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    SheetScript* self = t_script;
    if (!self || self->m_running) return;  // a step's own modal loop ticks too
    HWND sheet = FindWindowW(L"#32770", self->m_caption.c_str());
    if (!sheet || !IsWindowEnabled(sheet)) return;
    if (self->m_next == self->m_steps.size()) {
        if (++self->m_idleTicks == kIdleTicksBeforeCancel) {
            self->m_cancelled = true;
            PropSheet_PressButton(sheet, PSBTN_CANCEL);
        }
        return;
    }
    self->m_running = true;
    self->m_steps[self->m_next++](sheet);
    self->m_running = false;
}

std::vector<std::wstring> sheet::Items(HWND page, int id) {
    std::vector<std::wstring> items;
    const int count = static_cast<int>(SendDlgItemMessageW(page, id, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(SendDlgItemMessageW(page, id, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        text.resize(static_cast<size_t>(SendDlgItemMessageW(page, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        items.push_back(text);
    }
    return items;
}

std::vector<AnsweredDialog> RunScripted(const std::wstring& caption, std::vector<SheetStep> steps,
                                        const std::function<void()>& run, std::vector<SheetAnswer> answers) {
    DialogAnswerer answerer;
    answerer.Answer(kLeaveSheetOpen);
    for (SheetAnswer& answer : answers) answerer.Answer(answer.id, std::move(answer.before));
    {
        SheetScript script(caption, std::move(steps));
        run();
        EXPECT_TRUE(script.AllRan()) << "the sheet had to be cancelled";
    }
    EXPECT_EQ(answerer.Pending(), 0u) << "a queued answer found no dialog";
    if (answerer.Count() == 0) return {};
    return std::vector<AnsweredDialog>(answerer.Dialogs().begin() + 1, answerer.Dialogs().end());
}
