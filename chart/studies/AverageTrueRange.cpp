// atr:N - the true range from bar 1: max(high - low, |high - previous close|, |low - previous
// close|); first at bar N, the mean of the true ranges of bars 1..N; then Wilder's
// atr = (atr (N - 1) + TR) / N.

#include "chart/studies/Study.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr StudyParameter kParameters[] = {{"Length", 14, 1, 1000, true}};
constexpr StudyOutput kOutputs[] = {{"", SeriesKind::Line}};

void Compute(const StudyBars& bars, std::span<const double> p,
             std::vector<std::vector<double>>& out) {
    const int n = static_cast<int>(p[0]);
    const int count = bars.Count();
    if (n < 1 || count <= n)
        return;
    auto trueRange = [&](int i) {
        const auto at = static_cast<std::size_t>(i);
        const double previous = bars.close[at - 1];
        return std::max({bars.high[at] - bars.low[at], std::fabs(bars.high[at] - previous),
                         std::fabs(bars.low[at] - previous)});
    };
    double atr = 0;
    for (int i = 1; i <= n; ++i)
        atr += trueRange(i);
    atr /= n;
    out[0][static_cast<std::size_t>(n)] = atr;
    for (int i = n + 1; i < count; ++i) {
        atr = (atr * (n - 1) + trueRange(i)) / n;
        out[0][static_cast<std::size_t>(i)] = atr;
    }
}

} // namespace

extern const StudyType kAtrStudy = {"atr",
                                    "Average True Range",
                                    kParameters,
                                    kOutputs,
                                    StudyInputs::HighLowClose,
                                    false,
                                    false,
                                    0,
                                    0,
                                    {},
                                    Compute};
