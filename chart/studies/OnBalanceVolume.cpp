// obv - bar 0 is its volume; then plus the volume on a higher close, minus it on a lower one,
// unchanged on an equal one.

#include "chart/studies/Study.h"

namespace {

constexpr StudyOutput kOutputs[] = {{"", SeriesKind::Line}};

void Compute(const StudyBars& bars, std::span<const double>,
             std::vector<std::vector<double>>& out) {
    double obv = 0;
    for (int i = 0; i < bars.Count(); ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (i == 0)
            obv = bars.volume[at];
        else if (bars.close[at] > bars.close[at - 1])
            obv += bars.volume[at];
        else if (bars.close[at] < bars.close[at - 1])
            obv -= bars.volume[at];
        out[0][at] = obv;
    }
}

} // namespace

extern const StudyType kObvStudy = {
    "obv",  "On Balance Volume", {}, kOutputs, StudyInputs::CloseVolume, false, false, 0, 0, {},
    Compute};
