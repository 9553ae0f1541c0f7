#include "support/DialogAnswerer.h"

namespace {
thread_local DialogAnswerer* t_current = nullptr;

BOOL CALLBACK CollectStatic(HWND child, LPARAM data) {
    if (ClassName(child) == L"Static") {
        std::wstring text = WindowText(child);
        if (!text.empty()) reinterpret_cast<std::vector<std::wstring>*>(data)->push_back(text);
    }
    return TRUE;
}
}  // namespace

std::wstring ClassName(HWND wnd) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(wnd, name, 256);
    return std::wstring(name, static_cast<size_t>(length > 0 ? length : 0));
}

std::vector<std::wstring> StaticTexts(HWND dialog) {
    std::vector<std::wstring> texts;
    EnumChildWindows(dialog, CollectStatic, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

DialogAnswerer::DialogAnswerer() : m_previous(t_current) {
    m_hook = SetWindowsHookExW(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
    t_current = this;
}

DialogAnswerer::~DialogAnswerer() {
    if (m_hook) UnhookWindowsHookEx(m_hook);
    t_current = m_previous;
}

void DialogAnswerer::Answer(int id) { m_queue.push_back({id, nullptr}); }

void DialogAnswerer::Answer(int id, std::function<void(HWND)> before) {
    m_queue.push_back({id, std::move(before)});
}

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

    AnsweredDialog record;
    record.caption = WindowText(wnd);
    record.statics = StaticTexts(wnd);
    for (size_t i = 0; i < record.statics.size(); ++i)
        record.text += (i ? L"\n" : L"") + record.statics[i];
    Queued next{IDCANCEL, nullptr};
    if (m_queue.empty()) {
        record.unexpected = true;
    } else {
        next = std::move(m_queue.front());
        m_queue.pop_front();
    }
    record.answer = next.id;
    m_dialogs.push_back(record);
    if (next.before) next.before(wnd);
    PostMessageW(wnd, WM_COMMAND, MAKEWPARAM(next.id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(wnd, next.id)));
}
