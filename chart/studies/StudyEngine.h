#pragma once
// A study computed over a chart's record source: the bars whose inputs are finite numbers go to
// the study's computation, the others get no value, and every output comes back by the source's
// own index, NaN where it has no value.

#include "chart/RecordSource.h"
#include "chart/studies/StudySpec.h"

#include <vector>

struct StudyValues {
    std::vector<std::vector<double>> outputs; // outputs[k][i]: output k at record i
};

StudyValues ComputeStudy(const StudySpec& spec, const CRecordSource& source);
