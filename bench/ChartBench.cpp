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

// The same chart object on a directory of 65,535 securities (MASTER and XMASTER).
struct CLargeChart {
    CMemorySettings settings;
    CScriptedMessages messages;
    CBars bars{settings, messages};
    std::string master = XmasterDirectory("chart-xmaster-65535", 2, kRecords).path + "MASTER";
};

// Opening it: reading MASTER and the 65,280 entries of XMASTER into the directory.
void BM_OpenXmasterDirectory(benchmark::State& state) {
    CLargeChart chart;
    for (auto _ : state) {
        chart.bars.ResetDefaults();
        if (!chart.bars.SetMasterPath(chart.master.c_str()) || chart.bars.ReadMaster() != 0 ||
            chart.bars.GetSymbolCount() != 65535)
            state.SkipWithError("the directory does not open");
    }
}
BENCHMARK(BM_OpenXmasterDirectory)->Unit(benchmark::kMillisecond);

// Next and previous between the last two entries, 65,533 entries after the first: a step there
// must cost what a step among 255 MASTER entries costs.
void BM_StepAtTheEndOfXmaster(benchmark::State& state) {
    CLargeChart chart;
    if (!chart.bars.SetMasterPath(chart.master.c_str()) || chart.bars.ReadMaster() != 0)
        state.SkipWithError("the directory does not open");
    chart.bars.StepSymbol(65533);
    for (auto _ : state) {
        chart.bars.StepSymbol(+1);
        chart.bars.StepSymbol(-1);
    }
    if (!chart.messages.m_shown.empty() || chart.bars.GetCurrentIndex() != 65533)
        state.SkipWithError("a step failed");
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_StepAtTheEndOfXmaster)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
