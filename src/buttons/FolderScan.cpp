#include "buttons/FolderScan.h"

#include <cstdint>

#include "buttons/NewMark.h"
#include "framework/Handles.h"

namespace {
std::int64_t Ticks(const FILETIME& time) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime);
}

// Wraps instead of overflowing on absurd file times; they then simply count as old.
std::int64_t LocalTicks(const FILETIME& time, std::int64_t bias) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(Ticks(time)) + static_cast<std::uint64_t>(bias));
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
    if (!find) return scan;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        ++scan.nFileCount;
        if (!decided && rule.IsNew(LocalTicks(entry.ftLastWriteTime, bias), LocalTicks(entry.ftCreationTime, bias))) {
            scan.bNewMark = true;
            decided = true;
        }
    } while (FindNextFileW(find.Get(), &entry));
    return scan;
}

BOOL ScanFolder(const std::wstring& folder, int daysNew, int& count) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const FolderScan scan = ScanFolderAt(folder, daysNew, now);
    count = scan.nFileCount;
    return scan.bNewMark ? TRUE : FALSE;
}
