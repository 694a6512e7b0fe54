// The desktop program at work on the offscreen platform: Next with the repaint of a chart of 800
// records in a 1600 x 1000 view, and resident memory over ten passes through 255 securities with
// printing and print preview (it must not grow, and no quote file may change).

#include "app/TickvaneDoc.h"
#include "bench/BenchApp.h"
#include "bench/BenchData.h"
#include "chart/Bars.h"
#include "platform/Commands.h"

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int kSecurities = 255;

const BenchDirectory& Directory() {
    static const BenchDirectory directory = QuoteDirectory("chart-255x2000", kSecurities, 2000);
    return directory;
}

// The program with the directory open and its view 1600 x 1000, painted once.
struct CRunningApp : CBenchApp {
    bool Start() {
        if (!CBenchApp::Start(Directory().path + "MASTER", QSize(1600, 1000),
                              "/tmp/tickvane-bench-app.ini"))
            return false;
        app->Document().Bars().SetBarSpace(2);
        app->OnIdle();
        return true;
    }
    // Next, or Previous at the end: one step and its repaint.
    void Step() {
        const CCommandRouter& router = app->Router();
        if (!router.Execute(ID_SELECT_NEXT))
            while (router.Execute(ID_SELECT_PREVIOUS))
                app->View().repaint();
        app->View().repaint();
    }
};

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

std::map<std::string, std::filesystem::file_time_type> QuoteFileTimes() {
    std::map<std::string, std::filesystem::file_time_type> times;
    for (const auto& entry : std::filesystem::directory_iterator(Directory().path))
        times[entry.path().string()] = entry.last_write_time();
    return times;
}

void BM_NextWithRepaint1600x1000(benchmark::State& state) {
    CRunningApp running;
    if (!running.Start()) {
        state.SkipWithError("the program did not start on the directory");
        return;
    }
    for (auto _ : state)
        running.Step();
    state.counters["records"] = running.app->Document().Bars().GetQuotes().count;
}
BENCHMARK(BM_NextWithRepaint1600x1000)->Unit(benchmark::kMillisecond);

// One pass: every security with its repaint, one printed page and one print preview.
void Pass(CRunningApp& running) {
    CTickvaneView& view = running.app->View();
    for (int i = 0; i < kSecurities; ++i)
        running.Step();
    view.OnFilePrint();
    view.OnFilePrintPreview();
    if (auto* preview = running.app->Frame().findChild<QPrintPreviewDialog*>())
        preview->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_TenPassesResidentGrowth(benchmark::State& state) {
    CRunningApp running;
    if (!running.Start()) {
        state.SkipWithError("the program did not start on the directory");
        return;
    }
    QPrinter& printer = running.app->Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/tmp/tickvane-bench-page.pdf"));
    const auto times = QuoteFileTimes();
    Pass(running);
    const long before = ResidentKiB();
    for (auto _ : state)
        for (int pass = 0; pass < 10; ++pass)
            Pass(running);
    const long after = ResidentKiB();
    if (QuoteFileTimes() != times)
        state.SkipWithError("a quote file changed");
    state.counters["rss_before_MiB"] = double(before) / 1024;
    state.counters["rss_growth_KiB"] = double(after - before);
}
BENCHMARK(BM_TenPassesResidentGrowth)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksOffscreen(argc, argv);
}
