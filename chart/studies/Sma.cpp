// sma:N - the mean of the last N closes, first at bar N - 1.

#include "chart/studies/Study.h"
#include "chart/studies/StudyMath.h"

namespace {

constexpr StudyParameter kParameters[] = {{"Length", 10, 1, 1000, true}};
constexpr StudyOutput kOutputs[] = {{"", SeriesKind::Line}};

void Compute(const StudyBars& bars, std::span<const double> p,
             std::vector<std::vector<double>>& out) {
    WindowMean(bars.close, static_cast<int>(p[0]), out[0]);
}

} // namespace

extern const StudyType kSmaStudy = {"sma",
                                    "Simple Moving Average",
                                    kParameters,
                                    kOutputs,
                                    StudyInputs::Close,
                                    true,
                                    false,
                                    0,
                                    0,
                                    {},
                                    Compute};
