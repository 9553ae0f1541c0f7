// Start-up of real programs, measured from outside as a user sees it: from CreateProcess to
// the program idle (WaitForInputIdle) with its dialog window shown. For a bar with buttons also
// from CreateProcess to the shown page's figures painted: every folder button that takes drops
// shows its NEW badge (run.sh makes a file of today in each of their folders but the first)
// and nothing of the page waits to be painted; the faces are read from the screen. After each start the program is asked to end through its
// own command, so a bar leaves no strip reserved.
//   bench_startup RUNS HOLD_FILE CASE...
//   CASE: name|exe|GroupCount (0: none stored)|command id that ends it|hold (1 or 0)[|FOLDER]
// With FOLDER, the folder of the bar's first button, holding only old files: a file is made in
// it and deleted again from here, and the time until the button's badge comes and goes is the
// watch's latency.
// Every start begins with no stored settings but "GroupCount"; the settings key is put back as
// found at the end. The first case is the baseline of the ratios; the second, when there are
// more than two, is a second baseline for the rest. On the last run of a case marked hold,
// HOLD_FILE.<name>.ready receives the process id and the program stays up until
// HOLD_FILE.<name>.done exists, so its memory can be read from outside.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchCommon.h"
#include "BenchRegistry.h"
#include "WinBench.h"
#include "pages/PageLayout.h"

