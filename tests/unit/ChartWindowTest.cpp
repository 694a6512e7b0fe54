#include "chart/Bars.h"
#include "platform/MemorySettings.h"
#include "platform/RecordingSurface.h"
#include "tests/support/MetaStockWriter.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/SyntheticPrices.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr CSize kClient{655, 420}; // 150 slots of 4 units: 149 records shown
constexpr COLORREF kRed = Rgb(255, 0, 0);

// Weekdays from 1990 with whole-number prices, so that averages are exact in any order of
// summing: date, open, high, low, close, volume, open interest.
std::vector<PriceRecord> Walk(int count) {
    std::vector<PriceRecord> records;
    CTradingDays day(1990);
    for (int i = 0; i < count; ++i, day.Next()) {
        const float close = float(50 + (i * 37) % 23 + i / 10);
        records.push_back({day.Stored(), close, close + 2, close - 1 - float(i % 3), close,
                           float(1000 + i % 7 * 100), 0});
    }
    return records;
}

class ChartWindowTest : public ::testing::Test {
protected:
    // A one-security directory, read as the document opens it.
    void Open(const std::vector<PriceRecord>& records, int recordLength = 28,
              const std::string& dop = "") {
        MasterEntry entry = SecurityEntry(1, "ACME", "ACME INDUSTRIES");
        entry.recordLength = recordLength;
        entry.fieldCount = recordLength / 4;
        WriteBytes(m_dir / "MASTER", MasterFileBytes({entry}));
        if (!dop.empty())
            WriteText(m_dir / "F1.DOP", dop);
        WriteBytes(m_dir / "F1.DAT", PriceFileBytes(recordLength, records));
        m_bars.SetFrameSizeProvider([] { return kClient; });
        ASSERT_EQ(m_bars.SetMasterPath((m_dir / "MASTER").c_str()), 1);
        ASSERT_EQ(m_bars.ReadMaster(), 0);
        m_bars.ReadCurrentSymbol();
    }
    static std::string Trace(CBars& bars) {
        CRecordingSurface surface;
        bars.DrawChart(surface, CRect{0, 0, kClient.cx, kClient.cy}, false);
        std::ostringstream out;
        surface.WriteTrace(out);
        return out.str();
    }
    // The records at the left and the right edge, as the crosshair finds them.
    int FirstShown() { return Window().HitTest(CPoint{0, 200}, kClient).nRecord; }
    int LastShown() { return Window().HitTest(CPoint{kClient.cx - 1, 200}, kClient).nRecord; }
    CChartWindow& Window() { return m_bars.Window(); }

    CTempDir m_dir;
    CMemorySettings m_settings;
    CScriptedMessages m_messages;
    CBars m_bars{m_settings, m_messages};
};

TEST_F(ChartWindowTest, ScrollingStopsAtBothEnds) {
    Open(Walk(1000));
    EXPECT_EQ(FirstShown(), 851);
    EXPECT_EQ(LastShown(), 999);
    EXPECT_FALSE(Window().ScrollBars(+1, kClient));
    EXPECT_TRUE(Window().ScrollToOldest(kClient));
    EXPECT_EQ(FirstShown(), 0);
    EXPECT_EQ(LastShown(), 148);
    EXPECT_FALSE(Window().ScrollBars(-1, kClient));
    EXPECT_FALSE(Window().ScrollPages(-1, kClient));
    const ChartScrollInfo info = Window().GetScrollInfo(kClient);
    EXPECT_EQ(info.nTotal, 1000);
    EXPECT_EQ(info.nValue, 0);
    EXPECT_EQ(info.nMaximum, 851);
    EXPECT_EQ(info.nPageStep, 149);
    EXPECT_TRUE(Window().ScrollToValue(851, kClient));
    EXPECT_TRUE(Window().IsAtNewest());
    // Another security opens on its newest record.
    Window().ScrollToOldest(kClient);
    m_bars.StepSymbol(0);
    EXPECT_EQ(LastShown(), 999);
}

