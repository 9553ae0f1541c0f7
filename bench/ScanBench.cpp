// ScanFolder over a folder of many files against the cheapest listing the system offers: a
// FindFirstFileExW(FindExInfoBasic, FIND_FIRST_EX_LARGE_FETCH) loop that only counts.
#include <windows.h>

#include <cstdio>

#include "BenchCommon.h"
#include "Benchmarks.h"
#include "WinBench.h"
#include "folders/FolderScan.h"

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
    int rawCount = -1;
    FolderScan all, first;
    for (int run = 0; run <= runs; ++run) {
        const bool keep = run > 0;
        // The three take turns at going first, so the system's directory caches favour none.
        for (int turn = 0; turn < 3; ++turn) {
            const int which = (run + turn) % 3;
            const bench::Stopwatch clock;
            if (which == 0) rawCount = RawCount(folder);
            else if (which == 1) all = ScanFolderAt(folder, kDaysNewShort, now);
            else first = ScanFolderAt(folder, kDaysNewCentury, now);
            const double ms = clock.Ms();
            std::fprintf(stderr, "run %d %s: %.1f ms\n", run, which == 0 ? "raw" : which == 1 ? "old" : "new", ms);
            if (keep) (which == 0 ? raw : which == 1 ? scanAll : scanFirst).push_back(ms);
        }
        if (all.nFileCount != rawCount || first.nFileCount != rawCount || all.bNewMark || !first.bNewMark) {
            std::fprintf(stderr, "bench_win: scan results disagree (raw %d, scan %d/%d, marks %d/%d)\n", rawCount,
                         all.nFileCount, first.nFileCount, all.bNewMark, first.bNewMark);
            return 1;
        }
    }
    const double rawMs = bench::Median(raw);
    const std::string files = std::to_string(rawCount);
    bench::Figure("scan.raw_loop_" + files, rawMs, "ms");
    bench::PairedFigure("scan.ScanFolder_" + files + "_old", scanAll, "ms", raw);
    bench::PairedFigure("scan.ScanFolder_" + files + "_new", scanFirst, "ms", raw);
    return 0;
}
