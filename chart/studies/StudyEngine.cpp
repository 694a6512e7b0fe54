#include "chart/studies/StudyEngine.h"

#include "chart/studies/StudyMath.h"
#include "platform/FloatText.h"

#include <algorithm>
#include <cmath>

namespace {

bool Finite(float value) {
    return std::isfinite(value);
}

} // namespace

StudyValues ComputeStudy(const StudySpec& spec, const CRecordSource& source) {
    StudyValues values;
    if (!spec.pType)
        return values;
    const StudyType& type = *spec.pType;
    const auto count = static_cast<std::size_t>(std::max(source.nCount, 0));
    values.outputs.assign(type.outputs.size(), std::vector<double>(count, kNoValue));
    if (count == 0)
        return values;

    // The bars the study can read, and where each of them stands in the source.
    StudyBars bars;
    std::vector<int> at;
    at.reserve(count);
    const bool range = type.inputs == StudyInputs::HighLowClose;
    const bool volume = type.inputs == StudyInputs::CloseVolume;
    for (int i = 0; i < source.nCount; ++i) {
        const float close = source.close[i];
        if (!Finite(close) || (range && (!Finite(source.high[i]) || !Finite(source.low[i]))) ||
            (volume && !Finite(source.volume[i])))
            continue;
        at.push_back(i);
        bars.close.push_back(ShortestDecimal(close));
        if (range) {
            bars.high.push_back(ShortestDecimal(source.high[i]));
            bars.low.push_back(ShortestDecimal(source.low[i]));
        }
        if (volume)
            bars.volume.push_back(ShortestDecimal(source.volume[i]));
    }
    std::vector<std::vector<double>> computed(type.outputs.size(),
                                              std::vector<double>(at.size(), kNoValue));
    type.compute(bars, spec.parameters, computed);
    for (std::size_t k = 0; k < computed.size(); ++k)
        for (std::size_t j = 0; j < at.size(); ++j)
            values.outputs[k][static_cast<std::size_t>(at[j])] = computed[k][j];
    return values;
}