TEST_F(ChartWindowTest, PageStepsMoveByAScreenful) {
    Open(Walk(1000));
    const struct {
        int pages, end;
    } steps[] = {{-1, 850}, {-1, 701}, {+1, 850}, {+5, 999}, {-100, 148}, {+2, 446}};
    for (const auto& step : steps) {
        Window().ScrollPages(step.pages, kClient);
        EXPECT_EQ(Window().GetEndRecord(), step.end) << step.pages;
        EXPECT_EQ(LastShown(), step.end);
    }
}

TEST_F(ChartWindowTest, ZoomKeepsTheBarUnderThePointer) {
    Open(Walk(3000));
    Window().ScrollToEnd(1500, kClient);
    for (const int x : {50, 300, 560}) { // within the bars at every spacing
        for (const int steps : {+1, +3, -5, -2, +20}) {
            const int before = Window().HitTest(CPoint{x, 200}, kClient).nRecord;
            Window().ZoomAt(steps, x, kClient);
            const ChartHit after = Window().HitTest(CPoint{x, 200}, kClient);
            EXPECT_EQ(after.nRecord, before) << x << " " << steps;
            EXPECT_LE(std::abs(after.xBar - x) * 2, Window().GetBarSpace()) << x << " " << steps;
        }
        EXPECT_EQ(Window().GetBarSpace(), kMaxZoomSpace);
        EXPECT_TRUE(Window().ResetZoom(kClient));
        EXPECT_EQ(Window().GetBarSpace(), 4);
    }
    // Past a unit a bar, records join into slots until the whole history fills the window.
    EXPECT_TRUE(Window().ZoomAt(-100, 300, kClient));
    EXPECT_EQ(Window().GetBarSpace(), kMinZoomSpace);
    EXPECT_EQ(Window().GetZoomGroup(), 6); // 599 slots of 6 hold the 3,000 records
    EXPECT_EQ(FirstShown(), 5);            // the last record of the first slot
    EXPECT_EQ(LastShown(), 2999);
    EXPECT_FALSE(Window().ZoomAt(-1, 300, kClient));
    Window().ScrollToNewest();
    EXPECT_TRUE(
        Window().ZoomAt(+1, kClient.cx, kClient)); // from the keyboard: the right edge stays
    EXPECT_TRUE(Window().IsAtNewest());
}

TEST_F(ChartWindowTest, MovingAveragesContinueAcrossTheLeftEdge) {
    m_bars.SetBarSpace(2);
    Open(Walk(1000));
    m_bars.SetFrameSizeProvider([] { return CSize{1657, 420}; }); // 800 slots: the whole buffer
    auto segments = [&] {
        CRecordingSurface surface;
        m_bars.DrawChart(surface, CRect{0, 0, 1657, 420}, false);
        std::vector<RecordedLine> lines;
        for (const RecordedLine& line : surface.Lines())
            if (line.color == kRed && line.from.y != 6) // not a volume bar
                lines.push_back(line);
        return lines;
    };
    EXPECT_EQ(segments().size(), 789u); // the buffer's average starts over at its first row
    Window().ScrollBars(-1, CSize{1657, 420});
    const std::vector<RecordedLine> scrolled = segments();
    ASSERT_EQ(scrolled.size(), 800u);
    EXPECT_EQ(scrolled[0].to.x, 5); // reaching back to the record before the window
}

// A window ending at record e draws what the chart of the file cut after e draws.
TEST_F(ChartWindowTest, AScrolledWindowIsTheChartOfTheFileCutAtItsEnd) {
    const std::vector<PriceRecord> records = Walk(400);
    Open(records);
    for (const int end : {0, 1, 30, 148, 200, 398}) {
        ASSERT_TRUE(Window().SetEndRecord(end));
        CTempDir cutDir;
        CBars cut(m_settings, m_messages);
        cut.SetFrameSizeProvider([] { return kClient; });
        WriteBytes(cutDir / "MASTER",
                   MasterFileBytes({SecurityEntry(1, "ACME", "ACME INDUSTRIES")}));
        WriteBytes(cutDir / "F1.DAT",
                   PriceFileBytes(28, {records.begin(), records.begin() + end + 1}));
        cut.SetMasterPath((cutDir / "MASTER").c_str());
        cut.ReadMaster();
        cut.ReadCurrentSymbol();
        EXPECT_EQ(Trace(m_bars), Trace(cut)) << end;
    }
}

