// The window of bars: where it lies in the history, how it moves and zooms, and the records a
// drawing of it shows.

#include "chart/ChartWindow.h"

#include "chart/Bars.h"
#include "chart/ChartPanes.h"
#include "quotes/MovingAverage.h"
#include "quotes/PriceFile.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

namespace {

// The spacings the zoom steps through: one unit at a time while that is a small change, then in
// steps of about a seventh.
constexpr int kZoomSpaces[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                               12, 14, 16, 18, 20, 24, 28, 32, 36, 40};

int NextZoomSpace(int space, int steps) {
    for (; steps > 0; --steps) {
        const int* next = std::upper_bound(std::begin(kZoomSpaces), std::end(kZoomSpaces), space);
        space = next == std::end(kZoomSpaces) ? kMaxZoomSpace : *next;
    }
    for (; steps < 0; ++steps) {
        const int* at = std::lower_bound(std::begin(kZoomSpaces), std::end(kZoomSpaces), space);
        space = at == std::begin(kZoomSpaces) ? kMinZoomSpace : *(at - 1);
    }
    return std::clamp(space, kMinZoomSpace, kMaxZoomSpace);
}

} // namespace

int CChartWindow::GetRecordCount() {
    if (ShowsBuiltBars())
        return EnsureHistory() ? m_history.Count() : 0;
    MatchRules();
    if (m_history.IsLoaded())
        return m_history.Count();
    return m_bars.IsDataLoaded() ? std::max(m_bars.GetQuotes().total, 0) : 0;
}

int CChartWindow::GetEndRecord() {
    const int count = GetRecordCount();
    if (count == 0)
        return -1;
    return m_nEnd < 0 ? count - 1 : std::min(m_nEnd, count - 1);
}

int CChartWindow::GetBarSpace() const {
    return m_nZoomSpace ? m_nZoomSpace : m_bars.GetBarSpace();
}

ChartLayout CChartWindow::Layout(CSize client) const {
    const CSeriesProvider* provider = m_bars.GetSeriesProvider();
    return MakeLayout(m_bars.GetFrameSize(client), GetBarSpace(), m_bars.GetShowVolume() != 0,
                      provider ? provider->PaneHeights() : std::vector<int>{});
}

ChartScrollInfo CChartWindow::GetScrollInfo(CSize client) {
    ChartScrollInfo info;
    info.nTotal = GetRecordCount();
    info.nPageStep = std::max(Layout(client).Page(), 1);
    info.nMaximum = std::max(info.nTotal - info.nPageStep, 0);
    info.nValue = std::clamp(GetEndRecord() - info.nPageStep + 1, 0, info.nMaximum);
    return info;
}

// Series over the whole history need the history, also at the newest records.
bool CChartWindow::UsesBuffer() const {
    return m_nEnd < 0 && GetBarSpace() == m_bars.GetBarSpace() && !ShowsBuiltBars() &&
           !m_bars.GetSeriesProvider();
}

BarRules CChartWindow::CurrentRules() const {
    const ChartOptions& options = m_bars.GetChartOptions();
    return BarRules{m_bars.GetHideBadData() != 0, options.bLogScale, options.period};
}

bool CChartWindow::ShowsBuiltBars() const {
    return !CurrentRules().IsIdentity();
}

void CChartWindow::MatchRules() {
    if (m_history.IsLoaded() && !(m_history.Rules() == CurrentRules())) {
        m_history.Clear();
        AveragesChanged();
        m_nEnd = -1;
    }
}

LeftOutCounts CChartWindow::GetLeftOut() {
    if (ShowsBuiltBars() && EnsureHistory())
        return m_history.LeftOut();
    return LeftOutCounts{};
}

// Every read of the current security goes the way the chart object's own load goes.
Status CChartWindow::ReadRows(QuoteBuffer& buffer, int start, int count) const {
    return m_bars.ReadCurrentRows(buffer, start, count);
}

Status CChartWindow::ReadHistory() {
    const Status status = m_history.Read(
        [this](QuoteBuffer& b, int start, int count) { return ReadRows(b, start, count); });
    m_history.Build(CurrentRules());
    AveragesChanged();
    return status;
}

