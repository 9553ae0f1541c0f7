// Group files under Wine: the page fixtures of the start-up benchmark, and load and save of a
// page of 1,000 buttons through GroupFile against reading and writing its bytes directly.
#include <windows.h>

#include <cstdio>

#include "BenchCommon.h"
#include "BenchPage.h"
#include "Benchmarks.h"
#include "WinBench.h"
#include "model/GroupCodec.h"
#include "model/GroupFile.h"
#include "model/SystemCodePage.h"

int WritePagesCommand(const BenchArgs& args) {
    if (args.size() != 4) return 2;
    const std::wstring appDir = bench::WithBackslash(args[0]);
    const int pages = std::stoi(args[1]);
    const int buttons = std::stoi(args[2]);
    const std::wstring root = bench::WithBackslash(args[3]);
    for (int p = 0; p < pages; ++p) {
        std::vector<varolin::ButtonRecord> records;
        for (int b = 0; b < buttons; ++b) {
            wchar_t folder[32], title[32];
            std::swprintf(folder, 32, L"p%02d\\b%02d\\", p, b);
            std::swprintf(title, 32, L"\u8CC7\u6599 %02d-%02d", p + 1, b + 1);  // "資料 01-01"
            varolin::ButtonRecord record;
            record.m_strFolder = root + folder;
            record.m_strTitle = title;
            record.m_crText = 0x000000;
            record.m_crBack = 0xE0F0FF;
            records.push_back(std::move(record));
        }
        const std::vector<std::uint8_t> bytes = varolin::EncodeGroupFile(records, SystemAnsiCodePage());
        if (!bench::WriteWholeFile(appDir + varolin::GroupFileName(p), bytes.data(), static_cast<DWORD>(bytes.size()))) {
            std::fprintf(stderr, "bench_win: cannot write page %d\n", p);
            return 1;
        }
    }
    return 0;
}

int GroupFileBench(const BenchArgs& args) {
    if (args.size() != 2) return 2;
    const int runs = std::max(1, std::stoi(args[0]));
    const std::wstring folder = bench::WithBackslash(args[1]);
    constexpr size_t kButtons = 1000;
    constexpr int kInner = 10;
    const auto page = bench::MakePage(kButtons, L"C:\\Users\\bench\\Documents\\Projects\\");
    const GroupFile file(folder, 0);
    const std::vector<std::uint8_t> bytes = varolin::EncodeGroupFile(page, SystemAnsiCodePage());
    const std::wstring rawPath = folder + L"raw.bin";

    std::vector<double> save, rawWrite, rawFlushed, load, rawRead;
    for (int run = 0; run <= runs; ++run) {
        const bool keep = run > 0;  // run 0 warms up
        bench::Stopwatch saving;
        for (int i = 0; i < kInner; ++i) {
            if (!file.Save(nullptr, page)) return 1;
        }
        if (keep) save.push_back(saving.Ms() / kInner);

        bench::Stopwatch writing;
        for (int i = 0; i < kInner; ++i) {
            if (!bench::WriteWholeFile(rawPath, bytes.data(), static_cast<DWORD>(bytes.size()))) return 1;
        }
        if (keep) rawWrite.push_back(writing.Ms() / kInner);

        // The page file is flushed before it replaces the old one, so that a crash cannot
        // leave a half-written page: the same write with the same flush.
        bench::Stopwatch flushing;
        for (int i = 0; i < kInner; ++i) {
            if (!bench::WriteWholeFile(rawPath, bytes.data(), static_cast<DWORD>(bytes.size()), true)) return 1;
        }
        if (keep) rawFlushed.push_back(flushing.Ms() / kInner);

        bench::Stopwatch loading;
        for (int i = 0; i < kInner; ++i) {
            if (file.Load(nullptr).size() != kButtons) {
                std::fprintf(stderr, "bench_win: the page did not read back whole\n");
                return 1;
            }
        }
        if (keep) load.push_back(loading.Ms() / kInner);

        bench::Stopwatch reading;
        std::vector<BYTE> back;
        for (int i = 0; i < kInner; ++i) {
            if (!bench::ReadWholeFile(rawPath, back) || back.size() != bytes.size()) return 1;
        }
        if (keep) rawRead.push_back(reading.Ms() / kInner);
    }
    bench::Figure("group.wine.raw_write", bench::Median(rawWrite), "ms");
    bench::PairedFigure("group.wine.save_1000", save, "ms", rawWrite);
    bench::Figure("group.wine.raw_write_flushed", bench::Median(rawFlushed), "ms");
    bench::PairedFigure("group.wine.save_1000_vs_flushed", save, "ms", rawFlushed);
    bench::Figure("group.wine.raw_read", bench::Median(rawRead), "ms");
    bench::PairedFigure("group.wine.load_1000", load, "ms", rawRead);
    return 0;
}
