#pragma once
// The chart's geometry in its logical space (the size of the main frame's client area, y growing
// upward), the records it shows and the scale of its panes: what the drawing, the window of bars
// and the hit-testing share.
//
// The panes are a stack that shares the date axis: the price pane on top, the volume pane under
// it, then the panes that series providers add (ChartPanes.h). Without further panes:
//
//   y = H - 3                top of the label band (first date, title, last date, maximum)
//   y = yPrice .. yPrice+v   price pane (yPrice = u + 5); the lowest low at its bottom, the
//                            highest high at its top (H - 15)
//   y = yPrice - 1           line under the price pane
//   y = yVolume .. +u        volume bars (yVolume = 6), at most u high
//   y = 5                    bottom axis;  y = 0..4 month ticks
//   x = s + 5, 2s + 5, ...   bars;  x = W - 50 right axis;  x = W - 48 labels of the right column
//   y = -band .. -1          the date labels, when the chart shows them (else no band)
//
// Further panes take a share of the height at the bottom, each over a line of its own, and the
// price and volume panes share the rest as they share the whole without them. However tall the
// user makes them, they leave the price and volume panes a third of the height.

#include "chart/RecordSource.h"
#include "platform/DeviceMapping.h"
#include "platform/Geometry.h"
#include "platform/Surface.h"

#include <algorithm>
#include <cstdint>
#include <vector>

// A pane below the volume: its bottom and its height.
struct PaneBox {
    int y, height;
};

struct ChartLayout {
    int W, H;                   // logical space
    int s;                      // bar spacing
    int xR;                     // right axis
    int N;                      // bar slots
    int v, u;                   // heights of the price and the volume pane
    int yT, xL;                 // top of the upper labels, left of the right column
    int yPrice;                 // bottom of the price pane
    int yVolume;                // bottom of the volume pane
    std::vector<PaneBox> panes; // the further panes, from the top down
    // Records a slot stands for: 1, or more when the chart is zoomed out past a unit a bar, each
    // slot then a bar built of the records it covers.
    int g = 1;
    // Units under the chart, below y = 0, that the date labels take: H is the frame's height
    // without them.
    int band = 0;

    // x of the k-th record shown.
    int BarX(int k) const { return 5 + (k + 1) * s; }
    // Slots a full chart shows: one fewer than the slots, none when fewer than two slots fit.
    int Page() const { return N >= 2 ? N - 1 : 0; }
    // The records they stand for.
    int RecordsPerPage() const { return Page() * g; }
    // The slot (0-based) nearest to logical x among the first `slots`.
    int SlotNear(double x, int slots) const;
};

// `paneHeights` holds a height for each further pane, in percent of the height a pane gets: a
// fifth of the chart while they take no more than half of it together. `dateBand` units of the
// frame's height are kept under the chart for the date labels.
ChartLayout MakeLayout(CSize frame, int barSpace, bool showVolume,
                       const std::vector<int>& paneHeights = {}, int dateBand = 0);

// The mapping a drawing of the layout into `target` device units sets up: the logical space
// (the band under the chart included) stretched over the target, y growing upward from its
// bottom edge.
CDeviceMapping ChartMapping(const ChartLayout& layout, CSize target);
// Sets a surface up with `mapping`.
void ApplyMapping(Surface& dc, const CDeviceMapping& mapping);

// The records a drawing shows, copied out of their source (RecordSource.h), and the two averages
// over the whole source.
struct ChartRecords {
    // The source they were copied from.
    CRecordSource source;
    // Index of the first record shown within its source: the averages and the month ticks count
    // records from there.
    int nFirst = 0;
    // Records each element stands for, from nFirst on (the last element may stand for fewer), and
    // the index of the last record shown.
    int nGroup = 1;
    int nLast = -1;
    // The same record counted from the first record of the price file.
    int nFirstInFile = 0;
    int nCount = 0;
    // The security stores opens: without them the styles that draw the open draw plain bars.
    bool bOpen = false;
    // Element 0 is the record before the first one shown (zeros when there is none), element
    // k + 1 the k-th record shown.
    std::vector<std::int16_t> date;
    std::vector<float> open, high, low, close, volume;
    // Moving averages 1 and 2 over the whole source, by the source's index; no data when they
    // were not asked for.
    ValueColumn averages[2];

    void Resize(int count);
    // Zeros for the record before the first one shown, when there is none.
    void ClearBefore();
    // The index in the source of the last record of element `at` (-1 before the first record).
    int SourceIndex(int at) const { return std::min(nFirst + at * nGroup, nLast + 1) - 1; }
    // Whether element `at` closed at or above its open, or, without an open, at or above the
    // close before it; an element with neither counts as rising.
    bool Rising(int at) const;
    // The value of a column over the source at element `at`; 0 where it has none.
    float At(const ValueColumn& values, int at) const {
        const int i = SourceIndex(at);
        return values.pData && i >= 0 ? values[i] : 0.0f;
    }
};

// Heights above the bottom of a pane: the quotient rounded to single precision, the product
// truncated toward zero. On the logarithmic scale the quotient is that of the logarithms.
struct ChartScale {
    float min, max, range, vmax;
    int v, u;
    bool bLog = false;
    double logMin = 0, logRange = 0; // ln min and ln max - ln min, on the logarithmic scale

    // False when the height has no finite value, or the price cannot be placed (0 or below on the
    // logarithmic scale). A flat range puts every price on the middle line.
    bool Price(float price, int& height) const;
    // The height not rounded at all, for lines drawn finer than a unit.
    bool ExactPrice(float price, double& height) const;
    // Without any volume every bar is 0 high.
    bool Volume(float volume, int& height) const;
    // The price at a height above the price pane's bottom.
    double PriceAt(double height) const;
    // Where a price lies in the range, 0 at the minimum and 1 at the maximum, not rounded.
    double Place(float price) const;
};

// The range of the records shown. The first record's low and high count only when no good record
// (low, high and close nonzero) follows it; every later record counts, good or not. The
// logarithmic scale needs a range above 0; without one the scale stays linear.
ChartScale MakeScale(const ChartRecords& records, const ChartLayout& layout, bool logScale = false);
