// Loading one security as the chart does: the newest 800 rows of a long price file into the
// 800-row buffer that the chart object allocates once and reuses. Every run after the first finds
// the files in the page cache, which is the case that matters when stepping through securities.

#include "bench/BenchData.h"
#include "quotes/MovingAverage.h"
#include "quotes/PriceFile.h"
#include "quotes/QuoteBuffer.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kRecords = 16000;
constexpr int kChartRows = 800;

class CBufferFixture {
public:
    explicit CBufferFixture(int rows) { m_status = AllocQuoteBuffer(m_buffer, rows); }
    ~CBufferFixture() { FreeQuoteBuffer(m_buffer); }
    CBufferFixture(const CBufferFixture&) = delete;
    CBufferFixture& operator=(const CBufferFixture&) = delete;

    bool Ok() const { return m_status == kStatusSuccess; }
    QuoteBuffer& Buffer() { return m_buffer; }

private:
    QuoteBuffer m_buffer{};
    Status m_status;
};

// Reads the newest rows of the security at position `index` (0-based) of the directory's MASTER
// and fails the benchmark on anything but a full buffer.
void ReadNewest(benchmark::State& state, const BenchDirectory& directory, int index) {
    CBufferFixture fixture(kChartRows);
    if (!fixture.Ok()) {
        state.SkipWithError("cannot allocate the quote buffer");
        return;
    }
    QuoteBuffer& buffer = fixture.Buffer();
    const std::string& symbol = directory.securities[static_cast<std::size_t>(index)].symbol;
    for (auto _ : state) {
        const Status status = ReadSecurity(buffer, directory.path, symbol, -1, kChartRows);
        if (status != kStatusSuccess || buffer.count != kChartRows) {
            state.SkipWithError(
                ("ReadSecurity failed with status " + std::to_string(status)).c_str());
            break;
        }
        benchmark::DoNotOptimize(buffer.close.Value(kChartRows - 1));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kChartRows);
}

// The security alone in its MASTER: the price file read itself.
void BM_ReadSecurityNewest800(benchmark::State& state) {
    static const BenchDirectory directory = QuoteDirectory("read-1x16000", 1, kRecords);
    ReadNewest(state, directory, 0);
}
BENCHMARK(BM_ReadSecurityNewest800)->Unit(benchmark::kMicrosecond);

// The last of 255 entries: adds the walk through a full MASTER.
void BM_ReadSecurityNewest800LastOf255(benchmark::State& state) {
    static const BenchDirectory directory =
        QuoteDirectory("read-255x16000-last", 255, kRecords, true);
    ReadNewest(state, directory, 254);
}
BENCHMARK(BM_ReadSecurityNewest800LastOf255)->Unit(benchmark::kMicrosecond);

// Both moving averages of the chart over a full buffer, for scale next to the read.
void BM_MovingAverages800(benchmark::State& state) {
    static const BenchDirectory directory = QuoteDirectory("read-1x16000", 1, kRecords);
    CBufferFixture fixture(kChartRows);
    QuoteColumn first{}, second{};
    if (!fixture.Ok() || AllocColumn(first, kChartRows) || AllocColumn(second, kChartRows) ||
        ReadSecurity(fixture.Buffer(), directory.path, directory.securities[0].symbol, -1,
                     kChartRows)) {
        state.SkipWithError("cannot load the security");
    } else {
        for (auto _ : state) {
            MovingAverage(fixture.Buffer().close, first, 10, 0);
            MovingAverage(fixture.Buffer().close, second, 50, 0);
            benchmark::DoNotOptimize(first.Value(kChartRows - 1));
            benchmark::DoNotOptimize(second.Value(kChartRows - 1));
            benchmark::ClobberMemory();
        }
    }
    FreeColumn(first);
    FreeColumn(second);
}
BENCHMARK(BM_MovingAverages800)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
