#include "chart/Bars.h"
#include "chart/ChartLabels.h"
#include "chart/ChartPanes.h"
#include "platform/MemorySettings.h"
#include "platform/RecordingSurface.h"
#include "tests/support/MetaStockWriter.h"
#include "tests/support/ScriptedMessages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kBlack = Rgb(0, 0, 0), kWhite = Rgb(255, 255, 255), kGreen = Rgb(0, 255, 0),
                   kCyan = Rgb(0, 255, 255), kRed = Rgb(255, 0, 0), kBlue = Rgb(0, 0, 255);

struct Day {
    float high, low, close, volume;
};

// Stored dates from 2003-01-01, one calendar day apart.
std::vector<float> Dates(int count) {
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    std::vector<float> dates;
    int month = 1, day = 1, year = 103;
    for (int i = 0; i < count; ++i) {
        dates.push_back(static_cast<float>(year * 10000 + month * 100 + day));
        if (++day > lengths[month - 1] + (month == 2 && year % 4 == 0)) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    return dates;
}

std::vector<Day> Ramp(int count) {
    std::vector<Day> days;
    for (int i = 0; i < count; ++i)
        days.push_back({float(11 + i), float(9 + i), float(10 + i), float(1000 + i)});
    return days;
}

class DrawChartTest : public ::testing::Test {
protected:
    void Load(const std::vector<Day>& days, std::vector<float> dates = {}) {
        if (dates.empty())
            dates = Dates(static_cast<int>(days.size()));
        std::vector<PriceRecord> records;
        for (std::size_t i = 0; i < days.size(); ++i)
            records.push_back({dates[i], days[i].close, days[i].high, days[i].low, days[i].close,
                               days[i].volume, 0});
        MasterEntry entry;
        entry.symbol = "ACME";
        entry.name = "ACME INDUSTRIES";
        WriteBytes(m_dir / "MASTER", MasterFileBytes({entry}));
        WriteBytes(m_dir / "F1.DAT", PriceFileBytes(28, records));
        ASSERT_EQ(m_bars.SetMasterPath((m_dir / "MASTER").c_str()), 1);
        ASSERT_EQ(m_bars.ReadMaster(), 0);
        ASSERT_EQ(m_bars.ReadCurrentSymbol(), 0);
    }
    const CRecordingSurface& Draw(int width, int height, bool printing = false) {
        m_surface.Clear();
        m_bars.SetFrameSizeProvider([=] { return CSize{width, height}; });
        m_bars.DrawChart(m_surface, CRect{0, 0, width, height}, printing);
        return m_surface;
    }
    std::vector<RecordedLine> LinesOf(COLORREF color, int width = 0) const {
        std::vector<RecordedLine> lines;
        for (const RecordedLine& line : m_surface.Lines())
            if (line.color == color && line.width == width)
                lines.push_back(line);
        return lines;
    }
    // The text at a point with an alignment, of the given colour unless that is kAnyColor.
    static constexpr COLORREF kAnyColor = 0xFFFFFFFF;
    const RecordedText* TextAt(int x, int y, unsigned align, COLORREF color = kAnyColor) const {
        for (const RecordedText& text : m_surface.Texts())
            if (text.at == CPoint{x, y} && text.align == align &&
                (color == kAnyColor || text.color == color))
                return &text;
        return nullptr;
    }
    std::string TextOrNone(int x, int y, unsigned align, COLORREF color = kAnyColor) const {
        const RecordedText* text = TextAt(x, y, align, color);
        return text ? text->text : "<none>";
    }

    CTempDir m_dir;
    CMemorySettings m_settings;
    CScriptedMessages m_messages;
    CBars m_bars{m_settings, m_messages};
    CRecordingSurface m_surface;
};

TEST_F(DrawChartTest, BarsFillTheSlotsLeftOfTheRightAxis) {
    Load(Ramp(200));
    Draw(655, 420);
    const auto bars = LinesOf(kGreen);
    ASSERT_EQ(bars.size(), 149u);
    for (std::size_t k = 0; k < bars.size(); ++k)
        EXPECT_EQ(bars[k].from.x, 9 + 4 * int(k));
    EXPECT_EQ(bars.back().from.x, 601);
    const auto axes = LinesOf(kWhite);
    ASSERT_EQ(axes.size(), 3u);
    EXPECT_EQ(axes[2].from, (CPoint{605, 5}));
    EXPECT_EQ(axes[2].to, (CPoint{605, 404}));
    // The range is that of the records shown, without the first one's low (a good record
    // follows it); the last close lies in the top 5 % of it, so only the minimum is labelled.
    EXPECT_EQ(TextOrNone(607, 85, kAlignLeft | kAlignBaseline), " 61.00");
    EXPECT_EQ(TextOrNone(607, 417, kAlignLeft | kAlignTop), "<none>");
    EXPECT_EQ(TextOrNone(607, 80 + 317 + 5, kAlignLeft | kAlignBaseline), "209.00");
}

TEST_F(DrawChartTest, PanesWithAndWithoutVolume) {
    Load(Ramp(20));
    Draw(655, 420);
    const auto axes = LinesOf(kWhite);
    EXPECT_EQ(axes[0].from, (CPoint{5, 5}));
    EXPECT_EQ(axes[0].to, (CPoint{605, 5}));
    EXPECT_EQ(axes[1].from, (CPoint{5, 84}));
    const auto bars = LinesOf(kGreen);
    EXPECT_EQ(bars[1].from, (CPoint{13, 85}));     // the lowest low at the bottom of the pane
    EXPECT_EQ(bars.front().from, (CPoint{9, 69})); // the first record's low does not count
    EXPECT_EQ(bars.back().to, (CPoint{85, 406}));  // the highest high at its top, 20th bar
    EXPECT_EQ(LinesOf(kRed).size(), 20u + 9u);     // volume bars and moving average 1
    // Twenty bars are too few to end the last date at the last bar without running into the
    // first date: it follows the first date on the band that hangs from H - 3.
    EXPECT_EQ(TextAt(85, 417, kAlignRight | kAlignTop), nullptr);
    EXPECT_NE(TextAt(7 + 6 * kCharWidth + 2 * kCharWidth, 417, kAlignLeft | kAlignTop), nullptr);

    m_bars.SetShowVolume(0);
    Draw(655, 420);
    EXPECT_EQ(LinesOf(kWhite)[1].from, (CPoint{5, 4}));
    EXPECT_EQ(LinesOf(kGreen)[1].from, (CPoint{13, 5}));
    EXPECT_EQ(LinesOf(kGreen).back().to, (CPoint{85, 406}));
    EXPECT_EQ(LinesOf(kRed).size(), 9u);                             // no volume bars
    EXPECT_EQ(TextAt(607, 5, kAlignLeft | kAlignTop), nullptr);      // no volume label
    EXPECT_NE(TextAt(607, 5, kAlignLeft | kAlignBaseline), nullptr); // the minimum
}

TEST_F(DrawChartTest, TitleSplitsOnlyBeyond350) {
    m_bars.SetBarSpace(5);
    Load(Ramp(69)); // last bar at x = 350
    Draw(800, 420);
    EXPECT_EQ(TextOrNone(175, 417, kAlignCenter | kAlignTop), "ACME");
    Load(Ramp(70)); // last bar at x = 355
    Draw(800, 420);
    EXPECT_EQ(TextOrNone(172, 417, kAlignRight | kAlignTop), "ACME");
    EXPECT_EQ(TextOrNone(177, 417, kAlignLeft | kAlignTop), "ACME INDUSTRIES ");
    EXPECT_EQ(TextOrNone(7, 417, kAlignLeft | kAlignTop), "030101");
    EXPECT_EQ(TextOrNone(355, 417, kAlignRight | kAlignTop), "030311");
}

TEST_F(DrawChartTest, VolumeLabels) {
    const struct {
        float volume;
        const char* label;
    } cases[] = {{999, "999"},     {42, " 42"}, {1500, "  1K"},
                 {250000, "250K"}, {0, "  0"},  {-1, "  0"}};
    for (const auto& c : cases) {
        std::vector<Day> days = Ramp(5);
        for (Day& day : days)
            day.volume = c.volume;
        Load(days);
        Draw(655, 420);
        EXPECT_EQ(TextOrNone(607, 85, kAlignLeft | kAlignTop), c.label) << c.volume;
    }
    // Without any volume the bars have no height.
    for (const RecordedLine& line : LinesOf(kRed))
        if (line.from.y == 6) {
            EXPECT_EQ(line.to.y, 6);
        }
}

TEST_F(DrawChartTest, RangeLabelsKeepClearOfTheLastClose) {
    auto labels = [&](float lastClose) {
        std::vector<Day> days = {
            {200, 100, 150, 10}, {200, 100, 150, 10}, {200, 100, lastClose, 10}};
        Load(days);
        Draw(655, 420);
        return TextOrNone(607, 417, kAlignLeft | kAlignTop) + "|" +
               TextOrNone(607, 85, kAlignLeft | kAlignBaseline, kWhite);
    };
    EXPECT_EQ(labels(150), "200.00|100.00");
    EXPECT_EQ(labels(200), "<none>|100.00"); // at the top
    EXPECT_EQ(labels(100), "200.00|<none>"); // at the bottom
    EXPECT_EQ(labels(105), "200.00|<none>"); // exactly 5 % up
    EXPECT_EQ(labels(195), "<none>|100.00"); // 95 %
    // The last close stands level with its tick: 0.95 in single precision is a little less.
    EXPECT_EQ(TextOrNone(607, 85 + 303, kAlignLeft | kAlignBaseline), "195.00");
    EXPECT_EQ(TextAt(607, 85 + 303, kAlignLeft | kAlignBaseline)->color, kCyan);
}

TEST_F(DrawChartTest, MovingAverageStartsAfterItsLength) {
    Load(Ramp(40));
    Draw(655, 420);
    const auto ma1 = LinesOf(kRed);
    std::vector<RecordedLine> segments;
    for (const RecordedLine& line : ma1)
        if (line.from.y != 6)
            segments.push_back(line);
    ASSERT_EQ(segments.size(), 29u); // records 11 to 39
    EXPECT_EQ(segments[0].from.x, 9 + 4 * 11);
    EXPECT_EQ(segments[0].to.x, 9 + 4 * 10);
    EXPECT_EQ(LinesOf(kBlue).size(), 19u); // average 2: records 21 to 39
}

TEST_F(DrawChartTest, BadFirstRecordDoesNotPullTheRange) {
    std::vector<Day> days = {{50, 0, 10, 1}, {20, 10, 15, 1}, {30, 12, 20, 1}};
    Load(days);
    Draw(655, 420);
    EXPECT_EQ(TextOrNone(607, 85, kAlignLeft | kAlignBaseline), " 10.00"); // min not 0
    EXPECT_EQ(TextOrNone(607, 417, kAlignLeft | kAlignTop), " 30.00");     // nor does its high
    days[2].low = 0; // a zero low after f makes the minimum 0
    Load(days);
    Draw(655, 420);
    EXPECT_EQ(TextOrNone(607, 85, kAlignLeft | kAlignBaseline), "  0.00");
}

TEST_F(DrawChartTest, MonthTicksIncludeTheFirstShownBar) {
    Load(Ramp(200)); // 149 shown from record 51, 2003-02-21; record 59 is 2003-03-01
    Draw(655, 420);
    std::vector<int> ticks;
    for (const RecordedLine& line : LinesOf(kWhite, 3))
        ticks.push_back(line.from.x);
    EXPECT_EQ(ticks.front(), 9 + 4 * (59 - 51));
    std::vector<float> dates = Dates(200);
    dates[50] = 1030131; // the record before the first shown bar lies in January
    Load(Ramp(200), dates);
    Draw(655, 420);
    EXPECT_EQ(LinesOf(kWhite, 3).front().from, (CPoint{9, 0}));
    EXPECT_EQ(LinesOf(kWhite, 3).front().to, (CPoint{9, 5}));
}

TEST_F(DrawChartTest, PrintingUsesPrintColoursAndFont) {
    Load(Ramp(30));
    m_bars.SetWorkColor(kItemBackground, 4);
    m_bars.CommitColors();
    const CRecordingSurface& surface = Draw(655, 420, true);
    ASSERT_EQ(surface.Fills().size(), 1u);
    EXPECT_EQ(surface.Fills()[0].color, kWhite);
    EXPECT_EQ(surface.Fills()[0].rect, (RecordedRect{0, 0, 655, 420}));
    EXPECT_EQ(LinesOf(kGreen).size(), 0u);
    EXPECT_FALSE(LinesOf(kBlue).empty()); // close ticks
    for (const RecordedText& text : surface.Texts()) {
        EXPECT_EQ(text.font, (Font{"Arial", 12, 700}));
        EXPECT_TRUE(text.color == kBlack || text.color == kBlue);
    }
    EXPECT_EQ(surface.SelectedFont(), Font{}); // given back
}

TEST_F(DrawChartTest, CleanUpRestoresTheSurfaceAndTheWorkingColours) {
    Load(Ramp(30));
    const SurfaceAttributes before = m_surface.Attributes();
    m_bars.SetWorkColor(kItemAxes, 6); // not committed
    Draw(655, 420);
    EXPECT_EQ(m_surface.Attributes(), before);
    EXPECT_EQ(LinesOf(kWhite).size(), 3u);
    EXPECT_EQ(m_bars.GetWorkColor(kItemAxes), 7);
    EXPECT_EQ(m_surface.GetWindowExt(), (CSize{655, 420}));
    EXPECT_EQ(m_surface.GetViewportExt(), (CSize{655, -420}));
    EXPECT_EQ(m_surface.GetViewportOrg(), (CPoint{0, 420}));
    m_bars.SetWorkColor(kItemAxes, 6);
    m_bars.CommitColors();
    Draw(655, 420);
    EXPECT_EQ(LinesOf(Rgb(255, 255, 0)).size(), 3u);
}

TEST_F(DrawChartTest, NarrowFramesAndEmptyDataDrawOnlyTheAxes) {
    Draw(655, 420); // nothing loaded
    EXPECT_EQ(m_surface.Lines().size(), 3u);
    EXPECT_TRUE(m_surface.Texts().empty());
    Load(Ramp(10));
    Draw(62, 420); // one bar slot
    EXPECT_EQ(m_surface.Lines().size(), 3u);
    EXPECT_TRUE(m_surface.Texts().empty());
    Draw(0, 0);
    EXPECT_EQ(m_surface.Fills().size(), 1u);
}

TEST_F(DrawChartTest, FlatOrBrokenValuesStayFinite) {
    std::vector<Day> flat(10, Day{5, 5, 5, 0});
    Load(flat);
    Draw(655, 420);
    for (const RecordedLine& bar : LinesOf(kGreen)) {
        EXPECT_EQ(bar.from.y, 80 + 160 + 5); // the middle line
        EXPECT_EQ(bar.to.y, 80 + 160 + 6);
    }
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<Day> broken = {
        {nan, 1, 2, 3}, {4, inf, 2, nan}, {1e30f, -1e30f, 2, 1e30f}, {3, 1, nan, 5}};
    Load(broken);
    Draw(655, 420);
    for (const RecordedLine& line : m_surface.Lines()) {
        EXPECT_LE(std::abs(line.from.y), 1 << 21);
        EXPECT_LE(std::abs(line.to.y), 1 << 21);
    }
}

// A further pane is a provider and a few lines: here the closes' distance from 20 in a pane of
// its own, with a reference line at 0.
class CDistancePane : public CSeriesProvider {
public:
    std::vector<int> PaneHeights() const override { return {100}; }
    void AddSeries(const CRecordSource& source, ChartPanePlan& plan) override {
        m_values.resize(static_cast<std::size_t>(source.nCount));
        for (int i = 0; i < source.nCount; ++i)
            m_values[static_cast<std::size_t>(i)] = source.close[i] - 20;
        ChartPane pane;
        pane.series.push_back({SeriesKind::Line, {m_values.data(), 1}, {}, Pen{kBlue, 0}, 0});
        pane.references = {0};
        plan.panes.push_back(pane);
    }

private:
    std::vector<float> m_values;
};

TEST_F(DrawChartTest, AProviderAddsAPaneBelowTheVolume) {
    Load(Ramp(20));
    CDistancePane provider;
    m_bars.SetSeriesProvider(&provider);
    Draw(655, 420);
    const ChartLayout l = m_bars.Window().Layout(CSize{655, 420});
    ASSERT_EQ(l.panes.size(), 1u);
    const PaneBox box = l.panes[0];
    EXPECT_EQ(box.y, 6);
    EXPECT_EQ(l.yVolume, box.y + box.height + 1);
    EXPECT_EQ(l.yPrice + l.v, 420 - 15); // the price pane still reaches the top
    // One segment a bar after the first, from -10 at the bottom of the pane to +9 at its top.
    const auto line = LinesOf(kBlue);
    ASSERT_EQ(line.size(), 19u);
    EXPECT_EQ(line.front().to, (CPoint{9, box.y}));
    EXPECT_EQ(line.back().from, (CPoint{85, box.y + box.height}));
    EXPECT_EQ(TextOrNone(607, box.y + box.height, kAlignLeft | kAlignTop), "  9.00");
    EXPECT_EQ(TextOrNone(607, box.y, kAlignLeft | kAlignBaseline), "-10.00");
    // The pane's line under the volume, and the dotted zero.
    EXPECT_EQ(LinesOf(kWhite)[3].from, (CPoint{5, box.y + box.height}));
    int zero = 0;
    CLinearScale(-10, 9, box.height).Height(0, zero);
    EXPECT_EQ(LinesOf(kWhite)[4].from, (CPoint{8, box.y + zero}));

    m_bars.SetSeriesProvider(nullptr);
    Draw(655, 420);
    EXPECT_TRUE(LinesOf(kBlue).empty());
}

// A line over the prices that leaves their range (every other bar 40 above and below the close)
// is cut at the price pane's edges, never drawn over the volume or the labels.
class CWideOverlay : public CSeriesProvider {
public:
    std::vector<int> PaneHeights() const override { return {}; }
    void AddSeries(const CRecordSource& source, ChartPanePlan& plan) override {
        m_values.resize(static_cast<std::size_t>(source.nCount));
        for (int i = 0; i < source.nCount; ++i)
            m_values[static_cast<std::size_t>(i)] = source.close[i] + (i % 2 ? 40.f : -40.f);
        plan.overlays.push_back({SeriesKind::Line, {m_values.data(), 1}, {}, Pen{kBlue, 0}, 0});
    }

private:
    std::vector<float> m_values;
};

TEST_F(DrawChartTest, OverlaysStayWithinThePricePane) {
    Load(Ramp(20));
    CWideOverlay provider;
    m_bars.SetSeriesProvider(&provider);
    Draw(655, 420);
    const ChartLayout l = m_bars.Window().Layout(CSize{655, 420});
    const auto line = LinesOf(kBlue);
    EXPECT_EQ(line.size(), 19u); // every segment keeps its part within the pane
    for (const RecordedLine& segment : line)
        for (const CPoint& end : {segment.from, segment.to}) {
            EXPECT_GE(end.y, l.yPrice);
            EXPECT_LE(end.y, l.yPrice + l.v);
        }
}

} // namespace
