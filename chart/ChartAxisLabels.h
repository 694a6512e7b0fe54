#pragma once
// The date labels of Chart > Axis Labels, in a band under the chart: at steps that suit the zoom
// (times of the day for intraday records, days, weeks, months, quarters, years and runs of
// years), each label naming what changed there: the year ("2004") where the year changes, the
// month ("Apr") where the month does, else the day ("12") or the time ("10:30"), and for intraday
// records the date ("12 Apr") where the day changes. Years always have four digits.
//
// The step is the finest whose labels would stand, on average, more than one and a half labels'
// widths apart; labels are then placed years first, months next and the rest last, each only where
// it keeps clear of those placed and of the chart's edges, so no two overlap.

#include "chart/ChartLayout.h"

#include <string>
#include <vector>

// Logical units under the chart that the date labels take.
constexpr int kDateBand = 15;

enum class DateUnit { Minutes, Days, Weeks, Months, Years };

struct DateStep {
    DateUnit unit = DateUnit::Days;
    int count = 1;
    bool operator==(const DateStep&) const = default;
};

struct DateLabel {
    int at;           // element of the records shown
    std::string text; // "2004", "Apr", "12", "12 Apr" or "10:30"
    int rank;         // 0 a year, 1 a month or an intraday date, 2 a day, 3 a time
};

// Whether the records shown are intraday: their source stores times and two elements shown
// share a date.
bool ShowsIntraday(const ChartRecords& records);
// The step for the records shown at `barSpace` units a slot.
DateStep ChooseDateStep(const ChartRecords& records, int barSpace);
// Every label of that step, from the left.
std::vector<DateLabel> DateLabelsOf(const ChartRecords& records, DateStep step);
// The labels drawn, each centred on its bar: those that keep clear of each other and of the
// logical space's edges, by rank.
std::vector<DateLabel> PlaceDateLabels(std::vector<DateLabel> labels, const ChartLayout& layout);

// A volume for the axis: "950", "145K", "1.4M", "23M", "2.1B".
std::string VolumeAxisText(double volume);
