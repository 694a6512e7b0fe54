#pragma once
// A series of the chart and the one function that draws it at a bar, whatever pane it is in:
//
//   Line       a segment from the previous bar's value to this bar's
//   Band       two such lines, through `values` and `lower`
//   Histogram  a bar from the pane's zero (its bottom when 0 lies below it) to the value
//   Dots       a dot at the value
//
// Values are given over the whole record source, by the source's index; a value that is not a
// finite number is none, and the chart draws around it. The price bars (PriceMarks.h) and the
// volume (a histogram) are drawn through the same loop, bar by bar, so that every bar's marks
// stand in the order the series were added.

#include "chart/ChartLayout.h"
#include "chart/RecordSource.h"
#include "platform/Surface.h"

#include <vector>

enum class SeriesKind { Line, Band, Histogram, Dots };

struct ChartSeries {
    SeriesKind kind = SeriesKind::Line;
    ValueColumn values;
    ValueColumn lower; // the band's second line
    Pen pen;
    // The first index of the source whose mark is drawn: a line's first segment ends there.
    int nFirst = 0;
    // The values are those of the elements shown (RecordSource.h's columns joined into the slots
    // of a zoom past a unit a bar, as the volume's sums are), indexed by element, not by source.
    bool bShownValues = false;
    // When set, the marks of falling elements (ChartRecords::Rising) are drawn with this pen.
    const Pen* pFallingPen = nullptr;
};

// Heights in a pane, above its bottom, truncated toward zero: the price pane's scale, the volume
// pane's, or one of a pane of its own.
class CPaneScale {
public:
    virtual ~CPaneScale() = default;
    // False when the value has no height (not a finite number, or off a logarithmic scale).
    virtual bool Height(float value, int& height) const = 0;
    // The same height not truncated, for lines drawn finer than a unit.
    virtual bool ExactHeight(float value, double& height) const {
        int whole = 0;
        const bool placed = Height(value, whole);
        height = whole;
        return placed;
    }
};

// A pane's linear scale from `min` to `max` over `height` units; a flat range puts every value on
// the middle line.
class CLinearScale : public CPaneScale {
public:
    CLinearScale(double min, double max, int height)
        : m_dMin(min), m_dMax(max), m_nHeight(height) {}
    bool Height(float value, int& height) const override;
    bool ExactHeight(float value, double& height) const override;
    double Min() const { return m_dMin; }
    double Max() const { return m_dMax; }

private:
    double m_dMin, m_dMax;
    int m_nHeight;
};

// Draws series at one bar at a time. `base` is the bottom of the series' pane.
class CSeriesPainter {
public:
    CSeriesPainter(Surface& dc, const ChartLayout& layout, const ChartRecords& records)
        : m_dc(dc), m_layout(layout), m_r(records) {}

    // The marks of `series` at element `at` of the records shown (source index i), drawn at x.
    // A `room` above 0 keeps lines and dots within that height over the base: the part of a
    // line beyond it is cut off.
    void Draw(const ChartSeries& series, const CPaneScale& scale, int base, int x, int at, int i,
              int room = 0) const;

private:
    void DrawLine(const ValueColumn& values, const Pen& pen, const CPaneScale& scale, int base,
                  int x, int at, int room) const;

    Surface& m_dc;
    const ChartLayout& m_layout;
    const ChartRecords& m_r;
};
