#include "chart/studies/StudyEngine.h"

#include "chart/studies/StudyMath.h"
#include "platform/FloatText.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

namespace {

// Below this many bars a second thread costs more than it saves.
constexpr int kThreadedCount = 20000;

void Convert(const ValueColumn& column, int count, std::vector<double>& out) {
    out.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        out[static_cast<std::size_t>(i)] = ShortestDecimal(column[i]);
}

} // namespace

CStudyInput::CStudyInput(const CRecordSource& source)
    : m_nCount(std::max(source.nCount, 0)), m_bVolume(source.HasColumn(kColVol)) {
    if (m_nCount == 0)
        return;
    // A long history converts its highs and lows on a second core meanwhile.
    auto range = [&] {
        Convert(source.high, m_nCount, m_high);
        Convert(source.low, m_nCount, m_low);
    };
    std::thread helper;
    if (m_nCount >= kThreadedCount && std::thread::hardware_concurrency() > 1)
        helper = std::thread(range);
    Convert(source.close, m_nCount, m_close);
    Convert(source.volume, m_nCount, m_volume);
    if (helper.joinable())
        helper.join();
    else
        range();
}

const StudyBars& CStudyInput::Bars(StudyInputs inputs) {
    Kept& kept = m_kept[static_cast<int>(inputs)];
    if (kept.bMade)
        return kept.bars;
    kept.bMade = true;
    const bool range = inputs == StudyInputs::HighLowClose;
    const bool volume = inputs == StudyInputs::CloseVolume;
    auto usable = [&](std::size_t i) {
        return std::isfinite(m_close[i]) &&
               (!range || (std::isfinite(m_high[i]) && std::isfinite(m_low[i]))) &&
               (!volume || std::isfinite(m_volume[i]));
    };
    std::size_t good = 0;
    while (good < m_close.size() && usable(good))
        ++good;
    if (good == m_close.size()) {
        // Every bar: the converted columns themselves.
        kept.bars = StudyBars{m_high, m_low, m_close, m_volume};
        return kept.bars;
    }
    for (std::size_t i = 0; i < m_close.size(); ++i) {
        if (!usable(i))
            continue;
        kept.positions.push_back(static_cast<int>(i));
        kept.close.push_back(m_close[i]);
        kept.high.push_back(m_high[i]);
        kept.low.push_back(m_low[i]);
        kept.volume.push_back(m_volume[i]);
    }
    kept.bars = StudyBars{kept.high, kept.low, kept.close, kept.volume};
    return kept.bars;
}

const std::vector<int>& CStudyInput::Positions(StudyInputs inputs) const {
    return m_kept[static_cast<int>(inputs)].positions;
}

namespace {

// `outputs` vectors of `count` values without a value yet, each allocated once.
std::vector<std::vector<double>> NoValues(std::size_t outputs, std::size_t count) {
    std::vector<std::vector<double>> values(outputs);
    for (std::vector<double>& output : values)
        output.assign(count, kNoValue);
    return values;
}

} // namespace

StudyValues ComputeStudy(const StudySpec& spec, CStudyInput& input) {
    StudyValues values;
    if (!spec.pType)
        return values;
    const StudyType& type = *spec.pType;
    const auto count = static_cast<std::size_t>(input.Count());
    const StudyBars& bars = input.Bars(type.inputs);
    const std::vector<int>& positions = input.Positions(type.inputs);
    if (positions.empty() && bars.close.size() == count) {
        values.outputs = NoValues(type.outputs.size(), count);
        if (count > 0)
            type.compute(bars, spec.parameters, values.outputs);
        return values;
    }
    std::vector<std::vector<double>> computed = NoValues(type.outputs.size(), bars.close.size());
    if (!bars.close.empty())
        type.compute(bars, spec.parameters, computed);
    values.outputs = NoValues(type.outputs.size(), count);
    for (std::size_t k = 0; k < computed.size(); ++k)
        for (std::size_t j = 0; j < positions.size(); ++j)
            values.outputs[k][static_cast<std::size_t>(positions[j])] = computed[k][j];
    return values;
}

StudyValues ComputeStudy(const StudySpec& spec, const CRecordSource& source) {
    CStudyInput input(source);
    return ComputeStudy(spec, input);
}

std::vector<StudyValues> ComputeStudies(const std::vector<StudySpec>& specs,
                                        const CRecordSource& source) {
    std::vector<StudyValues> values(specs.size());
    CStudyInput input(source);
    // The bars each kind of study reads are made before the threads share them.
    for (const StudySpec& spec : specs)
        if (spec.pType)
            input.Bars(spec.pType->inputs);
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t k; (k = next++) < specs.size();)
            values[k] = ComputeStudy(specs[k], input);
    };
    const std::size_t helpers =
        std::min<std::size_t>(std::max(std::thread::hardware_concurrency(), 1u) - 1,
                              specs.size() > 1 ? specs.size() - 1 : 0);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < std::min<std::size_t>(helpers, 7); ++t)
        threads.emplace_back(work);
    work();
    for (std::thread& thread : threads)
        thread.join();
    return values;
}
