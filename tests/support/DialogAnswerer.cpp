#include "support/DialogAnswerer.h"

namespace {
thread_local DialogAnswerer* t_current = nullptr;

std::wstring ClassName(HWND wnd) {
    wchar_t name[256] = {};
    GetClassNameW(wnd, name, 256);
    return name;
}
}  // namespace

DialogAnswerer::DialogAnswerer() : m_previous(t_current) {
    m_hook = SetWindowsHookExW(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
    t_current = this;
}

DialogAnswerer::~DialogAnswerer() {
    if (m_hook) UnhookWindowsHookEx(m_hook);
    t_current = m_previous;
}

void DialogAnswerer::Answer(int id, std::function<void(HWND)> before) { m_queue.push_back({id, std::move(before)}); }

LRESULT CALLBACK DialogAnswerer::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    DialogAnswerer* self = t_current;
    if (self && code == HCBT_ACTIVATE) {
        self->OnActivate(reinterpret_cast<HWND>(wParam));
    } else if (self && code == HCBT_DESTROYWND) {
        self->m_answered.erase(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void DialogAnswerer::OnActivate(HWND wnd) {
    if (ClassName(wnd) != L"#32770" || (GetWindowLongW(wnd, GWL_STYLE) & WS_CHILD)) return;
    if (!m_answered.insert(wnd).second) return;

    AnsweredDialog record{WindowText(wnd), L""};
    for (HWND child = GetWindow(wnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring text = WindowText(child);
        if (ClassName(child) == L"Static" && !text.empty()) record.text += (record.text.empty() ? L"" : L"\n") + text;
    }
    m_dialogs.push_back(record);
    Queued next{IDCANCEL, nullptr};
    if (!m_queue.empty()) {
        next = std::move(m_queue.front());
        m_queue.pop_front();
    }
    if (next.before) next.before(wnd);
    PostMessageW(wnd, WM_COMMAND, MAKEWPARAM(next.id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(wnd, next.id)));
}
