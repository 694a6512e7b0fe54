#include "chart/ChartLayout.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

// Heights far outside the panes are drawn as computed, but kept within what a device can take.
constexpr double kHeightLimit = 1 << 20;

// Truncates a height toward zero; false when it has no finite value.
bool Truncate(double height, int& result) {
    if (!std::isfinite(height))
        return false;
    result = static_cast<int>(std::clamp(std::trunc(height), -kHeightLimit, kHeightLimit));
    return true;
}

bool IsGood(const ChartRecords& r, int at) {
    return r.low[at] != 0 && r.high[at] != 0 && r.close[at] != 0;
}

} // namespace

ChartLayout MakeLayout(CSize frame, int barSpace, bool showVolume,
                       const std::vector<int>& paneHeights, int dateBand) {
    ChartLayout l{};
    l.W = std::max(frame.cx, 1);
    l.band = std::clamp(dateBand, 0, std::max(frame.cy - 1, 0));
    l.H = std::max(frame.cy - l.band, 1);
    l.s = std::max(barSpace, 1);
    l.xR = l.W - 50;
    l.N = (l.W - 55) / l.s;
    int t = l.H - 20;
    // A fifth of the height each, while they take no more than half of it together, in the
    // share each is given; a unit between two panes for the line that parts them.
    const int panes = static_cast<int>(paneHeights.size());
    const int each = panes > 0 ? std::min(t / 5, t / (2 * panes)) : 0;
    double total = 0;
    for (const int height : paneHeights)
        total += each * std::max(height, 1) / 100.0;
    const double fit = total > t * 2.0 / 3 ? t * 2.0 / 3 / total : 1.0;
    l.yVolume = 6;
    for (int k = panes - 1; k >= 0; --k) {
        const double share = each * std::max(paneHeights[static_cast<std::size_t>(k)], 1) / 100.0;
        const int height = std::max(static_cast<int>(share * fit) - 1, 0);
        l.panes.insert(l.panes.begin(), PaneBox{l.yVolume, height});
        l.yVolume += height + 1;
        t -= height + 1;
    }
    l.v = showVolume ? static_cast<int>(t * 0.8) : t;
    l.u = showVolume ? t - l.v : 0;
    l.yPrice = l.yVolume + l.u - 1;
    l.yT = l.H - 3;
    l.xL = l.W - 48;
    return l;
}

CDeviceMapping ChartMapping(const ChartLayout& l, CSize target) {
    CDeviceMapping mapping;
    mapping.SetMapMode(MapMode::Anisotropic);
    mapping.SetWindowExt(l.W, l.H + l.band);
    mapping.SetViewportExt(target.cx, -target.cy);
    mapping.SetViewportOrg(0, target.cy - ScaleRounded(l.band, target.cy, l.H + l.band));
    return mapping;
}

void ApplyMapping(Surface& dc, const CDeviceMapping& mapping) {
    dc.SetMapMode(mapping.Mode());
    dc.SetWindowExt(mapping.WindowExt().cx, mapping.WindowExt().cy);
    dc.SetViewportExt(mapping.ViewportExt().cx, mapping.ViewportExt().cy);
    dc.SetViewportOrg(mapping.ViewportOrg().x, mapping.ViewportOrg().y);
}

int ChartLayout::SlotNear(double x, int slots) const {
    const double slot = std::round((x - 5) / s - 1);
    return static_cast<int>(std::clamp(slot, 0.0, static_cast<double>(std::max(slots - 1, 0))));
}

void ChartRecords::ClearBefore() {
    date[0] = 0;
    for (std::vector<float>* column : {&open, &high, &low, &close, &volume})
        (*column)[0] = 0;
}

void ChartRecords::Resize(int count) {
    nCount = count;
    const auto size = static_cast<std::size_t>(count + 1);
    date.resize(size);
    for (std::vector<float>* column : {&open, &high, &low, &close, &volume})
        column->resize(size);
}

bool ChartRecords::Rising(int at) const {
    const auto k = static_cast<std::size_t>(at);
    if (bOpen && open[k] != 0 && std::isfinite(open[k]))
        return close[k] >= open[k];
    const bool before = at > 1 || nFirst > 0;
    if (before && close[k - 1] != 0 && std::isfinite(close[k - 1]))
        return close[k] >= close[k - 1];
    return true;
}

bool ChartScale::Price(float price, int& height) const {
    if (bLog) {
        if (!(price > 0) || !std::isfinite(price))
            return false;
        if (logRange == 0) {
            height = v / 2;
            return true;
        }
        const auto quotient = static_cast<float>((std::log(double(price)) - logMin) / logRange);
        return Truncate(static_cast<double>(quotient) * v, height);
    }
    if (range == 0) {
        height = v / 2;
        return std::isfinite(price);
    }
    const float quotient = (price - min) / range;
    return Truncate(static_cast<double>(quotient) * v, height);
}

bool ChartScale::ExactPrice(float price, double& height) const {
    if (!std::isfinite(price) || (bLog && !(price > 0)))
        return false;
    if (bLog ? logRange == 0 : range == 0)
        height = v / 2;
    else if (bLog)
        height = (std::log(double(price)) - logMin) / logRange * v;
    else
        height = (double(price) - double(min)) / double(range) * v;
    return std::isfinite(height);
}

bool ChartScale::Volume(float volume, int& height) const {
    if (!(vmax > 0) || !std::isfinite(vmax)) {
        height = 0;
        return true;
    }
    const float quotient = volume / vmax;
    return Truncate(static_cast<double>(quotient) * u, height);
}

double ChartScale::PriceAt(double height) const {
    if (range == 0 || v <= 0)
        return min;
    if (bLog)
        return std::exp(logMin + height / v * logRange);
    return double(min) + height / v * double(range);
}

double ChartScale::Place(float price) const {
    if (bLog)
        return logRange == 0 || !(price > 0) ? 0.5 : (std::log(double(price)) - logMin) / logRange;
    return range == 0 ? 0.5 : (double(price) - double(min)) / double(range);
}

ChartScale MakeScale(const ChartRecords& r, const ChartLayout& l, bool logScale) {
    // Element 1 is the first record shown (f), element nCount the last (e).
    const int f = 1, e = r.nCount;
    float max = r.high[f], min = r.low[f], vmax = r.volume[f];
    if (f < e) {
        for (int i = f + 1; i <= e; ++i)
            if (IsGood(r, i)) {
                min = r.low[i];
                break;
            }
        for (int i = f + 1; i <= e; ++i)
            if (IsGood(r, i) && r.high[i] < 100 * min) {
                max = r.high[i];
                break;
            }
        for (int i = f + 1; i <= e; ++i) {
            if (r.high[i] > max)
                max = r.high[i];
            if (r.low[i] < min)
                min = r.low[i];
            if (r.volume[i] > vmax)
                vmax = r.volume[i];
        }
    }
    ChartScale scale{min, max, max - min, vmax, l.v, l.u};
    if (logScale && min > 0 && max >= min && std::isfinite(max)) {
        scale.bLog = true;
        scale.logMin = std::log(double(min));
        scale.logRange = std::log(double(max)) - scale.logMin;
    }
    return scale;
}
