// Drawing of the chart: bars with close ticks, volume, two moving averages, month ticks, labels and
// a title, in a logical space the size of the main frame's client area with y growing upward
// (ChartLayout.h), and the series and panes a provider adds (ChartPanes.h). The records shown
// come from the window of bars (ChartWindow.h): the newest that fit, unless the user scrolled or
// zoomed. The chart options (ChartOptions.h) choose the marks of each bar (PriceMarks.h), the
// scale and the grid (ChartGrid.h).

#include "chart/Bars.h"
#include "chart/ChartAxisLabels.h"
#include "chart/ChartGrid.h"
#include "chart/ChartLabels.h"
#include "chart/ChartLayout.h"
#include "chart/ChartPanes.h"
#include "chart/ChartSeries.h"
#include "chart/PriceMarks.h"
#include "chart/drawings/DrawingPainter.h"
#include "chart/drawings/DrawingStore.h"
#include "platform/Surface.h"
#include "platform/TextEncoding.h"
#include "quotes/Dates.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

// The month of a date, or its year where every bar is a month of its own and a tick under each
// would say nothing.
int MonthOf(std::int16_t day, bool years = false) {
    if (day == 0)
        return 0;
    int year, month, dayOfMonth;
    DayToYmd(static_cast<std::uint16_t>(day), year, month, dayOfMonth);
    return years ? year : month;
}

void Line(Surface& dc, int x1, int y1, int x2, int y2) {
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

void Text(Surface& dc, unsigned align, int x, int y, const char* text) {
    dc.SetTextAlign(align);
    dc.TextOut(x, y, text);
}

// The price and the volume pane in the scale they share.
class CPriceScale : public CPaneScale {
public:
    explicit CPriceScale(const ChartScale& scale) : m_scale(scale) {}
    bool Height(float value, int& height) const override { return m_scale.Price(value, height); }
    bool ExactHeight(float value, double& height) const override {
        return m_scale.ExactPrice(value, height);
    }

private:
    const ChartScale& m_scale;
};

class CVolumeScale : public CPaneScale {
public:
    explicit CVolumeScale(const ChartScale& scale) : m_scale(scale) {}
    bool Height(float value, int& height) const override { return m_scale.Volume(value, height); }

private:
    const ChartScale& m_scale;
};

// A series with the pane it stands in: its scale and its bottom.
struct PlacedSeries {
    const ChartSeries* pSeries;
    const CPaneScale* pScale;
    int base;
    int room = 0; // the height the series is kept within, 0 for none
};

// The further panes: the lines that part them, their reference lines and their ranges.
void DrawPaneFrames(Surface& dc, const ChartLayout& l, const std::vector<ChartPane>& panes,
                    const std::vector<CLinearScale>& scales, const Pen& axes) {
    dc.SelectPen(axes);
    for (std::size_t k = 0; k < panes.size(); ++k) {
        const PaneBox& box = l.panes[k];
        Line(dc, 5, box.y + box.height, l.xR, box.y + box.height);
        for (const double reference : panes[k].references) {
            int height = 0;
            if (!scales[k].Height(static_cast<float>(reference), height) || height < 0 ||
                height > box.height)
                continue;
            for (int x = 8; x < l.xR; x += 3)
                Line(dc, x, box.y + height, x + 1, box.y + height);
        }
    }
}

void DrawPaneLabels(Surface& dc, const ChartLayout& l, const std::vector<CLinearScale>& scales) {
    for (std::size_t k = 0; k < scales.size(); ++k) {
        const PaneBox& box = l.panes[k];
        Text(dc, kAlignLeft | kAlignTop, l.xL, box.y + box.height,
             PriceLabel(scales[k].Max(), l.W - l.xL).c_str());
        Text(dc, kAlignLeft | kAlignBaseline, l.xL, box.y,
             PriceLabel(scales[k].Min(), l.W - l.xL).c_str());
    }
}

void DrawDateLabels(Surface& dc, const ChartLayout& l, const ChartRecords& r) {
    dc.SetTextAlign(kAlignCenter | kAlignTop);
    const DateStep step = ChooseDateStep(r, l.s);
    for (const DateLabel& label : PlaceDateLabels(DateLabelsOf(r, step), l))
        dc.TextOut(l.BarX(label.at - 1), -2, label.text);
}

void DrawLegends(Surface& dc, const ChartLayout& l, const std::vector<ChartLegend>& legends) {
    const std::vector<CPoint> places = LegendPlaces(l, legends);
    for (std::size_t k = 0; k < legends.size(); ++k) {
        dc.SetTextColor(legends[k].color);
        Text(dc, kAlignLeft | kAlignTop, places[k].x, places[k].y, legends[k].text.c_str());
    }
}

} // namespace

