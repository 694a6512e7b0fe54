#include "chart/BarBuilder.h"

#include "quotes/Dates.h"

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

} // namespace

int BuildBars(const BarColumns& c, int count, const BarRules& rules, LeftOutCounts& leftOut) {
    if (rules.IsIdentity())
        return count;
    CPeriodKey periodKey(rules.period);
    const bool joins = rules.period != ChartPeriod::Stored;
    std::int16_t* const dateTime = c.pDateTime;
    float *const open = c.pOpen, *const high = c.pHigh, *const low = c.pLow;
    float *const close = c.pClose, *const volume = c.pVolume, *const openInterest = c.pOpenInterest;
    // The bar being built is kept apart and written when the next one starts: it lands at or
    // before the first record it was built from, so no record is overwritten before it is read.
    struct {
        std::int16_t date, time;
        float open, high, low, close, openInterest;
        double volume;
    } bar{};
    int bars = 0;
    bool building = false;
    long key = 0;
    auto finish = [&] {
        dateTime[2 * bars] = bar.date;
        dateTime[2 * bars + 1] = bar.time;
        open[bars] = bar.open;
        high[bars] = bar.high;
        low[bars] = bar.low;
        close[bars] = bar.close;
        volume[bars] = static_cast<float>(bar.volume);
        openInterest[bars] = bar.openInterest;
        ++bars;
    };
    for (int i = 0; i < count; ++i) {
        const float h = high[i], l = low[i], cl = close[i];
        if (rules.bHideBadData && IsBadRecord(h, l, cl)) {
            ++leftOut.nBadData;
            continue;
        }
        if (rules.bLogScale && !FitsLogScale(h, l, cl)) {
            ++leftOut.nNotOnLog;
            continue;
        }
        const std::int16_t date = dateTime[2 * i];
        const long recordKey = date != 0 ? periodKey.Of(static_cast<std::uint16_t>(date)) : key;
        if (building && joins && recordKey == key) {
            bar.high = h > bar.high ? h : bar.high;
            bar.low = l < bar.low ? l : bar.low;
            bar.close = cl;
            bar.volume += volume[i];
            bar.openInterest = openInterest[i];
            bar.date = date != 0 ? date : bar.date;
        } else {
            if (building)
                finish();
            building = true;
            key = recordKey;
            bar = {date, 0, open[i], h, l, cl, openInterest[i], volume[i]};
        }
        bar.time = dateTime[2 * i + 1];
    }
    if (building)
        finish();
    return bars;
}
