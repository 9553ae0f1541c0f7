#include "folders/FolderScan.h"

#include <cstdint>

#include "folders/NewMark.h"
#include "framework/Handles.h"

namespace {
std::int64_t Ticks(const FILETIME& time) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime);
}

// Wraps instead of overflowing on absurd file times; they then simply count as old.
std::int64_t LocalTicks(const FILETIME& time, std::int64_t bias) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(Ticks(time)) + static_cast<std::uint64_t>(bias));
}

// The errors of a search in a folder that is not there. An empty drive root reports no file
// found, which comes to the same.
bool IsMissing(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY:
    case ERROR_DIRECTORY:
        return true;
    default:
        return false;
    }
}
}  // namespace

FolderScan ScanFolderAt(const std::wstring& folder, int daysNew, const FILETIME& nowUtc) {
    FolderScan scan;
    // File times become local the way FileTimeToLocalFileTime makes them: with the bias in
    // force now. Taking it once keeps the per-file work to an addition and two comparisons.
    FILETIME nowLocal{};
    if (!FileTimeToLocalFileTime(&nowUtc, &nowLocal)) nowLocal = nowUtc;
    const std::int64_t bias = Ticks(nowLocal) - Ticks(nowUtc);
    const varolin::NewMarkRule rule(Ticks(nowLocal), daysNew);
    bool decided = rule.MarksNothing();

    WIN32_FIND_DATAW entry;
    const std::wstring pattern = folder + L"*";
    OwnedFindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                          FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
        scan.outcome = IsMissing(GetLastError()) ? ScanOutcome::Missing : ScanOutcome::Failed;
        return scan;
    }
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        ++scan.nFileCount;
        if (!decided && rule.IsNew(LocalTicks(entry.ftLastWriteTime, bias), LocalTicks(entry.ftCreationTime, bias))) {
            scan.bNewMark = true;
            decided = true;
        }
    } while (FindNextFileW(find.Get(), &entry));
    // A listing cut off midway (the share went away) counts for nothing.
    if (GetLastError() != ERROR_NO_MORE_FILES) return FolderScan{0, false, ScanOutcome::Failed};
    return scan;
}
