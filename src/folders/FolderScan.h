#pragma once
// The scan behind a folder button's file count and NEW badge. It may take long (a big folder,
// a slow share), so it runs on the thread pool (CFolderMonitor) and touches nothing but its
// arguments.
#include <windows.h>

#include <string>

// How a scan ended: a folder that does not exist holds no files, like an empty one; any other
// failure (a share that does not answer, access denied) tells nothing about the folder.
enum class ScanOutcome { Listed, Missing, Failed };

struct FolderScan {
    int nFileCount = 0;     // files directly in the folder, hidden and system ones included
    bool bNewMark = false;  // one of them is younger than "DaysNew" days
    ScanOutcome outcome = ScanOutcome::Listed;
};

// Scans `folder` (ending in a backslash) as of `nowUtc`: counts its files (subfolders are
// neither counted nor searched) and looks for a new one until one is found. A folder that
// cannot be searched gives no files, no mark and the outcome that says why.
FolderScan ScanFolderAt(const std::wstring& folder, int daysNew, const FILETIME& nowUtc);
