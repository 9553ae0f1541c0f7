#pragma once
// CFolderMonitor: keeps the file counts and NEW marks of the shown page's folders up to date
// without ever making the bar wait. A button that shows its folder signs on with Watch (and
// off with Unwatch when its page is hidden or it goes), named by the window that shows it and its
// id there; the folder is then listed on a thread pool (FolderWorkPool) and watched for changes
// (FolderWatch), and each button on it is sent the figures (kFolderFiguresMessage) on the UI
// thread, paced (RescanPacing). Several buttons on one
// folder share one watch and one scan. While a transfer job writes into a folder, its changes
// wait for the job's end.
//
// It is the folders' one hidden top-level window, as broadcasts reach only those: it hands what
// moves "today" on (the clock set, a setting changed, the machine resuming) to its DayClock,
// and lets go of a watched folder whose volume is about to be removed (WM_DEVICECHANGE).
// Program icons come through it from its IconFetcher, on the same pool.
#include <windows.h>
#include <dbt.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "folders/DayClock.h"
#include "folders/FolderScan.h"
#include "folders/FolderWatch.h"
#include "folders/FolderWorkPool.h"
#include "folders/IconFetcher.h"
#include "folders/RescanPacing.h"
#include "framework/PrivateMessages.h"
#include "framework/UiCallbacks.h"
#include "framework/Wnd.h"

struct AppSettings;

// kFolderFiguresMessage is sent to the window of a watching button with its folder's figures:
// wParam is the button's id, lParam points to a FolderScan whose outcome is Listed or Missing (a failed scan sends nothing: the button keeps
// what it shows).
class CFolderMonitor : public CWnd {
public:
    // The current time (UTC) that "new" is counted from; the system's clock when empty.
    using Clock = DayClock::Clock;

    // `settings` (borrowed) gives "DaysNew".
    explicit CFolderMonitor(AppSettings& settings, Clock clock = nullptr);
    // Lets go of every folder without waiting for a scan or a watch that is still busy.
    ~CFolderMonitor() override;

    // Button `id` of `view` shows `folder`'s figures from now on: it gets them when its first
    // scan ends (at once when another button on the folder has them already), and again after
    // changes.
    void Watch(HWND view, UINT id, const std::wstring& folder);
    void Unwatch(HWND view, UINT id, const std::wstring& folder);
    // Lists a watched folder again at once (Refresh, a text note written into it).
    void Rescan(const std::wstring& folder);
    IconFetcher& Icons() { return m_icons; }
    // Something writes into `folder` (a transfer job): its changes wait until it has ended,
    // then the folder is listed once. Calls pair up; writers may overlap.
    void FolderWriteStarted(const std::wstring& folder);
    // Also when the writer failed or was cancelled: the folder may have changed all the same.
    void FolderWriteEnded(const std::wstring& folder);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnTimer(UINT_PTR id) override;

private:
    struct Folder;
    struct FolderLess {
        bool operator()(const std::wstring& a, const std::wstring& b) const;
    };
    using FolderMap = std::map<std::wstring, Folder, FolderLess>;

    void StartScan(const std::wstring& folder, Folder& state);
    void OnScanned(const std::wstring& folder, unsigned id, const FolderScan& scan);
    void OnChanged(const std::wstring& folder, unsigned id);
    void OnWatchEnded(const std::wstring& folder, unsigned id);
    void ScanDueFolders();
    void SchedulePacedScans();
    // The NEW marks count in local days: a new day rescans everything.
    void OnTimeMoved();
    void OnDeviceChange(WPARAM event, const DEV_BROADCAST_HDR* header);
    FolderMap::iterator Find(const std::wstring& folder, unsigned id);
    bool Writing(const std::wstring& folder) const;

    AppSettings& m_settings;
    DayClock m_day;
    std::map<std::wstring, int, FolderLess> m_writing;  // folders jobs write into, with their count
    unsigned m_nNextId = 1;
    FolderMap m_folders;  // watched folders
    std::shared_ptr<FolderWorkPool> m_pool = FolderWorkPool::Create();
    // What the watches and scans report reaches this monitor only while it lives.
    CUiCallbacks<CFolderMonitor> m_callbacks{*this};
    IconFetcher m_icons{m_pool, m_callbacks.DispatcherWindow()};
};
