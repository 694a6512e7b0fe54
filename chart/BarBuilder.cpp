#include "chart/BarBuilder.h"

#include "quotes/Dates.h"

#include <cmath>

namespace {

// Tells the period of each record by its day number. Months are found by their first and last
// day, so that the calendar is worked out once a month rather than once a record.
class CPeriodKey {
public:
    explicit CPeriodKey(ChartPeriod period) : m_period(period) {}

    long Of(std::uint16_t day) {
        switch (m_period) {
        case ChartPeriod::Daily:
            return day;
        case ChartPeriod::Weekly:
            return day / 7; // day 0, 1960-12-31, was a Saturday
        case ChartPeriod::Monthly:
            if (day < m_nMonthFirst || day > m_nMonthLast)
                FindMonth(day);
            return m_nMonth;
        case ChartPeriod::Stored:
            break;
        }
        return 0;
    }

private:
    void FindMonth(std::uint16_t day) {
        int year, month, dayOfMonth;
        DayToYmd(day, year, month, dayOfMonth);
        static const int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        const int length = kLengths[month - 1] + (month == 2 && year % 4 == 0 ? 1 : 0);
        m_nMonthFirst = day - (dayOfMonth - 1);
        m_nMonthLast = day + (length - dayOfMonth);
        m_nMonth = year * 12L + month;
    }

    ChartPeriod m_period;
    long m_nMonth = 0;
    long m_nMonthFirst = 1, m_nMonthLast = 0;
};

bool Finite(float high, float low, float close) {
    return std::isfinite(high) && std::isfinite(low) && std::isfinite(close);
}

} // namespace

bool IsBadRecord(float high, float low, float close) {
    return !(high > 0 && low > 0 && close > 0 && Finite(high, low, close)) || high < low ||
           close > high || close < low;
}

bool FitsLogScale(float high, float low, float close) {
    return high > 0 && low > 0 && close > 0 && Finite(high, low, close);
}

int BuildBars(const BarColumns& c, int count, const BarRules& rules, LeftOutCounts& leftOut) {
    if (rules.IsIdentity())
        return count;
    CPeriodKey periodKey(rules.period);
    const bool joins = rules.period != ChartPeriod::Stored;
    int out = -1; // the bar being built
    long key = 0;
    double volume = 0;
    for (int i = 0; i < count; ++i) {
        const float high = c.pHigh[i], low = c.pLow[i], close = c.pClose[i];
        if (rules.bHideBadData && IsBadRecord(high, low, close)) {
            ++leftOut.nBadData;
            continue;
        }
        if (rules.bLogScale && !FitsLogScale(high, low, close)) {
            ++leftOut.nNotOnLog;
            continue;
        }
        const auto day = static_cast<std::uint16_t>(c.pDateTime[2 * i]);
        const long recordKey = day != 0 ? periodKey.Of(day) : key;
        // Bar `out` lies at or before record i, so every value of the record is read before the
        // bar is written.
        if (out >= 0 && joins && recordKey == key) {
            if (high > c.pHigh[out])
                c.pHigh[out] = high;
            if (low < c.pLow[out])
                c.pLow[out] = low;
            c.pClose[out] = close;
            volume += c.pVolume[i];
            c.pVolume[out] = static_cast<float>(volume);
            c.pOpenInterest[out] = c.pOpenInterest[i];
            if (day != 0)
                c.pDateTime[2 * out] = c.pDateTime[2 * i];
        } else {
            ++out;
            key = recordKey;
            volume = c.pVolume[i];
            c.pOpen[out] = c.pOpen[i];
            c.pHigh[out] = high;
            c.pLow[out] = low;
            c.pClose[out] = close;
            c.pVolume[out] = c.pVolume[i];
            c.pOpenInterest[out] = c.pOpenInterest[i];
            c.pDateTime[2 * out] = c.pDateTime[2 * i];
        }
        c.pDateTime[2 * out + 1] = c.pDateTime[2 * i + 1];
    }
    return out + 1;
}