TEST_F(ChartWindowTest, TheDefaultWindowDrawsTheSpecifiedChart) {
    Open(Walk(1000));
    const std::string specified = Trace(m_bars);
    Window().ScrollBars(-7, kClient);
    EXPECT_NE(Trace(m_bars), specified);
    EXPECT_TRUE(Window().ScrollToNewest());
    EXPECT_EQ(Trace(m_bars), specified);
    Window().ZoomAt(+2, 300, kClient);
    EXPECT_NE(Trace(m_bars), specified);
    Window().ResetZoom(kClient);
    Window().ScrollToNewest();
    EXPECT_EQ(Trace(m_bars), specified);
}

TEST_F(ChartWindowTest, ReadoutOfAChosenBar) {
    const std::vector<PriceRecord> records = {{1030102, 10, 10.5, 9.5, 10, 900, 5},
                                              {1030103, 10.5, 11.25, 9.75, 10.1f, 123456, 7},
                                              {1030106, 10, 10.25, 9.5, 10, 0, 7}};
    const std::string intradayDop = "\"DATE\",8,0\n\"TIME\",8,0\n\"OPEN\",8,2\n\"HIGH\",8,2\n"
                                    "\"LOW\",8,2\n\"CLOSE\",8,2\n\"VOL\",8,0\n";
    std::vector<PriceRecord> intraday = records;
    for (PriceRecord& record : intraday)
        record.insert(record.begin() + 1, 93000);
    const struct {
        std::vector<PriceRecord> records;
        int recordLength;
        std::string dop;
        const char* second; // the readout of the second bar
        const char* third;
    } cases[] = {
        {records, 28, "", "2003-01-03  O 10.5  H 11.25  L 9.75  C 10.1  V 123456  OI 7  +1.00%",
         "2003-01-06  O 10  H 10.25  L 9.5  C 10  V 0  OI 7  -0.99%"},
        {records, 24, "", "2003-01-03  O 10.5  H 11.25  L 9.75  C 10.1  V 123456  +1.00%",
         "2003-01-06  O 10  H 10.25  L 9.5  C 10  V 0  -0.99%"},
        {intraday, 28, intradayDop,
         "2003-01-03 09:30:00  O 10.5  H 11.25  L 9.75  C 10.1  V 123456  +1.00%",
         "2003-01-06 09:30:00  O 10  H 10.25  L 9.5  C 10  V 0  -0.99%"},
    };
    for (const auto& c : cases) {
        Open(c.records, c.recordLength, c.dop);
        const ChartHit hit = Window().HitTest(CPoint{14, 100}, kClient); // bars at x 9, 13, 17
        EXPECT_EQ(hit.nRecord, 1);
        EXPECT_EQ(hit.xBar, 13);
        EXPECT_EQ(Window().ReadoutText(hit.nRecord), c.second);
        EXPECT_EQ(Window().ReadoutText(2), c.third);
        EXPECT_EQ(Window().ReadoutText(0).find('%'), std::string::npos); // nothing before it
        EXPECT_EQ(Window().ReadoutText(3), "");
    }
}

