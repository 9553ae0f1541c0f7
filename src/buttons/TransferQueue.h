#pragma once
// The drops' file work, off the UI thread: one worker takes the jobs one after another in
// drop order. A job holds copies of everything it needs, so deleting its button, its page or
// changing options while it runs touches nothing freed. Questions (same-name dialog, the
// read-only question, error boxes) are asked on the UI thread, owned by the bar, while the job
// waits; a progress window comes up when a job takes longer than half a second.
#include <windows.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "buttons/Transfer.h"
#include "framework/UiDispatcher.h"

struct AppSettings;
class CTransferProgressDlg;

class CTransferQueue {
public:
    // `settings` (borrowed, outlives the queue) holds the rename counter; `owner` gives the
    // window that owns the questions and the progress window (the bar's top-level window).
    CTransferQueue(AppSettings& settings, std::function<HWND()> owner);
    // Cancels what runs, drops what waits, and waits for the worker a bounded time.
    ~CTransferQueue();
    CTransferQueue(const CTransferQueue&) = delete;
    CTransferQueue& operator=(const CTransferQueue&) = delete;

    void Add(TransferJob job);
    // A job runs or waits.
    bool Busy() const;
    // Stops the running job cleanly, drops the waiting ones and returns when the worker is idle
    // (handling messages meanwhile, so questions it has open are answered as cancelled).
    void CancelAndWait();

private:
    struct Shared;
    class Context;
    static void WorkerLoop(std::shared_ptr<Shared> shared);
    HWND QuestionOwner();
    void OnJobStarted();
    void OnProgress(const TransferProgress& progress);
    void OnJobEnded(HWND button);
    void OnCancelPressed();

    AppSettings& m_settings;
    std::function<HWND()> m_owner;
    CUiDispatcher m_dispatcher;
    std::shared_ptr<Shared> m_shared;
    std::unique_ptr<CTransferProgressDlg> m_progress;
    int m_questionsOpen = 0;  // questions of the worker being shown (UI thread only)
    std::thread m_worker;
};
