#pragma once
// Where the points of drawings stand on a chart, and the point that a place of the chart stands
// for: the chart's own mapping of records to x (the window of bars, its zoom and the records a
// slot joins) and of prices to y (linear or logarithmic), so that a drawing moves with its bars.
//
// A date between two bars belongs to the bar that follows it, which is the bar holding it when
// bars are built by week or month (such a bar carries the date of its last record). Dates before
// the first record or past the newest lie as many bars out as the calendar steps of the bars
// (weekdays, weeks, months, or the intraday bars' interval) count; a point put past the newest
// bar is given such a date, so it comes back where it was put.
//
// Units are the chart's logical units (ChartLayout.h).

#include "chart/ChartLayout.h"
#include "chart/drawings/Drawing.h"

#include <cstdint>

// The calendar step from one bar to the next.
enum class BarStep { Weekdays, Weeks, Months, Seconds };

class CDrawingGeometry {
public:
    // `records` must be those a drawing with `layout` showed (ChartWindow::Records); their source
    // must outlive the geometry. Without `times` (bars built by day, week or month from records
    // with times) the bars' times are not looked at and points get none.
    CDrawingGeometry(const ChartLayout& layout, const ChartRecords& records,
                     const ChartScale& scale, bool times = true);

    const ChartLayout& Layout() const { return m_layout; }
    bool HasBars() const { return m_bShown && m_source.nCount > 0; }
    // The price pane: x from 5 to the right axis, y from its bottom to its top.
    double Left() const { return 5; }
    double Right() const { return m_layout.xR; }
    double Bottom() const { return m_layout.yPrice; }
    double Top() const { return m_layout.yPrice + m_layout.v; }

    // The logical x of a point's bar; false without records.
    bool X(const DrawingPoint& point, double& x) const;
    // The logical y of a price; false where the scale cannot place it (0 or below on the
    // logarithmic scale, or no range at all).
    bool Y(double price, double& y) const;
    // The point for logical (x, y): the date and time of the bar nearest to x (beyond the records,
    // the date that many bar steps out), the price at y.
    DrawingPoint PointAt(double x, double y) const;
    // The same point on the bar's open, high, low or close, whichever lies nearest to y.
    DrawingPoint PointOnBarAt(double x, double y) const;

    BarStep Step() const { return m_step; }

private:
    std::int64_t KeyOf(int index) const;
    std::int64_t KeyOf(const DrawingPoint& point) const;
    // The record index (fractional beyond the records) that a key falls on.
    double IndexOf(std::int64_t key) const;
    // The key `bars` bar steps from `key` (negative: back).
    std::int64_t KeyAfter(std::int64_t key, long long bars) const;
    // Bar steps from key `from` to key `to` (to >= from), rounded up.
    double StepsBetween(std::int64_t from, std::int64_t to) const;
    // The index of the last record of the slot nearest to x; unclamped beyond the records.
    long long IndexAt(double x) const;
    DrawingPoint PointOfKey(std::int64_t key, double price) const;

    ChartLayout m_layout;
    ChartScale m_scale;
    CRecordSource m_source;
    int m_nFirst = 0;
    int m_nGroup = 1;
    bool m_bShown = false; // a bar is shown, so the scale holds
    bool m_bTime = false;
    BarStep m_step = BarStep::Weekdays;
    std::int64_t m_nStepSeconds = 86400;
};
