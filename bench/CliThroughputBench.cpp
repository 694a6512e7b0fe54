// End to end: a whole quote directory printed security by security by the real tickvane-cli, one
// process per security as a script would run it, measured in bytes of price-file input per
// second. The same files sent through cat show how much of that time the reading itself costs.

#include "bench/BenchData.h"
#include "bench/Spawn.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#ifndef TICKVANE_CLI_PATH
#error "TICKVANE_CLI_PATH must name the tickvane-cli executable"
#endif

namespace {

constexpr int kSecurities = 255;
constexpr int kRecords = 16000;

const BenchDirectory& Directory() {
    static const BenchDirectory directory = QuoteDirectory("cli-255x16000", kSecurities, kRecords);
    return directory;
}

void Report(benchmark::State& state, const BenchDirectory& directory) {
    state.SetBytesProcessed(state.iterations() * directory.datBytes);
    state.SetItemsProcessed(state.iterations() *
                            static_cast<long long>(directory.securities.size()));
}

// tickvane-cli quotes <dir> <symbol> --all for every security of the directory.
void BM_CliQuotesAll(benchmark::State& state) {
    const BenchDirectory& directory = Directory();
    for (auto _ : state) {
        for (const BenchSecurity& security : directory.securities) {
            const std::string problem = RunQuietly(
                {TICKVANE_CLI_PATH, "quotes", directory.path, security.symbol, "--all"}, false);
            if (!problem.empty()) {
                state.SkipWithError(problem.c_str());
                return;
            }
        }
    }
    Report(state, directory);
}
BENCHMARK(BM_CliQuotesAll)->Unit(benchmark::kMillisecond)->UseRealTime();

// cat F<n>.DAT for every price file: the cost of starting a process and reading the bytes.
void BM_CatPriceFiles(benchmark::State& state) {
    const BenchDirectory& directory = Directory();
    for (auto _ : state) {
        for (const BenchSecurity& security : directory.securities) {
            const std::string problem =
                RunQuietly({"cat", directory.path + security.datFile}, true);
            if (!problem.empty()) {
                state.SkipWithError(problem.c_str());
                return;
            }
        }
    }
    Report(state, directory);
}
BENCHMARK(BM_CatPriceFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
