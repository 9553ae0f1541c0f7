#pragma once
// CFolderMonitor: keeps the file counts and NEW marks of the shown page's folders up to date
// without ever making the bar wait. A button that shows its folder signs on with Watch (and
// off with Unwatch when its page is hidden or it goes); the folder is then listed on a thread
// pool (FolderWorkPool) and watched for changes (FolderWatch), and each button on it is sent the figures
// (kFolderFiguresMessage) on the UI thread. Several buttons on one folder share one watch and
// one scan. While a transfer job writes into a folder, its changes wait for the job's end.
//
// It is a hidden top-level window, so that it hears what moves "today" on: the clock set
// (WM_TIMECHANGE), the time zone (WM_SETTINGCHANGE, and an hourly look) and the machine
// resuming (WM_POWERBROADCAST); local midnight is its own timer. It also hears when the volume of a watched folder is about to be removed
// (WM_DEVICECHANGE), and lets go of the folder.
#include <windows.h>
#include <dbt.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "folders/FolderScan.h"
#include "folders/FolderWatch.h"
#include "folders/FolderWorkPool.h"
#include "folders/RescanPacing.h"
#include "framework/PrivateMessages.h"
#include "framework/UiDispatcher.h"
#include "framework/Wnd.h"

struct AppSettings;

// kFolderFiguresMessage is sent to a watching button with its folder's figures: lParam points to
// a FolderScan whose outcome is Listed or Missing (a failed scan sends nothing: the button keeps
// what it shows).
// kProgramIconMessage is sent to a button with an icon it asked for (CFolderMonitor::FetchIcon):
// lParam points to a FetchedIcon, whose icon is null when there is none. A button that takes the
// icon returns TRUE; otherwise it is destroyed.
struct FetchedIcon {
    std::wstring path;
    int size = 0;
    HICON icon = nullptr;
};

class CFolderMonitor : public CWnd {
public:
    // The current time (UTC) that "new" is counted from; the system's clock when empty.
    using Clock = std::function<FILETIME()>;

    // `settings` (borrowed) gives "DaysNew".
    explicit CFolderMonitor(AppSettings& settings, Clock clock = nullptr);
    // Lets go of every folder without waiting for a scan or a watch that is still busy.
    ~CFolderMonitor() override;

    // `button` shows `folder`'s figures from now on: it gets them when its first scan ends (at
    // once when another button on the folder has them already), and again after changes.
    void Watch(HWND button, const std::wstring& folder);
    void Unwatch(HWND button, const std::wstring& folder);
    // Lists a watched folder again at once (Refresh, a text note written into it).
    void Rescan(const std::wstring& folder);
    // Loads the icon of the file `path` at `size` pixels in the background, as the folders are
    // listed (a program on a share that does not answer must not hold up the bar), and sends
    // it to `button` if it is still there.
    void FetchIcon(HWND button, const std::wstring& path, int size);
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
    // Work went to the pool: it is looked at while busy, so that slow work lets it grow.
    void WatchPool();
    void ScanDueFolders();
    void SchedulePacedScans();
    // The NEW marks count in local days: a new day rescans everything.
    void OnTimeMoved();
    void ScheduleDayCheck();
    // What of the clock the marks depend on: the local day, and the local time's offset from
    // UTC (the day of each file's time).
    std::pair<std::int64_t, std::int64_t> LocalDayAndOffset() const;
    void OnDeviceChange(WPARAM event, const DEV_BROADCAST_HDR* header);
    FolderMap::iterator Find(const std::wstring& folder, unsigned id);
    bool Writing(const std::wstring& folder) const;
    FILETIME Now() const;

    AppSettings& m_settings;
    Clock m_clock;
    std::map<std::wstring, int, FolderLess> m_writing;  // folders jobs write into, with their count
    std::pair<std::int64_t, std::int64_t> m_dayAndOffset;  // when the marks were taken
    unsigned m_nNextId = 1;
    bool m_bPoolTimer = false;
    FolderMap m_folders;  // watched folders
    std::shared_ptr<FolderWorkPool> m_pool = FolderWorkPool::Create();
    CUiDispatcher m_dispatcher;  // last: gone first, with what workers posted and nobody ran
};
