#include "framework/UiDispatcher.h"

#include "framework/DebugReport.h"
#include "framework/PrivateMessages.h"

#include <memory>

namespace {
const wchar_t kClassName[] = L"VarolinUiDispatcher";
constexpr UINT kPosted = kDispatcherPostedMessage;

void RegisterClassOnce() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClassName;
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
}

void RunSafely(const std::function<void()>& work) {
    // Nothing may leave a window procedure by exception.
    try {
        work();
    } catch (...) {
    }
}
}  // namespace

CUiDispatcher::CUiDispatcher() {
    RegisterClassOnce();
    m_hWnd = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
    // Without it every Post fails and its work is dropped: the worker's results never show.
    if (!m_hWnd) ReportFailure(L"UI dispatcher window", GetLastError());
    else SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CUiDispatcher::Proc));
}

CUiDispatcher::~CUiDispatcher() {
    if (!m_hWnd) return;
    // Posted work that never ran is freed here rather than leaked. Workers that post here are
    // stopped before the dispatcher goes.
    MSG msg;
    while (PeekMessageW(&msg, m_hWnd, kPosted, kPosted, PM_REMOVE))
        delete reinterpret_cast<std::function<void()>*>(msg.lParam);
    ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

bool CUiDispatcher::PostTo(HWND dispatcher, std::function<void()> work) {
    auto owned = std::make_unique<std::function<void()>>(std::move(work));
    if (!dispatcher || !PostMessageW(dispatcher, kPosted, 0, reinterpret_cast<LPARAM>(owned.get()))) return false;
    static_cast<void>(owned.release());  // the message owns it now
    return true;
}

LRESULT CALLBACK CUiDispatcher::Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kPosted) {
        const std::unique_ptr<std::function<void()>> work(reinterpret_cast<std::function<void()>*>(lp));
        RunSafely(*work);
        return 0;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}
