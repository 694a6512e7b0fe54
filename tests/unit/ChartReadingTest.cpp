// Reading the chart: the date labels' steps and texts, texts that never overlap, themes, and the
// zoom past a unit a bar drawn with the slots' own volumes.

#include "chart/Bars.h"
#include "chart/ChartAxisLabels.h"
#include "chart/ChartLabels.h"
#include "chart/ChartThemes.h"
#include "chart/ViewOptions.h"
#include "platform/MemorySettings.h"
#include "platform/RecordingSurface.h"
#include "quotes/Dates.h"
#include "tests/support/MetaStockWriter.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/SyntheticPrices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Records shown as a chart shows them, from 2001-01-02 9:30: `days` weekdays apart, or with
// `minutes`, that many minutes apart from 9:30 to 16:00 of each weekday.
struct ShownRecords {
    ChartRecords r;
    std::vector<std::int16_t> times;
};

void MakeShown(ShownRecords& shown, int count, int days, int minutes = 0) {
    ChartRecords& r = shown.r;
    r.Resize(count);
    r.ClearBefore();
    shown.times.assign(static_cast<std::size_t>(count), 0);
    int day = YmdToDay(2001, 1, 2), minute = 9 * 60 + 30;
    for (int at = 1; at <= count; ++at) {
        r.date[static_cast<std::size_t>(at)] = static_cast<std::int16_t>(day);
        shown.times[static_cast<std::size_t>(at - 1)] = HmsToTime(minute / 60, minute % 60, 0);
        if (minutes > 0 && (minute += minutes) < 16 * 60)
            continue;
        minute = 9 * 60 + 30;
        for (int step = 0; step < days; ++step)
            do
                ++day;
            while ((day + 5) % 7 >= 5); // Monday is 0: day 2 was a Monday
    }
    r.source.nCount = count;
    r.source.time = NumberColumn{shown.times.data(), 1}; // no source header: every column stored
    r.nLast = count - 1;
}

std::vector<std::string> Texts(const std::vector<DateLabel>& labels) {
    std::vector<std::string> texts;
    for (const DateLabel& label : labels)
        texts.push_back(label.text);
    return texts;
}

} // namespace

TEST(DateLabelsTest, StepsFollowTheZoom) {
    const struct {
        const char* range;
        int count, days, minutes, barSpace;
        DateStep step;
        const char* firstLabels; // the first labels placed, joined by spaces
    } cases[] = {
        {"5 days", 5, 1, 0, 40, {DateUnit::Days, 1}, "3 4 5 8"},
        {"a month", 22, 1, 0, 40, {DateUnit::Days, 1}, "3 4 5 8"},
        {"a quarter", 65, 1, 0, 10, {DateUnit::Weeks, 1}, "8 15 22 29"},
        {"a year", 260, 1, 0, 4, {DateUnit::Months, 1}, "Feb Mar Apr May"},
        {"5 years", 1300, 1, 0, 1, {DateUnit::Months, 3}, "Apr Jul Oct 2002"},
        {"20 years", 1040, 5, 0, 1, {DateUnit::Years, 1}, "2002 2003 2004 2005"},
        {"60 years", 1560, 10, 0, 1, {DateUnit::Years, 5}, "2005 2010 2015 2020"},
        {"intraday, a day", 78, 1, 5, 8, {DateUnit::Minutes, 60}, "10:00 11:00 12:00 13:00"},
        {"intraday, 4 days", 312, 1, 5, 4, {DateUnit::Minutes, 120}, "10:00 12:00 14:00 3 Jan"},
        {"intraday, a month", 160, 1, 60, 8, {DateUnit::Days, 1}, "3 4 5 8"},
    };
    for (const auto& c : cases) {
        ShownRecords shown;
        MakeShown(shown, c.count, c.days, c.minutes);
        const ChartLayout layout =
            MakeLayout(CSize{c.count * c.barSpace + 55, 400}, c.barSpace, true, {}, kDateBand);
        const DateStep step = ChooseDateStep(shown.r, c.barSpace);
        EXPECT_EQ(step, c.step) << c.range << ": " << int(step.unit) << " x" << step.count;
        const std::vector<DateLabel> placed = PlaceDateLabels(DateLabelsOf(shown.r, step), layout);
        std::string first;
        for (std::size_t k = 0; k < std::min<std::size_t>(placed.size(), 4); ++k)
            first += (k ? " " : "") + placed[k].text;
        EXPECT_EQ(first, c.firstLabels) << c.range;
        // Years always have four digits, and the labels keep clear of each other.
        for (std::size_t k = 1; k < placed.size(); ++k) {
            const int gap = layout.BarX(placed[k].at - 1) - layout.BarX(placed[k - 1].at - 1);
            EXPECT_GE(2 * gap, TextWidth(placed[k].text) + TextWidth(placed[k - 1].text))
                << c.range << " " << placed[k].text;
        }
    }
}

