// The chart object at work: opening a directory, stepping through it and drawing a chart into the
// recording surface, all without Qt.

#include "bench/BenchData.h"
#include "chart/Bars.h"
#include "platform/MemorySettings.h"
#include "platform/RecordingSurface.h"
#include "tests/support/ScriptedMessages.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kSecurities = 255;
constexpr int kRecords = 2000;

const BenchDirectory& Directory() {
    static const BenchDirectory directory = QuoteDirectory("chart-255x2000", kSecurities, kRecords);
    return directory;
}

// A chart object with the directory listed, as after opening its MASTER.
struct CChart {
    CMemorySettings settings;
    CScriptedMessages messages;
    CBars bars{settings, messages};
    std::string master = Directory().path + "MASTER";

    bool Open() {
        bars.ResetDefaults();
        return bars.SetMasterPath(master.c_str()) && bars.ReadMaster() == 0 &&
               bars.ReadCurrentSymbol() == 0;
    }
};

// Everything an opening of a MASTER does with the chart object: reset, read the 255 entries and
// load the newest 800 rows of the first security with both averages.
void BM_OpenDirectory(benchmark::State& state) {
    CChart chart;
    for (auto _ : state)
        if (!chart.Open())
            state.SkipWithError("the directory does not open");
}
BENCHMARK(BM_OpenDirectory)->Unit(benchmark::kMicrosecond);

// Next, next, next: through all 255 securities, each load a fresh 800 rows.
void BM_StepThroughAll(benchmark::State& state) {
    CChart chart;
    if (!chart.Open())
        state.SkipWithError("the directory does not open");
    for (auto _ : state) {
        chart.bars.Rewind();
        for (int i = 1; i < kSecurities; ++i)
            chart.bars.StepSymbol(+1);
    }
    if (!chart.messages.m_shown.empty())
        state.SkipWithError("a step failed");
    state.SetItemsProcessed(state.iterations() * (kSecurities - 1));
}
BENCHMARK(BM_StepThroughAll)->Unit(benchmark::kMillisecond);

// One chart of 800 records (bar spacing 2, so every record has a slot in 1920 units) recorded.
void BM_DrawChartRecorded(benchmark::State& state) {
    CChart chart;
    chart.bars.SetBarSpace(2);
    if (!chart.Open())
        state.SkipWithError("the directory does not open");
    chart.bars.SetBarSpace(2);
    chart.bars.SetFrameSizeProvider([] { return CSize{1920, 1080}; });
    CRecordingSurface surface;
    for (auto _ : state) {
        surface.Clear();
        chart.bars.DrawChart(surface, CRect{0, 0, 1920, 1080}, false);
        benchmark::DoNotOptimize(surface.Lines().data());
    }
    state.counters["lines"] = static_cast<double>(surface.Lines().size());
}
BENCHMARK(BM_DrawChartRecorded)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
