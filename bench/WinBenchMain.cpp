// bench_win SUBCOMMAND ARGS...: the benchmarks that run inside one Wine process, with OLE and
// the common controls ready as in the program. The settings key is put back as found.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdio>

#include "BenchRegistry.h"
#include "Benchmarks.h"
#include "WinBench.h"
#include "framework/Profile.h"

int main() {
    const std::vector<std::wstring> all = bench::Arguments();
    if (all.size() < 2) {
        std::fprintf(stderr, "usage: bench_win pages|group|scan|transfer|slide|drop|drop-question ARGS...\n");
        return 2;
    }
    const std::wstring command = all[1];
    const BenchArgs args(all.begin() + 2, all.end());

    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    profile::SetProfileRegistryKey(L"Ovelia", L"Varolin");
    int rc = 2;
    {
        const bench::RegistrySnapshot settings;
        if (command == L"pages") rc = WritePagesCommand(args);
        else if (command == L"group") rc = GroupFileBench(args);
        else if (command == L"scan") rc = ScanBench(args);
        else if (command == L"transfer") rc = TransferBench(args);
        else if (command == L"slide") rc = SlideBench(args);
        else if (command == L"drop") rc = DropBench(args);
        else if (command == L"drop-question") rc = DropQuestionBench(args);
        else std::fprintf(stderr, "bench_win: unknown subcommand\n");
        settings.Restore();
    }
    OleUninitialize();
    return rc;
}
