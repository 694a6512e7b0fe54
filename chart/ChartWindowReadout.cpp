// The crosshair: the bar nearest to a point of the view, the price at its height, and the values
// of a record as the status bar shows them.

#include "chart/Bars.h"
#include "chart/ChartPanes.h"
#include "chart/ChartWindow.h"
#include "platform/FloatText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Enough decimals that prices one device pixel apart read differently, at least two.
std::string PriceText(double price, double pricePerPixel) {
    int decimals = 2;
    if (pricePerPixel > 0 && std::isfinite(pricePerPixel))
        decimals = std::clamp(static_cast<int>(std::ceil(-std::log10(pricePerPixel))), 2, 6);
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, std::clamp(price, -1e15, 1e15));
    return text;
}

// How near a pane's top line the pointer takes hold of it, in client pixels.
constexpr int kDividerReach = 3;

constexpr ColumnIndex kValueColumns[6] = {kColOpen, kColHigh, kColLow, kColClose, kColVol, kColOi};
constexpr const char* kValueLabels[6] = {"O", "H", "L", "C", "V", "OI"};

} // namespace

ChartHit CChartWindow::HitTest(CPoint point, CSize client) {
    ChartHit hit;
    if (client.cx <= 0 || client.cy <= 0)
        return hit;
    const ChartLayout l = Layout(client);
    // The drawing's own mapping, so that the crosshair stands exactly on what was drawn.
    const CDeviceMapping mapping = ChartMapping(l, client);
    hit.xAxis = mapping.ToDevice(l.xR, 0).x;
    const ChartRecords& shown = Records(l, false);
    if (shown.nCount == 0)
        return hit;
    const int k = l.SlotNear(mapping.ToLogicalX(point.x), shown.nCount);
    hit.bBar = true;
    hit.nRecord = shown.source.nFirstInFile + shown.SourceIndex(k + 1);
    hit.xBar = mapping.ToDevice(l.BarX(k), 0).x;

    const ChartScale scale = MakeScale(shown, l, m_bars.GetChartOptions().bLogScale);
    const double height = mapping.ToLogicalY(point.y) - l.yPrice;
    hit.bPricePane = height >= 0 && height <= l.v;
    hit.dPrice = scale.PriceAt(height);
    // On the logarithmic scale a pixel spans a price in proportion to the price.
    const double span = scale.bLog ? hit.dPrice * scale.logRange : double(scale.range);
    const double pixel = 1 / mapping.ScaleY();
    hit.strPrice = PriceText(hit.dPrice, l.v > 0 ? span / l.v * pixel : 0);

    const int at = k + 1, x = l.BarX(k);
    int high = 0, low = 0, volume = 0;
    const auto row = [&](int y) { return mapping.ToDevice(x, y).y; };
    if (scale.Price(shown.high[at], high) && scale.Price(shown.low[at], low)) {
        hit.yBarTop = row(l.yPrice + std::max(high, low) + 1);
        hit.yBarBottom = row(l.yPrice + std::min(high, low));
    }
    if (m_bars.GetShowVolume() && scale.Volume(shown.volume[at], volume) && volume > 0) {
        hit.yVolumeTop = row(l.yVolume + volume);
        hit.yVolumeBottom = row(l.yVolume);
    }
    return hit;
}

// From the buffer while the chart is drawn from it, else (or for the record before the buffer's
// first) from the history.
bool CChartWindow::RecordAt(int record, QuoteRecord& values) {
    if (record < 0 || !m_bars.IsDataLoaded())
        return false;
    if (UsesBuffer()) {
        const CRecordSource buffer = SourceOfBuffer(m_bars.GetQuotes());
        const int i = record - buffer.nFirstInFile;
        if (i >= 0 && i < buffer.nCount) {
            values = buffer.Record(i);
            return true;
        }
    }
    if (!EnsureHistory() || record >= m_history.Count())
        return false;
    values = m_history.Record(record);
    return true;
}

bool CChartWindow::GetBarValues(int record, BarValues& values) {
    values = BarValues{};
    if (!RecordAt(record, values.record))
        return false;
    const std::uint8_t* header = m_bars.GetQuotes().sourceHeader;
    auto stored = [&](ColumnIndex column) {
        return m_history.IsLoaded() ? m_history.HasColumn(column) : HasStoredColumn(header, column);
    };
    // A slot of several records reads as the bar it is drawn as: from its first record to this one.
    const int g = m_nZoomGroup;
    const int from = g > 1 ? record / g * g : record;
    QuoteRecord previous;
    if (from < record && RecordAt(from, previous)) {
        values.nFirstDate = previous.date;
        double volume = 0;
        QuoteRecord joined = previous;
        for (int i = from; i <= record && RecordAt(i, previous); ++i) {
            joined.high = std::max(joined.high, previous.high);
            joined.low = std::min(joined.low, previous.low);
            volume += previous.volume;
        }
        joined.close = values.record.close;
        joined.date = values.record.date;
        joined.openInterest = values.record.openInterest;
        joined.volume = static_cast<float>(volume);
        values.record = joined;
    }
    // A bar built of several records has no time of its own.
    values.bTime = stored(kColTime) && m_bars.GetChartOptions().period == ChartPeriod::Stored &&
                   values.nFirstDate == 0;
    for (int c = 0; c < 6; ++c)
        values.bColumn[c] = stored(kValueColumns[c]);
    const float close = values.record.close;
    if (values.bColumn[3] && RecordAt(from - 1, previous) && previous.close != 0 &&
        std::isfinite(previous.close) && std::isfinite(close)) {
        values.bChange = true;
        values.dChangePercent =
            (double(close) - previous.close) / std::fabs(double(previous.close)) * 100;
    }
    return true;
}