TEST(DateLabelsTest, TextsNameWhatChanged) {
    ShownRecords shown;
    MakeShown(shown, 400, 1);
    const std::vector<std::string> months = Texts(DateLabelsOf(shown.r, {DateUnit::Months, 1}));
    EXPECT_EQ(std::vector<std::string>(months.begin(), months.begin() + 12),
              (std::vector<std::string>{"Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep",
                                        "Oct", "Nov", "Dec", "2002"}));
    // Weeks: the day of each Monday, the month where a week starts in a new one.
    const std::vector<std::string> weeks = Texts(DateLabelsOf(shown.r, {DateUnit::Weeks, 1}));
    EXPECT_EQ(std::vector<std::string>(weeks.begin(), weeks.begin() + 6),
              (std::vector<std::string>{"8", "15", "22", "29", "Feb", "12"}));
    EXPECT_EQ(VolumeAxisText(950), "950");
    EXPECT_EQ(VolumeAxisText(144574), "145K");
    EXPECT_EQ(VolumeAxisText(1440000), "1.4M");
    EXPECT_EQ(VolumeAxisText(23e6), "23M");
    EXPECT_EQ(VolumeAxisText(2.1e9), "2.1B");
}

namespace {

constexpr COLORREF kWhite = Rgb(255, 255, 255), kBlack = Rgb(0, 0, 0);

class ChartReadingTest : public ::testing::Test {
protected:
    void Load(const std::vector<PriceRecord>& records, CSize frame) {
        m_frame = frame;
        WriteBytes(m_dir / "MASTER",
                   MasterFileBytes({SecurityEntry(1, "BRK.A", "BERKSHIRE HATHAWAY INC CL A")}));
        WriteBytes(m_dir / "F1.DAT", PriceFileBytes(28, records));
        m_bars.SetFrameSizeProvider([this] { return m_frame; });
        ASSERT_EQ(m_bars.SetMasterPath((m_dir / "MASTER").c_str()), 1);
        ASSERT_EQ(m_bars.ReadMaster(), 0);
        ASSERT_EQ(m_bars.ReadCurrentSymbol(), 0);
    }
    const CRecordingSurface& Draw() {
        m_surface.Clear();
        m_bars.DrawChart(m_surface, CRect{0, 0, m_frame.cx, m_frame.cy}, false);
        return m_surface;
    }

    CSize m_frame;
    CTempDir m_dir;
    CMemorySettings m_settings;
    CScriptedMessages m_messages;
    CBars m_bars{m_settings, m_messages};
    CRecordingSurface m_surface;
};

// The box a text is taken to cover: its estimated width, the digits' height.
struct TextBox {
    int left, right, bottom, top;
    bool Overlaps(const TextBox& o) const {
        return left < o.right && o.left < right && bottom < o.top && o.bottom < top;
    }
};

TextBox BoxOf(const RecordedText& text) {
    const int width = TextWidth(text.text);
    TextBox box{text.at.x, text.at.x + width, text.at.y - kDigitHeight, text.at.y};
    if ((text.align & kAlignHorizontalMask) == kAlignRight)
        box.left -= width, box.right -= width;
    else if ((text.align & kAlignHorizontalMask) == kAlignCenter)
        box.left -= width / 2, box.right -= width / 2;
    if ((text.align & kAlignVerticalMask) == kAlignBaseline)
        box.bottom += kDigitHeight, box.top += kDigitHeight;
    return box;
}

} // namespace