bool CChartWindow::EnsureHistory() {
    MatchRules();
    if (!m_history.IsLoaded() && m_bars.IsDataLoaded())
        ReadHistory();
    return m_history.IsLoaded();
}

// Called at every step: a price file that now holds another number of records is read again,
// the newest rows of the buffer as well as the history. A file that cannot be read now leaves
// what is in memory.
bool CChartWindow::Sync(bool needHistory) {
    if (!m_bars.IsDataLoaded())
        return false;
    MatchRules();
    const CQuoteHistory::RowReader reader = [this](QuoteBuffer& b, int start, int count) {
        return ReadRows(b, start, count);
    };
    int total = 0;
    if (CQuoteHistory::CountRecords(reader, total) != kStatusSuccess)
        return m_history.IsLoaded() || !needHistory;
    if (total != m_bars.GetQuotes().total) {
        m_bars.ReloadNewestRows();
        m_bReread = true;
    }
    if (needHistory || m_history.IsLoaded()) {
        const bool stale = m_history.IsLoaded() && m_history.SourceCount() != total;
        if ((stale || !m_history.IsLoaded()) && ReadHistory() != kStatusSuccess)
            return !needHistory;
        m_bReread = m_bReread || stale;
    }
    if (m_nEnd >= GetRecordCount())
        m_nEnd = -1;
    return GetRecordCount() > 0;
}

void CChartWindow::Reset() {
    m_nEnd = -1;
    m_history.Clear();
    AveragesChanged();
}

// Clamps the end so that a full window never runs past either end of the history.
bool CChartWindow::MoveEnd(long long end, const ChartLayout& layout) {
    const int count = GetRecordCount();
    if (count <= 0)
        return false;
    const int newest = count - 1;
    const int oldest = std::min(std::max(layout.Page(), 1) - 1, newest);
    const int target = static_cast<int>(std::clamp<long long>(end, oldest, newest));
    const int previous = m_nEnd;
    m_nEnd = target == newest ? -1 : target;
    return m_nEnd != previous;
}

bool CChartWindow::Redraw(bool moved) {
    return std::exchange(m_bReread, false) || moved;
}

bool CChartWindow::ScrollBars(int bars, CSize client) {
    return Redraw(Sync(true) &&
                  MoveEnd(static_cast<long long>(GetEndRecord()) + bars, Layout(client)));
}

bool CChartWindow::ScrollPages(int pages, CSize client) {
    if (!Sync(true))
        return Redraw(false);
    const ChartLayout layout = Layout(client);
    const long long bars = static_cast<long long>(pages) * std::max(layout.Page(), 1);
    return Redraw(MoveEnd(GetEndRecord() + bars, layout));
}

bool CChartWindow::ScrollToOldest(CSize client) {
    return Redraw(Sync(true) && MoveEnd(0, Layout(client)));
}

bool CChartWindow::ScrollToNewest() {
    Sync(false);
    return Redraw(std::exchange(m_nEnd, -1) >= 0);
}

bool CChartWindow::ScrollToEnd(int record, CSize client) {
    return Redraw(Sync(true) && MoveEnd(record, Layout(client)));
}

bool CChartWindow::ScrollToValue(int value, CSize client) {
    if (!Sync(true))
        return Redraw(false);
    const ChartLayout layout = Layout(client);
    return Redraw(MoveEnd(static_cast<long long>(value) + std::max(layout.Page(), 1) - 1, layout));
}

int CChartWindow::ClientDxToBars(int dx, CSize client) const {
    if (client.cx <= 0)
        return 0;
    const ChartLayout layout = Layout(client);
    const double bars = double(dx) * layout.W / client.cx / layout.s;
    return static_cast<int>(std::lround(std::clamp(bars, -1e9, 1e9)));
}

bool CChartWindow::SetEndRecord(int record) {
    if (record < 0 || record >= GetRecordCount())
        return false;
    if (record == GetRecordCount() - 1) {
        m_nEnd = -1;
        return true;
    }
    if (!Sync(true) || record >= GetRecordCount())
        return false;
    m_nEnd = record;
    return true;
}

