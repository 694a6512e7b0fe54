// macd:F,S,G - both averages start at bar S - 1, each with the mean of its own last F (or S)
// closes ending there, then go on as ema; line = fast - slow; signal = an ema:G of the line
// started at bar S - 1; hist = line - signal; all three first at bar S + G - 2. F > S is taken as
// S,F.

#include "chart/studies/Study.h"
#include "chart/studies/StudyMath.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr StudyParameter kParameters[] = {
    {"Fast", 12, 1, 1000, true}, {"Slow", 26, 1, 1000, true}, {"Signal", 9, 1, 1000, true}};
constexpr StudyOutput kOutputs[] = {
    {"line", SeriesKind::Line}, {"signal", SeriesKind::Line}, {"hist", SeriesKind::Histogram}};
constexpr double kReferences[] = {0};

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
    std::vector<double> fastEma(bars.close.size(), kNoValue), slowEma(bars.close.size(), kNoValue);
    SeededEma(bars.close, fast, start, fastEma);
    SeededEma(bars.close, slow, start, slowEma);
    std::vector<double> line(static_cast<std::size_t>(count - start));
    for (int i = start; i < count; ++i)
        line[static_cast<std::size_t>(i - start)] =
            fastEma[static_cast<std::size_t>(i)] - slowEma[static_cast<std::size_t>(i)];
    std::vector<double> signalLine(line.size(), kNoValue);
    SeededEma(line, signal, signal - 1, signalLine);
    for (int i = first; i < count; ++i) {
        const auto at = static_cast<std::size_t>(i - start);
        out[0][static_cast<std::size_t>(i)] = line[at];
        out[1][static_cast<std::size_t>(i)] = signalLine[at];
        out[2][static_cast<std::size_t>(i)] = line[at] - signalLine[at];
    }
}

} // namespace

extern const StudyType kMacdStudy = {"macd", "MACD", kParameters, kOutputs, StudyInputs::Close,
                                     false,  false,  0,           0,        kReferences,
                                     Compute};
