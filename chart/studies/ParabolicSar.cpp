// sar:A,M - parabolic stop and reverse, from bar 1. The trend starts long unless bar 1's down-move
// (low0 - low1) is positive and larger than its up-move (high1 - high0); long, the extreme point
// EP is high1 and the SAR low0; short, EP is low1 and the SAR high0; the factor AF starts at A.
// At each bar: when the bar penetrates the SAR the trend turns, the SAR becomes EP (kept outside
// the range of this bar and the previous one), AF returns to A and EP is this bar's extreme;
// otherwise a new extreme moves EP and raises AF by A up to M. The bar's value is the SAR so
// found; the next SAR is SAR + AF (EP - SAR), kept out of the range of this bar and the previous
// one. For bar 1 the previous bar is bar 1 itself.

#include "chart/studies/Study.h"

#include <algorithm>

namespace {

constexpr StudyParameter kParameters[] = {{"Acceleration", 0.02, 0.0001, 10, false},
                                          {"Maximum", 0.2, 0.0001, 10, false}};
constexpr StudyOutput kOutputs[] = {{"", SeriesKind::Dots}};

void Compute(const StudyBars& bars, std::span<const double> p,
             std::vector<std::vector<double>>& out) {
    const double most = p[1], step = std::min(p[0], most);
    const int count = bars.Count();
    if (count < 2)
        return;
    auto high = [&](int i) { return bars.high[static_cast<std::size_t>(i)]; };
    auto low = [&](int i) { return bars.low[static_cast<std::size_t>(i)]; };
    const double upMove = high(1) - high(0), downMove = low(0) - low(1);
    bool isLong = !(downMove > 0 && downMove > upMove);
    double ep = isLong ? high(1) : low(1);
    double sar = isLong ? low(0) : high(0);
    double af = step;
    double newHigh = high(1), newLow = low(1);
    for (int i = 1; i < count; ++i) {
        const double previousHigh = newHigh, previousLow = newLow;
        newHigh = high(i);
        newLow = low(i);
        if (isLong && newLow <= sar) {
            isLong = false;
            sar = std::max({ep, previousHigh, newHigh});
            out[0][static_cast<std::size_t>(i)] = sar;
            af = step;
            ep = newLow;
            sar = std::max({sar + af * (ep - sar), previousHigh, newHigh});
        } else if (!isLong && newHigh >= sar) {
            isLong = true;
            sar = std::min({ep, previousLow, newLow});
            out[0][static_cast<std::size_t>(i)] = sar;
            af = step;
            ep = newHigh;
            sar = std::min({sar + af * (ep - sar), previousLow, newLow});
        } else {
            out[0][static_cast<std::size_t>(i)] = sar;
            if (isLong && newHigh > ep) {
                ep = newHigh;
                af = std::min(af + step, most);
            } else if (!isLong && newLow < ep) {
                ep = newLow;
                af = std::min(af + step, most);
            }
            sar += af * (ep - sar);
            sar = isLong ? std::min({sar, previousLow, newLow})
                         : std::max({sar, previousHigh, newHigh});
        }
    }
}

} // namespace

extern const StudyType kSarStudy = {
    "sar", "Parabolic SAR", kParameters, kOutputs, StudyInputs::HighLowClose, true, false, 0, 0,
    {},    Compute};
