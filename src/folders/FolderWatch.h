#pragma once
// Watches one folder for files added, removed, renamed or written. The folder is opened on a
// FolderWorkPool thread (a share that does not answer may take long) and its changes arrive
// there; the caller never waits. The folder handle shares delete access (the folder can still
// be renamed or deleted while watched), and a folder on a removable drive is registered for
// the device notices of its volume, which the owner answers with StopAndWait.
#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "folders/FolderWorkPool.h"
#include "framework/Handles.h"

namespace handle_closers {
struct DeviceNotify {
    static void Close(HDEVNOTIFY h) { UnregisterDeviceNotification(h); }
    static HDEVNOTIFY Invalid() { return nullptr; }
};
}  // namespace handle_closers
using OwnedDeviceNotify = UniqueHandle<HDEVNOTIFY, handle_closers::DeviceNotify>;

class FolderWatch : public std::enable_shared_from_this<FolderWatch> {
public:
    // Starts watching `folder`. After each batch of changes `changed` runs on a pool thread;
    // `ended` runs there once when the watch ends by itself (the folder deleted, the volume
    // gone) or could not start. Neither runs for a watch stopped with Stop. `deviceWindow`
    // receives WM_DEVICECHANGE for the folder's volume.
    static std::shared_ptr<FolderWatch> Start(const std::shared_ptr<FolderWorkPool>& pool, const std::wstring& folder,
                                              HWND deviceWindow, std::function<void()> changed, std::function<void()> ended);
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Ends the watch without waiting: the folder is closed on a pool thread soon after.
    void Stop();
    // Stop, then waits at most `ms` for the folder to be closed (a volume about to be removed
    // must not find it open). True when it is closed.
    bool StopAndWait(DWORD ms);
    // Whether `handle` (from a device notice) is this watch's folder handle.
    bool Holds(HANDLE handle);

private:
    FolderWatch(std::shared_ptr<FolderWorkPool> pool, std::wstring folder, std::function<void()> changed,
                std::function<void()> ended);
    void Open(HWND deviceWindow);
    static void OnRead(void* owner, DWORD error);
    // Asks for the next batch of changes; the lock is held.
    bool Read();
    // Closes the folder and lets the watch go; the caller holds a reference of its own.
    void Close();

    const std::shared_ptr<FolderWorkPool> m_pool;
    const std::wstring m_strFolder;
    const std::function<void()> m_changed, m_ended;
    std::mutex m_mutex;
    bool m_bStopping = false;
    bool m_bReading = false;  // a read is under way: only its completion closes the folder
    OwnedHandle m_hFolder;
    OwnedDeviceNotify m_hNotify;  // unregistered before the folder is closed
    OwnedHandle m_hClosed{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::shared_ptr<FolderWatch> m_self;  // keeps the watch alive until its folder is closed
    FolderWorkPool::IoRequest m_read{};
    alignas(DWORD) BYTE m_buffer[1024];  // what changed is not read: any change means a rescan
};
