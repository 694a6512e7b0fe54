// Drawing of the chart: bars with close ticks, volume, two moving averages, month ticks, labels and
// a title, in a logical space the size of the main frame's client area with y growing upward.
//
//   y = H - 3          top of the label band (first date, title, last date, maximum)
//   y = u + 5 .. H-15  price pane, v high; the lowest low at its bottom, the highest high at its
//   top y = u + 4          line under the price pane y = 6 .. u + 6     volume bars, at most u high
//   y = 5              bottom axis;  y = 0..4 month ticks
//   x = s + 5, 2s + 5, ... bars;  x = W - 50 right axis;  x = W - 48 labels of the right column

#include "chart/Bars.h"
#include "platform/Surface.h"
#include "platform/TextEncoding.h"
#include "quotes/Dates.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

// Heights far outside the panes are drawn as computed, but kept within what a device can take.
constexpr double kHeightLimit = 1 << 20;

struct Layout {
    int W, H;   // logical space
    int s;      // bar spacing
    int xR;     // right axis
    int N;      // bar slots
    int v, u;   // heights of the price and the volume pane
    int yT, xL; // top of the upper labels, left of the right column
};

Layout MakeLayout(CSize frame, int barSpace, bool showVolume) {
    Layout l{};
    l.W = std::max(frame.cx, 1);
    l.H = std::max(frame.cy, 1);
    l.s = std::max(barSpace, 1);
    l.xR = l.W - 50;
    l.N = (l.W - 55) / l.s;
    const int t = l.H - 20;
    l.v = showVolume ? static_cast<int>(t * 0.8) : t;
    l.u = showVolume ? t - l.v : 0;
    l.yT = l.H - 3;
    l.xL = l.W - 48;
    return l;
}

// Truncates a height toward zero; false when it has no finite value.
bool Truncate(double height, int& result) {
    if (!std::isfinite(height))
        return false;
    result = static_cast<int>(std::clamp(std::trunc(height), -kHeightLimit, kHeightLimit));
    return true;
}

// Price and volume heights: the quotient rounded to single precision, the product truncated.
struct Scale {
    float min, max, range, vmax;
    int v, u;

    bool Price(float price, int& height) const {
        if (range == 0) { // a flat range: everything on the pane's middle line
            height = v / 2;
            return std::isfinite(price);
        }
        const float quotient = (price - min) / range;
        return Truncate(static_cast<double>(quotient) * v, height);
    }
    bool Volume(float volume, int& height) const {
        if (!(vmax > 0) || !std::isfinite(vmax)) { // no volume at all
            height = 0;
            return true;
        }
        const float quotient = volume / vmax;
        return Truncate(static_cast<double>(quotient) * u, height);
    }
};

bool IsGood(const QuoteBuffer& q, int i) {
    return q.low.Value(i) != 0 && q.high.Value(i) != 0 && q.close.Value(i) != 0;
}

// Range of the records f..e. Record f's low and high count only when no good record follows it;
// every later record counts, good or not.
Scale MakeScale(const QuoteBuffer& q, int f, int e, const Layout& l) {
    float max = q.high.Value(f), min = q.low.Value(f), vmax = q.volume.Value(f);
    if (f < e) {
        for (int i = f + 1; i <= e; ++i)
            if (IsGood(q, i)) {
                min = q.low.Value(i);
                break;
            }
        for (int i = f + 1; i <= e; ++i)
            if (IsGood(q, i) && q.high.Value(i) < 100 * min) {
                max = q.high.Value(i);
                break;
            }
        for (int i = f + 1; i <= e; ++i) {
            if (q.high.Value(i) > max)
                max = q.high.Value(i);
            if (q.low.Value(i) < min)
                min = q.low.Value(i);
            if (q.volume.Value(i) > vmax)
                vmax = q.volume.Value(i);
        }
    }
    return Scale{min, max, max - min, vmax, l.v, l.u};
}

int MonthOf(std::int16_t day) {
    if (day == 0)
        return 0;
    int year, month, dayOfMonth;
    DayToYmd(static_cast<std::uint16_t>(day), year, month, dayOfMonth);
    return month;
}

void Line(Surface& dc, int x1, int y1, int x2, int y2) {
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

void Text(Surface& dc, unsigned align, int x, int y, const char* text) {
    dc.SetTextAlign(align);
    dc.TextOut(x, y, text);
}

const char* PriceText(float value, char (&text)[64]) {
    std::snprintf(text, sizeof text, "%6.2f", static_cast<double>(value));
    return text;
}

const char* VolumeText(float vmax, char (&text)[64]) {
    const float volume = (vmax > 0 && std::isfinite(vmax)) ? std::min(vmax, 1e15f) : 0.0f;
    const auto thousands = static_cast<long long>(volume / 1000.0f);
    if (thousands != 0)
        std::snprintf(text, sizeof text, "%3lldK", thousands);
    else
        std::snprintf(text, sizeof text, "%3lld", static_cast<long long>(volume));
    return text;
}

} // namespace

