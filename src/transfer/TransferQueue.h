#pragma once
// The drops' file work, off the UI thread: one worker takes the jobs one after another in
// drop order. A job holds copies of everything it needs, so deleting its button, its page or
// changing options while it runs touches nothing freed. Questions (same-name dialog, the
// read-only question, error boxes) are posted to the UI thread and asked there, owned by the
// bar, never inside a drop, while the job waits; a progress window comes up when a job takes longer than half a second.
#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "transfer/Transfer.h"
#include "framework/Lifetime.h"
#include "framework/UiDispatcher.h"

struct AppSettings;
class CTransferProgressDlg;

// Hears, on the UI thread, when a job begins and ends writing into its folder.
class ITransferListener {
public:
    virtual void OnFolderWriteStarted(const std::wstring& folder) = 0;
    // Also when the job was cancelled or failed: the folder may have changed all the same.
    virtual void OnFolderWriteEnded(const std::wstring& folder) = 0;

protected:
    ~ITransferListener() = default;
};

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
    // Who hears of the folders jobs write into; nullptr for nobody. A listener that goes
    // before the queue sets nullptr first.
    void SetListener(ITransferListener* listener) { m_listener = listener; }

private:
    enum class QuestionState { None, Posted, Shown, Answered };
    struct Shared;
    class Context;
    static void WorkerLoop(std::shared_ptr<Shared> shared);
    // The worker's question `id` reaches the UI thread: shown now, or once a drop in progress
    // has returned; nothing when it was withdrawn meanwhile.
    void OnQuestionPosted(std::uint64_t id);
    std::optional<int> ShowQuestion(const std::function<int(HWND)>& question);
    HWND QuestionOwner();
    void OnJobStarted(const std::wstring& folder);
    void OnProgress(const TransferProgress& progress);
    void OnJobEnded(const std::wstring& folder);
    void OnCancelPressed();

    // Ended first in the destructor: work posted by the worker and the progress window's
    // cancel reach the queue only through references to it.
    CLifetime m_life;
    AppSettings& m_settings;
    std::function<HWND()> m_owner;
    std::optional<CUiDispatcher> m_dispatcher;  // made with the worker
    std::shared_ptr<Shared> m_shared;
    std::unique_ptr<CTransferProgressDlg> m_progress;
    int m_questionsOpen = 0;  // questions of the worker being shown (UI thread only)
    std::vector<HWND> m_dialogsBeforeQuestion;  // the bar's dialogs already open when it asked
    ITransferListener* m_listener = nullptr;
    std::thread m_worker;
};
