#pragma once
// Watches one folder for files added, removed, renamed or written, on the system thread pool:
// opening the folder, waiting for its changes and closing it all happen on pool threads, so a
// share that does not answer holds up neither the caller nor other watches. The folder handle
// shares delete access (the folder can still be renamed or deleted while watched) and is
// registered for the device notices of its volume, which the owner answers with StopAndWait.
#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "framework/Handles.h"

class FolderWatch : public std::enable_shared_from_this<FolderWatch> {
public:
    // Starts watching `folder`. After each batch of changes `changed` runs on a pool thread;
    // `ended` runs there once when the watch ends by itself (the folder deleted, the volume
    // gone) or could not start. Neither runs for a watch stopped with Stop. `deviceWindow`
    // receives WM_DEVICECHANGE for the folder's volume.
    static std::shared_ptr<FolderWatch> Start(const std::wstring& folder, HWND deviceWindow,
                                              std::function<void()> changed, std::function<void()> ended);
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
    FolderWatch(std::wstring folder, HWND deviceWindow, std::function<void()> changed, std::function<void()> ended);
    static void CALLBACK OnOpen(PTP_CALLBACK_INSTANCE, void* context);
    static void CALLBACK OnRead(PTP_CALLBACK_INSTANCE, void* context, void* overlapped, ULONG result,
                                ULONG_PTR bytes, PTP_IO io);
    void Open();
    // Asks for the next batch of changes; the lock is held.
    bool Read();
    // What closes when the watch ends: taken out under the lock, closed after it, since closing
    // a share's folder may take long and nobody may wait for that.
    struct Ending {
        HDEVNOTIFY notify = nullptr;
        OwnedHandle folder;
        PTP_IO io = nullptr;
    };
    // The lock is held, by a caller with a reference of its own: the watch lets itself go.
    Ending TakeForClosing();
    void Close(Ending ending);

    const std::wstring m_strFolder;
    const HWND m_hDeviceWindow;
    const std::function<void()> m_changed, m_ended;
    std::mutex m_mutex;
    bool m_bStopping = false;
    OwnedHandle m_hFolder;
    HDEVNOTIFY m_hNotify = nullptr;  // owned: unregistered before the folder is closed
    PTP_IO m_io = nullptr;           // owned: closed with the folder
    OwnedHandle m_hClosed{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::shared_ptr<FolderWatch> m_self;  // keeps the watch alive while pool work is pending
    OVERLAPPED m_overlapped{};
    alignas(DWORD) BYTE m_buffer[1024];   // what changed is not read: any change means a rescan
};
