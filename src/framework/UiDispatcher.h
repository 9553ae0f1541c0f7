#pragma once
// Hands work from worker threads to the user-interface thread, which owns every window. A
// worker never touches a window object: it posts a function, run later or dropped with its data
// when the dispatcher is gone.
#include <windows.h>

#include <functional>

class CUiDispatcher {
public:
    // Creates a message-only window on the calling thread, which must be the UI thread.
    CUiDispatcher();
    // Frees what is still queued without running it.
    ~CUiDispatcher();
    CUiDispatcher(const CUiDispatcher&) = delete;
    CUiDispatcher& operator=(const CUiDispatcher&) = delete;

    // From any thread: runs `work` on the UI thread soon; false (and `work` dropped) when the
    // dispatcher's window is gone.
    bool Post(std::function<void()> work) const { return PostTo(m_hWnd, std::move(work)); }
    // The same through the dispatcher's window handle, which a worker may keep: once the
    // dispatcher is gone, it fails harmlessly instead of touching freed memory.
    static bool PostTo(HWND dispatcher, std::function<void()> work);
    HWND Window() const { return m_hWnd; }

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND m_hWnd = nullptr;  // owned: destroyed with the dispatcher
};
