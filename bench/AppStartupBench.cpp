// The desktop program as a whole process on the offscreen platform: from its start until the
// first chart of samples/demo/MASTER is drawn, against the same for a bare Qt main window. The
// child's peak resident memory is reported too.

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Runs the program and gives its peak resident memory in KiB, or -1 when it failed.
long RunChild(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss;
}

void SetUpEnvironment() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("TICKVANE_QUIT_AFTER_FIRST_CHART", "1", 1);
    // A settings file of the benchmark's own, so no user's placement or options come in.
    setenv("TICKVANE_SETTINGS", "/tmp/tickvane-bench-startup.ini", 1);
    setenv("TICKVANE_DATA", "/tmp/tickvane-bench-data", 1);
}

void RunStartup(benchmark::State& state, const std::vector<std::string>& command) {
    SetUpEnvironment();
    long peak = 0;
    for (auto _ : state) {
        peak = RunChild(command);
        if (peak < 0) {
            state.SkipWithError("the program failed");
            break;
        }
    }
    state.counters["peak_rss_MiB"] = double(peak) / 1024;
}

void BM_StartupToFirstChart(benchmark::State& state) {
    RunStartup(state, {TICKVANE_PATH, TICKVANE_SOURCE_DIR "/samples/demo/MASTER"});
}
BENCHMARK(BM_StartupToFirstChart)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_QtMainWindowBaseline(benchmark::State& state) {
    RunStartup(state, {QT_BASELINE_PATH});
}
BENCHMARK(BM_QtMainWindowBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
BENCHMARK_MAIN();
