// The user's drawings on the chart: a repaint of a full-HD chart with 200 drawings against one
// without, and one frame of a drag (the tool's step, the changed pixels copied from the chart's
// image, the dragged drawing painted over them), which must fit a 60 Hz frame.

#include "app/DrawingTool.h"
#include "bench/BenchData.h"
#include "chart/Bars.h"
#include "chart/drawings/DrawingStore.h"
#include "platform/MemorySettings.h"
#include "qt/QPainterSurface.h"
#include "tests/support/ScriptedMessages.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <string>

namespace {

constexpr CSize kClient{1920, 1080};

struct CChart {
    CMemorySettings settings;
    CScriptedMessages messages;
    CBars bars{settings, messages};
    CDrawingStore store;

    explicit CChart(benchmark::State& state) {
        static const BenchDirectory directory = QuoteDirectory("chart-255x2000", 255, 2000);
        const std::string master = directory.path + "MASTER";
        if (!bars.SetMasterPath(master.c_str()) || bars.ReadMaster() || bars.ReadCurrentSymbol())
            state.SkipWithError("the directory does not open");
        bars.SetBarSpace(2);
        bars.SetFrameSizeProvider([] { return kClient; });
        bars.SetDrawingStore(&store);
    }
    // `count` drawings of every kind spread over the chart shown, placed as the view places them.
    void AddDrawings(int count) {
        const CDrawingGeometry geometry = bars.Window().DrawingGeometry(kClient);
        std::vector<Drawing> drawings;
        constexpr DrawingType kTypes[] = {DrawingType::TrendLine, DrawingType::HLine,
                                          DrawingType::VLine,     DrawingType::Rectangle,
                                          DrawingType::Fibonacci, DrawingType::Note};
        const double width = geometry.Right() - geometry.Left();
        const double height = geometry.Top() - geometry.Bottom();
        for (int k = 0; k < count; ++k) {
            Drawing drawing;
            drawing.type = kTypes[k % 6];
            drawing.style = static_cast<LineStyle>(k % 3);
            drawing.nWidth = 1 + k % 2;
            drawing.text = "note " + std::to_string(k);
            for (int p = 0; p < PointCount(drawing.type); ++p) {
                const double x = geometry.Left() + width * ((k * 37 + p * 211) % 997) / 997.0;
                const double y = geometry.Bottom() + height * ((k * 53 + p * 389) % 991) / 991.0;
                drawing.points.push_back(geometry.PointAt(x, y));
            }
            drawings.push_back(std::move(drawing));
        }
        store.Put(bars.DrawingFolder(), bars.DrawingSymbol(), std::move(drawings), messages);
    }
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

// The argument is the number of drawings.
void BM_RepaintWithDrawings(benchmark::State& state) {
    CChart chart(state);
    chart.AddDrawings(static_cast<int>(state.range(0)));
    QImage image(kClient.cx, kClient.cy, QImage::Format_RGB32);
    for (auto _ : state)
        chart.DrawInto(image);
}
BENCHMARK(BM_RepaintWithDrawings)->Arg(0)->Arg(200)->Unit(benchmark::kMillisecond);

// A trend line dragged back and forth among 200 drawings: each frame moves it and repaints the
// pixels it left and entered, the chart's image under them and the line over them.
void BM_DragFrame(benchmark::State& state) {
    CChart chart(state);
    chart.AddDrawings(200);
    CDrawingEditor editor(chart.store, chart.messages);
    CDrawingTool tool(chart.bars, editor);
    QImage image(kClient.cx, kClient.cy, QImage::Format_RGB32);
    QImage screen(kClient.cx, kClient.cy, QImage::Format_RGB32);
    // A line of its own across the middle, taken hold of in the middle.
    tool.Choose(DrawingType::TrendLine);
    tool.Press(CPoint{600, 500}, kClient, false);
    tool.Press(CPoint{1200, 600}, kClient, false);
    tool.Choose(std::nullopt);
    if (!tool.Press(CPoint{900, 550}, kClient, false).bHandled)
        state.SkipWithError("the line is not taken hold of");
    tool.Move(CPoint{910, 560}, kClient, false); // the drag starts: the chart without the line
    chart.DrawInto(image);
    tool.TakeOverlayChange();
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 40;
        tool.Move(CPoint{910 + step * 5, 560 + step * 3}, kClient, false);
        const QRect changed = tool.TakeOverlayChange();
        QPainter painter(&screen);
        painter.drawImage(changed, image, changed);
        tool.PaintOverlay(painter, 1.0, Rgb(255, 255, 255), kClient);
        painter.end();
        benchmark::DoNotOptimize(screen.constBits());
    }
    tool.Release(CPoint{}, kClient, false);
}
BENCHMARK(BM_DragFrame)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
