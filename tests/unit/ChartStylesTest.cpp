// The chart options on recorded drawings: styles, the logarithmic scale, the grid, built periods
// and "Hide Bad Data"; and that with every option at its default nothing changes.

#include "chart/Bars.h"
#include "chart/ChartCommands.h"
#include "chart/ChartGrid.h"
#include "platform/MemorySettings.h"
#include "platform/RecordingSurface.h"
#include "tests/support/MetaStockWriter.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/SyntheticPrices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kGreen = Rgb(0, 255, 0), kCyan = Rgb(0, 255, 255), kWhite = Rgb(255, 255, 255);
constexpr CSize kFrame{655, 420}; // price pane y = 85..405, 320 high

struct Ohlc {
    float open, high, low, close;
};

class ChartStylesTest : public ::testing::Test {
protected:
    // Weekday records from 2003 with a volume of 1000, read as the document opens them.
    void Load(const std::vector<Ohlc>& bars) {
        std::vector<PriceRecord> records;
        CTradingDays day(2003);
        for (const Ohlc& b : bars) {
            records.push_back({day.Stored(), b.open, b.high, b.low, b.close, 1000, 0});
            day.Next();
        }
        Load(records);
    }
    void Load(const std::vector<PriceRecord>& records) {
        WriteBytes(m_dir / "MASTER", MasterFileBytes({SecurityEntry(1, "ACME", "ACME")}));
        WriteBytes(m_dir / "F1.DAT", PriceFileBytes(28, records));
        m_bars.SetFrameSizeProvider([] { return kFrame; });
        ASSERT_EQ(m_bars.SetMasterPath((m_dir / "MASTER").c_str()), 1);
        ASSERT_EQ(m_bars.ReadMaster(), 0);
        ASSERT_EQ(m_bars.ReadCurrentSymbol(), 0);
    }
    void Options(ChartStyle style, bool log = false, ChartPeriod period = ChartPeriod::Stored,
                 bool grid = false) {
        m_bars.SetChartOptions(ChartOptions{style, log, period, grid});
    }
    const CRecordingSurface& Draw() {
        m_surface.Clear();
        m_bars.DrawChart(m_surface, CRect{0, 0, kFrame.cx, kFrame.cy}, false);
        return m_surface;
    }
    // The lines of a colour and width 0 as "x1,y1-x2,y2".
    std::vector<std::string> Lines(COLORREF color) const {
        std::vector<std::string> lines;
        for (const RecordedLine& l : m_surface.Lines())
            if (l.color == color && l.width == 0)
                lines.push_back(std::to_string(l.from.x) + "," + std::to_string(l.from.y) + "-" +
                                std::to_string(l.to.x) + "," + std::to_string(l.to.y));
        return lines;
    }

    CTempDir m_dir;
    CMemorySettings m_settings;
    CScriptedMessages m_messages;
    CBars m_bars{m_settings, m_messages};
    CRecordingSurface m_surface;
};

// A rising and a falling record over the range 10..20 (32 units a price unit), 10 units apart: at
// x = 15 from 12 up to 16, at x = 25 from 16 down to 12.
const std::vector<Ohlc> kRiseAndFall = {{12, 18, 10, 16}, {16, 20, 10, 12}};

