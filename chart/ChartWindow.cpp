// The window of bars: where it lies in the history, how it moves and zooms, and the records a
// drawing of it shows.

#include "chart/ChartWindow.h"

#include "chart/Bars.h"
#include "chart/ChartAxisLabels.h"
#include "chart/ChartPanes.h"
#include "quotes/Dates.h"
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

// Past a unit a bar the zoom joins records into a slot, by these counts and then by about a quarter
// more at each step, up to the whole history in the window.
constexpr int kZoomGroups[] = {2, 3, 4, 5, 6, 8, 10, 12, 16, 20, 25, 32, 40, 50, 64, 80, 100};

int NextGroup(int group, int mostGroup) {
    const int* next = std::upper_bound(std::begin(kZoomGroups), std::end(kZoomGroups), group);
    const int grown = next != std::end(kZoomGroups) ? *next : group + std::max(group / 4, 1);
    return std::min(grown, mostGroup);
}

int PreviousGroup(int group) {
    if (group > kZoomGroups[std::size(kZoomGroups) - 1])
        return std::max(group * 4 / 5, kZoomGroups[std::size(kZoomGroups) - 1]);
    const int* at = std::lower_bound(std::begin(kZoomGroups), std::end(kZoomGroups), group);
    return at == std::begin(kZoomGroups) ? 1 : *(at - 1);
}

// The zoom `steps` on from a spacing and a group (a group above 1 goes with a spacing of 1).
void NextZoom(int& space, int& group, int steps, int mostGroup) {
    for (; steps > 0; --steps) {
        if (group > 1) {
            group = PreviousGroup(group);
            continue;
        }
        const int* next = std::upper_bound(std::begin(kZoomSpaces), std::end(kZoomSpaces), space);
        space = next == std::end(kZoomSpaces) ? kMaxZoomSpace : *next;
    }
    for (; steps < 0; ++steps) {
        if (space <= kMinZoomSpace) {
            group = NextGroup(group, std::max(mostGroup, 1));
            continue;
        }
        const int* at = std::lower_bound(std::begin(kZoomSpaces), std::end(kZoomSpaces), space);
        space = at == std::begin(kZoomSpaces) ? kMinZoomSpace : *(at - 1);
    }
    space = std::clamp(space, kMinZoomSpace, kMaxZoomSpace);
    group = space > kMinZoomSpace ? 1 : std::max(group, 1);
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
    ChartLayout layout =
        MakeLayout(m_bars.GetFrameSize(client), GetBarSpace(), m_bars.GetShowVolume() != 0,
                   provider ? provider->PaneHeights() : std::vector<int>{},
                   m_bars.GetChartOptions().bAxisLabels ? kDateBand : 0);
    layout.g = m_nZoomGroup;
    return layout;
}

ChartScrollInfo CChartWindow::GetScrollInfo(CSize client) {
    ChartScrollInfo info;
    info.nTotal = GetRecordCount();
    info.nPageStep = std::max(Layout(client).RecordsPerPage(), 1);
    info.nMaximum = std::max(info.nTotal - info.nPageStep, 0);
    info.nValue = std::clamp(GetEndRecord() - info.nPageStep + 1, 0, info.nMaximum);
    return info;
}

// Series over the whole history need the history, also at the newest records.
bool CChartWindow::UsesBuffer() const {
    return m_nEnd < 0 && GetBarSpace() == m_bars.GetBarSpace() && m_nZoomGroup == 1 &&
           !ShowsBuiltBars() && !m_bars.GetSeriesProvider();
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
    const int oldest = std::min(std::max(layout.RecordsPerPage(), 1) - 1, newest);
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
    const long long bars = static_cast<long long>(pages) * std::max(layout.RecordsPerPage(), 1);
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
    return Redraw(
        MoveEnd(static_cast<long long>(value) + std::max(layout.RecordsPerPage(), 1) - 1, layout));
}

