#pragma once
// The scan behind a folder button's file count and NEW badge.
#include <windows.h>

#include <string>

struct FolderScan {
    int nFileCount = 0;     // files directly in the folder, hidden and system ones included
    bool bNewMark = false;  // one of them is younger than "DaysNew" days
};

// Scans `folder` (ending in a backslash) as of `nowUtc`: counts its files (subfolders are
// neither counted nor searched) and looks for a new one until one is found. A folder that
// cannot be searched gives no files and no mark.
FolderScan ScanFolderAt(const std::wstring& folder, int daysNew, const FILETIME& nowUtc);

// ScanFolderAt with the current time: returns the new mark, fills `count`.
BOOL ScanFolder(const std::wstring& folder, int daysNew, int& count);
