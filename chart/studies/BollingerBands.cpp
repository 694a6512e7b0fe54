// bbands:N,K - middle = sma:N; upper and lower = middle +- K times the population standard
// deviation (divided by N) of the same N closes.

#include "chart/studies/Study.h"
#include "chart/studies/StudyMath.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr StudyParameter kParameters[] = {{"Length", 20, 1, 1000, true},
                                          {"Deviations", 2, 0, 100, false}};
constexpr StudyOutput kOutputs[] = {
    {"upper", SeriesKind::Line}, {"middle", SeriesKind::Line}, {"lower", SeriesKind::Line}};

void Compute(const StudyBars& bars, std::span<const double> p,
             std::vector<std::vector<double>>& out) {
    const int n = static_cast<int>(p[0]);
    const double k = p[1];
    const std::span<const double> c = bars.close;
    // Running sums of the closes and of their squares, as the library keeps them: the variance is
    // the mean square less the squared mean.
    double sum = 0, squares = 0;
    for (int i = 0; i < bars.Count(); ++i) {
        const double value = c[static_cast<std::size_t>(i)];
        sum += value;
        squares += value * value;
        if (i >= n) {
            const double old = c[static_cast<std::size_t>(i - n)];
            sum -= old;
            squares -= old * old;
        }
        if (i < n - 1)
            continue;
        const double mean = sum / n;
        out[1][static_cast<std::size_t>(i)] = mean;
        const double deviation = std::sqrt(std::max(squares / n - mean * mean, 0.0));
        out[0][static_cast<std::size_t>(i)] = mean + k * deviation;
        out[2][static_cast<std::size_t>(i)] = mean - k * deviation;
    }
}

} // namespace

extern const StudyType kBollingerStudy = {
    "bbands", "Bollinger Bands", kParameters, kOutputs, StudyInputs::Close, true, false, 0, 0, {},
    Compute};
