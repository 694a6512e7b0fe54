#include "chart/ChartPanes.h"

#include <algorithm>
#include <cmath>
#include <limits>

std::vector<CPoint> LegendPlaces(const ChartLayout& l, const std::vector<ChartLegend>& legends) {
    std::vector<CPoint> places;
    int priceLine = 0;
    for (const ChartLegend& legend : legends) {
        const bool price = legend.nPane < 0 || legend.nPane >= static_cast<int>(l.panes.size());
        if (price) {
            places.push_back({8, l.yT - kLegendLineHeight * ++priceLine});
        } else {
            const PaneBox& box = l.panes[static_cast<std::size_t>(legend.nPane)];
            places.push_back({8, box.y + box.height - 2});
        }
    }
    return places;
}

CLinearScale PaneScaleOf(const ChartPane& pane, const ChartRecords& records, int height) {
    if (pane.bFixedRange)
        return CLinearScale(pane.dMin, pane.dMax, height);
    double min = std::numeric_limits<double>::infinity();
    double max = -min;
    auto take = [&](const ValueColumn& values, int nFirst) {
        if (!values.pData)
            return;
        for (int at = 1; at <= records.nCount; ++at) {
            if (records.SourceIndex(at) < nFirst)
                continue;
            const float value = records.At(values, at);
            if (std::isfinite(value)) {
                min = std::min(min, double(value));
                max = std::max(max, double(value));
            }
        }
    };
    for (const ChartSeries& series : pane.series) {
        take(series.values, series.nFirst);
        take(series.lower, series.nFirst);
    }
    if (!(min <= max))
        min = max = 0;
    return CLinearScale(min, max, height);
}