TEST_F(ChartWindowTest, HitTestMapsTheClientAreaOntoTheChart) {
    Open(Walk(1000));
    const CSize client{1310, 840}; // the view twice the frame's size
    const ChartHit hit = Window().HitTest(CPoint{27, 840 - 2 * 405}, client);
    EXPECT_EQ(hit.nRecord, 852);
    EXPECT_EQ(hit.xBar, 26);
    EXPECT_EQ(hit.xAxis, 1210);
    EXPECT_TRUE(hit.bPricePane);
    EXPECT_EQ(hit.strPrice, "172.00"); // the top of the pane: the highest high shown
    const ChartHit low = Window().HitTest(CPoint{27, 840 - 2 * 85}, client);
    EXPECT_TRUE(low.bPricePane);
    EXPECT_EQ(low.strPrice, "134.00");
    EXPECT_FALSE(Window().HitTest(CPoint{27, 830}, client).bPricePane); // the volume pane
}

TEST_F(ChartWindowTest, SmallSecuritiesScrollAndZoomWithoutFault) {
    std::vector<PriceRecord> flat(5, PriceRecord{1030102, 7, 7, 7, 7, 0, 0});
    const std::vector<std::vector<PriceRecord>> securities = {{}, Walk(1), Walk(2), flat};
    for (const auto& records : securities) {
        Open(records);
        const int last = static_cast<int>(records.size()) - 1;
        for (int step = 0; step < 12; ++step) {
            switch (step % 6) {
            case 0:
                Window().ScrollBars(step - 6, kClient);
                break;
            case 1:
                Window().ScrollPages(1 - step, kClient);
                break;
            case 2:
                Window().ScrollToOldest(kClient);
                break;
            case 3:
                Window().ZoomAt(step - 5, step * 60, kClient);
                break;
            case 4:
                Window().ScrollToNewest();
                break;
            default:
                Window().ResetZoom(kClient);
            }
            Trace(m_bars);
            const ChartHit hit = Window().HitTest(CPoint{step * 60, step * 40}, kClient);
            EXPECT_EQ(hit.bBar, last >= 0);
            EXPECT_LE(hit.nRecord, last);
            EXPECT_EQ(Window().ReadoutText(hit.nRecord).empty(), last < 0);
            EXPECT_EQ(Window().GetEndRecord(), last);
        }
    }
}

TEST_F(ChartWindowTest, AFileThatGrowsOrShrinksIsReadAfresh) {
    Open(Walk(500));
    Window().ScrollBars(-10, kClient);
    WriteBytes(m_dir / "F1.DAT", PriceFileBytes(28, Walk(600)));
    Window().ScrollBars(+2, kClient);
    EXPECT_EQ(Window().GetRecordCount(), 600);
    EXPECT_EQ(Window().GetEndRecord(), 491);
    EXPECT_TRUE(Window().ScrollToNewest());
    EXPECT_FALSE(Window().ScrollToNewest());
    WriteBytes(m_dir / "F1.DAT", PriceFileBytes(28, Walk(650)));
    EXPECT_TRUE(Window().ScrollBars(+1, kClient)); // nothing to move, but read afresh
    const std::string grown = Trace(m_bars);
    Open(Walk(650));
    EXPECT_EQ(Trace(m_bars), grown);
    Window().ScrollBars(-10, kClient);
    WriteBytes(m_dir / "F1.DAT", PriceFileBytes(28, Walk(100)));
    Window().ScrollBars(-1, kClient);
    EXPECT_EQ(Window().GetRecordCount(), 100);
    EXPECT_EQ(LastShown(), 99);
}

TEST_F(ChartWindowTest, HistoriesBeyondSixteenBitsAreReadWhole) {
    Open(Walk(65600)); // the header keeps only the low 16 bits of the count
    EXPECT_EQ(Window().GetRecordCount(), 65600);
    EXPECT_TRUE(Window().ScrollToOldest(kClient));
    EXPECT_EQ(FirstShown(), 0);
    EXPECT_EQ(Window().ReadoutText(0).substr(0, 10), "1990-01-01");
    EXPECT_LE(Window().History().MemoryBytes(), 3'000'000u);
}

