// ScanFolder over a folder of many files against the cheapest listing the system offers: a
// FindFirstFileExW(FindExInfoBasic, FIND_FIRST_EX_LARGE_FETCH) loop that only counts.
#include <windows.h>

#include <cstdio>

#include "BenchCommon.h"
#include "Benchmarks.h"
#include "WinBench.h"
#include "buttons/FolderScan.h"

namespace {

int RawCount(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return count;
}

}  // namespace

int ScanBench(const BenchArgs& args) {
    if (args.size() != 2) return 2;
    const int runs = std::max(1, std::stoi(args[0]));
    const std::wstring folder = bench::WithBackslash(args[1]);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    // The fixture's files are years old: with "DaysNew" 1 every file's times are looked at;
    // with a limit of a century the first file decides the mark and the rest are only counted.
    constexpr int kDaysNewShort = 1;
    constexpr int kDaysNewCentury = 36500;

    std::vector<double> raw, scanAll, scanFirst;
    int expected = -1;
    for (int run = 0; run <= runs; ++run) {
        const bool keep = run > 0;
        bench::Stopwatch rawClock;
        const int rawCount = RawCount(folder);
        if (keep) raw.push_back(rawClock.Ms());

        bench::Stopwatch allClock;
        const FolderScan all = ScanFolderAt(folder, kDaysNewShort, now);
        if (keep) scanAll.push_back(allClock.Ms());

        bench::Stopwatch firstClock;
        const FolderScan first = ScanFolderAt(folder, kDaysNewCentury, now);
        if (keep) scanFirst.push_back(firstClock.Ms());

        if (expected < 0) expected = rawCount;
        if (rawCount != expected || all.nFileCount != rawCount || first.nFileCount != rawCount || all.bNewMark ||
            !first.bNewMark) {
            std::fprintf(stderr, "bench_win: scan results disagree (raw %d, scan %d/%d, marks %d/%d)\n", rawCount,
                         all.nFileCount, first.nFileCount, all.bNewMark, first.bNewMark);
            return 1;
        }
    }
    const double rawMs = bench::Median(raw);
    const std::string files = std::to_string(expected);
    bench::Figure("scan.raw_loop_" + files, rawMs, "ms");
    bench::Figure("scan.ScanFolder_" + files + "_old", bench::Median(scanAll), "ms", rawMs);
    bench::Figure("scan.ScanFolder_" + files + "_new", bench::Median(scanFirst), "ms", rawMs);
    return 0;
}
