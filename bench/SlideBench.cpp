// Frames of the auto-hide slide, with the real clock and the real shell: the bar of the
// program, with its pages read from APPDIR, slides into view and out again; every placement
// during a slide is one frame drawn (the bar repaints at once after each).
#include <windows.h>

#include <cstdio>

#include "BenchCommon.h"
#include "BenchRegistry.h"
#include "Benchmarks.h"
#include "WinBench.h"
#include "bar/MainBar.h"
#include "settings/Settings.h"
#include "resource.h"

namespace {

// The program's bar, counting its placements.
class CCountingBar : public CMainBar {
public:
    explicit CCountingBar(AppSettings& settings) : CMainBar(settings) {}
    int m_nPlacements = 0;
    int m_nDistinct = 0;  // placements that moved or sized the window

protected:
    void OnWindowPosChanged(WINDOWPOS* pos) override {
        ++m_nPlacements;
        const RECT now = GetWindowRect();
        if (!EqualRect(&now, &m_rcLast)) ++m_nDistinct;
        m_rcLast = now;
        CMainBar::OnWindowPosChanged(pos);
    }

private:
    RECT m_rcLast{};
};

// Handles what has queued up between slides, except the auto-hide poll: the benchmark decides
// when the bar hides.
void Drain() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_TIMER) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

struct Slide {
    int frames = 0;
    int distinct = 0;
    double ms = 0;
};

Slide Measure(CCountingBar& bar, bool show) {
    Drain();
    bar.m_nPlacements = bar.m_nDistinct = 0;
    const bench::Stopwatch clock;
    bar.ShowAutoHideBar(show);
    Slide slide;
    slide.ms = clock.Ms();
    slide.frames = bar.m_nPlacements - 1;  // the last placement is the exact target, not a frame
    slide.distinct = bar.m_nDistinct;
    return slide;
}

}  // namespace

int SlideBench(const BenchArgs& args) {
    if (args.size() != 2) return 2;
    const int runs = std::max(1, std::stoi(args[0]));
    AppSettings settings;
    settings.strAppDir = bench::WithBackslash(args[1]);
    bench::ResetSettings(3);

    // The slide animates only with full-window dragging; switch it on for this session if the
    // system has it off.
    BOOL full = FALSE;
    SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
    if (!full) SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);

    std::vector<double> frames, distinct, ms;
    {
        CCountingBar bar(settings);
        if (!bar.Create(nullptr)) {
            std::fprintf(stderr, "bench_win: the bar was not created\n");
            return 1;
        }
        Drain();
        bar.SendMessage(WM_COMMAND, ID_BAR_AUTO_HIDE);  // as the menu does: places the bar hidden
        for (int run = 0; run <= runs; ++run) {
            for (bool show : {true, false}) {
                const Slide slide = Measure(bar, show);
                std::fprintf(stderr, "slide %d %s: %d frames (%d distinct) in %.1f ms\n", run, show ? "in" : "out", slide.frames, slide.distinct, slide.ms);
                if (run == 0) continue;
                frames.push_back(slide.frames);
                distinct.push_back(slide.distinct);
                ms.push_back(slide.ms);
            }
        }
        bar.DestroyWindow();
    }
    if (!full) SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, FALSE, nullptr, 0);

    bench::Figure("slide.system_drag_full_windows", full ? 1 : 0, "flag");
    bench::Figure("slide.frames_per_slide", bench::Median(frames), "frames");
    bench::Figure("slide.distinct_frames_per_slide", bench::Median(distinct), "frames");
    bench::Figure("slide.duration", bench::Median(ms), "ms");
    const double perFrame = bench::Median(ms) / std::max(1.0, bench::Median(frames));
    bench::Figure("slide.frame_time", perFrame, "ms");
    return 0;
}
