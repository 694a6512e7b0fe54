// tickvane-cli summary and check, the whole process, output to /dev/null and the files in the page
// cache: on the real folder of 2,846 securities beside the repository and on a folder whose
// XMASTER lists 65,535 securities of 100 records each (written once below the temporary
// directory, which takes a minute). Read the minimum of the repetitions:
// --benchmark_repetitions=5.

#include "bench/BenchData.h"
#include "bench/Spawn.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#ifndef TICKVANE_CLI_PATH
#error "TICKVANE_CLI_PATH must name the tickvane-cli executable"
#endif
#ifndef TICKVANE_REAL_DATA
#error "TICKVANE_REAL_DATA must name the folder of the real quote folders"
#endif

namespace {

std::string EquisA() {
    return std::string(TICKVANE_REAL_DATA) + "/rudimeier-atem/test/msdir_equis_a";
}

const std::string& FullFolder() {
    static const std::string path = FullXmasterDirectory("xmaster-65535x100", 100).path;
    return path;
}

double Minimum(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

// check exits with 1 when it finds anything, which the real folders have.
void Run(benchmark::State& state, const char* command, const std::string& folder) {
    if (!std::filesystem::exists(folder)) {
        state.SkipWithError(("absent: " + folder).c_str());
        return;
    }
    for (auto _ : state) {
        const std::string problem =
            RunQuietly({TICKVANE_CLI_PATH, command, folder}, false, ExitCodes::kZeroOrOne);
        if (!problem.empty()) {
            state.SkipWithError(problem.c_str());
            return;
        }
    }
}

void Register(const char* command, const char* name, std::string (*folder)()) {
    benchmark::RegisterBenchmark(
        (std::string("BM_") + command + "/" + name).c_str(),
        [command, folder](benchmark::State& state) { Run(state, command, folder()); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->ComputeStatistics("min", Minimum);
}

} // namespace

int main(int argc, char** argv) {
    for (const char* command : {"summary", "check"}) {
        Register(command, "msdir_equis_a", EquisA);
        Register(command, "xmaster_65535x100", [] { return FullFolder(); });
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
