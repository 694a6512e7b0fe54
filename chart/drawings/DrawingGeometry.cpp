#include "chart/drawings/DrawingGeometry.h"

#include "quotes/Dates.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr std::int64_t kDaySeconds = 86400;
// 1970-01-05, a Monday.
constexpr int kMonday = 4;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Weekdays from a fixed Monday up to and including `day`.
std::int64_t WeekdaysUpTo(std::int64_t day) {
    const std::int64_t weeks = FloorDiv(day - kMonday, 7);
    const std::int64_t rest = day - kMonday - 7 * weeks; // 0 Monday .. 6 Sunday
    return 5 * weeks + std::min<std::int64_t>(rest + 1, 5);
}

} // namespace

CDrawingGeometry::CDrawingGeometry(const ChartLayout& layout, const ChartRecords& records,
                                   const ChartScale& scale, bool times)
    : m_layout(layout), m_scale(scale), m_source(records.source), m_nFirst(records.nFirst),
      m_nGroup(std::max(records.nGroup, 1)), m_bShown(records.nCount > 0) {
    m_bTime = times && m_source.time.pData != nullptr && m_source.HasColumn(kColTime);
    const int n = m_source.nCount;
    // The step of the newest bars: the middle of their gaps.
    std::vector<std::int64_t> dayGaps, secondGaps;
    for (int i = std::max(n - 24, 1); i < n; ++i) {
        const std::int64_t a = KeyOf(i - 1), b = KeyOf(i);
        if (b <= a)
            continue;
        if (m_bTime && FloorDiv(a, kDaySeconds) == FloorDiv(b, kDaySeconds))
            secondGaps.push_back(b - a);
        else
            dayGaps.push_back(FloorDiv(b, kDaySeconds) - FloorDiv(a, kDaySeconds));
    }
    auto middle = [](std::vector<std::int64_t>& gaps) {
        std::nth_element(gaps.begin(), gaps.begin() + std::ptrdiff_t(gaps.size() / 2), gaps.end());
        return gaps[gaps.size() / 2];
    };
    if (!secondGaps.empty() && secondGaps.size() >= dayGaps.size()) {
        m_step = BarStep::Seconds;
        m_nStepSeconds = std::max<std::int64_t>(middle(secondGaps), 1);
    } else if (!dayGaps.empty()) {
        const std::int64_t gap = middle(dayGaps);
        m_step = gap <= 4 ? BarStep::Weekdays : gap <= 10 ? BarStep::Weeks : BarStep::Months;
    }
}

std::int64_t CDrawingGeometry::KeyOf(int index) const {
    const std::int64_t day = SerialOfDayNumber(m_source.date[index]);
    const std::int64_t seconds =
        m_bTime ? static_cast<std::uint16_t>(m_source.time[index]) * 2 % kDaySeconds : 0;
    return day * kDaySeconds + seconds;
}

std::int64_t CDrawingGeometry::KeyOf(const DrawingPoint& point) const {
    return point.nDay * kDaySeconds + (m_bTime ? std::max(point.nSeconds, 0) : 0);
}

std::int64_t CDrawingGeometry::KeyAfter(std::int64_t key, long long bars) const {
    if (m_step == BarStep::Seconds)
        return key + bars * m_nStepSeconds;
    std::int64_t day = FloorDiv(key, kDaySeconds);
    const std::int64_t seconds = key - day * kDaySeconds;
    switch (m_step) {
    case BarStep::Weeks:
        day += 7 * bars;
        break;
    case BarStep::Months: {
        int year = 0, month = 0, dayOfMonth = 0;
        YmdOfSerial(static_cast<int>(day), year, month, dayOfMonth);
        const long long months = year * 12LL + (month - 1) + bars;
        year = static_cast<int>(FloorDiv(months, 12));
        month = static_cast<int>(months - year * 12LL) + 1;
        day = SerialOfYmd(year, month, std::min(dayOfMonth, DaysInMonth(year, month)));
        break;
    }
    default: {
        // Whole weeks at once, then day by day over the weekends.
        day += 7 * (bars / 5);
        long long rest = bars % 5;
        const int direction = rest >= 0 ? 1 : -1;
        while (rest != 0) {
            day += direction;
            if (WeekdayOfSerial(static_cast<int>(day)) < 5)
                rest -= direction;
        }
        break;
    }
    }
    return day * kDaySeconds + seconds;
}

