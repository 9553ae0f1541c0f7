#include "buttons/FolderWatch.h"

#include <dbt.h>

namespace {
// Files added, removed or renamed (subfolders do not count) and files written. Access times
// are left out: the scans themselves would set them.
constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_CREATION;
}  // namespace

FolderWatch::FolderWatch(std::wstring folder, HWND deviceWindow, std::function<void()> changed,
                         std::function<void()> ended)
    : m_strFolder(std::move(folder)), m_hDeviceWindow(deviceWindow), m_changed(std::move(changed)), m_ended(std::move(ended)) {}

FolderWatch::~FolderWatch() = default;

std::shared_ptr<FolderWatch> FolderWatch::Start(const std::wstring& folder, HWND deviceWindow,
                                                std::function<void()> changed, std::function<void()> ended) {
    std::shared_ptr<FolderWatch> watch(new FolderWatch(folder, deviceWindow, std::move(changed), std::move(ended)));
    watch->m_self = watch;
    if (!TrySubmitThreadpoolCallback(&FolderWatch::OnOpen, watch.get(), nullptr)) {
        watch->m_self.reset();
        SetEvent(watch->m_hClosed.Get());
    }
    return watch;
}

void CALLBACK FolderWatch::OnOpen(PTP_CALLBACK_INSTANCE, void* context) { static_cast<FolderWatch*>(context)->Open(); }

void FolderWatch::Open() {
    // May take as long as the share takes to answer; nothing waits for it.
    OwnedHandle folder(CreateFileW(m_strFolder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
    // Held to the end: TakeForClosing lets the watch go.
    const std::shared_ptr<FolderWatch> self = shared_from_this();
    bool failed = false;
    Ending ending;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (folder && !m_bStopping) {
            m_hFolder = std::move(folder);
            DEV_BROADCAST_HANDLE filter{};
            filter.dbch_size = sizeof filter;
            filter.dbch_devicetype = DBT_DEVTYP_HANDLE;
            filter.dbch_handle = m_hFolder.Get();
            m_hNotify = RegisterDeviceNotificationW(m_hDeviceWindow, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
            m_io = CreateThreadpoolIo(m_hFolder.Get(), &FolderWatch::OnRead, this, nullptr);
            if (m_io && Read()) return;
        }
        failed = !m_bStopping;
        ending = TakeForClosing();
    }
    Close(std::move(ending));
    if (failed) m_ended();
}

bool FolderWatch::Read() {
    StartThreadpoolIo(m_io);
    if (ReadDirectoryChangesW(m_hFolder.Get(), m_buffer, sizeof m_buffer, FALSE, kChanges, nullptr, &m_overlapped, nullptr))
        return true;
    CancelThreadpoolIo(m_io);
    return false;
}

void CALLBACK FolderWatch::OnRead(PTP_CALLBACK_INSTANCE, void* context, void*, ULONG result, ULONG_PTR, PTP_IO) {
    // Held to the end: the next read, asked for below, may end and let go on another thread.
    const std::shared_ptr<FolderWatch> watch = static_cast<FolderWatch*>(context)->shared_from_this();
    // More changes than the buffer holds still mean "changed".
    const bool changed = result == NO_ERROR || result == ERROR_NOTIFY_ENUM_DIR;
    bool stopped = false, reading = false;
    Ending ending;
    {
        const std::lock_guard<std::mutex> lock(watch->m_mutex);
        stopped = watch->m_bStopping;
        if (!stopped && changed) reading = watch->Read();
        if (!reading) ending = watch->TakeForClosing();
    }
    if (!reading) watch->Close(std::move(ending));
    if (stopped) return;
    if (changed) watch->m_changed();
    if (!reading) watch->m_ended();
}

FolderWatch::Ending FolderWatch::TakeForClosing() {
    Ending ending{m_hNotify, std::move(m_hFolder), m_io};
    m_hNotify = nullptr;
    m_io = nullptr;
    m_self.reset();
    return ending;
}

void FolderWatch::Close(Ending ending) {
    if (ending.notify) UnregisterDeviceNotification(ending.notify);
    ending.folder.Reset();
    // Freed once the callback this runs in (if any) has returned.
    if (ending.io) CloseThreadpoolIo(ending.io);
    SetEvent(m_hClosed.Get());
}

void FolderWatch::Stop() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_bStopping) return;
    m_bStopping = true;
    // The read ends as cancelled and its callback closes the folder; an open still under way
    // sees m_bStopping when it returns.
    if (m_io) CancelIoEx(m_hFolder.Get(), &m_overlapped);
}

bool FolderWatch::StopAndWait(DWORD ms) {
    Stop();
    return WaitForSingleObject(m_hClosed.Get(), ms) == WAIT_OBJECT_0;
}

bool FolderWatch::Holds(HANDLE handle) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_hFolder && m_hFolder.Get() == handle;
}
