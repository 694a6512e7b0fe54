#pragma once
// The optional grid of the chart: dotted lines in the "Axes" colour at round price levels, with
// their prices right of the right axis, and at the first bar of each month, quarter or year, with
// the month or the year on the time axis.
//
// Price levels are 1, 2, 2.5 or 5 times a power of ten apart, four to eight of them in the price
// pane. On the logarithmic scale they are the 1, 2 and 5 of each decade (or every decade, or every
// few decades) while at least four fit, else evenly spaced ones as on the linear scale. Dates take
// the finest of months, quarters, years and steps of 2, 5, 10 or 20 years whose lines stand at
// least kMinDateGap units apart on average.

#include "chart/ChartLayout.h"
#include "platform/Surface.h"

#include <string>
#include <vector>

constexpr int kMinDateGap = 48;
// The height a label is taken to cover, in logical units (the chart's fonts are about 12 high).
constexpr int kGridTextHeight = 12;

// The step between price levels over `range`: the smallest of 1, 2, 2.5 or 5 times a power of ten
// that gives fewer than eight steps; 0 when the range is not a positive finite number.
double GridStep(double range);
// The price levels from min to max of the scale, and the step between them; a step of 0 for the
// levels of decades, which differ.
struct GridLevels {
    std::vector<double> prices;
    double step = 0;
};
GridLevels GridPrices(const ChartScale& scale);
// A level's price with as many decimals as the step between levels needs.
std::string GridPriceText(double price, double step);

// A vertical line of the grid: at element `at` of the records shown, labelled `label` (a month,
// "Apr", or a year, "2004").
struct GridDateLine {
    int at;
    std::string label;
};
// The months between date lines (1, 3, 12, 24, ...) for the records shown at this spacing.
int GridMonthStep(const ChartRecords& records, int barSpace);
std::vector<GridDateLine> GridDates(const ChartRecords& records, int barSpace);

// A band of heights (logical y) that a text already covers.
struct TextBand {
    int low, high;
};

class CChartGrid {
public:
    CChartGrid(const ChartLayout& layout, const ChartScale& scale, const ChartRecords& records);

    // The dotted lines, drawn before the bars so that the bars stand in front of them.
    void DrawLines(Surface& dc, const Pen& pen) const;
    // The labels, in the text colour set; a price label that would run into one of `taken` (the
    // range labels and the last close) is left out. The dates only `withDates`.
    void DrawLabels(Surface& dc, const std::vector<TextBand>& taken, bool withDates = true) const;

private:
    struct Level {
        int y;
        std::string text;
    };

    const ChartLayout& m_layout;
    std::vector<Level> m_levels;
    std::vector<GridDateLine> m_dates;
};