int CBars::DrawChart(Surface& dc, const CRect& target, bool printing) {
    const CSize size{target.Width(), target.Height()};
    const ChartLayout l = m_window.Layout(size);
    ApplyMapping(dc, ChartMapping(l, size));

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
    dc.FillRect(CRect{0, -l.band, l.W, l.H}, background);
    const COLORREF previousTextColor = dc.SetTextColor(color(kItemNormalText));
    const BackgroundMode previousMode = dc.SetBkMode(BackgroundMode::Transparent);
    const unsigned previousAlign = dc.SetTextAlign(kAlignLeft | kAlignTop);

    Line(dc, 5, 5, l.xR, 5);
    Line(dc, 5, l.yPrice - 1, l.xR, l.yPrice - 1);
    Line(dc, l.xR, 5, l.xR, l.H - 16);

    const ChartRecords& r = m_window.Records(l, m_bShowMA1 || m_bShowMA2);
    // Fewer than two bar slots leave no room for a chart: background and axes only.
    if (r.nCount > 0) {
        const ChartScale scale = MakeScale(r, l, m_chartOptions.bLogScale);
        const CPriceScale priceScale(scale);
        const CVolumeScale volumeScale(scale);
        ChartPanePlan plan;
        if (m_pSeriesProvider)
            m_pSeriesProvider->AddSeries(r.source, plan);
        plan.panes.resize(l.panes.size());
        std::vector<CLinearScale> paneScales;
        for (std::size_t k = 0; k < plan.panes.size(); ++k)
            paneScales.push_back(PaneScaleOf(plan.panes[k], r, l.panes[k].height));
        DrawPaneFrames(dc, l, plan.panes, paneScales, axesPen);

        const ChartOptions& options = m_chartOptions;
        // The axis labels put prices at the grid's levels, with or without its lines.
        std::optional<CChartGrid> grid;
        if (options.bGrid || options.bAxisLabels)
            grid.emplace(l, scale, r);
        if (options.bGrid)
            grid->DrawLines(dc, axesPen);
        const DirectionColors direction{Pen{m_crPalette[options.nUpColor & 7], 0},
                                        Pen{m_crPalette[options.nDownColor & 7], 0},
                                        Brush{m_crPalette[options.nDownColor & 7]}};
        const DirectionColors* pDirection = options.bColorByDirection ? &direction : nullptr;
        // Every bar's marks in this order: the volume, the averages, what the provider adds. The
        // volume is that of the slots shown, which the zoom past a unit a bar sums.
        ChartSeries volume{SeriesKind::Histogram,
                           ValueColumn{r.volume.data(), 1},
                           {},
                           Pen{color(kItemVolume), 0},
                           0,
                           true};
        if (pDirection) {
            volume.pen = direction.rising;
            volume.pFallingPen = &direction.falling;
        }
        const ChartSeries ma1{SeriesKind::Line,
                              r.averages[0],
                              {},
                              Pen{color(kItemMovingAverage1), 0, false, true},
                              m_nMA1Length + 1};
        const ChartSeries ma2{SeriesKind::Line,
                              r.averages[1],
                              {},
                              Pen{color(kItemMovingAverage2), 0, false, true},
                              m_nMA2Length + 1};
        std::vector<PlacedSeries> stack;
        if (m_bShowVolume)
            stack.push_back({&volume, &volumeScale, l.yVolume});
        if (m_bShowMA1)
            stack.push_back({&ma1, &priceScale, l.yPrice});
        if (m_bShowMA2)
            stack.push_back({&ma2, &priceScale, l.yPrice});
        // Studies over the prices may leave the prices' range (a band wider than the bars): they
        // are cut at the price pane's edges rather than drawn over the volume or the labels.
        for (const ChartSeries& series : plan.overlays)
            stack.push_back({&series, &priceScale, l.yPrice, l.v});
        for (std::size_t k = 0; k < plan.panes.size(); ++k)
            for (const ChartSeries& series : plan.panes[k].series)
                stack.push_back({&series, &paneScales[k], l.panes[k].y});

        const Brush fallingBody{color(kItemCloseTick)};
        CPriceMarks marks(dc, options.style, l, scale, r, barPen, closePen, fallingBody,
                          pDirection);
        const CSeriesPainter painter(dc, l, r);
        const int s = l.s;
        int last = 1, xl = s + 5, pcLast = 0;
        bool closeDrawn = false;
        // Where every bar is a month, or a slot holds several days' records, a tick under each
        // month would say nothing: the years are ticked.
        const bool yearTicks = m_chartOptions.period == ChartPeriod::Monthly || r.nGroup >= 4;
        int previousMonth = MonthOf(r.date[0], yearTicks);
        // Element `at` of the records ends with record i of their source; it starts with `from`,
        // the same record unless the zoom joins records into slots.
        for (int at = 1, x = s + 5; at <= r.nCount && x < l.xR; ++at, x += s) {
            const int i = r.SourceIndex(at), from = r.nFirst + (at - 1) * r.nGroup;
            int pc = 0;
            closeDrawn = marks.Draw(x, at, pc);
            for (const PlacedSeries& placed : stack)
                painter.Draw(*placed.pSeries, *placed.pScale, placed.base, x, at, i, placed.room);
            const int month = MonthOf(r.date[at], yearTicks);
            if (from > 0 && month != previousMonth) {
                dc.SelectPen(monthPen);
                Line(dc, x, 0, x, 5);
            }
            previousMonth = month;
            last = at;
            xl = x;
            pcLast = pc;
        }

        // The user's drawings lie over the bars and under the texts.
        if (const std::vector<Drawing>* drawings = CurrentDrawings();
            drawings && !drawings->empty())
            DrawDrawings(dc, CDrawingGeometry(l, r, scale, options.period == ChartPeriod::Stored),
                         *drawings, m_nSkippedDrawing);

        // The right column's labels shorten rather than run past the chart's edge.
        const int room = l.W - l.xL;
        // With the axis labels, the header's years have four digits too.
        const int dateMode = options.bAxisLabels ? 2 : 7;
        const std::string firstDate = FormatDate(r.date[1], dateMode, '-');
        const std::string lastDate = FormatDate(r.date[last], dateMode, '-');
        const std::string symbol = Windows1252ToUtf8(GetSymbol(m_nCurrentIndex));
        const std::string name = GetName(m_nCurrentIndex);
        const HeaderPlan header = PlanHeader(firstDate, lastDate, symbol, name, xl, l.xR);
        dc.SetTextColor(color(kItemNormalText));
        if (header.lastDate.bShown)
            Text(dc, header.lastDate.align, header.lastDate.x, l.yT, lastDate.c_str());
        const float lastClose = r.close[last];
        if (closeDrawn) {
            dc.SetTextColor(color(kItemCloseTick));
            Text(dc, kAlignLeft | kAlignBaseline, l.xL, l.yPrice + pcLast,
                 PriceLabel(lastClose, room).c_str());
        }
        dc.SetTextColor(color(kItemNormalText));
        // Where the last close stands in the range decides which range labels keep clear of it;
        // in a pane too low for that, a range label that would still cover it is left out.
        const double place = scale.Place(lastClose);
        const int closeBase = l.yPrice + pcLast;
        const bool maxClear = !closeDrawn || closeBase + kDigitHeight <= l.yT - kDigitHeight;
        const bool minClear = !closeDrawn || closeBase >= l.yPrice + kDigitHeight;
        if (place < 0.95 && maxClear)
            Text(dc, kAlignLeft | kAlignTop, l.xL, l.yT, PriceLabel(scale.max, room).c_str());
        if (place > 0.05 && minClear)
            Text(dc, kAlignLeft | kAlignBaseline, l.xL, l.yPrice,
                 PriceLabel(scale.min, room).c_str());
        if (m_bShowVolume)
            Text(dc, kAlignLeft | kAlignTop, l.xL, l.yPrice,
                 (options.bAxisLabels ? VolumeAxisText(scale.vmax) : VolumeLabel(scale.vmax, room))
                     .c_str());
        if (grid) {
            // The labels of the right column that the grid's prices keep clear of.
            std::vector<TextBand> taken;
            if (closeDrawn)
                taken.push_back({l.yPrice + pcLast, l.yPrice + pcLast + kGridTextHeight});
            if (place < 0.95)
                taken.push_back({l.yT - kGridTextHeight, l.yT});
            if (place > 0.05)
                taken.push_back({l.yPrice, l.yPrice + kGridTextHeight});
            if (m_bShowVolume)
                taken.push_back({l.yPrice - kGridTextHeight, l.yPrice});
            grid->DrawLabels(dc, taken, !options.bAxisLabels);
        }
        if (options.bAxisLabels)
            DrawDateLabels(dc, l, r);
        DrawPaneLabels(dc, l, paneScales);
        if (m_pSeriesProvider)
            DrawLegends(dc, l, m_pSeriesProvider->Legends(r.SourceIndex(last)));
        if (header.firstDate.bShown)
            Text(dc, header.firstDate.align, header.firstDate.x, l.yT, firstDate.c_str());
        dc.SetTextColor(color(kItemTitleText));
        Text(dc, header.symbol.align, header.symbol.x, l.yT, symbol.c_str());
        if (header.name.bShown)
            Text(dc, header.name.align, header.name.x, l.yT, name.c_str());
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

std::string CBars::DrawingFolder() const {
    const char* directory = GetDataDirectory();
    return directory && *directory ? DrawingFolderKey(directory) : std::string();
}

std::string CBars::DrawingSymbol() const {
    const char* symbol = GetSymbol(m_nCurrentIndex);
    std::string text = symbol ? Windows1252ToUtf8(symbol) : std::string();
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.pop_back();
    return text;
}

const std::vector<Drawing>* CBars::CurrentDrawings() const {
    if (!m_pDrawingStore || !IsDataLoaded())
        return nullptr;
    return m_pDrawingStore->Find(DrawingFolder(), DrawingSymbol());
}
