// ema:N - k = 2 / (N + 1); first at bar N - 1 with the mean of the first N closes, then
// e = e + k (close - e).

#include "chart/studies/Study.h"
#include "chart/studies/StudyMath.h"

namespace {

constexpr StudyParameter kParameters[] = {{"Length", 20, 1, 1000, true}};
constexpr StudyOutput kOutputs[] = {{"", SeriesKind::Line}};

void Compute(const StudyBars& bars, std::span<const double> p,
             std::vector<std::vector<double>>& out) {
    const int n = static_cast<int>(p[0]);
    SeededEma(bars.close, n, n - 1, out[0]);
}

} // namespace

extern const StudyType kEmaStudy = {"ema",
                                    "Exponential Moving Average",
                                    kParameters,
                                    kOutputs,
                                    StudyInputs::Close,
                                    true,
                                    false,
                                    0,
                                    0,
                                    {},
                                    Compute};