TEST_F(ChartStylesTest, MarksOfEachStyle) {
    const struct {
        ChartStyle style;
        int barSpace;
        std::vector<std::string> bars, closes; // High-Low Bar and Close Tick lines
        int fills;                             // falling bodies, besides the background
    } cases[] = {
        {ChartStyle::Bars,
         10,
         {"15,85-15,342", "25,85-25,406"},
         {"15,277-17,277", "25,149-27,149"},
         0},
        {ChartStyle::Ohlc,
         10,
         {"15,85-15,342", "11,149-15,149", "25,85-25,406", "21,277-25,277"},
         {"15,277-20,277", "25,149-30,149"},
         0},
        // Wicks stop at the bodies; bodies 7 units wide, outlined, the falling one filled.
        {ChartStyle::Candles,
         10,
         {"15,85-15,149", "15,278-15,342", "12,149-18,149", "18,149-18,277", "18,277-12,277",
          "12,277-12,149", "25,85-25,149", "25,278-25,406", "22,149-28,149", "28,149-28,277",
          "28,277-22,277", "22,277-22,149"},
         {},
         1},
        {ChartStyle::Line, 10, {}, {"15,277-16,277", "15,277-25,149"}, 0},
        // At 2 units OHLC bars and candles do not fit: bars as always.
        {ChartStyle::Candles, 2, {"7,85-7,342", "9,85-9,406"}, {"7,277-9,277", "9,149-11,149"}, 0},
    };
    Load(kRiseAndFall);
    for (const auto& c : cases) {
        m_bars.SetBarSpace(c.barSpace);
        Options(c.style);
        Draw();
        EXPECT_EQ(Lines(kGreen), c.bars) << int(c.style) << " " << c.barSpace;
        EXPECT_EQ(Lines(kCyan), c.closes) << int(c.style) << " " << c.barSpace;
        ASSERT_EQ(m_surface.Fills().size(), 1u + c.fills);
        if (c.fills) {
            EXPECT_EQ(m_surface.Fills()[1].color, kCyan);
            EXPECT_EQ(m_surface.Fills()[1].rect, (RecordedRect{22, 149, 28, 277}));
        }
    }
    EXPECT_EQ(m_surface.Fills().size(), 1u);
}

// Coloured by direction, every mark of the rising record (x = 15) and of its volume bar is in the
// rising colour, every mark of the falling one (x = 25) in the falling colour; the close line's
// segment takes the colour of the record it ends at. Without opens the close before decides.
TEST_F(ChartStylesTest, ColourByDirectionOnEachStyle) {
    constexpr COLORREF kYellow = Rgb(255, 255, 0), kMagenta = Rgb(255, 0, 255);
    const struct {
        ChartStyle style;
        std::vector<Ohlc> bars;
    } cases[] = {
        {ChartStyle::Bars, kRiseAndFall},
        {ChartStyle::Ohlc, kRiseAndFall},
        {ChartStyle::Candles, kRiseAndFall},
        {ChartStyle::Line, kRiseAndFall},
        {ChartStyle::Ohlc, {{0, 18, 10, 16}, {0, 20, 10, 12}}},
    };
    for (const auto& c : cases) {
        Load(c.bars);
        m_bars.SetBarSpace(10);
        ChartOptions options;
        options.style = c.style;
        options.bColorByDirection = true;
        options.nUpColor = 6;
        options.nDownColor = 5;
        m_bars.SetChartOptions(options);
        Draw();
        int rising = 0, falling = 0;
        for (const RecordedLine& line : m_surface.Lines()) {
            const int x = std::max(line.from.x, line.to.x);
            if (line.color == kWhite || x >= 605)
                continue; // the axes
            if (x <= 20) {
                EXPECT_EQ(line.color, kYellow) << int(c.style) << " at " << x;
                ++rising;
            } else {
                EXPECT_EQ(line.color, kMagenta) << int(c.style) << " at " << x;
                ++falling;
            }
        }
        EXPECT_GE(rising, 2) << int(c.style); // a mark and a volume bar each
        EXPECT_GE(falling, 2) << int(c.style);
        for (std::size_t k = 1; k < m_surface.Fills().size(); ++k)
            EXPECT_EQ(m_surface.Fills()[k].color, kMagenta); // the falling body
    }
}

TEST_F(ChartStylesTest, CandlesWithoutOpensAreBars) {
    Load(std::vector<Ohlc>{{0, 18, 10, 16}, {0, 20, 10, 12}});
    m_bars.SetBarSpace(10);
    Options(ChartStyle::Candles);
    Draw();
    EXPECT_EQ(Lines(kGreen), (std::vector<std::string>{"15,85-15,342", "25,85-25,406"}));
}

TEST_F(ChartStylesTest, LogScalePlacesOneTenAndAHundred) {
    Load(std::vector<Ohlc>{{10, 100, 1, 10}, {10, 100, 1, 100}, {10, 100, 1, 1}});
    m_bars.SetShowMA1(0);
    m_bars.SetShowMA2(0);
    Options(ChartStyle::Bars, true);
    Draw();
    EXPECT_EQ(Lines(kCyan),
              (std::vector<std::string>{"9,245-11,245", "13,405-15,405", "17,85-19,85"}));
    ChartScale scale{1, 100, 99, 0, 320, 80, true, 0, std::log(100.0)};
    int height = -1;
    for (const auto& [price, expected] : {std::pair{1.0f, 0}, {10.0f, 160}, {100.0f, 320}}) {
        ASSERT_TRUE(scale.Price(price, height));
        EXPECT_EQ(height, expected) << price;
    }
    EXPECT_FALSE(scale.Price(0, height));
    EXPECT_NEAR(scale.PriceAt(160), 10, 1e-9);
    // The crosshair reads prices, at the middle of the pane 10.
    EXPECT_EQ(m_bars.Window().HitTest(CPoint{100, 420 - 245}, kFrame).strPrice, "10.00");
    EXPECT_EQ(m_bars.Window().GetLeftOut(), LeftOutCounts{});
}

