#pragma once
// The window of bars that the chart shows into the whole history of the current security:
// scrolling and zoom (ChartWindow.cpp), the crosshair's hit-testing and readout
// (ChartWindowReadout.cpp), and the export of the history (ChartWindowExport.cpp).
//
// Until the user scrolls or zooms, the chart is drawn from the chart object's 800-row buffer, as
// it always was. The first step away from that reads every record of the price file into a
// CQuoteHistory (dropped again when another security is loaded). Either is the chart's record
// source (RecordSource.h); the moving averages are computed once over the whole source, in the
// one way the buffer's are, not again at every drawing.
//
// Units: records count from the first data record of the price file (0), as `tickvane-cli
// quotes --start` counts them. "client" is the view's client area in device pixels, (0, 0) at
// the top left: the rectangle the view passes to DrawChart. Bar spacings are logical units.
// Operations that move the window first check the price file and read it afresh when it grew or
// shrank; they return true when the chart must be drawn again (moved or read afresh).

#include "chart/ChartLayout.h"
#include "chart/QuoteHistory.h"
#include "chart/drawings/DrawingGeometry.h"

#include <string>

class CBars;

// Bar spacings the zoom offers.
constexpr int kMinZoomSpace = 1;
constexpr int kMaxZoomSpace = 40;

// The window's place in the history, for a horizontal scroll bar: values 0 to nMaximum, a page
// of nPageStep bars.
struct ChartScrollInfo {
    int nTotal = 0;    // records of the security
    int nValue = 0;    // first record of a full window ending where the window ends
    int nMaximum = 0;  // the value with the newest record at the right edge
    int nPageStep = 0; // records a full window shows
};

// What lies under a point of the view.
struct ChartHit {
    bool bBar = false;       // a record is shown: nRecord and xBar are set
    int nRecord = -1;        // the record whose bar is nearest
    int xBar = 0;            // client x of that bar
    int xAxis = 0;           // client x of the right axis
    bool bPricePane = false; // the point lies in the price pane
    double dPrice = 0;       // the price at the point's height (beyond the pane too)
    std::string strPrice;    // dPrice with the decimals one pixel tells apart
    // The client rows the bar's marks cover, from its high to its low, and those of its volume
    // bar (top above bottom; bottom below top when there is no such mark): the crosshair's
    // vertical line leaves them free.
    int yBarTop = 0, yBarBottom = -1;
    int yVolumeTop = 0, yVolumeBottom = -1;
};

// One record as the readout shows it.
struct BarValues {
    QuoteRecord record;
    bool bTime = false;   // the security stores times (intraday records)
    bool bColumn[6] = {}; // open, high, low, close, volume, open interest stored
    bool bChange = false; // a previous close to compare with exists
    double dChangePercent = 0;
    // The date of the first record of a slot of several (the zoom past a unit a bar), else 0.
    std::int16_t nFirstDate = 0;
};

class CChartWindow {
public:
    explicit CChartWindow(CBars& bars) : m_bars(bars) {}

    // Where the window lies.
    int GetRecordCount();
    int GetEndRecord();      // the record at the right edge, -1 without records
    int GetBarSpace() const; // the zoom's spacing, else the stored one
    bool IsZoomed() const { return m_nZoomSpace != 0 || m_nZoomGroup != 1; }
    // Records a slot stands for: 1, or more once zoomed out past a unit a bar.
    int GetZoomGroup() const { return m_nZoomGroup; }
    bool IsAtNewest() const { return m_nEnd < 0; }
    ChartScrollInfo GetScrollInfo(CSize client);

    // While "Hide Bad Data", the logarithmic scale or a period other than the stored one is chosen,
    // the chart shows bars built from the whole history (BarBuilder.h): every count and index of
    // this class then counts those bars, and the crosshair reads them. A change of those options
    // drops the bars built before and opens the chart on the newest bar at the next step.
    bool ShowsBuiltBars() const;
    // The records of the security that the chart leaves out, for the status bar.
    LeftOutCounts GetLeftOut();

