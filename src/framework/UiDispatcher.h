#pragma once
// Hands work from worker threads to the user-interface thread, which owns every window. A
// worker never touches a window object: it posts a function (run later, dropped with its data
// when the dispatcher is gone) or sends one and waits for it (for questions the user answers).
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
    // From a worker thread: runs `work` on the UI thread and returns once it has run; false
    // when it could not be delivered. The UI thread must not wait for this worker meanwhile
    // without dispatching sent messages (see WaitWithMessages).
    bool Send(const std::function<void()>& work) const { return SendTo(m_hWnd, work); }

    // The same through the dispatcher's window handle, which a worker may keep: once the
    // dispatcher is gone, both fail harmlessly instead of touching freed memory.
    static bool PostTo(HWND dispatcher, std::function<void()> work);
    static bool SendTo(HWND dispatcher, const std::function<void()>& work);
    HWND Window() const { return m_hWnd; }

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND m_hWnd = nullptr;  // owned: destroyed with the dispatcher
};

// Waits for `handle` on the UI thread while still handling messages (a worker's questions and
// posted work arrive as messages). Returns false when the wait ended because WM_QUIT arrived.
bool WaitWithMessages(HANDLE handle);
