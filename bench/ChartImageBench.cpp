// The chart drawn through Qt: into a full-HD image, and tickvane-cli render as a whole process.

#include "bench/BenchData.h"
#include "bench/Spawn.h"
#include "chart/Bars.h"
#include "platform/MemorySettings.h"
#include "qt/QPainterSurface.h"
#include "tests/support/ScriptedMessages.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <string>

#ifndef TICKVANE_CLI_PATH
#error "TICKVANE_CLI_PATH must name the tickvane-cli executable"
#endif

namespace {

const BenchDirectory& Directory() {
    static const BenchDirectory directory = QuoteDirectory("chart-255x2000", 255, 2000);
    return directory;
}

// The chart object with the first security of a directory loaded, as after opening its MASTER.
struct CChart {
    CMemorySettings settings;
    CScriptedMessages messages;
    CBars bars{settings, messages};

    CChart(benchmark::State& state, const BenchDirectory& directory) {
        const std::string master = directory.path + "MASTER";
        if (!bars.SetMasterPath(master.c_str()) || bars.ReadMaster() || bars.ReadCurrentSymbol())
            state.SkipWithError("the directory does not open");
    }
    // One drawing of the chart over the whole image.
    void DrawInto(QImage& image) {
        QPainter painter(&image);
        {
            CQPainterSurface surface(painter);
            bars.DrawChart(surface, CRect{0, 0, image.width(), image.height()}, false);
        }
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
};

// 800 records into a 1920x1080 image, bar spacing 2 so that every record has its slot.
void BM_DrawChartImage(benchmark::State& state) {
    CChart chart(state, Directory());
    chart.bars.SetBarSpace(2);
    chart.bars.SetFrameSizeProvider([] { return CSize{1920, 1080}; });
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state)
        chart.DrawInto(image);
}
BENCHMARK(BM_DrawChartImage)->Unit(benchmark::kMillisecond);

// 800 records in each style, with the grid as the second argument, into a 1920 x 1080 image. OHLC
// bars and candles need 3 units a bar, so the chart's logical space is 800 x 3 + 55 units wide,
// stretched onto the image as a print is.
void BM_DrawStyleImage(benchmark::State& state) {
    CChart chart(state, Directory());
    chart.bars.SetBarSpace(3);
    chart.bars.SetChartOptions(ChartOptions{static_cast<ChartStyle>(state.range(0)), false,
                                            ChartPeriod::Stored, state.range(1) != 0});
    chart.bars.SetFrameSizeProvider([] { return CSize{800 * 3 + 55, 1080}; });
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state)
        chart.DrawInto(image);
}
BENCHMARK(BM_DrawStyleImage)
    ->ArgsProduct({{0, 1, 2, 3}, {0}})
    ->Args({2, 1})
    ->ArgNames({"style", "grid"})
    ->Unit(benchmark::kMillisecond);

// A 65,000-record history scrolled by one bar and drawn into a 1920x1080 image, the repaint of
// the view after a scroll step; the argument is the bar spacing.
void BM_ScrollStepDrawImage(benchmark::State& state) {
    static const BenchDirectory history = QuoteDirectory("history-1x65000", 1, 65000);
    CChart chart(state, history);
    const CSize client{1920, 1080};
    chart.bars.SetBarSpace(static_cast<int>(state.range(0)));
    chart.bars.SetFrameSizeProvider([&] { return client; });
    chart.bars.Window().ScrollToEnd(15000, client); // where the made-up dates are valid
    QImage image(client.cx, client.cy, QImage::Format_RGB32);
    int step = 1;
    for (auto _ : state) {
        step = -step;
        chart.bars.Window().ScrollBars(step, client);
        chart.DrawInto(image);
    }
}
BENCHMARK(BM_ScrollStepDrawImage)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

// tickvane-cli render of a PNG: start, Qt, open the directory, draw, encode, write.
void BM_RenderPngProcess(benchmark::State& state) {
    const std::string master = Directory().path + "MASTER";
    const std::string output = Directory().path + "render-bench.png";
    for (auto _ : state) {
        const std::string problem =
            RunQuietly({TICKVANE_CLI_PATH, "render", master, "-o", output}, false);
        if (!problem.empty())
            state.SkipWithError(problem.c_str());
    }
}
BENCHMARK(BM_RenderPngProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