TEST_F(ChartWindowTest, ExportWritesTheWholeHistoryAsQuotesPrintsIt) {
    Open(Walk(1000));
    std::string error;
    ASSERT_TRUE(Window().ExportQuotesCsv(m_dir / "acme.csv", error)) << error;
    std::ifstream in(m_dir / "acme.csv");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 1001u);
    EXPECT_EQ(lines[0], "date,time,open,high,low,close,volume,oi");
    EXPECT_EQ(lines[1], "1990-01-01,00:00:00,50,52,49,50,1000,0");
    EXPECT_EQ(lines[1000], "1993-10-29,00:00:00,151,153,150,151,1500,0");
    EXPECT_FALSE(Window().ExportQuotesCsv(m_dir / "missing/acme.csv", error));
    EXPECT_NE(error.find("missing/acme.csv"), std::string::npos);
}

// A stored date that is no calendar day reads as its day number falls: February 31 as March 3,
// a thirteenth month as no date; the crosshair and the exported history alike.
TEST_F(ChartWindowTest, StoredDatesThatAreNoCalendarDayReadAsTheirDayNumbers) {
    std::vector<PriceRecord> records = Walk(3);
    records[1][0] = 1030231;
    records[2][0] = 1031345;
    Open(records);
    EXPECT_EQ(Window().ReadoutText(1).substr(0, 12), "2003-03-03  ");
    EXPECT_EQ(Window().ReadoutText(2).substr(0, 9), "no date  ");
    std::string error;
    ASSERT_TRUE(Window().ExportQuotesCsv(m_dir / "acme.csv", error)) << error;
    std::ifstream in(m_dir / "acme.csv");
    std::string line;
    std::vector<std::string> dates;
    while (std::getline(in, line))
        dates.push_back(line.substr(0, line.find(',')));
    EXPECT_EQ(dates, (std::vector<std::string>{"date", "1990-01-01", "2003-03-03", ""}));
}

} // namespace

// Zoomed out past a unit a bar, each slot is the bar of its records: no peak is lost.
TEST_F(ChartWindowTest, SlotsOfRecordsKeepTheirExtremes) {
    std::vector<PriceRecord> records = Walk(3000);
    records[1234][2] = 999; // a peak inside a slot
    records[2345][3] = 1;   // and a trough
    Open(records);
    ASSERT_TRUE(Window().ShowRange(0, kClient)); // the whole history
    const int g = Window().GetZoomGroup();
    ASSERT_EQ(g, 6);
    const ChartRecords& shown = Window().Records(Window().Layout(kClient), false);
    ASSERT_EQ(shown.nCount, 500);
    for (int at = 1; at <= shown.nCount; ++at) {
        const int from = (at - 1) * g, to = std::min(from + g, 3000) - 1;
        float high = records[std::size_t(from)][2], low = records[std::size_t(from)][3];
        float volume = 0;
        for (int i = from; i <= to; ++i) {
            high = std::max(high, records[std::size_t(i)][2]);
            low = std::min(low, records[std::size_t(i)][3]);
            volume += records[std::size_t(i)][5];
        }
        ASSERT_EQ(shown.high[std::size_t(at)], high) << at;
        ASSERT_EQ(shown.low[std::size_t(at)], low) << at;
        ASSERT_EQ(shown.volume[std::size_t(at)], volume) << at;
        ASSERT_EQ(shown.open[std::size_t(at)], records[std::size_t(from)][1]) << at;
        ASSERT_EQ(shown.close[std::size_t(at)], records[std::size_t(to)][4]) << at;
    }
    // The crosshair reads the slot it stands on: its first and last date, its extremes.
    const std::string readout = Window().ReadoutText(1235);
    EXPECT_EQ(readout.substr(0, 24), "1994-09-19 to 1994-09-26") << readout;
    EXPECT_NE(readout.find("H 999"), std::string::npos) << readout;
    // A range of months: a year of weekdays is about 260 records at four units a bar.
    ASSERT_TRUE(Window().ShowRange(12, kClient));
    EXPECT_EQ(Window().GetZoomGroup(), 1);
    EXPECT_EQ(Window().GetBarSpace(), 2);
    EXPECT_EQ(LastShown(), 2999);
}
