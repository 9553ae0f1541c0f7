// A drop's transfer job (the chunked copy with its progress reports) in copy mode, without
// conflicts, against plain CopyFileW of the same files to fresh targets: 1,000 small files
// (SOURCES\small) and one large file (SOURCES\large).
#include <windows.h>
#include <ole2.h>

#include <cstdio>

#include "BenchCommon.h"
#include "Benchmarks.h"
#include "WinBench.h"
#include "transfer/Transfer.h"

namespace {

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(folder + entry.cFileName);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return files;
}

std::wstring NameOf(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

// The job on this thread, as the worker runs it, with nothing to ask and no one watching.
class DirectContext : public ITransferContext {
public:
    bool Cancelled() const override { return false; }
    const std::atomic<bool>& CancelFlag() const override { return m_cancel; }
    void Report(const TransferProgress&) override { ++m_reports; }
    int Ask(const std::function<int(HWND)>&, int ifCancelled) override {
        ++m_questions;
        return ifCancelled;
    }
    int NextRenameNumber() override { return m_next++; }
    int m_reports = 0, m_questions = 0, m_next = 0;

private:
    std::atomic<bool> m_cancel{false};
};

// Milliseconds to copy `files` into the new folder `target`, or a negative value on failure.
double CopyAll(const std::vector<std::wstring>& files, const std::wstring& target, bool transfer) {
    if (!CreateDirectoryW(target.c_str(), nullptr)) return -1;
    const bench::Stopwatch clock;
    bool ok = true;
    if (transfer) {
        TransferJob job;
        job.sources = files;
        job.folder = target;
        job.renameConfirm = false;
        DirectContext context;
        RunTransferJob(job, context);
        ok = context.m_questions == 0;
    } else {
        for (const std::wstring& file : files) {
            ok = CopyFileW(file.c_str(), (target + NameOf(file)).c_str(), TRUE) != 0;
            if (!ok) break;
        }
    }
    const double ms = clock.Ms();
    const DWORD error = GetLastError();
    bench::RemoveFolder(target);
    SetLastError(error);
    return ok ? ms : -1;
}

}  // namespace

int TransferBench(const BenchArgs& args) {
    if (args.size() != 3) return 2;
    const int runs = std::max(1, std::stoi(args[0]));
    const std::wstring sources = bench::WithBackslash(args[1]);
    const std::wstring targets = bench::WithBackslash(args[2]);
    struct Set {
        const char* name;
        std::vector<std::wstring> files;
        std::vector<double> raw, transfer;
    };
    Set sets[] = {{"small_1000x4KB", FilesIn(sources + L"small\\"), {}, {}},
                  {"large_256MB", FilesIn(sources + L"large\\"), {}, {}}};
    for (Set& set : sets) {
        if (set.files.empty()) {
            std::fprintf(stderr, "bench_win: no source files for %s\n", set.name);
            return 1;
        }
    }
    for (int run = 0; run <= runs; ++run) {
        for (Set& set : sets) {
            // Taking turns at going first keeps the page cache's state from favouring one side.
            for (int turn = 0; turn < 2; ++turn) {
                const bool transfer = (run + turn) % 2 == 1;
                const std::wstring target = targets + (transfer ? L"transfer-" : L"raw-") + std::to_wstring(run) + L"\\";
                const double ms = CopyAll(set.files, target, transfer);
                if (ms < 0) {
                    std::fprintf(stderr, "bench_win: copying %s failed (error %lu)\n", set.name, GetLastError());
                    return 1;
                }
                std::fprintf(stderr, "%s run %d %s: %.1f ms\n", set.name, run, transfer ? "TransferFile" : "CopyFileW", ms);
                if (run > 0) (transfer ? set.transfer : set.raw).push_back(ms);
            }
        }
    }
    for (const Set& set : sets) {
        const double rawMs = bench::Median(set.raw);
        bench::Figure(std::string("transfer.") + set.name + ".CopyFileW", rawMs, "ms");
        bench::PairedFigure(std::string("transfer.") + set.name + ".TransferFile", set.transfer, "ms", set.raw);
    }
    return 0;
}
