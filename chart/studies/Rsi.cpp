// rsi:N - Wilder's relative strength: at bar N the average gain and loss are the simple means of
// the first N close-to-close changes, afterwards avg = (avg (N - 1) + this change's gain or loss)
// / N; RSI = 100 gain / (gain + loss), 0 when both are 0. First at bar N.

#include "chart/studies/Study.h"

namespace {

constexpr StudyParameter kParameters[] = {{"Length", 14, 1, 1000, true}};
constexpr StudyOutput kOutputs[] = {{"", SeriesKind::Line}};
constexpr double kReferences[] = {30, 70};

double Rsi(double gain, double loss) {
    return gain + loss == 0 ? 0 : 100 * gain / (gain + loss);
}

void Compute(const StudyBars& bars, std::span<const double> p,
             std::vector<std::vector<double>>& out) {
    const int n = static_cast<int>(p[0]);
    const std::span<const double> c = bars.close;
    if (n < 1 || bars.Count() <= n)
        return;
    double gain = 0, loss = 0;
    for (int i = 1; i <= n; ++i) {
        const double change = c[static_cast<std::size_t>(i)] - c[static_cast<std::size_t>(i - 1)];
        (change > 0 ? gain : loss) += change > 0 ? change : -change;
    }
    gain /= n;
    loss /= n;
    out[0][static_cast<std::size_t>(n)] = Rsi(gain, loss);
    for (int i = n + 1; i < bars.Count(); ++i) {
        const double change = c[static_cast<std::size_t>(i)] - c[static_cast<std::size_t>(i - 1)];
        gain = (gain * (n - 1) + (change > 0 ? change : 0)) / n;
        loss = (loss * (n - 1) + (change < 0 ? -change : 0)) / n;
        out[0][static_cast<std::size_t>(i)] = Rsi(gain, loss);
    }
}

} // namespace

extern const StudyType kRsiStudy = {"rsi",
                                    "Relative Strength Index",
                                    kParameters,
                                    kOutputs,
                                    StudyInputs::Close,
                                    false,
                                    true,
                                    0,
                                    100,
                                    kReferences,
                                    Compute};
