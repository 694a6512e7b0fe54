// tickvane-cli export, the whole process, writing to /dev/null with the files in the page cache:
// the 255 × 16,000-record folder of the benchmark data and, when they are present beside the
// repository, the real folders of ../shared/testdata/real. Each is set beside cat of the same
// price files, one process per file, the measure that the peer converters were compared with.
// Read the minimum of the repetitions (best of five): --benchmark_repetitions=5.
// BM_ExportSqlite writes the big folder as an SQLite database into the temporary directory (CSV
// to a file there too, for the same disk work: BM_ExportCsvFile), removed after each run.

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

namespace fs = std::filesystem;

namespace {

const BenchDirectory& BigFolder() {
    static const BenchDirectory directory = QuoteDirectory("cli-255x16000", 255, 16000);
    return directory;
}

std::string RealFolder(const std::string& name) {
    return std::string(TICKVANE_REAL_DATA) + "/" + name;
}

// The price files of a folder (not its subfolders).
std::vector<std::string> PriceFiles(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        std::string name = entry.path().filename().string();
        std::transform(name.begin(), name.end(), name.begin(), ::toupper);
        if (entry.is_regular_file() && name[0] == 'F' &&
            (name.ends_with(".DAT") || name.ends_with(".MWD")))
            files.push_back(entry.path().string());
    }
    return files;
}

long long Bytes(const std::vector<std::string>& files) {
    long long total = 0;
    for (const std::string& file : files)
        total += static_cast<long long>(fs::file_size(file));
    return total;
}

double Minimum(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

// Folders with missing price files or a broken index exit with 1 by design.
void Export(benchmark::State& state, const std::string& folder) {
    if (!fs::exists(folder)) {
        state.SkipWithError(("absent: " + folder).c_str());
        return;
    }
    for (auto _ : state) {
        const std::string problem =
            RunQuietly({TICKVANE_CLI_PATH, "export", folder}, false, ExitCodes::kZeroOrOne);
        if (!problem.empty()) {
            state.SkipWithError(problem.c_str());
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * Bytes(PriceFiles(folder)));
}

// The export into a file of the temporary directory, as CSV or SQLite.
void ExportToFile(benchmark::State& state, const std::string& folder, const char* format) {
    if (!fs::exists(folder)) {
        state.SkipWithError(("absent: " + folder).c_str());
        return;
    }
    const std::string output = (fs::temp_directory_path() / "tickvane-bench-export.out").string();
    for (auto _ : state) {
        const std::string problem = RunQuietly(
            {TICKVANE_CLI_PATH, "export", folder, "--format", format, "-o", output}, false);
        fs::remove(output);
        if (!problem.empty()) {
            state.SkipWithError(problem.c_str());
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * Bytes(PriceFiles(folder)));
}

void CatEach(benchmark::State& state, const std::string& folder) {
    if (!fs::exists(folder)) {
        state.SkipWithError(("absent: " + folder).c_str());
        return;
    }
    const std::vector<std::string> files = PriceFiles(folder);
    for (auto _ : state)
        for (const std::string& file : files)
            if (const std::string problem = RunQuietly({"cat", file}, true); !problem.empty()) {
                state.SkipWithError(problem.c_str());
                return;
            }
    state.SetBytesProcessed(state.iterations() * Bytes(files));
}

void Register(const char* name, const std::string& folder, bool withCat) {
    benchmark::RegisterBenchmark((std::string("BM_Export/") + name).c_str(),
                                 [folder](benchmark::State& state) { Export(state, folder); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->ComputeStatistics("min", Minimum);
    if (withCat)
        benchmark::RegisterBenchmark((std::string("BM_CatEach/") + name).c_str(),
                                     [folder](benchmark::State& state) { CatEach(state, folder); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->ComputeStatistics("min", Minimum);
}

} // namespace

int main(int argc, char** argv) {
    Register("big_255x16000", BigFolder().path, true);
    for (const char* format : {"csv", "sqlite"})
        benchmark::RegisterBenchmark(
            (std::string(format[0] == 'c' ? "BM_ExportCsvFile" : "BM_ExportSqlite") +
             "/big_255x16000")
                .c_str(),
            [format](benchmark::State& state) { ExportToFile(state, BigFolder().path, format); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->ComputeStatistics("min", Minimum);
    Register("msdir_equis_a", RealFolder("rudimeier-atem/test/msdir_equis_a"), true);
    Register("sampleData", RealFolder("okomarov-metastockread/sampleData"), true);
    Register("Intraday", RealFolder("okomarov-metastockread/sampleData/Intraday"), false);
    for (const char* small : {"msdir_bbfinance", "msdir_equis_b", "msdir_stooq"})
        Register(small, RealFolder(std::string("rudimeier-atem/test/") + small), false);
    Register("data", RealFolder("gityoav-metastock2pd/data"), false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