std::string CChartWindow::ReadoutText(int record) {
    BarValues values;
    if (!GetBarValues(record, values))
        return {};
    char text[512];
    char* out = text;
    if (values.nFirstDate != 0) {
        out = PutIsoDate(out, values.nFirstDate);
        out = std::copy_n(" to ", 4, out);
    }
    if (values.record.date == 0) {
        out = std::copy_n("no date", 7, out);
    } else {
        out = PutIsoDate(out, values.record.date);
    }
    if (values.bTime) {
        *out++ = ' ';
        out = PutTimeOfDay(out, values.record.time);
    }
    const QuoteRecord& r = values.record;
    const float numbers[6] = {r.open, r.high, r.low, r.close, r.volume, r.openInterest};
    for (int c = 0; c < 6; ++c) {
        if (!values.bColumn[c])
            continue;
        out += std::snprintf(out, 8, "  %s ", kValueLabels[c]);
        out = PutShortestFloat(out, numbers[c]);
    }
    if (values.bChange) {
        // Rounded first, so that a tiny fall does not read "-0.00%".
        double percent = std::round(std::clamp(values.dChangePercent, -1e12, 1e12) * 100) / 100;
        if (percent == 0)
            percent = 0;
        out += std::snprintf(out, 40, "  %+.2f%%", percent);
    }
    std::string readout(text, out);
    if (const CSeriesProvider* provider = m_bars.GetSeriesProvider())
        for (const ChartLegend& legend : provider->Legends(record))
            readout += "   " + legend.text;
    return readout;
}

std::vector<CChartWindow::PlacedLegend> CChartWindow::LegendsAt(int record, CSize client) {
    std::vector<PlacedLegend> placed;
    const CSeriesProvider* provider = m_bars.GetSeriesProvider();
    if (!provider || client.cx <= 0 || client.cy <= 0)
        return placed;
    const ChartLayout l = Layout(client);
    const CDeviceMapping mapping = ChartMapping(l, client);
    const std::vector<ChartLegend> legends = provider->Legends(record);
    const std::vector<CPoint> places = LegendPlaces(l, legends);
    for (std::size_t k = 0; k < legends.size(); ++k)
        placed.push_back(
            {mapping.ToDevice(places[k].x, places[k].y), legends[k].text, legends[k].color});
    return placed;
}

CDrawingGeometry CChartWindow::DrawingGeometry(CSize client) {
    const ChartLayout l = Layout(client);
    const ChartRecords& shown = Records(l, false);
    const ChartOptions& options = m_bars.GetChartOptions();
    // Without a bar shown there is no scale to place prices on.
    const ChartScale scale =
        shown.nCount > 0 ? MakeScale(shown, l, options.bLogScale) : ChartScale{};
    return CDrawingGeometry(l, shown, scale, options.period == ChartPeriod::Stored);
}

int CChartWindow::DividerAt(int yClient, CSize client) const {
    if (client.cx <= 0 || client.cy <= 0)
        return -1;
    const ChartLayout l = Layout(client);
    const CDeviceMapping mapping = ChartMapping(l, client);
    for (std::size_t k = 0; k < l.panes.size(); ++k) {
        const int y = mapping.ToDevice(0, l.panes[k].y + l.panes[k].height).y;
        if (std::abs(y - yClient) <= kDividerReach)
            return static_cast<int>(k);
    }
    return -1;
}

int CChartWindow::PaneHeightAt(int pane, int yClient, CSize client) const {
    const CSeriesProvider* provider = m_bars.GetSeriesProvider();
    if (!provider || client.cx <= 0 || client.cy <= 0)
        return 100;
    const ChartLayout l = Layout(client);
    const std::vector<int> heights = provider->PaneHeights();
    if (pane < 0 || pane >= static_cast<int>(l.panes.size()) ||
        pane >= static_cast<int>(heights.size()) || l.panes[std::size_t(pane)].height <= 0)
        return 100;
    const PaneBox& box = l.panes[static_cast<std::size_t>(pane)];
    const double wanted = ChartMapping(l, client).ToLogicalY(yClient) - box.y;
    const double percent = heights[std::size_t(pane)] * wanted / box.height;
    return static_cast<int>(std::clamp(std::lround(percent), 25L, 400L));
}
