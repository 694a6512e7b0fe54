// dmi:N - up-move = high - previous high, down-move = previous low - low; +DM is the up-move when
// it is positive and larger than the down-move, -DM the down-move when it is positive and larger
// than the up-move, else 0. The sums of +DM, -DM and the true range are seeded over bars 1..N-1;
// from bar N each is S = S - S/N + this bar's value; plus = 100 S(+DM) / S(TR), minus likewise
// (both 0 when S(TR) is within 1e-8 of 0), first at bar N. DX = 100 |plus - minus| / (plus +
// minus), left out when that sum is within 1e-8 of 0; the first adx, at bar 2N - 1, is the sum of
// the DX of bars N..2N-1 divided by N; then adx = (adx (N - 1) + DX) / N.

#include "chart/studies/Study.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr StudyParameter kParameters[] = {{"Length", 14, 1, 1000, true}};
constexpr StudyOutput kOutputs[] = {
    {"plus", SeriesKind::Line}, {"minus", SeriesKind::Line}, {"adx", SeriesKind::Line}};
constexpr double kNearZero = 1e-8;

bool IsZero(double value) {
    return std::fabs(value) < kNearZero;
}

void Compute(const StudyBars& bars, std::span<const double> p,
             std::vector<std::vector<double>>& out) {
    const int n = static_cast<int>(p[0]);
    const int count = bars.Count();
    if (n < 1 || count <= n)
        return;
    double plusDm = 0, minusDm = 0, trueRange = 0;
    // This bar's +DM, -DM and true range go to the sums.
    auto add = [&](int i, bool smooth) {
        const auto at = static_cast<std::size_t>(i);
        const double up = bars.high[at] - bars.high[at - 1];
        const double down = bars.low[at - 1] - bars.low[at];
        const double previous = bars.close[at - 1];
        const double range =
            std::max({bars.high[at] - bars.low[at], std::fabs(bars.high[at] - previous),
                      std::fabs(bars.low[at] - previous)});
        if (smooth) {
            plusDm -= plusDm / n;
            minusDm -= minusDm / n;
            trueRange -= trueRange / n;
        }
        plusDm += up > 0 && up > down ? up : 0;
        minusDm += down > 0 && down > up ? down : 0;
        trueRange += range;
    };
    for (int i = 1; i < n; ++i)
        add(i, false);
    double dxSum = 0, adx = 0;
    for (int i = n; i < count; ++i) {
        add(i, true);
        const auto at = static_cast<std::size_t>(i);
        const double plus = IsZero(trueRange) ? 0 : 100 * plusDm / trueRange;
        const double minus = IsZero(trueRange) ? 0 : 100 * minusDm / trueRange;
        out[0][at] = plus;
        out[1][at] = minus;
        const double both = plus + minus;
        const bool hasDx = !IsZero(both);
        const double dx = hasDx ? 100 * std::fabs(plus - minus) / both : 0;
        if (i < 2 * n - 1) {
            dxSum += dx;
        } else if (i == 2 * n - 1) {
            adx = (dxSum + dx) / n;
            out[2][at] = adx;
        } else {
            if (hasDx)
                adx = (adx * (n - 1) + dx) / n;
            out[2][at] = adx;
        }
    }
}

} // namespace

extern const StudyType kDmiStudy = {"dmi",
                                    "Directional Movement",
                                    kParameters,
                                    kOutputs,
                                    StudyInputs::HighLowClose,
                                    false,
                                    false,
                                    0,
                                    0,
                                    {},
                                    Compute};