bool CChartWindow::ZoomAt(int steps, int xClient, CSize client) {
    const int space = NextZoomSpace(GetBarSpace(), steps);
    if (space == GetBarSpace() || client.cx <= 0 || !Sync(true))
        return Redraw(false);
    // The record whose bar is nearest to x now, and where x lies in logical units.
    const ChartLayout before = Layout(client);
    const double x = double(xClient) * before.W / client.cx;
    const ChartRecords& shown = Records(before, false);
    const int anchor =
        shown.nCount > 0 ? shown.nFirstInFile + before.SlotNear(x, shown.nCount) : GetEndRecord();
    m_nZoomSpace = space == m_bars.GetBarSpace() ? 0 : space;
    const ChartLayout after = Layout(client);
    const int page = std::max(after.Page(), 1);
    MoveEnd(static_cast<long long>(anchor) + page - 1 - after.SlotNear(x, page), after);
    return true;
}

bool CChartWindow::ResetZoom(CSize client) {
    if (m_nZoomSpace == 0)
        return false;
    const int end = GetEndRecord();
    m_nZoomSpace = 0;
    if (m_nEnd >= 0)
        MoveEnd(end, Layout(client));
    return true;
}

const ChartRecords& CChartWindow::Records(const ChartLayout& layout, bool averages) {
    if (!m_bars.IsDataLoaded() || layout.Page() == 0) {
        m_records.source = CRecordSource{};
        m_records.Resize(0);
    } else if (!UsesBuffer() && EnsureHistory() && m_history.Count() > 0) {
        const int count = m_history.Count();
        Fill(SourceOfHistory(m_history), m_nEnd < 0 ? count - 1 : std::min(m_nEnd, count - 1),
             layout);
        m_records.averages[0] = averages ? HistoryAverage(0) : ValueColumn{};
        m_records.averages[1] = averages ? HistoryAverage(1) : ValueColumn{};
    } else if (ShowsBuiltBars() || m_bars.GetSeriesProvider()) {
        // No bar is left, or the records cannot be read.
        m_records.source = CRecordSource{};
        m_records.Resize(0);
    } else { // the newest records that fit, as the chart always showed them
        const CRecordSource source = SourceOfBuffer(m_bars.GetQuotes());
        Fill(source, source.nCount - 1, layout);
        m_records.averages[0] = ValuesOf(m_bars.GetMA1Column());
        m_records.averages[1] = ValuesOf(m_bars.GetMA2Column());
    }
    return m_records;
}

void CChartWindow::Fill(const CRecordSource& source, int end, const ChartLayout& layout) {
    const int f = std::max(end - layout.N + 2, 0);
    ChartRecords& r = m_records;
    r.source = source;
    r.Resize(end - f + 1);
    r.nFirst = f;
    r.nFirstInFile = source.nFirstInFile + f;
    r.bOpen = source.HasColumn(kColOpen);
    for (int k = f > 0 ? -1 : 0; k < r.nCount; ++k) {
        const int i = f + k, at = k + 1;
        r.date[at] = source.date[i];
        r.open[at] = source.open[i];
        r.high[at] = source.high[i];
        r.low[at] = source.low[i];
        r.close[at] = source.close[i];
        r.volume[at] = source.volume[i];
    }
    if (f == 0)
        r.ClearBefore();
}

ValueColumn CChartWindow::HistoryAverage(int k) {
    const int length = k == 0 ? m_bars.GetMA1Length() : m_bars.GetMA2Length();
    std::vector<float>& average = m_historyAverage[k];
    if (m_nAverageLength[k] != length) {
        const CRecordSource source = SourceOfHistory(m_history);
        average.assign(static_cast<std::size_t>(source.nCount), 0.0f);
        if (source.nCount > 0)
            RunningAverage(source.close.pData, source.close.nStride, source.nCount, length,
                           average.data());
        m_nAverageLength[k] = length;
    }
    return ValueColumn{average.data(), 1};
}
