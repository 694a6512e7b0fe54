#pragma once
// The marks of one bar in the price pane, in each style of the chart:
//
//   bars     a high-low bar with a close tick to its right: the chart as it always was
//   ohlc     a high-low bar with the open ticked to its left and the close to its right
//   candles  a wick from the low to the high and a body from the open to the close, hollow when
//            the close is at or above the open, filled when it is below
//   line     a line through the closes
//
// The "High-Low Bar" colour draws bars, open ticks, wicks and body outlines; the "Close Tick"
// colour draws close ticks, falling bodies and the close line. Coloured by direction, every mark
// of a rising bar (ChartRecords::Rising) is drawn in the rising colour, and every mark of a
// falling one, its body filled, in the falling colour; a segment of the close line takes the
// colour of the bar it ends at. OHLC bars and candles need three
// units of spacing (ticks and bodies would run into the next bar otherwise) and a stored open:
// without them a bar is drawn in the first style.

#include "chart/ChartLayout.h"
#include "chart/ChartOptions.h"
#include "platform/Surface.h"

// The style a chart of this spacing draws.
ChartStyle FittingStyle(ChartStyle style, int barSpace);
// Length of the OHLC ticks and half the width of a candle body, without the middle unit.
int OhlcTickLength(int barSpace);
int CandleHalfWidth(int barSpace);

// The pens and the body of rising and falling bars, when they are coloured by direction.
struct DirectionColors {
    Pen rising, falling;
    Brush fallingBody;
};

class CPriceMarks {
public:
    // `style` is what the user chose; the marks fall back as the spacing of `layout` needs.
    CPriceMarks(Surface& dc, ChartStyle style, const ChartLayout& layout, const ChartScale& scale,
                const ChartRecords& records, const Pen& barPen, const Pen& closePen,
                const Brush& fallingBody, const DirectionColors* pDirection = nullptr);

    // Draws the marks of element `at` of the records at x; true when its close has a height,
    // which is then in `pc`.
    bool Draw(int x, int at, int& pc);

private:
    bool OpenHeight(int at, int& po) const;
    void DrawBar(int x, int at, int tickEnd, int& pc, bool& placed);
    void DrawCandle(int x, int at, int po, int pc);
    void DrawLine(int x, int at, int pc);

    Surface& m_dc;
    ChartStyle m_style;
    const ChartScale& m_scale;
    const ChartRecords& m_r;
    const DirectionColors* m_pDirection;
    // The pens and the body of the bar being drawn: the chart's own unless coloured by direction.
    const Pen* m_pBar;
    const Pen* m_pClose;
    const Brush* m_pFallingBody;
    int m_nBase; // y of height 0 in the price pane
    int m_nSpace;
    int m_nTick;
    int m_nHalfBody;
};
