#pragma once
// The drops' file work, off the UI thread: one worker takes the jobs one after another in
// drop order. A job holds copies of everything it needs, so deleting its button, its page or
// changing options while it runs touches nothing freed. Questions (same-name dialog, the
// read-only question, error boxes) are asked on the UI thread, owned by the bar, while the job
// waits; a progress window comes up when a job takes longer than half a second.
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "framework/UiDispatcher.h"

struct AppSettings;
class CTransferProgressDlg;

struct TransferJob {
    std::vector<std::wstring> sources;  // as dropped; taken last to first
    std::wstring folder;                // the button's folder, ending in a backslash
    bool move = false;
    int renameFormat = 0;               // "RenameFormat" in force at the drop
    bool renameConfirm = true;          // "RenameConfirm" was 1 at the drop
    HWND button = nullptr;              // told to rescan at the end; may be gone by then
};

// What the progress window shows.
struct TransferProgress {
    bool move = false;
    std::wstring file;                  // the file being copied
    std::size_t filesDone = 0, filesTotal = 0;
    std::uint64_t bytesDone = 0, bytesTotal = 0;
    std::size_t jobsWaiting = 0;
};

// A job's view of the queue while it runs on the worker thread.
class ITransferContext {
public:
    virtual bool Cancelled() const = 0;
    virtual const std::atomic<bool>& CancelFlag() const = 0;
    virtual void Report(const TransferProgress& progress) = 0;
    // Runs `question` on the UI thread with the owner its window should have and returns its
    // answer; `ifCancelled` when the job was cancelled before or while it was asked.
    virtual int Ask(const std::function<int(HWND owner)>& question, int ifCancelled) = 0;
    // The next number of the program-wide rename counter (which the UI thread owns).
    virtual int NextRenameNumber() = 0;

protected:
    ~ITransferContext() = default;
};

// Runs one job to its end on the worker thread (Transfer.cpp).
void RunTransferJob(const TransferJob& job, ITransferContext& context);

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