TEST_F(ChartStylesTest, LogScaleLeavesOutPricesOfZeroOrBelow) {
    Load(std::vector<Ohlc>{{10, 12, 9, 11}, {10, 12, 0, 11}, {10, 12, 9, -1}, {10, 13, 10, 12}});
    Options(ChartStyle::Bars, true);
    Draw();
    EXPECT_EQ(Lines(kGreen).size(), 2u);
    EXPECT_EQ(m_bars.Window().GetRecordCount(), 2);
    EXPECT_EQ(m_bars.Window().GetLeftOut().nNotOnLog, 2);
    EXPECT_EQ(LeftOutText(m_bars.Window().GetLeftOut()),
              "2 records of 0 or below left out of the log scale");
}

TEST_F(ChartStylesTest, HideBadDataLeavesOutWhatCannotBeRight) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Load(std::vector<Ohlc>{{10, 13, 9, 11},
                           {10, 0, 9, 11},
                           {10, 9, 12, 10},
                           {10, 12, 9, nan},
                           {10, 12, 9, 13},
                           {10, 13, 9, 12}});
    Draw();
    EXPECT_EQ(Lines(kGreen).size(), 6u);
    EXPECT_EQ(m_bars.Window().GetLeftOut(), LeftOutCounts{});
    m_bars.SetHideBadData(1);
    Draw();
    EXPECT_EQ(Lines(kGreen), (std::vector<std::string>{"9,85-9,406", "13,85-13,406"}));
    EXPECT_EQ(m_bars.Window().GetLeftOut().nBadData, 4);
    EXPECT_EQ(LeftOutText(m_bars.Window().GetLeftOut()), "4 bad records hidden");
}

TEST_F(ChartStylesTest, GridStepsAndLevels) {
    const struct {
        double range, step;
    } steps[] = {{0.7, 0.1}, {13, 2}, {4200, 1000}, {1, 0.2}, {0, 0}};
    for (const auto& c : steps)
        EXPECT_DOUBLE_EQ(GridStep(c.range), c.step) << c.range;
    ChartScale linear{2.13f, 2.83f, 0.7f, 0, 320, 80};
    const GridLevels levels = GridPrices(linear);
    ASSERT_EQ(levels.prices.size(), 7u);
    EXPECT_EQ(GridPriceText(levels.prices.front(), levels.step), "2.2");
    EXPECT_EQ(GridPriceText(4000, 1000), "4000");
    EXPECT_EQ(GridPriceText(7.5, 2.5), "7.5");
    ChartScale log{1, 1000, 999, 0, 320, 80, true, 0, std::log(1000.0)};
    EXPECT_EQ(GridPrices(log).prices, (std::vector<double>{1, 10, 100, 1000}));
}

TEST_F(ChartStylesTest, GridLinesAndLabels) {
    std::vector<Ohlc> bars;
    for (int i = 0; i < 60; ++i)
        bars.push_back({10, 10.5f + float(i) * 0.1f, 9.5f + float(i) * 0.1f, 10 + float(i) * 0.1f});
    Load(bars); // 2003-01-01 to 2003-03-25
    Options(ChartStyle::Bars, false, ChartPeriod::Stored, true);
    Draw();
    std::vector<std::string> texts;
    for (const RecordedText& t : m_surface.Texts())
        if (t.color == kWhite && t.align == (kAlignLeft | kAlignBaseline))
            texts.push_back(t.text);
    // Steps of 1 over 9.6..16.4, but for 16 next to the last close, 15.90; months on the axis.
    EXPECT_EQ(texts, (std::vector<std::string>{"  9.60", "10", "11", "12", "13", "14", "15", "Feb",
                                               "Mar"}));
    int dots = 0;
    for (const RecordedLine& l : m_surface.Lines())
        dots += l.color == kWhite && l.to.x - l.from.x + l.to.y - l.from.y == 1;
    EXPECT_GT(dots, 1000);
}

