#include "chart/PriceMarks.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMinStyledSpace = 3;

void Line(Surface& dc, int x1, int y1, int x2, int y2) {
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

} // namespace

ChartStyle FittingStyle(ChartStyle style, int barSpace) {
    const bool wide = style == ChartStyle::Ohlc || style == ChartStyle::Candles;
    return wide && barSpace < kMinStyledSpace ? ChartStyle::Bars : style;
}

// Ticks as long as fits between two bars: the close tick of one and the open tick of the next
// never meet.
int OhlcTickLength(int barSpace) {
    return std::max((barSpace - 1) / 2, 1);
}

// Bodies about 70 % of the spacing, an odd number of units around the wick.
int CandleHalfWidth(int barSpace) {
    return std::max((barSpace * 7 / 10 - 1) / 2, 1);
}

CPriceMarks::CPriceMarks(Surface& dc, ChartStyle style, const ChartLayout& layout,
                         const ChartScale& scale, const ChartRecords& records, const Pen& barPen,
                         const Pen& closePen, const Brush& fallingBody,
                         const DirectionColors* pDirection)
    : m_dc(dc), m_style(FittingStyle(style, layout.s)), m_scale(scale), m_r(records),
      m_pDirection(pDirection), m_pBar(&barPen), m_pClose(&closePen), m_pFallingBody(&fallingBody),
      m_nBase(layout.yPrice), m_nSpace(layout.s), m_nTick(OhlcTickLength(layout.s)),
      m_nHalfBody(CandleHalfWidth(layout.s)) {}

// The open counts only where the security stores one and it is not 0, a missing value.
bool CPriceMarks::OpenHeight(int at, int& po) const {
    const float open = m_r.open[at];
    return m_r.bOpen && open != 0 && std::isfinite(open) && m_scale.Price(open, po);
}

bool CPriceMarks::Draw(int x, int at, int& pc) {
    int po = 0;
    bool placed = false;
    if (m_pDirection) {
        m_pBar = m_pClose = m_r.Rising(at) ? &m_pDirection->rising : &m_pDirection->falling;
        m_pFallingBody = &m_pDirection->fallingBody;
    }
    switch (m_style) {
    case ChartStyle::Bars:
        DrawBar(x, at, x + 2, pc, placed);
        break;
    case ChartStyle::Ohlc:
        DrawBar(x, at, x + m_nTick + 1, pc, placed);
        if (OpenHeight(at, po)) {
            m_dc.SelectPen(*m_pBar);
            Line(m_dc, x - m_nTick, m_nBase + po, x, m_nBase + po);
        }
        break;
    case ChartStyle::Candles:
        placed = m_scale.Price(m_r.close[at], pc);
        if (placed && OpenHeight(at, po))
            DrawCandle(x, at, po, pc);
        else
            DrawBar(x, at, x + 2, pc, placed);
        break;
    case ChartStyle::Line:
        placed = m_scale.Price(m_r.close[at], pc);
        if (placed)
            DrawLine(x, at, pc);
        break;
    }
    return placed;
}

// The high-low bar covers the pixels of the low and of the high; the close tick runs right from
// the bar to tickEnd.
void CPriceMarks::DrawBar(int x, int at, int tickEnd, int& pc, bool& placed) {
    int ph = 0, pl = 0;
    if (m_scale.Price(m_r.high[at], ph) && m_scale.Price(m_r.low[at], pl)) {
        m_dc.SelectPen(*m_pBar);
        Line(m_dc, x, m_nBase + pl, x, m_nBase + ph + 1);
    }
    placed = m_scale.Price(m_r.close[at], pc);
    if (placed) {
        m_dc.SelectPen(*m_pClose);
        Line(m_dc, x, m_nBase + pc, tickEnd, m_nBase + pc);
    }
}

// The wick stops at the body, so that a hollow body shows the background.
void CPriceMarks::DrawCandle(int x, int at, int po, int pc) {
    const int bottom = m_nBase + std::min(po, pc), top = m_nBase + std::max(po, pc);
    const int left = x - m_nHalfBody, right = x + m_nHalfBody;
    int ph = 0, pl = 0;
    m_dc.SelectPen(*m_pBar);
    if (m_scale.Price(m_r.low[at], pl) && m_nBase + pl < bottom)
        Line(m_dc, x, m_nBase + pl, x, bottom);
    if (m_scale.Price(m_r.high[at], ph) && m_nBase + ph > top)
        Line(m_dc, x, top + 1, x, m_nBase + ph + 1);
    if (m_r.close[at] < m_r.open[at])
        m_dc.FillRect(CRect{left, bottom, right, top}, *m_pFallingBody);
    if (top == bottom) {
        Line(m_dc, left, top, right + 1, top);
        return;
    }
    m_dc.MoveTo(left, bottom);
    m_dc.LineTo(right, bottom);
    m_dc.LineTo(right, top);
    m_dc.LineTo(left, top);
    m_dc.LineTo(left, bottom);
}

// Each close joins the one before it, also the close before the first bar shown; a close with
// none before it is a dot.
void CPriceMarks::DrawLine(int x, int at, int pc) {
    int previous = 0;
    const bool before = at > 1 || m_r.nFirst > 0;
    m_dc.SelectPen(*m_pClose);
    if (before && m_scale.Price(m_r.close[at - 1], previous))
        Line(m_dc, x - m_nSpace, m_nBase + previous, x, m_nBase + pc);
    else
        Line(m_dc, x, m_nBase + pc, x + 1, m_nBase + pc);
}
