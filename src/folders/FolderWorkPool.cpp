#include "folders/FolderWorkPool.h"

#include <algorithm>

namespace {
enum PacketKey : ULONG_PTR { kWork = 1, kIo, kWake };
// Work that has run this long holds its thread up: Grow may add one. A thread added so ends
// after kIdleMs without a packet; the first one stays, for the changes of watched folders.
constexpr ULONGLONG kSlowMs = 250;
constexpr DWORD kIdleMs = 2000;
constexpr int kMostThreads = 64;
}  // namespace

std::shared_ptr<FolderWorkPool> FolderWorkPool::Create() { return std::shared_ptr<FolderWorkPool>(new FolderWorkPool()); }

bool FolderWorkPool::StartThread() {
    auto* held = new std::shared_ptr<FolderWorkPool>(shared_from_this());
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
    return true;
}

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
    if (!held && m_nWaiting > 0 && m_nThreads == 0) StartThread();
}

bool FolderWorkPool::Busy() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_nWaiting > 0 || !m_running.empty();
}

void FolderWorkPool::Grow() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    const ULONGLONG now = GetTickCount64();
    const bool slow = std::any_of(m_running.begin(), m_running.end(), [now](ULONGLONG began) { return now - began >= kSlowMs; });
    // Every thread is busy and one of them for long: work and changes may be waiting behind it.
    if (slow && m_nThreads <= static_cast<int>(m_running.size()) && m_nThreads < kMostThreads && !m_bQuitting) StartThread();
}

void FolderWorkPool::Quit() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_bQuitting = true;
    for (int i = 0; i < m_nThreads; ++i) PostQueuedCompletionStatus(m_hPort.Get(), 0, kWake, nullptr);
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
