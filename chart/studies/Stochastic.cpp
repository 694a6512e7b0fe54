// stoch:K,SK,SD - raw %K = 100 (close - lowest low) / (highest high - lowest low) over the last K
// bars, 0 when the two are equal; k = the mean of the last SK raw values; d = the mean of the last
// SD values of k; both first at bar K + SK + SD - 3.

#include "chart/studies/Study.h"
#include "chart/studies/StudyMath.h"

#include <algorithm>

namespace {

constexpr StudyParameter kParameters[] = {{"%K Length", 14, 1, 1000, true},
                                          {"%K Smoothing", 3, 1, 1000, true},
                                          {"%D Length", 3, 1, 1000, true}};
constexpr StudyOutput kOutputs[] = {{"k", SeriesKind::Line}, {"d", SeriesKind::Line}};
constexpr double kReferences[] = {20, 80};

// The last `n` values pushed, and their sum.
class CRunningWindow {
public:
    explicit CRunningWindow(int n) : m_values(static_cast<std::size_t>(n)) {}
    void Push(double value) {
        double& slot = m_values[m_nNext];
        m_dSum += value - (m_nCount == m_values.size() ? slot : 0);
        slot = value;
        m_nNext = (m_nNext + 1) % m_values.size();
        m_nCount = std::min(m_nCount + 1, m_values.size());
    }
    bool Full() const { return m_nCount == m_values.size(); }
    double Mean() const { return m_dSum / static_cast<double>(m_values.size()); }

private:
    std::vector<double> m_values;
    std::size_t m_nNext = 0, m_nCount = 0;
    double m_dSum = 0;
};

void Compute(const StudyBars& bars, std::span<const double> p,
             std::vector<std::vector<double>>& out) {
    const int k = static_cast<int>(p[0]), smoothK = static_cast<int>(p[1]),
              lengthD = static_cast<int>(p[2]);
    const int count = bars.Count();
    const int first = k + smoothK + lengthD - 3;
    if (first >= count)
        return;
    CWindowHighest highest(k);
    CWindowLowest lowest(k);
    CRunningWindow raw(smoothK), slowK(lengthD);
    for (int i = 0; i < count; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const double high = highest.Push(i, bars.high[at]);
        const double low = lowest.Push(i, bars.low[at]);
        if (i < k - 1)
            continue;
        raw.Push(high == low ? 0 : 100 * (bars.close[at] - low) / (high - low));
        if (!raw.Full())
            continue;
        const double kValue = raw.Mean();
        slowK.Push(kValue);
        if (i < first)
            continue;
        out[0][at] = kValue;
        out[1][at] = slowK.Mean();
    }
}

} // namespace

extern const StudyType kStochasticStudy = {"stoch",
                                           "Stochastic Oscillator",
                                           kParameters,
                                           kOutputs,
                                           StudyInputs::HighLowClose,
                                           false,
                                           true,
                                           0,
                                           100,
                                           kReferences,
                                           Compute};
