// willr:N - -100 (highest high - close) / (highest high - lowest low) over N bars, 0 when the two
// are equal; first at bar N - 1.

#include "chart/studies/Study.h"
#include "chart/studies/StudyMath.h"

namespace {

constexpr StudyParameter kParameters[] = {{"Length", 14, 1, 1000, true}};
constexpr StudyOutput kOutputs[] = {{"", SeriesKind::Line}};
constexpr double kReferences[] = {-80, -20};

void Compute(const StudyBars& bars, std::span<const double> p,
             std::vector<std::vector<double>>& out) {
    const int n = static_cast<int>(p[0]);
    CWindowHighest highest(n);
    CWindowLowest lowest(n);
    for (int i = 0; i < bars.Count(); ++i) {
        const auto at = static_cast<std::size_t>(i);
        const double high = highest.Push(i, bars.high[at]);
        const double low = lowest.Push(i, bars.low[at]);
        if (i >= n - 1)
            out[0][at] = high == low ? 0 : -100 * (high - bars.close[at]) / (high - low);
    }
}

} // namespace

extern const StudyType kWilliamsRStudy = {
    "willr", "Williams %R", kParameters, kOutputs, StudyInputs::HighLowClose, false, true, -100,
    0,       kReferences,   Compute};
