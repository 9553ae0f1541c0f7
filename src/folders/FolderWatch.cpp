#include "folders/FolderWatch.h"

#include <dbt.h>
#include <winioctl.h>

namespace {
// Files added, removed or renamed (subfolders do not count) and files written. Access times
// are left out: the scans themselves would set them.
constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_CREATION;

// Whether `folder` lies on a drive that can be removed while the system runs (a stick, a card,
// a disk on USB): only such folders take device notices.
bool OnRemovableDrive(const std::wstring& folder) {
    if (folder.size() < 3 || folder[1] != L':') return false;  // a share has nothing to eject
    switch (GetDriveTypeW(folder.substr(0, 3).c_str())) {
    case DRIVE_REMOVABLE:
    case DRIVE_CDROM:
        return true;
    case DRIVE_FIXED:
        break;
    default:
        return false;
    }
    // Disks on USB and the like call themselves fixed, yet can be removed.
    OwnedHandle volume(CreateFileW((L"\\\\.\\" + folder.substr(0, 2)).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
    STORAGE_PROPERTY_QUERY query{StorageDeviceProperty, PropertyStandardQuery, {0}};
    STORAGE_DEVICE_DESCRIPTOR device{};
    DWORD bytes = 0;
    if (!volume || !DeviceIoControl(volume.Get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query, &device,
                                    sizeof device, &bytes, nullptr))
        return false;
    return device.RemovableMedia || device.BusType == BusTypeUsb || device.BusType == BusType1394 ||
           device.BusType == BusTypeSd || device.BusType == BusTypeMmc;
}
}  // namespace

FolderWatch::FolderWatch(std::shared_ptr<FolderWorkPool> pool, std::wstring folder, std::function<void()> changed,
                         std::function<void()> ended)
    : m_pool(std::move(pool)), m_strFolder(std::move(folder)), m_changed(std::move(changed)), m_ended(std::move(ended)) {}

FolderWatch::~FolderWatch() = default;

std::shared_ptr<FolderWatch> FolderWatch::Start(const std::shared_ptr<FolderWorkPool>& pool, const std::wstring& folder,
                                                HWND deviceWindow, std::function<void()> changed, std::function<void()> ended) {
    std::shared_ptr<FolderWatch> watch(new FolderWatch(pool, folder, std::move(changed), std::move(ended)));
    watch->m_self = watch;
    if (!pool->Submit([watch, deviceWindow] { watch->Open(deviceWindow); })) watch->Close();
    return watch;
}

void FolderWatch::Open(HWND deviceWindow) {
    // May take as long as a share takes to answer; nothing waits for it.
    OwnedHandle folder(CreateFileW(m_strFolder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
    OwnedDeviceNotify notify;
    if (folder && OnRemovableDrive(m_strFolder)) {
        DEV_BROADCAST_HANDLE filter{};
        filter.dbch_size = sizeof filter;
        filter.dbch_devicetype = DBT_DEVTYP_HANDLE;
        filter.dbch_handle = folder.Get();
        notify.Reset(RegisterDeviceNotificationW(deviceWindow, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
    }
    bool stopped = false;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_hFolder = std::move(folder);
        m_hNotify = std::move(notify);
        stopped = m_bStopping;
        if (!stopped && m_hFolder && m_pool->Bind(m_hFolder.Get()) && Read()) return;
    }
    Close();
    if (!stopped) m_ended();
}

bool FolderWatch::Read() {
    m_read.owner = this;
    m_read.done = &FolderWatch::OnRead;
    m_bReading = m_pool->StartIo(m_read, [this](OVERLAPPED* overlapped) {
        return ReadDirectoryChangesW(m_hFolder.Get(), m_buffer, sizeof m_buffer, FALSE, kChanges, nullptr, overlapped,
                                     nullptr) != FALSE;
    });
    return m_bReading;
}

void FolderWatch::OnRead(void* owner, DWORD error) {
    // Held to the end: Close lets the watch go.
    const std::shared_ptr<FolderWatch> watch = static_cast<FolderWatch*>(owner)->shared_from_this();
    // More changes than the buffer holds still mean "changed".
    const bool changed = error == ERROR_SUCCESS || error == ERROR_NOTIFY_ENUM_DIR;
    bool stopped = false, reading = false;
    {
        const std::lock_guard<std::mutex> lock(watch->m_mutex);
        watch->m_bReading = false;
        stopped = watch->m_bStopping;
        if (!stopped && changed) reading = watch->Read();
    }
    if (!reading) watch->Close();
    if (stopped) return;
    if (changed) watch->m_changed();
    if (!reading) watch->m_ended();
}

void FolderWatch::Close() {
    OwnedHandle folder;
    OwnedDeviceNotify notify;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        folder = std::move(m_hFolder);
        notify = std::move(m_hNotify);
    }
    // Outside the lock: closing a share's folder may take long, and Holds must not wait.
    notify.Reset();
    folder.Reset();
    SetEvent(m_hClosed.Get());
    m_self.reset();
}

void FolderWatch::Stop() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_bStopping) return;
    m_bStopping = true;
    // The read ends as cancelled and its completion closes the folder; an open still under
    // way sees m_bStopping when it returns.
    if (m_bReading) CancelIoEx(m_hFolder.Get(), &m_read.overlapped);
}

bool FolderWatch::StopAndWait(DWORD ms) {
    Stop();
    return WaitForSingleObject(m_hClosed.Get(), ms) == WAIT_OBJECT_0;
}

bool FolderWatch::Holds(HANDLE handle) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_hFolder && m_hFolder.Get() == handle;
}
