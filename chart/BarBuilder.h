#pragma once
// The bars a chart shows, built from the stored records of a security: records that cannot be
// right are left out when "Hide Bad Data" is set, records that a logarithmic scale cannot place
// are left out on that scale, and the rest are joined into daily, weekly or monthly bars.
//
// A built bar takes the first open, the highest high, the lowest low, the last close, the summed
// volume and the last open interest of its records, and the date and time of its last record.
// Weeks run from Saturday to Friday, so a week ends on its Friday's record or on its last record
// before (a holiday Friday); a record dated on a weekend opens the following week, as an evening
// session on Sunday does. A record without a date stays in the period of the record before it.

#include "chart/ChartOptions.h"

#include <cstdint>
#include <limits>

struct BarRules {
    bool bHideBadData = false;
    bool bLogScale = false;
    ChartPeriod period = ChartPeriod::Stored;

    // The records are the bars: nothing is left out or joined.
    bool IsIdentity() const { return !bHideBadData && !bLogScale && period == ChartPeriod::Stored; }
    bool operator==(const BarRules&) const = default;
};

// Records left out of the chart, for the status bar.
struct LeftOutCounts {
    int nBadData = 0;  // by "Hide Bad Data"
    int nNotOnLog = 0; // by the logarithmic scale: a price of 0 or below (or not a number)
    bool operator==(const LeftOutCounts&) const = default;
};

// A zero, negative or non-finite high, low or close, a high below the low, or a close outside
// the high and the low. (A close from a low above 0 up to a finite high is all the other checks
// together; a NaN fails every comparison.)
inline bool IsBadRecord(float high, float low, float close) {
    return !(low > 0 && low <= close && close <= high && high <= std::numeric_limits<float>::max());
}

// High, low and close all above 0 and finite.
inline bool FitsLogScale(float high, float low, float close) {
    constexpr float kMax = std::numeric_limits<float>::max();
    return high > 0 && high <= kMax && low > 0 && low <= kMax && close > 0 && close <= kMax;
}

// The columns of a series of records, oldest first; the date and the time of record i are
// dateTime[2i] and dateTime[2i + 1].
struct BarColumns {
    std::int16_t* pDateTime;
    float* pOpen;
    float* pHigh;
    float* pLow;
    float* pClose;
    float* pVolume;
    float* pOpenInterest;
};

// Builds the bars in place over the first `count` records and gives their number; the records
// left out are added to `leftOut`.
int BuildBars(const BarColumns& columns, int count, const BarRules& rules, LeftOutCounts& leftOut);
