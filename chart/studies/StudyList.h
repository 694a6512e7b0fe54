#pragma once
// The studies a chart shows, as the chart's series provider (ChartPanes.h): each study's outputs
// are computed once for the records the chart is drawn from and kept until those change, so a
// repaint, a scroll or a zoom computes nothing. Overlays (averages, bands, SAR) go over the price
// bars; every other study gets a pane of its own, with its fixed scale and reference lines.

#include "chart/ChartPanes.h"
#include "chart/studies/StudyEngine.h"

#include <string>
#include <vector>

struct StudyInstance {
    StudySpec spec;
    COLORREF color = 0;
    int width = 1;    // in device pixels, as the chart's own lines are one
    int height = 100; // of its pane, in percent of a pane's usual height
};

// The colours new studies get in turn; each output after the first a shade of its own.
COLORREF StudyColor(std::size_t index);

class CStudyList : public CSeriesProvider {
public:
    void SetStudies(std::vector<StudyInstance> studies);
    const std::vector<StudyInstance>& Studies() const { return m_studies; }
    bool Empty() const { return m_studies.empty(); }

    std::vector<int> PaneHeights() const override;
    // Gives the k-th pane another height, in percent.
    void SetPaneHeight(std::size_t pane, int height);
    void AddSeries(const CRecordSource& source, ChartPanePlan& plan) override;

    // "rsi(14)  70.46" for each study: its name with parameters and the values of its outputs at
    // `record` of the source last drawn; "rsi(2000) needs more bars" where the history is too
    // short for it. In the order of the studies, each for its pane.
    std::vector<ChartLegend> Legends(int record) const override;

private:
    struct Computed {
        StudyValues values;
        std::vector<std::vector<float>> drawn; // the values as the chart draws them
        bool bAny;                             // some output has a value somewhere
    };
    void Compute(const CRecordSource& source);

    std::vector<StudyInstance> m_studies;
    std::vector<Computed> m_computed;
    // What the values were computed for.
    const float* m_pSource = nullptr;
    int m_nCount = -1;
    std::uint64_t m_nStamp = 0;
};
