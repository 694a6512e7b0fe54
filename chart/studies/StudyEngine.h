#pragma once
// Studies computed over a chart's record source: the bars whose inputs are finite numbers go to a
// study's computation, the others get no value, and every output comes back by the source's own
// index, NaN where it has no value.
//
// The stored values are turned into the decimals they show (ShortestDecimal) once for a source,
// in a CStudyInput that every study computed over that source shares.

#include "chart/RecordSource.h"
#include "chart/studies/StudySpec.h"

#include <vector>

struct StudyValues {
    std::vector<std::vector<double>> outputs; // outputs[k][i]: output k at record i
};

class CStudyInput {
public:
    explicit CStudyInput(const CRecordSource& source);

    int Count() const { return m_nCount; }
    bool HasVolume() const { return m_bVolume; }
    // The bars a study reading `inputs` sees, and the index in the source of each; no indexes
    // when they are all the bars.
    const StudyBars& Bars(StudyInputs inputs);
    const std::vector<int>& Positions(StudyInputs inputs) const;

private:
    struct Kept {
        bool bMade = false;
        StudyBars bars;
        std::vector<int> positions;
        std::vector<double> high, low, close,
            volume; // the bars' own values, when some are left out
    };

    int m_nCount;
    bool m_bVolume;
    std::vector<double> m_high, m_low, m_close, m_volume;
    Kept m_kept[3];
};

StudyValues ComputeStudy(const StudySpec& spec, CStudyInput& input);
StudyValues ComputeStudy(const StudySpec& spec, const CRecordSource& source);
// Several studies over one source, on as many of the processor's cores as they can use: each
// study is computed by one thread, and none of them shares anything but the bars it reads.
std::vector<StudyValues> ComputeStudies(const std::vector<StudySpec>& specs,
                                        const CRecordSource& source);
