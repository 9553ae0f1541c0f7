// A large file dropped on a folder button of the real program, from this process with a real
// DoDragDrop, as a file manager drops it: how long the drag source waits after letting go, and
// the longest the bar then takes to answer a message while its folder fills. The baseline of
// the answer time is the same bar, idle, over as long a time.
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>

#include "BenchCommon.h"
#include "BenchRegistry.h"
#include "Benchmarks.h"
#include "WinBench.h"
#include "model/ButtonRecord.h"
#include "model/GroupFile.h"
#include "support/TestDataObject.h"

namespace {

// Drops as soon as the drag has passed over the target once, and notes the moment.
class DropAtOnce : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid != IID_IUnknown && iid != IID_IDropSource) return *out = nullptr, E_NOINTERFACE;
        *out = static_cast<IDropSource*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
        if (escape) return DRAGDROP_S_CANCEL;
        if (++m_rounds < 3) return S_OK;
        m_released = bench::Stopwatch();
        return DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
    bench::Stopwatch m_released;

private:
    int m_rounds = 0;
};

struct Windows {
    DWORD process = 0;
    HWND bar = nullptr, button = nullptr;
};

// The page view, shown while its page has buttons: the page's one button covers it.
HWND FindButton(HWND bar) {
    HWND found = nullptr;
    EnumChildWindows(bar, [](HWND wnd, LPARAM lp) {
        wchar_t name[32] = {};
        GetClassNameW(wnd, name, 32);
        if (std::wstring(name) != L"VarolinPage" || !IsWindowVisible(wnd)) return TRUE;
        *reinterpret_cast<HWND*>(lp) = wnd;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

BOOL CALLBACK FindBar(HWND wnd, LPARAM lp) {
    auto* windows = reinterpret_cast<Windows*>(lp);
    DWORD process = 0;
    GetWindowThreadProcessId(wnd, &process);
    if (process != windows->process || !IsWindowVisible(wnd)) return TRUE;
    if (HWND button = FindButton(wnd)) {
        windows->bar = wnd;
        windows->button = button;
        return FALSE;
    }
    return TRUE;
}

// The longest answer, in milliseconds, of the bar to WM_NULL sent every millisecond until `stop`.
double LongestAnswer(HWND bar, const std::atomic<bool>& stop) {
    double longest = 0;
    while (!stop) {
        const bench::Stopwatch clock;
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(bar, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result)) return -1;
        longest = std::max(longest, clock.Ms());
        Sleep(1);
    }
    return longest;
}

std::uint64_t SizeOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

// Drags `file` onto `button` from this process and returns how long the source waited after
// letting go, in milliseconds; the effect reported in `effect`.
double DragOnto(HWND button, const std::wstring& file, DWORD& effect) {
    RECT rc{};
    GetWindowRect(button, &rc);
    SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    IDataObject* data = TestDataObject::Create()->AddFiles({file});
    DropAtOnce dropSource;
    effect = 0;
    DoDragDrop(data, &dropSource, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    const double waited = dropSource.m_released.Ms();
    data->Release();
    return waited;
}

// Starts the bar of `appDir` and finds its button; false when it did not come up.
bool StartBar(const std::wstring& appDir, PROCESS_INFORMATION& info, Windows& windows) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring command = L"\"" + appDir + L"Varolin.exe\"";
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, appDir.c_str(), &startup, &info))
        return false;
    WaitForInputIdle(info.hProcess, 10000);
    windows = Windows{info.dwProcessId};
    for (int i = 0; i < 200 && !windows.bar; ++i, Sleep(25)) EnumWindows(&FindBar, reinterpret_cast<LPARAM>(&windows));
    if (windows.bar) return true;
    std::fprintf(stderr, "bench_win: the bar or its button did not come up\n");
    TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return false;
}

