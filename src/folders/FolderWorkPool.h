#pragma once
// The threads all folder work runs on, through one completion port: scans, the opening of
// watched folders, and the changes the system reports for them. One thread serves it while
// the work is quick (at start, and while the bar sits idle watching its folders): every thread
// costs time and memory, about a megabyte each under Wine, and a burst of scans would
// otherwise start one each. While work waits or runs, a timer queue's timer looks every quarter
// of a second (on the queue's own thread: the system pool's timers would start a worker thread
// as well, another megabyte under Wine) and adds a thread whenever every thread is held up by
// work that runs long (a share that does not answer), so slow folders never hold up the rest;
// threads added so end after a while without work. Nothing ever waits for a thread: one stuck on a
// share ends with the process.
#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <set>

#include "framework/Handles.h"

namespace handle_closers {
// Deletes a timer of the default timer queue and waits for a callback under way: the callback
// may then use its context. Never closed from its own callback.
struct QueueTimer {
    static void Close(HANDLE h) { DeleteTimerQueueTimer(nullptr, h, INVALID_HANDLE_VALUE); }
    static HANDLE Invalid() { return nullptr; }
};
}  // namespace handle_closers
using OwnedQueueTimer = UniqueHandle<HANDLE, handle_closers::QueueTimer>;

class FolderWorkPool : public std::enable_shared_from_this<FolderWorkPool> {
public:
    // An overlapped operation whose completion a pool thread hands to `done`.
    struct IoRequest {
        OVERLAPPED overlapped;  // first: the completion packet points here
        void* owner;
        void (*done)(void* owner, DWORD error);
    };

    // Shared by its owner, its threads and the users of its completion port.
    static std::shared_ptr<FolderWorkPool> Create();
    FolderWorkPool(const FolderWorkPool&) = delete;
    FolderWorkPool& operator=(const FolderWorkPool&) = delete;

    // Runs `work` on a pool thread; false once the pool has quit or no thread could start.
    bool Submit(std::function<void()> work);
    // Sends the completions of `file` (opened for overlapped operations) to the pool.
    bool Bind(HANDLE file);
    // Starts an operation on a bound file: `start` gets the request's OVERLAPPED and says
    // whether the operation started. False once the pool has quit.
    bool StartIo(IoRequest& request, const std::function<bool(OVERLAPPED*)>& start);
    // While held, work waits without a thread being started for it.
    void Hold(bool held);
    // Takes no more work; the threads end once the work taken and the operations under way
    // (stopped before) are done. Waits for no thread, only for a look of the growth timer under
    // way. The owner calls it before letting the pool go.
    void Quit();

private:
    FolderWorkPool() = default;
    bool StartThread();  // the lock is held
    void LookSoon();     // the lock is held
    // The growth timer's look: adds a thread when work holds every thread up for long.
    static void CALLBACK OnLook(void* context, BOOLEAN);
    void Look();
    static DWORD WINAPI Loop(void* context);
    // Handles one packet; false when the thread is to end.
    bool Handle(BOOL got, ULONG_PTR key, OVERLAPPED* overlapped);

    OwnedHandle m_hPort{CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 0)};
    mutable std::mutex m_mutex;
    int m_nThreads = 0;
    int m_nWaiting = 0;  // work submitted and not yet taken
    int m_nIo = 0;       // operations under way
    std::multiset<ULONGLONG> m_running;  // when each piece of running work began
    bool m_bQuitting = false;
    bool m_bHeld = false;
    bool m_bLookSet = false;
    // Its callback uses the pool: closed by Quit (or the destructor), which wait for it.
    OwnedQueueTimer m_lookTimer;  // while set, it looks every kLookMs
};