int CBars::DrawChart(Surface& dc, const CRect& target, bool printing) {
    const CSize frame = m_fnFrameSize ? m_fnFrameSize() : CSize{target.Width(), target.Height()};
    const Layout l = MakeLayout(frame, m_nBarSpace, m_bShowVolume != 0);
    dc.SetMapMode(MapMode::Anisotropic);
    dc.SetWindowExt(l.W, l.H);
    dc.SetViewportExt(target.Width(), -target.Height());
    dc.SetViewportOrg(0, target.Height());

    Font previousFont;
    if (printing)
        previousFont = dc.SelectFont(Font{"Arial", 12, 700});
    auto color = [&](int item) { return m_crPalette[PaletteIndex(item, printing)]; };
    const Pen axesPen{color(kItemAxes), 0};
    const Pen monthPen{color(kItemAxes), 3};
    const Pen closePen{color(kItemCloseTick), 0};
    const Pen barPen{color(kItemHighLowBar), 0};
    const Pen previousPen = dc.SelectPen(axesPen);
    const Brush background{color(kItemBackground)};
    const Brush previousBrush = dc.SelectBrush(background);
    dc.FillRect(CRect{0, 0, l.W, l.H}, background);
    const COLORREF previousTextColor = dc.SetTextColor(color(kItemNormalText));
    const BackgroundMode previousMode = dc.SetBkMode(BackgroundMode::Transparent);
    const unsigned previousAlign = dc.SetTextAlign(kAlignLeft | kAlignTop);
    const Pen volumePen{color(kItemVolume), 0};
    const Pen ma1Pen{color(kItemMovingAverage1), 0};
    const Pen ma2Pen{color(kItemMovingAverage2), 0};

    Line(dc, 5, 5, l.xR, 5);
    Line(dc, 5, l.u + 4, l.xR, l.u + 4);
    Line(dc, l.xR, 5, l.xR, l.H - 16);

    const QuoteBuffer& q = m_quotes;
    const int n = m_bBuffersAllocated ? q.count : 0;
    // Fewer than two bar slots leave no room for a chart: background and axes only.
    if (n > 0 && l.N >= 2) {
        const int f = std::max(n - l.N + 1, 0);
        const Scale scale = MakeScale(q, f, std::min(n - 1, f + l.N - 1), l);
        const int u = l.u, s = l.s;
        int last = f, xl = s + 5, pcLast = 0;
        bool closeDrawn = false;
        int previousMonth = f > 0 ? MonthOf(q.date.Number(f - 1)) : 0;
        for (int i = f, x = s + 5; i < n && x < l.xR; ++i, x += s) {
            int ph = 0, pl = 0, pc = 0, pv = 0, a = 0, b = 0;
            if (scale.Price(q.high.Value(i), ph) && scale.Price(q.low.Value(i), pl)) {
                dc.SelectPen(barPen);
                Line(dc, x, u + pl + 5, x, u + ph + 6);
            }
            closeDrawn = scale.Price(q.close.Value(i), pc);
            if (closeDrawn) {
                dc.SelectPen(closePen);
                Line(dc, x, u + pc + 5, x + 2, u + pc + 5);
            }
            if (m_bShowVolume && scale.Volume(q.volume.Value(i), pv)) {
                dc.SelectPen(volumePen);
                Line(dc, x, 6, x, pv + 6);
            }
            if (i > m_nMA1Length && m_bShowMA1 && scale.Price(m_ma1.Value(i), a) &&
                scale.Price(m_ma1.Value(i - 1), b)) {
                dc.SelectPen(ma1Pen);
                Line(dc, x, u + a + 5, x - s, u + b + 5);
            }
            if (i > m_nMA2Length && m_bShowMA2 && scale.Price(m_ma2.Value(i), a) &&
                scale.Price(m_ma2.Value(i - 1), b)) {
                dc.SelectPen(ma2Pen);
                Line(dc, x, u + a + 5, x - s, u + b + 5);
            }
            const int month = MonthOf(q.date.Number(i));
            if (i > 0 && month != previousMonth) {
                dc.SelectPen(monthPen);
                Line(dc, x, 0, x, 5);
            }
            previousMonth = month;
            last = i;
            xl = x;
            pcLast = pc;
        }

        char text[64];
        dc.SetTextColor(color(kItemNormalText));
        Text(dc, kAlignRight | kAlignTop, xl, l.yT, FormatDate(q.date.Number(last), 7, ' '));
        const float lastClose = q.close.Value(last);
        if (closeDrawn) {
            dc.SetTextColor(color(kItemCloseTick));
            Text(dc, kAlignLeft | kAlignBaseline, l.xL, u + pcLast + 5, PriceText(lastClose, text));
        }
        dc.SetTextColor(color(kItemNormalText));
        // Where the last close stands in the range decides which range labels keep clear of it.
        const double place =
            scale.range == 0 ? 0.5 : (double(lastClose) - double(scale.min)) / double(scale.range);
        if (place < 0.95)
            Text(dc, kAlignLeft | kAlignTop, l.xL, l.yT, PriceText(scale.max, text));
        if (place > 0.05)
            Text(dc, kAlignLeft | kAlignBaseline, l.xL, u + 5, PriceText(scale.min, text));
        if (m_bShowVolume)
            Text(dc, kAlignLeft | kAlignTop, l.xL, u + 5, VolumeText(scale.vmax, text));
        Text(dc, kAlignLeft | kAlignTop, 7, l.yT, FormatDate(q.date.Number(f), 7, ' '));
        dc.SetTextColor(color(kItemTitleText));
        const int middle = xl / 2;
        const std::string symbol = Windows1252ToUtf8(GetSymbol(m_nCurrentIndex));
        if (xl > 350) {
            Text(dc, kAlignRight | kAlignTop, middle - 5, l.yT, symbol.c_str());
            Text(dc, kAlignLeft | kAlignTop, middle, l.yT, GetName(m_nCurrentIndex));
        } else {
            Text(dc, kAlignCenter | kAlignTop, middle, l.yT, symbol.c_str());
        }
    }

    dc.SelectBrush(previousBrush);
    dc.SelectPen(previousPen);
    dc.SetBkMode(previousMode);
    dc.SetTextColor(previousTextColor);
    dc.SetTextAlign(previousAlign);
    if (printing)
        dc.SelectFont(previousFont);
    std::copy_n(m_nScreenColors, kColorItemCount, m_nWorkColors);
    return 0;
}
