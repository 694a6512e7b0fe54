// The table of studies: one line for each.

#include "chart/studies/Study.h"

#include "platform/FileNames.h"

#include <algorithm>

extern const StudyType kSmaStudy, kEmaStudy, kWmaStudy, kBollingerStudy, kSarStudy, kRsiStudy,
    kMacdStudy, kStochasticStudy, kAtrStudy, kObvStudy, kRocStudy, kMomentumStudy, kWilliamsRStudy,
    kCciStudy, kDmiStudy;

namespace {

const StudyType* const kStudyTypes[] = {
    &kSmaStudy, &kEmaStudy,      &kWmaStudy,        &kBollingerStudy, &kSarStudy,
    &kRsiStudy, &kMacdStudy,     &kStochasticStudy, &kAtrStudy,       &kObvStudy,
    &kRocStudy, &kMomentumStudy, &kWilliamsRStudy,  &kCciStudy,       &kDmiStudy,
};

} // namespace

std::span<const StudyType* const> StudyTypes() {
    return kStudyTypes;
}

const StudyType* FindStudyType(std::string_view name) {
    const auto it =
        std::find_if(std::begin(kStudyTypes), std::end(kStudyTypes),
                     [&](const StudyType* type) { return EqualsNoCase(name, type->pszName); });
    return it == std::end(kStudyTypes) ? nullptr : *it;
}