namespace {

struct Case {
    std::wstring name;
    std::wstring exe;
    int groupCount = 0;
    UINT closeId = IDCANCEL;
    bool hold = false;
    std::wstring watchedFolder;
    std::vector<double> ms;
    std::vector<double> figuresMs;  // to the shown page's figures painted
    std::vector<double> latencyMs;  // from a file made or deleted to the new count shown
    std::vector<double> repaintMs;  // the whole shown page painted again, once the figures are up
    std::vector<double> workingSetMb;  // Wine fills no private bytes; the working set it has
};

struct Search {
    DWORD pid = 0;
    HWND dialog = nullptr;
    HWND messageBox = nullptr;
};

BOOL CALLBACK FindDialog(HWND wnd, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    wchar_t cls[32] = {};
    GetClassNameW(wnd, cls, 32);
    if (pid != search->pid || std::wstring(cls) != L"#32770" || !IsWindowVisible(wnd)) return TRUE;
    // A message box's text is the static control 0xFFFF.
    if (GetDlgItem(wnd, 0xFFFF)) search->messageBox = wnd;
    else search->dialog = wnd;
    return TRUE;
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

void Fail(const std::wstring& what) { std::fprintf(stderr, "bench_startup: %s\n", bench::Utf8(what).c_str()); }

// Every bench page holds this many buttons (see run.sh), every tenth refusing drops (BenchPage.h).
constexpr size_t kButtonsPerPage = 20;
bool TakesDrops(size_t index) { return index % 10 != 9; }

// The visible child windows of `bar` of class `name`.
std::vector<HWND> VisibleChildren(HWND bar, const wchar_t* name) {
    std::pair<const wchar_t*, std::vector<HWND>> search{name, {}};
    EnumChildWindows(
        bar,
        [](HWND wnd, LPARAM lp) {
            auto* s = reinterpret_cast<std::pair<const wchar_t*, std::vector<HWND>>*>(lp);
            wchar_t cls[32] = {};
            GetClassNameW(wnd, cls, 32);
            if (std::wstring(cls) == s->first && IsWindowVisible(wnd)) s->second.push_back(wnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// Where the shown page's faces are on the screen, and the windows whose painting they wait
// for. The page view lays its buttons out by the program's rule; earlier builds, measured for
// comparison, made a window of each.
struct ShownPage {
    std::vector<RECT> faces;
    std::vector<HWND> windows;
};
ShownPage FindShownPage(HWND bar) {
    ShownPage page;
    page.windows = VisibleChildren(bar, L"VarolinButton");
    for (HWND button : page.windows) {
        RECT rc{};
        GetWindowRect(button, &rc);
        page.faces.push_back(rc);
    }
    if (!page.faces.empty()) return page;
    page.windows = VisibleChildren(bar, L"VarolinPage");
    if (page.windows.empty()) return page;
    RECT client{};
    GetClientRect(page.windows.front(), &client);
    for (const varolin::ButtonPlace& place : varolin::LayoutButtonPlaces(
             client.right, client.bottom, kButtonsPerPage, static_cast<int>(GetDpiForWindow(page.windows.front())))) {
        RECT rc{place.x, place.y, place.x + place.width, place.y + place.height};
        MapWindowPoints(page.windows.front(), nullptr, reinterpret_cast<POINT*>(&rc), 2);
        page.faces.push_back(rc);
    }
    return page;
}

bool Painted(const ShownPage& page) {
    for (HWND wnd : page.windows)
        if (GetUpdateRect(wnd, nullptr, FALSE)) return false;
    return !page.windows.empty();
}

// The faces' pixels (0x00RRGGBB) as the screen shows them, read in one go.
struct FacePixels {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;
};
std::vector<FacePixels> Faces(const std::vector<RECT>& faces) {
    RECT all{};
    for (const RECT& rc : faces) UnionRect(&all, &all, &rc);
    const int width = all.right - all.left, height = all.bottom - all.top;
    std::vector<FacePixels> result(faces.size());
    if (width <= 0 || height <= 0) return result;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, all.left, all.top, SRCCOPY);
    GdiFlush();
    const auto* shot = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < faces.size(); ++i) {
        const RECT& rc = faces[i];
        result[i] = {rc.right - rc.left, rc.bottom - rc.top, {}};
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x) result[i].pixels.push_back(shot[(y - all.top) * width + (x - all.left)] & 0xFFFFFF);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return result;
}

// Whether the face shows the NEW badge (yellow letters, at its top right): the figures of a
// folder holding a file of today have come. Counts cannot tell: a narrow face may not show its
// whole title.
bool ShowsBadge(const FacePixels& face) {
    for (int y = 0; y < std::min(face.height, 18); ++y)
        for (int x = std::max(0, face.width - 30); x < face.width; ++x) {
            const DWORD c = face.pixels[static_cast<size_t>(y * face.width + x)];
            if ((c >> 16 & 0xFF) > 200 && (c >> 8 & 0xFF) > 200 && (c & 0xFF) < 80) return true;
        }
    return false;
}

// Whether every face that takes drops shows its figures, the first one left out: its folder
// holds only old files (it is the watched one, see WatchLatency).
bool FiguresShown(const ShownPage& page) {
    const std::vector<FacePixels> faces = Faces(page.faces);
    for (size_t i = 1; i < faces.size(); ++i)
        if (TakesDrops(i) && !ShowsBadge(faces[i])) return false;
    return true;
}

// Waits until every face that takes drops shows its figures and nothing of the page waits to
// be painted; false after 60 s.
bool WaitForFigures(HWND bar) {
    // Reading the screen is not free for the display server the bar draws through: every 5 ms.
    for (const bench::Stopwatch clock; clock.Ms() < 60000; Sleep(5)) {
        const ShownPage page = FindShownPage(bar);
        if (Painted(page) && FiguresShown(page)) return true;
    }
    return false;
}

// Makes (or deletes) a file in the first button's folder, which otherwise holds only old files:
// the milliseconds until its face shows (or loses) the NEW badge, or a negative number after
// 10 s.
double WatchLatency(HWND bar, const std::wstring& folder, bool make) {
    const ShownPage page = FindShownPage(bar);
    if (page.faces.empty()) return -1;
    const std::vector<RECT> face(page.faces.begin(), page.faces.begin() + 1);
    const std::wstring file = folder + L"\\bench-watch.txt";
    const bench::Stopwatch clock;
    if (make) bench::WriteWholeFile(file, "x", 1);
    else DeleteFileW(file.c_str());
    while (ShowsBadge(Faces(face).front()) != make) {
        if (clock.Ms() > 10000) return -1;
        Sleep(5);
    }
    return clock.Ms();
}

// The whole bar painted again, as after a page change or new colours: the bar and every child
// invalidated, and RDW_UPDATENOW sends the paints and returns once they are done. The median
// of a few, so one slow moment of the machine does not decide.
double RepaintMs(HWND bar) {
    std::vector<double> each;
    for (int i = 0; i < 15; ++i) {
        const bench::Stopwatch clock;
        RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        each.push_back(clock.Ms());
    }
    return bench::Median(each);
}

bool WaitForFile(const std::wstring& path, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
        Sleep(50);
    }
    return false;
}

// One start: true when the program came up and ended again as asked.
bool RunOnce(Case& c, bool keep, bool hold, const std::wstring& holdFile) {
    bench::ResetSettings(c.groupCount);
    std::wstring commandLine = L"\"" + c.exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    const bench::Stopwatch clock;
    if (!CreateProcessW(c.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        FolderOf(c.exe).c_str(), &si, &pi)) {
        Fail(L"cannot start " + c.exe);
        return false;
    }
    CloseHandle(pi.hThread);
    WaitForInputIdle(pi.hProcess, 60000);
    Search search;
    search.pid = pi.dwProcessId;
    while (!search.dialog && !search.messageBox && clock.Ms() < 60000) {
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (!search.dialog && !search.messageBox) Sleep(1);
    }
    const double ms = clock.Ms();
    bool ok = search.dialog != nullptr && !search.messageBox;
    if (!ok) Fail(c.name + (search.messageBox ? L": showed a message box" : L": no window within 60 s"));
    // Only a page with buttons has figures to wait for.
    const bool counted = ok && !FindShownPage(search.dialog).faces.empty();
    if (counted && !WaitForFigures(search.dialog)) {
        Fail(c.name + L": no figures within 60 s");
        ok = false;
    }
    const double figuresMs = clock.Ms();

    std::fprintf(stderr, "%s: %.1f ms, figures %.1f ms%s\n", bench::Utf8(c.name).c_str(), ms, figuresMs,
                 keep ? "" : " (warm-up)");
    if (ok && keep) {
        c.ms.push_back(ms);
        if (counted) c.figuresMs.push_back(figuresMs);
        if (counted) c.repaintMs.push_back(RepaintMs(search.dialog));
        Sleep(300);  // let the first paints and the shell's answers settle before reading memory
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof(counters);
        if (GetProcessMemoryInfo(pi.hProcess, &counters, sizeof(counters)))
            c.workingSetMb.push_back(static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0));
    }
    if (ok && hold) {
        const std::string pid = std::to_string(pi.dwProcessId) + "\n";
        const std::wstring file = holdFile + L"." + c.name;
        bench::WriteWholeFile(file + L".ready", pid.data(), static_cast<DWORD>(pid.size()));
        if (!WaitForFile(file + L".done", 120000)) Fail(L"nobody answered " + file + L".ready");
    }
    if (ok && keep && !c.watchedFolder.empty()) {
        for (const bool make : {true, false}) {
            const double latency = WatchLatency(search.dialog, c.watchedFolder, make);
            std::fprintf(stderr, "%s: file %s, count shown after %.1f ms\n", bench::Utf8(c.name).c_str(),
                         make ? "made" : "deleted", latency);
            if (latency < 0) Fail(c.name + L": the count did not follow the folder");
            else c.latencyMs.push_back(latency);
        }
    }
    if (ok) {
        PostMessageW(search.dialog, WM_COMMAND, c.closeId, 0);
    } else if (search.messageBox) {
        PostMessageW(search.messageBox, WM_COMMAND, IDOK, 0);
    }
    if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) {
        Fail(c.name + L": did not end when asked; terminated");
        TerminateProcess(pi.hProcess, 1);
        ok = false;
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(pi.hProcess, &exitCode);
    CloseHandle(pi.hProcess);
    // The shell and the display server are still tidying up after a bar that just ended; the
    // next start should not pay for that.
    Sleep(500);
    if (ok && exitCode != 0) {
        Fail(c.name + L": exit code " + std::to_wstring(exitCode));
        ok = false;
    }
    return ok;
}

bool ParseCase(const std::wstring& text, Case& c) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (size_t bar; (bar = text.find(L'|', start)) != std::wstring::npos; start = bar + 1)
        parts.push_back(text.substr(start, bar - start));
    parts.push_back(text.substr(start));
    if (parts.size() != 5 && parts.size() != 6) return false;
    c.name = parts[0];
    c.exe = parts[1];
    c.groupCount = std::stoi(parts[2]);
    c.closeId = static_cast<UINT>(std::stoul(parts[3]));
    c.hold = parts[4] == L"1";
    if (parts.size() == 6) c.watchedFolder = parts[5];
    return true;
}

}  // namespace

