// roc:N - 100 (close / the close N bars earlier - 1), 0 when that close is 0; first at bar N.
// mom:N - close - the close N bars earlier; first at bar N.

#include "chart/studies/Study.h"

namespace {

constexpr StudyParameter kRocParameters[] = {{"Length", 10, 1, 1000, true}};
constexpr StudyParameter kMomParameters[] = {{"Length", 10, 1, 1000, true}};
constexpr StudyOutput kOutputs[] = {{"", SeriesKind::Line}};
constexpr double kReferences[] = {0};

void ComputeRoc(const StudyBars& bars, std::span<const double> p,
                std::vector<std::vector<double>>& out) {
    const int n = static_cast<int>(p[0]);
    for (int i = n; i < bars.Count(); ++i) {
        const double before = bars.close[static_cast<std::size_t>(i - n)];
        out[0][static_cast<std::size_t>(i)] =
            before == 0 ? 0 : 100 * (bars.close[static_cast<std::size_t>(i)] / before - 1);
    }
}

void ComputeMomentum(const StudyBars& bars, std::span<const double> p,
                     std::vector<std::vector<double>>& out) {
    const int n = static_cast<int>(p[0]);
    for (int i = n; i < bars.Count(); ++i)
        out[0][static_cast<std::size_t>(i)] =
            bars.close[static_cast<std::size_t>(i)] - bars.close[static_cast<std::size_t>(i - n)];
}

} // namespace

extern const StudyType kRocStudy = {
    "roc", "Rate of Change", kRocParameters, kOutputs, StudyInputs::Close, false, false, 0,
    0,     kReferences,      ComputeRoc};
extern const StudyType kMomentumStudy = {
    "mom", "Momentum", kMomParameters, kOutputs,       StudyInputs::Close, false, false,
    0,     0,          kReferences,    ComputeMomentum};
