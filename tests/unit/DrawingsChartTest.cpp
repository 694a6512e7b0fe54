// The user's drawings on recorded charts: each tool placed by dates and prices lands on its bars
// and prices at every zoom, period and scale, and a point past the newest bar stays out there.

#include "chart/Bars.h"
#include "chart/drawings/DrawingPainter.h"
#include "chart/drawings/DrawingStore.h"
#include "platform/MemorySettings.h"
#include "platform/RecordingSurface.h"
#include "tests/support/MetaStockWriter.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/SyntheticPrices.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kGreen = Rgb(0, 255, 0), kRed = Rgb(255, 0, 0), kBlue = Rgb(0, 0, 255);
// Without the volume the price pane spans y = 5..405, 400 high; the right axis stands at x = 605.
constexpr CSize kFrame{655, 420};
constexpr int kRecords = 60;

// Weekday records from Wednesday 2003-01-01: record 30 holds the highest high (20), record 31
// the lowest low (10), so the price pane spans 10 to 20 (40 units a price unit) whatever part of
// them is shown; every other high is 18 and every other low 12.
std::vector<PriceRecord> Records() {
    std::vector<PriceRecord> records;
    CTradingDays day(2003);
    for (int k = 0; k < kRecords; ++k) {
        const float high = k == 30 ? 20.0f : 18.0f, low = k == 31 ? 10.0f : 12.0f;
        records.push_back({day.Stored(), 15, high, low, 15, 1000, 0});
        day.Next();
    }
    return records;
}

// The date of record k: weekdays from 2003-01-01.
DrawingPoint At(int record, double price) {
    int day = SerialOfYmd(2003, 1, 1);
    for (int k = 0; k < record; ++k)
        do
            ++day;
        while (WeekdayOfSerial(day) >= 5);
    return DrawingPoint{day, -1, price};
}

Drawing Make(DrawingType type, std::vector<DrawingPoint> points, COLORREF color = kRed) {
    Drawing drawing;
    drawing.type = type;
    drawing.points = std::move(points);
    drawing.color = color;
    return drawing;
}

struct View {
    const char* name;
    int barSpace;
    ChartPeriod period;
    bool log;
};

class DrawingsChartTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(m_dir / "MASTER", MasterFileBytes({SecurityEntry(1, "ACME", "ACME")}));
        WriteBytes(m_dir / "F1.DAT", PriceFileBytes(28, Records()));
        m_bars.SetFrameSizeProvider([] { return kFrame; });
        m_bars.SetShowMA1(0);
        m_bars.SetShowMA2(0);
        m_bars.SetShowVolume(0);
        ASSERT_EQ(m_bars.SetMasterPath((m_dir / "MASTER").c_str()), 1);
        ASSERT_EQ(m_bars.ReadMaster(), 0);
        ASSERT_EQ(m_bars.ReadCurrentSymbol(), 0);
        m_store.Load(m_dir / "drawings.json", m_messages);
        m_bars.SetDrawingStore(&m_store);
    }
    void Put(std::vector<Drawing> drawings) {
        m_store.Put(DrawingFolderKey(m_dir.Path()), "ACME", std::move(drawings), m_messages);
    }
    void Show(const View& view) {
        m_bars.SetBarSpace(view.barSpace);
        ChartOptions options;
        options.period = view.period;
        options.bLogScale = view.log;
        m_bars.SetChartOptions(options);
        m_surface.Clear();
        m_bars.DrawChart(m_surface, CRect{0, 0, kFrame.cx, kFrame.cy}, false);
        // The bars as drawn: one green line from the low to the high each, oldest first.
        m_bars_.clear();
        for (const RecordedLine& line : m_surface.Lines())
            if (line.color == kGreen && line.width == 0 && line.from.x == line.to.x)
                m_bars_.push_back(line);
    }
    // The x of the bar that holds record k in the view shown.
    int BarX(int record, const View& view) const {
        const int bar = view.period == ChartPeriod::Weekly ? (record + 2) / 5 : record;
        const int bars = view.period == ChartPeriod::Weekly ? (kRecords + 2 + 4) / 5 : kRecords;
        const int at = bar - (bars - static_cast<int>(m_bars_.size()));
        EXPECT_GE(at, 0) << "record " << record << " is not shown";
        return at >= 0 ? m_bars_[std::size_t(at)].from.x : -1;
    }
    // The y of a price as the bars place it: 5 + 40 a price unit above 10, or on the logarithmic
    // scale ln(price / 10) / ln 2 of the pane.
    static int Y(double price, const View& view) {
        const double place = view.log ? std::log(price / 10) / std::log(2.0) : (price - 10) / 10;
        return 5 + static_cast<int>(std::lround(place * 400));
    }
    std::vector<RecordedLine> LinesOf(COLORREF color) const {
        std::vector<RecordedLine> lines;
        for (const RecordedLine& line : m_surface.Lines())
            if (line.color == color)
                lines.push_back(line);
        return lines;
    }
    std::vector<RecordedText> TextsOf(COLORREF color) const {
        std::vector<RecordedText> texts;
        for (const RecordedText& text : m_surface.Texts())
            if (text.color == color)
                texts.push_back(text);
        return texts;
    }

    CTempDir m_dir;
    CMemorySettings m_settings;
    CScriptedMessages m_messages;
    CBars m_bars{m_settings, m_messages};
    CDrawingStore m_store;
    CRecordingSurface m_surface;
    std::vector<RecordedLine> m_bars_;
};