TEST_F(ChartReadingTest, NoTwoTextsOverlapNorLeaveTheChart) {
    const struct {
        const char* name;
        int count;
        double price;
        CSize frame;
    } cases[] = {
        {"one record", 1, 50, {655, 420}},          {"three records", 3, 50, {655, 420}},
        {"twelve records", 12, 24950, {655, 420}},  {"wide prices", 800, 24950, {655, 420}},
        {"narrow window", 300, 180000, {320, 240}}, {"a few years", 1500, 12, {1280, 700}},
    };
    for (const auto& c : cases)
        for (const bool axisLabels : {false, true})
            for (const bool grid : {false, true}) {
                std::vector<PriceRecord> records = RandomWalk(c.count, 2001, c.price, 0.02, 7);
                for (PriceRecord& record : records)
                    record[5] *= 150; // volumes in the hundreds of thousands
                Load(records, c.frame);
                ChartOptions options;
                options.bAxisLabels = axisLabels;
                options.bGrid = grid;
                m_bars.SetChartOptions(options);
                const std::vector<RecordedText>& texts = Draw().Texts();
                const std::string what =
                    std::string(c.name) + (axisLabels ? " +labels" : "") + (grid ? " +grid" : "");
                ASSERT_FALSE(texts.empty()) << what;
                for (std::size_t a = 0; a < texts.size(); ++a) {
                    const TextBox box = BoxOf(texts[a]);
                    EXPECT_TRUE(box.left >= 0 && box.right <= c.frame.cx)
                        << what << ": \"" << texts[a].text << "\" at " << box.left;
                    for (std::size_t b = a + 1; b < texts.size(); ++b)
                        EXPECT_FALSE(box.Overlaps(BoxOf(texts[b])))
                            << what << ": \"" << texts[a].text << "\" and \"" << texts[b].text
                            << "\"";
                }
            }
}

TEST_F(ChartReadingTest, ThemesSetAndStoreTheColours) {
    Load(RandomWalk(100, 2001, 20, 0.02, 3), {655, 420});
    EXPECT_EQ(CurrentTheme(m_bars), ChartTheme::Classic); // the colours the chart always had
    const struct {
        ChartTheme theme;
        const char* colors;
        COLORREF background, axes;
    } cases[] = {
        {ChartTheme::Light, "7010014451", kWhite, kBlack},
        {ChartTheme::Dark, "0776766351", kBlack, kWhite},
        {ChartTheme::Classic, "0723733414", kBlack, kWhite},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(ChooseTheme(m_bars, m_settings, c.theme));
        EXPECT_EQ(CurrentTheme(m_bars), c.theme);
        EXPECT_EQ(m_settings.ReadString(kViewOptionsSection, "Colors", ""), c.colors);
        EXPECT_EQ(LoadChartOptions(m_settings).nUpColor, ColorsOfTheme(c.theme).nUp);
        Draw();
        EXPECT_EQ(m_surface.Fills().front().color, c.background);
        EXPECT_EQ(m_surface.Lines().front().color, c.axes);
    }
    // Colours of one's own are no theme.
    m_bars.SetWorkColor(kItemVolume, 6);
    m_bars.CommitColors();
    EXPECT_EQ(CurrentTheme(m_bars), std::nullopt);
}

// Zoomed out to the whole history the volume bars are the slots' sums: the largest reaches the
// top of the volume pane, as the label over it says.
TEST_F(ChartReadingTest, SlotsDrawTheirSummedVolume) {
    Load(RandomWalk(6000, 1980, 20, 0.02, 5), {655, 420});
    ASSERT_TRUE(m_bars.Window().ShowRange(0, m_frame));
    ASSERT_GT(m_bars.Window().GetZoomGroup(), 1);
    const ChartLayout l = m_bars.Window().Layout(m_frame);
    Draw();
    int tallest = 0;
    for (const RecordedLine& line : m_surface.Lines())
        if (line.color == Rgb(255, 0, 0) && line.from.y == l.yVolume && line.from.x == line.to.x)
            tallest = std::max(tallest, line.to.y - l.yVolume);
    EXPECT_EQ(tallest, l.u);
}

// Slots of several records start the averages at the first slot that has one: no segment reaches
// down out of the price pane from a slot before it.
TEST_F(ChartReadingTest, SlotsStartTheAveragesWhereTheyHaveValues) {
    Load(RandomWalk(6000, 1980, 20, 0.02, 5), {655, 420});
    ASSERT_TRUE(m_bars.Window().ShowRange(0, m_frame));
    ASSERT_GT(m_bars.Window().GetZoomGroup(), 1);
    const ChartLayout l = m_bars.Window().Layout(m_frame);
    Draw();
    int segments = 0;
    for (const RecordedLine& line : m_surface.Lines())
        if ((line.color == Rgb(255, 0, 0) || line.color == Rgb(0, 0, 255)) &&
            line.from.x != line.to.x) {
            ++segments;
            EXPECT_GE(std::min(line.from.y, line.to.y), l.yPrice) << line.from.x;
        }
    EXPECT_GT(segments, 100);
}