double CDrawingGeometry::StepsBetween(std::int64_t from, std::int64_t to) const {
    const std::int64_t fromDay = FloorDiv(from, kDaySeconds), toDay = FloorDiv(to, kDaySeconds);
    switch (m_step) {
    case BarStep::Seconds:
        return static_cast<double>((to - from + m_nStepSeconds - 1) / m_nStepSeconds);
    case BarStep::Weeks:
        return static_cast<double>((toDay - fromDay + 6) / 7);
    case BarStep::Months: {
        int fy = 0, fm = 0, fd = 0, ty = 0, tm = 0, td = 0;
        YmdOfSerial(static_cast<int>(fromDay), fy, fm, fd);
        YmdOfSerial(static_cast<int>(toDay), ty, tm, td);
        return (ty * 12.0 + tm) - (fy * 12.0 + fm);
    }
    default:
        return static_cast<double>(WeekdaysUpTo(toDay) - WeekdaysUpTo(fromDay));
    }
}

double CDrawingGeometry::IndexOf(std::int64_t key) const {
    const int n = m_source.nCount;
    const std::int64_t first = KeyOf(0), last = KeyOf(n - 1);
    if (key > last)
        return (n - 1) + StepsBetween(last, key);
    if (key < first)
        return -StepsBetween(key, first);
    // The records run by date; the first at or after the key holds it.
    int low = 0, high = n - 1;
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (KeyOf(mid) < key)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

bool CDrawingGeometry::X(const DrawingPoint& point, double& x) const {
    if (!HasBars())
        return false;
    const int n = m_source.nCount;
    const double index = IndexOf(KeyOf(point));
    const int g = m_nGroup;
    double slot = 0;
    if (index > n - 1)
        slot = static_cast<double>(FloorDiv(n - 1 - m_nFirst, g)) + (index - (n - 1)) / g;
    else if (index < 0)
        slot = (index - m_nFirst) / g;
    else
        slot = static_cast<double>(FloorDiv(static_cast<std::int64_t>(index) - m_nFirst, g));
    x = 5 + (slot + 1) * m_layout.s;
    return std::isfinite(x);
}

bool CDrawingGeometry::Y(double price, double& y) const {
    double height = 0;
    if (!std::isfinite(price) || std::fabs(price) > 3e38 ||
        !m_scale.ExactPrice(static_cast<float>(price), height))
        return false;
    y = m_layout.yPrice + height;
    return std::isfinite(y);
}

long long CDrawingGeometry::IndexAt(double x) const {
    const int n = m_source.nCount, g = m_nGroup;
    const double slots = std::clamp((x - 5) / std::max(m_layout.s, 1) - 1, -1e9, 1e9);
    const long long k = std::llround(slots);
    const long long from = m_nFirst + k * g;
    if (from > n - 1) {
        const long long lastSlot = FloorDiv(n - 1 - m_nFirst, g);
        return n - 1 + (k - lastSlot) * g;
    }
    return std::min<long long>(from + g - 1, n - 1);
}

DrawingPoint CDrawingGeometry::PointOfKey(std::int64_t key, double price) const {
    DrawingPoint point;
    const std::int64_t day = FloorDiv(key, kDaySeconds);
    point.nDay = static_cast<int>(day);
    point.nSeconds = m_bTime ? static_cast<int>(key - day * kDaySeconds) : -1;
    point.dPrice = price;
    return point;
}

DrawingPoint CDrawingGeometry::PointAt(double x, double y) const {
    if (!HasBars())
        return DrawingPoint{};
    const int n = m_source.nCount;
    const double price = m_scale.PriceAt(y - m_layout.yPrice);
    const long long index = IndexAt(x);
    if (index > n - 1)
        return PointOfKey(KeyAfter(KeyOf(n - 1), index - (n - 1)), price);
    if (index < 0)
        return PointOfKey(KeyAfter(KeyOf(0), index), price);
    return PointOfKey(KeyOf(static_cast<int>(index)), price);
}

DrawingPoint CDrawingGeometry::PointOnBarAt(double x, double y) const {
    DrawingPoint point = PointAt(x, y);
    const long long index = IndexAt(x);
    if (!HasBars() || index < 0 || index > m_source.nCount - 1)
        return point;
    // The bar of the slot: its first record's open, the extremes of all, the last one's close.
    const int last = static_cast<int>(index);
    const int first = std::max(last - m_nGroup + 1, 0);
    double high = m_source.high[last], low = m_source.low[last];
    for (int i = first; i < last; ++i) {
        high = std::max<double>(high, m_source.high[i]);
        low = std::min<double>(low, m_source.low[i]);
    }
    std::vector<double> prices = {high, low, m_source.close[last]};
    if (m_source.open.pData && m_source.HasColumn(kColOpen))
        prices.push_back(m_source.open[first]);
    double best = point.dPrice, bestDistance = -1;
    for (const double price : prices) {
        double at = 0;
        if (!Y(price, at))
            continue;
        if (bestDistance < 0 || std::fabs(at - y) < bestDistance) {
            best = price;
            bestDistance = std::fabs(at - y);
        }
    }
    point.dPrice = best;
    return point;
}