const View kViews[] = {
    {"daily at 5 units", 5, ChartPeriod::Stored, false},
    {"daily at 9 units", 9, ChartPeriod::Stored, false},
    {"weekly at 12 units", 12, ChartPeriod::Weekly, false},
    {"daily on the log scale", 7, ChartPeriod::Stored, true},
};

// Within a unit: the drawings round exact places, the bars truncate heights.
#define EXPECT_AT(line, x1, y1, x2, y2, name)                                                      \
    do {                                                                                           \
        EXPECT_EQ((line).from.x, x1) << name;                                                      \
        EXPECT_NEAR((line).from.y, y1, 1) << name;                                                 \
        EXPECT_EQ((line).to.x, x2) << name;                                                        \
        EXPECT_NEAR((line).to.y, y2, 1) << name;                                                   \
    } while (0)

TEST_F(DrawingsChartTest, TrendLineAndRectangleStandOnTheirBarsAndPrices) {
    Drawing line = Make(DrawingType::TrendLine, {At(40, 12), At(50, 18)});
    Drawing box = Make(DrawingType::Rectangle, {At(42, 13), At(48, 17)}, kBlue);
    box.style = LineStyle::Dotted;
    Put({line, box});
    for (const View& v : kViews) {
        Show(v);
        const std::vector<RecordedLine> red = LinesOf(kRed), blue = LinesOf(kBlue);
        ASSERT_EQ(red.size(), 1u) << v.name;
        EXPECT_AT(red[0], BarX(40, v), Y(12, v), BarX(50, v), Y(18, v), v.name);
        ASSERT_EQ(blue.size(), 4u) << v.name;
        const int left = BarX(42, v), right = BarX(48, v);
        EXPECT_AT(blue[0], left, Y(13, v), right, Y(13, v), v.name);
        EXPECT_AT(blue[1], right, Y(13, v), right, Y(17, v), v.name);
        EXPECT_AT(blue[2], right, Y(17, v), left, Y(17, v), v.name);
        EXPECT_AT(blue[3], left, Y(17, v), left, Y(13, v), v.name);
        EXPECT_EQ(blue[0].style, LineStyle::Dotted);
    }
    // A printed chart has them too, in their own colours (the print colours draw the chart's own
    // lines blue, none dotted).
    m_surface.Clear();
    m_bars.DrawChart(m_surface, CRect{0, 0, kFrame.cx, kFrame.cy}, true);
    EXPECT_EQ(LinesOf(kRed).size(), 1u);
    const std::vector<RecordedLine> blue = LinesOf(kBlue);
    EXPECT_EQ(std::count_if(blue.begin(), blue.end(),
                            [](const RecordedLine& l) { return l.style == LineStyle::Dotted; }),
              4);
}

TEST_F(DrawingsChartTest, AnExtendedTrendLineRunsToTheRightAxis) {
    Drawing line = Make(DrawingType::TrendLine, {At(40, 12), At(44, 12.4)});
    line.bExtend = true;
    Put({line});
    const View v = kViews[0];
    Show(v);
    const std::vector<RecordedLine> red = LinesOf(kRed);
    ASSERT_EQ(red.size(), 1u);
    EXPECT_EQ(red[0].from.x, BarX(40, v));
    EXPECT_EQ(red[0].to.x, 605);
    // 16 units up over four bars of 5 units.
    const double slope = 16.0 / 20;
    EXPECT_NEAR(red[0].to.y, Y(12, v) + slope * (605 - BarX(40, v)), 1);
}

