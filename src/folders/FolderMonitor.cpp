#include "folders/FolderMonitor.h"

#include <dbt.h>

#include <algorithm>
#include <utility>

#include "settings/Settings.h"

namespace {
const wchar_t kClassName[] = L"VarolinFolderMonitor";
constexpr UINT_PTR kPacingTimer = 1;
constexpr UINT_PTR kDayTimer = 2;
constexpr UINT_PTR kStartTimer = 3;
// How long a volume about to be removed waits for a watched folder on it to close.
constexpr DWORD kVolumeCloseWaitMs = 2000;

void RegisterClassOnce() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &CWnd::StaticWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClassName;
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
}
}  // namespace

struct CFolderMonitor::Folder {
    unsigned id = 0;  // its scans and its watch report with it: a folder watched anew has a new one
    std::vector<std::pair<HWND, UINT>> buttons;  // each button's window and id
    std::shared_ptr<FolderWatch> watch;
    varolin::RescanPacing pacing;
    bool scanning = false;
    bool rescanNow = false;  // asked for while a scan ran
    bool hasFigures = false;
    FolderScan figures;
};

bool CFolderMonitor::FolderLess::operator()(const std::wstring& a, const std::wstring& b) const {
    // Folder names compare as the file system does: "C:\Docs\" and "c:\docs\" are one folder.
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_LESS_THAN;
}

CFolderMonitor::CFolderMonitor(AppSettings& settings, Clock clock) : m_settings(settings), m_day(std::move(clock)) {
    RegisterClassOnce();
    CreateEx(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, RECT{}, nullptr, 0);
    m_day.Start(m_hWnd, kDayTimer);
    // The first work waits until the bar has come up and painted (timers come last).
    m_pool->Hold(true);
    SetTimer(m_hWnd, kStartTimer, USER_TIMER_MINIMUM, nullptr);
}

CFolderMonitor::~CFolderMonitor() {
    // Scans still running end unseen: m_callbacks drops what they report.
    for (auto& entry : m_folders)
        if (entry.second.watch) entry.second.watch->Stop();
    m_pool->Quit();
}

CFolderMonitor::FolderMap::iterator CFolderMonitor::Find(const std::wstring& folder, unsigned id) {
    const auto it = m_folders.find(folder);
    return it != m_folders.end() && it->second.id == id ? it : m_folders.end();
}

bool CFolderMonitor::Writing(const std::wstring& folder) const { return m_writing.count(folder) > 0; }

void CFolderMonitor::Watch(HWND view, UINT buttonId, const std::wstring& folder) {
    auto [it, added] = m_folders.try_emplace(folder);
    Folder& state = it->second;
    const std::pair button(view, buttonId);
    if (std::find(state.buttons.begin(), state.buttons.end(), button) == state.buttons.end()) state.buttons.push_back(button);
    if (!added) {
        if (state.hasFigures) ::SendMessageW(view, kFolderFiguresMessage, buttonId, reinterpret_cast<LPARAM>(&state.figures));
        return;
    }
    state.id = m_nNextId++;
    // The watch reports on pool threads; what it reports is handled here, on this thread.
    const auto link = m_callbacks.GetLink();
    const unsigned id = state.id;
    state.watch = FolderWatch::Start(
        m_pool, folder, m_hWnd,
        [link, folder, id] { link.Post([folder, id](CFolderMonitor& monitor) { monitor.OnChanged(folder, id); }); },
        [link, folder, id] { link.Post([folder, id](CFolderMonitor& monitor) { monitor.OnWatchEnded(folder, id); }); });
    StartScan(folder, state);
}

void CFolderMonitor::Unwatch(HWND view, UINT buttonId, const std::wstring& folder) {
    const auto it = m_folders.find(folder);
    if (it == m_folders.end()) return;
    std::erase(it->second.buttons, std::pair(view, buttonId));
    if (!it->second.buttons.empty()) return;
    if (it->second.watch) it->second.watch->Stop();
    m_folders.erase(it);
}

void CFolderMonitor::Rescan(const std::wstring& folder) {
    const auto it = m_folders.find(folder);
    if (it == m_folders.end()) return;
    if (it->second.scanning) it->second.rescanNow = true;
    else StartScan(it->first, it->second);
}

void CFolderMonitor::StartScan(const std::wstring& folder, Folder& state) {
    state.scanning = true;
    state.rescanNow = false;
    state.pacing.Started(GetTickCount64());
    const auto link = m_callbacks.GetLink();
    const unsigned id = state.id;
    const int daysNew = m_settings.nDaysNew;
    const FILETIME now = m_day.Now();
    const bool queued = m_pool->Submit([link, folder, id, daysNew, now] {
        const FolderScan scan = ScanFolderAt(folder, daysNew, now);
        link.Post([folder, id, scan](CFolderMonitor& monitor) { monitor.OnScanned(folder, id, scan); });
    });
    if (!queued)
        link.Post([folder, id](CFolderMonitor& monitor) { monitor.OnScanned(folder, id, FolderScan{0, false, ScanOutcome::Failed}); });
}

