// Bars built from the stored records: weekly and monthly bars of a 65,000-record history, and a
// change of the period with the drawing after it.

#include "bench/BenchData.h"
#include "chart/BarBuilder.h"
#include "chart/Bars.h"
#include "platform/MemorySettings.h"
#include "platform/RecordingSurface.h"
#include "tests/support/ScriptedMessages.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int kRecords = 65000;
constexpr CSize kClient{1920, 1080};

// Columns as the history keeps them: one record a calendar day from 1961 on (65,000 days reach
// 2138, within the day numbers), prices of a slow wave.
struct Columns {
    std::vector<std::int16_t> dateTime = std::vector<std::int16_t>(2 * kRecords);
    std::vector<float> open, high, low, close, volume, oi;

    Columns() {
        for (int i = 0; i < kRecords; ++i) {
            dateTime[2 * static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i + 1);
            const float price = 50 + 20 * static_cast<float>(std::sin(i / 300.0));
            open.push_back(price);
            high.push_back(price + 1);
            low.push_back(price - 1);
            close.push_back(price + 0.5f);
            volume.push_back(static_cast<float>(1000 + i % 500));
            oi.push_back(0);
        }
    }
    BarColumns View() {
        return {dateTime.data(), open.data(),   high.data(), low.data(),
                close.data(),    volume.data(), oi.data()};
    }
};

// The build works in place, so each run starts from a fresh copy (not timed).
void BuildBars(benchmark::State& state, ChartPeriod period) {
    const Columns source;
    Columns work;
    int bars = 0;
    for (auto _ : state) {
        state.PauseTiming();
        work = source;
        state.ResumeTiming();
        LeftOutCounts leftOut;
        bars = BuildBars(work.View(), kRecords, BarRules{true, true, period}, leftOut);
        benchmark::DoNotOptimize(bars);
    }
    state.counters["bars"] = bars;
}
void BM_BuildWeeklyBars(benchmark::State& state) {
    BuildBars(state, ChartPeriod::Weekly);
}
void BM_BuildMonthlyBars(benchmark::State& state) {
    BuildBars(state, ChartPeriod::Monthly);
}
BENCHMARK(BM_BuildWeeklyBars)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildMonthlyBars)->Unit(benchmark::kMicrosecond);

// Choosing weekly bars for a 65,000-record security: the price file read whole, the bars built
// and the chart of the newest ones drawn (1920 x 1080, bar spacing 4).
void BM_PeriodChangeDraw(benchmark::State& state) {
    static const BenchDirectory directory = QuoteDirectory("history-1x65000", 1, kRecords);
    CMemorySettings settings;
    CScriptedMessages messages;
    CBars bars(settings, messages);
    const std::string master = directory.path + "MASTER";
    bars.SetFrameSizeProvider([] { return kClient; });
    if (!bars.SetMasterPath(master.c_str()) || bars.ReadMaster() || bars.ReadCurrentSymbol())
        state.SkipWithError("the directory does not open");
    CRecordingSurface surface;
    bool weekly = false;
    for (auto _ : state) {
        weekly = !weekly;
        bars.SetChartOptions(ChartOptions{
            ChartStyle::Bars, false, weekly ? ChartPeriod::Weekly : ChartPeriod::Monthly, false});
        surface.Clear();
        bars.DrawChart(surface, CRect{0, 0, kClient.cx, kClient.cy}, false);
    }
}
BENCHMARK(BM_PeriodChangeDraw)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
