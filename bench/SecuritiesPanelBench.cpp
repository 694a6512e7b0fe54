// The securities panel over a folder whose XMASTER lists 65,535 securities of 100 records each
// (written once below the temporary directory): sorting every row by each column, and the
// resident memory the panel with its rows and figures adds, counted once the figures are all in
// (panel_rss_MiB, with the time the background fill took as fill_s). Sorting alternates between
// the two directions so that no run sorts rows already in order.

#include "app/SecuritiesModel.h"
#include "app/SecuritiesPanel.h"
#include "bench/BenchData.h"
#include "chart/Bars.h"
#include "platform/MemorySettings.h"
#include "tests/support/ScriptedMessages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

namespace {

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

// The folder's directory and a shown panel over it, filled; made once for every benchmark.
struct FullPanel {
    FullPanel() {
        const std::string folder = FullXmasterDirectory("xmaster-65535x100", 100).path;
        bars.SetMasterPath((folder + "MASTER").c_str());
        bars.ReadMaster();
        const long before = ResidentKiB();
        QElapsedTimer timer;
        timer.start();
        panel = std::make_unique<CSecuritiesPanel>(bars, [](int) {});
        panel->resize(420, 700);
        panel->show();
        panel->Sync();
        while (panel->Model().Filled() < panel->Model().Entries())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        QCoreApplication::processEvents();
        fillSeconds = double(timer.nsecsElapsed()) / 1e9;
        residentMiB = double(ResidentKiB() - before) / 1024;
    }

    CMemorySettings settings;
    CScriptedMessages messages;
    CBars bars{settings, messages};
    std::unique_ptr<CSecuritiesPanel> panel;
    double fillSeconds = 0;
    double residentMiB = 0;
};

FullPanel& Panel() {
    static FullPanel panel;
    return panel;
}

void BM_SortByColumn(benchmark::State& state) {
    FullPanel& full = Panel();
    CSecuritiesModel& model = full.panel->Model();
    if (model.Entries() != 65535) {
        state.SkipWithError("the folder does not list 65,535 securities");
        return;
    }
    const int column = static_cast<int>(state.range(0));
    bool descending = false;
    for (auto _ : state) {
        model.sort(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        descending = !descending;
    }
    state.counters["rows"] = model.rowCount();
    state.counters["panel_rss_MiB"] = full.residentMiB;
    state.counters["fill_s"] = full.fillSeconds;
}
BENCHMARK(BM_SortByColumn)
    ->DenseRange(0, CSecuritiesModel::kColumns - 1)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