void CFolderMonitor::OnScanned(const std::wstring& folder, unsigned id, const FolderScan& scan) {
    auto it = Find(folder, id);
    if (it == m_folders.end()) return;  // nobody shows the folder any more
    it->second.scanning = false;
    it->second.pacing.Ended(GetTickCount64());
    if (scan.outcome != ScanOutcome::Failed) {
        it->second.figures = scan;
        it->second.hasFigures = true;
        const auto buttons = it->second.buttons;
        for (const auto& [view, button] : buttons)
            ::SendMessageW(view, kFolderFiguresMessage, button, reinterpret_cast<LPARAM>(&scan));
        it = Find(folder, id);
        if (it == m_folders.end()) return;
    }
    if (it->second.rescanNow) StartScan(it->first, it->second);
    SchedulePacedScans();
}

void CFolderMonitor::OnChanged(const std::wstring& folder, unsigned id) {
    const auto it = Find(folder, id);
    // A job writing into the folder asks for one rescan when it ends.
    if (it == m_folders.end() || Writing(folder)) return;
    it->second.pacing.Changed(GetTickCount64());
    SchedulePacedScans();
}

void CFolderMonitor::OnWatchEnded(const std::wstring& folder, unsigned id) {
    const auto it = Find(folder, id);
    if (it == m_folders.end()) return;
    // The folder went (or could not be watched): one more look tells what it holds now.
    it->second.watch.reset();
    it->second.pacing.Changed(GetTickCount64());
    SchedulePacedScans();
}

void CFolderMonitor::ScanDueFolders() {
    const std::uint64_t now = GetTickCount64();
    for (auto& [folder, state] : m_folders) {
        if (state.scanning || Writing(folder)) continue;
        const auto due = state.pacing.DueAt();
        if (due && *due <= now) StartScan(folder, state);
    }
    SchedulePacedScans();
}

void CFolderMonitor::SchedulePacedScans() {
    std::uint64_t earliest = UINT64_MAX;
    for (const auto& [folder, state] : m_folders) {
        if (state.scanning || Writing(folder)) continue;
        if (const auto due = state.pacing.DueAt()) earliest = std::min(earliest, *due);
    }
    if (earliest == UINT64_MAX) {
        KillTimer(m_hWnd, kPacingTimer);
        return;
    }
    const std::uint64_t now = GetTickCount64();
    SetTimer(m_hWnd, kPacingTimer, static_cast<UINT>(std::clamp<std::uint64_t>(earliest > now ? earliest - now : 0, 1, 60000)),
             nullptr);
}

void CFolderMonitor::OnTimeMoved() {
    for (auto& [folder, state] : m_folders) {
        if (state.scanning) state.rescanNow = true;
        else StartScan(folder, state);
    }
}

void CFolderMonitor::OnTimer(UINT_PTR id) {
    KillTimer(m_hWnd, id);
    if (id == kStartTimer) {
        m_pool->Hold(false);
    } else if (id == kPacingTimer) {
        ScanDueFolders();
    } else if (id == kDayTimer) {
        if (m_day.OnTimer()) OnTimeMoved();
    }
}

void CFolderMonitor::OnDeviceChange(WPARAM event, const DEV_BROADCAST_HDR* header) {
    if (!header || header->dbch_devicetype != DBT_DEVTYP_HANDLE) return;
    if (event != DBT_DEVICEQUERYREMOVE && event != DBT_DEVICEREMOVEPENDING && event != DBT_DEVICEREMOVECOMPLETE) return;
    const HANDLE handle = reinterpret_cast<const DEV_BROADCAST_HANDLE*>(header)->dbch_handle;
    for (auto& entry : m_folders) {
        Folder& state = entry.second;
        if (!state.watch || !state.watch->Holds(handle)) continue;
        // The volume can go only once nothing holds a folder on it open. The figures stay; the
        // folder is watched again when its page is next shown.
        state.watch->StopAndWait(kVolumeCloseWaitMs);
        state.watch.reset();
    }
}

LRESULT CFolderMonitor::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_TIMECHANGE:
        if (m_day.OnClockSet()) OnTimeMoved();
        return 0;
    case WM_SETTINGCHANGE:
        if (m_day.OnSettingChange()) OnTimeMoved();
        return CWnd::WindowProc(msg, wp, lp);
    case WM_POWERBROADCAST:
        if (wp == PBT_APMRESUMEAUTOMATIC && m_day.OnResume()) OnTimeMoved();
        return TRUE;
    case WM_DEVICECHANGE:
        OnDeviceChange(wp, reinterpret_cast<const DEV_BROADCAST_HDR*>(lp));
        return TRUE;
    default:
        return CWnd::WindowProc(msg, wp, lp);
    }
}

void CFolderMonitor::FolderWriteStarted(const std::wstring& folder) { ++m_writing[folder]; }

void CFolderMonitor::FolderWriteEnded(const std::wstring& folder) {
    const auto it = m_writing.find(folder);
    if (it != m_writing.end() && --it->second <= 0) m_writing.erase(it);
    if (Writing(folder)) return;
    // The job's one rescan; changes seen while it wrote are covered by it.
    Rescan(folder);
    SchedulePacedScans();
}