void EndBar(const Windows& windows, PROCESS_INFORMATION& info) {
    PostMessageW(windows.bar, WM_COMMAND, 32773, 0);  // Exit
    WaitForSingleObject(info.hProcess, 20000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

// The same-name dialog of `process` (its "rename to" label, control 1033), waited for.
HWND SameNameDialog(DWORD process) {
    struct Search {
        DWORD process;
        HWND found;
    } search{process, nullptr};
    for (int i = 0; i < 400 && !search.found; ++i, Sleep(25)) {
        EnumWindows([](HWND wnd, LPARAM lp) {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(wnd, &owner);
            if (owner != s->process || !IsWindowVisible(wnd) || !GetDlgItem(wnd, 1033)) return TRUE;
            s->found = wnd;
            return FALSE;
        }, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

// What both drop benchmarks are given and start from.
struct DropSetUp {
    int runs = 1;
    std::wstring appDir;  // the program's folder, with its page files
    std::wstring source;  // the file dropped
    std::wstring copied;  // where the drop puts it
};

// Reads the arguments (runs, program folder, file to drop, target folder), resets the settings
// and writes page 0 with one button for the target folder. 0 when done, else the exit code:
// 2 for wrong arguments, 1 when the page could not be written.
int SetUpDrop(const BenchArgs& args, DropSetUp& setUp) {
    if (args.size() != 4) return 2;
    setUp.runs = std::max(1, std::stoi(args[0]));
    setUp.appDir = bench::WithBackslash(args[1]);
    setUp.source = args[2];
    const std::wstring target = bench::WithBackslash(args[3]);
    setUp.copied = target + setUp.source.substr(setUp.source.find_last_of(L'\\') + 1);
    bench::ResetSettings(1);
    varolin::ButtonRecord button = varolin::ButtonRecord::ForPath(target, 0, 0xFFFFFF);
    return GroupFile(setUp.appDir, 0).Save(nullptr, {&button, 1}) ? 0 : 1;
}

}  // namespace

// A small file dropped where its name is taken ("RenameConfirm" 1, the default): how long the
// source waits, against the same file dropped where nothing is asked, in the same bar.
int DropQuestionBench(const BenchArgs& args) {
    DropSetUp setUp;
    if (const int failed = SetUpDrop(args, setUp)) return failed;
    const auto& [runs, appDir, source, copied] = setUp;

    std::vector<double> plain, asked;
    for (int run = 0; run <= runs; ++run) {
        PROCESS_INFORMATION info{};
        Windows windows;
        if (!StartBar(appDir, info, windows)) return 1;
        DeleteFileW(copied.c_str());
        DWORD plainEffect = 0, askedEffect = 0;
        const double plainWait = DragOnto(windows.button, source, plainEffect);
        for (int i = 0; i < 400 && SizeOf(copied) < SizeOf(source); ++i) Sleep(25);
        Sleep(300);  // the job's end and its rescan
        const double askedWait = DragOnto(windows.button, source, askedEffect);
        const HWND question = SameNameDialog(info.dwProcessId);
        if (question) PostMessageW(question, WM_COMMAND, IDCANCEL, 0);
        std::fprintf(stderr, "run %d: source waited %.1f ms with a question, %.1f ms without\n", run, askedWait,
                     plainWait);
        if (run > 0) {
            plain.push_back(plainWait);
            asked.push_back(askedWait);
        }
        Sleep(300);
        EndBar(windows, info);
        if (!question || plainEffect == DROPEFFECT_NONE || askedEffect == DROPEFFECT_NONE) return 1;
    }
    DeleteFileW(copied.c_str());
    bench::PairedFigure("drop.source_waits_with_question", asked, "ms", plain);
    std::vector<double> extra;
    for (std::size_t i = 0; i < asked.size(); ++i) extra.push_back(asked[i] - plain[i]);
    bench::Figure("drop.question_extra_wait", bench::Median(extra), "ms");
    return 0;
}

int DropBench(const BenchArgs& args) {
    DropSetUp setUp;
    if (const int failed = SetUpDrop(args, setUp)) return failed;
    const auto& [runs, appDir, source, copied] = setUp;

    std::vector<double> released, answers, idle;
    for (int run = 0; run <= runs; ++run) {
        PROCESS_INFORMATION info{};
        Windows windows;
        if (!StartBar(appDir, info, windows)) return 1;

        // The copy takes a while: the idle bar is asked for as long first.
        std::atomic<bool> stop{false};
        double idleLongest = 0;
        std::thread idlePinger([&] { idleLongest = LongestAnswer(windows.bar, stop); });
        Sleep(1000);
        stop = true;
        idlePinger.join();

        stop = false;
        double busyLongest = 0;
        const bench::Stopwatch copyClock;
        std::thread pinger([&] { busyLongest = LongestAnswer(windows.bar, stop); });
        DWORD effect = 0;
        const double sourceWaited = DragOnto(windows.button, source, effect);
        while (SizeOf(copied) < SizeOf(source) && copyClock.Ms() < 120000) Sleep(20);
        Sleep(200);  // the rescan at the job's end
        stop = true;
        pinger.join();
        std::fprintf(stderr, "run %d: source waited %.1f ms, longest answer %.1f ms (idle %.1f ms), copy %.0f ms\n", run,
                     sourceWaited, busyLongest, idleLongest, copyClock.Ms());
        if (run > 0) {
            released.push_back(sourceWaited);
            answers.push_back(busyLongest);
            idle.push_back(idleLongest);
        }
        EndBar(windows, info);
        DeleteFileW(copied.c_str());
        if (effect == DROPEFFECT_NONE || busyLongest < 0) return 1;
    }
    bench::Figure("drop.source_waits_after_release", bench::Median(released), "ms");
    bench::PairedFigure("drop.longest_answer_during_copy", answers, "ms", idle);
    return 0;
}