TEST_F(DrawingsChartTest, LevelsVerticalLinesAndNotes) {
    Put({Make(DrawingType::HLine, {At(45, 16.5)}), Make(DrawingType::VLine, {At(45, 0)}, kBlue),
         Make(DrawingType::Note, {At(44, 14)}, Rgb(0, 128, 0))});
    m_store.Find(DrawingFolderKey(m_dir.Path()), "ACME");
    std::vector<Drawing> drawings = *m_store.Find(DrawingFolderKey(m_dir.Path()), "ACME");
    drawings[2].text = "breakout";
    Put(drawings);
    for (const View& v : kViews) {
        Show(v);
        const std::vector<RecordedLine> red = LinesOf(kRed), blue = LinesOf(kBlue);
        ASSERT_EQ(red.size(), 1u) << v.name;
        EXPECT_AT(red[0], 5, Y(16.5, v), 605, Y(16.5, v), v.name);
        // The level's price stands in the right column at its height.
        const std::vector<RecordedText> prices = TextsOf(kRed);
        ASSERT_EQ(prices.size(), 1u) << v.name;
        EXPECT_EQ(prices[0].text, "16.50");
        EXPECT_EQ(prices[0].at.x, 607);
        EXPECT_NEAR(prices[0].at.y, Y(16.5, v), 1) << v.name;
        ASSERT_EQ(blue.size(), 1u) << v.name;
        EXPECT_AT(blue[0], BarX(45, v), 5, BarX(45, v), 405, v.name);
        const std::vector<RecordedText> notes = TextsOf(Rgb(0, 128, 0));
        ASSERT_EQ(notes.size(), 1u) << v.name;
        EXPECT_EQ(notes[0].text, "breakout");
        EXPECT_EQ(notes[0].at.x, BarX(44, v)) << v.name;
        EXPECT_NEAR(notes[0].at.y, Y(14, v), 1) << v.name;
    }
}

TEST_F(DrawingsChartTest, FibonacciLevelsWithTheirPrices) {
    Put({Make(DrawingType::Fibonacci, {At(40, 11), At(50, 19)})});
    const char* const kLabels[] = {"0% 19.00",    "23.6% 17.11", "38.2% 15.94", "50% 15.00",
                                   "61.8% 14.06", "78.6% 12.71", "100% 11.00"};
    const double kPrices[] = {19, 17.112, 15.944, 15, 14.056, 12.712, 11};
    for (const View& v : kViews) {
        Show(v);
        const std::vector<RecordedLine> red = LinesOf(kRed);
        const std::vector<RecordedText> labels = TextsOf(kRed);
        ASSERT_EQ(red.size(), 7u) << v.name;
        ASSERT_EQ(labels.size(), 7u) << v.name;
        for (std::size_t k = 0; k < 7; ++k) {
            EXPECT_AT(red[k], BarX(40, v), Y(kPrices[k], v), BarX(50, v), Y(kPrices[k], v), v.name);
            EXPECT_EQ(labels[k].text, kLabels[k]) << v.name;
        }
    }
}

TEST_F(DrawingsChartTest, APointPastTheNewestBarStaysWhereItWasPut) {
    // Three weekdays after the newest record (a Tuesday): over a weekend.
    const DrawingPoint beyond = At(kRecords - 1 + 3, 15);
    Put({Make(DrawingType::VLine, {beyond})});
    for (const View& v : {kViews[0], kViews[1]}) {
        Show(v);
        const std::vector<RecordedLine> red = LinesOf(kRed);
        ASSERT_EQ(red.size(), 1u) << v.name;
        EXPECT_EQ(red[0].from.x, BarX(kRecords - 1, v) + 3 * v.barSpace) << v.name;
    }
    // Where the view puts a point out there, it reads back the same date.
    const CDrawingGeometry geometry = m_bars.Window().DrawingGeometry(kFrame);
    const double x = BarX(kRecords - 1, kViews[1]) + 3 * kViews[1].barSpace;
    EXPECT_EQ(geometry.PointAt(x, 245).nDay, beyond.nDay);
    double back = 0;
    ASSERT_TRUE(geometry.X(geometry.PointAt(x + 40 * 9, 245), back));
    EXPECT_EQ(back, x + 40 * 9);
}

