// The whole history of a 65,000-record security: reading it, a scroll or zoom step with the
// drawing of a full-HD chart after it, and the crosshair's hit-test and readout, all without Qt.

#include "bench/BenchData.h"
#include "chart/Bars.h"
#include "platform/MemorySettings.h"
#include "platform/RecordingSurface.h"
#include "tests/support/ScriptedMessages.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kRecords = 65000;
constexpr CSize kClient{1920, 1080};
// Records from 1980 on carry dates up to 2041 (16,000 weekdays); the window is kept where they
// do, so that month ticks are drawn as in real use.
constexpr int kEnd = 15000;

const BenchDirectory& Directory() {
    static const BenchDirectory directory = QuoteDirectory("history-1x65000", 1, kRecords);
    return directory;
}

// A surface that takes every primitive and paints nothing: the chart's own work alone.
class CNullSurface : public Surface {
public:
    void SetMapMode(MapMode) override {}
    void SetWindowExt(int, int) override {}
    void SetViewportExt(int, int) override {}
    void SetViewportOrg(int, int) override {}
    Pen SelectPen(const Pen& pen) override { return pen; }
    Brush SelectBrush(const Brush& brush) override { return brush; }
    Font SelectFont(const Font& font) override { return font; }
    COLORREF SetTextColor(COLORREF color) override { return color; }
    BackgroundMode SetBkMode(BackgroundMode mode) override { return mode; }
    unsigned SetTextAlign(unsigned align) override { return align; }
    void FillRect(const CRect&, const Brush&) override {}
    void MoveTo(int, int) override {}
    void LineTo(int, int) override { ++m_nLines; }
    void TextOut(int, int, std::string_view) override {}
    void Ellipse(const CRect&) override {}
    void Pie(const CRect&, CPoint, CPoint) override {}
    void Arc(const CRect&, CPoint, CPoint) override {}
    long long m_nLines = 0;
};

// The chart object with the security loaded, as after opening its MASTER.
struct CChart {
    CMemorySettings settings;
    CScriptedMessages messages;
    CBars bars{settings, messages};

    explicit CChart(benchmark::State& state) {
        const std::string master = Directory().path + "MASTER";
        bars.SetFrameSizeProvider([] { return kClient; });
        if (!bars.SetMasterPath(master.c_str()) || bars.ReadMaster() || bars.ReadCurrentSymbol())
            state.SkipWithError("the directory does not open");
    }
    CChartWindow& Window() { return bars.Window(); }
};

// The first step away from the newest records: the price file counted and read whole.
void BM_OpenHistory(benchmark::State& state) {
    CChart chart(state);
    for (auto _ : state) {
        chart.Window().Reset();
        if (!chart.Window().ScrollBars(-1, kClient))
            state.SkipWithError("the history was not read");
    }
    state.counters["records"] = chart.Window().GetRecordCount();
    state.counters["history_bytes"] = double(chart.Window().History().MemoryBytes());
}
BENCHMARK(BM_OpenHistory)->Unit(benchmark::kMillisecond);

// One scroll step (checking the price file) and one drawing; the argument is the bar spacing.
template <class SurfaceType> void ScrollAndDraw(benchmark::State& state) {
    CChart chart(state);
    chart.bars.SetBarSpace(static_cast<int>(state.range(0)));
    chart.Window().ScrollToEnd(kEnd, kClient);
    SurfaceType surface;
    int step = 1;
    for (auto _ : state) {
        step = -step;
        chart.Window().ScrollBars(step, kClient);
        if constexpr (std::is_same_v<SurfaceType, CRecordingSurface>)
            surface.Clear();
        chart.bars.DrawChart(surface, CRect{0, 0, kClient.cx, kClient.cy}, false);
        benchmark::ClobberMemory();
    }
}
void BM_ScrollStepDrawRecorded(benchmark::State& state) {
    ScrollAndDraw<CRecordingSurface>(state);
}
void BM_ScrollStepDrawNull(benchmark::State& state) {
    ScrollAndDraw<CNullSurface>(state);
}
BENCHMARK(BM_ScrollStepDrawRecorded)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollStepDrawNull)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

// Zooming in and out one step at the middle of the chart, each step drawn.
void BM_ZoomStepDrawRecorded(benchmark::State& state) {
    CChart chart(state);
    chart.bars.SetBarSpace(2);
    chart.Window().ScrollToEnd(kEnd, kClient);
    CRecordingSurface surface;
    int steps = 1;
    for (auto _ : state) {
        steps = -steps;
        chart.Window().ZoomAt(steps, kClient.cx / 2, kClient);
        surface.Clear();
        chart.bars.DrawChart(surface, CRect{0, 0, kClient.cx, kClient.cy}, false);
    }
}
BENCHMARK(BM_ZoomStepDrawRecorded)->Unit(benchmark::kMicrosecond);

// A crosshair move: the bar under the pointer and its readout; the chart is not drawn.
void BM_HitTestAndReadout(benchmark::State& state) {
    CChart chart(state);
    chart.bars.SetBarSpace(static_cast<int>(state.range(0)));
    chart.Window().ScrollToEnd(kEnd, kClient);
    int x = 0;
    for (auto _ : state) {
        x = (x + 7) % kClient.cx;
        const ChartHit hit = chart.Window().HitTest(CPoint{x, 400}, kClient);
        std::string text = chart.Window().ReadoutText(hit.nRecord);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_HitTestAndReadout)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
