#pragma once
// Refuses, on this thread, the creation of windows of one class, the way a system out of window
// handles would: after `letThrough` of them are made, the next `refuse` fail (a CBT hook's
// nonzero answer to HCBT_CREATEWND); later ones are made again. One at a time per thread.
#include <windows.h>

#include <string>

class WindowRefusal {
public:
    WindowRefusal(std::wstring className, int letThrough, int refuse = 1)
        : m_className(std::move(className)), m_letThrough(letThrough), m_refuse(refuse) {
        t_active = this;
        m_hook = SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
    }
    ~WindowRefusal() {
        UnhookWindowsHookEx(m_hook);
        t_active = nullptr;
    }
    WindowRefusal(const WindowRefusal&) = delete;
    WindowRefusal& operator=(const WindowRefusal&) = delete;

    int Refused() const { return m_refused; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
        WindowRefusal* self = t_active;
        if (code == HCBT_CREATEWND && self) {
            wchar_t name[64] = {};
            GetClassNameW(reinterpret_cast<HWND>(wp), name, 64);
            if (self->m_className == name) {
                if (self->m_letThrough > 0) {
                    --self->m_letThrough;
                } else if (self->m_refused < self->m_refuse) {
                    ++self->m_refused;
                    return 1;
                }
            }
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }

    static inline thread_local WindowRefusal* t_active = nullptr;
    std::wstring m_className;
    int m_letThrough;
    int m_refuse;
    int m_refused = 0;
    HHOOK m_hook = nullptr;
};
