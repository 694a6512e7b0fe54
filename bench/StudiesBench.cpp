// Studies over a 65,000-bar history: all fifteen computed with their default parameters, and a
// full-HD chart drawn with three overlays and three study panes, into a recording surface and
// into an image as the view draws it.

#include "bench/BenchData.h"
#include "chart/Bars.h"
#include "chart/QuoteHistory.h"
#include "chart/studies/StudyList.h"
#include "platform/MemorySettings.h"
#include "platform/RecordingSurface.h"
#include "tests/support/ScriptedMessages.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kRecords = 65000;
constexpr CSize kClient{1920, 1080};

const BenchDirectory& Directory() {
    static const BenchDirectory directory = QuoteDirectory("history-1x65000", 1, kRecords);
    return directory;
}

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
};

std::vector<StudyInstance> Studies(const std::vector<const char*>& specs) {
    std::vector<StudyInstance> studies;
    for (const char* text : specs) {
        StudySpec spec;
        std::string problem;
        ParseStudySpec(text, spec, problem);
        studies.push_back({spec, StudyColor(studies.size()), 1});
    }
    return studies;
}

// The defaults of all fifteen.
void BM_AllStudies65000(benchmark::State& state) {
    CChart chart(state);
    CQuoteHistory history;
    history.Read([&](QuoteBuffer& b, int start, int count) {
        return chart.bars.ReadCurrentRows(b, start, count);
    });
    const CRecordSource source = SourceOfHistory(history);
    std::vector<StudySpec> specs;
    for (const StudyType* type : StudyTypes())
        specs.push_back(DefaultSpec(*type));
    // As the chart computes them: the bars read once for all fifteen, on every core.
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeStudies(specs, source));
    state.counters["bars"] = source.nCount;
}
BENCHMARK(BM_AllStudies65000)->Unit(benchmark::kMillisecond)->UseRealTime();

// A repaint: the studies are computed before, as the chart keeps them.
void BM_RepaintWithStudies(benchmark::State& state) {
    CChart chart(state);
    CStudyList studies;
    studies.SetStudies(Studies(
        {"sma:50", "bbands:20,2", "sar:0.02,0.2", "rsi:14", "macd:12,26,9", "stoch:14,3,3"}));
    chart.bars.SetSeriesProvider(&studies);
    CRecordingSurface surface;
    chart.bars.DrawChart(surface, CRect{0, 0, kClient.cx, kClient.cy}, false);
    for (auto _ : state) {
        surface.Clear();
        chart.bars.DrawChart(surface, CRect{0, 0, kClient.cx, kClient.cy}, false);
    }
    state.counters["lines"] = double(surface.Lines().size());
}
BENCHMARK(BM_RepaintWithStudies)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
