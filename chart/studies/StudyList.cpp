#include "chart/studies/StudyList.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr COLORREF kStudyColors[] = {Rgb(255, 128, 0),  Rgb(0, 160, 255), Rgb(255, 0, 255),
                                     Rgb(128, 255, 0),  Rgb(255, 255, 0), Rgb(0, 255, 160),
                                     Rgb(160, 96, 255), Rgb(255, 96, 96)};

// A second or third output a little darker than the first, so that they tell apart.
COLORREF Shade(COLORREF color, std::size_t output) {
    if (output == 0)
        return color;
    const int keep = output == 1 ? 70 : 50;
    return Rgb(GetRValue(color) * keep / 100, GetGValue(color) * keep / 100,
               GetBValue(color) * keep / 100);
}

std::string ValueText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

} // namespace

COLORREF StudyColor(std::size_t index) {
    return kStudyColors[index % std::size(kStudyColors)];
}

void CStudyList::SetStudies(std::vector<StudyInstance> studies) {
    m_studies = std::move(studies);
    m_computed.clear();
    m_nCount = -1;
}

std::vector<int> CStudyList::PaneHeights() const {
    std::vector<int> heights;
    for (const StudyInstance& study : m_studies)
        if (!study.spec.pType->bOverlay)
            heights.push_back(study.height);
    return heights;
}

void CStudyList::SetPaneHeight(std::size_t pane, int height) {
    for (StudyInstance& study : m_studies)
        if (!study.spec.pType->bOverlay && pane-- == 0) {
            study.height = height;
            return;
        }
}

void CStudyList::Compute(const CRecordSource& source) {
    if (m_pSource == source.close.pData && m_nCount == source.nCount && m_nStamp == source.nStamp &&
        m_computed.size() == m_studies.size())
        return;
    m_computed.clear();
    std::vector<StudySpec> specs;
    for (const StudyInstance& study : m_studies)
        specs.push_back(study.spec);
    for (StudyValues& values : ComputeStudies(specs, source)) {
        Computed computed{std::move(values), {}, false};
        for (const std::vector<double>& output : computed.values.outputs) {
            computed.drawn.emplace_back(output.begin(), output.end());
            computed.bAny = computed.bAny || std::any_of(output.begin(), output.end(),
                                                         [](double v) { return !std::isnan(v); });
        }
        m_computed.push_back(std::move(computed));
    }
    m_pSource = source.close.pData;
    m_nCount = source.nCount;
    m_nStamp = source.nStamp;
}

void CStudyList::AddSeries(const CRecordSource& source, ChartPanePlan& plan) {
    Compute(source);
    for (std::size_t s = 0; s < m_studies.size(); ++s) {
        const StudyInstance& study = m_studies[s];
        const StudyType& type = *study.spec.pType;
        std::vector<ChartSeries> series;
        for (std::size_t k = 0; k < type.outputs.size(); ++k) {
            const Pen pen{Shade(study.color, k), study.width > 1 ? study.width : 0, false, true};
            series.push_back(ChartSeries{
                type.outputs[k].kind, ValueColumn{m_computed[s].drawn[k].data(), 1}, {}, pen, 0});
        }
        if (type.bOverlay) {
            plan.overlays.insert(plan.overlays.end(), series.begin(), series.end());
            continue;
        }
        ChartPane pane;
        pane.series = std::move(series);
        pane.bFixedRange = type.bFixedRange;
        pane.dMin = type.dMin;
        pane.dMax = type.dMax;
        pane.references.assign(type.references.begin(), type.references.end());
        plan.panes.push_back(std::move(pane));
    }
}

std::vector<ChartLegend> CStudyList::Legends(int record) const {
    std::vector<ChartLegend> legends;
    int pane = 0;
    for (std::size_t s = 0; s < m_studies.size(); ++s) {
        const StudyInstance& study = m_studies[s];
        ChartLegend legend{study.spec.pType->bOverlay ? -1 : pane++, SpecTitle(study.spec),
                           study.color};
        if (s < m_computed.size() && !m_computed[s].bAny && m_nCount > 0) {
            legend.text += " needs more bars";
        } else if (s < m_computed.size()) {
            for (const std::vector<double>& output : m_computed[s].values.outputs) {
                const bool inside = record >= 0 && record < static_cast<int>(output.size());
                const double value = inside ? output[static_cast<std::size_t>(record)] : NAN;
                legend.text += std::isnan(value) ? std::string("  -") : "  " + ValueText(value);
            }
        }
        legends.push_back(std::move(legend));
    }
    return legends;
}