TEST_F(ChartStylesTest, WeeklyBarsScrollAndReadAsBars) {
    std::vector<PriceRecord> records;
    CTradingDays day(2003);
    for (int i = 0; i < 500; ++i, day.Next())
        records.push_back({day.Stored(), 10, 12, 8, float(10 + i % 7), 100, 0});
    Load(records); // from Wednesday 2003-01-01: 3 days, 99 weeks, 2 days
    Options(ChartStyle::Bars, false, ChartPeriod::Weekly);
    CChartWindow& window = m_bars.Window();
    EXPECT_EQ(window.GetRecordCount(), 101);
    EXPECT_FALSE(window.ScrollToOldest(kFrame)); // all of them fit
    EXPECT_EQ(window.GetEndRecord(), 100);
    ASSERT_TRUE(window.SetEndRecord(1));
    const ChartHit hit = window.HitTest(CPoint{13, 200}, kFrame);
    EXPECT_EQ(hit.nRecord, 1);
    EXPECT_EQ(window.ReadoutText(1), "2003-01-10  O 10  H 12  L 8  C 10  V 500  OI 0  -16.67%");
    Options(ChartStyle::Bars, false, ChartPeriod::Monthly);
    EXPECT_EQ(window.GetRecordCount(), 23); // January 2003 to November 2004
    EXPECT_TRUE(window.IsAtNewest());
}

TEST_F(ChartStylesTest, DefaultOptionsDrawTheChartAsAlways) {
    std::vector<PriceRecord> records = RandomWalk(1000, 2001, 50, 0.02, 7);
    Load(records);
    const std::string plain = (Draw(), m_surface.Trace());
    for (ChartStyle style : {ChartStyle::Candles, ChartStyle::Line}) {
        Options(style, true, ChartPeriod::Weekly, true);
        EXPECT_NE((Draw(), m_surface.Trace()), plain);
    }
    Options(ChartStyle::Bars);
    EXPECT_EQ((Draw(), m_surface.Trace()), plain);
    m_bars.SetChartOptions(LoadChartOptions(m_settings)); // nothing stored: the defaults
    EXPECT_EQ((Draw(), m_surface.Trace()), plain);
}

TEST_F(ChartStylesTest, OptionsPersistInTheirOwnSection) {
    EXPECT_EQ(LoadChartOptions(m_settings), ChartOptions{});
    EXPECT_TRUE(RunChartCommand(ID_CHART_STYLE_CANDLES, m_bars, m_settings));
    EXPECT_TRUE(RunChartCommand(ID_CHART_PERIOD_MONTHLY, m_bars, m_settings));
    EXPECT_TRUE(RunChartCommand(ID_CHART_GRID, m_bars, m_settings));
    EXPECT_TRUE(RunChartCommand(ID_CHART_AXIS_LABELS, m_bars, m_settings));
    EXPECT_FALSE(RunChartCommand(ID_CHART_GRID - 100, m_bars, m_settings));
    const ChartOptions want{ChartStyle::Candles, false, ChartPeriod::Monthly, true, true};
    EXPECT_EQ(m_bars.GetChartOptions(), want);
    EXPECT_EQ(LoadChartOptions(m_settings), want);
    EXPECT_EQ(m_settings.ReadString("Chart", "Period", ""), "3");
    EXPECT_EQ(m_settings.ReadString("ViewOptions", "Style", "none"), "none");
    EXPECT_TRUE(IsChartCommandChecked(ID_CHART_STYLE_CANDLES, want));
    EXPECT_FALSE(IsChartCommandChecked(ID_CHART_LOG_SCALE, want));
    m_settings.WriteString("Chart", "Style", "9");
    m_settings.WriteString("Chart", "Period", "-1");
    m_settings.WriteString("Chart", "UpColor", "8");
    EXPECT_EQ(LoadChartOptions(m_settings).style, ChartStyle::Bars);
    EXPECT_EQ(LoadChartOptions(m_settings).period, ChartPeriod::Stored);
    EXPECT_EQ(LoadChartOptions(m_settings).nUpColor, kDefaultUpColor);
}

} // namespace
