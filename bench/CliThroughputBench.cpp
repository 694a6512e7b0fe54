// End to end: a whole quote directory printed security by security by the real tickvane-cli, one
// process per security as a script would run it, measured in bytes of price-file input per
// second. The same files sent through cat show how much of that time the reading itself costs.

#include "bench/BenchData.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

extern char** environ;

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

// Runs the program with its standard output on /dev/null and waits for it. Standard error stays
// with the benchmark so that a failing child says why. Gives an empty text on exit code 0,
// otherwise a description of what went wrong.
std::string RunQuietly(const std::vector<std::string>& arguments, bool searchPath) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int error = searchPath
                          ? posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ)
                          : posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        return "cannot start " + arguments[0];
    int status = 0;
    if (waitpid(child, &status, 0) != child)
        return "lost " + arguments[0];
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return arguments[0] + " " + arguments[1] + " failed";
    return {};
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
