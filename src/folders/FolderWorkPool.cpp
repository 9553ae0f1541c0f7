#include "folders/FolderWorkPool.h"

#include <algorithm>

namespace {
enum PacketKey : ULONG_PTR { kWork = 1, kIo, kWake };
// Work that has run this long holds its thread up: Grow may add one. A thread added so ends
// after kIdleMs without a packet; the first one stays, for the changes of watched folders.
constexpr ULONGLONG kSlowMs = 250;
constexpr ULONGLONG kLookMs = 250;
constexpr DWORD kIdleMs = 2000;
constexpr int kMostThreads = 64;
}  // namespace

std::shared_ptr<FolderWorkPool> FolderWorkPool::Create() {
    return std::shared_ptr<FolderWorkPool>(new FolderWorkPool());
}

bool FolderWorkPool::StartThread() {
    std::shared_ptr<FolderWorkPool> self = weak_from_this().lock();
    if (!self) return false;  // going: a last look of the growth timer starts nothing
    auto* held = new std::shared_ptr<FolderWorkPool>(std::move(self));
    // Never joined: see the header.
    HANDLE thread = CreateThread(nullptr, 0, &FolderWorkPool::Loop, held, 0, nullptr);
    if (!thread) {
        delete held;
        return false;
    }
    CloseHandle(thread);
    ++m_nThreads;
    return true;
}

bool FolderWorkPool::Submit(std::function<void()> work) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_bQuitting || !m_hPort || (m_nThreads == 0 && !m_bHeld && !StartThread())) return false;
    auto* packet = new std::function<void()>(std::move(work));
    if (!PostQueuedCompletionStatus(m_hPort.Get(), 0, kWork, reinterpret_cast<OVERLAPPED*>(packet))) {
        delete packet;
        return false;
    }
    ++m_nWaiting;
    LookSoon();
    return true;
}

void FolderWorkPool::LookSoon() {
    if (m_bLookSet || m_bHeld || m_bQuitting) return;
    // Made with the first work to look after, so that a bar without buttons never starts the
    // queue's thread; it looks every kLookMs until Look finds nothing left to look after.
    HANDLE timer = nullptr;
    if (!CreateTimerQueueTimer(&timer, nullptr, &FolderWorkPool::OnLook, this, static_cast<DWORD>(kLookMs),
                               static_cast<DWORD>(kLookMs), WT_EXECUTEINTIMERTHREAD))
        return;
    m_lookTimer.Reset(timer);
    m_bLookSet = true;
}

void CALLBACK FolderWorkPool::OnLook(void* context, BOOLEAN) { static_cast<FolderWorkPool*>(context)->Look(); }

bool FolderWorkPool::Bind(HANDLE file) { return m_hPort && CreateIoCompletionPort(file, m_hPort.Get(), kIo, 0) != nullptr; }

bool FolderWorkPool::StartIo(IoRequest& request, const std::function<bool(OVERLAPPED*)>& start) {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_bQuitting) return false;
        ++m_nIo;
    }
    request.overlapped = {};
    if (start(&request.overlapped)) return true;
    const std::lock_guard<std::mutex> lock(m_mutex);
    --m_nIo;
    return false;
}

void FolderWorkPool::Hold(bool held) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_bHeld = held;
    if (held || m_nWaiting == 0) return;
    if (m_nThreads == 0) StartThread();
    LookSoon();
}

void FolderWorkPool::Look() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_bQuitting || !m_bLookSet) return;  // a look of a timer already let go
    const ULONGLONG now = GetTickCount64();
    const bool slow = std::any_of(m_running.begin(), m_running.end(), [now](ULONGLONG began) { return now - began >= kSlowMs; });
    // Every thread is busy and one of them for long: work and changes may be waiting behind it.
    if (slow && m_nThreads <= static_cast<int>(m_running.size()) && m_nThreads < kMostThreads) StartThread();
    if (m_nWaiting > 0 || !m_running.empty()) return;
    // Nothing to look after: the timer ends here, without waiting for its own callback.
    DeleteTimerQueueTimer(nullptr, m_lookTimer.Release(), nullptr);
    m_bLookSet = false;
}

void FolderWorkPool::Quit() {
    OwnedQueueTimer timer;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_bQuitting = true;
        timer = std::move(m_lookTimer);
        for (int i = 0; i < m_nThreads; ++i) PostQueuedCompletionStatus(m_hPort.Get(), 0, kWake, nullptr);
    }
    // Closed outside the lock: a look under way takes it.
}

DWORD WINAPI FolderWorkPool::Loop(void* context) {
    const std::unique_ptr<std::shared_ptr<FolderWorkPool>> held(static_cast<std::shared_ptr<FolderWorkPool>*>(context));
    FolderWorkPool& pool = **held;
    for (;;) {
        DWORD timeout = INFINITE;
        {
            const std::lock_guard<std::mutex> lock(pool.m_mutex);
            if (pool.m_nThreads > 1) timeout = kIdleMs;
        }
        DWORD bytes = 0;
        ULONG_PTR key = 0;
        OVERLAPPED* overlapped = nullptr;
        const BOOL got = GetQueuedCompletionStatus(pool.m_hPort.Get(), &bytes, &key, &overlapped, timeout);
        if (!pool.Handle(got, key, overlapped)) return 0;
    }
}

bool FolderWorkPool::Handle(BOOL got, ULONG_PTR key, OVERLAPPED* overlapped) {
    const DWORD error = got ? ERROR_SUCCESS : GetLastError();
    if (overlapped && key == kWork) {
        const std::unique_ptr<std::function<void()>> work(reinterpret_cast<std::function<void()>*>(overlapped));
        std::multiset<ULONGLONG>::iterator began;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            --m_nWaiting;
            began = m_running.insert(GetTickCount64());
        }
        (*work)();
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_running.erase(began);
        return true;
    }
    if (overlapped && key == kIo) {
        auto* request = reinterpret_cast<IoRequest*>(overlapped);
        request->done(request->owner, error);
        const std::lock_guard<std::mutex> lock(m_mutex);
        --m_nIo;
    }
    const std::lock_guard<std::mutex> lock(m_mutex);
    const bool idleTooLong = !overlapped && error == WAIT_TIMEOUT && m_nThreads > 1;
    const bool quitDone = m_bQuitting && m_nIo == 0 && m_nWaiting == 0;
    if (!idleTooLong && !quitDone) return true;
    --m_nThreads;
    // The others may be waiting for a packet that will not come.
    if (quitDone && m_nThreads > 0) PostQueuedCompletionStatus(m_hPort.Get(), 0, kWake, nullptr);
    return false;
}