    // Moving, stopping at the oldest (a full window from record 0) and the newest record.
    bool ScrollBars(int bars, CSize client); // positive toward the newest
    bool ScrollPages(int pages, CSize client);
    bool ScrollToOldest(CSize client);
    bool ScrollToNewest();
    bool ScrollToEnd(int record, CSize client);
    bool ScrollToValue(int value, CSize client); // a scroll bar's value
    // Whole records that a drag over dx client pixels moves the chart by (rounded).
    int ClientDxToBars(int dx, CSize client) const;
    // Places `record` at the right edge exactly, a short chart if it is one of the first; false
    // when there is no such record.
    bool SetEndRecord(int record);

    // Zoom by `steps` spacings (positive: wider) keeping the bar under client x where it is; an x
    // right of the last bar (client.cx from the keyboard) keeps the record at the right edge.
    bool ZoomAt(int steps, int xClient, CSize client);
    // Back to the stored spacing, keeping the record at the right edge.
    bool ResetZoom(CSize client);
    // Zooms so that the last `months` calendar months before the record at the right edge fill
    // the window (0: the whole history), keeping that record at the right edge.
    bool ShowRange(int months, CSize client);
    // Sets the zoom outright: a spacing and the records a slot stands for.
    void SetZoom(int space, int group);

    // The crosshair: cheap, and the window stays. They read the history only when the chart is not
    // drawn from it yet and they need a record before the buffer's newest 800.
    ChartHit HitTest(CPoint point, CSize client);
    bool GetBarValues(int record, BarValues& values);
    // "2003-01-15  O 10.5  H 11  L 9.5  C 10.25  V 1200  OI 0  +2.50%"; empty for no record.
    std::string ReadoutText(int record);
    // The legends of the series a provider adds, with their values at `record`, and where each
    // stands in client pixels (its top left).
    struct PlacedLegend {
        CPoint ptClient;
        std::string text;
        COLORREF color;
    };
    std::vector<PlacedLegend> LegendsAt(int record, CSize client);
    // Where the user's drawings stand on the chart drawn into `client` (DrawingGeometry.h); it
    // holds until the window moves or the security changes.
    CDrawingGeometry DrawingGeometry(CSize client);
    // The further pane whose top line lies within a few pixels of client y, or -1.
    int DividerAt(int yClient, CSize client) const;
    // The height, in percent of its usual one, that pane `pane` gets when its top line is dragged
    // to client y.
    int PaneHeightAt(int pane, int yClient, CSize client) const;

    // Every record of the security as `tickvane-cli quotes` prints them, written to a work file
    // that then replaces `path`. On failure `error` says why.
    bool ExportQuotesCsv(const std::string& path, std::string& error);

    // For the chart object: a new security opens on its newest record (the zoom stays).
    void Reset();
    // For the chart object: an average's length changed.
    void AveragesChanged() { m_nAverageLength[0] = m_nAverageLength[1] = 0; }
    // The logical layout and the records that a drawing into `client` shows; with `averages`,
    // both moving averages over the whole source too.
    ChartLayout Layout(CSize client) const;
    const ChartRecords& Records(const ChartLayout& layout, bool averages);
    const CQuoteHistory& History() const { return m_history; }

private:
    bool UsesBuffer() const;
    BarRules CurrentRules() const;
    // Forgets bars built under rules that no longer hold.
    void MatchRules();
    Status ReadHistory();
    Status ReadRows(QuoteBuffer& buffer, int start, int count) const;
    bool Sync(bool needHistory);
    // True when the step moved the window or read the price file afresh; clears the latter.
    bool Redraw(bool moved);
    bool EnsureHistory();
    bool MoveEnd(long long end, const ChartLayout& layout);
    // The records a slot stands for with the whole history in the window.
    int MostGroup(CSize client);
    void PlaceAt(int record, double x, CSize client);
    // The records ending at `end` of `source` that fit the layout.
    void Fill(const CRecordSource& source, int end, const ChartLayout& layout);
    // Moving average `k` (0 or 1) over the whole history, computed when first asked for.
    ValueColumn HistoryAverage(int k);
    bool RecordAt(int record, QuoteRecord& values);

    CBars& m_bars;
    CQuoteHistory m_history;
    std::vector<float> m_historyAverage[2];
    int m_nAverageLength[2] = {}; // of the history's averages; 0 before they are computed
    ChartRecords m_records;
    int m_nEnd = -1;        // the record at the right edge; -1 follows the newest
    int m_nZoomSpace = 0;   // 0: the stored spacing
    int m_nZoomGroup = 1;   // records a slot stands for
    bool m_bReread = false; // the last check of the price file read it afresh
};
