#pragma once
// What a chart draws beyond the price bars, the volume and the two averages: series over the
// price pane and panes of their own below the volume, given by a series provider that the chart
// object's owner sets (the studies are one). With no provider the chart is the one it always was.
//
// A provider computes its series once over the record source and keeps them: it is asked at
// every drawing, with the source the drawing shows, and gives back what it computed before for
// the same source.

#include "chart/ChartSeries.h"
#include "chart/RecordSource.h"

#include <string>
#include <vector>

struct ChartPane {
    std::vector<ChartSeries> series;
    // A fixed range (0 to 100, say); else the range of the values shown.
    bool bFixedRange = false;
    double dMin = 0, dMax = 0;
    // Values across the pane with a dotted line.
    std::vector<double> references;
};

// A line of text naming a series and its value at one bar, in the series' colour: `nPane` -1 for
// the price pane, else the further pane it heads.
struct ChartLegend {
    int nPane = -1;
    std::string text;
    COLORREF color = 0;
};

// Where each legend stands, in logical units, its text hanging from there: each further pane's at
// its top left, the price pane's one a line below the title.
constexpr int kLegendLineHeight = 14;
std::vector<CPoint> LegendPlaces(const ChartLayout& layout,
                                 const std::vector<ChartLegend>& legends);

struct ChartPanePlan {
    std::vector<ChartSeries> overlays; // on the price pane, over the bars
    std::vector<ChartPane> panes;      // below the volume, from the top down
};

class CSeriesProvider {
public:
    virtual ~CSeriesProvider() = default;
    // The heights of the panes it adds below the volume, in percent of a pane's usual height,
    // known before the records are: the layout needs them.
    virtual std::vector<int> PaneHeights() const = 0;
    // Adds its series over `source`, which stays as it is while the plan is drawn.
    virtual void AddSeries(const CRecordSource& source, ChartPanePlan& plan) = 0;
    // The legends of its series with their values at record `i` of the source last given.
    virtual std::vector<ChartLegend> Legends(int /*i*/) const { return {}; }
};

// The scale of a pane of its own for the records shown, elements `first` to `last` of `records`.
CLinearScale PaneScaleOf(const ChartPane& pane, const ChartRecords& records, int height);
