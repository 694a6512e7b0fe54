// cci:N - the typical price TP = (high + low + close) / 3; (TP - the mean of the last N TP) /
// (0.015 times their mean absolute deviation from that mean), 0 when the deviation is 0; first at
// bar N - 1.

#include "chart/studies/Study.h"

#include <cmath>

namespace {

constexpr StudyParameter kParameters[] = {{"Length", 20, 1, 1000, true}};
constexpr StudyOutput kOutputs[] = {{"", SeriesKind::Line}};
constexpr double kReferences[] = {-100, 100};

void Compute(const StudyBars& bars, std::span<const double> p,
             std::vector<std::vector<double>>& out) {
    const int n = static_cast<int>(p[0]);
    const int count = bars.Count();
    std::vector<double> typical(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < typical.size(); ++i)
        typical[i] = (bars.high[i] + bars.low[i] + bars.close[i]) / 3;
    double sum = 0;
    for (int i = 0; i < count; ++i) {
        sum += typical[static_cast<std::size_t>(i)];
        if (i >= n)
            sum -= typical[static_cast<std::size_t>(i - n)];
        if (i < n - 1)
            continue;
        const double mean = sum / n;
        double deviation = 0;
        for (int j = i - n + 1; j <= i; ++j)
            deviation += std::fabs(typical[static_cast<std::size_t>(j)] - mean);
        deviation /= n;
        out[0][static_cast<std::size_t>(i)] =
            deviation == 0 ? 0
                           : (typical[static_cast<std::size_t>(i)] - mean) / (0.015 * deviation);
    }
}

} // namespace

extern const StudyType kCciStudy = {"cci",
                                    "Commodity Channel Index",
                                    kParameters,
                                    kOutputs,
                                    StudyInputs::HighLowClose,
                                    false,
                                    false,
                                    0,
                                    0,
                                    kReferences,
                                    Compute};