int CChartWindow::ClientDxToBars(int dx, CSize client) const {
    if (client.cx <= 0)
        return 0;
    const ChartLayout layout = Layout(client);
    const double bars = double(dx) * layout.W / client.cx / layout.s * layout.g;
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

int CChartWindow::MostGroup(CSize client) {
    ChartLayout layout = Layout(client);
    layout = MakeLayout(CSize{layout.W, layout.H + layout.band}, kMinZoomSpace, false);
    const int slots = std::max(layout.Page(), 1);
    return std::max((GetRecordCount() + slots - 1) / slots, 1);
}

bool CChartWindow::ZoomAt(int steps, int xClient, CSize client) {
    if (client.cx <= 0 || !Sync(true))
        return Redraw(false);
    int space = GetBarSpace(), group = m_nZoomGroup;
    NextZoom(space, group, steps, MostGroup(client));
    if (space == GetBarSpace() && group == m_nZoomGroup)
        return Redraw(false);
    // The record whose bar is nearest to x now, and where x lies in logical units.
    const ChartLayout before = Layout(client);
    const double x = double(xClient) * before.W / client.cx;
    const ChartRecords& shown = Records(before, false);
    const int anchor =
        shown.nCount > 0
            ? shown.source.nFirstInFile + shown.SourceIndex(before.SlotNear(x, shown.nCount) + 1)
            : GetEndRecord();
    SetZoom(space, group);
    PlaceAt(anchor, x, client);
    return true;
}

void CChartWindow::SetZoom(int space, int group) {
    m_nZoomGroup = std::max(group, 1);
    m_nZoomSpace = space == m_bars.GetBarSpace() && m_nZoomGroup == 1 ? 0 : space;
}

// Ends the window so that `record` stands in the slot at logical x.
void CChartWindow::PlaceAt(int record, double x, CSize client) {
    const ChartLayout layout = Layout(client);
    const int slots = std::max(layout.Page(), 1);
    const long long group = record / layout.g;
    const long long endGroup = group + slots - 1 - layout.SlotNear(x, slots);
    MoveEnd(endGroup * layout.g + layout.g - 1, layout);
}

bool CChartWindow::ResetZoom(CSize client) {
    if (m_nZoomSpace == 0 && m_nZoomGroup == 1)
        return false;
    const int end = GetEndRecord();
    SetZoom(m_bars.GetBarSpace(), 1);
    if (m_nEnd >= 0)
        MoveEnd(end, Layout(client));
    return true;
}

bool CChartWindow::ShowRange(int months, CSize client) {
    if (client.cx <= 0 || !Sync(true))
        return Redraw(false);
    const int end = GetEndRecord();
    if (end < 0)
        return Redraw(false);
    int first = 0;
    if (months > 0) {
        // The first record within `months` calendar months before the one at the right edge.
        QuoteRecord last;
        if (!RecordAt(end, last) || last.date == 0)
            return Redraw(false);
        int year, month, day;
        DayToYmd(static_cast<std::uint16_t>(last.date), year, month, day);
        const int total = year * 12 + month - 1 - months;
        const std::uint16_t since =
            static_cast<std::uint16_t>(YmdToDay(total / 12, total % 12 + 1, std::min(day, 28)));
        first = end;
        QuoteRecord record;
        while (first > 0 && RecordAt(first - 1, record) &&
               (record.date == 0 || static_cast<std::uint16_t>(record.date) > since))
            --first;
    }
    const int wanted = end - first + 1;
    // The widest spacing that shows them all, else as few records a slot as do.
    int space = kMinZoomSpace, group = 1;
    for (const int candidate : kZoomSpaces)
        if (MakeLayout(m_bars.GetFrameSize(client), candidate, m_bars.GetShowVolume() != 0)
                .Page() >= wanted)
            space = candidate;
    if (space == kMinZoomSpace) {
        const int slots =
            std::max(MakeLayout(m_bars.GetFrameSize(client), kMinZoomSpace, false).Page(), 1);
        group = std::max((wanted + slots - 1) / slots, 1);
    }
    SetZoom(space, group);
    m_nEnd = end;
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

// Slots of g records counted from the first record of the source; the window's last slot ends at
// `end` and may stand for fewer. A slot of several records is a bar built of them: the first open,
// the highest high, the lowest low, the last close, the summed volume, the last record's date.
void CChartWindow::Fill(const CRecordSource& source, int end, const ChartLayout& layout) {
    const int g = std::max(layout.g, 1);
    const int lastSlot = end / g;
    const int firstSlot = std::max(lastSlot - layout.N + 2, 0);
    ChartRecords& r = m_records;
    r.source = source;
    r.Resize(lastSlot - firstSlot + 1);
    r.nGroup = g;
    r.nFirst = firstSlot * g;
    r.nLast = end;
    r.nFirstInFile = source.nFirstInFile + r.nFirst;
    r.bOpen = source.HasColumn(kColOpen);
    for (int k = firstSlot > 0 ? -1 : 0; k < r.nCount; ++k) {
        const int at = k + 1;
        const int from = (firstSlot + k) * g, to = std::min(from + g - 1, end);
        r.date[at] = source.date[to];
        r.open[at] = source.open[from];
        r.close[at] = source.close[to];
        if (g == 1) {
            r.high[at] = source.high[to];
            r.low[at] = source.low[to];
            r.volume[at] = source.volume[to];
            continue;
        }
        float high = source.high[from], low = source.low[from];
        double volume = 0;
        for (int i = from; i <= to; ++i) {
            high = std::max(high, source.high[i]);
            low = std::min(low, source.low[i]);
            volume += source.volume[i];
        }
        r.high[at] = high;
        r.low[at] = low;
        r.volume[at] = static_cast<float>(volume);
    }
    if (firstSlot == 0)
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
