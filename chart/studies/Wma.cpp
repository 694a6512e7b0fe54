// wma:N - weights 1..N, the newest close weighing N; first at bar N - 1.

#include "chart/studies/Study.h"

namespace {

constexpr StudyParameter kParameters[] = {{"Length", 15, 1, 1000, true}};
constexpr StudyOutput kOutputs[] = {{"", SeriesKind::Line}};

// The weighted sum moves by adding N times the newest close and taking away the plain sum of the
// window before it, as the library moves it.
void Compute(const StudyBars& bars, std::span<const double> p,
             std::vector<std::vector<double>>& out) {
    const int n = static_cast<int>(p[0]);
    const std::span<const double> c = bars.close;
    const int count = bars.Count();
    if (n < 1 || count < n)
        return;
    const double divisor = n * (n + 1) / 2.0;
    double sum = 0, weighted = 0;
    for (int i = 0; i < n - 1; ++i) {
        sum += c[static_cast<std::size_t>(i)];
        weighted += (i + 1) * c[static_cast<std::size_t>(i)];
    }
    for (int i = n - 1, first = 0; i < count; ++i, ++first) {
        const double value = c[static_cast<std::size_t>(i)];
        sum += value;
        weighted += n * value;
        out[0][static_cast<std::size_t>(i)] = weighted / divisor;
        weighted -= sum;
        sum -= c[static_cast<std::size_t>(first)];
    }
}

} // namespace

extern const StudyType kWmaStudy = {"wma",
                                    "Weighted Moving Average",
                                    kParameters,
                                    kOutputs,
                                    StudyInputs::Close,
                                    true,
                                    false,
                                    0,
                                    0,
                                    {},
                                    Compute};
