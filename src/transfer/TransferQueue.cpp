#include "transfer/TransferQueue.h"

#include <algorithm>
#include <vector>

#include "transfer/TransferProgressDlg.h"
#include "framework/Handles.h"
#include "framework/OleDropTarget.h"
#include "settings/Settings.h"

namespace {
// Progress reaches the window at most this often; more would only cost the UI thread.
constexpr ULONGLONG kProgressEveryMs = 100;
// How long ending the bar waits for a stopped job before it leaves the worker behind.
constexpr DWORD kStopWaitMs = 10000;

// The visible dialog windows of this thread owned by `owner`, other than `except`.
std::vector<HWND> DialogsOwnedBy(HWND owner, HWND except) {
    struct Search {
        HWND owner, except;
        std::vector<HWND> found;
    } search{owner, except, {}};
    EnumThreadWindows(GetCurrentThreadId(), [](HWND wnd, LPARAM lp) -> BOOL {
        auto& in = *reinterpret_cast<Search*>(lp);
        if (wnd == in.except || GetWindow(wnd, GW_OWNER) != in.owner || !IsWindowVisible(wnd)) return TRUE;
        wchar_t name[16] = {};
        GetClassNameW(wnd, name, 16);
        if (std::wstring(name) == L"#32770") in.found.push_back(wnd);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
}  // namespace

struct CTransferQueue::Shared {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<TransferJob> jobs;
    bool running = false;
    bool stop = false;
    std::atomic<bool> cancel{false};
    HWND dispatcher = nullptr;           // the queue's dispatcher window; gone with the queue
    CWeakRef<CTransferQueue> queue;      // read only inside work run by the dispatcher
    varolin::RenameCounter* renameCounter = nullptr;  // the settings'; they outlive the queue
    OwnedHandle idle{CreateEventW(nullptr, TRUE, TRUE, nullptr)};
    // The worker's one question at a time, guarded by `mutex`. The worker waits while it is
    // posted or shown; a cancel withdraws a question not shown yet.
    QuestionState questionState = QuestionState::None;
    std::uint64_t questionId = 0;                              // names the posted question
    const std::function<int(HWND)>* question = nullptr;        // on the waiting worker's stack
    int answer = 0;

    // From any thread: `work` runs with the queue on the UI thread, unless the queue has gone by
    // then (a worker left behind by the bar's end).
    template <class Work>
    bool PostToQueue(Work work) {
        return CUiDispatcher::PostTo(dispatcher, [queue = queue, work = std::move(work)] {
            if (CTransferQueue* alive = queue.Get()) work(*alive);
        });
    }
};

class CTransferQueue::Context : public ITransferContext {
public:
    explicit Context(std::shared_ptr<Shared> shared) : m_shared(std::move(shared)) {}

    bool Cancelled() const override { return m_shared->cancel.load(); }
    const std::atomic<bool>& CancelFlag() const override { return m_shared->cancel; }

    void Report(const TransferProgress& progress) override {
        // Not once per file either: a thousand small files would cost the UI thread a thousand
        // updates of a window nobody can read that fast.
        const ULONGLONG now = GetTickCount64();
        if (now - m_lastReport < kProgressEveryMs) return;
        m_lastReport = now;
        TransferProgress shown = progress;
        {
            const std::lock_guard<std::mutex> lock(m_shared->mutex);
            shown.jobsWaiting = m_shared->jobs.size();
        }
        m_shared->PostToQueue([shown](CTransferQueue& queue) { queue.OnProgress(shown); });
    }

    // Posted, never sent: a sent message runs inside whatever the UI thread is in, a drop
    // from another program among them, and the question would hold that program's drag.
    int Ask(const std::function<int(HWND owner)>& question, int ifCancelled) override {
        Shared& shared = *m_shared;
        std::uint64_t id = 0;
        {
            const std::lock_guard<std::mutex> lock(shared.mutex);
            if (shared.cancel || shared.stop) return ifCancelled;
            id = ++shared.questionId;
            shared.question = &question;
            shared.questionState = QuestionState::Posted;
        }
        const bool posted = shared.PostToQueue([id](CTransferQueue& queue) { queue.OnQuestionPosted(id); });
        std::unique_lock<std::mutex> lock(shared.mutex);
        if (!posted) shared.questionState = QuestionState::None;
        shared.wake.wait(lock, [&] {
            return shared.questionState == QuestionState::None || shared.questionState == QuestionState::Answered;
        });
        const bool answered = shared.questionState == QuestionState::Answered;
        shared.questionState = QuestionState::None;
        shared.question = nullptr;
        return answered && !shared.cancel ? shared.answer : ifCancelled;
    }

    int NextRenameNumber() override { return m_shared->renameCounter->Next(); }

private:
    std::shared_ptr<Shared> m_shared;
    ULONGLONG m_lastReport = 0;
};

CTransferQueue::CTransferQueue(AppSettings& settings, std::function<HWND()> owner)
    : m_settings(settings), m_owner(std::move(owner)), m_shared(std::make_shared<Shared>()) {
    m_shared->queue = m_life.Ref(this);
    m_shared->renameCounter = &m_settings.renameCounter;
}

CTransferQueue::~CTransferQueue() {
    CancelAndWait();
    // From here on, what the worker posted or still posts is dropped, not run on a queue going.
    m_life.End();
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->stop = true;
    }
    m_shared->wake.notify_all();
    // A worker stuck in a file call that never returns (a share gone away) is left behind: it
    // owns what it uses, and the process ends without it.
    if (m_worker.joinable()) {
        if (WaitForSingleObject(m_shared->idle.Get(), 0) == WAIT_OBJECT_0) m_worker.join();
        else m_worker.detach();
    }
    if (m_progress && m_progress->m_hWnd) m_progress->DestroyWindow();
}

void CTransferQueue::Add(TransferJob job) {
    // Started with the first drop: an idle thread costs memory (a megabyte under Wine), and
    // most sessions drop nothing.
    // The worker's window for reporting back comes with it, for the same reason.
    if (!m_worker.joinable()) {
        m_dispatcher.emplace();
        m_shared->dispatcher = m_dispatcher->Window();
        m_worker = std::thread(&CTransferQueue::WorkerLoop, m_shared);
    }
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->jobs.push_back(std::move(job));
        ResetEvent(m_shared->idle.Get());
    }
    m_shared->wake.notify_one();
}

bool CTransferQueue::Busy() const {
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    return m_shared->running || !m_shared->jobs.empty();
}

void CTransferQueue::CancelAndWait() {
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->jobs.clear();
        if (!m_shared->running) return;
        m_shared->cancel = true;
    }
    OnCancelPressed();
    // A question open below this call can only close once it returns: then the job ends by
    // itself right after, and waiting here would only hold that up.
    if (m_questionsOpen > 0) return;
    const ULONGLONG until = GetTickCount64() + kStopWaitMs;
    HANDLE idle = m_shared->idle.Get();
    while (WaitForSingleObject(idle, 0) != WAIT_OBJECT_0 && GetTickCount64() < until) {
        if (MsgWaitForMultipleObjects(1, &idle, FALSE, 100, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
}

HWND CTransferQueue::QuestionOwner() {
    HWND owner = m_owner ? m_owner() : nullptr;
    if (!owner) return nullptr;
    // The drop returned long ago and another program may be in front: come forward the way
    // the system allows, and flash where it does not, so the question never waits unseen.
    if (GetForegroundWindow() != owner && !SetForegroundWindow(owner)) {
        FLASHWINFO flash{sizeof(flash), owner, FLASHW_ALL | FLASHW_TIMERNOFG, 0, 0};
        FlashWindowEx(&flash);
    }
    return owner;
}

void CTransferQueue::OnQuestionPosted(std::uint64_t id) {
    const std::function<int(HWND)>* question = nullptr;
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        if (m_shared->questionId != id || m_shared->questionState != QuestionState::Posted) return;
        if (!InsideDrop()) {
            m_shared->questionState = QuestionState::Shown;
            question = m_shared->question;
        }
    }
    if (!question) {
        // A drop's own menu or dialog is open: asked again as soon as the drop has returned.
        DeferUntilDropReturns([shared = m_shared, id] {
            const std::lock_guard<std::mutex> lock(shared->mutex);
            if (shared->questionId == id && shared->questionState == QuestionState::Posted)
                shared->PostToQueue([id](CTransferQueue& queue) { queue.OnQuestionPosted(id); });
        });
        return;
    }
    const std::optional<int> answer = ShowQuestion(*question);
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->answer = answer.value_or(0);
        m_shared->questionState = answer ? QuestionState::Answered : QuestionState::None;
    }
    m_shared->wake.notify_all();
}

std::optional<int> CTransferQueue::ShowQuestion(const std::function<int(HWND)>& question) {
    ++m_questionsOpen;
    const HWND previous = GetForegroundWindow();
    const HWND owner = QuestionOwner();
    // What the user had open before (About, the options) is not the job's to close.
    m_dialogsBeforeQuestion = DialogsOwnedBy(owner, nullptr);
    std::optional<int> answer;
    // A question that failed counts as not answered; nothing leaves the message's handler.
    try {
        answer = question(owner);
    } catch (...) {
    }
    --m_questionsOpen;
    // Whoever the question came in front of gets the foreground back.
    if (owner && previous && previous != owner && IsWindow(previous) && GetForegroundWindow() == owner)
        SetForegroundWindow(previous);
    return answer;
}

void CTransferQueue::OnProgress(const TransferProgress& progress) {
    if (m_progress) m_progress->Update(progress);
}

void CTransferQueue::OnJobStarted(const std::wstring& folder) {
    if (m_listener) m_listener->OnFolderWriteStarted(folder);
    if (!m_progress) {
        m_progress = std::make_unique<CTransferProgressDlg>([queue = m_life.Ref(this)] {
            if (CTransferQueue* alive = queue.Get()) alive->OnCancelPressed();
        });
    }
    m_progress->JobStarted(m_owner ? m_owner() : nullptr);
}

void CTransferQueue::OnJobEnded(const std::wstring& folder) {
    bool more = false;
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        more = !m_shared->jobs.empty();
    }
    if (m_progress && !more) m_progress->JobEnded();
    // The folder's buttons, wherever they are, get its figures again.
    if (m_listener) m_listener->OnFolderWriteEnded(folder);
}