int main() {
    const std::vector<std::wstring> args = bench::Arguments();
    if (args.size() < 4) {
        Fail(L"usage: bench_startup RUNS HOLD_FILE CASE...");
        return 2;
    }
    const int runs = std::max(1, std::stoi(args[1]));
    const std::wstring holdFile = args[2];
    std::vector<Case> cases(args.size() - 3);
    for (size_t i = 0; i < cases.size(); ++i) {
        if (!ParseCase(args[i + 3], cases[i])) {
            Fail(L"bad case " + args[i + 3]);
            return 2;
        }
    }

    const bench::RegistrySnapshot settings;
    bool ok = true;
    // Run 0 warms the caches and is not counted; the cases take turns, so a slow moment of
    // the machine falls on all of them.
    for (int run = 0; run <= runs && ok; ++run) {
        for (Case& c : cases) {
            ok = RunOnce(c, run > 0, run == runs && c.hold, holdFile) && ok;
            if (!ok) break;
        }
    }
    settings.Restore();
    if (!ok) return 1;

    // Every run starts each case once, so the runs pair up.
    for (size_t i = 0; i < cases.size(); ++i) {
        const std::string name = "startup." + bench::Utf8(cases[i].name);
        if (i == 0) bench::Figure(name, bench::Median(cases[i].ms), "ms");
        else bench::PairedFigure(name, cases[i].ms, "ms", cases.front().ms);
    }
    for (size_t i = 2; i < cases.size(); ++i) {
        bench::PairedFigure("startup." + bench::Utf8(cases[i].name) + "_vs_" + bench::Utf8(cases[1].name),
                            cases[i].ms, "ms", cases[1].ms);
    }
    // The figures against the same start's idle; and a case with buttons against the one
    // before it of the same program (bar_99x20 against bar_3x20): more pages should cost next
    // to nothing.
    const auto program = [](const std::wstring& name) { return name.substr(0, name.find(L'_')); };
    for (size_t i = 1; i < cases.size(); ++i) {
        if (cases[i].figuresMs.empty()) continue;
        bench::PairedFigure("startup." + bench::Utf8(cases[i].name) + "_figures", cases[i].figuresMs, "ms", cases[i].ms);
        if (!cases[i - 1].figuresMs.empty() && program(cases[i].name) == program(cases[i - 1].name))
            bench::PairedFigure("startup." + bench::Utf8(cases[i].name) + "_vs_" + bench::Utf8(cases[i - 1].name),
                                cases[i].ms, "ms", cases[i - 1].ms);
    }
    // Repainting a page of this build against the same page of the compared one.
    for (const Case& c : cases) {
        if (c.repaintMs.empty()) continue;
        const std::string name = "repaint." + bench::Utf8(c.name);
        const std::wstring before = L"before" + c.name.substr(c.name.find(L'_'));
        const auto other = std::find_if(cases.begin(), cases.end(), [&](const Case& o) { return o.name == before; });
        if (c.name.rfind(L"bar_", 0) == 0 && other != cases.end() && !other->repaintMs.empty())
            bench::PairedFigure(name + "_vs_" + bench::Utf8(before), c.repaintMs, "ms", other->repaintMs);
        else bench::Figure(name, bench::Median(c.repaintMs), "ms");
    }
    for (const Case& c : cases)
        if (!c.latencyMs.empty()) bench::Figure("watch.latency." + bench::Utf8(c.name), bench::Median(c.latencyMs), "ms");
    for (const Case& c : cases)
        bench::Figure("memory.wine_working_set." + bench::Utf8(c.name), bench::Median(c.workingSetMb), "MB");
    return 0;
}
