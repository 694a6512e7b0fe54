// macd:F,S,G - both averages start at bar S - 1, each with the mean of its own last F (or S)
// closes ending there, then go on as ema; line = fast - slow; signal = an ema:G of the line
// started at bar S - 1; hist = line - signal; all three first at bar S + G - 2. F > S is taken as
// S,F.

#include "chart/studies/Study.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr StudyParameter kParameters[] = {
    {"Fast", 12, 1, 1000, true}, {"Slow", 26, 1, 1000, true}, {"Signal", 9, 1, 1000, true}};
constexpr StudyOutput kOutputs[] = {
    {"line", SeriesKind::Line}, {"signal", SeriesKind::Line}, {"hist", SeriesKind::Histogram}};
constexpr double kReferences[] = {0};

// The mean of the n values ending at `last`.
double MeanEndingAt(std::span<const double> x, int last, int n) {
    double sum = 0;
    for (int i = last - n + 1; i <= last; ++i)
        sum += x[static_cast<std::size_t>(i)];
    return sum / n;
}

void Compute(const StudyBars& bars, std::span<const double> p,
             std::vector<std::vector<double>>& out) {
    int fast = static_cast<int>(p[0]), slow = static_cast<int>(p[1]);
    const int signal = static_cast<int>(p[2]);
    if (fast > slow)
        std::swap(fast, slow);
    const int count = bars.Count();
    const int start = slow - 1, first = slow + signal - 2;
    if (first >= count)
        return;
    const std::span<const double> c = bars.close;
    const double kFast = 2.0 / (fast + 1), kSlow = 2.0 / (slow + 1), kSignal = 2.0 / (signal + 1);
    double fastEma = MeanEndingAt(c, start, fast), slowEma = MeanEndingAt(c, start, slow);
    // The signal is seeded with the mean of the first `signal` values of the line.
    double lineSum = 0, signalEma = 0;
    for (int i = start; i < count; ++i) {
        if (i > start) {
            fastEma += kFast * (c[static_cast<std::size_t>(i)] - fastEma);
            slowEma += kSlow * (c[static_cast<std::size_t>(i)] - slowEma);
        }
        const double line = fastEma - slowEma;
        if (i < first) {
            lineSum += line;
            continue;
        }
        signalEma =
            i == first ? (lineSum + line) / signal : signalEma + kSignal * (line - signalEma);
        const auto at = static_cast<std::size_t>(i);
        out[0][at] = line;
        out[1][at] = signalEma;
        out[2][at] = line - signalEma;
    }
}

} // namespace

extern const StudyType kMacdStudy = {"macd", "MACD", kParameters, kOutputs, StudyInputs::Close,
                                     false,  false,  0,           0,        kReferences,
                                     Compute};
