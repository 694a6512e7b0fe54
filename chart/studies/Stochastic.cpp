// stoch:K,SK,SD - raw %K = 100 (close - lowest low) / (highest high - lowest low) over the last K
// bars, 0 when the two are equal; k = the mean of the last SK raw values; d = the mean of the last
// SD values of k; both first at bar K + SK + SD - 3.

#include "chart/studies/Study.h"
#include "chart/studies/StudyMath.h"

namespace {

constexpr StudyParameter kParameters[] = {{"%K Length", 14, 1, 1000, true},
                                          {"%K Smoothing", 3, 1, 1000, true},
                                          {"%D Length", 3, 1, 1000, true}};
constexpr StudyOutput kOutputs[] = {{"k", SeriesKind::Line}, {"d", SeriesKind::Line}};
constexpr double kReferences[] = {20, 80};

// The mean of the last n values of `x` from index `from` on, where x starts to have values.
void MeanFrom(const std::vector<double>& x, int from, int n, std::vector<double>& out) {
    const int count = static_cast<int>(x.size());
    double sum = 0;
    for (int i = from; i < count; ++i) {
        sum += x[static_cast<std::size_t>(i)];
        if (i - from >= n)
            sum -= x[static_cast<std::size_t>(i - n)];
        if (i - from >= n - 1)
            out[static_cast<std::size_t>(i)] = sum / n;
    }
}

void Compute(const StudyBars& bars, std::span<const double> p,
             std::vector<std::vector<double>>& out) {
    const int k = static_cast<int>(p[0]), smoothK = static_cast<int>(p[1]),
              lengthD = static_cast<int>(p[2]);
    const int count = bars.Count();
    const int first = k + smoothK + lengthD - 3;
    if (first >= count)
        return;
    const std::size_t size = bars.close.size();
    std::vector<double> highest(size, kNoValue), lowest(size, kNoValue), raw(size, kNoValue);
    WindowHighest(bars.high, k, highest);
    WindowLowest(bars.low, k, lowest);
    for (int i = k - 1; i < count; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const double range = highest[at] - lowest[at];
        raw[at] = range == 0 ? 0 : 100 * (bars.close[at] - lowest[at]) / range;
    }
    std::vector<double> slowK(size, kNoValue), slowD(size, kNoValue);
    MeanFrom(raw, k - 1, smoothK, slowK);
    MeanFrom(slowK, k + smoothK - 2, lengthD, slowD);
    for (int i = first; i < count; ++i) {
        out[0][static_cast<std::size_t>(i)] = slowK[static_cast<std::size_t>(i)];
        out[1][static_cast<std::size_t>(i)] = slowD[static_cast<std::size_t>(i)];
    }
}

} // namespace

extern const StudyType kStochasticStudy = {"stoch",
                                           "Stochastic Oscillator",
                                           kParameters,
                                           kOutputs,
                                           StudyInputs::HighLowClose,
                                           false,
                                           true,
                                           0,
                                           100,
                                           kReferences,
                                           Compute};