TEST_F(DrawingsChartTest, PointsSnapToTheBarsDateAndToItsPrices) {
    const View v = kViews[1];
    Show(v);
    const CDrawingGeometry geometry = m_bars.Window().DrawingGeometry(kFrame);
    const double x = BarX(45, v) + 3; // within the bar's slot
    const DrawingPoint free = geometry.PointAt(x, Y(17.9, v));
    EXPECT_EQ(free.nDay, At(45, 0).nDay);
    EXPECT_EQ(free.nSeconds, -1);
    EXPECT_NEAR(free.dPrice, 17.9, 0.05);
    EXPECT_EQ(geometry.PointOnBarAt(x, Y(17.6, v)).dPrice, 18); // the high
    EXPECT_EQ(geometry.PointOnBarAt(x, Y(12.3, v)).dPrice, 12); // the low
    EXPECT_EQ(geometry.PointOnBarAt(x, Y(15.2, v)).dPrice, 15); // the open and close
}

TEST_F(DrawingsChartTest, LinesLeavingThePaneAreClippedAndUnplaceablePricesLeftOut) {
    Put({Make(DrawingType::TrendLine, {At(0, 5), At(59, 30)}),
         Make(DrawingType::HLine, {At(10, -3)}, kBlue)});
    Show(kViews[1]); // record 0 is scrolled off at 9 units
    const std::vector<RecordedLine> red = LinesOf(kRed);
    ASSERT_EQ(red.size(), 1u);
    for (const CPoint& p : {red[0].from, red[0].to}) {
        EXPECT_GE(p.x, 5);
        EXPECT_LE(p.x, 605);
        EXPECT_GE(p.y, 5);
        EXPECT_LE(p.y, 405);
    }
    EXPECT_TRUE(LinesOf(kBlue).empty()); // below the pane
    Show(kViews[3]);
    EXPECT_TRUE(LinesOf(kBlue).empty()); // no place at all on the log scale
    EXPECT_TRUE(TextsOf(kBlue).empty());
}

TEST_F(DrawingsChartTest, HitTestingFindsHandlesFirstThenBodies) {
    Put({Make(DrawingType::TrendLine, {At(40, 12), At(50, 18)}),
         Make(DrawingType::HLine, {At(45, 15)})});
    const View v = kViews[1];
    Show(v);
    const CDrawingGeometry geometry = m_bars.Window().DrawingGeometry(kFrame);
    const std::vector<Drawing>& drawings = *m_bars.CurrentDrawings();
    const double mid = (BarX(40, v) + BarX(50, v)) / 2.0;
    const struct {
        const char* name;
        double x, y;
        int selected, drawing, point;
    } kCases[] = {
        {"the line's middle", mid, (Y(12, v) + Y(18, v)) / 2.0, -1, 0, -1},
        {"the level", 100, Y(15, v) + 2.0, -1, 1, -1},
        {"the line's end, not selected", double(BarX(50, v)), double(Y(18, v)), -1, 0, -1},
        {"the line's end, selected", double(BarX(50, v)), double(Y(18, v)), 0, 0, 1},
        {"nothing", 100, double(Y(13, v)), -1, -1, -1},
    };
    for (const auto& c : kCases) {
        const DrawingHit hit = HitTestDrawings(geometry, drawings, c.x, c.y, 4, c.selected);
        EXPECT_EQ(hit.nDrawing, c.drawing) << c.name;
        EXPECT_EQ(hit.nPoint, c.point) << c.name;
    }
}

TEST_F(DrawingsChartTest, OtherSecuritiesAndUnknownTypesDrawNothing) {
    Drawing unknown;
    unknown.type = DrawingType::Unknown;
    m_store.Put(DrawingFolderKey(m_dir.Path()), "OTHER", {Make(DrawingType::HLine, {At(45, 15)})},
                m_messages);
    Put({unknown});
    Show(kViews[0]);
    EXPECT_TRUE(LinesOf(kRed).empty());
    EXPECT_EQ(m_surface.Attributes(), SurfaceAttributes{}); // the surface given back as it was
}

} // namespace
