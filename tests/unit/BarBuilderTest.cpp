#include "chart/BarBuilder.h"
#include "quotes/Dates.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

struct Record {
    int ymd; // yyyymmdd
    float open, high, low, close, volume, oi;
    int time = 0;
};

// Columns as the history keeps them, built in place.
struct Series {
    explicit Series(const std::vector<Record>& records) {
        for (const Record& r : records) {
            dateTime.push_back(YmdToDay(r.ymd / 10000, r.ymd / 100 % 100, r.ymd % 100));
            dateTime.push_back(static_cast<std::int16_t>(r.time));
            open.push_back(r.open);
            high.push_back(r.high);
            low.push_back(r.low);
            close.push_back(r.close);
            volume.push_back(r.volume);
            oi.push_back(r.oi);
        }
    }
    int Build(const BarRules& rules) {
        const BarColumns columns{dateTime.data(), open.data(),   high.data(), low.data(),
                                 close.data(),    volume.data(), oi.data()};
        return BuildBars(columns, static_cast<int>(open.size()), rules, leftOut);
    }
    Record Bar(int i) const {
        int year, month, day;
        DayToYmd(static_cast<std::uint16_t>(dateTime[2 * i]), year, month, day);
        return {(1900 + year) * 10000 + month * 100 + day,
                open[i],
                high[i],
                low[i],
                close[i],
                volume[i],
                oi[i],
                dateTime[2 * i + 1]};
    }

    std::vector<std::int16_t> dateTime;
    std::vector<float> open, high, low, close, volume, oi;
    LeftOutCounts leftOut;
};

void ExpectBar(const Record& got, const Record& want) {
    EXPECT_EQ(got.ymd, want.ymd);
    EXPECT_EQ(got.open, want.open) << want.ymd;
    EXPECT_EQ(got.high, want.high) << want.ymd;
    EXPECT_EQ(got.low, want.low) << want.ymd;
    EXPECT_EQ(got.close, want.close) << want.ymd;
    EXPECT_EQ(got.volume, want.volume) << want.ymd;
    EXPECT_EQ(got.oi, want.oi) << want.ymd;
    EXPECT_EQ(got.time, want.time) << want.ymd;
}

// Christmas 2003 and New Year 2004 fall on Thursdays; Good Friday 2004 is April 9th.
const std::vector<Record> kHolidays = {
    {20031222, 10, 12, 9, 11, 100, 1},  {20031223, 11, 13, 10, 12, 100, 2},
    {20031224, 12, 14, 11, 13, 100, 3}, {20031226, 13, 15, 8, 14, 100, 4},
    {20031229, 14, 16, 13, 15, 200, 5}, {20031230, 15, 20, 14, 16, 200, 6},
    {20031231, 16, 18, 15, 17, 200, 7}, {20040102, 17, 19, 16, 18, 200, 8},
    {20040105, 18, 20, 17, 19, 300, 9}, {20040407, 20, 22, 19, 21, 400, 10},
    {20040408, 21, 23, 20, 22, 400, 11}};

TEST(BarBuilderTest, BarsOfEachPeriod) {
    const struct {
        const char* what;
        ChartPeriod period;
        std::vector<Record> records, bars;
    } cases[] = {
        {"weeks end on Friday or their last record, across the new year",
         ChartPeriod::Weekly,
         kHolidays,
         {{20031226, 10, 15, 8, 14, 400, 4},
          {20040102, 14, 20, 13, 18, 800, 8},
          {20040105, 18, 20, 17, 19, 300, 9},
          {20040408, 20, 23, 19, 22, 800, 11}}},
        {"months across the year boundary",
         ChartPeriod::Monthly,
         kHolidays,
         {{20031231, 10, 20, 8, 17, 1000, 7},
          {20040105, 17, 20, 16, 19, 500, 9},
          {20040408, 20, 23, 19, 22, 800, 11}}},
        {"a Saturday record opens the next week",
         ChartPeriod::Weekly,
         {{20040109, 1, 2, 1, 2, 1, 0}, {20040110, 2, 3, 2, 3, 1, 0}, {20040112, 3, 4, 3, 4, 1, 0}},
         {{20040109, 1, 2, 1, 2, 1, 0}, {20040112, 2, 4, 2, 4, 2, 0}}},
        {"days of intraday records, at the last time",
         ChartPeriod::Daily,
         {{20030102, 5, 6, 4, 5, 10, 0, 1000},
          {20030102, 5, 9, 5, 8, 20, 0, 1030},
          {20030103, 8, 8, 7, 7, 30, 0, 1000}},
         {{20030102, 5, 9, 4, 8, 30, 0, 1030}, {20030103, 8, 8, 7, 7, 30, 0, 1000}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Series series(c.records);
        ASSERT_EQ(series.Build({false, false, c.period}), static_cast<int>(c.bars.size()));
        for (std::size_t i = 0; i < c.bars.size(); ++i)
            ExpectBar(series.Bar(static_cast<int>(i)), c.bars[i]);
        EXPECT_EQ(series.leftOut, LeftOutCounts{});
    }
}

TEST(BarBuilderTest, RecordsThatCannotBeRight) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        float high, low, close;
        bool bad;
    } cases[] = {
        {12, 10, 11, false}, {10, 10, 10, false}, {0, 10, 11, true},    {12, 0, 11, true},
        {12, 10, 0, true},   {12, -1, 11, true},  {nan, 10, 11, true},  {12, 10, inf, true},
        {9, 10, 9.5f, true}, {12, 10, 13, true},  {12, 10, 9.9f, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsBadRecord(c.high, c.low, c.close), c.bad) << c.high << " " << c.low;
}

TEST(BarBuilderTest, LeftOutRecordsAreCounted) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<Record> records = {
        {20040105, 1, 12, 10, 11, 1, 0},  {20040106, 1, 0, 10, 11, 1, 0},
        {20040107, 1, 9, 10, 9.5f, 1, 0}, {20040108, 1, 12, 10, nan, 1, 0},
        {20040109, 1, 12, -2, -1, 1, 0},  {20040112, 1, 12, 10, 11, 1, 0},
        {20040113, 1, 12, 10, 13, 1, 0}, // a close above the high: bad, but placeable
    };
    const struct {
        BarRules rules;
        int bars;
        LeftOutCounts leftOut;
    } cases[] = {
        {{false, false, ChartPeriod::Stored}, 7, {0, 0}},
        {{true, false, ChartPeriod::Stored}, 2, {5, 0}},
        {{false, true, ChartPeriod::Stored}, 4, {0, 3}},
        {{true, true, ChartPeriod::Weekly}, 2, {5, 0}},
    };
    for (const auto& c : cases) {
        Series series(records);
        EXPECT_EQ(series.Build(c.rules), c.bars);
        EXPECT_EQ(series.leftOut, c.leftOut) << c.bars;
    }
}

} // namespace
