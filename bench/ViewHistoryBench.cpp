// The desktop program's view over the whole history of a 65,000-record security, on the offscreen
// platform, in a 1920 x 1080 view: a wheel step (scroll, or zoom with Ctrl) with the repaint it
// asks for, and a crosshair move with its repaint, which draws no chart.

#include "app/TickvaneDoc.h"
#include "bench/BenchApp.h"
#include "bench/BenchData.h"
#include "chart/Bars.h"
#include "chart/studies/StudyList.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <utility>

namespace {

constexpr int kRecords = 65000;
const QSize kView(1920, 1080);
// Records from 1980 on carry dates up to 2041; the window is kept where they do, so that month
// ticks are drawn as in real use.
constexpr int kEnd = 15000;

const BenchDirectory& Directory() {
    static const BenchDirectory directory = QuoteDirectory("history-1x65000", 1, kRecords);
    return directory;
}

// The program with the security open, its view 1920 x 1080 and scrolled to record kEnd.
struct CRunningApp : CBenchApp {
    int nDrawn = 0;

    // With `studies`, three over the prices and three in panes of their own.
    bool Start(int barSpace, bool studies = false) {
        if (!CBenchApp::Start(Directory().path + "MASTER", kView, "/tmp/tickvane-bench-view.ini"))
            return false;
        CBars& bars = app->Document().Bars();
        bars.SetBarSpace(barSpace);
        if (studies) {
            std::vector<StudyInstance> chosen;
            for (const char* text : {"sma:50", "bbands:20,2", "sar:0.02,0.2", "rsi:14",
                                     "macd:12,26,9", "stoch:14,3,3"}) {
                StudySpec spec;
                std::string problem;
                ParseStudySpec(text, spec, problem);
                chosen.push_back({spec, StudyColor(chosen.size()), 1});
            }
            app->Document().Studies().SetStudies(chosen);
            bars.SetSeriesProvider(&app->Document().Studies());
        }
        bars.Window().ScrollToEnd(kEnd, View().ChartClient());
        QObject::connect(&View(), &CTickvaneView::chartDrawn, [this] { ++nDrawn; });
        View().repaint();
        return bars.Window().GetRecordCount() == kRecords;
    }
    void Wheel(int delta, Qt::KeyboardModifiers modifiers) {
        const QPointF centre(kView.width() / 2, kView.height() / 2);
        QWheelEvent event(centre, View().mapToGlobal(centre), QPoint(), QPoint(0, delta),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&View(), &event);
    }
};

void WheelStep(benchmark::State& state, Qt::KeyboardModifiers modifiers, bool studies = false) {
    CRunningApp running;
    if (!running.Start(static_cast<int>(state.range(0)), studies)) {
        state.SkipWithError("the program did not open the security");
        return;
    }
    int delta = 120;
    for (auto _ : state) {
        delta = -delta;
        running.Wheel(delta, modifiers);
        running.View().repaint();
    }
    state.counters["charts_drawn"] = double(running.nDrawn) / double(state.iterations());
}

// A notch of the wheel back and forth (a tenth of a screenful) and the repaint.
void BM_ViewScrollStepRepaint(benchmark::State& state) {
    WheelStep(state, Qt::NoModifier);
}
BENCHMARK(BM_ViewScrollStepRepaint)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

// A notch of Ctrl with the wheel, in and out at the middle, and the repaint.
void BM_ViewZoomStepRepaint(benchmark::State& state) {
    WheelStep(state, Qt::ControlModifier);
}
BENCHMARK(BM_ViewZoomStepRepaint)->Arg(2)->Unit(benchmark::kMillisecond);

// A scroll step with three studies over the prices and three in panes below: the chart is drawn
// whole again from the studies computed before.
void BM_ViewScrollStepWithStudies(benchmark::State& state) {
    WheelStep(state, Qt::NoModifier, true);
}
BENCHMARK(BM_ViewScrollStepWithStudies)->Arg(4)->Unit(benchmark::kMillisecond);

// The pointer moves over the chart: the crosshair follows, the readout changes, and the paint that
// follows draws the cached chart and the crosshair only. The second argument adds three studies
// over the prices and three in panes, whose legends follow the crosshair.
void BM_ViewCrosshairMove(benchmark::State& state) {
    CRunningApp running;
    if (!running.Start(static_cast<int>(state.range(0)), state.range(1) != 0)) {
        state.SkipWithError("the program did not open the security");
        return;
    }
    const int drawnBefore = running.nDrawn;
    int x = 0;
    for (auto _ : state) {
        x = (x + 37) % (kView.width() - 60);
        const QPointF point(x, 300 + x % 200);
        QMouseEvent move(QEvent::MouseMove, point, running.View().mapToGlobal(point), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&running.View(), &move);
        QApplication::processEvents();
    }
    state.counters["charts_drawn"] = double(running.nDrawn - drawnBefore);
}
BENCHMARK(BM_ViewCrosshairMove)->Args({4, 0})->Args({4, 1})->Unit(benchmark::kMillisecond);

// The whole history in the window, a slot of several records per pixel column, both moving
// averages: the chart is drawn whole again each time.
void BM_ViewWholeHistoryRepaint(benchmark::State& state) {
    CRunningApp running;
    if (!running.Start(4)) {
        state.SkipWithError("the program did not open the security");
        return;
    }
    CBars& bars = running.app->Document().Bars();
    bars.SetShowMA1(1);
    bars.SetShowMA2(1);
    bars.Window().ScrollToNewest();
    bars.Window().ShowRange(0, running.View().ChartClient());
    for (auto _ : state) {
        running.View().OnUpdate(ViewHint::None);
        running.View().repaint();
    }
    state.counters["records_per_slot"] = bars.Window().GetZoomGroup();
    state.counters["bar_space"] = bars.Window().GetBarSpace();
}
BENCHMARK(BM_ViewWholeHistoryRepaint)->Unit(benchmark::kMillisecond);

// Ctrl with the wheel, notch by notch, from 40 pixels a bar out to the whole history and back in,
// each notch with its repaint; max_step_ms is the slowest notch of the run.
void BM_ViewZoomOutAndBack(benchmark::State& state) {
    CRunningApp running;
    if (!running.Start(40)) {
        state.SkipWithError("the program did not open the security");
        return;
    }
    CBars& bars = running.app->Document().Bars();
    bars.SetShowMA1(1);
    bars.SetShowMA2(1);
    CChartWindow& window = bars.Window();
    const auto zoom = [&window] {
        return std::make_pair(window.GetBarSpace(), window.GetZoomGroup());
    };
    // The notches from 40 pixels to the whole history, counted once.
    int notches = 0;
    for (auto before = zoom(); notches < 200; ++notches) {
        running.Wheel(-120, Qt::ControlModifier);
        if (zoom() == before)
            break;
        before = zoom();
    }
    for (int i = 0; i < notches; ++i)
        running.Wheel(120, Qt::ControlModifier);
    running.View().repaint();

    double slowest = 0;
    int done = 0, delta = -120;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        running.Wheel(delta, Qt::ControlModifier);
        running.View().repaint();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        slowest = std::max(slowest, took.count());
        if (++done == notches) {
            done = 0;
            delta = -delta;
        }
    }
    state.counters["notches_each_way"] = notches;
    state.counters["max_step_ms"] = slowest;
}
BENCHMARK(BM_ViewZoomOutAndBack)->Iterations(400)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksOffscreen(argc, argv);
}