void CTransferQueue::OnCancelPressed() {
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->cancel = true;
        // A question posted but not shown yet is withdrawn: the worker stops waiting for it.
        if (m_shared->questionState == QuestionState::Posted) m_shared->questionState = QuestionState::None;
    }
    m_shared->wake.notify_all();
    // A question the job has open is answered as "stop this file"; the job then ends.
    const HWND owner = m_owner ? m_owner() : nullptr;
    if (!owner || m_questionsOpen == 0) return;
    for (HWND dialog : DialogsOwnedBy(owner, m_progress ? m_progress->m_hWnd : nullptr)) {
        if (std::find(m_dialogsBeforeQuestion.begin(), m_dialogsBeforeQuestion.end(), dialog) != m_dialogsBeforeQuestion.end())
            continue;
        // Cancel ends the same-name dialog and OK-only boxes; a Yes/No box has no Cancel, so No.
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        if (IsWindow(dialog)) SendMessageW(dialog, WM_COMMAND, IDNO, 0);
    }
}

void CTransferQueue::WorkerLoop(std::shared_ptr<Shared> shared) {
    for (;;) {
        TransferJob job;
        {
            std::unique_lock<std::mutex> lock(shared->mutex);
            shared->running = false;
            if (shared->jobs.empty()) SetEvent(shared->idle.Get());
            shared->wake.wait(lock, [&] { return shared->stop || !shared->jobs.empty(); });
            if (shared->stop) return;
            job = std::move(shared->jobs.front());
            shared->jobs.pop_front();
            shared->running = true;
            shared->cancel = false;
        }
        shared->PostToQueue([folder = job.folder](CTransferQueue& queue) { queue.OnJobStarted(folder); });
        Context context(shared);
        // A job that runs out of memory ends alone; the worker and the bar go on.
        try {
            RunTransferJob(job, context);
        } catch (...) {
        }
        shared->PostToQueue([folder = job.folder](CTransferQueue& queue) { queue.OnJobEnded(folder); });
    }
}
